// Digital-and-analog pages (DA, DA_r20): the stored calibration, thresholds
// and reading mode shown in the user's unit, written back with the clock
// stamp, and the live value every 2 s. The lists, thresholds and checks are
// the temperature pages' steps, with thresholds in the calibration's range.
// DA_r20 chooses its analog type and its reading mode in lists; DA takes the
// type from the module and adds two digital inputs.
#include "pages/analogpages.h"
#include "link/clockstamp.h"
#include "link/frames/da_frame.h"
#include "link/limits.h"
#include "link/modulelink.h"
#include "link/qtcompat.h"
#include "pages/listfill.h"
#include "pages/temperature_steps.h"
#include "ui_analogpages.h"

#include <QSignalBlocker>
#include <QTextStream>
#include <QTimer>
#include <cmath>
#include <cstring>

namespace da = orlo::da;
namespace tmf = orlo::tm;
using namespace temperature;

namespace {

constexpr int kSliderThresholds = 0;
constexpr int kSliderPeriodic = 1;
constexpr double kThresholdGapDA = orlo::limits::kThresholdGapAnalog;
constexpr int kResolutionDecimals = 4;
constexpr int kAnalogVoltage = 0;       // DA_r20 list: "Voltage", "Current"
constexpr int kAnalogCurrent = 1;
constexpr int kUnitLabelCount = 7;      // five beside the values, two beside the thresholds
const QStringList kAnalogTypes = orlo::limits::analogTypeTexts();
const QString kUnitMask = QStringLiteral("AAAA");
const QString kTabStyle = QStringLiteral(
    "QTabWidget,QTabWidget::pane,QTabBar { background: transparent; border: 1px; color: rgb(190, 190, 190); }");

using orlo::checks::kCalibrationLine;
const Texts &kTextsDA_r20 = orlo::checks::kScheduleDA_r20;   // names no field

const char *const kEdgeIcons[] = {nullptr, ":/MainWindow/img/ORLO_DA/rising_edge_64px",
                                  ":/MainWindow/img/ORLO_DA/falling_edge_64px",
                                  ":/MainWindow/img/ORLO_DA/both_edges_64px"};

} // namespace

namespace temperature {

// An analog page: the temperature steps' widgets (with Y1 and Y2 bounding the
// thresholds), its unit and calibration labels, and what sets it apart.
struct AnalogPage {
    ThresholdPage steps;
    QWidget *moduleWidget;
    QLineEdit *unit;
    QLabel *unitLabels[kUnitLabelCount];
    QLabel *x1;
    QLabel *x2;
    QLabel *resolution;
    QComboBox *analogList;              // the user's analog type, or nullptr: the product's
    da::Analog productAnalog;
    QWidget *calibrationFrame;          // hidden until the record is read, or nullptr
    QString unitMask;                   // empty: the form limits the unit itself
    QGroupBox *input1;                  // digital inputs (edges in edgeStateDA1, 2), or nullptr
    QGroupBox *input2;
    const Texts *texts;
    da::Variant variant;
};

} // namespace temperature

