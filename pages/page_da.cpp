// Digital-and-analog pages (DA, DA_r20): the stored calibration, thresholds
// and reading mode shown in the user's unit, written back with the clock
// stamp, and the live value every 2 s. DA_r20 chooses its analog type and
// its reading mode in lists; DA takes the type from the module and adds two
// digital inputs.
#include "app/mainwindow.h"
#include "app/qtcompat.h"
#include "pages/listfill.h"
#include "link/clockstamp.h"
#include "link/frames/da_frame.h"
#include "link/transport.h"
#include "link/writecycle.h"
#include "ui_mainwindow.h"

#include <QSignalBlocker>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace da = orlo::da;

namespace {

constexpr int kValueIntervalMs = 2000;
constexpr int kProgressIntervalMs = 30;
constexpr int kSliderThresholds = 0;
constexpr int kSliderPeriodic = 1;
constexpr double kLowMinimum = -35.0;
constexpr double kHighMaximum = 120.0;
constexpr double kLowDefault = 19.5;
constexpr double kHighDefault = 24.5;
constexpr double kResetGap = 2.0;
constexpr double kThresholdGap = 0.1;
constexpr int kResolutionDecimals = 4;
constexpr int kReadingHourVisible = 10;
constexpr int kMinuteStep = 10;
// List positions.
constexpr int kNotSet = 0;              // "--"
constexpr int kHourZero = 1;            // "00"
constexpr int kMinuteZero = 1;          // "00"
constexpr int kPeriodNone = 0;
constexpr int kPeriod15Minutes = 1;
constexpr int kPeriod30Minutes = 2;
constexpr int kPeriod2Hours = 4;
constexpr int kAnalogCurrent = 1;       // DA_r20 list: "Voltage", "Current"
constexpr int kUnitLabelCount = 7;      // five beside the values, two beside the thresholds
const QString kDash = QStringLiteral("--");
const QString kZero = QStringLiteral("00");
const QString kUnitMask = QStringLiteral("AAAA");
const QString kTabStyle = QStringLiteral(
    "QTabWidget,QTabWidget::pane,QTabBar { background: transparent; border: 1px; color: rgb(190, 190, 190); }");

// Warning texts, odd characters included, as the users know them.
const QString kIntroDA = QStringLiteral(
    "Au moins un champ horaire d'un des 3 envois de temp\uFFFDrature possible n'est pas configur\uFFFD :\n\n");
const QString kSendTimeLines[da::kSendTimeCount][2] = {
    {QStringLiteral("\tChamp heure     de l'heure n\uFFFD1 non configur\uFFFD.\n"),
     QStringLiteral("\tChamp minutes de l'heure n\uFFFD1 non configur\uFFFD.\n")},
    {QStringLiteral("\tChamp heure     de l'heure n\uFFFD2 non configur\uFFFD.\n"),
     QStringLiteral("\tChamp minutes de l'heure n\uFFFD2 non configur\uFFFD.\n")},
    {QStringLiteral("\tChamp heure     de l'heure n\uFFFD3 non configur\uFFFD.\n"),
     QStringLiteral("\tChamp minutes de l'heure n\uFFFD3 non configur\uFFFD.\n")}};
const QString kReadingHourLine = QStringLiteral("\tChamp heure de relev\uFFFD non configur\uFFFD.\n");
const QString kReadingMinuteLine = QStringLiteral("\tChamp minutes de relev\uFFFD non configur\uFFFD.\n");
const QString kCalibrationLine = QStringLiteral(
    "\tPlage d'étalonnage trop petite : la valeur maximum doit dépasser la valeur minimum d'au moins 1.\n");
const WarningTexts kTextsR20 = {
    warning::kTitleFrench,
    warning::kHeadFrench
        + QStringLiteral("Au moins un champ horaire d'un des 3 envois de temprature possible n'est pas configur :\n\n"),
    QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
                   "et cliquez a nouveau sur \"Configurer\"\n")};

const char *const kEdgeIcons[] = {nullptr, ":/MainWindow/img/ORLO_DA/rising_edge_64px",
                                  ":/MainWindow/img/ORLO_DA/falling_edge_64px",
                                  ":/MainWindow/img/ORLO_DA/both_edges_64px"};

struct SendTimeWidgets {
    QCheckBox *inUse;
    QComboBox *hour;
    QComboBox *minute;
};

