// Temperature pages (TM, TM_r20, TM_868): the module's stored record shown
// in the widgets, written back with the clock stamp, and the live reading.
#include "app/mainwindow.h"
#include "link/clockstamp.h"
#include "link/frames/tm_frame.h"
#include "link/writecycle.h"
#include "widgets/wdradio.h"
#include "ui_mainwindow.h"

#include <QSignalBlocker>
#include <QTextStream>
#include <QTimer>
#include <cmath>
#include <cstring>

namespace tmf = orlo::tm;

namespace {

constexpr int kMeasureIntervalMs = 2000;
constexpr int kMeasureInterval868Ms = 6000;   // after the first reading
constexpr int kProgressIntervalMs = 30;
constexpr int kSliderThresholds = 0;          // statement on threshold crossing
constexpr int kSliderPeriodic = 1;
constexpr double kLowMinimum = -35.0;
constexpr double kHighMaximum = 120.0;
constexpr double kLowDefault = 19.5;
constexpr double kHighDefault = 24.5;
constexpr double kThresholdGap = 2.0;
constexpr double kOffsetRange = 15.9;
constexpr double kOffsetRange14Bit = 3.9;
constexpr int kSendTimeCount = 3;
constexpr int kTabSlave = 0;
constexpr int kTabMaster = 1;
constexpr int kRoleSlave = 0;
constexpr int kRoleMaster = 1;
// Positions in the boxes.
constexpr int kUnset = 0;                     // "--"
constexpr int kHourZero = 1;                  // "00"
constexpr int kPeriodNone = 0;
constexpr int kPeriod15Minutes = 1;
constexpr int kPeriod30Minutes = 2;
constexpr int kPeriod2Hours = 4;
constexpr int kStatementMinuteCount = 7;
const QString kDash = QStringLiteral("--");
const QString kZero = QStringLiteral("00");

struct TemperatureTexts {
    WarningTexts box;
    QString sendTime[kSendTimeCount][2];      // hour line, minute line
    QString statementHour;
    QString statementMinute;
};

// Warning texts, odd characters included, as the users know them.
const TemperatureTexts kTextsTm = {
    {warning::kTitleFrench, warning::kHeadFrench + QStringLiteral("Au moins un champ horaire d'un des 3 envois de temp�rature possible n'est pas configur� :\n\n"),
     warning::kFooterFrench},
    {{QStringLiteral("\tChamp heure     de l'heure n�1 non configur�.\n"), QStringLiteral("\tChamp minutes de l'heure n�1 non configur�.\n")},
     {QStringLiteral("\tChamp heure     de l'heure n�2 non configur�.\n"), QStringLiteral("\tChamp minutes de l'heure n�2 non configur�.\n")},
     {QStringLiteral("\tChamp heure     de l'heure n�3 non configur�.\n"), QStringLiteral("\tChamp minutes de l'heure n�3 non configur�.\n")}},
    QStringLiteral("\tChamp heure de relev� non configur�.\n"),
    QStringLiteral("\tChamp minutes de relev� non configur�.\n")};
const TemperatureTexts kTextsR20 = {
    {warning::kTitleFrench, warning::kHeadEnglish + QStringLiteral("At least one time field of a temperature sending is not configured :\n\n"),
     QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
                   "et cliquez �  nouveau sur \"Configurer\"\n")},
    {{QStringLiteral("\tHour field     n°1 non configuré.\n"), QStringLiteral("\tChamp minutes de l'heure n°1 non configuré.\n")},
     {QStringLiteral("\tHour field     n°2 non configured.\n"), QStringLiteral("\tChamp minutes de l'heure n°2 non configuré.\n")},
     {QStringLiteral("\tHour field     de l'heure n°3 non configuré.\n"), QStringLiteral("\tChamp minutes de l'heure n°3 non configuré.\n")}},
    QStringLiteral("\tChamp heure de relevé non configuré.\n"),
    QStringLiteral("\tChamp minutes de relevé non configuré.\n")};
