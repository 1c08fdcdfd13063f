// Digital-input pages (DI, DI_r2x, DI4_r2x): read the stored record on
// enable, edit it, write it back (command 1) or write it and clear the
// counters (command 4).
#include "pages/digitalinputpages.h"
#include "link/clockstamp.h"
#include "link/frames/di_frame.h"
#include "link/limits.h"
#include "pages/input_steps.h"
#include "pages/listfill.h"
#include "ui_digitalinputpages.h"

#include <QSignalBlocker>
#include <optional>

namespace di = orlo::di;
using inputs::Counters;
using orlo::ModuleType;

namespace {

// DI4_r2x: list entries its reading-period rules refer to.
constexpr int kHourZero = 1;            // "00"
constexpr int kHourOne = 2;             // "01"
constexpr int kMinuteZero = 1;          // "00"
constexpr int kMinuteTen = 2;           // "10"

const QStringList kJoinModes = orlo::limits::joinModeTexts();
constexpr int kJoinAbp = 1;
const char *const kLocalRadio = QT_TRANSLATE_NOOP("DigitalInputPages", "With local radio transmission");

// Flags bit 7 (keep-alive) and bit 6 (cable break).
struct Flags {
    QRadioButton *bit7Set;
    QRadioButton *bit7Clear;
    QCheckBox *cableBreak;
};

// DI and DI_r2x: two inputs, each a digital input or a counter. DI_r2x
// differs from DI in the fields its page sets.
struct TwoInputPage {
    inputs::PageFrame frame;
    Flags flags;
    inputs::InputGroup inputs;
    void (DigitalInputPages::*progress)();
    int reports = di::kReportsDI;
    int lastHour = inputs::kLastHourDI;
    // Write's; the counter reset always speaks French, at 30 ms.
    const inputs::TimeTexts *writeTexts = &inputs::kTextsFrench;
    int writeProgressMs = 30;
    std::optional<Counters> counters;   // shown, and zero after an accepted reset
};

// DI4_r2x: counters on inputs 1 and 2, digital inputs 3 and 4, radio options.
struct FourInputPage {
    inputs::PageFrame frame;
    Flags flags;
    inputs::ReadingTime time;
    QGroupBox *counter1;
    QGroupBox *counter2;
    QGroupBox *input3;
    QGroupBox *input4;
    QPushButton *edge3;
    QPushButton *edge4;
    Counters counters;
    QComboBox *joinMode;
    QCheckBox *localRadio;
};

TwoInputPage pageDI(Ui::DigitalInputPages &ui)
{
    TwoInputPage p{};
    p.frame = {ui.page_ORLO_DI, ui.frame_Configurer_DI, ui.frame_Parametres_DI, ui.progressBar_Configurer_DI,
               ui.label_Resultat_configurer_DI, ui.pushButton_Configurer_DI, ui.pushButton_RAZ_DI};
    p.flags = {ui.radioButton_Tous_les_5_jours_DI, ui.radioButton_Tous_les_jours_DI, ui.checkBox_Cut_DI};
    p.inputs = inputs::groupDI(ui);
    p.progress = &DigitalInputPages::SetprogressBarConfigurerDI;
    return p;
}

TwoInputPage pageDI_r2x(Ui::DigitalInputPages &ui)
{
    TwoInputPage p{};
    p.frame = {ui.page_ORLO_DI_r2x, ui.frame_Configurer_DI_r2x, ui.frame_Parametres_DI_r2x,
               ui.progressBar_Configurer_DI_r2x, ui.label_Resultat_configurer_DI_r2x,
               ui.pushButton_Configurer_DI_r2x, ui.pushButton_RAZ_DI_r2x};
    p.flags = {ui.radioButton_Desactivee_DI_r2x, ui.radioButton_Tous_les_jours_DI_r2x, ui.checkBox_Cut_DI_r2x};
    p.inputs = inputs::groupDI_r2x(ui);
    p.progress = &DigitalInputPages::SetprogressBarConfigurerDI_r2x;
    p.reports = di::kReportsR2x;
    p.lastHour = inputs::kLastHour;
    p.writeTexts = &inputs::kTextsEnglish;
    p.writeProgressMs = 15;
    p.counters = Counters{ui.label_index_compteur1_DI_r2x, ui.label_index_compteur2_DI_r2x};
    return p;
}

FourInputPage pageDI4_r2x(Ui::DigitalInputPages &ui)
{
    return {{ui.page_ORLO_DI4_r2x, ui.frame_Configurer_DI4_r2x, ui.frame_Parametres_DI4_r2x,
             ui.progressBar_Configurer_DI4_r2x, ui.label_Resultat_configurer_DI4_r2x,
             ui.pushButton_Configurer_DI4_r2x, ui.pushButton_RAZ_DI4_r2x},
            {ui.radioButton_Desactivee_DI4_r2x, ui.radioButton_Tous_les_jours_DI4_r2x, ui.checkBox_Cut_DI4_r2x},
            {ui.comboBox_heures_releve_compteur_DI4_r2x, ui.comboBox_minutes_releve_compteur_DI4_r2x},
            ui.groupBox_Entree1_DI4_r2x, ui.groupBox_Entree2_DI4_r2x, ui.groupBox_Entree3_DI4_r2x,
            ui.groupBox_Entree4_DI4_r2x, ui.pushButton_Front_entree_numerique1_DI4_r2x,
            ui.pushButton_Front_entree_numerique2_DI4_r2x,
            {ui.label_index_compteur1_DI4_r2x, ui.label_index_compteur2_DI4_r2x},
            ui.comboBox_lorawan_joinMode_DI4_r2x, ui.checkBox_radio_local_DI4_r2x};
}

// The keep-alive button of flags bit 7 is checked until the record is read.
void resetFlags(const Flags &f)
{
    f.bit7Clear->setChecked(false);
    f.bit7Set->setChecked(true);
}

void fillFlags(const Flags &f, bool keepAliveBit, bool cableBreak)
{
    f.cableBreak->setChecked(cableBreak);
    (keepAliveBit ? f.bit7Set : f.bit7Clear)->setChecked(true);
}

// ---- DI and DI_r2x ------------------------------------------------------------

void resetTwoInputPage(const TwoInputPage &p)
{
    inputs::resetFrame(p.frame);
    inputs::resetInput(p.inputs.input1);
    inputs::resetInput(p.inputs.input2);
    inputs::fillReadingLists(p.inputs.time, p.lastHour, inputs::kLastMinute);
    resetFlags(p.flags);
    if (p.counters)
        inputs::showCounters(*p.counters, 0, 0);
}

void fillTwoInputPage(const TwoInputPage &p, const di::Record &stored)
{
    fillFlags(p.flags, stored.keepAliveBit, stored.cableBreak);
    inputs::fillInputs(p.inputs, stored.input1, stored.input2);
    inputs::showReadingTime(p.inputs.time, stored.hour, stored.minute);
    if (p.counters)
        inputs::showCounters(*p.counters, stored.counter1, stored.counter2);
}

// What the two-input pages write: the page as the user left it.
di::Record recordOf(const TwoInputPage &p, int edge1, int edge2)
{
    di::Record record;
    record.keepAliveBit = p.flags.bit7Set->isChecked();
    record.cableBreak = p.flags.cableBreak->isChecked();
    record.input1 = inputs::inputOf(p.inputs.input1, edge1);
    record.input2 = inputs::inputOf(p.inputs.input2, edge2);
    record.hour = inputs::hourOf(p.inputs.time);
    record.minute = inputs::minuteOf(p.inputs.time);
    return record;
}

// ---- DI4_r2x ------------------------------------------------------------------

void resetFourInputPage(const FourInputPage &p)
{
    inputs::resetFrame(p.frame);
    for (QGroupBox *box : {p.counter1, p.counter2, p.input3, p.input4}) {
        box->setChecked(false);
        box->setEnabled(true);
    }
    p.edge3->setIcon(inputs::edgeIcon(di::kEdgeNone));
    p.edge4->setIcon(inputs::edgeIcon(di::kEdgeNone));
    inputs::showCounters(p.counters, 0, 0);
    inputs::fillReadingLists(p.time, inputs::kLastHour, inputs::kLastPeriodMinute);
    resetFlags(p.flags);
}

void fillFourInputPage(const FourInputPage &p, const di::Record4 &stored)
{
    fillFlags(p.flags, stored.keepAliveBit, stored.cableBreak);
    p.counter1->setChecked(stored.counter1InUse);
    p.counters.value1->setEnabled(stored.counter1InUse);
    p.counter2->setChecked(stored.counter2InUse);
    p.counters.value2->setEnabled(stored.counter2InUse);
    p.input3->setChecked(stored.input3InUse);
    p.edge3->setEnabled(stored.input3InUse);
    p.input4->setChecked(stored.input4InUse);
    p.edge4->setEnabled(stored.input4InUse);
    p.edge3->setIcon(inputs::edgeIcon(stored.edge3));
    p.edge4->setIcon(inputs::edgeIcon(stored.edge4));
    // Hours, then minutes, through the reading-period rules; a minute the list
    // lacks shows as "--" without them, so that a write refuses it.
    p.time.hours->setCurrentIndex(inputs::hourEntry(stored.hour, p.time.hours));
    const int minute = inputs::minuteEntry(stored.minute, p.time.minutes);
    const QSignalBlocker quiet(minute == inputs::kNotSet ? p.time.minutes : nullptr);
    p.time.minutes->setCurrentIndex(minute);
    inputs::showCounters(p.counters, stored.counter1, stored.counter2);
}

// A module without a radio variant has no join mode: the list is hidden so a
// write never gives it one, and bit 0 goes back as read.
void showRadioOptions(const FourInputPage &p, const di::Record4 &stored)
{
    if (stored.radioVariant != 0 && stored.joinMode) {
        orlo::refillQuietly(p.joinMode, orlo::translatedItems(orlo::kLimitsContext, kJoinModes), kJoinModes.size());
        p.joinMode->setCurrentIndex(stored.radioBit0 ? kJoinAbp : 0);
        p.joinMode->show();
    } else {
        p.joinMode->hide();
        p.localRadio->setText(QCoreApplication::translate("DigitalInputPages", kLocalRadio));
        p.localRadio->setChecked(stored.radioVariant != 0 || stored.radioBit0);
    }
    p.localRadio->hide();
}

// The counter reset writes the same configuration as Write: a reset must not
// wipe the radio options of the module.
di::Record4 recordOf(const FourInputPage &p, int edge3, int edge4, int radioVariant)
{
    di::Record4 record;
    record.keepAliveBit = p.flags.bit7Set->isChecked();
    record.cableBreak = p.flags.cableBreak->isChecked();
    record.radioVariant = radioVariant;
    record.joinMode = !p.joinMode->isHidden();
    record.radioBit0 = record.joinMode ? p.joinMode->currentIndex() == kJoinAbp : p.localRadio->isChecked();
    record.counter1InUse = p.counter1->isChecked();
    record.counter2InUse = p.counter2->isChecked();
    record.input3InUse = p.input3->isChecked();
    record.input4InUse = p.input4->isChecked();
    record.edge3 = edge3;
    record.edge4 = edge4;
    record.hour = inputs::hourOf(p.time);
    record.minute = inputs::minuteOf(p.time);
    return record;
}

} // namespace

