// Firmware model of the digital-input modules (DI, DI_r2x, DI4_r2x): the
// stored record carries the configuration and, on the r2x modules, the last
// stored values of the two counters.
#include "sim/firmware.h"

namespace sim {

namespace {

// Offsets of the stored record (offset 0 is the command, then the clock).
constexpr std::size_t kFlags = 9;
constexpr std::size_t kInputs = 10;
constexpr std::size_t kMinute = 11;
constexpr std::size_t kHour = 12;
constexpr std::size_t kCounters = 13;       // two u32 little-endian
constexpr std::size_t kCountersSize = 8;

struct Demo {
    std::uint8_t flags, inputs, minute, hour;
    std::uint32_t counter1, counter2;
};

class DigitalInputFirmware : public GenericFirmware {
public:
    explicit DigitalInputFirmware(orlo::ModuleType type) : type_(type) {}

    void attach(Module &module) override
    {
        Demo demo{};
        switch (type_) {
        case orlo::ModuleType::DI:
            // Input 1 counting, input 2 on rising edges; read at 08:30.
            demo = {0x00, 0x53, 30, 8, 0, 0};
            break;
        case orlo::ModuleType::DI_r2x:
            // Cable break detection, read at 12:00, counters running.
            demo = {0x40, 0x53, 0, 12, 1234567, 42};
            break;
        default:
            // Radio variant 1 with LoRaWAN join mode ABP; counters 1 and 2
            // and input 3 (rising) in use; read every hour.
            demo = {0x4D, 0x17, 0, 1, 987654, 3};
            break;
        }
        module.defaults = fitted(module, {});
        module.defaults[kFlags] = demo.flags;
        module.defaults[kInputs] = demo.inputs;
        module.defaults[kMinute] = demo.minute;
        module.defaults[kHour] = demo.hour;
        module.stored = module.defaults;
        if (hasCounters(module)) {
            putLe(module.stored, kCounters, demo.counter1, 4);
            putLe(module.stored, kCounters + 4, demo.counter2, 4);
        }
    }

protected:
    // Command 1 keeps the counters; command 4 clears them.
    void write(Module &module, const Bytes &request) override
    {
        Bytes record = fitted(module, request);
        if (hasCounters(module)) {
            const Bytes previous = fitted(module, module.stored);
            const bool clear = !request.empty() && request.front() == orlo::command::WriteAndClearCounters;
            for (std::size_t i = 0; i < kCountersSize; ++i)
                record[kCounters + i] = clear ? 0 : previous[kCounters + i];
        }
        module.stored = record;
    }

private:
    static bool hasCounters(const Module &module)
    {
        return module.frameSize() >= kCounters + kCountersSize;
    }

    orlo::ModuleType type_;
};

} // namespace

std::unique_ptr<Firmware> digitalInputFirmware(const orlo::ModuleEntry &entry)
{
    return std::make_unique<DigitalInputFirmware>(entry.type);
}

} // namespace sim