// The widgets both pages have, each under its page's suffix.
struct AnalogPage {
    bool r20;
    QWidget *page;
    QFrame *configureFrame;
    QFrame *parameterFrame;
    QComboBox *period;
    SendTimeWidgets sendTimes[da::kSendTimeCount];
    QComboBox *readingHours;
    QComboBox *readingMinutes;
    QLineEdit *unit;
    QDoubleSpinBox *y1;
    QDoubleSpinBox *y2;
    QDoubleSpinBox *offset;
    QDoubleSpinBox *low;
    QDoubleSpinBox *high;
    QLabel *x1;
    QLabel *x2;
    QLabel *resolution;
    QLabel *unitLabels[kUnitLabelCount];
    QLCDNumber *display;
    QLabel *displayUnit;
    QPushButton *button;
    QProgressBar *bar;
    QLabel *result;
};

// A widget of the page by its name without the suffix; the form must have it.
template <typename W>
W *widget(QWidget *page, const QString &suffix, const char *name)
{
    const QString full = QLatin1String(name) + suffix;
    W *w = page->findChild<W *>(full);
    if (!w)
        qFatal("the form has no %s", qPrintable(full));
    return w;
}

AnalogPage analogPage(Ui::MainWindow &ui, bool r20)
{
    QWidget *root = r20 ? ui.page_ORLO_DA_r20 : ui.page_ORLO_DA;
    const QString s = r20 ? QStringLiteral("_DA_r20") : QStringLiteral("_DA");
    auto sendTime = [&](const char *box, const char *hour, const char *minute) {
        return SendTimeWidgets{widget<QCheckBox>(root, s, box), widget<QComboBox>(root, s, hour),
                               widget<QComboBox>(root, s, minute)};
    };
    auto label = [&](const char *name) { return widget<QLabel>(root, s, name); };
    auto spin = [&](const char *name) { return widget<QDoubleSpinBox>(root, s, name); };
    return {r20,
            root,
            widget<QFrame>(root, s, "frame_Configurer"),
            widget<QFrame>(root, s, "frame_Parametres"),
            widget<QComboBox>(root, s, "comboBox_Periode_mesure"),
            {sendTime("checkBox_envoi_T1", "comboBox_heures_T1", "comboBox_minutes_T1"),
             sendTime("checkBox_envoi_T2", "comboBox_heures_T2", "comboBox_minutes_T2"),
             sendTime("checkBox_envoi_T3", "comboBox_heures_T3", "comboBox_minutes_T3")},
            widget<QComboBox>(root, s, "comboBox_heures_releve"),
            widget<QComboBox>(root, s, "comboBox_minutes_releve"),
            widget<QLineEdit>(root, s, "lineEdit_Unite"),
            spin("doubleSpinBox_Y1"),
            spin("doubleSpinBox_Y2"),
            spin("doubleSpinBox_Offset"),
            spin("doubleSpinBox_Seuil_bas"),
            spin("doubleSpinBox_Seuil_haut"),
            label("label_X1"),
            label("label_X2"),
            label("label_Calc_Resolution"),
            {label("label_Unite_1"), label("label_Unite_2"), label("label_Unite_3"), label("label_Unite_4"),
             label("label_Unite_5"), label("label_Value_bas"), label("label_Value_haut")},
            widget<QLCDNumber>(root, s, "lcdNumber_Value"),
            label("label_Unite_4"),
            widget<QPushButton>(root, s, "pushButton_Configurer"),
            widget<QProgressBar>(root, s, "progressBar_Configurer"),
            label("label_Resultat_configurer")};
}

// DA: the module type tells the analog type; DA_r20: the user's choice.
da::Analog analogOf(const Ui::MainWindow &ui, bool r20, int productId)
{
    if (!r20)
        return da::analogOfProduct(productId);
    return ui.comboBox_Analog_DA_r20->currentIndex() == kAnalogCurrent ? da::Analog::Current : da::Analog::Voltage;
}

void showAnalogType(const AnalogPage &p, da::Analog analog)
{
    const bool current = analog == da::Analog::Current;
    p.x1->setText(current ? QStringLiteral("pour I = 4mA") : QStringLiteral("pour U = 0V"));
    p.x2->setText(current ? QStringLiteral("pour I = 20mA") : QStringLiteral("pour U = 10V"));
}