const TemperatureTexts kTexts868 = {
    {warning::kTitleFrench, warning::kHeadEnglish + QStringLiteral("At least one time field of a temperature sending is not configured :\n\n"),
     QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
                   "et cliquez ï¿½  nouveau sur \"Configurer\"\n")},
    {{}},
    QStringLiteral("\tChamp heure de relevÃ© non configurÃ©.\n"),
    QStringLiteral("\tChamp minutes de relevÃ© non configurÃ©.\n")};

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QStringList periodItems()
{
    return {kDash, QStringLiteral("15 minutes"), QStringLiteral("30 minutes"),
            QStringLiteral("1 heure"), QStringLiteral("2 heures")};
}

QStringList statementHourItems()
{
    QStringList items{kDash};
    for (int h = 0; h <= tmf::kMaxStatementHours; ++h)
        items << twoDigits(h);
    return items;
}

QStringList statementMinuteItems()
{
    QStringList items{kDash};
    for (int m = 0; m <= tmf::kMaxStatementMinutes; m += tmf::kStatementMinuteStep)
        items << twoDigits(m);
    return items;
}

// Refilled without index signals; the caller runs the slot it needs.
void fillBox(QComboBox *box, const QStringList &items)
{
    const QSignalBlocker blocker(box);
    box->clear();
    box->setMaxCount(items.size());
    box->addItems(items);
    box->setCurrentIndex(0);
}

// A box index held to the box's items.
void selectIndex(QComboBox *box, int index)
{
    box->setCurrentIndex(qBound(0, index, box->count() - 1));
}

struct SendTimeWidgets {
    QCheckBox *enabled;
    QComboBox *hour;
    QComboBox *minute;
};

// The widgets TM and TM_r20 share under their own suffix.
struct ThresholdPage {
    QComboBox *period;
    SendTimeWidgets sendTimes[kSendTimeCount];
    QComboBox *statementHours;
    QComboBox *statementMinutes;
    QRadioButton *lifeFirst;
    QRadioButton *lifeSecond;
    QDoubleSpinBox *low;
    QDoubleSpinBox *high;
    QDoubleSpinBox *offset;
    QWidget *configureFrame;
    QWidget *parameterFrame;
    QPushButton *button;
    QProgressBar *bar;
    QLabel *result;
    QLCDNumber *display;
    QLabel *unit;
};

ThresholdPage tmPage(Ui::MainWindow &ui)
{
    return {ui.comboBox_Periode_mesure_TM,
            {{ui.checkBox_envoi_T1_TM, ui.comboBox_heures_T1_TM, ui.comboBox_minutes_T1_TM},
             {ui.checkBox_envoi_T2_TM, ui.comboBox_heures_T2_TM, ui.comboBox_minutes_T2_TM},
             {ui.checkBox_envoi_T3_TM, ui.comboBox_heures_T3_TM, ui.comboBox_minutes_T3_TM}},
            ui.comboBox_heures_releve_TM, ui.comboBox_minutes_releve_TM,
            ui.radioButton_Tous_les_jours_TM, ui.radioButton_Tous_les_5_jours_TM,
            ui.doubleSpinBox_Seuil_bas_TM, ui.doubleSpinBox_Seuil_haut_TM, ui.doubleSpinBox_Offset_TM,
            ui.frame_Configurer_TM, ui.frame_Parametres_TM,
            ui.pushButton_Configurer_TM, ui.progressBar_Configurer_TM, ui.label_Resultat_configurer_TM,
            ui.lcdNumber_Temperature_TM, ui.label_Temperature_TM};
}

ThresholdPage r20Page(Ui::MainWindow &ui)
{
    return {ui.comboBox_Periode_mesure_TM_r20,
            {{ui.checkBox_envoi_T1_TM_r20, ui.comboBox_heures_T1_TM_r20, ui.comboBox_minutes_T1_TM_r20},
             {ui.checkBox_envoi_T2_TM_r20, ui.comboBox_heures_T2_TM_r20, ui.comboBox_minutes_T2_TM_r20},
             {ui.checkBox_envoi_T3_TM_r20, ui.comboBox_heures_T3_TM_r20, ui.comboBox_minutes_T3_TM_r20}},
            ui.comboBox_heures_releve_TM_r20, ui.comboBox_minutes_releve_TM_r20,
            ui.radioButton_Tous_les_jours_TM_r20, ui.radioButton_Tous_les_5_jours_TM_r20,
            ui.doubleSpinBox_Seuil_bas_TM_r20, ui.doubleSpinBox_Seuil_haut_TM_r20,
            ui.doubleSpinBox_Offset_TM_r20,
            ui.frame_Configurer_TM_r20, ui.frame_Parametres_TM_r20,
            ui.pushButton_Configurer_TM_r20, ui.progressBar_Configurer_TM_r20,
            ui.label_Resultat_configurer_TM_r20,
            ui.lcdNumber_Temperature_TM_r20, ui.label_Temperature_TM_r20};
}

