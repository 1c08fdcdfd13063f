// Temperature pages (TM, TM_r20, TM_868): the module's stored record shown
// in the widgets, written back with the clock stamp, and the live reading;
// and the page steps the other temperature pages share with them.
#include "pages/temperaturepages.h"
#include "link/clockstamp.h"
#include "link/frames/tm_frame.h"
#include "link/limits.h"
#include "link/modulelink.h"
#include "widgets/writecycle.h"
#include "pages/listfill.h"
#include "pages/temperature_steps.h"
#include "widgets/wdradio.h"
#include "ui_temperaturepages.h"

#include <QTextStream>
#include <QTimer>
#include <cstring>

namespace tmf = orlo::tm;
using namespace temperature;

namespace {

constexpr int kMeasureInterval868Ms = 6000;   // after the first reading
constexpr int kSliderThresholds = 0;          // statement on threshold crossing
constexpr int kSliderPeriodic = 1;
constexpr double kOffsetRange = orlo::limits::kOffsetTm;
constexpr double kOffsetRange14Bit = orlo::limits::kOffsetTm14Bit;
constexpr int kTabSlave = 0;
constexpr int kTabMaster = 1;
constexpr int kRoleSlave = 0;
constexpr int kRoleMaster = 1;

ThresholdPage tmPage(Ui::TemperaturePages &ui)
{
    return {ui.comboBox_Periode_mesure_TM,
            {{ui.checkBox_envoi_T1_TM, ui.comboBox_heures_T1_TM, ui.comboBox_minutes_T1_TM},
             {ui.checkBox_envoi_T2_TM, ui.comboBox_heures_T2_TM, ui.comboBox_minutes_T2_TM},
             {ui.checkBox_envoi_T3_TM, ui.comboBox_heures_T3_TM, ui.comboBox_minutes_T3_TM}},
            ui.comboBox_heures_releve_TM, ui.comboBox_minutes_releve_TM,
            ui.radioButton_Tous_les_jours_TM, ui.radioButton_Tous_les_5_jours_TM,
            {ui.doubleSpinBox_Seuil_bas_TM, ui.doubleSpinBox_Seuil_haut_TM}, ui.doubleSpinBox_Offset_TM,
            ui.frame_Configurer_TM, ui.frame_Parametres_TM,
            ui.pushButton_Configurer_TM, ui.progressBar_Configurer_TM, ui.label_Resultat_configurer_TM,
            ui.lcdNumber_Temperature_TM, ui.label_Temperature_TM, kLimitsTm, kStatementTm};
}

ToolBoxPage r20Page(Ui::TemperaturePages &ui)
{
    return {{ui.comboBox_Periode_mesure_TM_r20,
             {{ui.checkBox_envoi_T1_TM_r20, ui.comboBox_heures_T1_TM_r20, ui.comboBox_minutes_T1_TM_r20},
              {ui.checkBox_envoi_T2_TM_r20, ui.comboBox_heures_T2_TM_r20, ui.comboBox_minutes_T2_TM_r20},
              {ui.checkBox_envoi_T3_TM_r20, ui.comboBox_heures_T3_TM_r20, ui.comboBox_minutes_T3_TM_r20}},
             ui.comboBox_heures_releve_TM_r20, ui.comboBox_minutes_releve_TM_r20,
             ui.radioButton_Tous_les_jours_TM_r20, ui.radioButton_Tous_les_5_jours_TM_r20,
             {ui.doubleSpinBox_Seuil_bas_TM_r20, ui.doubleSpinBox_Seuil_haut_TM_r20},
             ui.doubleSpinBox_Offset_TM_r20,
             ui.frame_Configurer_TM_r20, ui.frame_Parametres_TM_r20,
             ui.pushButton_Configurer_TM_r20, ui.progressBar_Configurer_TM_r20,
             ui.label_Resultat_configurer_TM_r20,
             ui.lcdNumber_Temperature_TM_r20, ui.label_Temperature_TM_r20, kLimitsTm, kStatementTm},
            ui.toolBox_Type_releve_TM_r20, ui.page_depassement_seuil_TM_r20, ui.page_periodique_TM_r20,
            ui.page_ORLO_TM_r20, tmf::layoutOf(tmf::Probe::Offset2073), kOffsetRange, &kTextsR20, tmf::kReports,
            nullptr, nullptr};
}

RadioPage tm868Page(Ui::TemperaturePages &ui)
{
    return {ui.tabWidget_TM_868, ui.comboBox_heures_releve_Master_TM_868, ui.comboBox_minutes_releve_Master_TM_868,
            ui.doubleSpinBox_Offset_Master_TM_868, ui.spinBox_adressModem_Master_TM_868,
            ui.spinBox_adressRemote_Master_TM_868, ui.widget_radioParameter_Master_TM_868,
            ui.frame_Configurer_TM_868, ui.frame_Parametres_TM_868,
            ui.pushButton_Configurer_TM_868, ui.progressBar_Configurer_TM_868, ui.label_Resultat_configurer_TM_868,
            ui.lcdNumber_Temperature_TM_868, ui.label_Temperature_TM_868, ui.page_ORLO_TM_868,
            tmf::kOffsetSteps868, kOffsetRange, &kTexts868, tmf::kReports868, nullptr, nullptr};
}

void showTemperature(QLCDNumber *display, QLabel *unit, double celsius)
{
    showReading({display, unit}, celsius, tmf::digitCount(celsius));
}

// The probe's count in a live answer, traced.
quint16 tracedRawTemperature(const quint8 *answer)
{
    const quint16 raw = tmf::rawTemperature(answer);
    QTextStream(stdout) << "  dataTemperature = " << raw << Qt::endl;
    return raw;
}

} // namespace

