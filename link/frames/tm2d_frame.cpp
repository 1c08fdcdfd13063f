#include "link/frames/tm2d_frame.h"

namespace orlo::tm2d {

namespace {
// Where probe 1 and the schedule sit in this record.
constexpr int kFlags = 9;
constexpr int kLowThreshold1 = 10;
constexpr int kHighThreshold1 = 12;
constexpr int kSendTimes = 18;          // 3 x (minute, hour), BCD
constexpr int kStatementMinutes = 24;   // plain 0, 10, 20, 30
constexpr int kStatementHours = 25;     // plain 0 .. 24
constexpr int kOffset1 = 26;
} // namespace

tm::Layout layout()
{
    return {kFlags, kLowThreshold1, kHighThreshold1, kSendTimes, kStatementMinutes, kStatementHours, kOffset1,
            {&tm::signedThreshold<kSteps>, &tm::putSignedThreshold<kSteps>}, kSteps,
            kMaxStatementHours, kMaxStatementMinutes};
}

Config decodeConfig(const quint8 *payload)
{
    Config c;
    c.first = tm::decodeConfig(payload, layout());
    c.second.lowThreshold = tm::signedThreshold<kSteps>(payload + kLowThreshold2);
    c.second.highThreshold = tm::signedThreshold<kSteps>(payload + kHighThreshold2);
    c.second.offset = double(qint8(payload[kOffset2])) / kSteps;
    c.options = payload[kOptions];
    return c;
}

void encodeConfig(quint8 *payload, const Config &c, const QDateTime &now)
{
    const tm::Layout l = layout();
    tm::encodeConfig(payload, c.first, now, l);
    tm::putSignedThreshold<kSteps>(payload + kLowThreshold2, c.second.lowThreshold);
    tm::putSignedThreshold<kSteps>(payload + kHighThreshold2, c.second.highThreshold);
    payload[kOffset2] = quint8(truncateTo<qint8>(c.second.offset * kSteps));
    payload[kOptions] = c.options;
    if (lowThresholdsUnused(c.options, c.first.periodic)) {
        putS16le(payload + l.lowThreshold, 0);
        putS16le(payload + kLowThreshold2, 0);
    }
}

bool lowThresholdsUnused(quint8 options, bool periodic)
{
    return periodic && (options & kLowUnusedWhenPeriodic);
}

quint8 optionsWithJoinMode(quint8 received, bool shown, bool abp)
{
    if (!shown)
        return received;
    const quint8 options = quint8(received | kLoRaWan);
    return abp ? quint8(options | kJoinAbp) : quint8(options & ~kJoinAbp);
}

Reading decodeReading(const quint8 *payload)
{
    return {getS16le(payload + kProbe1), getS16le(payload + kProbe2)};
}

double celsius(qint16 raw)
{
    return double(raw) / kSteps;
}

} // namespace orlo::tm2d