void setOffsetRange(QDoubleSpinBox *offset, double range)
{
    offset->setRange(-range, range);
}

// Hour "00" makes the first minute choice "--": no zero statement period.
void guardStatement(QComboBox *minutes, int hourIndex, bool rewriteAll)
{
    if (minutes->count() < kStatementMinuteCount)
        return;
    minutes->setItemText(1, hourIndex == kHourZero ? kDash : kZero);
    if (rewriteAll)
        for (int i = 2; i < kStatementMinuteCount; ++i)
            minutes->setItemText(i, twoDigits((i - 1) * tmf::kStatementMinuteStep));
}

void resetStatementBoxes(QComboBox *hours, QComboBox *minutes, bool rewriteAll)
{
    fillBox(hours, statementHourItems());
    fillBox(minutes, statementMinuteItems());
    guardStatement(minutes, hours->currentIndex(), rewriteAll);
}

void showStatement(QComboBox *hours, QComboBox *minutes, int storedHours, int storedMinutes)
{
    selectIndex(hours, tmf::statementHourIndex(storedHours));
    selectIndex(minutes, tmf::statementMinuteIndex(storedMinutes));
}

// Both boxes set: hours in 0..23, minutes in 0..50.
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

void resetThresholdPage(const ThresholdPage &p)
{
    fillBox(p.period, periodItems());
    refillSendTimes(p, kPeriodNone);
    for (const SendTimeWidgets &w : p.sendTimes) {
        w.enabled->setChecked(false);
        sendTimeClicked(w, false);
    }
    p.lifeSecond->setChecked(true);
    p.lifeFirst->setChecked(false);
    {
        // Set directly: the coupling slots would clamp against the previous module's pair.
        const QSignalBlocker lowBlocker(p.low);
        const QSignalBlocker highBlocker(p.high);
        p.low->setRange(kLowMinimum, kHighDefault - kThresholdGap);
        p.high->setRange(kLowDefault + kThresholdGap, kHighMaximum);
        p.low->setValue(kLowDefault);
        p.high->setValue(kHighDefault);
    }
    p.result->clear();
    p.bar->setValue(0);
    p.button->setEnabled(false);
    p.display->hide();
    p.unit->hide();
}

// The stored pair is shown as it is: both ranges widened while loading,
// then the coupling applied to what was loaded. Each stays within the page's
// limits, so that the coupling never pushes the other beyond them.
void showThresholds(const ThresholdPage &p, double low, double high)
{
    {
        const QSignalBlocker lowBlocker(p.low);
        const QSignalBlocker highBlocker(p.high);
        p.low->setRange(kLowMinimum, kHighMaximum - kThresholdGap);
        p.high->setRange(kLowMinimum + kThresholdGap, kHighMaximum);
        p.high->setValue(high);
        p.low->setValue(low);
    }
    p.high->setMinimum(p.low->value() + kThresholdGap);
    p.low->setMaximum(p.high->value() - kThresholdGap);
}

// Everything but the statement mode, which each variant shows its own way.
void showThresholdConfig(const ThresholdPage &p, const tmf::Config &c, tmf::Probe probe)
{
    p.period->setCurrentIndex(tmf::periodIndex(c.periodCode));
    const int period = p.period->currentIndex();
    refillSendTimes(p, period);
    showThresholds(p, c.lowThreshold, c.highThreshold);
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
    showStatement(p.statementHours, p.statementMinutes, c.statementHours, c.statementMinutes);
    if (tmf::offsetSteps(probe))
        p.offset->setValue(c.offset);
}