// --- Shared by the temperature pages --------------------------------------

TemperaturePages::TemperaturePages(PageShell &shell, QWidget *parent)
    : PageFamily(shell, parent)
    , ui(std::make_unique<Ui::TemperaturePages>())
{
    ui->setupUi(this);
    using T = orlo::ModuleType;
    addPage({T::TM, ui->page_ORLO_TM, [this](bool on) { EnablePageTM(on); },
             {ui->label_Resultat_configurer_TM, ui->pushButton_Configurer_TM},
             [this] { return builtFrame(buildTM()); }});
    addPage({T::TM_r20, ui->page_ORLO_TM_r20, [this](bool on) { EnablePageTM_r20(on); },
             {ui->label_Resultat_configurer_TM_r20, ui->pushButton_Configurer_TM_r20},
             [this] { return builtFrame(buildTM_r20()); }});
    addPage({T::TM2D_r10, ui->page_ORLO_TM2D_r10, [this](bool on) { EnablePageTM2D_r10(on); },
             {ui->label_Resultat_configurer_TM2D_r10, ui->pushButton_Configurer_TM2D_r10},
             [this] { return builtFrame(buildTM2D_r10()); }});
    addPage({T::TH_r10, ui->page_ORLO_TH_r10, [this](bool on) { EnablePageTH_r10(on); },
             {ui->label_Resultat_configurer_TH_r10, ui->pushButton_Configurer_TH_r10},
             [this] { return builtFrame(buildTH_r10()); }});
    addPage({T::TH_868, ui->page_ORLO_TH_868, [this](bool on) { EnablePageTH_868(on); },
             {ui->label_Resultat_configurer_TH_868, ui->pushButton_Configurer_TH_868},
             [this] { return builtFrame(buildTH_868()); }});
    addPage({T::TM_868, ui->page_ORLO_TM_868, [this](bool on) { EnablePageTM_868(on); },
             {ui->label_Resultat_configurer_TM_868, ui->pushButton_Configurer_TM_868},
             [this] { return builtFrame(buildTM_868()); }});
    keepFormTexts([this] { ui->retranslateUi(this); });
}

TemperaturePages::~TemperaturePages() = default;

