// Input/output mirror pages (IOD_PS_r20, ORLO_DIO_LoRa, DI2_868_r_10): one
// page design for the three module types, each a tab per role (Slave,
// Master, and Mirror where the module has it). The page opens on the tab of
// the stored role; Write sends the role of the current tab; Default restores
// the module's defaults (command 5) and shows them.
#include "pages/mirrorpages.h"
#include "link/clockstamp.h"
#include "link/frames/mirror_frame.h"
#include "link/limits.h"
#include "pages/input_steps.h"
#include "pages/listfill.h"
#include "pages/mirror_widgets.h"
#include "ui_mirrorpages.h"
#include "widgets/wdlora.h"
#include "widgets/wdradio.h"

#include <optional>
#include <variant>

namespace mf = orlo::mirror;
using namespace mirrorpage;

namespace {

constexpr int kTabSlave = 0;
constexpr int kTabMaster = 1;
constexpr int kTabMirror = 2;

// The Mirror tab's operating mode; the mirror role is 2 + its index.
constexpr int kSlaveMirror = 0;
constexpr int kMasterMirror = 1;
const QStringList kOperatingModes = orlo::limits::mirrorModeTexts();

const QString kTabStyle = QStringLiteral("QTabWidget,QTabWidget::pane,QTabBar");

// A radio widget keeps the speed code it was given when its list has no
// entry for it, so that a write sends what the module had.
const char *const kStoredSpeed = "storedSpeed";


// ---- The radio widgets --------------------------------------------------------------

void showRadio(const Radio &radio, int speed, int channel, int modem, int remote)
{
    std::visit(
        [&](auto *widget) {
            widget->setProperty(kStoredSpeed, speed);
            widget->setValues(speed, channel, modem, remote);
        },
        radio);
}

void showDefaultRadio(const Radio &radio)
{
    showRadio(radio, kDefaultSpeed, kDefaultChannel, kDefaultAddress, kDefaultAddress);
}

// The page has address fields of its own.
void hideRadioAddresses(const Radio &radio)
{
    std::visit([](auto *widget) { widget->setFieldsHidden(true, true); }, radio);
}

int shownSpeed(const Wdradio *radio)
{
    return radio->baudCode();
}

int shownSpeed(const Wdlora *radio)
{
    return radio->baudIndex();
}

// A code the widget's list has no entry for goes back as stored. The LoRa
// widget's code is its data-rate index, never a compatibility code.
void takeRadio(mf::Record &record, const Radio &radio)
{
    std::visit(
        [&record](auto *widget) {
            record.channel = widget->channel();
            record.speed = widget->baudIndex() < 0 ? widget->property(kStoredSpeed).toInt() : shownSpeed(widget);
        },
        radio);
    record.compatibility = std::holds_alternative<Wdradio *>(radio) && mf::isCompatibilitySpeed(record.speed);
}

// ---- Tabs ---------------------------------------------------------------------------

void setRange(QSpinBox *box, Range range)
{
    box->setRange(range.lo, range.hi);
}

void applyOperatingMode(const MirrorTab &mirror, int mode)
{
    const bool master = mode == kMasterMirror;
    mirror.remote->setVisible(master);
    mirror.remoteLabel->setVisible(master);
    mirror.modem->setVisible(!master);
    mirror.modemLabel->setVisible(!master);
}

void resetMirrorTab(const MirrorTab &mirror)
{
    setRange(mirror.modem, kAddress);
    setRange(mirror.remote, kAddress);
    setRange(mirror.timeOut, kTimeOut);
    hideRadioAddresses(mirror.radio);
    orlo::refillQuietly(mirror.mode, orlo::translatedItems(orlo::kLimitsContext, kOperatingModes),
                        kOperatingModes.size());
    mirror.remote->setValue(0);
    applyOperatingMode(mirror, kSlaveMirror);
}

void resetMirrorPage(const MirrorPage &p)
{
    inputs::resetFrame(p.frame);
    setRange(p.slave.modem, kSlaveModem);
    setRange(p.master.modem, kAddress);
    setRange(p.master.remote, p.masterRemote);
    hideRadioAddresses(p.slave.radio);
    hideRadioAddresses(p.master.radio);
    if (p.timeOuts) {
        setRange(p.timeOuts->slave, kTimeOut);
        setRange(p.timeOuts->master, kTimeOut);
    }
    if (p.mirror)
        resetMirrorTab(*p.mirror);
    inputs::fillReadingLists(p.master.inputs.time, inputs::kLastHour, inputs::kLastMinute);
    p.counters.value1->hide();
    p.counters.value2->hide();
}

void showMirrorTab(const MirrorTab &mirror, const mf::Record &stored)
{
    const int mode = stored.role == mf::MasterMirror ? kMasterMirror : kSlaveMirror;
    mirror.mode->setCurrentIndex(mode);
    mirror.timeOut->setValue(stored.timeOut);
    // The address the role does not use is cleared.
    mirror.remote->setValue(mode == kMasterMirror ? stored.remote : 0);
    mirror.modem->setValue(mode == kMasterMirror ? 0 : stored.modem);
    applyOperatingMode(mirror, mode);
    hideRadioAddresses(mirror.radio);
}

// The tab of the stored role; true when the record's edge selections apply.
bool showStoredRole(const MirrorPage &p, const mf::Record &stored)
{
    const auto showRadioOf = [&stored](const Radio &radio) {
        showRadio(radio, stored.speed, stored.channel, stored.modem, stored.remote);
    };
    if (stored.role == mf::Slave) {
        p.tabs->setCurrentIndex(kTabSlave);
        p.slave.modem->setValue(stored.modem);
        if (p.timeOuts)
            p.timeOuts->slave->setValue(stored.timeOut);
        showRadioOf(p.slave.radio);
        return false;
    }
    if (stored.role == mf::Master) {
        p.tabs->setCurrentIndex(kTabMaster);
        p.master.remote->setValue(stored.remote);
        p.master.modem->setValue(stored.modem);
        if (p.timeOuts)
            p.timeOuts->master->setValue(stored.timeOut);
        showRadioOf(p.master.radio);
        inputs::fillInputs(p.master.inputs, stored.input1, stored.input2);
        return true;
    }
    if (p.mirror) {
        p.tabs->setCurrentIndex(kTabMirror);
        showRadioOf(p.mirror->radio);
        showMirrorTab(*p.mirror, stored);
        return false;
    }
    // A two-tab module keeps only the edge selections of a mirror record.
    if (stored.role != mf::MasterMirror)
        return false;
    inputs::showEdge(p.master.inputs.input1, stored.input1.edge);
    inputs::showEdge(p.master.inputs.input2, stored.input2.edge);
    return true;
}

void showDefaults(const MirrorPage &p)
{
    if (p.defaultSlaveRadio)
        showDefaultRadio(p.slave.radio);
    p.slave.modem->setValue(kDefaultAddress);
    inputs::showCounters(p.counters, 0, 0);
    showDefaultRadio(p.master.radio);
    p.master.remote->setValue(kDefaultAddress);
    p.master.modem->setValue(p.defaultMasterModem);
    if (p.timeOuts) {
        p.timeOuts->slave->setValue(0);
        p.timeOuts->master->setValue(0);
    }
    if (p.mirror) {
        p.mirror->mode->setCurrentIndex(kSlaveMirror);
        applyOperatingMode(*p.mirror, kSlaveMirror);
        p.mirror->remote->setValue(kDefaultAddress);
        p.mirror->modem->setValue(kDefaultAddress);
        p.mirror->timeOut->setValue(0);
        showDefaultRadio(p.mirror->radio);
    }
}

// ---- Records the tabs write ---------------------------------------------------------

mf::Record slaveRecord(const MirrorPage &p)
{
    mf::Record record;
    record.role = mf::Slave;
    takeRadio(record, p.slave.radio);
    record.modem = p.slave.modem->value();
    if (p.timeOuts)
        record.timeOut = p.timeOuts->slave->value();
    return record;
}

mf::Record masterRecord(const MirrorPage &p, int edge1, int edge2)
{
    const inputs::InputGroup &in = p.master.inputs;
    mf::Record record;
    record.role = mf::Master;
    record.hour = inputs::hourOf(in.time);
    record.minute = inputs::minuteOf(in.time);
    takeRadio(record, p.master.radio);
    record.modem = p.master.modem->value();
    record.remote = p.master.remote->value();
    if (p.timeOuts)
        record.timeOut = p.timeOuts->master->value();
    record.input1 = inputs::inputOf(in.input1, edge1);
    record.input2 = inputs::inputOf(in.input2, edge2);
    return record;
}

// No compatibility bit on a mirror role.
mf::Record mirrorRecord(const MirrorTab &mirror)
{
    mf::Record record;
    takeRadio(record, mirror.radio);
    record.role = mf::SlaveMirror + qMax(0, mirror.mode->currentIndex());
    record.compatibility = false;
    record.modem = mirror.modem->value();
    record.remote = mirror.remote->value();
    record.timeOut = mirror.timeOut->value();
    return record;
}

} // namespace