// ---- Steps of DI and DI_r2x ---------------------------------------------------

DigitalInputPages::DigitalInputPages(PageShell &shell, QWidget *parent)
    : InputPages(shell, parent)
    , ui(std::make_unique<Ui::DigitalInputPages>())
{
    ui->setupUi(this);
    using T = orlo::ModuleType;
    addPage({T::DI, ui->page_ORLO_DI, [this](bool on) { EnablePageDI(on); },
             {ui->label_Resultat_configurer_DI, ui->pushButton_Configurer_DI},
             [this] { return builtFrame(buildTwoInputPage(T::DI, orlo::command::WriteConfiguration)); }});
    addPage({T::DI_r2x, ui->page_ORLO_DI_r2x, [this](bool on) { EnablePageDI_r2x(on); },
             {ui->label_Resultat_configurer_DI_r2x, ui->pushButton_Configurer_DI_r2x},
             [this] { return builtFrame(buildTwoInputPage(T::DI_r2x, orlo::command::WriteConfiguration)); }});
    addPage({T::DI4_r2x, ui->page_ORLO_DI4_r2x, [this](bool on) { EnablePageDI4_r2x(on); },
             {ui->label_Resultat_configurer_DI4_r2x, ui->pushButton_Configurer_DI4_r2x},
             [this] { return builtFrame(buildDI4_r2x(orlo::command::WriteConfiguration)); }});
    keepFormTexts([this] { ui->retranslateUi(this); });
}

