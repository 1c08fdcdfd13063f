#include "widgets/wmorlorslw.h"
#include "ui_wmorlorslw.h"

#include "link/checks.h"
#include "link/frames/rslw_frame.h"
#include "link/modulelink.h"
#include "link/trace.h"
#include "widgets/formtexts.h"
#include "widgets/listfill.h"

#include <QEvent>
#include <QStatusBar>
#include <QTimer>

namespace rslw = orlo::rslw;
namespace modbus = orlo::modbus;
namespace page = orlo::widgetpage;

namespace {
// The module stores a role (byte 1) none of the three tabs shows.
using orlo::checks::kRoleTexts;
const QString &kRoleUnknown = orlo::checks::kRoleUnknownLine;
} // namespace

WmOrloRsLw::WmOrloRsLw(QWidget *parent)
    : QWidget(parent)
    , form(std::make_unique<Ui::WmOrloRsLw>())
    , progressTimer(new QTimer(this))
{
    form->setupUi(this);
    formTexts = std::make_unique<orlo::FormTexts>(QList<QWidget *>{this}, [this] { form->retranslateUi(this); });
    connect(progressTimer, &QTimer::timeout, this, &WmOrloRsLw::SetprogressBarConfigurer);
}

WmOrloRsLw::~WmOrloRsLw() = default;

void WmOrloRsLw::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        formTexts->retranslate();
        modbus::retranslateSerialFormat(serialFormat());
        orlo::retranslateItems(form->comboBox_codeFunction, orlo::kModbusContext, modbus::functionItems());
    }
    QWidget::changeEvent(event);
}

modbus::BlockChain WmOrloRsLw::chain() const
{
    const Ui::WmOrloRsLw &f = *form;
    return {{{f.checkBox_Frame1_Master, f.spinBox_Device1_Master, f.spinBox_Register1_Master, f.spinBox_Length1_Master},
             {f.checkBox_Frame2_Master, f.spinBox_Device2_Master, f.spinBox_Register2_Master, f.spinBox_Length2_Master},
             {f.checkBox_Frame3_Master, f.spinBox_Device3_Master, f.spinBox_Register3_Master, f.spinBox_Length3_Master},
             {f.checkBox_Frame4_Master, f.spinBox_Device4_Master, f.spinBox_Register4_Master, f.spinBox_Length4_Master},
             {f.checkBox_Frame5_Master, f.spinBox_Device5_Master, f.spinBox_Register5_Master, f.spinBox_Length5_Master},
             {f.checkBox_Frame6_Master, f.spinBox_Device6_Master, f.spinBox_Register6_Master,
              f.spinBox_Length6_Master}}};
}

modbus::SerialFormat WmOrloRsLw::serialFormat() const
{
    return {form->comboBox_databit, form->comboBox_parity, form->comboBox_stopbit};
}

void WmOrloRsLw::start(ModuleLink *hid, QStatusBar *bar)
{
    link = hid;
    statusBar = bar;
    form->label_Resultat_configurer->clear();
    initialiseAndRead();
}

QLabel *WmOrloRsLw::resultLabel() const
{
    return form->label_Resultat_configurer;
}

QPushButton *WmOrloRsLw::writeButton() const
{
    return form->pushButton_Configurer;
}

void WmOrloRsLw::stop()
{
    link = nullptr;
    statusBar = nullptr;
    progressTimer->stop();
}

void WmOrloRsLw::initialiseAndRead()
{
    if (!link)
        return;
    form->radioButton_RS232->setChecked(true);
    orlo::refillQuietly(form->comboBox_baudrate, modbus::speedItems(), orlo::kListOwnVisible,
                        modbus::kSpeedItemDefault);
    modbus::fillSerialFormat(serialFormat());
    // As after any switch of the interface: eight bits, no parity, one stop bit.
    modbus::setSerialFormatFree(serialFormat(), false);
    form->spinBox_addressModemSlave->setRange(rslw::kMinSlaveModem, rslw::kMaxSlaveModem);
    form->spinBox_addressModemSlave->setValue(rslw::kMinSlaveModem);
    form->checkBox_otaa->setChecked(true);
    orlo::refillQuietly(form->comboBox_codeFunction,
                        orlo::translatedItems(orlo::kModbusContext, modbus::functionItems()), orlo::kListOwnVisible,
                        modbus::kFunctionHoldingItem);
    orlo::refillQuietly(form->comboBox_Heur_Master, modbus::hourItems(), orlo::kListOwnVisible);
    orlo::refillQuietly(form->comboBox_Min_Master, modbus::minuteItems(rslw::kMinuteStep, rslw::kMinuteItems),
                        orlo::kListOwnVisible);
    modbus::resetTimeout(form->doubleSpinBox_Timeout_Master);
    modbus::resetChain(chain(), rslw::kMaxBlockLength);

    orlo::trace("*** Lecture de la configuration RSLW ***\n");
    page::readStored(*link, frame, [this](bool) {
        // The module went while it was read: the page waits for the next start.
        if (!link)
            return;
        // The module tells its information right after its record, as always.
        askInformation();
        const rslw::Record record = rslw::decode(frame.payload());
        stored = record;

        // A role no tab shows leaves the tab as it is, and the page says so.
        roleChosen = record.role >= 0;
        if (roleChosen)
            form->tabWidget_ORLO_RSLW_r00->setCurrentIndex(record.role);
        else
            orlo::showResult(form->label_Resultat_configurer, result::kInvalid);
        // Checking RS485 forces the serial format; the stored items follow.
        form->radioButton_RS485->setChecked(record.rs485);
        modbus::selectItem(form->comboBox_baudrate, record.speedItem);
        modbus::selectItem(form->comboBox_databit, record.dataBitsItem);
        modbus::selectItem(form->comboBox_parity, record.parityItem);
        modbus::selectItem(form->comboBox_stopbit, record.stopBitsItem);
        form->spinBox_addressModemSlave->setValue(record.slaveModem);
        modbus::selectItem(form->comboBox_Heur_Master, record.hourItem);
        modbus::selectItem(form->comboBox_Min_Master, record.minuteItem);
        form->doubleSpinBox_Timeout_Master->setValue(record.timeoutSeconds);
        modbus::showBlocks(chain(), record.blocks);
        form->checkBox_otaa->setChecked(record.otaa);
        modbus::selectItem(form->comboBox_codeFunction, record.functionItem);
    });
}