namespace {

AnalogPage daPage(Ui::AnalogPages &ui, int productId)
{
    return {{ui.comboBox_Periode_mesure_DA,
             {{ui.checkBox_envoi_T1_DA, ui.comboBox_heures_T1_DA, ui.comboBox_minutes_T1_DA},
              {ui.checkBox_envoi_T2_DA, ui.comboBox_heures_T2_DA, ui.comboBox_minutes_T2_DA},
              {ui.checkBox_envoi_T3_DA, ui.comboBox_heures_T3_DA, ui.comboBox_minutes_T3_DA}},
             ui.comboBox_heures_releve_DA, ui.comboBox_minutes_releve_DA,
             ui.radioButton_Tous_les_jours_DA, ui.radioButton_Tous_les_5_jours_DA,
             {ui.doubleSpinBox_Seuil_bas_DA, ui.doubleSpinBox_Seuil_haut_DA, kThresholdGapDA},
             ui.doubleSpinBox_Offset_DA, ui.frame_Configurer_DA, ui.frame_Parametres_DA,
             ui.pushButton_Configurer_DA, ui.progressBar_Configurer_DA, ui.label_Resultat_configurer_DA,
             ui.lcdNumber_Value_DA, ui.label_Unite_4_DA, kLimitsTm, kStatementTm,
             {ui.doubleSpinBox_Y1_DA, ui.doubleSpinBox_Y2_DA}},
            ui.page_ORLO_DA,
            ui.lineEdit_Unite_DA,
            {ui.label_Unite_1_DA, ui.label_Unite_2_DA, ui.label_Unite_3_DA, ui.label_Unite_4_DA,
             ui.label_Unite_5_DA, ui.label_Value_bas_DA, ui.label_Value_haut_DA},
            ui.label_X1_DA, ui.label_X2_DA, ui.label_Calc_Resolution_DA,
            nullptr, da::analogOfProduct(productId),
            ui.frame_Etalonnage_DA, kUnitMask,
            ui.groupBox_Entree1_DA, ui.groupBox_Entree2_DA,
            &kTextsFrench, da::Variant::DA};
}

AnalogPage r20Page(Ui::AnalogPages &ui)
{
    return {{ui.comboBox_Periode_mesure_DA_r20,
             {{ui.checkBox_envoi_T1_DA_r20, ui.comboBox_heures_T1_DA_r20, ui.comboBox_minutes_T1_DA_r20},
              {ui.checkBox_envoi_T2_DA_r20, ui.comboBox_heures_T2_DA_r20, ui.comboBox_minutes_T2_DA_r20},
              {ui.checkBox_envoi_T3_DA_r20, ui.comboBox_heures_T3_DA_r20, ui.comboBox_minutes_T3_DA_r20}},
             ui.comboBox_heures_releve_DA_r20, ui.comboBox_minutes_releve_DA_r20,
             nullptr, nullptr,
             {ui.doubleSpinBox_Seuil_bas_DA_r20, ui.doubleSpinBox_Seuil_haut_DA_r20, kThresholdGapDA},
             ui.doubleSpinBox_Offset_DA_r20, ui.frame_Configurer_DA_r20, ui.frame_Parametres_DA_r20,
             ui.pushButton_Configurer_DA_r20, ui.progressBar_Configurer_DA_r20,
             ui.label_Resultat_configurer_DA_r20,
             ui.lcdNumber_Value_DA_r20, ui.label_Unite_4_DA_r20, kLimitsTm, kStatementTm,
             {ui.doubleSpinBox_Y1_DA_r20, ui.doubleSpinBox_Y2_DA_r20}},
            ui.page_ORLO_DA_r20,
            ui.lineEdit_Unite_DA_r20,
            {ui.label_Unite_1_DA_r20, ui.label_Unite_2_DA_r20, ui.label_Unite_3_DA_r20, ui.label_Unite_4_DA_r20,
             ui.label_Unite_5_DA_r20, ui.label_Value_bas_DA_r20, ui.label_Value_haut_DA_r20},
            ui.label_X1_DA_r20, ui.label_X2_DA_r20, ui.label_Calc_Resolution_DA_r20,
            ui.comboBox_Analog_DA_r20, da::Analog::None,
            nullptr, QString(),
            nullptr, nullptr,
            &kTextsDA_r20, da::Variant::DA_r20};
}

da::Analog analogOf(const AnalogPage &p)
{
    if (!p.analogList)
        return p.productAnalog;
    return p.analogList->currentIndex() == kAnalogCurrent ? da::Analog::Current : da::Analog::Voltage;
}

da::Scaling scalingOf(const AnalogPage &p)
{
    return da::scalingOf(analogOf(p));
}

da::Calibration shownCalibration(const AnalogPage &p)
{
    return {p.steps.calibration.y1->value(), p.steps.calibration.y2->value()};
}

void showAnalogType(const AnalogPage &p)
{
    const bool current = analogOf(p) == da::Analog::Current;
    p.x1->setText(current ? QCoreApplication::translate("AnalogPages", "pour I = 4mA")
                          : QCoreApplication::translate("AnalogPages", "pour U = 0V"));
    p.x2->setText(current ? QCoreApplication::translate("AnalogPages", "pour I = 20mA")
                          : QCoreApplication::translate("AnalogPages", "pour U = 10V"));
}

void showUnit(const AnalogPage &p, const QString &text)
{
    for (QLabel *label : p.unitLabels)
        label->setText(text);
}

// Resolution, offset limits and threshold limits follow Y1 and Y2.
void applyCalibration(const AnalogPage &p)
{
    const da::Calibration c = shownCalibration(p);
    const da::Scaling s = scalingOf(p);
    p.resolution->setText(QString::number(da::resolution(c, s), 'f', kResolutionDecimals));
    setOffsetRange(p.steps.offset, da::offsetLimit(c, s));
    const ThresholdPair &pair = p.steps.thresholds;
    showThresholds(pair, thresholdBounds(p.steps), pair.low->value(), pair.high->value());
}

// A stored record as the temperature steps show it: counts in the user's unit.
tmf::Config shownConfig(const da::Record &r, const da::Scaling &s)
{
    const da::Calibration stored = da::calibrationOf(r);
    tmf::Config c;
    c.periodCode = r.periodCode;
    c.periodic = r.periodic;
    c.lifeFrameSecond = r.keepAlive5Days;
    for (std::size_t n = 0; n < c.sendTimes.size(); ++n)
        c.sendTimes[n] = {r.sendTimes[n].inUse, r.sendTimes[n].hour, r.sendTimes[n].minute};
    c.lowThreshold = da::valueOf(r.lowRaw, stored, s);
    c.highThreshold = da::valueOf(r.highRaw, stored, s);
    c.statementHours = r.readingHours;
    c.statementMinutes = r.readingMinutes;
    c.offset = da::offsetValueOf(r.offsetRaw, stored, s);
    return c;
}

// The page as a record, in counts of the page's analog type.
da::Record recordOf(const AnalogPage &p, const tmf::Config &c)
{
    const da::Calibration shown = shownCalibration(p);
    const da::Scaling s = scalingOf(p);
    da::Record r;
    r.periodCode = c.periodCode;
    r.current = analogOf(p) == da::Analog::Current;
    r.periodic = c.periodic;
    r.keepAlive5Days = c.lifeFrameSecond;
    for (std::size_t n = 0; n < r.sendTimes.size(); ++n)
        r.sendTimes[n] = {c.sendTimes[n].enabled, c.sendTimes[n].hour, c.sendTimes[n].minute};
    r.lowRaw = da::thresholdRaw(c.lowThreshold, shown, s);
    r.highRaw = da::thresholdRaw(c.highThreshold, shown, s);
    r.readingHours = c.statementHours;
    r.readingMinutes = c.statementMinutes;
    r.offsetRaw = da::offsetRaw(c.offset, shown, s);
    r.y1Tenths = da::tenths(shown.y1);
    r.y2Tenths = da::tenths(shown.y2);
    r.unit = p.unit->text();
    return r;
}

// A box still showing what was read, rounded to its decimals.
bool showsAsRead(const QDoubleSpinBox *box, double read)
{
    const double halfStep = 0.5 * std::pow(10.0, -box->decimals());
    return std::fabs(box->value() - read) <= halfStep * (1 + 1e-9);
}

// Thresholds and offset the user left as read, on the calibration as read,
// go back as their stored counts: the boxes show them rounded, and the
// rounded value would land some counts away.
void keepCountsAsRead(const AnalogPage &p, da::Record &r, const da::Record &read)
{
    if (r.y1Tenths != read.y1Tenths || r.y2Tenths != read.y2Tenths)
        return;
    const tmf::Config shown = shownConfig(read, scalingOf(p));
    const ThresholdPair &pair = p.steps.thresholds;
    if (showsAsRead(pair.low, shown.lowThreshold))
        r.lowRaw = read.lowRaw;
    if (showsAsRead(pair.high, shown.highThreshold))
        r.highRaw = read.highRaw;
    if (showsAsRead(p.steps.offset, shown.offset))
        r.offsetRaw = read.offsetRaw;
}

// Thresholds and offset of a stored record in the page's scaling.
void showScaledFields(const AnalogPage &p, const da::Record &r)
{
    applyCalibration(p);
    const tmf::Config c = shownConfig(r, scalingOf(p));
    showThresholds(p.steps.thresholds, thresholdBounds(p.steps), c.lowThreshold, c.highThreshold);
    p.steps.offset->setValue(c.offset);
}

// Everything both pages show of a stored record, but the reading mode.
void showRecord(const AnalogPage &p, const da::Record &r)
{
    const da::Calibration c = da::calibrationOf(r);
    {
        const QSignalBlocker quietY1(p.steps.calibration.y1);
        const QSignalBlocker quietY2(p.steps.calibration.y2);
        p.steps.calibration.y1->setValue(c.y1);
        p.steps.calibration.y2->setValue(c.y2);
    }
    showAnalogType(p);
    applyCalibration(p);
    showThresholdConfig(p.steps, shownConfig(r, scalingOf(p)), true);
    p.unit->setText(r.unit);
    showUnit(p, p.unit->text());
}

void showEdge(QPushButton *button, int state)
{
    const bool known = state > da::kEdgeNone && state <= da::kEdgeBoth;
    button->setIcon(known ? QIcon(QString::fromLatin1(kEdgeIcons[state])) : QIcon());
}

// An edge button click: rising, falling, both, rising ...
void advanceEdge(int &state, QPushButton *button)
{
    state = state == da::kEdgeNone || state == da::kEdgeBoth ? 1 : state + 1;
    showEdge(button, state);
}

void print(const QStringList &lines)
{
    QTextStream out(stdout);
    orlo::qtcompat::writeUtf8(out);
    for (const QString &line : lines)
        out << line << Qt::endl;
}

} // namespace

