#include "link/frames/da_frame.h"

#include "link/bcd.h"
#include "link/clockstamp.h"
#include "link/frames/framebytes.h"
#include "link/moduletable.h"

#include <cmath>

namespace orlo::da {

namespace {

constexpr int kProductCurrent = 0x0222;
constexpr int kProductVoltage = 0x0235;

constexpr Scaling kCurrentScaling{11984, 47744};
constexpr Scaling kVoltageScaling{0, 64240};

constexpr double kTenthsPerUnit = 10.0;
constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr double kMaxOffsetCount = 32767.0;

quint8 sendTimeBit(int n) { return quint8(kSendTime1InUse << n); }

Input decodeInput(quint8 nibble)
{
    return {bool(nibble & kInputInUse), (nibble >> kEdgeShift) & kEdgeMask};
}

quint8 encodeInput(const Input &input)
{
    const int edge = qBound(kEdgeNone, input.edge, kEdgeBoth);
    return quint8((input.inUse ? kInputInUse : 0) | ((edge & kEdgeMask) << kEdgeShift));
}

QString hex(int v) { return QStringLiteral("0x") + QString::number(v, 16); }

} // namespace

Scaling scalingOf(Analog analog)
{
    switch (analog) {
    case Analog::Current: return kCurrentScaling;
    case Analog::Voltage: return kVoltageScaling;
    case Analog::None: break;
    }
    return {};
}

Analog analogOfProduct(int productId)
{
    if (productId == kProductCurrent)
        return Analog::Current;
    if (productId == kProductVoltage)
        return Analog::Voltage;
    return Analog::None;
}

Record decode(const quint8 *payload)
{
    Record r;
    const quint8 config = payload[kConfig];
    r.periodCode = config & kPeriodMask;
    r.current = config & kCurrentLoop;
    r.periodic = config & kPeriodicReading;
    r.keepAlive5Days = config & kKeepAlive5Days;
    for (int n = 0; n < kSendTimeCount; ++n) {
        const quint8 *field = payload + kSendTimes + kSendTimeSize * n;
        r.sendTimes[size_t(n)] = {bool(config & sendTimeBit(n)), fromBcd(field[1]), fromBcd(field[0])};
    }
    const quint8 inputs = payload[kInputs];
    r.input1 = decodeInput(inputs & kInputBits);
    r.input2 = decodeInput(quint8(inputs >> kInput2Shift));
    r.lowRaw = getU16le(payload + kThresholdLow);
    r.highRaw = getU16le(payload + kThresholdHigh);
    r.readingMinutes = payload[kReadingMinutes];
    r.readingHours = payload[kReadingHours];
    r.offsetRaw = getS16le(payload + kOffset);
    r.y1Tenths = getS16le(payload + kY1);
    r.y2Tenths = getS16le(payload + kY2);
    // Up to four letters; a record without its NUL shows the first four.
    int length = 0;
    while (length < kUnitLetters && payload[kUnit + length] != 0)
        ++length;
    r.unit = QString::fromLatin1(reinterpret_cast<const char *>(payload + kUnit), length);
    return r;
}

void encode(quint8 *payload, const QDateTime &now, const Record &r, Variant variant)
{
    const bool r20 = variant == Variant::DA_r20;
    payload[kCommand] = command::WriteConfiguration;
    putClockStamp(payload + kStamp, now);
    quint8 config = quint8(r.periodCode & kPeriodMask);
    if (r20 && r.current)
        config |= kCurrentLoop;
    if (r.periodic)
        config |= kPeriodicReading;
    if (!r20 && r.keepAlive5Days)
        config |= kKeepAlive5Days;
    for (int n = 0; n < kSendTimeCount; ++n) {
        const SendTime &t = r.sendTimes[size_t(n)];
        quint8 *field = payload + kSendTimes + kSendTimeSize * n;
        field[0] = field[1] = 0;
        if (!t.inUse)
            continue;
        config |= sendTimeBit(n);
        field[0] = toBcd(clampByte(t.minute, 0, kLastMinute));
        field[1] = toBcd(clampByte(t.hour, 0, kLastHour));
    }
    payload[kConfig] = config;
    payload[kInputs] = r20 ? kInputsR20 : quint8(encodeInput(r.input1) | (encodeInput(r.input2) << kInput2Shift));
    putU16le(payload + kThresholdLow, r.lowRaw);
    putU16le(payload + kThresholdHigh, r.highRaw);
    payload[kReadingMinutes] = clampByte(r.readingMinutes, 0, kMaxReadingMinutes);
    payload[kReadingHours] = clampByte(r.readingHours, 0, kMaxReadingHours);
    putS16le(payload + kOffset, r.offsetRaw);
    putS16le(payload + kY1, r.y1Tenths);
    putS16le(payload + kY2, r.y2Tenths);
    // Four letters at most, then the NUL; letters Latin-1 cannot hold become '?'.
    const QByteArray unit = r.unit.left(kUnitLetters).toLatin1();
    for (int i = 0; i <= kUnitLetters; ++i)
        payload[kUnit + i] = i < unit.size() ? quint8(unit[i]) : 0;
}

Calibration calibrationOf(const Record &r)
{
    return {r.y1Tenths / kTenthsPerUnit, r.y2Tenths / kTenthsPerUnit};
}

double valueOf(int raw, const Calibration &c, const Scaling &s)
{
    return c.y1 + offsetValueOf(raw - s.zero, c, s);
}

double offsetValueOf(int raw, const Calibration &c, const Scaling &s)
{
    return s.span ? raw * (c.y2 - c.y1) / s.span : 0.0;
}

double resolution(const Calibration &c, const Scaling &s)
{
    return s.span ? (c.y2 - c.y1) / s.span : 0.0;
}

double offsetLimit(const Calibration &c, const Scaling &s)
{
    return kMaxOffsetCount * std::fabs(resolution(c, s));
}

bool hasSpan(const Calibration &c)
{
    return c.y2 != c.y1;
}

quint16 thresholdRaw(double value, const Calibration &c, const Scaling &s)
{
    if (!hasSpan(c))
        return truncateTo<quint16>(s.zero);
    // The same span as the decoder's, divided by k as the module's
    // calibration is defined: the product with span / (Y2 - Y1) would round
    // one count apart at times.
    const double k = (c.y2 - c.y1) / s.span;
    return countOf<quint16>((value - c.y1) / k + s.zero);
}

qint16 offsetRaw(double value, const Calibration &c, const Scaling &s)
{
    return hasSpan(c) ? countOf<qint16>(value * s.span / (c.y2 - c.y1)) : 0;
}

qint16 tenths(double y)
{
    return truncateTo<qint16>(y * kTenthsPerUnit);
}

quint16 liveRaw(const quint8 *payload)
{
    return getU16le(payload + kLiveRaw);
}

int digitCount(double value)
{
    return value < 0 ? 6 : 5;
}

QStringList readTrace(const quint8 *payload)
{
    struct Field {
        const char *label;
        int offset;
        bool decimal;
    };
    static const Field fields[] = {
        {"Commande", kCommand, true},
        {"Config", kConfig, true},
        {"ValueThHHB", kThresholdHigh + 1, false},
        {"ValueThHLB", kThresholdHigh, false},
        {"ValueThLHB", kThresholdLow + 1, false},
        {"ValueThLLB", kThresholdLow, false},
        {"Alarm1Hours", kSendTimes + 1, false},
        {"Alarm1Minutes", kSendTimes, false},
        {"Alarm2Hours", kSendTimes + kSendTimeSize + 1, false},
        {"Alarm2Minutes", kSendTimes + kSendTimeSize, false},
        {"Alarm3Hours", kSendTimes + 2 * kSendTimeSize + 1, false},
        {"Alarm3Minutes", kSendTimes + 2 * kSendTimeSize, false},
        {"RelevePeriodMinutes", kReadingMinutes, true},
        {"RelevePeriodHours", kReadingHours, true},
        {"ValueOffsetHB", kOffset + 1, false},
        {"ValueOffsetLB", kOffset, false},
        {"ValueMinHB", kY1 + 1, false},
        {"ValueMinLB", kY1, false},
        {"ValueMaxHB", kY2 + 1, false},
        {"ValueMaxLB", kY2, false},
        {"Unit[0]", kUnit, false},
        {"Unit[1]", kUnit + 1, false},
        {"Unit[2]", kUnit + 2, false},
        {"Unit[3]", kUnit + 3, false},
        {"Unit[4]", kUnit + 4, false},
    };
    const QString stars(64, QLatin1Char('*'));
    QStringList lines{QStringLiteral("    Acquitement PIC : ") + hex(payload[kCommand]), stars,
                      QStringLiteral("*********************Données envoyées par USB*********************")};
    for (const Field &f : fields) {
        const int v = payload[f.offset];
        lines << QStringLiteral("    %1: %2")
                     .arg(QString::fromLatin1(f.label).leftJustified(16))
                     .arg(f.decimal ? QString::number(v) : hex(v));
    }
    lines << stars;
    return lines;
}

QStringList writeTrace(const quint8 *payload)
{
    return {QStringLiteral("  ValueThL       : ") + hex(getU16le(payload + kThresholdLow)),
            QStringLiteral("  ValueThH       : ") + hex(getU16le(payload + kThresholdHigh)),
            QStringLiteral("  ValueMin       : ") + hex(getU16le(payload + kY1)),
            QStringLiteral("  ValueMax       : ") + hex(getU16le(payload + kY2))};
}

} // namespace orlo::da