DigitalInputPages::~DigitalInputPages() = default;

void DigitalInputPages::retranslateTexts()
{
    const FourInputPage p = pageDI4_r2x(*ui);
    orlo::retranslateItems(p.joinMode, orlo::kLimitsContext, kJoinModes);
    const QSignalBlocker quiet(p.localRadio);
    p.localRadio->setText(tr(kLocalRadio));
}

void DigitalInputPages::enableTwoInputPage(ModuleType type, bool enable)
{
    const TwoInputPage p = type == ModuleType::DI ? pageDI(*ui) : pageDI_r2x(*ui);
    if (!enable) {
        stopInputPage(p.frame.configurer, p.frame.settings);
        return;
    }
    startInputPage(p.progress);
    resetTwoInputPage(p);
    readStoredConfiguration(p.reports, [this, p, run = pageRun](const quint8 *payload) {
        if (run != pageRun)
            return;
        const di::Record stored = di::decode(payload, p.counters.has_value());
        fillTwoInputPage(p, stored);
        edgeState1 = stored.input1.edge;
        edgeState2 = stored.input2.edge;
        inputs::showFrame(p.frame);
        showModulePage(p.frame.page);
    });
}

std::optional<WriteCycle> DigitalInputPages::buildTwoInputPage(ModuleType type, quint8 command)
{
    const TwoInputPage p = type == ModuleType::DI ? pageDI(*ui) : pageDI_r2x(*ui);
    const bool clearing = command == orlo::command::WriteAndClearCounters;
    const inputs::TimeTexts &texts = clearing ? inputs::kTextsFrench : *p.writeTexts;
    quint8 *payload = clearedRequest(p.frame.result, texts.box, inputs::missingTimes(p.inputs.time, texts));
    if (!payload)
        return std::nullopt;
    di::encode(payload, command, orlo::currentDateTime(), recordOf(p, edgeState1, edgeState2));
    WriteCycle cycle{clearing ? p.frame.other : p.frame.write, p.frame.bar, p.frame.result, p.reports};
    if (!clearing)
        cycle.progressIntervalMs = p.writeProgressMs;
    return cycle;
}