// ---- Steps of the three pages -------------------------------------------------------

MirrorPages::MirrorPages(PageShell &shell, QWidget *parent)
    : InputPages(shell, parent)
    , ui(std::make_unique<Ui::MirrorPages>())
{
    ui->setupUi(this);
    using T = orlo::ModuleType;
    addPage({T::DI2_868_r_10, ui->page_DI2_868_r_10, [this](bool on) { EnablePageDI2_868_r_10(on); },
             {ui->label_Resultat_configurer_DI2_868_r_10, ui->pushButton_Configurer_DI2_868_r_10},
             [this] { return builtFrame(buildMirror(pageDI2_868_r_10(*ui))); }});
    addPage({T::IOD_PS_r20, ui->page_IOD_PS_r20, [this](bool on) { EnablePageIOD_PS_r20(on); },
             {ui->label_Resultat_configurer_IOD_PS_r20, ui->pushButton_Configurer_IOD_PS_r20},
             [this] { return builtFrame(buildMirror(pageIOD_PS_r20(*ui))); }});
    addPage({T::DIO_LoRa, ui->page_ORLO_DIO_LoRa, [this](bool on) { EnablePageORLO_DIO_LoRa(on); },
             {ui->label_Resultat_configurer_ORLO_DIO_LoRa, ui->pushButton_Configurer_ORLO_DIO_LoRa},
             [this] { return builtFrame(buildMirror(pageORLO_DIO_LoRa(*ui))); }});
    keepFormTexts([this] { ui->retranslateUi(this); });
}