// --- Shared by the two pages ---------------------------------------------

AnalogPages::AnalogPages(PageShell &shell, QWidget *parent)
    : PageFamily(shell, parent)
    , ui(std::make_unique<Ui::AnalogPages>())
{
    ui->setupUi(this);
    using T = orlo::ModuleType;
    addPage({T::DA, ui->page_ORLO_DA, [this](bool on) { EnablePageDA(on); },
             {ui->label_Resultat_configurer_DA, ui->pushButton_Configurer_DA},
             [this] {
                 return builtFrame(buildAnalogPage(daPage(*ui, currentProductId()),
                                                   ui->horizontalSlider_Type_releve_DA->value() == kSliderPeriodic));
             }});
    addPage({T::DA_r20, ui->page_ORLO_DA_r20, [this](bool on) { EnablePageDA_r20(on); },
             {ui->label_Resultat_configurer_DA_r20, ui->pushButton_Configurer_DA_r20},
             [this] {
                 return builtFrame(buildAnalogPage(
                     r20Page(*ui), ui->toolBox_Type_releve_DA_r20->currentWidget() == ui->page_periodique_DA_r20));
             }});
    keepFormTexts([this] { ui->retranslateUi(this); });
}

AnalogPages::~AnalogPages() = default;

// The calibration labels follow the analog type shown: DA_r20's list, DA's
// module (rewritten when its page next opens, should another module be in).
void AnalogPages::retranslateTexts()
{
    orlo::retranslateItems(ui->comboBox_Analog_DA_r20, orlo::kLimitsContext, kAnalogTypes);
    for (const AnalogPage &p : {daPage(*ui, currentProductId()), r20Page(*ui)}) {
        retranslatePeriods(p.steps.period);
        showAnalogType(p);
    }
}