void showPage(const ThresholdPage &p)
{
    p.display->setEnabled(true);
    p.configureFrame->show();
    p.parameterFrame->show();
    p.result->clear();
}

// The failed checks of the page, in the order of the warning's lines.
struct Refusal {
    bool sendTime[kSendTimeCount][2] = {};    // hour, minute
    bool statementHour = false;
    bool statementMinute = false;

    bool any() const
    {
        for (const auto &t : sendTime)
            if (t[0] || t[1])
                return true;
        return statementHour || statementMinute;
    }
};

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

// Only the shown mode's fields have lines; a missing field of the other
// mode still refuses the configuration.
QStringList refusalLines(const Refusal &r, bool periodic, const TemperatureTexts &texts)
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
    c.lowThreshold = p.low->value();
    c.highThreshold = p.high->value();
    c.statementHours = statementHours(p.statementHours);
    c.statementMinutes = statementMinutes(p.statementMinutes);
    c.offset = p.offset->value();
    return c;
}

void showTemperature(QLCDNumber *display, QLabel *unit, double celsius)
{
    display->setDigitCount(tmf::digitCount(celsius));
    // Just below zero a 1/32 degC reading has more figures than the display
    // holds, which would leave the previous reading on it: show its tenth.
    const double tenth = std::round(celsius * 10) / 10 + 0.0;
    display->display(display->checkOverflow(celsius) ? tenth : celsius);
    display->show();
    unit->show();
}

// A stored rate code the radio widget has no entry for is shown as its first rate.
int shownBaudCode(int code)
{
    constexpr int kFirstNormal = 1;
    return Wdradio::isKnownBaudCode(code) ? code : kFirstNormal;
}

} // namespace

// --- Shared by the three pages -------------------------------------------

void MainWindow::createTemperatureTimers(void (MainWindow::*measurement)(), void (MainWindow::*progress)())
{
    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, progress);
    measureTimer = std::make_unique<QTimer>();
    connect(measureTimer.get(), &QTimer::timeout, this, measurement);
}

void MainWindow::destroyTemperatureTimers()
{
    if (measureTimer)
        measureTimer->stop();
    measureTimer.reset();
    progressTimer.reset();
}

bool MainWindow::readTemperatureRaw(int reports, quint16 *raw)
{
    if (!requestCommand(orlo::command::ReadLive, reports))
        return false;
    *raw = tmf::rawTemperature(answerPayload());
    QTextStream(stdout) << "  dataTemperature = " << *raw << Qt::endl;
    return true;
}

// --- TM ------------------------------------------------------------------

void MainWindow::InitPageTM()
{
    const ThresholdPage p = tmPage(*ui);
    p.configureFrame->hide();
    p.parameterFrame->hide();
    ui->frame_Periode_mesure_TM->hide();
    ui->label_Logo->hide();
    resetThresholdPage(p);
    resetStatementBoxes(p.statementHours, p.statementMinutes, false);
    const tmf::Probe probe = tmf::probeOfTm(productId);
    if (probe == tmf::Probe::Offset2073)
        setOffsetRange(p.offset, kOffsetRange);
    else if (probe == tmf::Probe::Signed14)
        setOffsetRange(p.offset, kOffsetRange14Bit);
    createTemperatureTimers(&MainWindow::TemperatureMeasurementTM, &MainWindow::SetprogressBarConfigurerTM);
}

void MainWindow::ShowThresholdModeTM()
{
    ui->stackedWidget_Type_releve_TM->setCurrentWidget(ui->page_depassement_seuil_TM);
    ui->frame_Periode_mesure_TM->show();
}

void MainWindow::EnablePageTM(bool enable)
{
    const ThresholdPage p = tmPage(*ui);
    if (!enable) {
        destroyTemperatureTimers();
        p.configureFrame->hide();
        p.parameterFrame->hide();
        return;
    }
    InitPageTM();
    const quint8 *stored = readStoredConfiguration(tmf::kReports);
    const tmf::Probe probe = tmf::probeOfTm(productId);
    const tmf::Config c = tmf::decodeConfig(stored, probe);
    showThresholdConfig(p, c, probe);
    ui->horizontalSlider_Type_releve_TM->setValue(c.periodic ? kSliderPeriodic : kSliderThresholds);
    if (c.periodic)
        on_horizontalSlider_Type_releve_TM_valueChanged(kSliderPeriodic);
    else
        ShowThresholdModeTM();
    showPage(p);
    ui->label_Logo->show();
    measureTimer->start(kMeasureIntervalMs);
    showModulePage(ui->page_ORLO_TM);
}

