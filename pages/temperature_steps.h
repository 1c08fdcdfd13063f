// Steps shared by the temperature pages (TM, TM_r20, TM_868, TH_r10, TH_868,
// TM2D_r10) and the analog pages (DA, DA_r20): their widgets gathered per
// page, and what every page does with them, parameterised by what differs
// between the pages.
#pragma once

#include "link/checks.h"
#include "link/frames/tm_frame.h"
#include "link/limits.h"
#include "widgets/writecycle.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLCDNumber;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolBox;
class QWidget;
class Wdradio;

namespace temperature {

constexpr int kSendTimeCount = 3;
constexpr int kMeasureIntervalMs = 2000;
constexpr int kProgressIntervalMs = 30;
using orlo::limits::kThresholdGap;            // the defaults' gap, and the temperature pages'

// The refusal texts are the core's, with the checks.
using Texts = orlo::checks::ScheduleTexts;
inline const Texts &kTextsFrench = orlo::checks::kScheduleFrench;     // TM and DA
inline const Texts &kTextsR20 = orlo::checks::kScheduleR20;           // TM_r20 and TM2D_r10
inline const Texts &kTexts868 = orlo::checks::kSchedule868;           // TM_868 and TH_868

// Where a threshold pair may lie.
struct Bounds {
    double bottom;
    double top;
};

// A page's threshold limits and defaults; the defaults stay kThresholdGap apart.
using Limits = orlo::limits::Thresholds;
constexpr Bounds boundsOf(const Limits &limits)
{
    return {limits.lowMinimum, limits.highMaximum};
}
constexpr Limits kLimitsTm = orlo::limits::kThresholdsTm;

struct StatementRange {
    int maxHours;
    int maxMinutes;
};
constexpr StatementRange kStatementTm{orlo::tm::kMaxStatementHours, orlo::tm::kMaxStatementMinutes};

struct SendTimeWidgets {
    QCheckBox *enabled;
    QComboBox *hour;
    QComboBox *minute;
};

struct ThresholdPair {
    QDoubleSpinBox *low;
    QDoubleSpinBox *high;
    double gap = kThresholdGap;               // how close the user may bring them
};

// The analog pages' two-point calibration: their thresholds lie between Y1 and Y2.
struct CalibrationBoxes {
    QDoubleSpinBox *y1 = nullptr;
    QDoubleSpinBox *y2 = nullptr;
};

// The widgets of a page with send times and thresholds, under its suffix.
struct ThresholdPage {
    QComboBox *period;
    SendTimeWidgets sendTimes[kSendTimeCount];
    QComboBox *statementHours;
    QComboBox *statementMinutes;
    QRadioButton *lifeFirst;                  // life frame, or nullptr when the page has none
    QRadioButton *lifeSecond;
    ThresholdPair thresholds;
    QDoubleSpinBox *offset;
    QWidget *configureFrame;
    QWidget *parameterFrame;
    QPushButton *button;
    QProgressBar *bar;
    QLabel *result;
    QLCDNumber *display;
    QLabel *unit;
    Limits limits;
    StatementRange statement;
    CalibrationBoxes calibration{};           // none: the limits bound the thresholds
};

// A threshold page whose statement mode is a tool box (TM_r20, TH_r10).
struct ToolBoxPage {
    ThresholdPage page;
    QToolBox *modes;
    QWidget *thresholdMode;
    QWidget *periodicMode;
    QWidget *moduleWidget;                    // the page in the main stack
    orlo::tm::Layout layout;
    double offsetRange;
    const Texts *texts;
    int reports;
    QLCDNumber *secondDisplay;                // humidity, or nullptr
    QLabel *secondUnit;
};

// An 868 MHz page: Slave/Master role, radio parameters, addresses (TM_868, TH_868).
struct RadioPage {
    QTabWidget *roles;
    QComboBox *statementHours;
    QComboBox *statementMinutes;
    QDoubleSpinBox *offset;
    QSpinBox *modemAddress;
    QSpinBox *remoteAddress;
    Wdradio *radio;
    QWidget *configureFrame;
    QWidget *parameterFrame;
    QPushButton *button;
    QProgressBar *bar;
    QLabel *result;
    QLCDNumber *display;
    QLabel *unit;
    QWidget *moduleWidget;
    int offsetSteps;
    double offsetRange;
    const Texts *texts;
    int reports;
    QLCDNumber *secondDisplay;                // humidity, or nullptr
    QLabel *secondUnit;
};

// A live value on its display, with the digits it needs.
struct Reading {
    QLCDNumber *display;
    QLabel *unit;
};

// A box index held to the box's items.
void selectIndex(QComboBox *box, int index);
void setOffsetRange(QDoubleSpinBox *offset, double range);

void fillStatementBoxes(QComboBox *hours, QComboBox *minutes, StatementRange range);
// Hour "00" makes the first minute choice "--": no zero statement period.
void guardStatement(QComboBox *minutes, int hourIndex, bool rewriteAll);
void showStatement(QComboBox *hours, QComboBox *minutes, int storedHours, int storedMinutes,
                   StatementRange range);
bool statementHourMissing(const QComboBox *hours);
bool statementMinuteMissing(const QComboBox *minutes);
int statementHours(const QComboBox *hours);
int statementMinutes(const QComboBox *minutes);

void sendTimeClicked(const SendTimeWidgets &w, bool checked);
void refillSendTimes(const ThresholdPage &p, int period);

// The coupling: the other threshold's bound follows the one that changed.
void lowChanged(const ThresholdPair &pair, double low);
void highChanged(const ThresholdPair &pair, double high);
void resetThresholds(const ThresholdPair &pair, const Limits &limits);
// The pair shown as it is, held within the bounds, then coupled.
void showThresholds(const ThresholdPair &pair, Bounds bounds, double low, double high);
// The page's limits, or its calibration's Y1..Y2.
Bounds thresholdBounds(const ThresholdPage &p);

// Every list refilled, frames hidden until a period is read, defaults set.
void resetThresholdPage(const ThresholdPage &p);
// The period list ("--", then the core's periods) in the language installed.
void retranslatePeriods(QComboBox *period);
// Everything but the statement mode, which each variant shows its own way.
void showThresholdConfig(const ThresholdPage &p, const orlo::tm::Config &c, bool withOffset);
void showPage(const ThresholdPage &p);

// The failed checks of the page, in the order of the warning's lines.
using Refusal = orlo::checks::ScheduleRefusal;
Refusal checkThresholdPage(const ThresholdPage &p);
// On the temperature pages a missing field of the other mode still refuses
// the configuration, with no line.
// A field left unset (the analog pages allow it in the mode not shown) goes
// out unset: a send time as not in use, the statement as 0.
orlo::tm::Config thresholdConfig(const ThresholdPage &p, bool periodic);

void showReading(const Reading &r, double value, int digits);

// The family's write cycle: the page's measurement timer pauses with it, and
// the next reading, not the cycle, makes the button usable again.
WriteCycle writeCycle(QPushButton *button, QProgressBar *bar, QLabel *result, int reports,
                      QTimer *measurement);

} // namespace temperature