void DigitalInputPages::configureTwoInputPage(ModuleType type, quint8 command)
{
    const auto cycle = buildTwoInputPage(type, command);
    if (!cycle)
        return;
    const TwoInputPage p = type == ModuleType::DI ? pageDI(*ui) : pageDI_r2x(*ui);
    const bool clearing = command == orlo::command::WriteAndClearCounters;
    runWriteCycle(*cycle, [counters = p.counters, clearing](bool accepted) {
        if (accepted && clearing && counters)
            inputs::showCounters(*counters, 0, 0);
    });
}

// ---- DI -----------------------------------------------------------------------

void DigitalInputPages::EnablePageDI(bool enable) { enableTwoInputPage(ModuleType::DI, enable); }

void DigitalInputPages::SetprogressBarConfigurerDI() { stepProgress(ui->progressBar_Configurer_DI); }

void DigitalInputPages::on_pushButton_Configurer_DI_clicked()
{
    configureTwoInputPage(ModuleType::DI, orlo::command::WriteConfiguration);
}

void DigitalInputPages::on_pushButton_RAZ_DI_clicked()
{
    configureTwoInputPage(ModuleType::DI, orlo::command::WriteAndClearCounters);
}

void DigitalInputPages::on_pushButton_Front_entree_numerique1_DI_clicked()
{
    inputs::advanceEdge(edgeState1, ui->pushButton_Front_entree_numerique1_DI);
}

void DigitalInputPages::on_pushButton_Front_entree_numerique2_DI_clicked()
{
    inputs::advanceEdge(edgeState2, ui->pushButton_Front_entree_numerique2_DI);
}

void DigitalInputPages::on_groupBox_Entree1_DI_clicked(bool checked)
{
    inputs::applyBoxRule(pageDI(*ui).inputs.input1, checked);
}

void DigitalInputPages::on_groupBox_Entree2_DI_clicked(bool checked)
{
    inputs::applyBoxRule(pageDI(*ui).inputs.input2, checked);
}

void DigitalInputPages::on_radioButton_Entree_numerique1_DI_clicked()
{
    inputs::applyModeRule(pageDI(*ui).inputs.input1, false);
}