// The sending-time lists a sampling period offers.
QStringList sendHourItems(int period)
{
    QStringList items{kDash};
    if (period == kPeriodNone)
        return items;
    const int step = period == kPeriod2Hours ? 2 : 1;
    for (int h = 0; h <= da::kMaxReadingHours; h += step)
        items << orlo::twoDigits(h);
    return items;
}

QStringList sendMinuteItems(int period)
{
    switch (period) {
    case kPeriodNone: return {kDash};
    case kPeriod15Minutes: return {kDash, kZero, QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("45")};
    case kPeriod30Minutes: return {kDash, kZero, QStringLiteral("30")};
    default: return {kZero};
    }
}

void applySendTimeBox(const SendTimeWidgets &w, bool checked)
{
    if (!checked) {
        w.hour->setCurrentIndex(kNotSet);
        w.minute->setCurrentIndex(kNotSet);
    }
    w.hour->setEnabled(checked);
    w.minute->setEnabled(checked);
}

// Nothing can be written while no sampling period is chosen.
void applyPeriod(const AnalogPage &p, int period)
{
    const QStringList hours = sendHourItems(period);
    const QStringList minutes = sendMinuteItems(period);
    for (const SendTimeWidgets &w : p.sendTimes) {
        orlo::refillQuietly(w.hour, hours, kReadingHourVisible);
        orlo::refillQuietly(w.minute, minutes, minutes.size());
    }
    p.configureFrame->setVisible(period != kPeriodNone);
    p.parameterFrame->setVisible(period != kPeriodNone);
}

// A reading every 00 h 00 cannot be chosen: with hour "00" the minute "00" reads "--".
void guardReading(QComboBox *minutes, int hourIndex)
{
    if (minutes->count() > kMinuteZero)
        minutes->setItemText(kMinuteZero, hourIndex == kHourZero ? kDash : kZero);
}

void showUnit(const AnalogPage &p, const QString &text)
{
    for (QLabel *label : p.unitLabels)
        label->setText(text);
}

// A pair shown within bottom..top, the high threshold at least `gap` above
// the low one (where the range allows): values set quietly, then the
// coupling's limits. A stored pair in the wrong order is pulled together.
void showThresholds(const AnalogPage &p, double low, double high, double bottom, double top,
                    double gap = kThresholdGap)
{
    {
        const QSignalBlocker quietLow(p.low);
        const QSignalBlocker quietHigh(p.high);
        p.low->setRange(bottom, std::max(bottom, top - gap));
        p.high->setRange(std::min(top, bottom + gap), top);
        p.high->setValue(high);
        p.low->setValue(low);
    }
    p.high->setMinimum(std::min(top, std::max(bottom, p.low->value() + gap)));
    p.low->setMaximum(std::max(bottom, std::min(top, p.high->value() - gap)));
}

// The pair as it stands, kept within a new bottom..top.
void limitThresholds(const AnalogPage &p, double bottom, double top)
{
    showThresholds(p, p.low->value(), p.high->value(), bottom, top);
}

da::Calibration shownCalibration(const AnalogPage &p)
{
    return {p.y1->value(), p.y2->value()};
}

// Resolution, offset limits and threshold limits follow Y1 and Y2.
void applyCalibration(const AnalogPage &p, const da::Scaling &s)
{
    const da::Calibration c = shownCalibration(p);
    p.resolution->setText(QString::number(da::resolution(c, s), 'f', kResolutionDecimals));
    const double limit = da::offsetLimit(c, s);
    p.offset->setRange(-limit, limit);
    limitThresholds(p, std::min(c.y1, c.y2), std::max(c.y1, c.y2));
}

// Thresholds and offset of a stored record in the page's scaling.
void showScaledFields(const AnalogPage &p, const da::Record &r, const da::Scaling &s)
{
    const da::Calibration c = da::calibrationOf(r);
    const da::Calibration shown = shownCalibration(p);
    applyCalibration(p, s);
    showThresholds(p, da::valueOf(r.lowRaw, c, s), da::valueOf(r.highRaw, c, s), std::min(shown.y1, shown.y2),
                   std::max(shown.y1, shown.y2));
    p.offset->setValue(da::offsetValueOf(r.offsetRaw, c, s));
}

