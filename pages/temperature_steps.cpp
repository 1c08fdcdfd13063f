#include "pages/temperature_steps.h"

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
const QString kDash = QStringLiteral("--");
const QString kZero = QStringLiteral("00");

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QStringList countedItems(int last, int step)
{
    QStringList items{kDash};
    for (int v = 0; v <= last; v += step)
        items << twoDigits(v);
    return items;
}

} // namespace

// Warning texts, odd characters included, as the users know them.
const Texts kTextsR20 = {
    {warning::kTitleFrench, warning::kHeadEnglish + QStringLiteral("At least one time field of a temperature sending is not configured :\n\n"),
     QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
                   "et cliquez �  nouveau sur \"Configurer\"\n")},
    {{QStringLiteral("\tHour field     n°1 non configuré.\n"), QStringLiteral("\tChamp minutes de l'heure n°1 non configuré.\n")},
     {QStringLiteral("\tHour field     n°2 non configured.\n"), QStringLiteral("\tChamp minutes de l'heure n°2 non configuré.\n")},
     {QStringLiteral("\tHour field     de l'heure n°3 non configuré.\n"), QStringLiteral("\tChamp minutes de l'heure n°3 non configuré.\n")}},
    QStringLiteral("\tChamp heure de relevé non configuré.\n"),
    QStringLiteral("\tChamp minutes de relevé non configuré.\n")};
const Texts kTexts868 = {
    {warning::kTitleFrench, warning::kHeadEnglish + QStringLiteral("At least one time field of a temperature sending is not configured :\n\n"),
     QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
                   "et cliquez ï¿½  nouveau sur \"Configurer\"\n")},
    {{}},
    QStringLiteral("\tChamp heure de relevÃ© non configurÃ©.\n"),
    QStringLiteral("\tChamp minutes de relevÃ© non configurÃ©.\n")};

void fillBox(QComboBox *box, const QStringList &items)
{
    const QSignalBlocker blocker(box);
    box->clear();
    box->setMaxCount(items.size());
    box->addItems(items);
    box->setCurrentIndex(0);
}

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
    fillBox(hours, countedItems(range.maxHours, 1));
    fillBox(minutes, countedItems(range.maxMinutes, tmf::kStatementMinuteStep));
}

void guardStatement(QComboBox *minutes, int hourIndex, bool rewriteAll)
{
    if (minutes->count() < kGuardedMinuteCount)
        return;
    minutes->setItemText(1, hourIndex == kHourZero ? kDash : kZero);
    if (rewriteAll)
        for (int i = 2; i < kGuardedMinuteCount; ++i)
            minutes->setItemText(i, twoDigits((i - 1) * tmf::kStatementMinuteStep));
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
            hours << twoDigits(h);
        if (period == kPeriod15Minutes)
            minutes << kZero << QStringLiteral("15") << QStringLiteral("30") << QStringLiteral("45");
        else if (period == kPeriod30Minutes)
            minutes << kZero << QStringLiteral("30");
        else
            minutes = QStringList{kZero};
    }
    for (const SendTimeWidgets &w : p.sendTimes) {
        fillBox(w.hour, hours);
        fillBox(w.minute, minutes);
    }
    // Nothing can be written while no period is chosen.
    p.configureFrame->setVisible(chosen);
    p.parameterFrame->setVisible(chosen);
}

void lowChanged(const ThresholdPair &pair, double low)
{
    pair.high->setMinimum(low + kThresholdGap);
}

void highChanged(const ThresholdPair &pair, double high)
{
    pair.low->setMaximum(high - kThresholdGap);
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
// loaded. Each stays within the page's limits, so that the coupling never
// pushes the other beyond them.
void showThresholds(const ThresholdPair &pair, const Limits &limits, double low, double high)
{
    {
        const QSignalBlocker lowBlocker(pair.low);
        const QSignalBlocker highBlocker(pair.high);
        pair.low->setRange(limits.lowMinimum, limits.highMaximum - kThresholdGap);
        pair.high->setRange(limits.lowMinimum + kThresholdGap, limits.highMaximum);
        pair.high->setValue(high);
        pair.low->setValue(low);
    }
    pair.high->setMinimum(pair.low->value() + kThresholdGap);
    pair.low->setMaximum(pair.high->value() - kThresholdGap);
}

void resetThresholdPage(const ThresholdPage &p)
{
    fillBox(p.period, {kDash, QStringLiteral("15 minutes"), QStringLiteral("30 minutes"),
                       QStringLiteral("1 heure"), QStringLiteral("2 heures")});
    refillSendTimes(p, kPeriodNone);
    for (const SendTimeWidgets &w : p.sendTimes) {
        w.enabled->setChecked(false);
        sendTimeClicked(w, false);
    }
    p.lifeSecond->setChecked(true);
    p.lifeFirst->setChecked(false);
    resetThresholds(p.thresholds, p.limits);
    p.result->clear();
    p.bar->setValue(0);
    p.button->setEnabled(false);
    p.display->hide();
    p.unit->hide();
}

void showThresholdConfig(const ThresholdPage &p, const tmf::Config &c, bool withOffset)
{
    p.period->setCurrentIndex(tmf::periodIndex(c.periodCode));
    const int period = p.period->currentIndex();
    refillSendTimes(p, period);
    showThresholds(p.thresholds, p.limits, c.lowThreshold, c.highThreshold);
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

bool Refusal::any() const
{
    for (const auto &t : sendTime)
        if (t[0] || t[1])
            return true;
    return statementHour || statementMinute;
}

Refusal checkThresholdPage(const ThresholdPage &p)
{
    Refusal r;
    const int period = p.period->currentIndex();
    const bool minutesCount = period == kPeriod15Minutes || period == kPeriod30Minutes;
    for (int n = 0; n < kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        if (!w.enabled->isChecked())
            continue;
        r.sendTime[n][0] = w.hour->currentIndex() <= kUnset;
        r.sendTime[n][1] = minutesCount && w.minute->currentIndex() <= kUnset;
    }
    r.statementHour = statementHourMissing(p.statementHours);
    r.statementMinute = statementMinuteMissing(p.statementMinutes);
    return r;
}

QStringList refusalLines(const Refusal &r, bool periodic, const Texts &texts)
{
    QStringList sendTimes;
    for (int n = 0; n < kSendTimeCount; ++n)
        for (int k = 0; k < 2; ++k)
            if (r.sendTime[n][k])
                sendTimes << texts.sendTime[n][k];
    QStringList statement;
    if (r.statementHour)
        statement << texts.statementHour;
    if (r.statementMinute)
        statement << texts.statementMinute;
    return periodic ? statement : sendTimes;
}

tmf::Config thresholdConfig(const ThresholdPage &p, bool periodic)
{
    tmf::Config c;
    const int period = p.period->currentIndex();
    c.periodCode = tmf::periodCode(period);
    c.periodic = periodic;
    c.lifeFrameSecond = p.lifeSecond->isChecked();
    for (int n = 0; n < kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        c.sendTimes[size_t(n)] = {w.enabled->isChecked(), tmf::sendHourAt(period, w.hour->currentIndex()),
                                  tmf::sendMinuteAt(period, w.minute->currentIndex())};
    }
    c.lowThreshold = p.thresholds.low->value();
    c.highThreshold = p.thresholds.high->value();
    c.statementHours = statementHours(p.statementHours);
    c.statementMinutes = statementMinutes(p.statementMinutes);
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

} // namespace temperature
