// Radio and serial bridge page (RS_r00): the module's role (Modbus master,
// Modbus slave over the radio, transparent bridge) read on enable and
// written back; a few seconds later its radio identifier and firmware version,
// which unlock the features that firmware supports.
#include "pages/bridgepage.h"
#include "link/frames/rs_frame.h"
#include "link/limits.h"
#include "link/modulelink.h"
#include "widgets/writecycle.h"
#include "pages/listfill.h"
#include "ui_bridgepage.h"
#include "widgets/modbusframes.h"

#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace rs = orlo::rs;
namespace mb = orlo::modbus;

namespace {

constexpr int kProgressMs = 30;
constexpr int kInformationMs = 3500;
constexpr int kSpeedVisible = 4;
constexpr int kHourMaxCount = 25;
constexpr int kHourVisible = 6;
constexpr int kMinuteVisible = 6;
constexpr int kLengthMax = 4;
constexpr int kModemMin = 1;
constexpr int kModemMax = orlo::limits::kLastAddress;

// Tabs, one per role.
constexpr int kTabMaster = 0;
constexpr int kTabSlave = 1;
constexpr int kTabBridge = 2;

const char *const kReadTrace = "/*** Lecture de la configuration RS***/\n";
const QString kTabStyle = QStringLiteral("QTabWidget,QTabWidget::pane,QTabBar");
const char *const kMasterRefused = QT_TRANSLATE_NOOP("BridgePage", "The master mode is not suported by your Orlo!");

int roleOfTab(int tab)
{
    return tab == kTabMaster ? rs::kRoleMaster : tab == kTabBridge ? rs::kRoleBridge : rs::kRoleSlave;
}

mb::BlockChain chainOf(Ui::BridgePage &ui)
{
    return {{{ui.checkBox_Frame1_Master_ORLO_RS_r00, ui.spinBox_Device1_Master_ORLO_RS_r00,
              ui.spinBox_Register1_Master_ORLO_RS_r00, ui.spinBox_Length1_Master_ORLO_RS_r00},
             {ui.checkBox_Frame2_Master_ORLO_RS_r00, ui.spinBox_Device2_Master_ORLO_RS_r00,
              ui.spinBox_Register2_Master_ORLO_RS_r00, ui.spinBox_Length2_Master_ORLO_RS_r00},
             {ui.checkBox_Frame3_Master_ORLO_RS_r00, ui.spinBox_Device3_Master_ORLO_RS_r00,
              ui.spinBox_Register3_Master_ORLO_RS_r00, ui.spinBox_Length3_Master_ORLO_RS_r00},
             {ui.checkBox_Frame4_Master_ORLO_RS_r00, ui.spinBox_Device4_Master_ORLO_RS_r00,
              ui.spinBox_Register4_Master_ORLO_RS_r00, ui.spinBox_Length4_Master_ORLO_RS_r00},
             {ui.checkBox_Frame5_Master_ORLO_RS_r00, ui.spinBox_Device5_Master_ORLO_RS_r00,
              ui.spinBox_Register5_Master_ORLO_RS_r00, ui.spinBox_Length5_Master_ORLO_RS_r00},
             {ui.checkBox_Frame6_Master_ORLO_RS_r00, ui.spinBox_Device6_Master_ORLO_RS_r00,
              ui.spinBox_Register6_Master_ORLO_RS_r00, ui.spinBox_Length6_Master_ORLO_RS_r00}}};
}

mb::SerialFormat bridgeFormatOf(Ui::BridgePage &ui)
{
    return {ui.comboBox_databit_Bridge_ORLO_RS_r00, ui.comboBox_parity_Bridge_ORLO_RS_r00,
            ui.comboBox_stopbit_Bridge_ORLO_RS_r00};
}

// The serial line of a tab: RS232 / RS485 and the speed list.
struct SerialWidgets {
    QRadioButton *rs232;
    QRadioButton *rs485;
    QComboBox *speed;
};

SerialWidgets serialOf(Ui::BridgePage &ui, int tab)
{
    switch (tab) {
    case kTabMaster:
        return {ui.radioButton_RS232_Master_ORLO_RS_r00, ui.radioButton_RS485_Master_ORLO_RS_r00,
                ui.comboBox_baudrate_Master_ORLO_RS_r00};
    case kTabSlave:
        return {ui.radioButton_RS232_Slave_ORLO_RS_r00, ui.radioButton_RS485_Slave_ORLO_RS_r00,
                ui.comboBox_baudrate_Slave_ORLO_RS_r00};
    default:
        return {ui.radioButton_RS232_Bridge_ORLO_RS_r00, ui.radioButton_RS485_Bridge_ORLO_RS_r00,
                ui.comboBox_baudrate_Bridge_ORLO_RS_r00};
    }
}

void resetSerial(const SerialWidgets &serial)
{
    serial.rs232->setChecked(true);
    orlo::refillQuietly(serial.speed, mb::speedItems(), kSpeedVisible, mb::kSpeedItemDefault);
}

void showSerial(const SerialWidgets &serial, const rs::Serial &stored)
{
    (stored.rs485 ? serial.rs485 : serial.rs232)->setChecked(true);
    mb::selectItem(serial.speed, stored.speedItem);
}

rs::Serial serialShown(const SerialWidgets &serial)
{
    return {serial.rs485->isChecked(), serial.speed->currentIndex()};
}

void showRadio(Wdradio *radio, const rs::Radio &stored)
{
    radio->setValues(stored.code, stored.channel, stored.modem, stored.remote);
}

rs::Radio radioShown(const Wdradio *radio)
{
    return {radio->baudCode(), radio->channel(), radio->modemAddress(), radio->remoteAddress()};
}

void showSlave(Ui::BridgePage &ui, const rs::Slave &stored)
{
    ui.tabWidget_ORLO_RS_r00->setCurrentIndex(kTabSlave);
    ui.spinBox_addressModem_Slave_ORLO_RS_r00->setValue(stored.modemAddress);
    showSerial(serialOf(ui, kTabSlave), stored.serial);
    showRadio(ui.wdradio_Slave_ORLO_RS_r00, stored.radio);
}

// The bridge mode and the energy saving each check their button; a value
// with no button leaves the group as it is.
void showBridgeMode(Ui::BridgePage &ui, int mode)
{
    Wdradio *radio = ui.wdradio_Bridge_ORLO_RS_r00;
    ui.radioButton_modeSigfox_Bridge_ORLO_RS_r00->setEnabled(false);
    if (mode == rs::kModeSigfox) {
        ui.radioButton_modeSigfox_Bridge_ORLO_RS_r00->setChecked(true);
        ui.radioButton_modeSigfox_Bridge_ORLO_RS_r00->setEnabled(true);
        radio->setCompatibilityEnabled(true);
    } else if (mode == rs::kModeLocal || mode == rs::kModeAdvanced) {
        (mode == rs::kModeLocal ? ui.radioButton_modeLocal_Bridge_ORLO_RS_r00
                                : ui.radioButton_modeLocal_Bridge_Advancd_ORLO_RS_r00)
            ->setChecked(true);
        radio->setCompatibilityEnabled(false);
    }
}

void showEnergySaving(Ui::BridgePage &ui, int saving)
{
    if (saving == rs::kSavingDisabled) {
        ui.radioButton_mod_low_power_disable_Bridge_ORLO_RS_r00->setChecked(true);
        ui.wdradio_Bridge_ORLO_RS_r00->setCompatibilityEnabled(true);
    } else if (saving == rs::kSavingMaster || saving == rs::kSavingSlave) {
        (saving == rs::kSavingMaster ? ui.radioButton_mod_low_power_master_Bridge_ORLO_RS_r00
                                     : ui.radioButton_mod_low_power_slave_Bridge_ORLO_RS_r00)
            ->setChecked(true);
        ui.groupBox_3_lowPoweMod_ORLO_RS_r00->setEnabled(true);
    }
}

void showBridge(Ui::BridgePage &ui, const rs::Bridge &stored)
{
    ui.tabWidget_ORLO_RS_r00->setCurrentIndex(kTabBridge);
    showBridgeMode(ui, stored.mode);
    showEnergySaving(ui, stored.energySaving);
    showSerial(serialOf(ui, kTabBridge), stored.serial);
    // The data bits' own rule refills the parity list before its item is chosen.
    ui.comboBox_databit_Bridge_ORLO_RS_r00->setCurrentIndex(stored.dataBitsItem);
    mb::selectItem(ui.comboBox_parity_Bridge_ORLO_RS_r00, stored.parityItem);
    ui.comboBox_stopbit_Bridge_ORLO_RS_r00->setCurrentIndex(stored.stopBitsItem);
    showRadio(ui.wdradio_Bridge_ORLO_RS_r00, stored.radio);
}

void showMaster(Ui::BridgePage &ui, const rs::Master &stored)
{
    ui.tabWidget_ORLO_RS_r00->setCurrentIndex(kTabMaster);
    ui.comboBox_codeFunction_Master_ORLO_RS_r00->setCurrentIndex(stored.functionItem);
    showSerial(serialOf(ui, kTabMaster), stored.serial);
    mb::selectItem(ui.comboBox_Heur_Master_ORLO_RS_r00, stored.hourItem);
    mb::selectItem(ui.comboBox_Min_Master_ORLO_RS_r00, stored.minuteItem);
    ui.doubleSpinBox_Timeout_Master_ORLO_RS_r00->setValue(stored.timeout);
    mb::showBlocks(chainOf(ui), stored.blocks);
}

// What the page shows, over the record as read: a list that shows nothing
// of the stored role sends its stored byte back.
rs::Record recordShown(Ui::BridgePage &ui, int tab, const quint8 *asRead)
{
    rs::Record r;
    const rs::Record read = rs::decode(asRead);
    r.stored = read.stored;
    r.read = read.read;
    r.role = roleOfTab(tab);
    switch (r.role) {
    case rs::kRoleMaster:
        r.master.serial = serialShown(serialOf(ui, kTabMaster));
        r.master.hourItem = ui.comboBox_Heur_Master_ORLO_RS_r00->currentIndex();
        r.master.minuteItem = ui.comboBox_Min_Master_ORLO_RS_r00->currentIndex();
        r.master.timeout = ui.doubleSpinBox_Timeout_Master_ORLO_RS_r00->value();
        r.master.blocks = mb::blocksOf(chainOf(ui));
        r.master.functionItem = ui.comboBox_codeFunction_Master_ORLO_RS_r00->currentIndex();
        break;
    case rs::kRoleSlave:
        r.slave.modemAddress = ui.spinBox_addressModem_Slave_ORLO_RS_r00->value();
        r.slave.serial = serialShown(serialOf(ui, kTabSlave));
        r.slave.radio = radioShown(ui.wdradio_Slave_ORLO_RS_r00);
        break;
    default: {
        rs::Bridge &b = r.bridge;
        // The last checked button of each group wins.
        if (ui.radioButton_modeSigfox_Bridge_ORLO_RS_r00->isChecked())
            b.mode = rs::kModeSigfox;
        if (ui.radioButton_modeLocal_Bridge_ORLO_RS_r00->isChecked())
            b.mode = rs::kModeLocal;
        if (ui.radioButton_modeLocal_Bridge_Advancd_ORLO_RS_r00->isChecked())
            b.mode = rs::kModeAdvanced;
        if (ui.radioButton_mod_low_power_disable_Bridge_ORLO_RS_r00->isChecked())
            b.energySaving = rs::kSavingDisabled;
        if (ui.radioButton_mod_low_power_master_Bridge_ORLO_RS_r00->isChecked())
            b.energySaving = rs::kSavingMaster;
        if (ui.radioButton_mod_low_power_slave_Bridge_ORLO_RS_r00->isChecked())
            b.energySaving = rs::kSavingSlave;
        b.serial = serialShown(serialOf(ui, kTabBridge));
        b.radio = radioShown(ui.wdradio_Bridge_ORLO_RS_r00);
        b.dataBitsItem = ui.comboBox_databit_Bridge_ORLO_RS_r00->currentIndex();
        b.parityItem = ui.comboBox_parity_Bridge_ORLO_RS_r00->currentIndex();
        b.stopBitsItem = ui.comboBox_stopbit_Bridge_ORLO_RS_r00->currentIndex();
        break;
    }
    }
    return r;
}

} // namespace

