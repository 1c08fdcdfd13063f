// Temperature, humidity, two-probe and analog records as named fields, in
// the units and ranges their pages show.
#include "link/records/recordfields.h"

#include "link/frames/da_frame.h"
#include "link/frames/framebytes.h"
#include "link/frames/th_frame.h"
#include "link/frames/tm2d_frame.h"
#include "link/frames/tm_frame.h"
#include "link/limits.h"
#include "link/moduletable.h"

#include <array>
#include <cmath>
#include <limits>

namespace orlo::records {

namespace {

using limits::kThresholdGap;
using limits::kThresholdGapAnalog;
constexpr double kAnalogStep = 0.01;        // the analog boxes' precision: counts follow Y1 and Y2
constexpr double kTenth = 0.1;              // Y1 and Y2 are stored in tenths
constexpr double kLowestY = -3276.8;        // what the Y1 and Y2 boxes accept
constexpr double kHighestY = 3276.7;
constexpr int kLastSendHour = 23;           // the send-time lists' last entries
constexpr int kLastSendMinute = 45;

using limits::kOffsetTh;
using limits::kOffsetTm;
using limits::kOffsetTm14Bit;
using limits::kOffsetTm2d;
using limits::kThresholdsTh;
using limits::kThresholdsTm;
using limits::kThresholdsTm2d;

// A temperature page as its record holds it.
struct ProbePage {
    tm::Layout layout;
    QStringList life;           // the life frame's buttons: flag clear, flag set
    double thresholdStep;       // degC per count; 0: the sensor's counts, through layout.thresholds
    limits::Thresholds thresholds;
    double offsetRange;         // +/- degC
};


QString sendTimeName(int n, const char *part)
{
    return QStringLiteral("send time %1%2").arg(n + 1).arg(QLatin1String(part));
}

// Period, statement mode, the three send times and the life frame: the
// flags byte and the send times, the same on every page with thresholds.
struct Schedule {
    int flags;
    quint8 periodMask;
    quint8 periodic;
    std::array<quint8, 3> sendTimeBits;
    int sendTimes;
    int sendTimeSize;
    int minute;
    int hour;
    quint8 lifeFrame;           // 0: the page has no life frame
    QStringList life;
    std::function<bool(const quint8 *, int n)> sendTimeUsed;
};

QVector<Field> scheduleFields(const Schedule &s)
{
    QVector<Field> fields{choice(QStringLiteral("sampling period"), s.flags, listItems(limits::periodTexts()), s.periodMask),
                          flag(QStringLiteral("periodic statement"), s.flags, s.periodic)};
    for (int n = 0; n < int(s.sendTimeBits.size()); ++n) {
        const int at = s.sendTimes + s.sendTimeSize * n;
        // An unused send time shows "--": no hour, no minute.
        const auto used = [inUse = s.sendTimeUsed, n](const quint8 *p) { return inUse(p, n); };
        fields << flag(sendTimeName(n, ""), s.flags, s.sendTimeBits[size_t(n)])
               << shownWhen(number(sendTimeName(n, " hour"), at + s.hour, Storage::Bcd, 1, 0, kLastSendHour), used)
               << shownWhen(number(sendTimeName(n, " minute"), at + s.minute, Storage::Bcd, 1, 0, kLastSendMinute),
                            used);
    }
    if (s.lifeFrame)
        fields << choice(QStringLiteral("life frame"), s.flags, listItems(s.life), s.lifeFrame);
    return fields;
}

Schedule tmSchedule(const tm::Layout &l, const QStringList &life)
{
    return {l.flags, tm::kPeriodMask, tm::kPeriodicStatement,
            {tm::kSendTime1Enabled, tm::kSendTime2Enabled, tm::kSendTime3Enabled},
            l.sendTimes, tm::kSendTimeSize, tm::kSendTimeMinute, tm::kSendTimeHour, tm::kLifeFrameSecond, life,
            [l](const quint8 *p, int n) { return tm::decodeConfig(p, l).sendTimes[size_t(n)].enabled; }};
}

QVector<Field> statementFields(int hoursAt, int minutesAt, int maxHours, int maxMinutes)
{
    return {number(QStringLiteral("statement period hours"), hoursAt, Storage::Byte, 1, 0, maxHours),
            number(QStringLiteral("statement period minutes"), minutesAt, Storage::Byte, 1, 0, maxMinutes)};
}

// A threshold in degC: signed counts of a fixed step, or the layout's own
// conversion (the humidity sensor's counts).
Field threshold(const QString &name, int offset, const ProbePage &page, double minimum, double maximum)
{
    if (page.thresholdStep > 0)
        return number(name, offset, Storage::Signed16le, page.thresholdStep, minimum, maximum);
    const tm::ThresholdCodec codec = page.layout.thresholds;
    // The sensor's counts: degC per count, and the page's minimum lands up
    // to a count below itself.
    const double perCount = th::celsiusOfCount(1) - th::celsiusOfCount(0);
    std::array<quint8, sizeof(quint16)> held{};
    codec.write(held.data(), minimum);
    Field f = number(name, offset, Storage::Unsigned16le, perCount, codec.read(held.data()), maximum);
    f.read = [codec, offset](const quint8 *p) { return codec.read(p + offset); };
    f.write = [codec, offset](quint8 *p, double celsius) { codec.write(p + offset, celsius); };
    return f;
}

QVector<Field> thresholdPair(const QString &prefix, int lowAt, int highAt, const ProbePage &page)
{
    const limits::Thresholds &r = page.thresholds;
    return {threshold(prefix + QStringLiteral("low threshold (degC)"), lowAt, page, r.lowMinimum,
                      r.highMaximum - kThresholdGap),
            threshold(prefix + QStringLiteral("high threshold (degC)"), highAt, page, r.lowMinimum + kThresholdGap,
                      r.highMaximum)};
}

Field signedOffset(const QString &name, int at, int steps, double range)
{
    return number(name, at, Storage::Signed8, 1.0 / steps, -range, range);
}

// TM, TM_r20, TH_r10: one probe, thresholds and offset.
QVector<Field> probeFields(const ProbePage &page)
{
    const tm::Layout &l = page.layout;
    QVector<Field> fields = scheduleFields(tmSchedule(l, page.life));
    fields << thresholdPair(QString(), l.lowThreshold, l.highThreshold, page)
           << statementFields(l.statementHours, l.statementMinutes, l.maxStatementHours, l.maxStatementMinutes);
    if (l.offsetSteps)
        fields << signedOffset(QStringLiteral("offset (degC)"), l.offset, l.offsetSteps, page.offsetRange);
    return fields;
}

// TM2D_r10: probe 1 where the single-probe record keeps it, probe 2 beside,
// low thresholds hidden where the module leaves them unused.
QVector<Field> twoProbeFields()
{
    const ProbePage page{tm2d::layout(), limits::lifeTextsEnglish(), 1.0 / tm2d::kSteps, kThresholdsTm2d, kOffsetTm2d};
    const tm::Layout &l = page.layout;
    const auto lowUsed = [](const quint8 *p) {
        const tm2d::Config c = tm2d::decodeConfig(p);
        return !tm2d::lowThresholdsUnused(c.options, c.first.periodic);
    };
    QVector<Field> fields = scheduleFields(tmSchedule(l, page.life));
    const int lows[] = {l.lowThreshold, tm2d::kLowThreshold2};
    const int highs[] = {l.highThreshold, tm2d::kHighThreshold2};
    const int offsets[] = {l.offset, tm2d::kOffset2};
    for (int n = 0; n < 2; ++n) {
        const QString probe = QStringLiteral("probe %1 ").arg(n + 1);
        QVector<Field> pair = thresholdPair(probe, lows[n], highs[n], page);
        fields << shownWhen(pair[0], lowUsed) << pair[1];
    }
    fields << statementFields(l.statementHours, l.statementMinutes, l.maxStatementHours, l.maxStatementMinutes);
    for (int n = 0; n < 2; ++n)
        fields << signedOffset(QStringLiteral("probe %1 offset (degC)").arg(n + 1), offsets[n], l.offsetSteps,
                         page.offsetRange);
    fields << shownWhen(choice(QStringLiteral("join mode"), tm2d::kOptions,
                               listItems(limits::joinModeTexts()),
                               tm2d::kJoinAbp),
                        [](const quint8 *p) { return (tm2d::decodeConfig(p).options & tm2d::kLoRaWan) != 0; });
    return fields;
}

// TM_868, TH_868: the role; a Master has a statement period, an offset and
// the radio settings.
QVector<Field> radioFields(int offsetSteps, double offsetRange)
{
    const auto master = [](const quint8 *p) { return tm::decodeConfig868(p).role == tm::kRoleMaster; };
    QVector<Field> masterOnly =
        statementFields(tm::kStatementHours, tm::kStatementMinutes, tm::kMaxStatementHours, tm::kMaxStatementMinutes);
    masterOnly << signedOffset(QStringLiteral("offset (degC)"), tm::kOffset, offsetSteps, offsetRange)
               << number(QStringLiteral("radio channel"), tm::kChannel, Storage::Unsigned16le, 1, 0, kLastRadioChannel)
               << choice(QStringLiteral("radio rate (bps)"), tm::kBaudCode, radioRateItems())
               << number(QStringLiteral("remote address"), tm::kRemoteAddress, Storage::Byte, 1, 0, tm::kMaxAddress)
               << belongingTo(number(QStringLiteral("modem address"), tm::kModemAddress, Storage::Byte, 1, 0,
                                     tm::kMaxAddress),
                              Belongs::OwnAddress);
    QVector<Field> fields{choice(QStringLiteral("role"), tm::kFlags,
                                 {{0, QStringLiteral("Slave")}, {tm::kRoleMaster, QStringLiteral("Master")}},
                                 tm::kRoleMask)};
    for (const Field &f : masterOnly)
        fields << shownWhen(f, master);
    return fields;
}

constexpr double kTmStep = 1.0 / tm::kThresholdSteps;

} // namespace

// DA, DA_r20: thresholds and offset in the user's unit, on the calibration
// Y1..Y2 that comes before them and the analog type (the product's, or the
// record's on DA_r20). Without a span they have no value and stay as stored.
QVector<Field> analogFields(int productId)
{
    const da::Analog fixed = da::analogOfProduct(productId);
    const bool typeInRecord = fixed == da::Analog::None;
    const auto scaling = [fixed](const da::Record &r) {
        if (fixed != da::Analog::None)
            return da::scalingOf(fixed);
        return da::scalingOf(r.current ? da::Analog::Current : da::Analog::Voltage);
    };
    const auto spanned = [](const quint8 *p) { return da::hasSpan(da::calibrationOf(da::decode(p))); };
    // The widest offset a record holds: its lowest count, on Y1..Y2 at their
    // extremes and the narrowest span (the boxes allow a count less).
    const da::Scaling narrowest = typeInRecord ? da::scalingOf(da::Analog::Current) : da::scalingOf(fixed);
    const double offsetLimit =
        std::fabs(da::offsetValueOf(std::numeric_limits<qint16>::min(), {kLowestY, kHighestY}, narrowest));

    QVector<Field> fields = scheduleFields(
        {da::kConfig, da::kPeriodMask, da::kPeriodicReading,
         {da::kSendTime1InUse, da::kSendTime2InUse, da::kSendTime3InUse},
         da::kSendTimes, da::kSendTimeSize, da::kSendTimeMinute, da::kSendTimeHour,
         typeInRecord ? quint8(0) : da::kKeepAlive5Days, limits::lifeTextsFrench(),
         [](const quint8 *p, int n) { return da::decode(p).sendTimes[size_t(n)].inUse; }});
    if (typeInRecord)
        fields << choice(QStringLiteral("analog measurement"), da::kConfig,
                         listItems(limits::analogTypeTexts()), da::kCurrentLoop);
    fields << number(QStringLiteral("calibration Y1"), da::kY1, Storage::Signed16le, kTenth, kLowestY, kHighestY)
           << number(QStringLiteral("calibration Y2"), da::kY2, Storage::Signed16le, kTenth, kLowestY, kHighestY);
    Field unit;
    unit.name = QStringLiteral("unit");
    unit.offset = da::kUnit;
    unit.storage = Storage::Text;
    unit.kind = Kind::Text;
    unit.size = da::kUnitLetters;
    fields << unit;

    const auto thresholdAt = [scaling, spanned](const QString &name, int at, quint16 da::Record::*raw,
                                                double minimum, double maximum) {
        Field f = number(name, at, Storage::Unsigned16le, kAnalogStep, minimum, maximum);
        f.read = [scaling, raw](const quint8 *p) {
            const da::Record r = da::decode(p);
            return da::valueOf(r.*raw, da::calibrationOf(r), scaling(r));
        };
        f.write = [scaling, at](quint8 *p, double value) {
            const da::Record r = da::decode(p);
            putU16le(p + at, da::thresholdRaw(value, da::calibrationOf(r), scaling(r)));
        };
        return shownWhen(f, spanned);
    };
    fields << thresholdAt(QStringLiteral("low threshold"), da::kThresholdLow, &da::Record::lowRaw, kLowestY,
                          kHighestY - kThresholdGapAnalog)
           << thresholdAt(QStringLiteral("high threshold"), da::kThresholdHigh, &da::Record::highRaw,
                          kLowestY + kThresholdGapAnalog, kHighestY)
           << statementFields(da::kReadingHours, da::kReadingMinutes, da::kMaxReadingHours, da::kMaxReadingMinutes);

    Field offsetField = number(QStringLiteral("offset"), da::kOffset, Storage::Signed16le, kAnalogStep,
                               -offsetLimit, offsetLimit);
    offsetField.read = [scaling](const quint8 *p) {
        const da::Record r = da::decode(p);
        return da::offsetValueOf(r.offsetRaw, da::calibrationOf(r), scaling(r));
    };
    offsetField.write = [scaling](quint8 *p, double value) {
        const da::Record r = da::decode(p);
        putS16le(p + da::kOffset, da::offsetRaw(value, da::calibrationOf(r), scaling(r)));
    };
    fields << shownWhen(offsetField, spanned);

    if (!typeInRecord) {
        fields << flag(QStringLiteral("input 1 in use"), da::kInputs, da::kInput1InUse)
               << choice(QStringLiteral("input 1 edge"), da::kInputs, edgeItems(), da::kInput1Edge)
               << flag(QStringLiteral("input 2 in use"), da::kInputs, da::kInput2InUse)
               << choice(QStringLiteral("input 2 edge"), da::kInputs, edgeItems(), da::kInput2Edge);
    }
    return fields;
}


QVector<Field> tmFields(int productId)
{
    const tm::Probe probe = tm::probeOfTm(productId);
    const double range = probe == tm::Probe::Signed14 ? kOffsetTm14Bit : kOffsetTm;
    return probeFields({tm::layoutOf(probe), limits::lifeTextsFrench(), kTmStep, kThresholdsTm, range});
}

QVector<Field> tmR20Fields(int)
{
    return probeFields({tm::layoutOf(tm::Probe::Offset2073), limits::lifeTextsEnglish(), kTmStep, kThresholdsTm, kOffsetTm});
}

QVector<Field> thR10Fields(int)
{
    return probeFields({th::layout(), limits::lifeTextsEnglish(), 0, kThresholdsTh, kOffsetTh});
}

QVector<Field> tm2dFields(int)
{
    return twoProbeFields();
}

QVector<Field> tm868Fields(int)
{
    return radioFields(tm::kOffsetSteps868, kOffsetTm);
}

QVector<Field> th868Fields(int)
{
    return radioFields(th::kOffsetSteps, kOffsetTh);
}

} // namespace orlo::records
