// Firmware model of the two-probe temperature module (TM2D_r10): its record
// with both probes' thresholds, the options byte the module sets, and two
// probe readings the bench can set (the second one removable).
#include "sim/firmware.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// Payload offsets (offset 0 is the command / status byte).
constexpr std::size_t kFlags = 9;
constexpr std::size_t kThresholds = 10;     // low 1, high 1, low 2, high 2: s16le, 1/16 degC
constexpr std::size_t kSendTime1 = 18;      // minute, hour (BCD)
constexpr std::size_t kStatementHours = 25;
constexpr std::size_t kOptions = 28;
constexpr std::size_t kProbe2 = 3;          // live answer: s16le after probe 1

constexpr std::uint8_t kLowUnusedWhenPeriodic = 0x01;
constexpr std::uint8_t kLoRaWan = 0x40;
constexpr std::uint16_t kNoProbe = 0xF830;  // -125.0 degC


class TwoProbeFirmware : public GenericFirmware {
public:
    void attach(Module &module) override
    {
        // 1-hour sampling, threshold statements, send time 1 at 08:00, life
        // frame every day; probe 1 19.5 / 24.5 degC, probe 2 10.0 / 30.0 degC.
        Bytes &r = module.stored;
        r[kFlags] = 0x02 | 0x10 | 0x80;
        const double thresholds[] = {19.5, 24.5, 10.0, 30.0};
        for (std::size_t i = 0; i < 4; ++i)
            putLe(r, kThresholds + 2 * i, twoProbeRaw(thresholds[i]), 2);
        r[kSendTime1 + 1] = 0x08;
        r[kStatementHours] = 1;
        module.defaults = module.stored;
        setTemperatureCelsius(module, 20.0);
        setSecondProbeCelsius(module, 18.5);
    }
};

} // namespace

std::unique_ptr<Firmware> twoProbeFirmware(const orlo::ModuleEntry &)
{
    return std::make_unique<TwoProbeFirmware>();
}

std::uint16_t twoProbeRaw(double celsius)
{
    return std::uint16_t(std::clamp(std::lround(celsius * 16), -32768L, 32767L));
}

void setSecondProbeRaw(Module &module, std::uint16_t raw)
{
    // Probe 1 sits in front: keep it, sizing the answer if need be.
    if (module.live.size() < kProbe2 + 2)
        setTemperatureRaw(module, 0);
    putLe(module.live, kProbe2, raw, 2);
}

void setSecondProbeCelsius(Module &module, double celsius)
{
    setSecondProbeRaw(module, twoProbeRaw(celsius));
}

void removeSecondProbe(Module &module)
{
    setSecondProbeRaw(module, kNoProbe);
}

void setTwoProbeOptions(Module &module, bool loRaWan, bool lowUnusedWhenPeriodic)
{
    if (module.stored.size() <= kOptions)
        return;
    std::uint8_t &options = module.stored[kOptions];
    options = std::uint8_t((options & ~(kLoRaWan | kLowUnusedWhenPeriodic)) | (loRaWan ? kLoRaWan : 0)
                           | (lowUnusedWhenPeriodic ? kLowUnusedWhenPeriodic : 0));
}

} // namespace sim
