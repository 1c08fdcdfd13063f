// Firmware model of the temperature-and-humidity modules (TH_r10, TH_868):
// the single-probe record with thresholds in the sensor's counts, and a
// temperature and humidity the bench can set (or no humidity sensor).
#include "sim/firmware.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// Payload offsets (offset 0 is the command / status byte).
constexpr std::size_t kFlags = 9;
constexpr std::size_t kLowThreshold = 10;
constexpr std::size_t kHighThreshold = 12;
constexpr std::size_t kSendTime1 = 14;      // minute, hour (BCD)
constexpr std::size_t kStatementMinutes = 20;
constexpr std::size_t kStatementHours = 21;
constexpr std::size_t kChannel = 23;
constexpr std::size_t kBaudCode = 25;
constexpr std::size_t kRemote = 26;
constexpr std::size_t kModem = 27;
constexpr std::size_t kHumidity = 3;        // live answer: u16le, after the temperature

// The sensor: temperature = 175.72 * count / 65536 - 46.85, humidity =
// 125 * count / 65536 - 6.
constexpr double kCounts = 65536.0;

std::uint16_t countOf(double value, double span, double atZero)
{
    return std::uint16_t(std::clamp(std::lround((value - atZero) * kCounts / span), 0L, 0xFFFFL));
}

void putU16(Bytes &b, std::size_t at, std::uint16_t v)
{
    b[at] = std::uint8_t(v & 0xFF);
    b[at + 1] = std::uint8_t(v >> 8);
}

class TemperatureHumidityFirmware : public GenericFirmware {
public:
    explicit TemperatureHumidityFirmware(const orlo::ModuleEntry &entry) : entry_(entry) {}

    void attach(Module &module) override
    {
        Bytes &r = module.stored;
        if (entry_.type == orlo::ModuleType::TH_868) {
            // Master, statement every 30 min, 9600 bps on channel 522.
            r[kFlags] = 0x01;
            r[kStatementMinutes] = 30;
            putU16(r, kChannel, 522);
            r[kBaudCode] = 4;
            r[kRemote] = 1;
            r[kModem] = 2;
        } else {
            // 1-hour sampling, send time 1 at 08:00, life frame every day,
            // thresholds 16.5 / 26.5 degC.
            r[kFlags] = 0x02 | 0x10 | 0x80;
            putU16(r, kLowThreshold, humidityModuleCount(16.5));
            putU16(r, kHighThreshold, humidityModuleCount(26.5));
            r[kSendTime1 + 1] = 0x08;
            r[kStatementHours] = 1;
        }
        module.defaults = module.stored;
        setTemperatureCelsius(module, 21.0);
        setHumidity(module, 45.0);
    }

private:
    orlo::ModuleEntry entry_;
};

} // namespace

std::unique_ptr<Firmware> temperatureHumidityFirmware(const orlo::ModuleEntry &entry)
{
    return std::make_unique<TemperatureHumidityFirmware>(entry);
}

std::uint16_t humidityModuleCount(double celsius)
{
    return countOf(celsius, 175.72, -46.85);
}

void setHumidityRaw(Module &module, std::uint16_t count)
{
    // The temperature sits in front: keep it, sizing the answer if need be.
    if (module.live.size() < kHumidity + 2)
        setTemperatureRaw(module, 0);
    putU16(module.live, kHumidity, count);
}

void setHumidity(Module &module, double percent)
{
    setHumidityRaw(module, countOf(percent, 125.0, -6.0));
}

void removeHumiditySensor(Module &module)
{
    setHumidityRaw(module, 0);
}

} // namespace sim
