// Firmware model of the temperature modules (TM, TM_r20, TM_868) and of the
// temperature-and-humidity modules (TH_r10, TH_868), which keep the same
// record: a stored configuration out of the box and a probe reading the
// bench can set.
#include "sim/firmware.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// Payload offsets of the record (offset 0 is the command / status byte).
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
constexpr std::size_t kRaw = 1;             // live answer: u16le

constexpr std::uint16_t kProduct14Bit = 0x0244;


// The probes: 1/8 degC above an offset of 2073, or 14-bit two's complement
// in 1/32 degC.
constexpr int kRawAtZero = 2073;
constexpr int kEighths = 8;
constexpr int kThirtySeconds = 32;
constexpr int kFourteenBits = 0x3FFF;

std::uint16_t rawOf(std::uint16_t productId, double celsius)
{
    using T = orlo::ModuleType;
    const orlo::ModuleEntry *entry = orlo::findModule(productId);
    if (entry && (entry->type == T::TH_r10 || entry->type == T::TH_868))
        return humidityModuleCount(celsius);
    if (entry && entry->type == T::TM2D_r10)
        return twoProbeRaw(celsius);
    if (productId == kProduct14Bit)
        return std::uint16_t(int(std::lround(celsius * kThirtySeconds)) & kFourteenBits);
    return std::uint16_t(std::clamp<long>(kRawAtZero + std::lround(celsius * kEighths), 0, 0xFFFF));
}

class TemperatureFirmware : public GenericFirmware {
public:
    explicit TemperatureFirmware(const orlo::ModuleEntry &entry) : entry_(entry) {}

    void attach(Module &module) override
    {
        Bytes &r = module.stored;
        if (entry_.type == orlo::ModuleType::TM_868 || entry_.type == orlo::ModuleType::TH_868) {
            // Master, statement every 30 min, 9600 bps on channel 522.
            r[kFlags] = 0x01;
            r[kStatementMinutes] = 30;
            r[kStatementHours] = 0;
            putLe(r, kChannel, 522, 2);
            r[kBaudCode] = 4;
            r[kRemote] = 1;
            r[kModem] = 2;
        } else {
            // 1-hour sampling, threshold statements, send time 1 at 08:00,
            // life frame every 5 days, thresholds 19.5 / 24.5 degC (16.5 /
            // 26.5 degC in the sensor's counts on a humidity module).
            r[kFlags] = 0x02 | 0x10 | 0x80;
            putLe(r, kLowThreshold, humidity_ ? humidityModuleCount(16.5) : 2496, 2);
            putLe(r, kHighThreshold, humidity_ ? humidityModuleCount(26.5) : 3136, 2);
            r[kSendTime1] = 0x00;
            r[kSendTime1 + 1] = 0x08;
            r[kStatementMinutes] = 0;
            r[kStatementHours] = 1;
        }
        module.defaults = module.stored;
        setTemperatureCelsius(module, 20.0);
        if (humidity_)
            setHumidity(module, 45.0);
    }

private:
    orlo::ModuleEntry entry_;
    bool humidity_ = entry_.type == orlo::ModuleType::TH_r10 || entry_.type == orlo::ModuleType::TH_868;
};

} // namespace

std::unique_ptr<Firmware> temperatureFirmware(const orlo::ModuleEntry &entry)
{
    return std::make_unique<TemperatureFirmware>(entry);
}

void setTemperatureRaw(Module &module, std::uint16_t raw)
{
    setLiveWord(module, kRaw, raw);
}

void setTemperatureCelsius(Module &module, double celsius)
{
    setTemperatureRaw(module, rawOf(module.productId(), celsius));
}

} // namespace sim