MirrorPages::~MirrorPages() = default;

void MirrorPages::retranslateTexts()
{
    for (QComboBox *mode :
         {ui->comboBox_operatingMode_Mirror_IOD_PS_r20, ui->comboBox_operatingMode_Mirror_ORLO_DIO_LoRa})
        orlo::retranslateItems(mode, orlo::kLimitsContext, kOperatingModes);
}

void MirrorPages::enableMirrorPage(const MirrorPage &p, bool enable)
{
    if (!enable) {
        stopInputPage(p.frame.configurer, p.tabs);
        return;
    }
    // Both edges start on "rising".
    startInputPage(p.progress);
    inputs::advanceEdge(edgeState1, p.master.inputs.input1.edge);
    inputs::advanceEdge(edgeState2, p.master.inputs.input2.edge);
    resetMirrorPage(p);
    showLogo(false);

    const mf::Layout layout = mf::layoutOf(p.variant);
    readStoredConfiguration(layout.reports, [this, p, layout, run = pageRun](const quint8 *payload) {
        if (run != pageRun)
            return;
        const mf::Record stored = mf::decode(payload, p.variant);
        p.tabs->setStyleSheet(kTabStyle);
        inputs::showReadingTime(p.master.inputs.time, stored.hour, stored.minute);
        if (layout.counters)
            inputs::showCounters(p.counters, stored.counter1, stored.counter2);
        if (showStoredRole(p, stored)) {
            edgeState1 = stored.input1.edge;
            edgeState2 = stored.input2.edge;
        }
        inputs::showFrame(p.frame);
        showModulePage(p.frame.page);
    });
}

std::optional<WriteCycle> MirrorPages::buildMirror(const MirrorPage &p)
{
    const int tab = p.tabs->currentIndex();
    mf::Record record;
    QStringList missing;
    if (tab == kTabMaster) {
        record = masterRecord(p, edgeState1, edgeState2);
        missing = inputs::missingTimes(p.master.inputs.time, inputs::kTextsEnglish);
    } else if (tab == kTabMirror && p.mirror) {
        record = mirrorRecord(*p.mirror);
        if (record.speed < p.mirror->speeds->lowest || record.speed > p.mirror->speeds->highest)
            missing << p.mirror->speeds->line;
    } else {
        record = slaveRecord(p);
    }
    // The LoRa module is never sent a channel its data rate's plan lacks.
    if (p.variant == mf::Variant::DIO_LoRa)
        missing << orlo::checks::loRaChannelLines(record.channel, record.speed);
    // Default stays enabled while Write waits, and the other way round.
    quint8 *payload = clearedRequest(p.frame.result, p.warning, missing);
    if (!payload)
        return std::nullopt;
    mf::encode(payload, orlo::command::WriteConfiguration, orlo::currentDateTime(), record, p.variant);
    const int reports = mf::layoutOf(p.variant).reports;
    WriteCycle cycle{p.frame.write, p.frame.bar, p.frame.result, reports};
    cycle.progressIntervalMs = p.writeProgressMs;
    return cycle;
}

void MirrorPages::configureMirror(const MirrorPage &p)
{
    if (const auto cycle = buildMirror(p))
        runWriteCycle(*cycle, {});
}

