// Digital-input pages (DI, DI_r2x, DI4_r2x): read the stored record on
// enable, edit it, write it back (command 1) or write it and clear the
// counters (command 4).
#include "app/mainwindow.h"
#include "pages/listfill.h"
#include "link/clockstamp.h"
#include "link/frames/di_frame.h"
#include "link/transport.h"
#include "link/writecycle.h"
#include "ui_mainwindow.h"

#include <QSignalBlocker>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace di = orlo::di;

namespace {

constexpr int kProgressMs = 30;
constexpr int kProgressFastMs = 15;     // DI_r2x configure
constexpr int kHourListVisible = 10;
constexpr int kNotSet = 0;              // the lists' "--" entry
constexpr int kMinuteStep = 10;
constexpr int kLastMinute = 50;         // DI and DI_r2x minute lists
constexpr int kLastMinuteDI4 = 30;      // DI4_r2x: sub-hour periods up to 30 min
constexpr int kLastHour = 23;
constexpr int kLastHourR2x = 24;
const QString kDash = QStringLiteral("--");

// List entries the hour and minute rules refer to.
constexpr int kHourZero = 1;            // "00"
constexpr int kHourOne = 2;             // "01"
constexpr int kMinuteZero = 1;          // "00"
constexpr int kMinuteTen = 2;           // "10"

const QStringList kJoinModes = {QStringLiteral("Join mode : OTAA"), QStringLiteral("Join mode : ABP")};
constexpr int kJoinAbp = 1;
const QString kLocalRadio = QStringLiteral("With local radio transmission");

// Invalid-configuration texts.
const QString kIntroFrench = QStringLiteral(
    "Au moins un champ horaire d'un des 3 envois de temp\uFFFDrature possible n'est pas configur\uFFFD :\n\n");
const QString kHourLineFrench = QStringLiteral("\tChamp heure de relev\uFFFD compteur non configur\uFFFD.\n");
const QString kMinuteLineFrench = QStringLiteral("\tChamp minutes de relev\uFFFD compteur non configur\uFFFD.\n");

const WarningTexts kEnglish = {
    warning::kTitleEnglish,
    warning::kHeadEnglish + QStringLiteral("At least one time field of a sending is not configured.\n\n"),
    QStringLiteral("\nTo continue, click \"OK\", enter a valid configuration\n"
                   "and click again on \"Configurer\"\n")};
const QString kHourLineEnglish = QStringLiteral("\tMeter reading hour time is not set.\n");
const QString kMinuteLineEnglish = QStringLiteral("\tMeter reading minute time is not set.\n");

// The four-input module's counter reset speaks proper French.
const WarningTexts kFrenchAccented = {
    warning::kTitleFrench,
    warning::kHeadFrench + QStringLiteral(
        "Au moins un champ horaire d'un des 3 envois de température possible n'est pas configuré :\n\n"),
    QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
                   "et cliquez \uFFFD  nouveau sur \"Configurer\"\n")};
const QString kHourLineAccented = QStringLiteral("\tChamp heure de relevé compteur non configuré.\n");
const QString kMinuteLineAccented = QStringLiteral("\tChamp minutes de relevé compteur non configuré.\n");

struct Lines {
    QString hour;
    QString minute;
};

QStringList hourList(bool with24)
{
    QStringList items{kDash};
    const int last = with24 ? kLastHourR2x : kLastHour;
    for (int h = 0; h <= last; ++h)
        items << QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
    return items;
}

QStringList minuteList(int lastMinute)
{
    QStringList items{kDash};
    for (int m = 0; m <= lastMinute; m += kMinuteStep)
        items << QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    return items;
}


// A stored hour or minute the list cannot show becomes "--".
int hourEntry(int hour, const QComboBox *list)
{
    return hour >= 0 && hour + 1 < list->count() ? hour + 1 : kNotSet;
}

