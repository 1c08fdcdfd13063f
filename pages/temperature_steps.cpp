#include "pages/temperature_steps.h"

#include "pages/listfill.h"
#include "widgets/wdradio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace tmf = orlo::tm;

namespace temperature {

namespace {

constexpr int kUnset = 0;                     // "--"
constexpr int kHourZero = 1;                  // "00"
constexpr int kPeriodNone = 0;
constexpr int kPeriod15Minutes = 1;
constexpr int kPeriod30Minutes = 2;
constexpr int kPeriod2Hours = 4;
constexpr int kGuardedMinuteCount = 7;        // "--", "00" .. "50"
constexpr int kHourListVisible = 10;          // shorter lists show all their items
const QString kDash = QStringLiteral("--");
const QString kZero = QStringLiteral("00");

void refillAll(QComboBox *box, const QStringList &items)
{
    orlo::refillQuietly(box, items, items.size());
}

} // namespace

void selectIndex(QComboBox *box, int index)
{
    box->setCurrentIndex(qBound(0, index, box->count() - 1));
}

void setOffsetRange(QDoubleSpinBox *offset, double range)
{
    offset->setRange(-range, range);
}

void fillStatementBoxes(QComboBox *hours, QComboBox *minutes, StatementRange range)
{
    orlo::refillQuietly(hours, orlo::dashThenTwoDigits(range.maxHours, 1), kHourListVisible);
    refillAll(minutes, orlo::dashThenTwoDigits(range.maxMinutes, tmf::kStatementMinuteStep));
}

void guardStatement(QComboBox *minutes, int hourIndex, bool rewriteAll)
{
    if (minutes->count() < kGuardedMinuteCount)
        return;
    minutes->setItemText(1, hourIndex == kHourZero ? kDash : kZero);
    if (rewriteAll)
        for (int i = 2; i < kGuardedMinuteCount; ++i)
            minutes->setItemText(i, orlo::twoDigits((i - 1) * tmf::kStatementMinuteStep));
}

void showStatement(QComboBox *hours, QComboBox *minutes, int storedHours, int storedMinutes,
                   StatementRange range)
{
    selectIndex(hours, tmf::statementHourIndex(storedHours, range.maxHours));
    selectIndex(minutes, tmf::statementMinuteIndex(storedMinutes, range.maxMinutes));
}

// Both boxes set: hours from 0, minutes in steps of 10.
bool statementHourMissing(const QComboBox *hours) { return hours->currentIndex() <= kUnset; }
bool statementMinuteMissing(const QComboBox *minutes) { return minutes->currentText() == kDash; }
int statementHours(const QComboBox *hours) { return hours->currentIndex() - 1; }
int statementMinutes(const QComboBox *minutes)
{
    return (minutes->currentIndex() - 1) * tmf::kStatementMinuteStep;
}

void sendTimeClicked(const SendTimeWidgets &w, bool checked)
{
    if (!checked) {
        w.hour->setCurrentIndex(kUnset);
        w.minute->setCurrentIndex(kUnset);
    }
    w.hour->setEnabled(checked);
    w.minute->setEnabled(checked);
}

void refillSendTimes(const ThresholdPage &p, int period)
{
    QStringList hours{kDash};
    QStringList minutes{kDash};
    const bool chosen = period > kPeriodNone;
    if (chosen) {
        hours << kZero;
        const int step = period == kPeriod2Hours ? 2 : 1;
        for (int h = step; h <= tmf::kMaxStatementHours; h += step)
            hours << orlo::twoDigits(h);
        if (period == kPeriod15Minutes)
            minutes << kZero << QStringLiteral("15") << QStringLiteral("30") << QStringLiteral("45");
        else if (period == kPeriod30Minutes)
            minutes << kZero << QStringLiteral("30");
        else
            minutes = QStringList{kZero};
    }
    for (const SendTimeWidgets &w : p.sendTimes) {
        orlo::refillQuietly(w.hour, hours, kHourListVisible);
        refillAll(w.minute, minutes);
    }
    // Nothing can be written while no period is chosen.
    p.configureFrame->setVisible(chosen);
    p.parameterFrame->setVisible(chosen);
}

void lowChanged(const ThresholdPair &pair, double low)
{
    pair.high->setMinimum(low + pair.gap);
}

void highChanged(const ThresholdPair &pair, double high)
{
    pair.low->setMaximum(high - pair.gap);
}

void resetThresholds(const ThresholdPair &pair, const Limits &limits)
{
    // Set directly: the coupling slots would clamp against the previous module's pair.
    const QSignalBlocker lowBlocker(pair.low);
    const QSignalBlocker highBlocker(pair.high);
    pair.low->setSingleStep(limits.step);
    pair.high->setSingleStep(limits.step);
    pair.low->setRange(limits.lowMinimum, limits.highDefault - kThresholdGap);
    pair.high->setRange(limits.lowDefault + kThresholdGap, limits.highMaximum);
    pair.low->setValue(limits.lowDefault);
    pair.high->setValue(limits.highDefault);
}

// Both ranges widened while loading, then the coupling applied to what was
// loaded. Each stays within the bounds, so that the coupling never pushes the
// other beyond them; bounds closer than the gap (a narrow calibration) hold
// the pair together, and a stored pair in the wrong order is pulled together.
void showThresholds(const ThresholdPair &pair, Bounds b, double low, double high)
{
    {
        const QSignalBlocker lowBlocker(pair.low);
        const QSignalBlocker highBlocker(pair.high);
        pair.low->setRange(b.bottom, std::max(b.bottom, b.top - pair.gap));
        pair.high->setRange(std::min(b.top, b.bottom + pair.gap), b.top);
        pair.high->setValue(high);
        pair.low->setValue(low);
    }
    pair.high->setMinimum(std::min(b.top, std::max(b.bottom, pair.low->value() + pair.gap)));
    pair.low->setMaximum(std::max(b.bottom, std::min(b.top, pair.high->value() - pair.gap)));
}

Bounds thresholdBounds(const ThresholdPage &p)
{
    const CalibrationBoxes &c = p.calibration;
    if (!c.y1 || !c.y2)
        return boundsOf(p.limits);
    return {std::min(c.y1->value(), c.y2->value()), std::max(c.y1->value(), c.y2->value())};
}

void resetThresholdPage(const ThresholdPage &p)
{
    refillAll(p.period, QStringList{kDash} + orlo::translatedItems(orlo::kLimitsContext, orlo::limits::periodTexts()));
    refillSendTimes(p, kPeriodNone);
    for (const SendTimeWidgets &w : p.sendTimes) {
        w.enabled->setChecked(false);
        sendTimeClicked(w, false);
    }
    fillStatementBoxes(p.statementHours, p.statementMinutes, p.statement);
    if (p.lifeSecond) {
        p.lifeSecond->setChecked(true);
        p.lifeFirst->setChecked(false);
    }
    resetThresholds(p.thresholds, p.limits);
    p.result->clear();
    p.bar->setValue(0);
    p.button->setEnabled(false);
    p.display->hide();
    p.unit->hide();
}

// "--" is no word: only the periods after it.
void retranslatePeriods(QComboBox *period)
{
    const QSignalBlocker quiet(period);
    const QStringList periods = orlo::translatedItems(orlo::kLimitsContext, orlo::limits::periodTexts());
    for (int i = 0; i < periods.size() && kPeriod15Minutes + i < period->count(); ++i)
        period->setItemText(kPeriod15Minutes + i, periods.at(i));
}

void showThresholdConfig(const ThresholdPage &p, const tmf::Config &c, bool withOffset)
{
    p.period->setCurrentIndex(tmf::periodIndex(c.periodCode));
    const int period = p.period->currentIndex();
    refillSendTimes(p, period);
    showThresholds(p.thresholds, thresholdBounds(p), c.lowThreshold, c.highThreshold);
    for (int n = 0; n < kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        const tmf::SendTime &t = c.sendTimes[size_t(n)];
        w.enabled->setChecked(t.enabled);
        if (t.enabled) {
            selectIndex(w.hour, tmf::sendHourIndex(period, t.hour));
            selectIndex(w.minute, tmf::sendMinuteIndex(period, t.minute));
        }
        sendTimeClicked(w, t.enabled);
    }
    if (p.lifeSecond)
        (c.lifeFrameSecond ? p.lifeSecond : p.lifeFirst)->setChecked(true);
    showStatement(p.statementHours, p.statementMinutes, c.statementHours, c.statementMinutes, p.statement);
    if (withOffset)
        p.offset->setValue(c.offset);
}

void showPage(const ThresholdPage &p)
{
    p.display->setEnabled(true);
    p.configureFrame->show();
    p.parameterFrame->show();
    p.result->clear();
}

// What the boxes show, "--" as unset, checked as a record would be.
Refusal checkThresholdPage(const ThresholdPage &p)
{
    namespace checks = orlo::checks;
    checks::Schedule s;
    s.periodIndex = p.period->currentIndex();
    for (int n = 0; n < kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        const int hour = w.hour->currentIndex();
        const int minute = w.minute->currentIndex();
        s.sendTimes[size_t(n)] = {w.enabled->isChecked(),
                                  hour <= kUnset ? checks::kUnset : tmf::sendHourAt(s.periodIndex, hour),
                                  minute <= kUnset ? checks::kUnset : tmf::sendMinuteAt(s.periodIndex, minute)};
    }
    s.statementHours = statementHourMissing(p.statementHours) ? checks::kUnset : statementHours(p.statementHours);
    s.statementMinutes =
        statementMinuteMissing(p.statementMinutes) ? checks::kUnset : statementMinutes(p.statementMinutes);
    return checks::checkSchedule(s, {p.statement.maxHours, p.statement.maxMinutes});
}

tmf::Config thresholdConfig(const ThresholdPage &p, bool periodic)
{
    const Refusal unset = checkThresholdPage(p);
    tmf::Config c;
    const int period = p.period->currentIndex();
    c.periodCode = tmf::periodCode(period);
    c.periodic = periodic;
    c.lifeFrameSecond = p.lifeSecond && p.lifeSecond->isChecked();
    for (int n = 0; n < kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        if (w.enabled->isChecked() && !unset.sendTime[n][0] && !unset.sendTime[n][1])
            c.sendTimes[size_t(n)] = {true, tmf::sendHourAt(period, w.hour->currentIndex()),
                                      tmf::sendMinuteAt(period, w.minute->currentIndex())};
    }
    c.lowThreshold = p.thresholds.low->value();
    c.highThreshold = p.thresholds.high->value();
    c.statementHours = unset.statementHour ? 0 : statementHours(p.statementHours);
    c.statementMinutes = unset.statementMinute ? 0 : statementMinutes(p.statementMinutes);
    c.offset = p.offset->value();
    return c;
}

void showReading(const Reading &r, double value, int digits)
{
    r.display->setDigitCount(digits);
    // A value with more figures than the display holds would leave the
    // previous reading on it: show its tenth.
    const double tenth = std::round(value * 10) / 10 + 0.0;
    r.display->display(r.display->checkOverflow(value) ? tenth : value);
    r.display->show();
    r.unit->show();
}

WriteCycle writeCycle(QPushButton *button, QProgressBar *bar, QLabel *result, int reports, QTimer *measurement)
{
    WriteCycle cycle{button, bar, result, reports};
    cycle.progressIntervalMs = kProgressIntervalMs;
    cycle.measurementTimer = measurement;
    cycle.reenableButton = false;
    return cycle;
}

} // namespace temperature