void AnalogPages::initAnalogPage(const AnalogPage &p, void (AnalogPages::*measurement)(),
                                void (AnalogPages::*progress)())
{
    if (p.calibrationFrame)
        p.calibrationFrame->hide();
    showLogo(false);
    resetThresholdPage(p.steps);
    if (p.analogList)
        orlo::refillQuietly(p.analogList, orlo::translatedItems(orlo::kLimitsContext, kAnalogTypes),
                            kAnalogTypes.size());
    if (!p.unitMask.isEmpty())
        p.unit->setInputMask(p.unitMask);
    progressTimer = std::make_unique<QTimer>();
    valueTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, progress);
    connect(valueTimer.get(), &QTimer::timeout, this, [this, measurement] {
        // A tick does not queue behind an exchange that still waits: the next one reads.
        if (!link().busy())
            (this->*measurement)();
    });
}

void AnalogPages::showAnalogPage(const AnalogPage &p)
{
    if (p.calibrationFrame)
        p.calibrationFrame->show();
    showPage(p.steps);
    showLogo(true);
    valueTimer->start(kMeasureIntervalMs);
    showModulePage(p.moduleWidget);
}

void AnalogPages::disableAnalogPage(const AnalogPage &p)
{
    if (valueTimer)
        valueTimer->stop();
    valueTimer.reset();
    progressTimer.reset();
    p.steps.configureFrame->hide();
    p.steps.parameterFrame->hide();
    if (p.calibrationFrame)
        p.calibrationFrame->hide();
}