int minuteEntry(int minute, const QComboBox *list)
{
    if (minute < 0 || minute % kMinuteStep != 0)
        return kNotSet;
    const int entry = minute / kMinuteStep + 1;
    return entry < list->count() ? entry : kNotSet;
}

int nextEdge(int state)
{
    return state == di::kEdgeBoth ? 1 : state + 1;
}

void showEdge(QPushButton *button, int state)
{
    static const char *const icons[] = {nullptr, ":/MainWindow/img/ORLO_DI/rising_edge_32px",
                                        ":/MainWindow/img/ORLO_DI/falling_edge_32px",
                                        ":/MainWindow/img/ORLO_DI/both_edges_32px"};
    const bool known = state > di::kEdgeNone && state <= di::kEdgeBoth;
    button->setIcon(known ? QIcon(QString::fromLatin1(icons[state])) : QIcon());
}

// The widgets of one input of the two-input pages.
struct InputWidgets {
    QGroupBox *box;
    QRadioButton *digital;
    QRadioButton *counter;
    QPushButton *edge;
    QWidget *index;             // spin box on DI (never shown), last value on DI_r2x
};

struct TwoInputPage {
    QWidget *page;
    QFrame *configurer;
    QFrame *parameters;
    QProgressBar *bar;
    QLabel *result;
    QPushButton *write;
    QPushButton *reset;
    QRadioButton *bit7Set;      // keep-alive button for flags bit 7 = 1
    QRadioButton *bit7Clear;
    QCheckBox *cableBreak;
    QComboBox *hours;
    QComboBox *minutes;
    InputWidgets input1;
    InputWidgets input2;
    QLabel *value1;             // DI_r2x only
    QLabel *value2;
};

TwoInputPage pageDI(Ui::MainWindow &ui)
{
    return {ui.page_ORLO_DI, ui.frame_Configurer_DI, ui.frame_Parametres_DI, ui.progressBar_Configurer_DI,
            ui.label_Resultat_configurer_DI, ui.pushButton_Configurer_DI, ui.pushButton_RAZ_DI,
            ui.radioButton_Tous_les_5_jours_DI, ui.radioButton_Tous_les_jours_DI, ui.checkBox_Cut_DI,
            ui.comboBox_heures_releve_compteur_DI, ui.comboBox_minutes_releve_compteur_DI,
            {ui.groupBox_Entree1_DI, ui.radioButton_Entree_numerique1_DI, ui.radioButton_Compteur1_DI,
             ui.pushButton_Front_entree_numerique1_DI, ui.spinBox_index_compteur1_DI},
            {ui.groupBox_Entree2_DI, ui.radioButton_Entree_numerique2_DI, ui.radioButton_Compteur2_DI,
             ui.pushButton_Front_entree_numerique2_DI, ui.spinBox_index_compteur2_DI},
            nullptr, nullptr};
}

TwoInputPage pageDI_r2x(Ui::MainWindow &ui)
{
    return {ui.page_ORLO_DI_r2x, ui.frame_Configurer_DI_r2x, ui.frame_Parametres_DI_r2x,
            ui.progressBar_Configurer_DI_r2x, ui.label_Resultat_configurer_DI_r2x, ui.pushButton_Configurer_DI_r2x,
            ui.pushButton_RAZ_DI_r2x, ui.radioButton_Desactivee_DI_r2x, ui.radioButton_Tous_les_jours_DI_r2x,
            ui.checkBox_Cut_DI_r2x, ui.comboBox_heures_releve_compteur_DI_r2x,
            ui.comboBox_minutes_releve_compteur_DI_r2x,
            {ui.groupBox_Entree1_DI_r2x, ui.radioButton_Entree_numerique1_DI_r2x, ui.radioButton_Compteur1_DI_r2x,
             ui.pushButton_Front_entree_numerique1_DI_r2x, ui.label_index_compteur1_DI_r2x},
            {ui.groupBox_Entree2_DI_r2x, ui.radioButton_Entree_numerique2_DI_r2x, ui.radioButton_Compteur2_DI_r2x,
             ui.pushButton_Front_entree_numerique2_DI_r2x, ui.label_index_compteur2_DI_r2x},
            ui.label_index_compteur1_DI_r2x, ui.label_index_compteur2_DI_r2x};
}

