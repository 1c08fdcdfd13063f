#include "pages/input_steps.h"

#include "pages/listfill.h"
#include "ui_digitalinputpages.h"
#include "ui_mirrorpages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstring>

namespace di = orlo::di;
using orlo::ModuleType;

namespace inputs {

namespace {

constexpr int kHourListVisible = 10;
constexpr int kMinuteStep = orlo::limits::kReadingMinuteStep;
constexpr int kHourZero = 1;                // "00": reading at 00:00 is not offered
constexpr int kMinuteZero = 1;              // "00"
const QString kDash = QStringLiteral("--");

InputStyle styleOf(ModuleType type)
{
    InputStyle style;
    style.counterShowsValue = type == ModuleType::DI_r2x || type == ModuleType::DI2_868_r_10;
    style.noneShowsBoth = type == ModuleType::DI2_868_r_10;
    return style;
}

void fillInput(const InputWidgets &input, const di::Input &stored)
{
    input.box->setChecked(stored.inUse);
    applyBoxRule(input, stored.inUse);
    (stored.counter ? input.counter : input.digital)->setChecked(true);
    applyModeRule(input, stored.counter);
    showEdge(input, stored.edge);
}

} // namespace

InputGroup groupDI(Ui::DigitalInputPages &ui)
{
    const InputStyle style = styleOf(ModuleType::DI);
    return {{ui.groupBox_Entree1_DI, ui.radioButton_Entree_numerique1_DI, ui.radioButton_Compteur1_DI,
             ui.pushButton_Front_entree_numerique1_DI, ui.spinBox_index_compteur1_DI, style},
            {ui.groupBox_Entree2_DI, ui.radioButton_Entree_numerique2_DI, ui.radioButton_Compteur2_DI,
             ui.pushButton_Front_entree_numerique2_DI, ui.spinBox_index_compteur2_DI, style},
            {ui.comboBox_heures_releve_compteur_DI, ui.comboBox_minutes_releve_compteur_DI}};
}

InputGroup groupDI_r2x(Ui::DigitalInputPages &ui)
{
    const InputStyle style = styleOf(ModuleType::DI_r2x);
    return {{ui.groupBox_Entree1_DI_r2x, ui.radioButton_Entree_numerique1_DI_r2x, ui.radioButton_Compteur1_DI_r2x,
             ui.pushButton_Front_entree_numerique1_DI_r2x, ui.label_index_compteur1_DI_r2x, style},
            {ui.groupBox_Entree2_DI_r2x, ui.radioButton_Entree_numerique2_DI_r2x, ui.radioButton_Compteur2_DI_r2x,
             ui.pushButton_Front_entree_numerique2_DI_r2x, ui.label_index_compteur2_DI_r2x, style},
            {ui.comboBox_heures_releve_compteur_DI_r2x, ui.comboBox_minutes_releve_compteur_DI_r2x}};
}

InputGroup groupIOD_PS_r20(Ui::MirrorPages &ui)
{
    const InputStyle style = styleOf(ModuleType::IOD_PS_r20);
    return {{ui.groupBox_Entree1_Master_IOD_PS_r20, ui.radioButton_Entree_numerique1_Master_IOD_PS_r20,
             ui.radioButton_Compteur1_Master_IOD_PS_r20, ui.pushButton_Front_entree_numerique1_Master_IOD_PS_r20,
             ui.label_index_compteur1_Master_IOD_PS_r20, style},
            {ui.groupBox_Entree2_Master_IOD_PS_r20, ui.radioButton_Entree_numerique2_Master_IOD_PS_r20,
             ui.radioButton_Compteur2_Master_IOD_PS_r20, ui.pushButton_Front_entree_numerique2_Master_IOD_PS_r20,
             ui.label_index_compteur2_Master_IOD_PS_r20, style},
            {ui.comboBox_heures_releve_compteur_Master_IOD_PS_r20,
             ui.comboBox_minutes_releve_compteur_Master_IOD_PS_r20}};
}

InputGroup groupORLO_DIO_LoRa(Ui::MirrorPages &ui)
{
    const InputStyle style = styleOf(ModuleType::DIO_LoRa);
    return {{ui.groupBox_Entree1_Master_ORLO_DIO_LoRa, ui.radioButton_Entree_numerique1_Master_ORLO_DIO_LoRa,
             ui.radioButton_Compteur1_Master_ORLO_DIO_LoRa, ui.pushButton_Front_entree_numerique1_Master_ORLO_DIO_LoRa,
             ui.label_index_compteur1_Master_ORLO_DIO_LoRa, style},
            {ui.groupBox_Entree2_Master_ORLO_DIO_LoRa, ui.radioButton_Entree_numerique2_Master_ORLO_DIO_LoRa,
             ui.radioButton_Compteur2_Master_ORLO_DIO_LoRa, ui.pushButton_Front_entree_numerique2_Master_ORLO_DIO_LoRa,
             ui.label_index_compteur2_Master_ORLO_DIO_LoRa, style},
            {ui.comboBox_heures_releve_compteur_Master_ORLO_DIO_LoRa,
             ui.comboBox_minutes_releve_compteur_Master_ORLO_DIO_LoRa}};
}

InputGroup groupDI2_868_r_10(Ui::MirrorPages &ui)
{
    const InputStyle style = styleOf(ModuleType::DI2_868_r_10);
    return {{ui.groupBox_Entree1_Master_DI2_868_r_10, ui.radioButton_Entree_numerique1_Master_DI2_868_r_10,
             ui.radioButton_Compteur1_Master_DI2_868_r_10, ui.pushButton_Front_entree_numerique1_Master_DI2_868_r_10,
             ui.label_index_compteur1_Master_DI2_868_r_10, style},
            {ui.groupBox_Entree2_Master_DI2_868_r_10, ui.radioButton_Entree_numerique2_Master_DI2_868_r_10,
             ui.radioButton_Compteur2_Master_DI2_868_r_10, ui.pushButton_Front_entree_numerique2_Master_DI2_868_r_10,
             ui.label_index_compteur2_Master_DI2_868_r_10, style},
            {ui.comboBox_heures_releve_compteur_Master_DI2_868_r_10,
             ui.comboBox_minutes_releve_compteur_Master_DI2_868_r_10}};
}

void resetFrame(const PageFrame &frame)
{
    frame.configurer->hide();
    frame.settings->hide();
    frame.result->clear();
    frame.bar->setValue(0);
    // Nothing is written before the record read is shown.
    frame.write->setEnabled(false);
    frame.other->setEnabled(false);
}

void showFrame(const PageFrame &frame)
{
    frame.configurer->show();
    frame.settings->show();
    frame.result->clear();
    frame.write->setEnabled(true);
    frame.other->setEnabled(true);
}

void showCounters(const Counters &counters, quint32 counter1, quint32 counter2)
{
    counters.value1->setText(QString::number(counter1));
    counters.value2->setText(QString::number(counter2));
}

void applyBoxRule(const InputWidgets &input, bool checked)
{
    input.digital->setEnabled(checked);
    input.counter->setEnabled(checked);
    input.edge->setEnabled(checked);
    input.value->setEnabled(checked);
}

// A counter has no edge.
void applyModeRule(const InputWidgets &input, bool counter)
{
    input.edge->setVisible(!counter);
    input.value->setVisible(counter && input.style.counterShowsValue);
}

void fillInputs(const InputGroup &group, const di::Input &first, const di::Input &second)
{
    fillInput(group.input1, first);
    fillInput(group.input2, second);
}

void resetInput(const InputWidgets &input)
{
    input.box->setChecked(false);
    input.box->setEnabled(true);
    input.digital->setChecked(true);
    applyModeRule(input, false);
    showEdge(input, di::kEdgeNone);
}

di::Input inputOf(const InputWidgets &input, int edge)
{
    return {input.box->isChecked(), input.counter->isChecked(), edge};
}

QIcon edgeIcon(int edge)
{
    static const char *const icons[] = {nullptr, ":/MainWindow/img/ORLO_DI/rising_edge_32px",
                                        ":/MainWindow/img/ORLO_DI/falling_edge_32px",
                                        ":/MainWindow/img/ORLO_DI/both_edges_32px"};
    const bool known = edge > di::kEdgeNone && edge <= di::kEdgeBoth;
    return known ? QIcon(QString::fromLatin1(icons[edge])) : QIcon();
}

void showEdge(const InputWidgets &input, int edge)
{
    const bool shownAsBoth = edge == di::kEdgeNone && input.style.noneShowsBoth;
    input.edge->setIcon(edgeIcon(shownAsBoth ? di::kEdgeBoth : edge));
}

void advanceEdge(int &edge, QPushButton *button)
{
    edge = edge == di::kEdgeBoth ? di::kEdgeRising : edge + 1;
    button->setIcon(edgeIcon(edge));
}

void fillReadingLists(const ReadingTime &time, int lastHour, int lastMinute)
{
    orlo::refillQuietly(time.hours, orlo::dashThenTwoDigits(lastHour, 1), kHourListVisible);
    const QStringList minutes = orlo::dashThenTwoDigits(lastMinute, kMinuteStep);
    orlo::refillQuietly(time.minutes, minutes, minutes.size());
}

int hourEntry(int hour, const QComboBox *hours)
{
    return hour >= 0 && hour + 1 < hours->count() ? hour + 1 : kNotSet;
}

int minuteEntry(int minute, const QComboBox *minutes)
{
    if (minute < 0 || minute % kMinuteStep != 0)
        return kNotSet;
    const int entry = minute / kMinuteStep + 1;
    return entry < minutes->count() ? entry : kNotSet;
}

void showReadingTime(const ReadingTime &time, int hour, int minute)
{
    time.hours->setCurrentIndex(hourEntry(hour, time.hours));
    time.minutes->setCurrentIndex(minuteEntry(minute, time.minutes));
}

void rewriteMinutes(QComboBox *minutes, int hourEntry)
{
    const int hour24 = kLastHour + 1;
    for (int entry = kMinuteZero; entry < minutes->count(); ++entry) {
        const bool offered = hourEntry == kHourZero ? entry > kMinuteZero : hourEntry != hour24 || entry == kMinuteZero;
        minutes->setItemText(entry, offered ? orlo::twoDigits((entry - 1) * kMinuteStep) : kDash);
    }
}

int hourOf(const ReadingTime &time)
{
    return time.hours->currentIndex() - 1;
}

int minuteOf(const ReadingTime &time)
{
    return (time.minutes->currentIndex() - 1) * kMinuteStep;
}

// The minutes' "--" already says what the hour leaves open.
QStringList missingTimes(const ReadingTime &time, const TimeTexts &texts)
{
    namespace checks = orlo::checks;
    const int hourEntry = time.hours->currentIndex();
    const int minuteEntry = time.minutes->currentIndex();
    const int hour = hourEntry <= kNotSet ? checks::kUnset : hourEntry - 1;
    const int minute = minuteEntry < 0 || time.minutes->currentText() == kDash ? checks::kUnset
                                                                                : (minuteEntry - 1) * kMinuteStep;
    const checks::ReadingLists lists{time.hours->count() - 2, (time.minutes->count() - 2) * kMinuteStep, false};
    return checks::readingTimeLines(hour, minute, lists, texts);
}

} // namespace inputs

// ---- Steps of the families on the input group ------------------------------

void InputPages::stopInputPage(QWidget *configurer, QWidget *settings)
{
    ++pageRun;
    progressTimer.reset();
    configurer->hide();
    settings->hide();
}

quint8 *InputPages::clearedRequest(QLabel *result, const WarningTexts &texts, const QStringList &missing)
{
    // The other button of the page stays enabled while a cycle waits.
    if (!mayConfigure())
        return nullptr;
    if (!missing.isEmpty()) {
        warnInvalidConfiguration(result, texts, missing);
        return nullptr;
    }
    clearRequest();
    return requestPayload();
}
