#include "link/frames/tm_frame.h"

#include "link/bcd.h"
#include "link/clockstamp.h"
#include "link/frames/framebytes.h"
#include "link/moduletable.h"

#include <cmath>

namespace orlo::tm {

namespace {

constexpr int kProductTm = 0x0240;
constexpr int kProductTm14Bit = 0x0244;

constexpr int kRawAtZero = 2073;
constexpr double kEighth = 0.125;
constexpr double kThirtySecond = 0.03125;
constexpr int kOffsetSteps2073 = 8;
constexpr int kOffsetSteps14 = 32;
constexpr quint16 kMask14 = 0x3FFF;
constexpr quint16 kSign14 = 0x2000;
constexpr int kSpan14 = 0x4000;

constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kMinutesPerHour = 60;

// Combo positions: 1 = 15 min, 2 = 30 min, 3 = 1 h, 4 = 2 h.
constexpr int kPeriod15Minutes = 1;
constexpr int kPeriod30Minutes = 2;
constexpr int kPeriod2Hours = 4;
constexpr int kPeriodCount = 4;

quint8 sendTimeBit(int n) { return quint8(kSendTime1Enabled << n); }

} // namespace

Probe probeOfTm(int productId)
{
    if (productId == kProductTm)
        return Probe::Offset2073;
    if (productId == kProductTm14Bit)
        return Probe::Signed14;
    return Probe::Unknown;
}

int offsetSteps(Probe probe)
{
    switch (probe) {
    case Probe::Offset2073: return kOffsetSteps2073;
    case Probe::Signed14: return kOffsetSteps14;
    case Probe::Unknown: break;
    }
    return 0;
}

Layout layoutOf(Probe probe)
{
    return {kFlags, kLowThreshold, kHighThreshold, kSendTimes, kStatementMinutes, kStatementHours, kOffset,
            {&signedThreshold<128>, &putSignedThreshold<128>}, offsetSteps(probe),
            kMaxStatementHours, kMaxStatementMinutes};
}

Config decodeConfig(const quint8 *payload, Probe probe)
{
    return decodeConfig(payload, layoutOf(probe));
}

void encodeConfig(quint8 *payload, const Config &c, const QDateTime &now, Probe probe)
{
    encodeConfig(payload, c, now, layoutOf(probe));
}

Config decodeConfig(const quint8 *payload, const Layout &layout)
{
    Config c;
    const quint8 flags = payload[layout.flags];
    c.periodCode = flags & kPeriodMask;
    c.periodic = flags & kPeriodicStatement;
    c.lifeFrameSecond = flags & kLifeFrameSecond;
    for (int n = 0; n < int(c.sendTimes.size()); ++n) {
        const quint8 *field = payload + layout.sendTimes + kSendTimeSize * n;
        c.sendTimes[size_t(n)] = {bool(flags & sendTimeBit(n)), fromBcd(field[1]), fromBcd(field[0])};
    }
    c.lowThreshold = layout.thresholds.read(payload + layout.lowThreshold);
    c.highThreshold = layout.thresholds.read(payload + layout.highThreshold);
    c.statementMinutes = payload[layout.statementMinutes];
    c.statementHours = payload[layout.statementHours];
    c.offset = layout.offsetSteps ? double(qint8(payload[layout.offset])) / layout.offsetSteps : 0.0;
    return c;
}

void encodeConfig(quint8 *payload, const Config &c, const QDateTime &now, const Layout &layout)
{
    payload[kCommand] = command::WriteConfiguration;
    putClockStamp(payload + kStamp, now);
    quint8 flags = quint8(c.periodCode & kPeriodMask);
    if (c.periodic)
        flags |= kPeriodicStatement;
    if (c.lifeFrameSecond)
        flags |= kLifeFrameSecond;
    for (int n = 0; n < int(c.sendTimes.size()); ++n) {
        const SendTime &t = c.sendTimes[size_t(n)];
        quint8 *field = payload + layout.sendTimes + kSendTimeSize * n;
        if (!t.enabled) {
            field[0] = field[1] = 0;
            continue;
        }
        flags |= sendTimeBit(n);
        field[0] = toBcd(clampByte(t.minute, 0, kLastMinute));
        field[1] = toBcd(clampByte(t.hour, 0, kLastHour));
    }
    payload[layout.flags] = flags;
    layout.thresholds.write(payload + layout.lowThreshold, c.lowThreshold);
    layout.thresholds.write(payload + layout.highThreshold, c.highThreshold);
    payload[layout.statementMinutes] = clampByte(c.statementMinutes, 0, layout.maxStatementMinutes);
    payload[layout.statementHours] = clampByte(c.statementHours, 0, layout.maxStatementHours);
    payload[layout.offset] = layout.offsetSteps ? quint8(truncateTo<qint8>(c.offset * layout.offsetSteps)) : 0;
}

Config868 decodeConfig868(const quint8 *payload, int offsetSteps)
{
    Config868 c;
    c.role = payload[kFlags] & kRoleMask;
    c.statementMinutes = payload[kStatementMinutes];
    c.statementHours = payload[kStatementHours];
    c.offset = double(qint8(payload[kOffset])) / offsetSteps;
    c.channel = getU16le(payload + kChannel);
    c.baudCode = payload[kBaudCode];
    c.remoteAddress = payload[kRemoteAddress];
    c.modemAddress = payload[kModemAddress];
    return c;
}

void encodeConfig868(quint8 *payload, const Config868 &c, const QDateTime &now, int offsetSteps)
{
    payload[kCommand] = command::WriteConfiguration;
    putClockStamp(payload + kStamp, now);
    payload[kFlags] = 0;
    if (c.role != kRoleMaster)
        return;
    payload[kFlags] = kRoleMaster;
    if (c.baudCode > kLastNormalBaudCode)
        payload[kFlags] |= kCompatibilityRate;
    payload[kStatementMinutes] = clampByte(c.statementMinutes, 0, kMaxStatementMinutes);
    payload[kStatementHours] = clampByte(c.statementHours, 0, kMaxStatementHours);
    payload[kOffset] = quint8(truncateTo<qint8>(c.offset * offsetSteps));
    putU16le(payload + kChannel, quint16(qBound(0, c.channel, 0xFFFF)));
    payload[kBaudCode] = clampByte(c.baudCode);
    payload[kRemoteAddress] = clampByte(c.remoteAddress, 0, kMaxAddress);
    payload[kModemAddress] = clampByte(c.modemAddress, 0, kMaxAddress);
}

quint16 rawTemperature(const quint8 *payload)
{
    return getU16le(payload + kRawTemperature);
}

double celsius(quint16 raw, Probe probe)
{
    switch (probe) {
    case Probe::Offset2073:
        return (int(raw) - kRawAtZero) * kEighth;
    case Probe::Signed14: {
        // Bits 14-15 are not part of the reading.
        int v = raw & kMask14;
        if (v & kSign14)
            v -= kSpan14;
        return v * kThirtySecond;
    }
    case Probe::Unknown:
        break;
    }
    return 0.0;
}

int digitCount(double t)
{
    const double a = std::fabs(t);
    const int digits = a < 10 ? 3 : a < 100 ? 4 : 5;
    return t < 0 ? digits + 1 : digits;
}

int periodIndex(int code)
{
    return (code & kPeriodMask) + 1;
}

int periodCode(int index)
{
    return (index + 3) & kPeriodMask;
}

int sendHourIndex(int period, int hour)
{
    if (period < 1 || period > kPeriodCount || hour < 0 || hour > kLastHour)
        return 0;
    return period == kPeriod2Hours ? (hour + 2) / 2 : hour + 1;
}

int sendHourAt(int period, int index)
{
    if (index < 1)
        return 0;
    return period == kPeriod2Hours ? 2 * index - 2 : index - 1;
}

int sendMinuteIndex(int period, int minute)
{
    if (minute < 0 || minute >= kMinutesPerHour)
        return 0;
    if (period == kPeriod15Minutes)
        return minute / 15 + 1;
    if (period == kPeriod30Minutes)
        return minute / 30 + 1;
    return 0;
}

int sendMinuteAt(int period, int index)
{
    if (index < 1)
        return 0;
    if (period == kPeriod15Minutes)
        return (index - 1) * 15;
    if (period == kPeriod30Minutes)
        return (index - 1) * 30;
    return 0;
}

int statementHourIndex(int hours, int maxHours)
{
    return hours >= 0 && hours <= maxHours ? hours + 1 : 0;
}

int statementMinuteIndex(int minutes, int maxMinutes)
{
    const int index = minutes / kStatementMinuteStep;
    return minutes >= 0 && index <= maxMinutes / kStatementMinuteStep ? index + 1 : 0;
}

} // namespace orlo::tm