struct FourInputPage {
    QWidget *page;
    QFrame *configurer;
    QFrame *parameters;
    QProgressBar *bar;
    QLabel *result;
    QPushButton *write;
    QPushButton *reset;
    QRadioButton *bit7Set;
    QRadioButton *bit7Clear;
    QCheckBox *cableBreak;
    QComboBox *hours;
    QComboBox *minutes;
    QGroupBox *counter1;
    QGroupBox *counter2;
    QGroupBox *input3;
    QGroupBox *input4;
    QLabel *value1;
    QLabel *value2;
    QPushButton *edge3;
    QPushButton *edge4;
    QComboBox *joinMode;
    QCheckBox *localRadio;
};

FourInputPage pageDI4_r2x(Ui::MainWindow &ui)
{
    return {ui.page_ORLO_DI4_r2x, ui.frame_Configurer_DI4_r2x, ui.frame_Parametres_DI4_r2x,
            ui.progressBar_Configurer_DI4_r2x, ui.label_Resultat_configurer_DI4_r2x,
            ui.pushButton_Configurer_DI4_r2x, ui.pushButton_RAZ_DI4_r2x, ui.radioButton_Desactivee_DI4_r2x,
            ui.radioButton_Tous_les_jours_DI4_r2x, ui.checkBox_Cut_DI4_r2x,
            ui.comboBox_heures_releve_compteur_DI4_r2x, ui.comboBox_minutes_releve_compteur_DI4_r2x,
            ui.groupBox_Entree1_DI4_r2x, ui.groupBox_Entree2_DI4_r2x, ui.groupBox_Entree3_DI4_r2x,
            ui.groupBox_Entree4_DI4_r2x, ui.label_index_compteur1_DI4_r2x, ui.label_index_compteur2_DI4_r2x,
            ui.pushButton_Front_entree_numerique1_DI4_r2x, ui.pushButton_Front_entree_numerique2_DI4_r2x,
            ui.comboBox_lorawan_joinMode_DI4_r2x, ui.checkBox_radio_local_DI4_r2x};
}

void applyBoxRule(const InputWidgets &input, bool checked)
{
    input.digital->setEnabled(checked);
    input.counter->setEnabled(checked);
    input.edge->setEnabled(checked);
    input.index->setEnabled(checked);
}

// Counter mode hides the edge; the last value is shown on pages that have one.
void applyModeRule(const InputWidgets &input, bool counter, bool showsValue)
{
    input.edge->setVisible(!counter);
    input.index->setVisible(counter && showsValue);
}

void fillInput(const InputWidgets &input, const di::Input &stored, bool showsValue)
{
    input.box->setChecked(stored.inUse);
    applyBoxRule(input, stored.inUse);
    (stored.counter ? input.counter : input.digital)->setChecked(true);
    applyModeRule(input, stored.counter, showsValue);
    showEdge(input.edge, stored.edge);
}

void resetInput(const InputWidgets &input, bool showsValue)
{
    input.box->setChecked(false);
    input.box->setEnabled(true);
    input.digital->setChecked(true);
    applyModeRule(input, false, showsValue);
    showEdge(input.edge, di::kEdgeNone);
}

di::Input inputOf(const InputWidgets &input, int edge)
{
    return {input.box->isChecked(), input.counter->isChecked(), edge};
}

void resetCommon(QFrame *configurer, QFrame *parameters, QLabel *result, QProgressBar *bar, QPushButton *write,
                 QPushButton *reset)
{
    configurer->hide();
    parameters->hide();
    result->clear();
    bar->setValue(0);
    write->setEnabled(true);
    reset->setEnabled(true);
}

