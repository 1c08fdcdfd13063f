// Firmware model of the temperature modules (TM, TM_r20, TM_868): a stored
// configuration out of the box and a probe reading the bench can set.
#include "sim/firmware.h"

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

void putU16(Bytes &b, std::size_t at, std::uint16_t v)
{
    b[at] = std::uint8_t(v & 0xFF);
    b[at + 1] = std::uint8_t(v >> 8);
}

// 20.0 degC on each probe type.
std::uint16_t rawAt20(std::uint16_t productId)
{
    return productId == kProduct14Bit ? 20 * 32 : 2073 + 20 * 8;
}

class TemperatureFirmware : public GenericFirmware {
public:
    explicit TemperatureFirmware(const orlo::ModuleEntry &entry) : entry_(entry) {}

    void attach(Module &module) override
    {
        Bytes &r = module.stored;
        if (entry_.type == orlo::ModuleType::TM_868) {
            // Master, statement every 30 min, 9600 bps on channel 522.
            r[kFlags] = 0x01;
            r[kStatementMinutes] = 30;
            r[kStatementHours] = 0;
            putU16(r, kChannel, 522);
            r[kBaudCode] = 4;
            r[kRemote] = 1;
            r[kModem] = 2;
        } else {
            // 1-hour sampling, threshold statements, send time 1 at 08:00,
            // life frame every 5 days, thresholds 19.5 / 24.5 degC.
            r[kFlags] = 0x02 | 0x10 | 0x80;
            putU16(r, kLowThreshold, 2496);
            putU16(r, kHighThreshold, 3136);
            r[kSendTime1] = 0x00;
            r[kSendTime1 + 1] = 0x08;
            r[kStatementMinutes] = 0;
            r[kStatementHours] = 1;
        }
        module.defaults = module.stored;
        setTemperatureRaw(module, rawAt20(entry_.productId));
    }

private:
    orlo::ModuleEntry entry_;
};

} // namespace

std::unique_ptr<Firmware> temperatureFirmware(const orlo::ModuleEntry &entry)
{
    return std::make_unique<TemperatureFirmware>(entry);
}

void setTemperatureRaw(Module &module, std::uint16_t raw)
{
    const std::size_t size = 8 * std::size_t(module.reportsPerFrame > 0 ? module.reportsPerFrame : 1);
    if (module.live.size() < size)
        module.live.resize(size, 0);
    module.live[0] = 0;
    putU16(module.live, kRaw, raw);
}

} // namespace sim