BridgePage::BridgePage(PageShell &shell, QWidget *parent)
    : PageFamily(shell, parent)
    , ui(std::make_unique<Ui::BridgePage>())
{
    ui->setupUi(this);
    using T = orlo::ModuleType;
    addPage({T::RS_r00, ui->page_ORLO_RS_r00, [this](bool on) { EnablePageORLO_RS_r00(on); },
             {ui->label_Resultat_configurer_ORLO_RS_r00, ui->pushButton_Configurer_ORLO_RS_r00},
             [this] { return builtFrame(buildRS_r00()); }});
    keepFormTexts([this] { ui->retranslateUi(this); });
}

BridgePage::~BridgePage() = default;

void BridgePage::retranslateTexts()
{
    orlo::retranslateItems(ui->comboBox_codeFunction_Master_ORLO_RS_r00, orlo::kModbusContext, mb::functionItems());
    mb::retranslateSerialFormat(bridgeFormatOf(*ui));
}

void BridgePage::InitPageORLO_RS_r00()
{
    Ui::BridgePage &u = *ui;
    u.tabWidget_ORLO_RS_r00->hide();
    showLogo(false);

    // Slave.
    resetSerial(serialOf(u, kTabSlave));
    u.spinBox_addressModem_Slave_ORLO_RS_r00->setRange(kModemMin, kModemMax);
    u.spinBox_addressModem_Slave_ORLO_RS_r00->setValue(kModemMin);
    u.wdradio_Slave_ORLO_RS_r00->setFieldsHidden(true, true);

    // Master.
    resetSerial(serialOf(u, kTabMaster));
    orlo::refillQuietly(u.comboBox_Heur_Master_ORLO_RS_r00, mb::hourItems(), kHourVisible);
    u.comboBox_Heur_Master_ORLO_RS_r00->setMaxCount(kHourMaxCount);
    orlo::refillQuietly(u.comboBox_Min_Master_ORLO_RS_r00, mb::minuteItems(rs::kMinuteStep, rs::kMinuteItems),
                        kMinuteVisible);
    mb::resetTimeout(u.doubleSpinBox_Timeout_Master_ORLO_RS_r00);
    mb::resetChain(chainOf(u), kLengthMax);
    orlo::refillQuietly(u.comboBox_codeFunction_Master_ORLO_RS_r00,
                        orlo::translatedItems(orlo::kModbusContext, mb::functionItems()), orlo::kListOwnVisible,
                        mb::kFunctionHoldingItem);
    u.comboBox_codeFunction_Master_ORLO_RS_r00->setEnabled(false);

    // Bridge.
    resetSerial(serialOf(u, kTabBridge));
    u.radioButton_modeLocal_Bridge_ORLO_RS_r00->setChecked(true);
    u.radioButton_mod_low_power_disable_Bridge_ORLO_RS_r00->setChecked(true);
    mb::fillSerialFormat(bridgeFormatOf(u));

    rememberedTabRS_r00 = u.tabWidget_ORLO_RS_r00->currentIndex();
    u.label_Resultat_configurer_ORLO_RS_r00->clear();
    u.progressBar_Configurer_ORLO_RS_r00->setValue(0);
    u.wdradio_Bridge_ORLO_RS_r00->setCompatibilityEnabled(true);
    u.pushButton_Configurer_ORLO_RS_r00->setEnabled(true);
    u.pushButton_DefaultConfiguration_ORLO_RS_r00->setEnabled(true);
    u.radioButton_modeSigfox_Bridge_ORLO_RS_r00->setEnabled(false);
    mb::setSerialFormatFree(bridgeFormatOf(u), false);
    u.groupBox_3_lowPoweMod_ORLO_RS_r00->setEnabled(false);

    progressTimer = std::make_unique<QTimer>();
    connect(progressTimer.get(), &QTimer::timeout, this, &BridgePage::SetprogressBarConfigurerORLO_RS_r00);
    // Named and parented so that it can be looked at; the pointer owns it.
    informationTimerRS_r00 = std::make_unique<QTimer>(this);
    informationTimerRS_r00->setObjectName(QStringLiteral("informationTimer_ORLO_RS_r00"));
    connect(informationTimerRS_r00.get(), &QTimer::timeout, this, &BridgePage::Update_RS_r00);
    informationTimerRS_r00->start(kInformationMs);
}