void TemperaturePages::retranslateTexts()
{
    for (QComboBox *period : {ui->comboBox_Periode_mesure_TM, ui->comboBox_Periode_mesure_TM_r20,
                              ui->comboBox_Periode_mesure_TH_r10, ui->comboBox_Periode_mesure_TM2D_r10})
        retranslatePeriods(period);
    orlo::retranslateItems(ui->comboBox_lorawan_joinMode_TM2D_r10, orlo::kLimitsContext,
                           orlo::limits::joinModeTexts());
    if (titleTH_r10)
        ui->label_TH_r10_Title->setText(tr(titleTH_r10));
    if (titleTM2D_r10)
        ui->label_TM2D_r10_Title->setText(tr(titleTM2D_r10));
}

void TemperaturePages::createTemperatureTimers(void (TemperaturePages::*measurement)(), void (TemperaturePages::*progress)())
{
    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, progress);
    // A page that reads on demand has no measurement timer.
    measureTimer.reset();
    if (!measurement)
        return;
    measureTimer = std::make_unique<QTimer>();
    connect(measureTimer.get(), &QTimer::timeout, this, [this, measurement] {
        // A tick does not queue behind an exchange that still waits: the next one reads.
        if (!link().busy())
            (this->*measurement)();
    });
}

void TemperaturePages::destroyTemperatureTimers()
{
    if (measureTimer)
        measureTimer->stop();
    measureTimer.reset();
    progressTimer.reset();
}

void TemperaturePages::disableTemperaturePage(QWidget *configureFrame, QWidget *parameterFrame)
{
    destroyTemperatureTimers();
    configureFrame->hide();
    parameterFrame->hide();
}

void TemperaturePages::readLive(QPushButton *write, int reports, std::function<void(bool whole)> done)
{
    write->setEnabled(false);
    requestCommand(orlo::command::ReadLive, reports, [write, done](bool whole) {
        done(whole);
        write->setEnabled(true);
    });
}

std::optional<WriteCycle> TemperaturePages::buildThresholdPage(const ThresholdPage &p, bool periodic,
                                                               const tmf::Layout &layout, const Texts &texts,
                                                               int reports)
{
    if (!mayConfigure())
        return std::nullopt;
    const QDateTime now = orlo::currentDateTime();
    clearRequest();
    if (refuseThresholdPage(p, periodic, texts))
        return std::nullopt;
    tmf::encodeConfig(requestPayload(), thresholdConfig(p, periodic), now, layout);
    return writeCycle(p.button, p.bar, p.result, reports, measureTimer.get());
}

bool TemperaturePages::refuseThresholdPage(const ThresholdPage &p, bool periodic, const Texts &texts)
{
    const Refusal refusal = checkThresholdPage(p);
    if (!refusal.any())
        return false;
    warnInvalidConfiguration(p.result, texts.box, orlo::checks::scheduleLines(refusal, periodic, texts));
    return true;
}

void TemperaturePages::initToolBoxPage(const ToolBoxPage &t, void (TemperaturePages::*measurement)(),
                                 void (TemperaturePages::*progress)())
{
    const ThresholdPage &p = t.page;
    showLogo(false);
    resetThresholdPage(p);
    setOffsetRange(p.offset, t.offsetRange);
    if (t.secondDisplay) {
        t.secondDisplay->hide();
        t.secondUnit->hide();
    }
    createTemperatureTimers(measurement, progress);
}

void TemperaturePages::enableToolBoxPage(const ToolBoxPage &t)
{
    readStoredConfiguration(t.reports, [this, t](const quint8 *stored) {
        if (!measureTimer)
            return;     // the module went while its record was read
        const tmf::Config c = tmf::decodeConfig(stored, t.layout);
        showThresholdConfig(t.page, c, true);
        t.modes->setCurrentWidget(c.periodic ? t.periodicMode : t.thresholdMode);
        showPage(t.page);
        if (t.secondDisplay)
            t.secondDisplay->setEnabled(true);
        showLogo(true);
        measureTimer->start(kMeasureIntervalMs);
        showModulePage(t.moduleWidget);
    });
}

std::optional<WriteCycle> TemperaturePages::buildToolBoxPage(const ToolBoxPage &t)
{
    return buildThresholdPage(t.page, t.modes->currentWidget() == t.periodicMode, t.layout, *t.texts, t.reports);
}