// Both checks always run, hour line first.
QStringList missingTimes(const QComboBox *hours, const QComboBox *minutes, const Lines &lines)
{
    QStringList missing;
    if (hours->currentIndex() <= kNotSet)
        missing << lines.hour;
    if (minutes->currentIndex() < 0 || minutes->currentText() == kDash)
        missing << lines.minute;
    return missing;
}

int minuteOf(const QComboBox *minutes)
{
    return (minutes->currentIndex() - 1) * kMinuteStep;
}

// The two pages of two inputs alike: DI_r2x adds hour 24 and the counters'
// last values.
void resetTwoInputPage(const TwoInputPage &p, bool withLastValues)
{
    resetCommon(p.configurer, p.parameters, p.result, p.bar, p.write, p.reset);
    resetInput(p.input1, withLastValues);
    resetInput(p.input2, withLastValues);
    orlo::refillQuietly(p.hours, hourList(withLastValues), kHourListVisible);
    const QStringList minutes = minuteList(kLastMinute);
    orlo::refillQuietly(p.minutes, minutes, minutes.size());
    p.bit7Clear->setChecked(false);
    p.bit7Set->setChecked(true);
    if (withLastValues) {
        p.value1->setText(QString::number(0));
        p.value2->setText(QString::number(0));
    }
}

void fillTwoInputPage(const TwoInputPage &p, const di::Record &stored, bool withLastValues)
{
    p.cableBreak->setChecked(stored.cableBreak);
    (stored.keepAliveBit ? p.bit7Set : p.bit7Clear)->setChecked(true);
    fillInput(p.input1, stored.input1, withLastValues);
    fillInput(p.input2, stored.input2, withLastValues);
    p.hours->setCurrentIndex(hourEntry(stored.hour, p.hours));
    p.minutes->setCurrentIndex(minuteEntry(stored.minute, p.minutes));
    if (withLastValues) {
        p.value1->setText(QString::number(stored.counter1));
        p.value2->setText(QString::number(stored.counter2));
    }
    p.configurer->show();
    p.parameters->show();
    p.result->clear();
}

// An edge button click: rising, falling, both, rising ...
void advanceEdge(int &state, QPushButton *button)
{
    state = nextEdge(state);
    showEdge(button, state);
}

} // namespace

// ---- DI ---------------------------------------------------------------------

void MainWindow::EnablePageDI(bool enable)
{
    const TwoInputPage p = pageDI(*ui);
    if (!enable) {
        progressTimer.reset();
        p.configurer->hide();
        p.parameters->hide();
        return;
    }
    edgeState1 = edgeState2 = di::kEdgeNone;
    resetTwoInputPage(p, false);
    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, &MainWindow::SetprogressBarConfigurerDI);

    const di::Record stored = di::decode(readStoredConfiguration(di::kReportsDI), false);
    fillTwoInputPage(p, stored, false);
    edgeState1 = stored.input1.edge;
    edgeState2 = stored.input2.edge;
    showModulePage(p.page);
}

void MainWindow::SetprogressBarConfigurerDI()
{
    stepProgress(ui->progressBar_Configurer_DI);
}

namespace {

// What the two-input pages write: the page as the user left it.
di::Record recordOf(const TwoInputPage &p, int edge1, int edge2)
{
    di::Record record;
    record.keepAliveBit = p.bit7Set->isChecked();
    record.cableBreak = p.cableBreak->isChecked();
    record.input1 = inputOf(p.input1, edge1);
    record.input2 = inputOf(p.input2, edge2);
    record.hour = p.hours->currentIndex() - 1;
    record.minute = minuteOf(p.minutes);
    return record;
}

} // namespace