void BridgePage::EnablePageORLO_RS_r00(bool enable)
{
    masterSupportedRS_r00 = false;
    // A firmware's serial format is known again from its own information.
    serialFormatRS_r00 = false;
    if (!enable) {
        informationTimerRS_r00.reset();
        progressTimer.reset();
        ui->tabWidget_ORLO_RS_r00->hide();
        showLogo(true);
        return;
    }
    InitPageORLO_RS_r00();
    readStoredConfiguration(rs::kReports, kReadTrace, [this](const quint8 *stored) {
        // The module went while it was read: its page stays down.
        if (!informationTimerRS_r00)
            return;
        showModulePage(ui->page_ORLO_RS_r00);
        ui->tabWidget_ORLO_RS_r00->setStyleSheet(kTabStyle);
        showStoredORLO_RS_r00(stored);
        rememberedTabRS_r00 = ui->tabWidget_ORLO_RS_r00->currentIndex();
        ui->tabWidget_ORLO_RS_r00->show();
        ui->label_Resultat_configurer_ORLO_RS_r00->clear();
        showLogo(true);
        // A record from a file is checked against the firmware: its version is
        // asked once this read is over rather than at the timer's tick.
        if (informationNeededRS_r00())
            Update_RS_r00();
    });
}

bool BridgePage::informationNeededRS_r00() const
{
    return link().storedRead().filledFromFile() && !link().information;
}

