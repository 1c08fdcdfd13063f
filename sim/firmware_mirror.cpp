// Firmware model of the input/output mirror modules (IOD_PS_r20, DIO_LoRa,
// DI2_868_r_10): one stored record in the role the module works in; the
// DI2_868_r_10 record also carries the two input counters, which run on
// whatever configuration is written and restart from 0 with the defaults.
#include "sim/firmware.h"

namespace sim {

namespace {

// Offsets of the stored record (offset 0 is the command, then the clock).
constexpr std::size_t kMode = 9;
constexpr std::size_t kInputs = 10;
constexpr std::size_t kMinute = 11;
constexpr std::size_t kHour = 12;
constexpr std::size_t kChannel = 13;        // u16 little-endian
constexpr std::size_t kChannelSize = 2;
constexpr std::size_t kSpeed = 15;
constexpr std::size_t kRemote = 16;
constexpr std::size_t kModem = 17;
constexpr std::size_t kTimeOut = 18;
constexpr std::size_t kCounter1 = 19;       // u32 little-endian, DI2_868_r_10
constexpr std::size_t kCounter2 = 23;
constexpr std::size_t kCounterSize = 4;

struct Setting {
    std::uint8_t mode, inputs, minute, hour;
    std::uint16_t channel;
    std::uint8_t speed, remote, modem, timeOut;
};

// Out of the box.
// IOD_PS_r20: Master reading at 06:30, input 1 a digital input on rising
// edges, input 2 a counter; 9600 bps on channel 522.
constexpr Setting kIodMaster{0x01, 0x35, 30, 6, 522, 4, 2, 1, 3};
// DIO_LoRa: Master mirror at 2511 bps on channel 23, peer 5.
constexpr Setting kLoRaMasterMirror{0x03, 0x00, 0, 0, 23, 4, 5, 0, 2};
// DI2_868_r_10: Master counting on both inputs, reading at 24:00.
constexpr Setting kDi2Master{0x01, 0x33, 0, 24, 160, 4, 1, 2, 0};
constexpr std::uint32_t kDi2Counts[] = {1234, 56789};
// What command 5 restores: a Slave at 9600 bps (LoRa: 2511 bps, channel 23).
constexpr Setting kSlaveDefaults{0x00, 0xDD, 0, 0, 160, 4, 1, 1, 0};
constexpr Setting kLoRaSlaveDefaults{0x00, 0xDD, 0, 0, 23, 4, 1, 1, 0};

bool hasCounters(const Module &module)
{
    return module.stored.size() >= kCounter2 + kCounterSize;
}

class MirrorFirmware : public GenericFirmware {
public:
    explicit MirrorFirmware(orlo::ModuleType type) : type_(type) {}

    void attach(Module &module) override
    {
        const bool lora = type_ == orlo::ModuleType::DIO_LoRa;
        module.defaults = record(module, lora ? kLoRaSlaveDefaults : kSlaveDefaults);
        switch (type_) {
        case orlo::ModuleType::IOD_PS_r20:
            module.stored = record(module, kIodMaster);
            break;
        case orlo::ModuleType::DIO_LoRa:
            module.stored = record(module, kLoRaMasterMirror);
            break;
        default:
            module.stored = record(module, kDi2Master);
            if (hasCounters(module))
                setInputCounters(module, kDi2Counts[0], kDi2Counts[1]);
            break;
        }
    }

protected:
    // A written configuration leaves the counters running.
    void write(Module &module, const Bytes &request) override
    {
        Bytes written = fitted(module, request);
        if (hasCounters(module))
            for (std::size_t i = kCounter1; i < kCounter2 + kCounterSize; ++i)
                written[i] = module.stored[i];
        module.stored = written;
    }

private:
    static Bytes record(const Module &module, const Setting &s)
    {
        Bytes r = fitted(module, {});
        r[kMode] = s.mode;
        r[kInputs] = s.inputs;
        r[kMinute] = s.minute;
        r[kHour] = s.hour;
        putLe(r, kChannel, s.channel, kChannelSize);
        r[kSpeed] = s.speed;
        r[kRemote] = s.remote;
        r[kModem] = s.modem;
        r[kTimeOut] = s.timeOut;
        return r;
    }

    orlo::ModuleType type_;
};

} // namespace

std::unique_ptr<Firmware> mirrorFirmware(const orlo::ModuleEntry &entry)
{
    return std::make_unique<MirrorFirmware>(entry.type);
}

void setInputCounters(Module &module, std::uint32_t counter1, std::uint32_t counter2)
{
    if (!hasCounters(module))
        return;
    putLe(module.stored, kCounter1, counter1, kCounterSize);
    putLe(module.stored, kCounter2, counter2, kCounterSize);
}

void advanceInputCounters(Module &module, std::uint32_t pulses1, std::uint32_t pulses2)
{
    if (!hasCounters(module))
        return;
    // The counters wrap around at 2^32 like the module's.
    const auto counter = [&module](std::size_t at) { return std::uint32_t(getLe(module.stored, at, kCounterSize)); };
    setInputCounters(module, counter(kCounter1) + pulses1, counter(kCounter2) + pulses2);
}

} // namespace sim