void MainWindow::configureDI(quint8 command, QPushButton *button)
{
    // The other button of the pair stays enabled while a cycle waits.
    if (orlo::exchangeInProgress())
        return;
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const TwoInputPage p = pageDI(*ui);
    const QStringList missing = missingTimes(p.hours, p.minutes, {kHourLineFrench, kMinuteLineFrench});
    if (!missing.isEmpty()) {
        warnInvalidConfiguration(p.result, warning::french(kIntroFrench), missing);
        return;
    }
    di::encode(requestPayload(), command, now, recordOf(p, edgeState1, edgeState2));
    runWriteCycle({button, p.bar, p.result, di::kReportsDI, kProgressMs});
}

void MainWindow::on_pushButton_Configurer_DI_clicked()
{
    configureDI(orlo::command::WriteConfiguration, ui->pushButton_Configurer_DI);
}

void MainWindow::on_pushButton_RAZ_DI_clicked()
{
    configureDI(orlo::command::WriteAndClearCounters, ui->pushButton_RAZ_DI);
}

void MainWindow::on_pushButton_Front_entree_numerique1_DI_clicked()
{
    advanceEdge(edgeState1, ui->pushButton_Front_entree_numerique1_DI);
}

void MainWindow::on_pushButton_Front_entree_numerique2_DI_clicked()
{
    advanceEdge(edgeState2, ui->pushButton_Front_entree_numerique2_DI);
}

void MainWindow::on_groupBox_Entree1_DI_clicked(bool checked)
{
    applyBoxRule(pageDI(*ui).input1, checked);
}

void MainWindow::on_groupBox_Entree2_DI_clicked(bool checked)
{
    applyBoxRule(pageDI(*ui).input2, checked);
}

void MainWindow::on_radioButton_Entree_numerique1_DI_clicked()
{
    applyModeRule(pageDI(*ui).input1, false, false);
}

void MainWindow::on_radioButton_Compteur1_DI_clicked()
{
    applyModeRule(pageDI(*ui).input1, true, false);
}

void MainWindow::on_radioButton_Entree_numerique2_DI_clicked()
{
    applyModeRule(pageDI(*ui).input2, false, false);
}

void MainWindow::on_radioButton_Compteur2_DI_clicked()
{
    applyModeRule(pageDI(*ui).input2, true, false);
}

// Midnight sharp cannot be chosen: with hour "00" the minute "00" reads "--".
void MainWindow::on_comboBox_heures_releve_compteur_DI_currentIndexChanged(int index)
{
    ui->comboBox_minutes_releve_compteur_DI->setItemText(kMinuteZero, index == kHourZero ? kDash : QStringLiteral("00"));
}

// ---- DI_r2x -----------------------------------------------------------------

void MainWindow::EnablePageDI_r2x(bool enable)
{
    const TwoInputPage p = pageDI_r2x(*ui);
    if (!enable) {
        progressTimer.reset();
        p.configurer->hide();
        p.parameters->hide();
        return;
    }
    edgeState1 = edgeState2 = di::kEdgeNone;
    resetTwoInputPage(p, true);
    ui->label_Logo->hide();
    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, &MainWindow::SetprogressBarConfigurerDI_r2x);

    const di::Record stored = di::decode(readStoredConfiguration(di::kReportsR2x), true);
    fillTwoInputPage(p, stored, true);
    edgeState1 = stored.input1.edge;
    edgeState2 = stored.input2.edge;
    showModulePage(p.page);
}

void MainWindow::SetprogressBarConfigurerDI_r2x()
{
    stepProgress(ui->progressBar_Configurer_DI_r2x);
}

void MainWindow::configureDI_r2x(quint8 command, QPushButton *button)
{
    // The other button of the pair stays enabled while a cycle waits.
    if (orlo::exchangeInProgress())
        return;
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const TwoInputPage p = pageDI_r2x(*ui);
    const bool clearing = command == orlo::command::WriteAndClearCounters;
    const QStringList missing = clearing
        ? missingTimes(p.hours, p.minutes, {kHourLineFrench, kMinuteLineFrench})
        : missingTimes(p.hours, p.minutes, {kHourLineEnglish, kMinuteLineEnglish});
    if (!missing.isEmpty()) {
        warnInvalidConfiguration(p.result, clearing ? warning::french(kIntroFrench) : kEnglish, missing);
        return;
    }
    di::encode(requestPayload(), command, now, recordOf(p, edgeState1, edgeState2));
    const bool accepted
        = runWriteCycle({button, p.bar, p.result, di::kReportsR2x, clearing ? kProgressMs : kProgressFastMs});
    if (accepted && clearing) {
        p.value1->setText(QString::number(0));
        p.value2->setText(QString::number(0));
    }
}