void TemperaturePages::initRadioPage(const RadioPage &r, void (TemperaturePages::*measurement)(), void (TemperaturePages::*progress)())
{
    r.configureFrame->hide();
    r.parameterFrame->hide();
    showLogo(false);
    fillStatementBoxes(r.statementHours, r.statementMinutes, kStatementTm);
    guardStatement(r.statementMinutes, r.statementHours->currentIndex(), true);
    setOffsetRange(r.offset, r.offsetRange);
    r.modemAddress->setRange(0, tmf::kMaxAddress);
    r.remoteAddress->setRange(0, tmf::kMaxAddress);
    // The page has address boxes of its own, whatever the stored role.
    r.radio->setFieldsHidden(true, true);
    r.result->clear();
    r.bar->setValue(0);
    r.button->setEnabled(true);
    r.display->hide();
    r.unit->hide();
    if (r.secondDisplay) {
        r.secondDisplay->hide();
        r.secondUnit->hide();
    }
    createTemperatureTimers(measurement, progress);
}

void TemperaturePages::enableRadioPage(const RadioPage &r)
{
    readStoredConfiguration(r.reports, [this, r](const quint8 *stored) {
        if (!measureTimer)
            return;     // the module went while its record was read
        const tmf::Config868 c = tmf::decodeConfig868(stored, r.offsetSteps);
        if (c.role == kRoleSlave) {
            r.roles->setCurrentIndex(kTabSlave);
        } else if (c.role == kRoleMaster) {
            r.roles->setCurrentIndex(kTabMaster);
            showStatement(r.statementHours, r.statementMinutes, c.statementHours, c.statementMinutes, kStatementTm);
            r.offset->setValue(c.offset);
            r.modemAddress->setValue(c.modemAddress);
            r.remoteAddress->setValue(c.remoteAddress);
            r.radio->setValues(c.baudCode, c.channel, c.modemAddress, c.remoteAddress);
            r.radio->setFieldsHidden(true, true);
        }
        r.display->setEnabled(true);
        if (r.secondDisplay)
            r.secondDisplay->setEnabled(true);
        r.configureFrame->show();
        r.parameterFrame->show();
        showLogo(true);
        r.result->clear();
        measureTimer->start(kMeasureIntervalMs);
        showModulePage(r.moduleWidget);
    });
}

std::optional<WriteCycle> TemperaturePages::buildRadioPage(const RadioPage &r)
{
    if (!mayConfigure())
        return std::nullopt;
    const QDateTime now = orlo::currentDateTime();
    clearRequest();
    tmf::Config868 c;
    if (r.roles->currentIndex() == kTabMaster) {
        QStringList lines;
        if (statementHourMissing(r.statementHours))
            lines << r.texts->statementHour;
        if (statementMinuteMissing(r.statementMinutes))
            lines << r.texts->statementMinute;
        if (!lines.isEmpty()) {
            warnInvalidConfiguration(r.result, r.texts->box, lines);
            return std::nullopt;
        }
        c.role = kRoleMaster;
        c.statementHours = statementHours(r.statementHours);
        c.statementMinutes = statementMinutes(r.statementMinutes);
        c.offset = r.offset->value();
        c.channel = r.radio->channel();
        c.baudCode = r.radio->baudCode();
        c.remoteAddress = r.remoteAddress->value();
        c.modemAddress = r.modemAddress->value();
    }
    tmf::encodeConfig868(requestPayload(), c, now, r.offsetSteps);
    return writeCycle(r.button, r.bar, r.result, r.reports, measureTimer.get());
}

// --- TM ------------------------------------------------------------------

void TemperaturePages::InitPageTM()
{
    const ThresholdPage p = tmPage(*ui);
    ui->frame_Periode_mesure_TM->hide();
    showLogo(false);
    resetThresholdPage(p);
    const tmf::Probe probe = tmf::probeOfTm(currentProductId());
    if (probe == tmf::Probe::Offset2073)
        setOffsetRange(p.offset, kOffsetRange);
    else if (probe == tmf::Probe::Signed14)
        setOffsetRange(p.offset, kOffsetRange14Bit);
    createTemperatureTimers(&TemperaturePages::TemperatureMeasurementTM, &TemperaturePages::SetprogressBarConfigurerTM);
}