void BridgePage::showStoredORLO_RS_r00(const quint8 *payload)
{
    std::memcpy(storedRecordRS_r00, payload, rs::kPayloadSize);
    const rs::Record r = rs::decode(payload);
    switch (r.role) {
    case rs::kRoleSlave:
        showSlave(*ui, r.slave);
        break;
    case rs::kRoleBridge:
        // Locked until the firmware's information says otherwise.
        serialFormatRS_r00 = false;
        showBridge(*ui, r.bridge);
        break;
    case rs::kRoleMaster:
        // Before the tab is selected, which refuses the master tab otherwise.
        masterSupportedRS_r00 = true;
        showMaster(*ui, r.master);
        break;
    default:
        // A role this page does not know: nothing is filled.
        break;
    }
}

void BridgePage::SetprogressBarConfigurerORLO_RS_r00() { stepProgress(ui->progressBar_Configurer_ORLO_RS_r00); }

void BridgePage::Update_RS_r00()
{
    askInformationRS_r00({});
}

void BridgePage::askInformationRS_r00(std::function<void()> then)
{
    if (link().busy() || !informationTimerRS_r00) {
        if (then)
            then();
        return;
    }
    clearRequest();
    requestCommand(orlo::command::ReadLive, rs::kReports, [this, then](bool whole) {
        // A failed exchange leaves the timer running: it is tried again later.
        // A page closed meanwhile takes nothing from the answer.
        if (whole && informationTimerRS_r00)
            showInformationRS_r00();
        if (then)
            then();
    });
}