void MainWindow::on_pushButton_Configurer_DI_r2x_clicked()
{
    configureDI_r2x(orlo::command::WriteConfiguration, ui->pushButton_Configurer_DI_r2x);
}

void MainWindow::on_pushButton_RAZ_DI_r2x_clicked()
{
    configureDI_r2x(orlo::command::WriteAndClearCounters, ui->pushButton_RAZ_DI_r2x);
}

void MainWindow::on_pushButton_Front_entree_numerique1_DI_r2x_clicked()
{
    advanceEdge(edgeState1, ui->pushButton_Front_entree_numerique1_DI_r2x);
}

void MainWindow::on_pushButton_Front_entree_numerique2_DI_r2x_clicked()
{
    advanceEdge(edgeState2, ui->pushButton_Front_entree_numerique2_DI_r2x);
}

void MainWindow::on_groupBox_Entree1_DI_r2x_clicked(bool checked)
{
    applyBoxRule(pageDI_r2x(*ui).input1, checked);
}

void MainWindow::on_groupBox_Entree2_DI_r2x_clicked(bool checked)
{
    applyBoxRule(pageDI_r2x(*ui).input2, checked);
}

void MainWindow::on_radioButton_Entree_numerique1_DI_r2x_clicked()
{
    applyModeRule(pageDI_r2x(*ui).input1, false, true);
}

void MainWindow::on_radioButton_Compteur1_DI_r2x_clicked()
{
    applyModeRule(pageDI_r2x(*ui).input1, true, true);
}

void MainWindow::on_radioButton_Entree_numerique2_DI_r2x_clicked()
{
    applyModeRule(pageDI_r2x(*ui).input2, false, true);
}

void MainWindow::on_radioButton_Compteur2_DI_r2x_clicked()
{
    applyModeRule(pageDI_r2x(*ui).input2, true, true);
}

// Reading at 00:00 is not offered; at 24 only minute 00 is.
void MainWindow::on_comboBox_heures_releve_compteur_DI_r2x_currentIndexChanged(int index)
{
    constexpr int kHour24 = kLastHourR2x + 1;
    QComboBox *minutes = ui->comboBox_minutes_releve_compteur_DI_r2x;
    for (int entry = kMinuteZero; entry < minutes->count(); ++entry) {
        QString text = QStringLiteral("%1").arg((entry - 1) * kMinuteStep, 2, 10, QLatin1Char('0'));
        if ((index == kHourZero && entry == kMinuteZero) || (index == kHour24 && entry > kMinuteZero))
            text = kDash;
        minutes->setItemText(entry, text);
    }
}

// ---- DI4_r2x ----------------------------------------------------------------