// The configure button is usable once a reading came in, and again after
// each one, whatever came back.
void AnalogPages::measureAnalogValue(const AnalogPage &p)
{
    p.steps.button->setEnabled(false);
    requestCommand(orlo::command::ReadLive, da::kReports, [this, p](bool whole) {
        if (whole) {
            const quint16 raw = da::liveRaw(answerPayload());
            QTextStream(stdout) << "  dataValue = " << raw << Qt::endl;
            const double value = da::valueOf(raw, shownCalibration(p), scalingOf(p));
            showReading({p.steps.display, p.steps.unit}, value, da::digitCount(value));
        }
        p.steps.button->setEnabled(true);
    });
}

// Only the reading mode in use is checked: the other one's fields go out as
// they encode (an unset time as not in use, an unset reading period as 0).
std::optional<WriteCycle> AnalogPages::buildAnalogPage(const AnalogPage &p, bool periodic)
{
    if (!mayConfigure())
        return std::nullopt;
    const QDateTime now = orlo::currentDateTime();
    clearRequest();
    const Refusal missing = checkThresholdPage(p.steps);
    // A calibration without a span cannot be scaled.
    const bool unscalable = !da::hasSpan(shownCalibration(p));
    if (missing.anyShown(periodic) || unscalable) {
        QStringList lines = orlo::checks::scheduleLines(missing, periodic, *p.texts);
        if (unscalable)
            lines << kCalibrationLine;
        warnInvalidConfiguration(p.steps.result, p.texts->box, lines);
        return std::nullopt;
    }
    da::Record record = recordOf(p, thresholdConfig(p.steps, periodic));
    keepCountsAsRead(p, record, da::decode(storedRecordAnalog));
    if (p.input1) {
        record.input1 = {p.input1->isChecked(), edgeStateDA1};
        record.input2 = {p.input2->isChecked(), edgeStateDA2};
    }
    da::encode(requestPayload(), now, record, p.variant);
    print(da::writeTrace(requestPayload()));
    return writeCycle(p.steps.button, p.steps.bar, p.steps.result, da::kReports, valueTimer.get());
}

void AnalogPages::configureAnalogPage(const AnalogPage &p, bool periodic)
{
    if (const auto cycle = buildAnalogPage(p, periodic))
        runWriteCycle(*cycle, {});
}

// --- DA ------------------------------------------------------------------