void MainWindow::SetprogressBarConfigurerTM()
{
    stepProgress(ui->progressBar_Configurer_TM);
}

void MainWindow::TemperatureMeasurementTM()
{
    ui->pushButton_Configurer_TM->setEnabled(false);
    quint16 raw = 0;
    if (readTemperatureRaw(tmf::kReports, &raw))
        showTemperature(ui->lcdNumber_Temperature_TM, ui->label_Temperature_TM,
                        tmf::celsius(raw, tmf::probeOfTm(productId)));
    ui->pushButton_Configurer_TM->setEnabled(true);
}

void MainWindow::on_comboBox_Periode_mesure_TM_currentIndexChanged(int index)
{
    refillSendTimes(tmPage(*ui), index);
}

void MainWindow::on_checkBox_envoi_T1_TM_clicked(bool checked)
{
    sendTimeClicked(tmPage(*ui).sendTimes[0], checked);
}

void MainWindow::on_checkBox_envoi_T2_TM_clicked(bool checked)
{
    sendTimeClicked(tmPage(*ui).sendTimes[1], checked);
}

void MainWindow::on_checkBox_envoi_T3_TM_clicked(bool checked)
{
    sendTimeClicked(tmPage(*ui).sendTimes[2], checked);
}

void MainWindow::on_doubleSpinBox_Seuil_bas_TM_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_haut_TM->setMinimum(value + kThresholdGap);
}

void MainWindow::on_doubleSpinBox_Seuil_haut_TM_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_bas_TM->setMaximum(value - kThresholdGap);
}

void MainWindow::on_horizontalSlider_Type_releve_TM_valueChanged(int value)
{
    if (value != kSliderPeriodic) {
        ShowThresholdModeTM();
        return;
    }
    ui->stackedWidget_Type_releve_TM->setCurrentWidget(ui->page_periodique_TM);
    ui->frame_Periode_mesure_TM->hide();
}

void MainWindow::on_comboBox_heures_releve_TM_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_TM, index, false);
}

void MainWindow::on_pushButton_Configurer_TM_clicked()
{
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const ThresholdPage p = tmPage(*ui);
    const bool periodic = ui->horizontalSlider_Type_releve_TM->value() == kSliderPeriodic;
    const Refusal refusal = checkThresholdPage(p);
    if (refusal.any()) {
        warnInvalidConfiguration(p.result, kTextsTm.box, refusalLines(refusal, periodic, kTextsTm));
        return;
    }
    tmf::encodeConfig(requestPayload(), thresholdConfig(p, periodic), now, tmf::probeOfTm(productId));
    runWriteCycle({p.button, p.bar, p.result, tmf::kReports, kProgressIntervalMs, measureTimer.get(), false});
}

// --- TM_r20 --------------------------------------------------------------

void MainWindow::InitPageTM_r20()
{
    const ThresholdPage p = r20Page(*ui);
    p.configureFrame->hide();
    p.parameterFrame->hide();
    ui->label_Logo->hide();
    resetThresholdPage(p);
    resetStatementBoxes(p.statementHours, p.statementMinutes, true);
    setOffsetRange(p.offset, kOffsetRange);
    createTemperatureTimers(&MainWindow::TemperatureMeasurementTM_r20,
                            &MainWindow::SetprogressBarConfigurerTM_r20);
}