void BridgePage::showInformationRS_r00()
{
    const rs::Information info = rs::decodeInformation(answerPayload(), rs::kPayloadSize);
    link().information = info;
    if (rs::hasSigfoxIdentifier(info.identifier))
        ui->radioButton_modeSigfox_Bridge_ORLO_RS_r00->setEnabled(true);
    // Stopped, not destroyed: it lives as long as the page.
    informationTimerRS_r00->stop();
    std::printf("Sigfox id: %x\nVersion: %s\n", unsigned(info.identifier), qPrintable(info.version));
    std::fflush(stdout);
    link().moduleInformation = rs::statusText(info);
    statusBar()->showMessage(link().moduleInformation);

    const rs::Features features = rs::featuresOf(info.version);
    ui->groupBox_3_lowPoweMod_ORLO_RS_r00->setEnabled(features.energySaving);
    masterSupportedRS_r00 = features.master;
    serialFormatRS_r00 = features.serialFormat;
    mb::setSerialFormatFree(bridgeFormatOf(*ui),
                            serialFormatRS_r00 && ui->radioButton_RS232_Bridge_ORLO_RS_r00->isChecked());
    if (features.functionCode)
        ui->comboBox_codeFunction_Master_ORLO_RS_r00->setEnabled(true);
}

std::optional<WriteCycle> BridgePage::buildRS_r00()
{
    if (!mayConfigure())
        return std::nullopt;
    const rs::Record shown = recordShown(*ui, ui->tabWidget_ORLO_RS_r00->currentIndex(), storedRecordRS_r00);
    // The page's own record is sent as the module stores it; one from a file
    // obeys the module's firmware.
    const QStringList locked = link().storedRead().filledFromFile()
                                   ? rs::lockedFeatures(shown, link().information)
                                   : QStringList();
    if (!locked.isEmpty()) {
        warnInvalidConfiguration(ui->label_Resultat_configurer_ORLO_RS_r00,
                                 {warning::kTitleEnglish, warning::kHeadEnglish, warning::kFooterEnglish}, locked);
        return std::nullopt;
    }
    clearRequest();
    rs::encode(requestPayload(), orlo::command::WriteConfiguration, shown);
    WriteCycle cycle{ui->pushButton_Configurer_ORLO_RS_r00, ui->progressBar_Configurer_ORLO_RS_r00,
                     ui->label_Resultat_configurer_ORLO_RS_r00, rs::kReports, kProgressMs};
    cycle.informationTimer = informationTimerRS_r00.get();
    return cycle;
}