void resetAnalogPage(const AnalogPage &p)
{
    p.configureFrame->hide();
    p.parameterFrame->hide();
    const QStringList periods = {kDash, QStringLiteral("15 minutes"), QStringLiteral("30 minutes"),
                                 QStringLiteral("1 heure"), QStringLiteral("2 heures")};
    orlo::refillQuietly(p.period, periods, periods.size());
    applyPeriod(p, kPeriodNone);
    for (const SendTimeWidgets &w : p.sendTimes) {
        w.inUse->setChecked(false);
        applySendTimeBox(w, false);
    }
    QStringList hours{kDash};
    for (int h = 0; h <= da::kMaxReadingHours; ++h)
        hours << orlo::twoDigits(h);
    orlo::refillQuietly(p.readingHours, hours, kReadingHourVisible);
    QStringList minutes{kDash};
    for (int m = 0; m <= da::kMaxReadingMinutes; m += kMinuteStep)
        minutes << orlo::twoDigits(m);
    orlo::refillQuietly(p.readingMinutes, minutes, minutes.size());
    guardReading(p.readingMinutes, p.readingHours->currentIndex());
    showThresholds(p, kLowDefault, kHighDefault, kLowMinimum, kHighMaximum, kResetGap);
    p.result->clear();
    p.bar->setValue(0);
    p.button->setEnabled(false);
    p.display->hide();
    p.displayUnit->hide();
}

// Everything both pages show of a stored record.
void showRecord(const AnalogPage &p, const da::Record &r, const da::Scaling &s)
{
    const da::Calibration c = da::calibrationOf(r);
    {
        const QSignalBlocker quietY1(p.y1);
        const QSignalBlocker quietY2(p.y2);
        p.y1->setValue(c.y1);
        p.y2->setValue(c.y2);
    }
    showScaledFields(p, r, s);
    const int period = da::periodIndex(r.periodCode);
    {
        const QSignalBlocker quiet(p.period);
        p.period->setCurrentIndex(period);
    }
    applyPeriod(p, period);
    for (int n = 0; n < da::kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        const da::SendTime &t = r.sendTimes[size_t(n)];
        w.inUse->setChecked(t.inUse);
        if (t.inUse) {
            w.hour->setCurrentIndex(da::sendHourIndex(period, t.hour));
            w.minute->setCurrentIndex(std::min(da::sendMinuteIndex(period, t.minute), w.minute->count() - 1));
        }
        applySendTimeBox(w, t.inUse);
    }
    p.readingHours->setCurrentIndex(da::statementHourIndex(r.readingHours));
    p.readingMinutes->setCurrentIndex(da::statementMinuteIndex(r.readingMinutes));
    p.unit->setText(r.unit);
    showUnit(p, p.unit->text());
}

struct Refusal {
    QStringList fieldLines;     // in the order of the warning's lines
    bool fieldMissing = false;
    bool calibration = false;   // R = 0: nothing could be scaled
};

// The page as a record. Only the reading mode in use is checked; the other
// mode's fields are written as they encode (an unset time as not in use, an
// unset reading period as 0 h 0 min).
da::Record recordOf(const AnalogPage &p, const da::Scaling &s, bool periodic, Refusal *refusal)
{
    da::Record r;
    const int period = p.period->currentIndex();
    const bool minutesCount = period == kPeriod15Minutes || period == kPeriod30Minutes;
    r.periodCode = da::periodCode(period);
    r.periodic = periodic;
    for (int n = 0; n < da::kSendTimeCount; ++n) {
        const SendTimeWidgets &w = p.sendTimes[n];
        if (!w.inUse->isChecked())
            continue;
        const bool missing[2] = {w.hour->currentIndex() <= kNotSet,
                                 minutesCount && w.minute->currentIndex() <= kNotSet};
        for (int k = 0; k < 2; ++k) {
            if (missing[k] && !periodic) {
                refusal->fieldLines << kSendTimeLines[n][k];
                refusal->fieldMissing = true;
            }
        }
        if (!missing[0] && !missing[1])
            r.sendTimes[size_t(n)] = {true, da::sendHourAt(period, w.hour->currentIndex()),
                                      da::sendMinuteAt(period, w.minute->currentIndex())};
    }
    const bool hourMissing = p.readingHours->currentIndex() <= kNotSet;
    const bool minuteMissing = p.readingMinutes->currentIndex() < 0 || p.readingMinutes->currentText() == kDash;
    if (periodic) {
        if (hourMissing)
            refusal->fieldLines << kReadingHourLine;
        if (minuteMissing)
            refusal->fieldLines << kReadingMinuteLine;
        refusal->fieldMissing = refusal->fieldMissing || hourMissing || minuteMissing;
    }
    r.readingHours = hourMissing ? 0 : p.readingHours->currentIndex() - 1;
    r.readingMinutes = minuteMissing ? 0 : (p.readingMinutes->currentIndex() - 1) * kMinuteStep;

    const da::Calibration c = shownCalibration(p);
    refusal->calibration = da::calibrationSteps(c) == 0;
    r.lowRaw = da::thresholdRaw(p.low->value(), c, s);
    r.highRaw = da::thresholdRaw(p.high->value(), c, s);
    r.offsetRaw = da::offsetRaw(p.offset->value(), c, s);
    r.y1Tenths = da::tenths(c.y1);
    r.y2Tenths = da::tenths(c.y2);
    r.unit = p.unit->text();
    return r;
}