void AnalogPages::EnablePageDA(bool enable)
{
    const AnalogPage p = daPage(*ui, currentProductId());
    if (!enable) {
        disableAnalogPage(p);
        return;
    }
    initAnalogPage(p, &AnalogPages::ValueMeasurementDA, &AnalogPages::SetprogressBarConfigurerDA);
    ui->frame_Periode_mesure_DA->hide();
    readStoredConfiguration(da::kReports, [this, p](const quint8 *stored) {
        if (!valueTimer)
            return;     // the module went while its record was read
        print(da::readTrace(stored));
        std::memcpy(storedRecordAnalog, stored, sizeof storedRecordAnalog);
        const da::Record record = da::decode(stored);
        showRecord(p, record);
        const int slider = record.periodic ? kSliderPeriodic : kSliderThresholds;
        {
            const QSignalBlocker quiet(ui->horizontalSlider_Type_releve_DA);
            ui->horizontalSlider_Type_releve_DA->setValue(slider);
        }
        on_horizontalSlider_Type_releve_DA_valueChanged(slider);
        ui->groupBox_Entree1_DA->setChecked(record.input1.inUse);
        ui->groupBox_Entree2_DA->setChecked(record.input2.inUse);
        edgeStateDA1 = record.input1.edge;
        edgeStateDA2 = record.input2.edge;
        showEdge(ui->pushButton_Front_entree_numerique1_DA, edgeStateDA1);
        showEdge(ui->pushButton_Front_entree_numerique2_DA, edgeStateDA2);
        ui->tabWidget->setStyleSheet(kTabStyle);
        showAnalogPage(p);
    });
}

void AnalogPages::SetprogressBarConfigurerDA() { stepProgress(ui->progressBar_Configurer_DA); }

void AnalogPages::ValueMeasurementDA() { measureAnalogValue(daPage(*ui, currentProductId())); }

void AnalogPages::on_pushButton_Configurer_DA_clicked()
{
    configureAnalogPage(daPage(*ui, currentProductId()), ui->horizontalSlider_Type_releve_DA->value() == kSliderPeriodic);
}

void AnalogPages::on_comboBox_Periode_mesure_DA_currentIndexChanged(int index)
{
    refillSendTimes(daPage(*ui, currentProductId()).steps, index);
}

void AnalogPages::on_checkBox_envoi_T1_DA_clicked(bool checked)
{
    sendTimeClicked(daPage(*ui, currentProductId()).steps.sendTimes[0], checked);
}

void AnalogPages::on_checkBox_envoi_T2_DA_clicked(bool checked)
{
    sendTimeClicked(daPage(*ui, currentProductId()).steps.sendTimes[1], checked);
}

void AnalogPages::on_checkBox_envoi_T3_DA_clicked(bool checked)
{
    sendTimeClicked(daPage(*ui, currentProductId()).steps.sendTimes[2], checked);
}

void AnalogPages::on_doubleSpinBox_Seuil_bas_DA_valueChanged(double value)
{
    lowChanged(daPage(*ui, currentProductId()).steps.thresholds, value);
}

void AnalogPages::on_doubleSpinBox_Seuil_haut_DA_valueChanged(double value)
{
    highChanged(daPage(*ui, currentProductId()).steps.thresholds, value);
}

void AnalogPages::on_horizontalSlider_Type_releve_DA_valueChanged(int value)
{
    if (value == kSliderThresholds) {
        ui->stackedWidget_Type_releve_DA->setCurrentWidget(ui->page_depassement_seuil_DA);
        ui->frame_Periode_mesure_DA->show();
    } else if (value == kSliderPeriodic) {
        ui->stackedWidget_Type_releve_DA->setCurrentWidget(ui->page_periodique_DA);
        ui->frame_Periode_mesure_DA->hide();
    }
}

void AnalogPages::on_comboBox_heures_releve_DA_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_DA, index, false);
}

void AnalogPages::on_lineEdit_Unite_DA_textChanged(const QString &text) { showUnit(daPage(*ui, currentProductId()), text); }

void AnalogPages::on_doubleSpinBox_Y1_DA_valueChanged(double) { applyCalibration(daPage(*ui, currentProductId())); }

void AnalogPages::on_doubleSpinBox_Y2_DA_valueChanged(double) { applyCalibration(daPage(*ui, currentProductId())); }