void MirrorPages::restoreMirrorDefaults(const MirrorPage &p)
{
    quint8 *payload = clearedRequest(p.frame.result, p.warning, {});
    if (!payload)
        return;
    payload[mf::kCommand] = orlo::command::RestoreDefaults;
    runWriteCycle({p.frame.other, p.frame.bar, p.frame.result, mf::layoutOf(p.variant).reports},
                  [p](bool accepted) {
                      if (accepted)
                          showDefaults(p);
                  });
}

void MirrorPages::SetprogressBarConfigurerIOD_PS_r20() { stepProgress(ui->progressBar_Configurer_IOD_PS_r20); }

void MirrorPages::SetprogressBarConfigurerORLO_DIO_LoRa() { stepProgress(ui->progressBar_Configurer_ORLO_DIO_LoRa); }

void MirrorPages::SetprogressBarConfigurer_DI2_868_r_10() { stepProgress(ui->progressBar_Configurer_DI2_868_r_10); }

// ---- IOD_PS_r20 -------------------------------------------------------------

void MirrorPages::EnablePageIOD_PS_r20(bool enable) { enableMirrorPage(pageIOD_PS_r20(*ui), enable); }

void MirrorPages::on_pushButton_Configurer_IOD_PS_r20_clicked() { configureMirror(pageIOD_PS_r20(*ui)); }

void MirrorPages::on_pushButton_DefaultConfiguration_IOD_PS_r20_clicked()
{
    restoreMirrorDefaults(pageIOD_PS_r20(*ui));
}

void MirrorPages::on_comboBox_operatingMode_Mirror_IOD_PS_r20_currentIndexChanged(int index)
{
    applyOperatingMode(*pageIOD_PS_r20(*ui).mirror, index);
}

void MirrorPages::on_comboBox_heures_releve_compteur_Master_IOD_PS_r20_currentIndexChanged(int index)
{
    inputs::rewriteMinutes(inputs::groupIOD_PS_r20(*ui).time.minutes, index);
}

void MirrorPages::on_pushButton_Front_entree_numerique1_Master_IOD_PS_r20_clicked()
{
    inputs::advanceEdge(edgeState1, inputs::groupIOD_PS_r20(*ui).input1.edge);
}

void MirrorPages::on_groupBox_Entree1_Master_IOD_PS_r20_clicked(bool checked)
{
    inputs::applyBoxRule(inputs::groupIOD_PS_r20(*ui).input1, checked);
}

void MirrorPages::on_radioButton_Entree_numerique1_Master_IOD_PS_r20_clicked()
{
    inputs::applyModeRule(inputs::groupIOD_PS_r20(*ui).input1, false);
}

void MirrorPages::on_radioButton_Compteur1_Master_IOD_PS_r20_clicked()
{
    inputs::applyModeRule(inputs::groupIOD_PS_r20(*ui).input1, true);
}

void MirrorPages::on_pushButton_Front_entree_numerique2_Master_IOD_PS_r20_clicked()
{
    inputs::advanceEdge(edgeState2, inputs::groupIOD_PS_r20(*ui).input2.edge);
}

void MirrorPages::on_groupBox_Entree2_Master_IOD_PS_r20_clicked(bool checked)
{
    inputs::applyBoxRule(inputs::groupIOD_PS_r20(*ui).input2, checked);
}

void MirrorPages::on_radioButton_Entree_numerique2_Master_IOD_PS_r20_clicked()
{
    inputs::applyModeRule(inputs::groupIOD_PS_r20(*ui).input2, false);
}

void MirrorPages::on_radioButton_Compteur2_Master_IOD_PS_r20_clicked()
{
    inputs::applyModeRule(inputs::groupIOD_PS_r20(*ui).input2, true);
}

// ---- ORLO_DIO_LoRa ----------------------------------------------------------

void MirrorPages::EnablePageORLO_DIO_LoRa(bool enable) { enableMirrorPage(pageORLO_DIO_LoRa(*ui), enable); }

void MirrorPages::on_pushButton_Configurer_ORLO_DIO_LoRa_clicked() { configureMirror(pageORLO_DIO_LoRa(*ui)); }

void MirrorPages::on_pushButton_DefaultConfiguration_ORLO_DIO_LoRa_clicked()
{
    restoreMirrorDefaults(pageORLO_DIO_LoRa(*ui));
}

void MirrorPages::on_comboBox_operatingMode_Mirror_ORLO_DIO_LoRa_currentIndexChanged(int index)
{
    applyOperatingMode(*pageORLO_DIO_LoRa(*ui).mirror, index);
}