void showValue(const AnalogPage &p, double value)
{
    p.display->setDigitCount(da::digitCount(value));
    // A value with more figures than the display holds is shown to a tenth.
    const double tenth = std::round(value * 10) / 10 + 0.0;
    p.display->display(p.display->checkOverflow(value) ? tenth : value);
    p.display->show();
    p.displayUnit->show();
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

void MainWindow::enableAnalogPage(bool r20, bool enable)
{
    const AnalogPage p = analogPage(*ui, r20);
    if (!enable) {
        if (valueTimer)
            valueTimer->stop();
        valueTimer.reset();
        progressTimer.reset();
        p.configureFrame->hide();
        p.parameterFrame->hide();
        if (!r20)
            ui->frame_Etalonnage_DA->hide();
        return;
    }
    resetAnalogPage(p);
    if (r20) {
        const QStringList types = {QStringLiteral("Voltage"), QStringLiteral("Current")};
        orlo::refillQuietly(ui->comboBox_Analog_DA_r20, types, types.size());
    } else {
        ui->frame_Periode_mesure_DA->hide();
        ui->frame_Etalonnage_DA->hide();
        ui->radioButton_Tous_les_jours_DA->setChecked(false);
        ui->radioButton_Tous_les_5_jours_DA->setChecked(true);
        p.unit->setInputMask(kUnitMask);
        edgeStateDA1 = edgeStateDA2 = da::kEdgeNone;
    }
    ui->label_Logo->hide();
    progressTimer = std::make_unique<QTimer>();
    valueTimer = std::make_unique<QTimer>();
    if (r20) {
        connect(progressTimer.get(), &QTimer::timeout, this, &MainWindow::SetprogressBarConfigurerDA_r20);
        connect(valueTimer.get(), &QTimer::timeout, this, &MainWindow::ValueMeasurementDA_r20);
    } else {
        connect(progressTimer.get(), &QTimer::timeout, this, &MainWindow::SetprogressBarConfigurerDA);
        connect(valueTimer.get(), &QTimer::timeout, this, &MainWindow::ValueMeasurementDA);
    }

    const quint8 *stored = readStoredConfiguration(da::kReports);
    const da::Record record = da::decode(stored);
    if (r20) {
        // Kept: a change of analog type scales the stored counts again.
        std::memcpy(storedRecordDA_r20, stored, sizeof storedRecordDA_r20);
        const QSignalBlocker quiet(ui->comboBox_Analog_DA_r20);
        ui->comboBox_Analog_DA_r20->setCurrentIndex(record.current ? kAnalogCurrent : 0);
    } else {
        print(da::readTrace(stored));
    }
    const da::Analog analog = analogOf(*ui, r20, productId);
    showAnalogType(p, analog);
    showRecord(p, record, da::scalingOf(analog));

    if (r20) {
        ui->toolBox_Type_releve_DA_r20->setCurrentWidget(record.periodic ? ui->page_periodique_DA_r20
                                                                         : ui->page_depassement_seuil_DA_r20);
    } else {
        (record.keepAlive5Days ? ui->radioButton_Tous_les_5_jours_DA : ui->radioButton_Tous_les_jours_DA)
            ->setChecked(true);
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
        ui->frame_Etalonnage_DA->show();
    }
    p.display->setEnabled(true);
    p.configureFrame->show();
    p.parameterFrame->show();
    ui->label_Logo->show();
    p.result->clear();
    valueTimer->start(kValueIntervalMs);
    showModulePage(p.page);
}

// The configure button is usable once a reading came in, and again after
// each one, whatever came back.
void MainWindow::measureAnalogValue(bool r20)
{
    const AnalogPage p = analogPage(*ui, r20);
    p.button->setEnabled(false);
    if (requestCommand(orlo::command::ReadLive, da::kReports)) {
        const quint16 raw = da::liveRaw(answerPayload());
        QTextStream(stdout) << "  dataValue = " << raw << Qt::endl;
        const da::Scaling s = da::scalingOf(analogOf(*ui, r20, productId));
        showValue(p, da::valueOf(raw, shownCalibration(p), s));
    }
    p.button->setEnabled(true);
}

void MainWindow::configureAnalogPage(bool r20)
{
    if (orlo::exchangeInProgress())
        return;
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const AnalogPage p = analogPage(*ui, r20);
    const bool periodic = r20 ? ui->toolBox_Type_releve_DA_r20->currentWidget() == ui->page_periodique_DA_r20
                              : ui->horizontalSlider_Type_releve_DA->value() == kSliderPeriodic;
    Refusal refusal;
    da::Record record = recordOf(p, da::scalingOf(analogOf(*ui, r20, productId)), periodic, &refusal);
    if (refusal.fieldMissing || refusal.calibration) {
        // DA_r20 names no field; both name a calibration that cannot be scaled.
        QStringList lines = r20 ? QStringList() : refusal.fieldLines;
        if (refusal.calibration)
            lines << kCalibrationLine;
        warnInvalidConfiguration(p.result, r20 ? kTextsR20 : warning::french(kIntroDA), lines);
        return;
    }
    if (r20) {
        record.current = ui->comboBox_Analog_DA_r20->currentIndex() == kAnalogCurrent;
    } else {
        record.keepAlive5Days = ui->radioButton_Tous_les_5_jours_DA->isChecked();
        record.input1 = {ui->groupBox_Entree1_DA->isChecked(), edgeStateDA1};
        record.input2 = {ui->groupBox_Entree2_DA->isChecked(), edgeStateDA2};
    }
    da::encode(requestPayload(), now, record, r20 ? da::Variant::DA_r20 : da::Variant::DA);
    print(da::writeTrace(requestPayload()));
    runWriteCycle({p.button, p.bar, p.result, da::kReports, kProgressIntervalMs, valueTimer.get(), false});
}

// --- DA ------------------------------------------------------------------

void MainWindow::EnablePageDA(bool enable)
{
    enableAnalogPage(false, enable);
}

void MainWindow::SetprogressBarConfigurerDA()
{
    stepProgress(ui->progressBar_Configurer_DA);
}

void MainWindow::ValueMeasurementDA()
{
    measureAnalogValue(false);
}

void MainWindow::on_pushButton_Configurer_DA_clicked()
{
    configureAnalogPage(false);
}

void MainWindow::on_comboBox_Periode_mesure_DA_currentIndexChanged(int index)
{
    applyPeriod(analogPage(*ui, false), index);
}

void MainWindow::on_checkBox_envoi_T1_DA_clicked(bool checked)
{
    applySendTimeBox(analogPage(*ui, false).sendTimes[0], checked);
}

void MainWindow::on_checkBox_envoi_T2_DA_clicked(bool checked)
{
    applySendTimeBox(analogPage(*ui, false).sendTimes[1], checked);
}

void MainWindow::on_checkBox_envoi_T3_DA_clicked(bool checked)
{
    applySendTimeBox(analogPage(*ui, false).sendTimes[2], checked);
}

void MainWindow::on_doubleSpinBox_Seuil_bas_DA_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_haut_DA->setMinimum(value + kThresholdGap);
}