void MainWindow::EnablePageDI4_r2x(bool enable)
{
    const FourInputPage p = pageDI4_r2x(*ui);
    if (!enable) {
        progressTimer.reset();
        p.configurer->hide();
        p.parameters->hide();
        return;
    }
    edgeState1 = edgeState2 = di::kEdgeNone;
    resetCommon(p.configurer, p.parameters, p.result, p.bar, p.write, p.reset);
    for (QGroupBox *box : {p.counter1, p.counter2, p.input3, p.input4}) {
        box->setChecked(false);
        box->setEnabled(true);
    }
    showEdge(p.edge3, di::kEdgeNone);
    showEdge(p.edge4, di::kEdgeNone);
    p.value1->setText(QString::number(0));
    p.value2->setText(QString::number(0));
    orlo::refillQuietly(p.hours, hourList(true), kHourListVisible);
    const QStringList minutes = minuteList(kLastMinuteDI4);
    orlo::refillQuietly(p.minutes, minutes, minutes.size());
    p.bit7Clear->setChecked(false);
    p.bit7Set->setChecked(true);
    ui->label_Logo->hide();
    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, &MainWindow::SetprogressBarConfigurerDI4_r2x);

    const di::Record4 stored = di::decode4(readStoredConfiguration(di::kReportsR2x));

    // The linkage settles the fresh lists on 01 h 00 first.
    on_comboBox_minutes_releve_compteur_DI4_r2x_currentIndexChanged(p.minutes->currentIndex());
    on_comboBox_heures_releve_compteur_DI4_r2x_currentIndexChanged(p.hours->currentIndex());
    p.cableBreak->setChecked(stored.cableBreak);
    (stored.keepAliveBit ? p.bit7Set : p.bit7Clear)->setChecked(true);
    p.counter1->setChecked(stored.counter1InUse);
    p.value1->setEnabled(stored.counter1InUse);
    p.counter2->setChecked(stored.counter2InUse);
    p.value2->setEnabled(stored.counter2InUse);
    p.input3->setChecked(stored.input3InUse);
    p.edge3->setEnabled(stored.input3InUse);
    p.input4->setChecked(stored.input4InUse);
    p.edge4->setEnabled(stored.input4InUse);
    edgeState1 = stored.edge3;
    edgeState2 = stored.edge4;
    showEdge(p.edge3, edgeState1);
    showEdge(p.edge4, edgeState2);
    p.hours->setCurrentIndex(hourEntry(stored.hour, p.hours));
    const int minute = minuteEntry(stored.minute, p.minutes);
    if (minute == kNotSet) {
        // Shown as "--" without the linkage, so that a write refuses it.
        const QSignalBlocker quiet(p.minutes);
        p.minutes->setCurrentIndex(kNotSet);
    } else {
        p.minutes->setCurrentIndex(minute);
    }
    p.value1->setText(QString::number(stored.counter1));
    p.value2->setText(QString::number(stored.counter2));

    // Radio options. A module without a radio variant has no join mode: the
    // list is hidden so a write never gives it one, and bit 0 goes back as read.
    radioVariantDI4_r2x = stored.radioVariant;
    if (stored.radioVariant != 0 && stored.joinMode) {
        orlo::refillQuietly(p.joinMode, kJoinModes, kJoinModes.size());
        p.joinMode->setCurrentIndex(stored.radioBit0 ? kJoinAbp : 0);
        p.joinMode->show();
    } else {
        p.joinMode->hide();
        p.localRadio->setText(kLocalRadio);
        p.localRadio->setChecked(stored.radioVariant != 0 || stored.radioBit0);
    }
    p.localRadio->hide();

    p.configurer->show();
    p.parameters->show();
    p.result->clear();
    showModulePage(p.page);
}

void MainWindow::SetprogressBarConfigurerDI4_r2x()
{
    stepProgress(ui->progressBar_Configurer_DI4_r2x);
}