void MainWindow::EnablePageTM_r20(bool enable)
{
    const ThresholdPage p = r20Page(*ui);
    if (!enable) {
        destroyTemperatureTimers();
        p.configureFrame->hide();
        p.parameterFrame->hide();
        return;
    }
    InitPageTM_r20();
    const quint8 *stored = readStoredConfiguration(tmf::kReports);
    const tmf::Config c = tmf::decodeConfig(stored, tmf::Probe::Offset2073);
    showThresholdConfig(p, c, tmf::Probe::Offset2073);
    ui->toolBox_Type_releve_TM_r20->setCurrentWidget(c.periodic ? ui->page_periodique_TM_r20
                                                                : ui->page_depassement_seuil_TM_r20);
    showPage(p);
    ui->label_Logo->show();
    measureTimer->start(kMeasureIntervalMs);
    showModulePage(ui->page_ORLO_TM_r20);
}

void MainWindow::SetprogressBarConfigurerTM_r20()
{
    stepProgress(ui->progressBar_Configurer_TM_r20);
}

void MainWindow::TemperatureMeasurementTM_r20()
{
    ui->pushButton_Configurer_TM_r20->setEnabled(false);
    quint16 raw = 0;
    if (readTemperatureRaw(tmf::kReports, &raw))
        showTemperature(ui->lcdNumber_Temperature_TM_r20, ui->label_Temperature_TM_r20,
                        tmf::celsius(raw, tmf::Probe::Offset2073));
    ui->pushButton_Configurer_TM_r20->setEnabled(true);
}

void MainWindow::on_comboBox_Periode_mesure_TM_r20_currentIndexChanged(int index)
{
    refillSendTimes(r20Page(*ui), index);
}

void MainWindow::on_checkBox_envoi_T1_TM_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).sendTimes[0], checked);
}

void MainWindow::on_checkBox_envoi_T2_TM_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).sendTimes[1], checked);
}

void MainWindow::on_checkBox_envoi_T3_TM_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).sendTimes[2], checked);
}

void MainWindow::on_doubleSpinBox_Seuil_bas_TM_r20_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_haut_TM_r20->setMinimum(value + kThresholdGap);
}

void MainWindow::on_doubleSpinBox_Seuil_haut_TM_r20_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_bas_TM_r20->setMaximum(value - kThresholdGap);
}

void MainWindow::on_comboBox_heures_releve_TM_r20_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_TM_r20, index, true);
}

void MainWindow::on_pushButton_Configurer_TM_r20_clicked()
{
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const ThresholdPage p = r20Page(*ui);
    const bool periodic = ui->toolBox_Type_releve_TM_r20->currentWidget() == ui->page_periodique_TM_r20;
    const Refusal refusal = checkThresholdPage(p);
    if (refusal.any()) {
        warnInvalidConfiguration(p.result, kTextsR20.box, refusalLines(refusal, periodic, kTextsR20));
        return;
    }
    tmf::encodeConfig(requestPayload(), thresholdConfig(p, periodic), now, tmf::Probe::Offset2073);
    runWriteCycle({p.button, p.bar, p.result, tmf::kReports, kProgressIntervalMs, measureTimer.get(), false});
}

// --- TM_868 --------------------------------------------------------------

void MainWindow::InitPageTM_868()
{
    ui->frame_Configurer_TM_868->hide();
    ui->frame_Parametres_TM_868->hide();
    ui->label_Logo->hide();
    resetStatementBoxes(ui->comboBox_heures_releve_Master_TM_868, ui->comboBox_minutes_releve_Master_TM_868,
                        true);
    setOffsetRange(ui->doubleSpinBox_Offset_Master_TM_868, kOffsetRange);
    ui->spinBox_adressModem_Master_TM_868->setRange(0, tmf::kMaxAddress);
    ui->spinBox_adressRemote_Master_TM_868->setRange(0, tmf::kMaxAddress);
    // The page has address boxes of its own, whatever the stored role.
    ui->widget_radioParameter_Master_TM_868->setFieldsHidden(true, true);
    ui->label_Resultat_configurer_TM_868->clear();
    ui->progressBar_Configurer_TM_868->setValue(0);
    ui->pushButton_Configurer_TM_868->setEnabled(true);
    ui->lcdNumber_Temperature_TM_868->hide();
    ui->label_Temperature_TM_868->hide();
    createTemperatureTimers(&MainWindow::TemperatureMeasurementTM_868,
                            &MainWindow::SetprogressBarConfigurerTM_868);
}