void MainWindow::on_doubleSpinBox_Seuil_haut_DA_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_bas_DA->setMaximum(value - kThresholdGap);
}

void MainWindow::on_horizontalSlider_Type_releve_DA_valueChanged(int value)
{
    if (value == kSliderThresholds) {
        ui->stackedWidget_Type_releve_DA->setCurrentWidget(ui->page_depassement_seuil_DA);
        ui->frame_Periode_mesure_DA->show();
    } else if (value == kSliderPeriodic) {
        ui->stackedWidget_Type_releve_DA->setCurrentWidget(ui->page_periodique_DA);
        ui->frame_Periode_mesure_DA->hide();
    }
}

void MainWindow::on_comboBox_heures_releve_DA_currentIndexChanged(int index)
{
    guardReading(ui->comboBox_minutes_releve_DA, index);
}

void MainWindow::on_lineEdit_Unite_DA_textChanged(const QString &text)
{
    showUnit(analogPage(*ui, false), text);
}

void MainWindow::on_doubleSpinBox_Y1_DA_valueChanged(double)
{
    applyCalibration(analogPage(*ui, false), da::scalingOf(analogOf(*ui, false, productId)));
}

void MainWindow::on_doubleSpinBox_Y2_DA_valueChanged(double)
{
    applyCalibration(analogPage(*ui, false), da::scalingOf(analogOf(*ui, false, productId)));
}

