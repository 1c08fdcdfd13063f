// Two-probe temperature page (TM2D_r10): the TM_r20 page with a second
// probe's thresholds and offset in 1/16 degC, a linked statement period, the
// options the module sets (LoRaWAN join mode, low thresholds unused in
// periodic mode), and a live reading taken on demand rather than by a timer.
#include "pages/temperaturepages.h"
#include "link/clockstamp.h"
#include "link/frames/tm2d_frame.h"
#include "link/limits.h"
#include "link/moduletable.h"
#include "pages/listfill.h"
#include "pages/temperature_steps.h"
#include "ui_temperaturepages.h"

#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTextStream>
#include <cstring>

namespace tm2d = orlo::tm2d;
namespace tmf = orlo::tm;
using namespace temperature;

namespace {

constexpr Limits kLimitsTm2d = orlo::limits::kThresholdsTm2d;
constexpr StatementRange kStatementTm2d{tm2d::kMaxStatementHours, tm2d::kMaxStatementMinutes};
constexpr double kOffsetRange = orlo::limits::kOffsetTm2d;
constexpr double kOffsetStep = 0.5;
// Statement boxes: hours "--", "00", "01" ...; minutes "--", "00", "10", "20", "30".
constexpr int kHourZero = 1;
constexpr int kHourOne = 2;
constexpr int kMinuteZero = 1;
constexpr int kMinuteTen = 2;
constexpr int kJoinAbp = 1;
const QStringList kJoinModes = orlo::limits::joinModeTexts();
const char *const kTitleTwoProbes = QT_TRANSLATE_NOOP("TemperaturePages", "Brisane\n2 Digital Temperature");
const char *const kTitleOneProbe = QT_TRANSLATE_NOOP("TemperaturePages", "Brisane\n1 Digital Temperature");

// Probe 1 with the schedule: the single-probe page under this suffix.
ThresholdPage probe1Page(Ui::TemperaturePages &ui)
{
    return {ui.comboBox_Periode_mesure_TM2D_r10,
            {{ui.checkBox_envoi_T1_TM2D_r10, ui.comboBox_heures_T1_TM2D_r10, ui.comboBox_minutes_T1_TM2D_r10},
             {ui.checkBox_envoi_T2_TM2D_r10, ui.comboBox_heures_T2_TM2D_r10, ui.comboBox_minutes_T2_TM2D_r10},
             {ui.checkBox_envoi_T3_TM2D_r10, ui.comboBox_heures_T3_TM2D_r10, ui.comboBox_minutes_T3_TM2D_r10}},
            ui.comboBox_heures_releve_TM2D_r10, ui.comboBox_minutes_releve_TM2D_r10,
            ui.radioButton_Tous_les_jours_TM2D_r10, ui.radioButton_Tous_les_5_jours_TM2D_r10,
            {ui.doubleSpinBox_Seuil_bas_S1_TM2D_r10, ui.doubleSpinBox_Seuil_haut_S1_TM2D_r10},
            ui.doubleSpinBox_Offset_S1_TM2D_r10,
            ui.frame_Configurer_TM2D_r10, ui.frame_Parametres_TM2D_r10,
            ui.pushButton_Configurer_TM2D_r10, ui.progressBar_Configurer_TM2D_r10,
            ui.label_Resultat_configurer_TM2D_r10,
            ui.lcdNumber_Temperature_S1_TM2D_r10, ui.label_Temperature_S1_TM2D_r10, kLimitsTm2d, kStatementTm2d};
}

ThresholdPair probe2Thresholds(Ui::TemperaturePages &ui)
{
    return {ui.doubleSpinBox_Seuil_bas_S2_TM2D_r10, ui.doubleSpinBox_Seuil_haut_S2_TM2D_r10};
}

void setLowThresholdsVisible(Ui::TemperaturePages &ui, bool visible)
{
    QWidget *const widgets[] = {ui.doubleSpinBox_Seuil_bas_S1_TM2D_r10, ui.label_Seuil_bas_S1_TM2D_r10,
                                ui.label_Unite_Seuil_bas_S1_TM2D_r10,   ui.doubleSpinBox_Seuil_bas_S2_TM2D_r10,
                                ui.label_Seuil_bas_S2_TM2D_r10,         ui.label_Unite_Seuil_bas_S2_TM2D_r10};
    for (QWidget *w : widgets)
        w->setVisible(visible);
}

// Probe 2's thresholds and offset are offered only while a second probe answers.
void setSecondProbeVisible(Ui::TemperaturePages &ui, bool visible)
{
    QWidget *const widgets[] = {ui.groupBox_seuilsTemperature_S2_TM2D_r10, ui.label_Offset_S2_TM2D_r10_2,
                                ui.doubleSpinBox_Offset_S2_TM2D_r10, ui.label_Unite_Offset_S2_TM2D_r10};
    for (QWidget *w : widgets)
        w->setVisible(visible);
    if (!visible) {
        ui.lcdNumber_Temperature_S2_TM2D_r10->hide();
        ui.label_Temperature_S2_TM2D_r10->hide();
    }
}

// "--" stays in the minute box as the unset state but cannot be chosen.
void lockUnsetMinute(QComboBox *minutes)
{
    if (auto *model = qobject_cast<QStandardItemModel *>(minutes->model()))
        if (QStandardItem *unset = model->item(0))
            unset->setEnabled(false);
}

void resetOffset(QDoubleSpinBox *offset)
{
    setOffsetRange(offset, kOffsetRange);
    offset->setSingleStep(kOffsetStep);
    offset->setValue(0.0);
}

} // namespace