void MainWindow::EnablePageTM_868(bool enable)
{
    if (!enable) {
        destroyTemperatureTimers();
        ui->frame_Configurer_TM_868->hide();
        ui->frame_Parametres_TM_868->hide();
        return;
    }
    InitPageTM_868();
    const quint8 *stored = readStoredConfiguration(tmf::kReports868);
    const tmf::Config868 c = tmf::decodeConfig868(stored);
    if (c.role == kRoleSlave) {
        ui->tabWidget_TM_868->setCurrentIndex(kTabSlave);
    } else if (c.role == kRoleMaster) {
        ui->tabWidget_TM_868->setCurrentIndex(kTabMaster);
        showStatement(ui->comboBox_heures_releve_Master_TM_868, ui->comboBox_minutes_releve_Master_TM_868,
                      c.statementHours, c.statementMinutes);
        ui->doubleSpinBox_Offset_Master_TM_868->setValue(c.offset);
        ui->spinBox_adressModem_Master_TM_868->setValue(c.modemAddress);
        ui->spinBox_adressRemote_Master_TM_868->setValue(c.remoteAddress);
        Wdradio *radio = ui->widget_radioParameter_Master_TM_868;
        radio->setValues(shownBaudCode(c.baudCode), c.channel, c.modemAddress, c.remoteAddress);
        radio->setFieldsHidden(true, true);
    }
    ui->lcdNumber_Temperature_TM_868->setEnabled(true);
    ui->frame_Configurer_TM_868->show();
    ui->frame_Parametres_TM_868->show();
    ui->label_Logo->show();
    ui->label_Resultat_configurer_TM_868->clear();
    measureTimer->start(kMeasureIntervalMs);
    showModulePage(ui->page_ORLO_TM_868);
}

void MainWindow::SetprogressBarConfigurerTM_868()
{
    stepProgress(ui->progressBar_Configurer_TM_868);
}

void MainWindow::TemperatureMeasurementTM_868()
{
    ui->pushButton_Configurer_TM_868->setEnabled(false);
    quint16 raw = 0;
    if (readTemperatureRaw(tmf::kReports868, &raw))
        showTemperature(ui->lcdNumber_Temperature_TM_868, ui->label_Temperature_TM_868,
                        tmf::celsius(raw, tmf::Probe::Offset2073));
    ui->pushButton_Configurer_TM_868->setEnabled(true);
    if (measureTimer)
        measureTimer->start(kMeasureInterval868Ms);
}

void MainWindow::on_comboBox_heures_releve_Master_TM_868_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_Master_TM_868, index, true);
}

void MainWindow::on_pushButton_Configurer_TM_868_clicked()
{
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    tmf::Config868 c;
    if (ui->tabWidget_TM_868->currentIndex() == kTabMaster) {
        QComboBox *hours = ui->comboBox_heures_releve_Master_TM_868;
        QComboBox *minutes = ui->comboBox_minutes_releve_Master_TM_868;
        QStringList lines;
        if (statementHourMissing(hours))
            lines << kTexts868.statementHour;
        if (statementMinuteMissing(minutes))
            lines << kTexts868.statementMinute;
        if (!lines.isEmpty()) {
            warnInvalidConfiguration(ui->label_Resultat_configurer_TM_868, kTexts868.box, lines);
            return;
        }
        const Wdradio *radio = ui->widget_radioParameter_Master_TM_868;
        c.role = kRoleMaster;
        c.statementHours = statementHours(hours);
        c.statementMinutes = statementMinutes(minutes);
        c.offset = ui->doubleSpinBox_Offset_Master_TM_868->value();
        c.channel = radio->channel();
        c.baudCode = radio->baudCode();
        c.remoteAddress = ui->spinBox_adressRemote_Master_TM_868->value();
        c.modemAddress = ui->spinBox_adressModem_Master_TM_868->value();
    }
    tmf::encodeConfig868(requestPayload(), c, now);
    const bool accepted = runWriteCycle({ui->pushButton_Configurer_TM_868, ui->progressBar_Configurer_TM_868,
                                         ui->label_Resultat_configurer_TM_868, tmf::kReports868, kProgressIntervalMs,
                                         measureTimer.get(), false});
    if (accepted)
        TemperatureMeasurementTM_868();
}
