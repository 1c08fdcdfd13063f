// Firmware model of the digital-and-analog modules (DA 4-20 mA, DA 0-10 V,
// DA_r20): a calibrated record out of the box and an analog input the bench
// sets as a current, a voltage or a raw converter count.
#include "sim/firmware.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sim {

namespace {

// Offsets of the stored record (offset 0 is the command, then the clock).
constexpr std::size_t kConfig = 9;
constexpr std::size_t kInputs = 10;
constexpr std::size_t kThresholdLow = 11;
constexpr std::size_t kThresholdHigh = 13;
constexpr std::size_t kSendTime1 = 15;      // minute, hour (BCD)
constexpr std::size_t kReadingMinutes = 21;
constexpr std::size_t kReadingHours = 22;
constexpr std::size_t kY1 = 25;             // tenths, s16le
constexpr std::size_t kY2 = 27;
constexpr std::size_t kUnit = 29;           // up to 4 letters and a NUL
constexpr std::size_t kRaw = 1;             // live answer: u16le

// Config byte (sampling period code in bits 0-1: 0 = 15 min, 2 = 1 h).
constexpr std::uint8_t kPeriod1Hour = 0x02;
constexpr std::uint8_t kCurrentLoop = 0x04; // DA_r20 record: 4-20 mA
constexpr std::uint8_t kPeriodicReading = 0x08;
constexpr std::uint8_t kSendTime1InUse = 0x10;
constexpr std::uint8_t kKeepAlive5Days = 0x80;
// Inputs byte: input 1 in the low nibble, input 2 in the high one.
constexpr std::uint8_t kInput1Rising = 0x05;    // in use, edge 1
constexpr std::uint8_t kInput2Falling = 0x90;   // in use, edge 2
constexpr std::uint8_t kNoInputs = 0xDD;        // DA_r20 has none
constexpr std::uint16_t kProductVoltage = 0x0235;

// The converter: counts at 4 mA (or 0 V) and from there to 20 mA (or 10 V).
constexpr double kCurrentZero = 11984;
constexpr double kCurrentSpan = 47744;
constexpr double kCurrentBottom = 4.0;
constexpr double kCurrentRange = 16.0;
constexpr double kVoltageSpan = 64240;
constexpr double kVoltageRange = 10.0;
constexpr double kDemoMilliamps = 12.0;
constexpr double kDemoVolts = 5.0;


std::uint16_t count(double v)
{
    return std::uint16_t(std::clamp(std::lround(v), 0L, 0xFFFFL));
}

// DA reads what its product is made for; DA_r20 what its stored record says
// it is wired to.
bool wiredToCurrent(const Module &module)
{
    const orlo::ModuleEntry *entry = orlo::findModule(module.productId());
    if (entry && entry->type == orlo::ModuleType::DA_r20)
        return module.stored.size() > kConfig && (module.stored[kConfig] & kCurrentLoop);
    return module.productId() != kProductVoltage;
}

struct Demo {
    std::uint8_t config, inputs;
    std::uint16_t low, high;        // raw counts
    std::uint8_t t1Minute, t1Hour, readingMinutes, readingHours;
    std::int16_t y1, y2;            // tenths
    const char *unit;
};

class AnalogFirmware : public GenericFirmware {
public:
    explicit AnalogFirmware(orlo::ModuleType type) : type_(type) {}

    void attach(Module &module) override
    {
        Demo demo{};
        if (type_ == orlo::ModuleType::DA_r20) {
            // 4-20 mA loop for 0..100 %, a reading every hour, 15 min sampling.
            demo = {kCurrentLoop | kPeriodicReading, kNoInputs, 21533, 50179, 0, 0, 0, 1, 0, 1000, "%"};
        } else if (module.productId() == kProductVoltage) {
            // 0-10 V for 0..5 m; thresholds 1 m and 4 m; daily keep-alive.
            demo = {kPeriod1Hour | kSendTime1InUse, 0x00, 12848, 51392, 0x30, 0x07, 0, 1, 0, 50, "m"};
        } else {
            // 4-20 mA for 0..10 bar, thresholds 2 and 8 bar; 1 h sampling, send
            // at 08:00; keep-alive every 5 days; input 1 rising, input 2 falling.
            demo = {kPeriod1Hour | kSendTime1InUse | kKeepAlive5Days, kInput1Rising | kInput2Falling,
                    21533, 50179, 0x00, 0x08, 0, 1, 0, 100, "bar"};
        }
        Bytes &r = module.defaults;
        r = fitted(module, {});
        r[kConfig] = demo.config;
        r[kInputs] = demo.inputs;
        putLe(r, kThresholdLow, demo.low, 2);
        putLe(r, kThresholdHigh, demo.high, 2);
        r[kSendTime1] = demo.t1Minute;
        r[kSendTime1 + 1] = demo.t1Hour;
        r[kReadingMinutes] = demo.readingMinutes;
        r[kReadingHours] = demo.readingHours;
        putLe(r, kY1, std::uint16_t(demo.y1), 2);
        putLe(r, kY2, std::uint16_t(demo.y2), 2);
        std::memcpy(&r[kUnit], demo.unit, std::strlen(demo.unit));
        module.stored = module.defaults;
        setAnalogReading(module, kDemoMilliamps, kDemoVolts);
    }

private:
    orlo::ModuleType type_;
};

} // namespace

std::unique_ptr<Firmware> analogFirmware(const orlo::ModuleEntry &entry)
{
    return std::make_unique<AnalogFirmware>(entry.type);
}

void setAnalogRaw(Module &module, std::uint16_t raw)
{
    setLiveWord(module, kRaw, raw);
}

void setAnalogReading(Module &module, double milliamps, double volts)
{
    if (wiredToCurrent(module))
        setAnalogRaw(module, count(kCurrentZero + (milliamps - kCurrentBottom) * kCurrentSpan / kCurrentRange));
    else
        setAnalogRaw(module, count(volts * kVoltageSpan / kVoltageRange));
}

} // namespace sim