void AnalogPages::on_pushButton_Front_entree_numerique1_DA_clicked()
{
    advanceEdge(edgeStateDA1, ui->pushButton_Front_entree_numerique1_DA);
}

void AnalogPages::on_pushButton_Front_entree_numerique2_DA_clicked()
{
    advanceEdge(edgeStateDA2, ui->pushButton_Front_entree_numerique2_DA);
}

// --- DA_r20 --------------------------------------------------------------

void AnalogPages::EnablePageDA_r20(bool enable)
{
    const AnalogPage p = r20Page(*ui);
    if (!enable) {
        disableAnalogPage(p);
        return;
    }
    initAnalogPage(p, &AnalogPages::ValueMeasurementDA_r20, &AnalogPages::SetprogressBarConfigurerDA_r20);
    readStoredConfiguration(da::kReports, [this, p](const quint8 *stored) {
        if (!valueTimer)
            return;     // the module went while its record was read
        // Kept: a change of analog type scales the stored counts again.
        std::memcpy(storedRecordAnalog, stored, sizeof storedRecordAnalog);
        const da::Record record = da::decode(stored);
        {
            const QSignalBlocker quiet(ui->comboBox_Analog_DA_r20);
            ui->comboBox_Analog_DA_r20->setCurrentIndex(record.current ? kAnalogCurrent : kAnalogVoltage);
        }
        showRecord(p, record);
        ui->toolBox_Type_releve_DA_r20->setCurrentWidget(record.periodic ? ui->page_periodique_DA_r20
                                                                         : ui->page_depassement_seuil_DA_r20);
        showAnalogPage(p);
    });
}

void AnalogPages::SetprogressBarConfigurerDA_r20() { stepProgress(ui->progressBar_Configurer_DA_r20); }

void AnalogPages::ValueMeasurementDA_r20() { measureAnalogValue(r20Page(*ui)); }

void AnalogPages::on_pushButton_Configurer_DA_r20_clicked()
{
    configureAnalogPage(r20Page(*ui),
                        ui->toolBox_Type_releve_DA_r20->currentWidget() == ui->page_periodique_DA_r20);
}

void AnalogPages::on_comboBox_Periode_mesure_DA_r20_currentIndexChanged(int index)
{
    refillSendTimes(r20Page(*ui).steps, index);
}

void AnalogPages::on_checkBox_envoi_T1_DA_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).steps.sendTimes[0], checked);
}

void AnalogPages::on_checkBox_envoi_T2_DA_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).steps.sendTimes[1], checked);
}

void AnalogPages::on_checkBox_envoi_T3_DA_r20_clicked(bool checked)
{
    sendTimeClicked(r20Page(*ui).steps.sendTimes[2], checked);
}

void AnalogPages::on_doubleSpinBox_Seuil_bas_DA_r20_valueChanged(double value)
{
    lowChanged(r20Page(*ui).steps.thresholds, value);
}

void AnalogPages::on_doubleSpinBox_Seuil_haut_DA_r20_valueChanged(double value)
{
    highChanged(r20Page(*ui).steps.thresholds, value);
}

void AnalogPages::on_comboBox_heures_releve_DA_r20_currentIndexChanged(int index)
{
    guardStatement(ui->comboBox_minutes_releve_DA_r20, index, false);
}

void AnalogPages::on_lineEdit_Unite_DA_r20_textChanged(const QString &text) { showUnit(r20Page(*ui), text); }

// As on DA: the resolution and the offset limits follow the calibration too.
void AnalogPages::on_doubleSpinBox_Y1_DA_r20_valueChanged(double) { applyCalibration(r20Page(*ui)); }

void AnalogPages::on_doubleSpinBox_Y2_DA_r20_valueChanged(double) { applyCalibration(r20Page(*ui)); }

// Thresholds and offset are the stored counts scaled for the new type.
void AnalogPages::on_comboBox_Analog_DA_r20_currentIndexChanged(int)
{
    const AnalogPage p = r20Page(*ui);
    showAnalogType(p);
    showScaledFields(p, da::decode(storedRecordAnalog));
}