void DigitalInputPages::on_radioButton_Compteur1_DI_clicked() { inputs::applyModeRule(pageDI(*ui).inputs.input1, true); }

void DigitalInputPages::on_radioButton_Entree_numerique2_DI_clicked()
{
    inputs::applyModeRule(pageDI(*ui).inputs.input2, false);
}

void DigitalInputPages::on_radioButton_Compteur2_DI_clicked() { inputs::applyModeRule(pageDI(*ui).inputs.input2, true); }

// DI's hour list ends at "23": midnight sharp is the only time refused.
void DigitalInputPages::on_comboBox_heures_releve_compteur_DI_currentIndexChanged(int index)
{
    inputs::rewriteMinutes(ui->comboBox_minutes_releve_compteur_DI, index);
}

// ---- DI_r2x -------------------------------------------------------------------

void DigitalInputPages::EnablePageDI_r2x(bool enable)
{
    // The logo hides while the module is read.
    if (enable)
        showLogo(false);
    enableTwoInputPage(ModuleType::DI_r2x, enable);
}

void DigitalInputPages::SetprogressBarConfigurerDI_r2x() { stepProgress(ui->progressBar_Configurer_DI_r2x); }

void DigitalInputPages::on_pushButton_Configurer_DI_r2x_clicked()
{
    configureTwoInputPage(ModuleType::DI_r2x, orlo::command::WriteConfiguration);
}

void DigitalInputPages::on_pushButton_RAZ_DI_r2x_clicked()
{
    configureTwoInputPage(ModuleType::DI_r2x, orlo::command::WriteAndClearCounters);
}

void DigitalInputPages::on_pushButton_Front_entree_numerique1_DI_r2x_clicked()
{
    inputs::advanceEdge(edgeState1, ui->pushButton_Front_entree_numerique1_DI_r2x);
}

void DigitalInputPages::on_pushButton_Front_entree_numerique2_DI_r2x_clicked()
{
    inputs::advanceEdge(edgeState2, ui->pushButton_Front_entree_numerique2_DI_r2x);
}

void DigitalInputPages::on_groupBox_Entree1_DI_r2x_clicked(bool checked)
{
    inputs::applyBoxRule(pageDI_r2x(*ui).inputs.input1, checked);
}

void DigitalInputPages::on_groupBox_Entree2_DI_r2x_clicked(bool checked)
{
    inputs::applyBoxRule(pageDI_r2x(*ui).inputs.input2, checked);
}

void DigitalInputPages::on_radioButton_Entree_numerique1_DI_r2x_clicked()
{
    inputs::applyModeRule(pageDI_r2x(*ui).inputs.input1, false);
}

void DigitalInputPages::on_radioButton_Compteur1_DI_r2x_clicked()
{
    inputs::applyModeRule(pageDI_r2x(*ui).inputs.input1, true);
}

void DigitalInputPages::on_radioButton_Entree_numerique2_DI_r2x_clicked()
{
    inputs::applyModeRule(pageDI_r2x(*ui).inputs.input2, false);
}

void DigitalInputPages::on_radioButton_Compteur2_DI_r2x_clicked()
{
    inputs::applyModeRule(pageDI_r2x(*ui).inputs.input2, true);
}

void DigitalInputPages::on_comboBox_heures_releve_compteur_DI_r2x_currentIndexChanged(int index)
{
    inputs::rewriteMinutes(ui->comboBox_minutes_releve_compteur_DI_r2x, index);
}

// ---- DI4_r2x ------------------------------------------------------------------

void DigitalInputPages::EnablePageDI4_r2x(bool enable)
{
    const FourInputPage p = pageDI4_r2x(*ui);
    if (!enable) {
        stopInputPage(p.frame.configurer, p.frame.settings);
        return;
    }
    startInputPage(&DigitalInputPages::SetprogressBarConfigurerDI4_r2x);
    resetFourInputPage(p);
    showLogo(false);
    readStoredConfiguration(di::kReportsR2x, [this, p, run = pageRun](const quint8 *payload) {
        if (run != pageRun)
            return;
        const di::Record4 stored = di::decode4(payload);
        // The linkage settles the fresh lists on 01 h 00 first.
        on_comboBox_minutes_releve_compteur_DI4_r2x_currentIndexChanged(p.time.minutes->currentIndex());
        on_comboBox_heures_releve_compteur_DI4_r2x_currentIndexChanged(p.time.hours->currentIndex());
        fillFourInputPage(p, stored);
        edgeState1 = stored.edge3;
        edgeState2 = stored.edge4;
        radioVariantDI4_r2x = stored.radioVariant;
        showRadioOptions(p, stored);
        inputs::showFrame(p.frame);
        showModulePage(p.frame.page);
    });
}