void BridgePage::on_pushButton_Configurer_ORLO_RS_r00_clicked()
{
    // Asked within the page's bounds rather than refused for a version not
    // yet known; a module that still tells nothing is refused as before.
    if (!(informationNeededRS_r00() && mayConfigure())) {
        writeRS_r00();
        return;
    }
    QPushButton *const write = ui->pushButton_Configurer_ORLO_RS_r00;
    write->setEnabled(false);
    // The bar turns from the press on: the question is the write's first step.
    progressTimer->start(kProgressMs);
    askInformationRS_r00([this, write] {
        if (progressTimer)
            progressTimer->stop();
        write->setEnabled(true);
        writeRS_r00();
    });
}

void BridgePage::writeRS_r00()
{
    if (const auto cycle = buildRS_r00())
        runWriteCycle(*cycle, {});
}

void BridgePage::on_pushButton_DefaultConfiguration_ORLO_RS_r00_clicked()
{
    // Pressed while a write awaits its answer: the answers must not mix.
    if (!mayConfigure())
        return;
    clearRequest();
    requestPayload()[rs::kCommand] = orlo::command::RestoreDefaults;
    WriteCycle cycle{ui->pushButton_DefaultConfiguration_ORLO_RS_r00, ui->progressBar_Configurer_ORLO_RS_r00,
                     ui->label_Resultat_configurer_ORLO_RS_r00, rs::kReports, kProgressMs};
    cycle.informationTimer = informationTimerRS_r00.get();
    cycle.otherButton = ui->pushButton_Configurer_ORLO_RS_r00;
    runWriteCycle(cycle, [this](bool accepted) {
        if (accepted)
            EnablePageORLO_RS_r00(true);
    });
}

void BridgePage::on_tabWidget_ORLO_RS_r00_currentChanged(int index)
{
    if (index == kTabMaster && !masterSupportedRS_r00) {
        ui->tabWidget_ORLO_RS_r00->setCurrentIndex(rememberedTabRS_r00);
        auto *box = new QMessageBox(QMessageBox::NoIcon, QString(), tr(kMasterRefused), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
        return;
    }
    rememberedTabRS_r00 = index;
}

void BridgePage::chainToggledORLO_RS_r00(int frame, bool checked) { mb::chainToggled(chainOf(*ui), frame, checked); }

void BridgePage::on_checkBox_Frame1_Master_ORLO_RS_r00_toggled(bool checked) { chainToggledORLO_RS_r00(0, checked); }

void BridgePage::on_checkBox_Frame2_Master_ORLO_RS_r00_toggled(bool checked) { chainToggledORLO_RS_r00(1, checked); }

void BridgePage::on_checkBox_Frame3_Master_ORLO_RS_r00_toggled(bool checked) { chainToggledORLO_RS_r00(2, checked); }

void BridgePage::on_checkBox_Frame4_Master_ORLO_RS_r00_toggled(bool checked) { chainToggledORLO_RS_r00(3, checked); }

void BridgePage::on_checkBox_Frame5_Master_ORLO_RS_r00_toggled(bool checked) { chainToggledORLO_RS_r00(4, checked); }

void BridgePage::on_checkBox_Frame6_Master_ORLO_RS_r00_toggled(bool checked) { chainToggledORLO_RS_r00(5, checked); }

void BridgePage::on_radioButton_RS232_Bridge_ORLO_RS_r00_toggled(bool checked)
{
    mb::setSerialFormatFree(bridgeFormatOf(*ui), checked && serialFormatRS_r00);
}

void BridgePage::on_comboBox_databit_Bridge_ORLO_RS_r00_currentIndexChanged(int index)
{
    mb::refillParity(ui->comboBox_parity_Bridge_ORLO_RS_r00, index);
}

void BridgePage::on_radioButton_mod_low_power_disable_Bridge_ORLO_RS_r00_clicked(bool)
{
    ui->wdradio_Bridge_ORLO_RS_r00->setCompatibilityEnabled(true);
}

void BridgePage::on_radioButton_mod_low_power_master_Bridge_ORLO_RS_r00_clicked(bool)
{
    ui->wdradio_Bridge_ORLO_RS_r00->setCompatibilityEnabled(false);
}

void BridgePage::on_radioButton_mod_low_power_slave_Bridge_ORLO_RS_r00_clicked(bool)
{
    ui->wdradio_Bridge_ORLO_RS_r00->setCompatibilityEnabled(false);
}
