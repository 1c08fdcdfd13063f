#include "link/frames/th_frame.h"

#include <cmath>

namespace orlo::th {

namespace {
constexpr double kCountSpan = 65536.0;
constexpr double kTemperatureSpan = 175.72;
constexpr double kTemperatureAtZero = -46.85;
constexpr double kHumiditySpan = 125.0;
constexpr double kHumidityAtZero = -6.0;
} // namespace

double celsiusOfCount(quint16 count)
{
    return kTemperatureSpan * count / kCountSpan + kTemperatureAtZero;
}

quint16 countOfCelsius(double celsius)
{
    return countOf<quint16>((celsius - kTemperatureAtZero) * kCountSpan / kTemperatureSpan);
}

double humidityOfCount(quint16 count)
{
    return kHumiditySpan * count / kCountSpan + kHumidityAtZero;
}

double countThreshold(const quint8 *field)
{
    return celsiusOfCount(getU16le(field));
}

void putCountThreshold(quint8 *field, double celsius)
{
    putU16le(field, countOfCelsius(celsius));
}

tm::Layout layout()
{
    tm::Layout l = tm::layoutOf(tm::Probe::Offset2073);
    l.thresholds = {&countThreshold, &putCountThreshold};
    l.offsetSteps = kOffsetSteps;
    return l;
}

Reading decodeReading(const quint8 *payload)
{
    return {celsiusOfCount(getU16le(payload + kTemperatureCount)),
            humidityOfCount(getU16le(payload + kHumidityCount))};
}

int digitCount(double value)
{
    const int digits = std::fabs(value) < 10 ? 4 : 5;
    return value < 0 ? digits + 1 : digits;
}

} // namespace orlo::th