void WmOrloRsLw::on_tabWidget_ORLO_RSLW_r00_tabBarClicked(int)
{
    roleChosen = true;
    if (orlo::resultWord(form->label_Resultat_configurer) == result::kInvalid)
        orlo::showResult(form->label_Resultat_configurer, QString());
}

void WmOrloRsLw::getInfo()
{
    if (page::mayExchange(link))
        askInformation();
}

void WmOrloRsLw::askInformation()
{
    page::request(*link, informationFrame, orlo::command::ReadLive, [this](bool whole) {
        // Only a whole answer is shown: a cut one would show what the module
        // never sent. A module gone meanwhile told nothing.
        if (!whole || !link)
            return;
        const rslw::Information information =
            rslw::decodeInformation(informationFrame.payload(), page::Frame::payloadSize());
        link->moduleInformation = rslw::statusText(information);
        link->toldIdentifier = rslw::deviceEuiText(information);
        link->toldFirmware = rslw::versionText(information);
        if (statusBar)
            statusBar->showMessage(link->moduleInformation);
    });
}

QByteArray WmOrloRsLw::configurationFrame()
{
    if (const auto cycle = buildConfiguration())
        return QByteArray(reinterpret_cast<const char *>(frame.payload()), orlo::kReportPayload * cycle->reports);
    return {};
}

void WmOrloRsLw::on_pushButton_Configurer_clicked()
{
    if (const auto cycle = buildConfiguration())
        page::runWriteCycle(*link, progressTimer, frame, *cycle, {});
}

std::optional<WriteCycle> WmOrloRsLw::buildConfiguration()
{
    if (!page::mayConfigure(link))
        return std::nullopt;
    if (!roleChosen) {
        orlo::warnInvalidConfiguration(link->cycleObserver, this, form->label_Resultat_configurer, kRoleTexts, {kRoleUnknown});
        return std::nullopt;
    }
    orlo::trace("*** Sauvegarde de la configuration ***\n");
    rslw::Record record = stored;
    record.role = form->tabWidget_ORLO_RSLW_r00->currentIndex();
    record.rs485 = form->radioButton_RS485->isChecked();
    record.speedItem = form->comboBox_baudrate->currentIndex();
    record.dataBitsItem = form->comboBox_databit->currentIndex();
    record.parityItem = form->comboBox_parity->currentIndex();
    record.stopBitsItem = form->comboBox_stopbit->currentIndex();
    record.slaveModem = form->spinBox_addressModemSlave->value();
    record.hourItem = form->comboBox_Heur_Master->currentIndex();
    record.minuteItem = form->comboBox_Min_Master->currentIndex();
    record.timeoutSeconds = form->doubleSpinBox_Timeout_Master->value();
    record.blocks = modbus::blocksOf(chain());
    record.otaa = form->checkBox_otaa->isChecked();
    record.functionItem = form->comboBox_codeFunction->currentIndex();
    frame.clear();
    rslw::encode(frame.payload(), record);
    WriteCycle cycle{form->pushButton_Configurer, form->progressBar_Configurer, form->label_Resultat_configurer,
                     page::kReports, page::kProgressMs};
    cycle.otherButton = form->pushButton_DefaultConfiguration;
    return cycle;
}

void WmOrloRsLw::on_pushButton_DefaultConfiguration_clicked()
{
    if (!page::mayConfigure(link))
        return;
    WriteCycle cycle{form->pushButton_DefaultConfiguration, form->progressBar_Configurer,
                     form->label_Resultat_configurer, page::kReports, page::kProgressMs};
    cycle.otherButton = form->pushButton_Configurer;
    page::restoreDefaults(*link, progressTimer, frame, cycle, [this](bool accepted) {
        if (accepted)
            initialiseAndRead();
    });
}

void WmOrloRsLw::SetprogressBarConfigurer()
{
    orlo::stepProgress(form->progressBar_Configurer);
}

void WmOrloRsLw::on_checkBox_Frame1_Master_toggled(bool checked)
{
    frameToggled(1, checked);
}

void WmOrloRsLw::on_checkBox_Frame2_Master_toggled(bool checked)
{
    frameToggled(2, checked);
}

void WmOrloRsLw::on_checkBox_Frame3_Master_toggled(bool checked)
{
    frameToggled(3, checked);
}

void WmOrloRsLw::on_checkBox_Frame4_Master_toggled(bool checked)
{
    frameToggled(4, checked);
}

void WmOrloRsLw::on_checkBox_Frame5_Master_toggled(bool checked)
{
    frameToggled(5, checked);
}

void WmOrloRsLw::on_checkBox_Frame6_Master_toggled(bool checked)
{
    frameToggled(6, checked);
}

void WmOrloRsLw::frameToggled(int number, bool checked)
{
    modbus::chainToggled(chain(), number - 1, checked);
}

void WmOrloRsLw::on_radioButton_RS232_toggled(bool)
{
    modbus::setSerialFormatFree(serialFormat(), false);
}
