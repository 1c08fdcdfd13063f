// The input group shared by the digital-input pages (DI, DI_r2x, DI4_r2x)
// and the mirror pages' Master tab: an input's widgets and rules, the edge
// buttons, the meter-reading time lists and the warning of a missing time.
#pragma once

#include "link/checks.h"
#include "link/frames/di_frame.h"
#include "link/limits.h"
#include "pages/pagefamily.h"
#include "widgets/writecycle.h"

#include <QStringList>
#include <QTimer>

class QComboBox;
class QFrame;
class QGroupBox;
class QIcon;
class QRadioButton;
class QWidget;

namespace Ui {
class DigitalInputPages;
class MirrorPages;
}

namespace inputs {

// What the page hides while it reads the module, and its write buttons,
// disabled until the record read is shown.
struct PageFrame {
    QWidget *page;
    QFrame *configurer;
    QWidget *settings;
    QProgressBar *bar;
    QLabel *result;
    QPushButton *write;
    QPushButton *other;                 // the counter reset, or Default
};
void resetFrame(const PageFrame &frame);
void showFrame(const PageFrame &frame);

// How a page shows an input beside its digital-input / counter choice.
struct InputStyle {
    bool counterShowsValue = false;     // a counter shows its last stored value
    bool noneShowsBoth = false;         // edge code "none" shown with the both-edges icon
};

struct InputWidgets {
    QGroupBox *box;
    QRadioButton *digital;
    QRadioButton *counter;
    QPushButton *edge;
    QWidget *value;                     // last stored value (DI: an index spin box, never shown)
    InputStyle style;
};

// The daily meter-reading time.
struct ReadingTime {
    QComboBox *hours;
    QComboBox *minutes;
};

struct InputGroup {
    InputWidgets input1;
    InputWidgets input2;
    ReadingTime time;
};
InputGroup groupDI(Ui::DigitalInputPages &ui);
InputGroup groupDI_r2x(Ui::DigitalInputPages &ui);
InputGroup groupIOD_PS_r20(Ui::MirrorPages &ui);
InputGroup groupORLO_DIO_LoRa(Ui::MirrorPages &ui);
InputGroup groupDI2_868_r_10(Ui::MirrorPages &ui);

// The last stored counter values, on the pages that read them.
struct Counters {
    QLabel *value1;
    QLabel *value2;
};
void showCounters(const Counters &counters, quint32 counter1, quint32 counter2);

void applyBoxRule(const InputWidgets &input, bool checked);
void applyModeRule(const InputWidgets &input, bool counter);
void fillInputs(const InputGroup &group, const orlo::di::Input &first, const orlo::di::Input &second);
void resetInput(const InputWidgets &input);
orlo::di::Input inputOf(const InputWidgets &input, int edge);

QIcon edgeIcon(int edge);
void showEdge(const InputWidgets &input, int edge);
// Rising, falling, both, rising ...
void advanceEdge(int &edge, QPushButton *button);

// "--", then "00" .. the last hour, and the minutes in steps of ten.
constexpr int kLastHourDI = orlo::limits::kLastReadingHourDI;
constexpr int kLastHour = orlo::limits::kLastReadingHour;
constexpr int kLastMinute = orlo::limits::kLastReadingMinute;
constexpr int kLastPeriodMinute = orlo::limits::kLastPeriodMinute;
constexpr int kNotSet = 0;              // the "--" entry
void fillReadingLists(const ReadingTime &time, int lastHour, int lastMinute);
// A stored hour or minute the list cannot show is "--".
int hourEntry(int hour, const QComboBox *hours);
int minuteEntry(int minute, const QComboBox *minutes);
void showReadingTime(const ReadingTime &time, int hour, int minute);
// Hour "00" offers no minute "00", hour "24" only minute "00".
void rewriteMinutes(QComboBox *minutes, int hourEntry);
int hourOf(const ReadingTime &time);
int minuteOf(const ReadingTime &time);

// The box of a write refused for a missing time, and its lines.
// The refusal texts are the core's, with the checks.
using TimeTexts = orlo::checks::TimeTexts;
inline const TimeTexts &kTextsFrench = orlo::checks::kTimeFrench;       // DI; DI_r2x's counter reset
inline const TimeTexts &kTextsEnglish = orlo::checks::kTimeEnglish;     // DI_r2x, DI4_r2x, the mirror pages
inline const TimeTexts &kTextsAccented = orlo::checks::kTimeAccented;   // DI4_r2x's counter reset
// Both checks always run, hour line first.
QStringList missingTimes(const ReadingTime &time, const TimeTexts &texts);

} // namespace inputs

// The families on the input group: the digital-input pages and the mirror pages.
class InputPages : public PageFamily
{
    Q_OBJECT

protected:
    using PageFamily::PageFamily;

    // A fresh page: no edge chosen, and its progress timer stepping the bar.
    template <class Family>
    void startInputPage(void (Family::*progress)())
    {
        ++pageRun;
        edgeState1 = edgeState2 = orlo::di::kEdgeNone;
        progressTimer = std::make_unique<QTimer>();
        connect(progressTimer.get(), &QTimer::timeout, static_cast<Family *>(this), progress);
    }
    // The page taken down while its module is gone.
    void stopInputPage(QWidget *configurer, QWidget *settings);
    // The cleared request to fill, or null inside another exchange or when
    // a field is missing (then the warning is shown).
    quint8 *clearedRequest(QLabel *result, const WarningTexts &texts, const QStringList &missing);

    // Counts the pages started and stopped: the stored record read for a
    // page fills it only while that same start is still up, not after its
    // module went (the wait ended) or the page started afresh.
    quint64 pageRun = 0;
    // Edge selection of the two inputs: 0 none, 1 rising, 2 falling, 3 both.
    int edgeState1 = 0;
    int edgeState2 = 0;
};