void MainWindow::on_pushButton_Front_entree_numerique1_DA_clicked()
{
    advanceEdge(edgeStateDA1, ui->pushButton_Front_entree_numerique1_DA);
}

void MainWindow::on_pushButton_Front_entree_numerique2_DA_clicked()
{
    advanceEdge(edgeStateDA2, ui->pushButton_Front_entree_numerique2_DA);
}

// --- DA_r20 --------------------------------------------------------------

void MainWindow::EnablePageDA_r20(bool enable)
{
    enableAnalogPage(true, enable);
}

void MainWindow::SetprogressBarConfigurerDA_r20()
{
    stepProgress(ui->progressBar_Configurer_DA_r20);
}

void MainWindow::ValueMeasurementDA_r20()
{
    measureAnalogValue(true);
}

void MainWindow::on_pushButton_Configurer_DA_r20_clicked()
{
    configureAnalogPage(true);
}

void MainWindow::on_comboBox_Periode_mesure_DA_r20_currentIndexChanged(int index)
{
    applyPeriod(analogPage(*ui, true), index);
}

void MainWindow::on_checkBox_envoi_T1_DA_r20_clicked(bool checked)
{
    applySendTimeBox(analogPage(*ui, true).sendTimes[0], checked);
}

void MainWindow::on_checkBox_envoi_T2_DA_r20_clicked(bool checked)
{
    applySendTimeBox(analogPage(*ui, true).sendTimes[1], checked);
}

void MainWindow::on_checkBox_envoi_T3_DA_r20_clicked(bool checked)
{
    applySendTimeBox(analogPage(*ui, true).sendTimes[2], checked);
}

void MainWindow::on_doubleSpinBox_Seuil_bas_DA_r20_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_haut_DA_r20->setMinimum(value + kThresholdGap);
}

void MainWindow::on_doubleSpinBox_Seuil_haut_DA_r20_valueChanged(double value)
{
    ui->doubleSpinBox_Seuil_bas_DA_r20->setMaximum(value - kThresholdGap);
}

void MainWindow::on_comboBox_heures_releve_DA_r20_currentIndexChanged(int index)
{
    guardReading(ui->comboBox_minutes_releve_DA_r20, index);
}

void MainWindow::on_lineEdit_Unite_DA_r20_textChanged(const QString &text)
{
    showUnit(analogPage(*ui, true), text);
}

// As on DA: the resolution and the offset limits follow the calibration too.
void MainWindow::on_doubleSpinBox_Y1_DA_r20_valueChanged(double)
{
    applyCalibration(analogPage(*ui, true), da::scalingOf(analogOf(*ui, true, productId)));
}

void MainWindow::on_doubleSpinBox_Y2_DA_r20_valueChanged(double)
{
    applyCalibration(analogPage(*ui, true), da::scalingOf(analogOf(*ui, true, productId)));
}

// Thresholds and offset are the stored counts scaled for the new type.
void MainWindow::on_comboBox_Analog_DA_r20_currentIndexChanged(int)
{
    const AnalogPage p = analogPage(*ui, true);
    const da::Analog analog = analogOf(*ui, true, productId);
    showAnalogType(p, analog);
    showScaledFields(p, da::decode(storedRecordDA_r20), da::scalingOf(analog));
}
