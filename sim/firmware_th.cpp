// The temperature-and-humidity modules (TH_r10, TH_868): how their sensor
// counts, and a humidity the bench can set (or no humidity sensor).
#include "sim/firmware.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr std::size_t kHumidity = 3;        // live answer: u16le, after the temperature
constexpr std::size_t kHumiditySize = 2;

// The sensor: temperature = 175.72 * count / 65536 - 46.85, humidity =
// 125 * count / 65536 - 6.
constexpr double kCounts = 65536.0;

std::uint16_t countOf(double value, double span, double atZero)
{
    return std::uint16_t(std::clamp(std::lround((value - atZero) * kCounts / span), 0L, 0xFFFFL));
}

} // namespace

std::uint16_t humidityModuleCount(double celsius)
{
    return countOf(celsius, 175.72, -46.85);
}

void setHumidityRaw(Module &module, std::uint16_t count)
{
    // The temperature sits in front: keep it, sizing the answer if need be.
    if (module.live.size() < kHumidity + kHumiditySize)
        setTemperatureRaw(module, 0);
    putLe(module.live, kHumidity, count, kHumiditySize);
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