void TemperaturePages::InitPageTM2D_r10()
{
    const ThresholdPage p = probe1Page(*ui);
    showLogo(false);
    resetThresholdPage(p);
    resetThresholds(probe2Thresholds(*ui), kLimitsTm2d);
    setLowThresholdsVisible(*ui, true);
    lockUnsetMinute(p.statementMinutes);
    resetOffset(ui->doubleSpinBox_Offset_S1_TM2D_r10);
    resetOffset(ui->doubleSpinBox_Offset_S2_TM2D_r10);
    ui->lcdNumber_Temperature_S2_TM2D_r10->hide();
    ui->label_Temperature_S2_TM2D_r10->hide();
    createTemperatureTimers(nullptr, &TemperaturePages::SetprogressBarConfigurerTM2D_r10);
}

void TemperaturePages::EnablePageTM2D_r10(bool enable)
{
    if (!enable) {
        disableTemperaturePage(ui->frame_Configurer_TM2D_r10, ui->frame_Parametres_TM2D_r10);
        return;
    }
    InitPageTM2D_r10();
    readStoredConfiguration(tm2d::kReports, [this](const quint8 *stored) {
        if (!progressTimer)
            return;     // the module went while its record was read
        const tm2d::Config c = tm2d::decodeConfig(stored);
        // Kept for the tool box and for configure: later answers are measurements.
        optionsTM2D_r10 = c.options;
        storedLowTM2D_r10[0] = c.first.lowThreshold;
        storedLowTM2D_r10[1] = c.second.lowThreshold;

        const ThresholdPage p = probe1Page(*ui);
        on_comboBox_minutes_releve_TM2D_r10_currentIndexChanged(p.statementMinutes->currentIndex());
        on_comboBox_heures_releve_TM2D_r10_currentIndexChanged(p.statementHours->currentIndex());
        showThresholdConfig(p, c.first, true);
        showThresholds(probe2Thresholds(*ui), boundsOf(kLimitsTm2d), c.second.lowThreshold, c.second.highThreshold);
        ui->doubleSpinBox_Offset_S2_TM2D_r10->setValue(c.second.offset);

        QComboBox *join = ui->comboBox_lorawan_joinMode_TM2D_r10;
        const bool loRaWan = c.options & tm2d::kLoRaWan;
        orlo::refillQuietly(join, loRaWan ? orlo::translatedItems(orlo::kLimitsContext, kJoinModes) : QStringList(),
                            kJoinModes.size());
        if (loRaWan)
            join->setCurrentIndex((c.options & tm2d::kJoinAbp) ? kJoinAbp : 0);
        join->setVisible(loRaWan);

        QWidget *mode = c.first.periodic ? ui->page_periodique_TM2D_r10 : ui->page_depassement_seuil_TM2D_r10;
        ui->toolBox_Type_releve_TM2D_r10->setCurrentWidget(mode);
        showLowThresholdsTM2D_r10(!tm2d::lowThresholdsUnused(c.options, c.first.periodic));

        ui->lcdNumber_Temperature_S2_TM2D_r10->setEnabled(true);
        TemperatureMeasurementTM2D_r10();
        showPage(p);
        showLogo(true);
        showModulePage(ui->page_ORLO_TM2D_r10);
    });
}