void DigitalInputPages::SetprogressBarConfigurerDI4_r2x() { stepProgress(ui->progressBar_Configurer_DI4_r2x); }

std::optional<WriteCycle> DigitalInputPages::buildDI4_r2x(quint8 command)
{
    const FourInputPage p = pageDI4_r2x(*ui);
    const bool clearing = command == orlo::command::WriteAndClearCounters;
    const inputs::TimeTexts &texts = clearing ? inputs::kTextsAccented : inputs::kTextsEnglish;
    quint8 *payload = clearedRequest(p.frame.result, texts.box, inputs::missingTimes(p.time, texts));
    if (!payload)
        return std::nullopt;
    const int variant = radioVariantDI4_r2x;
    di::encode4(payload, command, orlo::currentDateTime(), recordOf(p, edgeState1, edgeState2, variant));
    return WriteCycle{clearing ? p.frame.other : p.frame.write, p.frame.bar, p.frame.result, di::kReportsR2x};
}

void DigitalInputPages::configureDI4_r2x(quint8 command)
{
    const auto cycle = buildDI4_r2x(command);
    if (!cycle)
        return;
    const bool clearing = command == orlo::command::WriteAndClearCounters;
    runWriteCycle(*cycle, [counters = pageDI4_r2x(*ui).counters, clearing](bool accepted) {
        if (accepted && clearing)
            inputs::showCounters(counters, 0, 0);
    });
}

void DigitalInputPages::on_pushButton_Configurer_DI4_r2x_clicked() { configureDI4_r2x(orlo::command::WriteConfiguration); }

void DigitalInputPages::on_pushButton_RAZ_DI4_r2x_clicked() { configureDI4_r2x(orlo::command::WriteAndClearCounters); }

void DigitalInputPages::on_pushButton_Front_entree_numerique1_DI4_r2x_clicked()
{
    inputs::advanceEdge(edgeState1, ui->pushButton_Front_entree_numerique1_DI4_r2x);
}

void DigitalInputPages::on_pushButton_Front_entree_numerique2_DI4_r2x_clicked()
{
    inputs::advanceEdge(edgeState2, ui->pushButton_Front_entree_numerique2_DI4_r2x);
}

void DigitalInputPages::on_groupBox_Entree1_DI4_r2x_clicked(bool checked)
{
    ui->label_index_compteur1_DI4_r2x->setEnabled(checked);
}

void DigitalInputPages::on_groupBox_Entree2_DI4_r2x_clicked(bool checked)
{
    ui->label_index_compteur2_DI4_r2x->setEnabled(checked);
}

void DigitalInputPages::on_groupBox_Entree3_DI4_r2x_clicked(bool checked)
{
    ui->pushButton_Front_entree_numerique1_DI4_r2x->setEnabled(checked);
}

void DigitalInputPages::on_groupBox_Entree4_DI4_r2x_clicked(bool checked)
{
    ui->pushButton_Front_entree_numerique2_DI4_r2x->setEnabled(checked);
}

// Hours and minutes make one reading period: 00 h 10 to 00 h 30, then whole
// hours 01 h 00 to 24 h 00.
void DigitalInputPages::on_comboBox_heures_releve_compteur_DI4_r2x_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    ui->comboBox_minutes_releve_compteur_DI4_r2x->setCurrentIndex(index == kHourZero ? kMinuteTen : kMinuteZero);
    ui->comboBox_heures_releve_compteur_DI4_r2x->setCurrentIndex(index);
}

void DigitalInputPages::on_comboBox_minutes_releve_compteur_DI4_r2x_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    if (index == inputs::kNotSet || index == kMinuteZero) {
        ui->comboBox_heures_releve_compteur_DI4_r2x->setCurrentIndex(kHourOne);
    } else {
        ui->comboBox_heures_releve_compteur_DI4_r2x->setCurrentIndex(kHourZero);
        ui->comboBox_minutes_releve_compteur_DI4_r2x->setCurrentIndex(index);
    }
}
