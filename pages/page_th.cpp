// Temperature and humidity pages (TH_r10, TH_868): the temperature pages
// TM_r20 and TM_868 with the sensor's counts for the thresholds, a finer
// offset and the live humidity beside the temperature.
#include "pages/temperaturepages.h"
#include "link/frames/th_frame.h"
#include "link/limits.h"
#include "link/moduletable.h"
#include "pages/temperature_steps.h"
#include "ui_temperaturepages.h"

namespace th = orlo::th;
using namespace temperature;

namespace {

constexpr Limits kLimitsTh = orlo::limits::kThresholdsTh;
constexpr double kOffsetRange = orlo::limits::kOffsetTh;

const char *const kTitleWithHumidity = QT_TRANSLATE_NOOP("TemperaturePages", "Brisane\nTemperature and Humidity SF8");
const char *const kTitleWithoutHumidity = QT_TRANSLATE_NOOP("TemperaturePages", "Brisane\nTemperature SF8");

const Texts &kTextsR10 = orlo::checks::kScheduleR10;

ToolBoxPage r10Page(Ui::TemperaturePages &ui)
{
    return {{ui.comboBox_Periode_mesure_TH_r10,
             {{ui.checkBox_envoi_T1_TH_r10, ui.comboBox_heures_T1_TH_r10, ui.comboBox_minutes_T1_TH_r10},
              {ui.checkBox_envoi_T2_TH_r10, ui.comboBox_heures_T2_TH_r10, ui.comboBox_minutes_T2_TH_r10},
              {ui.checkBox_envoi_T3_TH_r10, ui.comboBox_heures_T3_TH_r10, ui.comboBox_minutes_T3_TH_r10}},
             ui.comboBox_heures_releve_TH_r10, ui.comboBox_minutes_releve_TH_r10,
             ui.radioButton_Tous_les_jours_TH_r10, ui.radioButton_Tous_les_5_jours_TH_r10,
             {ui.doubleSpinBox_Seuil_bas_TH_r10, ui.doubleSpinBox_Seuil_haut_TH_r10},
             ui.doubleSpinBox_Offset_TH_r10,
             ui.frame_Configurer_TH_r10, ui.frame_Parametres_TH_r10,
             ui.pushButton_Configurer_TH_r10, ui.progressBar_Configurer_TH_r10,
             ui.label_Resultat_configurer_TH_r10,
             ui.lcdNumber_Temperature_TH_r10, ui.label_Temperature_TH_r10, kLimitsTh, kStatementTm},
            ui.toolBox_Type_releve_TH_r10, ui.page_depassement_seuil_TH_r10, ui.page_periodique_TH_r10,
            ui.page_ORLO_TH_r10, th::layout(), kOffsetRange, &kTextsR10, th::kReports,
            ui.lcdNumber_Humidity_TH_r10, ui.label_Humidity_TH_r10};
}

RadioPage th868Page(Ui::TemperaturePages &ui)
{
    return {ui.tabWidget_TH_868, ui.comboBox_heures_releve_TH_868, ui.comboBox_minutes_releve_TH_868,
            ui.doubleSpinBox_Offset_Master_TH_868, ui.spinBox_adressModem_Master_TH_868,
            ui.spinBox_adressRemote_Master_TH_868, ui.widget_radioParameter_Master_TH_868,
            ui.frame_Configurer_TH_868, ui.frame_Parametres_TH_868,
            ui.pushButton_Configurer_TH_868, ui.progressBar_Configurer_TH_868, ui.label_Resultat_configurer_TH_868,
            ui.lcdNumber_Temperature_TH_868, ui.label_Temperature_TH_868, ui.page_ORLO_TH_868,
            th::kOffsetSteps, kOffsetRange, &kTexts868, th::kReports868,
            ui.lcdNumber_Humidity_TH_868, ui.label_Humidity_TH_868};
}

// The titled page's readings: a module without a humidity sensor (a reading
// below 0 %RH) shows its temperature only. The title that fits, as its
// source text.
const char *showTitledReadings(const Reading &temperature, const Reading &humidity, double celsius, double relative)
{
    showReading(temperature, celsius, th::digitCount(celsius));
    showReading(humidity, relative, th::digitCount(relative));
    if (th::humiditySensed(relative))
        return kTitleWithHumidity;
    humidity.display->hide();
    humidity.unit->hide();
    return kTitleWithoutHumidity;
}

} // namespace

// --- TH_r10 --------------------------------------------------------------

void TemperaturePages::InitPageTH_r10()
{
    initToolBoxPage(r10Page(*ui), &TemperaturePages::TemperatureMeasurementTH_r10,
                    &TemperaturePages::SetprogressBarConfigurerTH_r10);
}