void MirrorPages::on_comboBox_heures_releve_compteur_Master_ORLO_DIO_LoRa_currentIndexChanged(int index)
{
    inputs::rewriteMinutes(inputs::groupORLO_DIO_LoRa(*ui).time.minutes, index);
}

void MirrorPages::on_pushButton_Front_entree_numerique1_Master_ORLO_DIO_LoRa_clicked()
{
    inputs::advanceEdge(edgeState1, inputs::groupORLO_DIO_LoRa(*ui).input1.edge);
}

void MirrorPages::on_groupBox_Entree1_Master_ORLO_DIO_LoRa_clicked(bool checked)
{
    inputs::applyBoxRule(inputs::groupORLO_DIO_LoRa(*ui).input1, checked);
}

void MirrorPages::on_radioButton_Entree_numerique1_Master_ORLO_DIO_LoRa_clicked()
{
    inputs::applyModeRule(inputs::groupORLO_DIO_LoRa(*ui).input1, false);
}

void MirrorPages::on_radioButton_Compteur1_Master_ORLO_DIO_LoRa_clicked()
{
    inputs::applyModeRule(inputs::groupORLO_DIO_LoRa(*ui).input1, true);
}

void MirrorPages::on_pushButton_Front_entree_numerique2_Master_ORLO_DIO_LoRa_clicked()
{
    inputs::advanceEdge(edgeState2, inputs::groupORLO_DIO_LoRa(*ui).input2.edge);
}

void MirrorPages::on_groupBox_Entree2_Master_ORLO_DIO_LoRa_clicked(bool checked)
{
    inputs::applyBoxRule(inputs::groupORLO_DIO_LoRa(*ui).input2, checked);
}

void MirrorPages::on_radioButton_Entree_numerique2_Master_ORLO_DIO_LoRa_clicked()
{
    inputs::applyModeRule(inputs::groupORLO_DIO_LoRa(*ui).input2, false);
}

void MirrorPages::on_radioButton_Compteur2_Master_ORLO_DIO_LoRa_clicked()
{
    inputs::applyModeRule(inputs::groupORLO_DIO_LoRa(*ui).input2, true);
}

// ---- DI2_868_r_10 -----------------------------------------------------------

void MirrorPages::EnablePageDI2_868_r_10(bool enable) { enableMirrorPage(pageDI2_868_r_10(*ui), enable); }

void MirrorPages::on_pushButton_Configurer_DI2_868_r_10_clicked() { configureMirror(pageDI2_868_r_10(*ui)); }

void MirrorPages::on_pushButton_DefaultConfiguration_DI2_868_r_10_clicked()
{
    restoreMirrorDefaults(pageDI2_868_r_10(*ui));
}

void MirrorPages::on_comboBox_heures_releve_compteur_Master_DI2_868_r_10_currentIndexChanged(int index)
{
    inputs::rewriteMinutes(inputs::groupDI2_868_r_10(*ui).time.minutes, index);
}

void MirrorPages::on_pushButton_Front_entree_numerique1_Master_DI2_868_r_10_clicked()
{
    inputs::advanceEdge(edgeState1, inputs::groupDI2_868_r_10(*ui).input1.edge);
}

void MirrorPages::on_groupBox_Entree1_Master_DI2_868_r_10_clicked(bool checked)
{
    inputs::applyBoxRule(inputs::groupDI2_868_r_10(*ui).input1, checked);
}

void MirrorPages::on_radioButton_Entree_numerique1_Master_DI2_868_r_10_clicked()
{
    inputs::applyModeRule(inputs::groupDI2_868_r_10(*ui).input1, false);
}

void MirrorPages::on_radioButton_Compteur1_Master_DI2_868_r_10_clicked()
{
    inputs::applyModeRule(inputs::groupDI2_868_r_10(*ui).input1, true);
}

void MirrorPages::on_pushButton_Front_entree_numerique2_Master_DI2_868_r_10_clicked()
{
    inputs::advanceEdge(edgeState2, inputs::groupDI2_868_r_10(*ui).input2.edge);
}

void MirrorPages::on_groupBox_Entree2_Master_DI2_868_r_10_clicked(bool checked)
{
    inputs::applyBoxRule(inputs::groupDI2_868_r_10(*ui).input2, checked);
}

void MirrorPages::on_radioButton_Entree_numerique2_Master_DI2_868_r_10_clicked()
{
    inputs::applyModeRule(inputs::groupDI2_868_r_10(*ui).input2, false);
}

void MirrorPages::on_radioButton_Compteur2_Master_DI2_868_r_10_clicked()
{
    inputs::applyModeRule(inputs::groupDI2_868_r_10(*ui).input2, true);
}