void TemperaturePages::showLowThresholdsTM2D_r10(bool shown)
{
    setLowThresholdsVisible(*ui, shown);
    const ThresholdPair pairs[] = {probe1Page(*ui).thresholds, probe2Thresholds(*ui)};
    for (int n = 0; n < 2; ++n) {
        const ThresholdPair &pair = pairs[n];
        if (!shown) {
            // Unused: shown as 0.0 without moving the high threshold's bound.
            const QSignalBlocker blocker(pair.low);
            pair.low->setRange(qMin(pair.low->minimum(), 0.0), qMax(pair.low->maximum(), 0.0));
            pair.low->setValue(0.0);
        } else if (optionsTM2D_r10 & tm2d::kLowUnusedWhenPeriodic) {
            showThresholds(pair, boundsOf(kLimitsTm2d), storedLowTM2D_r10[n], pair.high->value());
        }
    }
}

void TemperaturePages::SetprogressBarConfigurerTM2D_r10() { stepProgress(ui->progressBar_Configurer_TM2D_r10); }

void TemperaturePages::TemperatureMeasurementTM2D_r10()
{
    readLive(ui->pushButton_Configurer_TM2D_r10, tm2d::kReports, [this](bool whole) {
        if (!whole)
            return;
        const tm2d::Reading r = tm2d::decodeReading(answerPayload());
        QTextStream out(stdout);
        out << "  dataTemperature = " << r.raw1 << Qt::endl << "  dataTemperature = " << r.raw2 << Qt::endl;
        const double t1 = tm2d::celsius(r.raw1);
        const double t2 = tm2d::celsius(r.raw2);
        showReading({ui->lcdNumber_Temperature_S1_TM2D_r10, ui->label_Temperature_S1_TM2D_r10}, t1,
                    tmf::digitCount(t1));
        const bool second = tm2d::secondProbeFitted(t2);
        if (second)
            showReading({ui->lcdNumber_Temperature_S2_TM2D_r10, ui->label_Temperature_S2_TM2D_r10}, t2,
                        tmf::digitCount(t2));
        setSecondProbeVisible(*ui, second);
        titleTM2D_r10 = second ? kTitleTwoProbes : kTitleOneProbe;
        ui->label_TM2D_r10_Title->setText(tr(titleTM2D_r10));
    });
}

// A configuration refused or not acknowledged: the page stays as the user
// left it, and a fresh reading makes the button usable again, as after "OK".
void TemperaturePages::configurationFailed_TM2D_r10() { TemperatureMeasurementTM2D_r10(); }

void TemperaturePages::on_comboBox_Periode_mesure_TM2D_r10_currentIndexChanged(int index)
{
    refillSendTimes(probe1Page(*ui), index);
}

// The statement period is 10 to 30 minutes (hours "00") or whole hours
// (minutes "00"); each slot re-selects the user's choice at the end, so that
// it wins over what the other slot changed in reaction.
void TemperaturePages::on_comboBox_minutes_releve_TM2D_r10_currentIndexChanged(int index)
{
    if (index >= kMinuteTen) {
        ui->comboBox_heures_releve_TM2D_r10->setCurrentIndex(kHourZero);
        ui->comboBox_minutes_releve_TM2D_r10->setCurrentIndex(index);
    } else {
        ui->comboBox_heures_releve_TM2D_r10->setCurrentIndex(kHourOne);
    }
}