void TemperaturePages::EnablePageTH_r10(bool enable)
{
    if (!enable) {
        disableTemperaturePage(ui->frame_Configurer_TH_r10, ui->frame_Parametres_TH_r10);
        return;
    }
    InitPageTH_r10();
    enableToolBoxPage(r10Page(*ui));
}

void TemperaturePages::SetprogressBarConfigurerTH_r10() { stepProgress(ui->progressBar_Configurer_TH_r10); }

void TemperaturePages::TemperatureMeasurementTH_r10()
{
    readLive(ui->pushButton_Configurer_TH_r10, th::kReports, [this](bool whole) {
        if (!whole)
            return;
        const th::Reading r = th::decodeReading(answerPayload());
        titleTH_r10 = showTitledReadings({ui->lcdNumber_Temperature_TH_r10, ui->label_Temperature_TH_r10},
                                         {ui->lcdNumber_Humidity_TH_r10, ui->label_Humidity_TH_r10}, r.celsius,
                                         r.humidity);
        ui->label_TH_r10_Title->setText(tr(titleTH_r10));
    });
}

void TemperaturePages::on_comboBox_Periode_mesure_TH_r10_currentIndexChanged(int index)
{
    refillSendTimes(r10Page(*ui).page, index);
}

void TemperaturePages::on_checkBox_envoi_T1_TH_r10_clicked(bool checked)
{
    sendTimeClicked(r10Page(*ui).page.sendTimes[0], checked);
}

void TemperaturePages::on_checkBox_envoi_T2_TH_r10_clicked(bool checked)
{
    sendTimeClicked(r10Page(*ui).page.sendTimes[1], checked);
}

void TemperaturePages::on_checkBox_envoi_T3_TH_r10_clicked(bool checked)
{
    sendTimeClicked(r10Page(*ui).page.sendTimes[2], checked);
}

void TemperaturePages::on_doubleSpinBox_Seuil_bas_TH_r10_valueChanged(double value)
{
    lowChanged({ui->doubleSpinBox_Seuil_bas_TH_r10, ui->doubleSpinBox_Seuil_haut_TH_r10}, value);
}

void TemperaturePages::on_doubleSpinBox_Seuil_haut_TH_r10_valueChanged(double value)
{
    highChanged({ui->doubleSpinBox_Seuil_bas_TH_r10, ui->doubleSpinBox_Seuil_haut_TH_r10}, value);
}

void TemperaturePages::on_comboBox_heures_releve_TH_r10_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_TH_r10, index, true);
}

std::optional<WriteCycle> TemperaturePages::buildTH_r10() { return buildToolBoxPage(r10Page(*ui)); }

void TemperaturePages::on_pushButton_Configurer_TH_r10_clicked()
{
    if (const auto cycle = buildTH_r10())
        runWriteCycle(*cycle, {});
}

// --- TH_868 --------------------------------------------------------------

void TemperaturePages::InitPageTH_868()
{
    initRadioPage(th868Page(*ui), &TemperaturePages::TemperatureMeasurementTH_868,
                  &TemperaturePages::SetprogressBarConfigurerTH_868);
}

void TemperaturePages::EnablePageTH_868(bool enable)
{
    if (!enable) {
        disableTemperaturePage(ui->frame_Configurer_TH_868, ui->frame_Parametres_TH_868);
        return;
    }
    InitPageTH_868();
    enableRadioPage(th868Page(*ui));
}

void TemperaturePages::SetprogressBarConfigurerTH_868() { stepProgress(ui->progressBar_Configurer_TH_868); }

void TemperaturePages::TemperatureMeasurementTH_868()
{
    readLive(ui->pushButton_Configurer_TH_868, th::kReports868, [this](bool whole) {
        if (!whole)
            return;
        const th::Reading r = th::decodeReading(answerPayload());
        // No title on this page: the humidity is always shown.
        showReading({ui->lcdNumber_Temperature_TH_868, ui->label_Temperature_TH_868}, r.celsius,
                    th::digitCount(r.celsius));
        showReading({ui->lcdNumber_Humidity_TH_868, ui->label_Humidity_TH_868}, r.humidity,
                    th::digitCount(r.humidity));
    });
}

void TemperaturePages::on_comboBox_heures_releve_TH_868_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_TH_868, index, true);
}

std::optional<WriteCycle> TemperaturePages::buildTH_868() { return buildRadioPage(th868Page(*ui)); }

void TemperaturePages::on_pushButton_Configurer_TH_868_clicked()
{
    // Unlike TM_868, no reading follows an accepted write: the timer brings it.
    if (const auto cycle = buildTH_868())
        runWriteCycle(*cycle, {});
}