void TemperaturePages::ShowThresholdModeTM()
{
    ui->stackedWidget_Type_releve_TM->setCurrentWidget(ui->page_depassement_seuil_TM);
    ui->frame_Periode_mesure_TM->show();
}

void TemperaturePages::EnablePageTM(bool enable)
{
    const ThresholdPage p = tmPage(*ui);
    if (!enable) {
        disableTemperaturePage(p.configureFrame, p.parameterFrame);
        return;
    }
    InitPageTM();
    readStoredConfiguration(tmf::kReports, [this, p](const quint8 *stored) {
        if (!measureTimer)
            return;     // the module went while its record was read
        const tmf::Probe probe = tmf::probeOfTm(currentProductId());
        const tmf::Config c = tmf::decodeConfig(stored, probe);
        showThresholdConfig(p, c, tmf::offsetSteps(probe) != 0);
        ui->horizontalSlider_Type_releve_TM->setValue(c.periodic ? kSliderPeriodic : kSliderThresholds);
        if (c.periodic)
            on_horizontalSlider_Type_releve_TM_valueChanged(kSliderPeriodic);
        else
            ShowThresholdModeTM();
        showPage(p);
        showLogo(true);
        measureTimer->start(kMeasureIntervalMs);
        showModulePage(ui->page_ORLO_TM);
    });
}

void TemperaturePages::SetprogressBarConfigurerTM() { stepProgress(ui->progressBar_Configurer_TM); }

void TemperaturePages::TemperatureMeasurementTM()
{
    readLive(ui->pushButton_Configurer_TM, tmf::kReports, [this](bool whole) {
        if (whole)
            showTemperature(ui->lcdNumber_Temperature_TM, ui->label_Temperature_TM,
                            tmf::celsius(tracedRawTemperature(answerPayload()), tmf::probeOfTm(currentProductId())));
    });
}

void TemperaturePages::on_comboBox_Periode_mesure_TM_currentIndexChanged(int index) { refillSendTimes(tmPage(*ui), index); }

void TemperaturePages::on_checkBox_envoi_T1_TM_clicked(bool checked) { sendTimeClicked(tmPage(*ui).sendTimes[0], checked); }

void TemperaturePages::on_checkBox_envoi_T2_TM_clicked(bool checked) { sendTimeClicked(tmPage(*ui).sendTimes[1], checked); }

void TemperaturePages::on_checkBox_envoi_T3_TM_clicked(bool checked) { sendTimeClicked(tmPage(*ui).sendTimes[2], checked); }

void TemperaturePages::on_doubleSpinBox_Seuil_bas_TM_valueChanged(double value) { lowChanged(tmPage(*ui).thresholds, value); }

void TemperaturePages::on_doubleSpinBox_Seuil_haut_TM_valueChanged(double value)
{
    highChanged(tmPage(*ui).thresholds, value);
}

void TemperaturePages::on_horizontalSlider_Type_releve_TM_valueChanged(int value)
{
    if (value != kSliderPeriodic) {
        ShowThresholdModeTM();
        return;
    }
    ui->stackedWidget_Type_releve_TM->setCurrentWidget(ui->page_periodique_TM);
    ui->frame_Periode_mesure_TM->hide();
}

void TemperaturePages::on_comboBox_heures_releve_TM_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_TM, index, false);
}

std::optional<WriteCycle> TemperaturePages::buildTM()
{
    return buildThresholdPage(tmPage(*ui), ui->horizontalSlider_Type_releve_TM->value() == kSliderPeriodic,
                              tmf::layoutOf(tmf::probeOfTm(currentProductId())), kTextsFrench, tmf::kReports);
}

void TemperaturePages::on_pushButton_Configurer_TM_clicked()
{
    if (const auto cycle = buildTM())
        runWriteCycle(*cycle, {});
}

// --- TM_r20 --------------------------------------------------------------

