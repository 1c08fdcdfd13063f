#include "link/checks.h"

#include "link/frames/da_frame.h"
#include "link/frames/di_frame.h"
#include "link/frames/mirror_frame.h"
#include "link/frames/rpt_frame.h"
#include "link/frames/rslw_frame.h"
#include "link/frames/th_frame.h"
#include "link/frames/tm2d_frame.h"
#include "link/frames/tm_frame.h"
#include "link/limits.h"
#include "link/moduletable.h"

#include <QCoreApplication>
#include <functional>

namespace orlo::checks {

// The texts as the users know them, English and French mixed where they are.
// The window translates each when it shows it (widgets/writecycle.h: box
// texts in "orlo::warning", lines in "orlo::checks"); orlo-cli and the history
// keep them as they are.
namespace {
QString text(const char *source)
{
    return QString::fromUtf8(source);
}

const QString kHeaderFrench = text(QT_TRANSLATE_NOOP("orlo::warning",
    "CONFIGURATION INVALIDE.\n\n"
    "Au moins un champ horaire d'un des 3 envois de température possible n'est pas configuré :\n\n"));
const QString kHeaderSendingEnglish = text(QT_TRANSLATE_NOOP("orlo::warning",
    "INVALID CONFIGURATION.\n\nAt least one time field of a temperature sending is not configured :\n\n"));
const WarningTexts kBoxFrench{warning::kTitleFrench, kHeaderFrench, warning::kFooterFrench};
const WarningTexts kBoxMixed{warning::kTitleFrench, kHeaderSendingEnglish, warning::kFooterFrench};
const QString kStatementHour = text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp heure de relevé non configuré.\n"));
const QString kStatementMinute = text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de relevé non configuré.\n"));
} // namespace

const ScheduleTexts kScheduleFrench = {
    kBoxFrench,
    {{text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp heure     de l'heure n°1 non configuré.\n")),
      text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de l'heure n°1 non configuré.\n"))},
     {text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp heure     de l'heure n°2 non configuré.\n")),
      text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de l'heure n°2 non configuré.\n"))},
     {text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp heure     de l'heure n°3 non configuré.\n")),
      text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de l'heure n°3 non configuré.\n"))}},
    kStatementHour,
    kStatementMinute};
const ScheduleTexts kScheduleR20 = {
    kBoxMixed,
    {{text(QT_TRANSLATE_NOOP("orlo::checks", "\tHour field     n°1 non configuré.\n")),
      text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de l'heure n°1 non configuré.\n"))},
     {text(QT_TRANSLATE_NOOP("orlo::checks", "\tHour field     n°2 non configured.\n")),
      text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de l'heure n°2 non configuré.\n"))},
     {text(QT_TRANSLATE_NOOP("orlo::checks", "\tHour field     de l'heure n°3 non configuré.\n")),
      text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de l'heure n°3 non configuré.\n"))}},
    kStatementHour,
    kStatementMinute};
const ScheduleTexts kSchedule868 = {kBoxMixed, {{}}, kStatementHour, kStatementMinute};
const ScheduleTexts kScheduleR10 = kScheduleR20;
const ScheduleTexts kScheduleDA_r20 = {
    kBoxFrench,
    {},
    {},
    {}};

const TimeTexts kTimeFrench = {
    kBoxFrench,
    text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp heure de relevé compteur non configuré.\n")),
    text(QT_TRANSLATE_NOOP("orlo::checks", "\tChamp minutes de relevé compteur non configuré.\n"))};
const TimeTexts kTimeEnglish = {
    {warning::kTitleEnglish,
     text(QT_TRANSLATE_NOOP("orlo::warning",
                            "INVALID CONFIGURATION.\n\nAt least one time field of a sending is not configured.\n\n")),
     text(QT_TRANSLATE_NOOP("orlo::warning", "\nTo continue, click \"OK\", enter a valid configuration\n"
                                             "and click again on \"Configurer\"\n"))},
    text(QT_TRANSLATE_NOOP("orlo::checks", "\tMeter reading hour time is not set.\n")),
    text(QT_TRANSLATE_NOOP("orlo::checks", "\tMeter reading minute time is not set.\n"))};
// The four-input module's counter reset says it as the two-input one does.
const TimeTexts kTimeAccented = kTimeFrench;

const WarningTexts kMirrorWarningIOD = {
    warning::kTitleEnglish, text(QT_TRANSLATE_NOOP("orlo::warning", "INVALID CONFIGURATION.\n\nWarning\n\n")),
    warning::kFooterEnglish};
const WarningTexts kMirrorWarningLoRa = {warning::kTitleEnglish, warning::kHeadEnglish, warning::kFooterEnglish};
// 2400 .. 19200 bps; on the LoRa module the code is the data-rate index: 610 bps and above.
const SpeedRule kMirrorSpeedsIOD = {
    2, 5, text(QT_TRANSLATE_NOOP("orlo::checks", "\t1200,38400,57600,115200 is not available\n"))};
const SpeedRule kMirrorSpeedsLoRa = {
    2, 6, text(QT_TRANSLATE_NOOP("orlo::checks", "\tDatarate 183bps and 335bps are not available\n"))};

const QString kCalibrationLine = text(QT_TRANSLATE_NOOP(
    "orlo::checks", "\tPlage d'étalonnage nulle : la valeur maximum doit différer de la valeur minimum.\n"));
const WarningTexts kRoleTexts{
    warning::kTitleEnglish, warning::kHeadEnglish,
    text(QT_TRANSLATE_NOOP("orlo::warning", "\nClick the tab of the role to write, then \"Configurer\" again.\n"))};
const QString kRoleUnknownLine = text(
    QT_TRANSLATE_NOOP("orlo::checks", "- The module stores a role no tab shows: choose Master, Slave or Bridge.\n"));

namespace {

constexpr int kPeriod15Minutes = 1;     // period box entries
constexpr int kPeriod30Minutes = 2;
constexpr int kMinuteStep = limits::kReadingMinuteStep;
// Translated when the line is made: the channel is in it.
const char *const kChannelOutsidePlan =
    QT_TRANSLATE_NOOP("orlo::checks", "\tChannel %1 is not in the channel plan of this data rate\n");

bool within(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

} // namespace

bool ScheduleRefusal::any() const
{
    return anyShown(false) || anyShown(true);
}

bool ScheduleRefusal::anyShown(bool periodic) const
{
    if (periodic)
        return statementHour || statementMinute;
    for (const auto &t : sendTime)
        if (t[0] || t[1])
            return true;
    return false;
}

// A time the boxes cannot show is "--" on the page, which refuses it.
ScheduleRefusal checkSchedule(const Schedule &s, const StatementRule &rule)
{
    ScheduleRefusal r;
    const bool minutesCount = s.periodIndex == kPeriod15Minutes || s.periodIndex == kPeriod30Minutes;
    for (int n = 0; n < kSendTimes; ++n) {
        const Schedule::SendTime &t = s.sendTimes[size_t(n)];
        if (!t.enabled)
            continue;
        r.sendTime[n][0] = tm::sendHourIndex(s.periodIndex, t.hour) == 0;
        r.sendTime[n][1] = minutesCount && tm::sendMinuteIndex(s.periodIndex, t.minute) == 0;
    }
    const int minuteEntry = tm::statementMinuteIndex(s.statementMinutes, rule.maxMinutes);
    r.statementHour = tm::statementHourIndex(s.statementHours, rule.maxHours) == 0;
    r.statementMinute = minuteEntry == 0
                        || (rule.noZeroMinuteAtZeroHour && s.statementHours == 0 && minuteEntry == 1);
    return r;
}

QStringList scheduleLines(const ScheduleRefusal &r, bool periodic, const ScheduleTexts &texts)
{
    QStringList lines;
    if (periodic) {
        if (r.statementHour)
            lines << texts.statementHour;
        if (r.statementMinute)
            lines << texts.statementMinute;
        return lines;
    }
    for (int n = 0; n < kSendTimes; ++n)
        for (int k = 0; k < 2; ++k)
            if (r.sendTime[n][k])
                lines << texts.sendTime[n][k];
    return lines;
}

QStringList readingTimeLines(int hour, int minute, const ReadingLists &lists, const TimeTexts &texts)
{
    QStringList lines;
    const bool hourSet = within(hour, 0, lists.lastHour);
    if (!hourSet)
        lines << texts.hourLine;
    const bool minuteListed = minute >= 0 && minute % kMinuteStep == 0 && minute <= lists.lastMinute;
    const bool offered = !lists.minutesFollowHour || !hourSet
                         || (hour == 0 ? minute > 0 : hour != limits::kLastReadingHour || minute == 0);
    if (!minuteListed || !offered)
        lines << texts.minuteLine;
    return lines;
}

QStringList loRaChannelLines(int channel, int rateIndex)
{
    if (limits::isLoRaPlanChannel(channel, rateIndex))
        return {};
    return {QCoreApplication::translate("orlo::checks", kChannelOutsidePlan).arg(channel)};
}

// ---- Each type's record -----------------------------------------------------

namespace {

using Check = std::function<Failed(int productId, const quint8 *payload, const std::optional<rs::Information> &)>;

Schedule scheduleOf(int periodCode, const std::array<Schedule::SendTime, kSendTimes> &sendTimes, int hours,
                    int minutes)
{
    return {tm::periodIndex(periodCode), sendTimes, hours, minutes};
}

Schedule scheduleOf(const tm::Config &c)
{
    std::array<Schedule::SendTime, kSendTimes> times{};
    for (int n = 0; n < kSendTimes; ++n)
        times[size_t(n)] = {c.sendTimes[size_t(n)].enabled, c.sendTimes[size_t(n)].hour,
                            c.sendTimes[size_t(n)].minute};
    return scheduleOf(c.periodCode, times, c.statementHours, c.statementMinutes);
}

// A temperature page refuses a gap in either reading mode, naming the shown one's.
Check thresholdPage(std::function<tm::Config(int productId, const quint8 *)> decode, const ScheduleTexts &texts,
                    bool noZeroMinute)
{
    return [decode, &texts, noZeroMinute](int productId, const quint8 *payload, const auto &) {
        const tm::Config c = decode(productId, payload);
        const ScheduleRefusal r =
            checkSchedule(scheduleOf(c), {tm::kMaxStatementHours, tm::kMaxStatementMinutes, noZeroMinute});
        return Failed{texts.box, scheduleLines(r, c.periodic, texts), r.any()};
    };
}

// The radio pages: a Master's statement period.
Check radioPage(const ScheduleTexts &texts, bool noZeroMinute)
{
    return [&texts, noZeroMinute](int, const quint8 *payload, const auto &) {
        const tm::Config868 c = tm::decodeConfig868(payload);
        if (c.role != tm::kRoleMaster)
            return Failed{texts.box, {}, false};
        Schedule s;
        s.statementHours = c.statementHours;
        s.statementMinutes = c.statementMinutes;
        const ScheduleRefusal r =
            checkSchedule(s, {tm::kMaxStatementHours, tm::kMaxStatementMinutes, noZeroMinute});
        const QStringList lines = scheduleLines(r, true, texts);
        return Failed{texts.box, lines, !lines.isEmpty()};
    };
}

// The analog pages check the shown reading mode only, and the calibration.
Check analogPage(const ScheduleTexts &texts)
{
    return [&texts](int, const quint8 *payload, const auto &) {
        const da::Record d = da::decode(payload);
        std::array<Schedule::SendTime, kSendTimes> times{};
        for (int n = 0; n < kSendTimes; ++n)
            times[size_t(n)] = {d.sendTimes[size_t(n)].inUse, d.sendTimes[size_t(n)].hour,
                                d.sendTimes[size_t(n)].minute};
        const ScheduleRefusal r =
            checkSchedule(scheduleOf(d.periodCode, times, d.readingHours, d.readingMinutes),
                          {tm::kMaxStatementHours, tm::kMaxStatementMinutes, true});
        const bool unscalable = !da::hasSpan(da::calibrationOf(d));
        QStringList lines = r.anyShown(d.periodic) ? scheduleLines(r, d.periodic, texts) : QStringList();
        if (unscalable)
            lines << kCalibrationLine;
        return Failed{texts.box, lines, r.anyShown(d.periodic) || unscalable};
    };
}

Failed timeFailed(const WarningTexts &box, const QStringList &lines)
{
    return {box, lines, !lines.isEmpty()};
}

Check inputPage(bool withCounters, const ReadingLists &lists, const TimeTexts &texts)
{
    return [withCounters, lists, &texts](int, const quint8 *payload, const auto &) {
        const di::Record r = di::decode(payload, withCounters);
        return timeFailed(texts.box, readingTimeLines(r.hour, r.minute, lists, texts));
    };
}

Failed fourInputPage(int, const quint8 *payload, const std::optional<rs::Information> &)
{
    const di::Record4 r = di::decode4(payload);
    return timeFailed(kTimeEnglish.box,
                      readingTimeLines(r.hour, r.minute, {limits::kLastReadingHour, limits::kLastPeriodMinute, false},
                                       kTimeEnglish));
}

// A Master sends a reading time; a mirror role only the speeds it accepts.
Check mirrorPage(mirror::Variant variant, const WarningTexts &box, const SpeedRule *speeds)
{
    return [variant, &box, speeds](int, const quint8 *payload, const auto &) {
        const mirror::Record r = mirror::decode(payload, variant);
        QStringList lines;
        if (r.role == mirror::Master)
            lines = readingTimeLines(r.hour, r.minute, {limits::kLastReadingHour, limits::kLastReadingMinute},
                                     kTimeEnglish);
        else if (r.role != mirror::Slave && speeds && !within(r.speed, speeds->lowest, speeds->highest))
            lines << speeds->line;
        if (variant == mirror::Variant::DIO_LoRa)
            lines << loRaChannelLines(r.channel, r.speed);
        return timeFailed(box, lines);
    };
}

const WarningTexts kFirmwareTexts{warning::kTitleEnglish, warning::kHeadEnglish, warning::kFooterEnglish};

Failed bridgePage(int, const quint8 *payload, const std::optional<rs::Information> &information)
{
    return timeFailed(kFirmwareTexts, rs::lockedFeatures(rs::decode(payload), information));
}

Failed repeaterPage(int, const quint8 *payload, const std::optional<rs::Information> &information)
{
    return timeFailed(kFirmwareTexts, rpt::lockedFeatures(rpt::decode(payload), information));
}

Failed loRaSerialPage(int, const quint8 *payload, const std::optional<rs::Information> &)
{
    if (rslw::decode(payload).role >= 0)
        return {kRoleTexts, {}, false};
    return {kRoleTexts, {kRoleUnknownLine}, true};
}

tm::Config tmConfig(int productId, const quint8 *payload)
{
    return tm::decodeConfig(payload, tm::probeOfTm(productId));
}

struct TypeCheck {
    ModuleType type;
    Check check;
};

const std::array<TypeCheck, 17> &typeChecks()
{
    static const std::array<TypeCheck, 17> table{{
        {ModuleType::TM, thresholdPage(tmConfig, kScheduleFrench, true)},
        {ModuleType::TM_r20, thresholdPage(tmConfig, kScheduleR20, true)},
        {ModuleType::TM2D_r10, thresholdPage([](int, const quint8 *p) { return tm2d::decodeConfig(p).first; },
                                             kScheduleR20, false)},
        {ModuleType::TH_r10, thresholdPage([](int, const quint8 *p) { return tm::decodeConfig(p, th::layout()); },
                                           kScheduleR10, true)},
        {ModuleType::TM_868, radioPage(kSchedule868, true)},
        {ModuleType::TH_868, radioPage(kSchedule868, true)},
        {ModuleType::DA, analogPage(kScheduleFrench)},
        {ModuleType::DA_r20, analogPage(kScheduleDA_r20)},
        {ModuleType::DI, inputPage(false, {limits::kLastReadingHourDI, limits::kLastReadingMinute}, kTimeFrench)},
        {ModuleType::DI_r2x, inputPage(true, {limits::kLastReadingHour, limits::kLastReadingMinute}, kTimeEnglish)},
        {ModuleType::DI4_r2x, fourInputPage},
        {ModuleType::IOD_PS_r20, mirrorPage(mirror::Variant::IOD_PS_r20, kMirrorWarningIOD, &kMirrorSpeedsIOD)},
        {ModuleType::DIO_LoRa, mirrorPage(mirror::Variant::DIO_LoRa, kMirrorWarningLoRa, &kMirrorSpeedsLoRa)},
        {ModuleType::DI2_868_r_10, mirrorPage(mirror::Variant::DI2_868_r_10, kTimeEnglish.box, nullptr)},
        {ModuleType::RS_r00, bridgePage},
        {ModuleType::RPT_r00, repeaterPage},
        {ModuleType::RSLW_r00, loRaSerialPage},
    }};
    return table;
}

} // namespace

Failed failedChecks(int productId, const quint8 *payload, const std::optional<rs::Information> &information)
{
    const ModuleEntry *entry = findModule(std::uint16_t(productId));
    if (!entry)
        return {};
    for (const TypeCheck &t : typeChecks())
        if (t.type == entry->type)
            return t.check(productId, payload, information);
    return {};
}

} // namespace orlo::checks