// The counter reset writes the same configuration as Write: a reset must not
// wipe the radio options of the module.
void MainWindow::configureDI4_r2x(quint8 command, QPushButton *button)
{
    // The other button of the pair stays enabled while a cycle waits.
    if (orlo::exchangeInProgress())
        return;
    const QDateTime now = orlo::currentDateTime();
    std::memset(txBuffer, 0, sizeof txBuffer);
    const FourInputPage p = pageDI4_r2x(*ui);
    const bool clearing = command == orlo::command::WriteAndClearCounters;
    const QStringList missing = clearing
        ? missingTimes(p.hours, p.minutes, {kHourLineAccented, kMinuteLineAccented})
        : missingTimes(p.hours, p.minutes, {kHourLineEnglish, kMinuteLineEnglish});
    if (!missing.isEmpty()) {
        warnInvalidConfiguration(p.result, clearing ? kFrenchAccented : kEnglish, missing);
        return;
    }
    di::Record4 record;
    record.keepAliveBit = p.bit7Set->isChecked();
    record.cableBreak = p.cableBreak->isChecked();
    record.radioVariant = radioVariantDI4_r2x;
    record.joinMode = !p.joinMode->isHidden();
    record.radioBit0 = record.joinMode ? p.joinMode->currentIndex() == kJoinAbp : p.localRadio->isChecked();
    record.counter1InUse = p.counter1->isChecked();
    record.counter2InUse = p.counter2->isChecked();
    record.input3InUse = p.input3->isChecked();
    record.input4InUse = p.input4->isChecked();
    record.edge3 = edgeState1;
    record.edge4 = edgeState2;
    record.hour = p.hours->currentIndex() - 1;
    record.minute = minuteOf(p.minutes);
    di::encode4(requestPayload(), command, now, record);
    const bool accepted = runWriteCycle({button, p.bar, p.result, di::kReportsR2x, kProgressMs});
    if (accepted && clearing) {
        p.value1->setText(QString::number(0));
        p.value2->setText(QString::number(0));
    }
}

void MainWindow::on_pushButton_Configurer_DI4_r2x_clicked()
{
    configureDI4_r2x(orlo::command::WriteConfiguration, ui->pushButton_Configurer_DI4_r2x);
}

void MainWindow::on_pushButton_RAZ_DI4_r2x_clicked()
{
    configureDI4_r2x(orlo::command::WriteAndClearCounters, ui->pushButton_RAZ_DI4_r2x);
}

void MainWindow::on_pushButton_Front_entree_numerique1_DI4_r2x_clicked()
{
    advanceEdge(edgeState1, ui->pushButton_Front_entree_numerique1_DI4_r2x);
}

void MainWindow::on_pushButton_Front_entree_numerique2_DI4_r2x_clicked()
{
    advanceEdge(edgeState2, ui->pushButton_Front_entree_numerique2_DI4_r2x);
}

void MainWindow::on_groupBox_Entree1_DI4_r2x_clicked(bool checked)
{
    ui->label_index_compteur1_DI4_r2x->setEnabled(checked);
}

void MainWindow::on_groupBox_Entree2_DI4_r2x_clicked(bool checked)
{
    ui->label_index_compteur2_DI4_r2x->setEnabled(checked);
}

void MainWindow::on_groupBox_Entree3_DI4_r2x_clicked(bool checked)
{
    ui->pushButton_Front_entree_numerique1_DI4_r2x->setEnabled(checked);
}

void MainWindow::on_groupBox_Entree4_DI4_r2x_clicked(bool checked)
{
    ui->pushButton_Front_entree_numerique2_DI4_r2x->setEnabled(checked);
}

// Hours and minutes make one reading period: 00 h 10 to 00 h 30, then whole
// hours 01 h 00 to 24 h 00.
void MainWindow::on_comboBox_heures_releve_compteur_DI4_r2x_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    if (index == kHourZero) {
        ui->comboBox_minutes_releve_compteur_DI4_r2x->setCurrentIndex(kMinuteTen);
    } else {
        ui->comboBox_minutes_releve_compteur_DI4_r2x->setCurrentIndex(kMinuteZero);
        ui->comboBox_heures_releve_compteur_DI4_r2x->setCurrentIndex(index);
    }
}

void MainWindow::on_comboBox_minutes_releve_compteur_DI4_r2x_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    if (index == kNotSet || index == kMinuteZero) {
        ui->comboBox_heures_releve_compteur_DI4_r2x->setCurrentIndex(kHourOne);
    } else {
        ui->comboBox_heures_releve_compteur_DI4_r2x->setCurrentIndex(kHourZero);
        ui->comboBox_minutes_releve_compteur_DI4_r2x->setCurrentIndex(index);
    }
}