void TemperaturePages::InitPageTM_r20()
{
    initToolBoxPage(r20Page(*ui), &TemperaturePages::TemperatureMeasurementTM_r20,
                    &TemperaturePages::SetprogressBarConfigurerTM_r20);
}

void TemperaturePages::EnablePageTM_r20(bool enable)
{
    if (!enable) {
        disableTemperaturePage(ui->frame_Configurer_TM_r20, ui->frame_Parametres_TM_r20);
        return;
    }
    InitPageTM_r20();
    enableToolBoxPage(r20Page(*ui));
}

void TemperaturePages::SetprogressBarConfigurerTM_r20() { stepProgress(ui->progressBar_Configurer_TM_r20); }

void TemperaturePages::TemperatureMeasurementTM_r20()
{
    readLive(ui->pushButton_Configurer_TM_r20, tmf::kReports, [this](bool whole) {
        if (whole)
            showTemperature(ui->lcdNumber_Temperature_TM_r20, ui->label_Temperature_TM_r20,
                            tmf::celsius(tracedRawTemperature(answerPayload()), tmf::Probe::Offset2073));
    });
}

void TemperaturePages::on_comboBox_Periode_mesure_TM_r20_currentIndexChanged(int index)
{
    refillSendTimes(r20Page(*ui).page, index);
}

void TemperaturePages::on_checkBox_envoi_T1_TM_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).page.sendTimes[0], checked);
}

void TemperaturePages::on_checkBox_envoi_T2_TM_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).page.sendTimes[1], checked);
}

void TemperaturePages::on_checkBox_envoi_T3_TM_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).page.sendTimes[2], checked);
}

void TemperaturePages::on_doubleSpinBox_Seuil_bas_TM_r20_valueChanged(double value)
{
    lowChanged(r20Page(*ui).page.thresholds, value);
}

void TemperaturePages::on_doubleSpinBox_Seuil_haut_TM_r20_valueChanged(double value)
{
    highChanged(r20Page(*ui).page.thresholds, value);
}

void TemperaturePages::on_comboBox_heures_releve_TM_r20_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_TM_r20, index, true);
}

std::optional<WriteCycle> TemperaturePages::buildTM_r20() { return buildToolBoxPage(r20Page(*ui)); }

void TemperaturePages::on_pushButton_Configurer_TM_r20_clicked()
{
    if (const auto cycle = buildTM_r20())
        runWriteCycle(*cycle, {});
}

// --- TM_868 --------------------------------------------------------------

void TemperaturePages::InitPageTM_868()
{
    initRadioPage(tm868Page(*ui), &TemperaturePages::TemperatureMeasurementTM_868,
                  &TemperaturePages::SetprogressBarConfigurerTM_868);
}

void TemperaturePages::EnablePageTM_868(bool enable)
{
    if (!enable) {
        disableTemperaturePage(ui->frame_Configurer_TM_868, ui->frame_Parametres_TM_868);
        return;
    }
    InitPageTM_868();
    enableRadioPage(tm868Page(*ui));
}

void TemperaturePages::SetprogressBarConfigurerTM_868() { stepProgress(ui->progressBar_Configurer_TM_868); }

void TemperaturePages::TemperatureMeasurementTM_868()
{
    readLive(ui->pushButton_Configurer_TM_868, tmf::kReports868, [this](bool whole) {
        if (whole)
            showTemperature(ui->lcdNumber_Temperature_TM_868, ui->label_Temperature_TM_868,
                            tmf::celsius(tracedRawTemperature(answerPayload()), tmf::Probe::Offset2073));
        if (measureTimer)
            measureTimer->start(kMeasureInterval868Ms);
    });
}

void TemperaturePages::on_comboBox_heures_releve_Master_TM_868_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_Master_TM_868, index, true);
}

std::optional<WriteCycle> TemperaturePages::buildTM_868() { return buildRadioPage(tm868Page(*ui)); }

void TemperaturePages::on_pushButton_Configurer_TM_868_clicked()
{
    if (const auto cycle = buildTM_868())
        runWriteCycle(*cycle, [this](bool accepted) {
            if (accepted)
                TemperatureMeasurementTM_868();
        });
}