void TemperaturePages::on_comboBox_heures_releve_TM2D_r10_currentIndexChanged(int index)
{
    if (index == kHourZero) {
        ui->comboBox_minutes_releve_TM2D_r10->setCurrentIndex(kMinuteTen);
    } else {
        ui->comboBox_minutes_releve_TM2D_r10->setCurrentIndex(kMinuteZero);
        ui->comboBox_heures_releve_TM2D_r10->setCurrentIndex(index);
    }
}

void TemperaturePages::on_checkBox_envoi_T1_TM2D_r10_clicked(bool checked)
{
    sendTimeClicked(probe1Page(*ui).sendTimes[0], checked);
}

void TemperaturePages::on_checkBox_envoi_T2_TM2D_r10_clicked(bool checked)
{
    sendTimeClicked(probe1Page(*ui).sendTimes[1], checked);
}

void TemperaturePages::on_checkBox_envoi_T3_TM2D_r10_clicked(bool checked)
{
    sendTimeClicked(probe1Page(*ui).sendTimes[2], checked);
}

void TemperaturePages::on_doubleSpinBox_Seuil_bas_S1_TM2D_r10_valueChanged(double value)
{
    lowChanged(probe1Page(*ui).thresholds, value);
}

void TemperaturePages::on_doubleSpinBox_Seuil_haut_S1_TM2D_r10_valueChanged(double value)
{
    highChanged(probe1Page(*ui).thresholds, value);
}

void TemperaturePages::on_doubleSpinBox_Seuil_bas_S2_TM2D_r10_valueChanged(double value)
{
    lowChanged(probe2Thresholds(*ui), value);
}

void TemperaturePages::on_doubleSpinBox_Seuil_haut_S2_TM2D_r10_valueChanged(double value)
{
    highChanged(probe2Thresholds(*ui), value);
}

void TemperaturePages::on_toolBox_Type_releve_TM2D_r10_currentChanged(int index)
{
    const bool periodic = ui->toolBox_Type_releve_TM2D_r10->widget(index) == ui->page_periodique_TM2D_r10;
    showLowThresholdsTM2D_r10(!tm2d::lowThresholdsUnused(optionsTM2D_r10, periodic));
}

std::optional<WriteCycle> TemperaturePages::buildTM2D_r10()
{
    if (!mayConfigure())
        return std::nullopt;
    const QDateTime now = orlo::currentDateTime();
    clearRequest();
    const ThresholdPage p = probe1Page(*ui);
    const bool periodic = ui->toolBox_Type_releve_TM2D_r10->currentWidget() == ui->page_periodique_TM2D_r10;
    if (refuseThresholdPage(p, periodic, kTextsR20))
        return std::nullopt;
    tm2d::Config c;
    c.first = thresholdConfig(p, periodic);
    c.second = {ui->doubleSpinBox_Seuil_bas_S2_TM2D_r10->value(), ui->doubleSpinBox_Seuil_haut_S2_TM2D_r10->value(),
                ui->doubleSpinBox_Offset_S2_TM2D_r10->value()};
    const QComboBox *join = ui->comboBox_lorawan_joinMode_TM2D_r10;
    c.options = tm2d::optionsWithJoinMode(optionsTM2D_r10, !join->isHidden(), join->currentIndex() == kJoinAbp);
    tm2d::encodeConfig(requestPayload(), c, now);
    return writeCycle(p.button, p.bar, p.result, tm2d::kReports, nullptr);
}

void TemperaturePages::on_pushButton_Configurer_TM2D_r10_clicked()
{
    if (!mayConfigure())
        return;
    const auto cycle = buildTM2D_r10();
    if (!cycle) {
        configurationFailed_TM2D_r10();
        return;
    }
    runWriteCycle(*cycle, [this](bool accepted) {
        if (accepted) {
            TemperatureMeasurementTM2D_r10();
            return;
        }
        configurationFailed_TM2D_r10();
    });
}
