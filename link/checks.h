// The checks Write makes before sending a configuration, and the texts that
// name the failed ones. Pure: a page asks them about what its widgets show,
// a file or the command line about a record, and both get the same answer.
#pragma once

#include "link/frames/rs_frame.h"
#include "link/writecycle.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace orlo::checks {

constexpr int kUnset = -1;      // a time the page leaves at "--"

// ---- The sending schedule of the temperature and analog pages ---------------

constexpr int kSendTimes = 3;
struct ScheduleTexts {
    WarningTexts box;
    QString sendTime[kSendTimes][2];      // hour line, minute line
    QString statementHour;
    QString statementMinute;
};
extern const ScheduleTexts kScheduleFrench;   // TM and DA
extern const ScheduleTexts kScheduleR20;      // TM_r20 and TM2D_r10
extern const ScheduleTexts kSchedule868;      // TM_868 and TH_868
extern const ScheduleTexts kScheduleR10;      // TH_r10
extern const ScheduleTexts kScheduleDA_r20;   // names no field

struct Schedule {
    int periodIndex = 0;                  // the period box's entry, 1 .. 4
    struct SendTime {
        bool enabled = false;
        int hour = kUnset;
        int minute = kUnset;
    };
    std::array<SendTime, kSendTimes> sendTimes{};
    int statementHours = kUnset;
    int statementMinutes = kUnset;
};
// What the statement boxes offer; most pages show "--" for minute "00" when
// the hour is "00" (the two-probe page moves the minute to "10" instead).
struct StatementRule {
    int maxHours;
    int maxMinutes;
    bool noZeroMinuteAtZeroHour = false;
};
struct ScheduleRefusal {
    bool sendTime[kSendTimes][2] = {};    // hour, minute
    bool statementHour = false;
    bool statementMinute = false;
    bool any() const;
    bool anyShown(bool periodic) const;   // in the reading mode shown
};
ScheduleRefusal checkSchedule(const Schedule &schedule, const StatementRule &rule);
// Only the shown mode's fields have lines.
QStringList scheduleLines(const ScheduleRefusal &refusal, bool periodic, const ScheduleTexts &texts);

// ---- The meter reading time of the input pages ------------------------------

struct TimeTexts {
    WarningTexts box;
    QString hourLine;
    QString minuteLine;
};
extern const TimeTexts kTimeFrench;     // DI; DI_r2x's counter reset
extern const TimeTexts kTimeEnglish;    // DI_r2x, DI4_r2x, the mirror pages
extern const TimeTexts kTimeAccented;   // DI4_r2x's counter reset
struct ReadingLists {
    int lastHour;
    int lastMinute;                     // by tens
    // The minutes shown follow the hour: a reading at 00:00 is not offered,
    // nor one after 24:00 (the four-input page moves the hour instead).
    bool minutesFollowHour = true;
};
QStringList readingTimeLines(int hour, int minute, const ReadingLists &lists, const TimeTexts &texts);

// ---- The mirror pages ----------------------------------------------------

extern const WarningTexts kMirrorWarningIOD;
extern const WarningTexts kMirrorWarningLoRa;
struct SpeedRule {
    int lowest;                          // speed codes the mirror role accepts
    int highest;
    QString line;                        // the warning's line for another one
};
extern const SpeedRule kMirrorSpeedsIOD;
extern const SpeedRule kMirrorSpeedsLoRa;
// The LoRa module is never sent a channel its data rate's plan lacks.
QStringList loRaChannelLines(int channel, int rateIndex);

// ---- The other pages' single checks ---------------------------------------

extern const QString kCalibrationLine;          // analog: Y1 = Y2 cannot be scaled
extern const WarningTexts kRoleTexts;           // LoRaWAN-serial
extern const QString kRoleUnknownLine;

// ---- A whole record ---------------------------------------------------------

struct Failed {
    WarningTexts box;       // the page's invalid-configuration box
    QStringList lines;      // one per failed check shown
    bool refused = false;   // a temperature page refuses the other mode's gaps without a line
    bool any() const { return refused; }
};

// What the page of `productId` refuses to send of `payload` (laid out as
// Write sends it: command, clock stamp, record), as the page would show it
// filled with that record. `information` is what the module told of itself
// (identifier, version); a configuration from a file obeys its firmware.
Failed failedChecks(int productId, const quint8 *payload,
                    const std::optional<rs::Information> &information = std::nullopt);

} // namespace orlo::checks
