// Radio and serial bridge page through a simulated module: each role read
// and written back, the Modbus frame chain, the features a firmware version
// unlocks, the Master tab refusal, Default, no exchange inside a write, and
// a file written right after plugging (the gateway's too).
#include "app/configfiles.h"
#include "link/records/configrecord.h"
#include "sim/firmware.h"
#include "pages/bridgepage.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"
#include "widgets/wdradio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace testing;

namespace {

constexpr std::uint16_t kRS = 0x02B1;
constexpr std::uint16_t kRpt = 0x0302;
constexpr const char *kPage = "page_ORLO_RS_r00";

// Payload of 40 bytes from frame bytes 1.. (frame byte n is offset n - 1).
sim::Bytes record(std::initializer_list<int> frameBytes)
{
    sim::Bytes r(40, 0);
    std::size_t i = 0;
    for (int b : frameBytes)
        r[i++] = std::uint8_t(b);
    return r;
}

// The record as the module gets it back: command 1 in front.
sim::Bytes asWritten(sim::Bytes r)
{
    r[0] = 1;
    return r;
}

template <typename W>
W *on(const MainWindow &window, const QString &name)
{
    return child<W>(window, (name + QStringLiteral("_ORLO_RS_r00")).toLatin1().constData());
}

void click(QAbstractButton *button)
{
    const bool indicator = qobject_cast<QRadioButton *>(button) || qobject_cast<QCheckBox *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, indicator ? QPoint(6, button->height() / 2) : QPoint());
}

// Master polling six frames, RS485 at 115200, 23 h 60, timeout 25.0 s,
// Read Inputs Registers.
const sim::Bytes kMaster = record({0, 2, 1, 7, 23, 60, 250,
                                   1, 0x34, 0x12, 4,  2, 0x01, 0x00, 3,  3, 0xFF, 0xFF, 1,
                                   4, 0x00, 0x01, 2,  5, 0x10, 0x20, 4,  255, 0x02, 0x00, 1,
                                   1});

} // namespace

class PageRsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eachRoleReadAndWrittenBack_data();
    void eachRoleReadAndWrittenBack();
    void masterShowsItsFrames();
    void slaveAndBridgeShown();
    void userEditsReachTheFrame();
    void frameChainCascades();
    void unlocksByVersion_data();
    void unlocksByVersion();
    void informationAfterItsDelayThenOnce();
    void masterTabRefused();
    void serialFormatRules();
    void energySavingAndCompatibility();
    void defaultRestoresAndReadsAgain();
    void noExchangeInsideAWrite();
    void failedWriteShowsEchec();
    void failedInformationTriedAgain();
    void unplugTearsThePageDown();
    void anyStoredBytes();
    void fileWrittenRightAfterPlugging_data();
    void fileWrittenRightAfterPlugging();

private:
    sim::Module &plug(const sim::Bytes &stored, std::uint32_t id = 0x00C0FFEE, const std::string &version = "2.3")
    {
        return plugAndShow(*window, kRS, kPage, [&](sim::Module &m) {
            m.stored = stored;
            sim::setModuleInformation(m, id, version);
        });
    }
    // The module information exchange, without waiting for its timer.
    void askInformation()
    {
        QVERIFY(QMetaObject::invokeMethod(&family<BridgePage>(*window), "Update_RS_r00"));
        QVERIFY(settled(*window));
    }
    void write()
    {
        QTest::mouseClick(on<QPushButton>(*window, "pushButton_Configurer"), Qt::LeftButton);
        QVERIFY(settled(*window));
    }
    std::unique_ptr<MainWindow> window;
};

void PageRsTest::init()
{
    window = freshWindow();
}

void PageRsTest::cleanup()
{
    window.reset();
}

void PageRsTest::eachRoleReadAndWrittenBack_data()
{
    QTest::addColumn<sim::Bytes>("stored");
    QTest::addColumn<int>("tab");
    QTest::newRow("master, six frames") << kMaster << 0;
    QTest::newRow("master, frame 1 only") << record({0, 2, 0, 2, 0, 10, 1, 9, 0, 0, 1,
                                                     0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1})
                                            << 0;
    QTest::newRow("slave") << record({0, 0, 240, 1, 6, 2, 0x01, 0x2C, 0, 0, 0, 0xFF}) << 1;
    QTest::newRow("bridge sigfox, 7 even 2")
        << record({0, 1, 0, 0, 3, 4, 0x02, 0x0A, 0, 0, 12, 34, 0, 7, 3, 2}) << 2;
    QTest::newRow("bridge advanced, saving master, 8 none 1")
        << record({0, 1, 2, 1, 7, 2, 0x01, 0x2C, 0, 0, 1, 2, 2, 0, 0, 1}) << 2;
    QTest::newRow("bridge local, saving slave, 7 odd 1")
        << record({0, 1, 1, 0, 2, 2, 0x01, 0x2C, 0, 0, 5, 6, 1, 7, 1, 1}) << 2;
}

void PageRsTest::eachRoleReadAndWrittenBack()
{
    QFETCH(sim::Bytes, stored);
    QFETCH(int, tab);
    sim::Module &m = plug(stored);
    QCOMPARE(receivedCommands(m), QList<int>{2});
    QCOMPARE(on<QTabWidget>(*window, "tabWidget")->currentIndex(), tab);
    QVERIFY(on<QTabWidget>(*window, "tabWidget")->isVisible());
    m.received.clear();
    write();
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer")->text(), QStringLiteral("OK"));
    QCOMPARE(m.lastReceived(1), asWritten(stored));
}

void PageRsTest::masterShowsItsFrames()
{
    plug(kMaster);
    QVERIFY(on<QRadioButton>(*window, "radioButton_RS485_Master")->isChecked());
    QCOMPARE(on<QComboBox>(*window, "comboBox_baudrate_Master")->currentText(), QStringLiteral("115200"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_Heur_Master")->currentText(), QStringLiteral("23"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_Min_Master")->currentIndex(), 5);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Timeout_Master")->value(), 25.0);
    QCOMPARE(on<QComboBox>(*window, "comboBox_codeFunction_Master")->currentIndex(), 1);
    for (int n = 1; n <= 6; ++n) {
        const QString f = QString::number(n);
        QVERIFY(on<QCheckBox>(*window, "checkBox_Frame" + f + "_Master")->isChecked());
        QVERIFY(on<QSpinBox>(*window, "spinBox_Device" + f + "_Master")->isEnabled());
    }
    QCOMPARE(on<QSpinBox>(*window, "spinBox_Register1_Master")->value(), 0x1234);
    QCOMPARE(on<QSpinBox>(*window, "spinBox_Device6_Master")->value(), 255);
    QCOMPARE(on<QSpinBox>(*window, "spinBox_Length5_Master")->value(), 4);
}

void PageRsTest::slaveAndBridgeShown()
{
    sim::Module &m = plug(record({0, 0, 17, 1, 3, 2, 0x01, 0x2C, 0, 0, 0, 0xFF}));
    QCOMPARE(on<QSpinBox>(*window, "spinBox_addressModem_Slave")->value(), 17);
    QVERIFY(on<QRadioButton>(*window, "radioButton_RS485_Slave")->isChecked());
    QCOMPARE(on<QComboBox>(*window, "comboBox_baudrate_Slave")->currentText(), QStringLiteral("9600"));
    auto *slaveRadio = on<Wdradio>(*window, "wdradio_Slave");
    QCOMPARE(slaveRadio->baudCode(), 2);
    QCOMPARE(slaveRadio->channel(), 300);
    QCOMPARE(slaveRadio->modemAddress(), 0);
    QCOMPARE(slaveRadio->remoteAddress(), 255);

    m.stored = record({0, 1, 0, 0, 4, 4, 0x02, 0x0A, 0, 0, 12, 34, 2, 7, 3, 2});
    QVERIFY(QMetaObject::invokeMethod(&family<BridgePage>(*window), "EnablePageORLO_RS_r00", Q_ARG(bool, true)));
    QVERIFY(settled(*window));
    QCOMPARE(on<QTabWidget>(*window, "tabWidget")->currentIndex(), 2);
    QVERIFY(on<QRadioButton>(*window, "radioButton_modeSigfox_Bridge")->isChecked());
    QVERIFY(on<QRadioButton>(*window, "radioButton_modeSigfox_Bridge")->isEnabled());
    QVERIFY(on<QRadioButton>(*window, "radioButton_mod_low_power_master_Bridge")->isChecked());
    QVERIFY(on<QGroupBox>(*window, "groupBox_3_lowPoweMod")->isEnabled());
    QCOMPARE(on<QComboBox>(*window, "comboBox_baudrate_Bridge")->currentText(), QStringLiteral("19200"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_databit_Bridge")->currentText(), QStringLiteral("7 bits"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_parity_Bridge")->currentText(), QStringLiteral("Even parity"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_stopbit_Bridge")->currentText(), QStringLiteral("2 stop bits"));
    // The serial format stays locked until the firmware says it is supported.
    QVERIFY(!on<QComboBox>(*window, "comboBox_databit_Bridge")->isEnabled());
    auto *bridgeRadio = on<Wdradio>(*window, "wdradio_Bridge");
    QCOMPARE(bridgeRadio->channel(), 522);
    QCOMPARE(bridgeRadio->modemAddress(), 12);
    QCOMPARE(bridgeRadio->remoteAddress(), 34);
}

void PageRsTest::userEditsReachTheFrame()
{
    sim::Module &m = plug(record({0, 2, 0, 4, 0, 10, 1, 1, 0, 0, 1}));
    askInformation();
    for (int n = 2; n <= 6; ++n) {
        const QString f = QString::number(n);
        click(on<QCheckBox>(*window, "checkBox_Frame" + f + "_Master"));
        on<QSpinBox>(*window, "spinBox_Device" + f + "_Master")->setValue(10 * n);
        on<QSpinBox>(*window, "spinBox_Register" + f + "_Master")->setValue(0x0100 * n + 0x0A);
        on<QSpinBox>(*window, "spinBox_Length" + f + "_Master")->setValue(n % 4 + 1);
    }
    on<QComboBox>(*window, "comboBox_Min_Master")->setCurrentIndex(5);
    on<QComboBox>(*window, "comboBox_Heur_Master")->setCurrentIndex(7);
    on<QDoubleSpinBox>(*window, "doubleSpinBox_Timeout_Master")->setValue(2.3);
    // Unlocked by version 2.3.
    QVERIFY(on<QComboBox>(*window, "comboBox_codeFunction_Master")->isEnabled());
    on<QComboBox>(*window, "comboBox_codeFunction_Master")->setCurrentIndex(1);
    click(on<QRadioButton>(*window, "radioButton_RS485_Master"));
    write();
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f, record({1, 2, 1, 4, 7, 60, 23,
                        1, 0, 0, 1,  20, 0x0A, 0x02, 3,  30, 0x0A, 0x03, 4,
                        40, 0x0A, 0x04, 1,  50, 0x0A, 0x05, 2,  60, 0x0A, 0x06, 3,
                        1}));
}

void PageRsTest::frameChainCascades()
{
    sim::Module &m = plug(kMaster);
    auto box = [&](int n) { return on<QCheckBox>(*window, "checkBox_Frame" + QString::number(n) + "_Master"); };
    auto device = [&](int n) { return on<QSpinBox>(*window, "spinBox_Device" + QString::number(n) + "_Master"); };
    // Frame 1 is always on.
    click(box(1));
    QVERIFY(box(1)->isChecked());
    QVERIFY(box(2)->isEnabled());
    // Frame 3 off while 4 to 6 are on.
    click(box(3));
    for (int n = 3; n <= 6; ++n) {
        QVERIFY(!box(n)->isChecked());
        QVERIFY(!device(n)->isEnabled());
        QCOMPARE(device(n)->value(), 1);
        QCOMPARE(on<QSpinBox>(*window, "spinBox_Register" + QString::number(n) + "_Master")->value(), 0);
        QCOMPARE(on<QSpinBox>(*window, "spinBox_Length" + QString::number(n) + "_Master")->value(), 1);
        QCOMPARE(box(n)->isEnabled(), n == 3);
    }
    QVERIFY(box(2)->isChecked());
    write();
    const sim::Bytes f = m.lastReceived(1);
    // Device bytes of frames 3 to 6 (frame bytes 16, 20, 24, 28) are 0; their
    // register and length are still sent.
    for (int at : {16, 20, 24, 28}) {
        QCOMPARE(int(f[std::size_t(at - 1)]), 0);
        QCOMPARE(int(f[std::size_t(at + 2)]), 1);
    }
    QCOMPARE(int(f[11]), 2);
}

void PageRsTest::unlocksByVersion_data()
{
    QTest::addColumn<quint32>("id");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("unlocked");  // sigfox, energy saving, master, serial format, function code
    QTest::newRow("1.4") << 0x12345678u << "1.4" << "sw:v1.4 Sigfox id: 0x12345678" << "10000";
    QTest::newRow("1.5") << 0x12345678u << "1.5" << "sw:v1.5 Sigfox id: 0x12345678" << "11000";
    QTest::newRow("1.6") << 0xABCDEFu << "1.6" << "sw:v1.6 Sigfox id: 0xabcdef" << "11100";
    QTest::newRow("1.9") << 0xABCDEFu << "1.9" << "sw:v1.9 Sigfox id: 0xabcdef" << "11110";
    QTest::newRow("2.3, no identifier") << 0xFFFFFFFFu << "2.3" << "sw:v2.3" << "01111";
    QTest::newRow("identifier 0") << 0u << "2.3" << "sw:v2.3 Sigfox id: 0x0" << "01111";
    QTest::newRow("not a number") << 0x1u << "V2.x" << "sw:vV2.x Sigfox id: 0x1" << "10000";
    // No terminating zero: the text ends with the answer.
    QTest::newRow("unterminated")
        << 0x1u << std::string(34, '9').c_str() << "sw:v" + QString(34, QLatin1Char('9')) + " Sigfox id: 0x1"
        << "11111";
}

void PageRsTest::unlocksByVersion()
{
    QFETCH(quint32, id);
    QFETCH(QString, version);
    // A bridge record on RS232: the serial format follows the firmware.
    plug(record({0, 1, 1, 0, 4, 4, 0x02, 0x0A, 0, 0, 1, 2, 0, 0, 0, 1}), id, version.toStdString());
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    askInformation();
    QTEST(window->statusBar()->currentMessage(), "status");
    auto *tabs = on<QTabWidget>(*window, "tabWidget");
    tabs->setCurrentIndex(0);
    const QString unlocked = QString::number(int(on<QRadioButton>(*window, "radioButton_modeSigfox_Bridge")->isEnabled()))
        + QString::number(int(on<QGroupBox>(*window, "groupBox_3_lowPoweMod")->isEnabled()))
        + QString::number(int(tabs->currentIndex() == 0))
        + QString::number(int(on<QComboBox>(*window, "comboBox_parity_Bridge")->isEnabled()))
        + QString::number(int(on<QComboBox>(*window, "comboBox_codeFunction_Master")->isEnabled()));
    QTEST(unlocked, "unlocked");
    for (QMessageBox *box : window->findChildren<QMessageBox *>())
        box->close();
}

void PageRsTest::informationAfterItsDelayThenOnce()
{
    sim::Module &m = plug(kMaster, 0x00C0FFEE, "1.9");
    auto *timer = child<QTimer>(*window, "informationTimer_ORLO_RS_r00");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 3500);
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(), QStringLiteral("sw:v1.9 Sigfox id: 0xc0ffee"),
                              8000);
    QCOMPARE(receivedCommands(m), (QList<int>{2, 3}));
    QVERIFY(!timer->isActive());
}

void PageRsTest::masterTabRefused()
{
    plug(record({0, 0, 1, 0, 4, 2, 0x01, 0x2C}), 1, "1.5");
    askInformation();
    auto *tabs = on<QTabWidget>(*window, "tabWidget");
    tabs->setCurrentIndex(2);
    tabs->setCurrentIndex(0);
    QCOMPARE(tabs->currentIndex(), 2);
    const QList<QMessageBox *> boxes = window->findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 1);
    QMessageBox *box = boxes.front();
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QCOMPARE(box->text(), QStringLiteral("The master mode is not suported by your Orlo!"));
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    box->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(window->findChildren<QMessageBox *>().isEmpty());
    // The Slave tab is free.
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentIndex(), 1);
}

void PageRsTest::serialFormatRules()
{
    plug(record({0, 1, 1, 1, 4, 4, 0x02, 0x0A, 0, 0, 1, 2, 0, 7, 3, 2}), 1, "1.9");
    auto *dataBits = on<QComboBox>(*window, "comboBox_databit_Bridge");
    auto *parity = on<QComboBox>(*window, "comboBox_parity_Bridge");
    auto *stopBits = on<QComboBox>(*window, "comboBox_stopbit_Bridge");
    // Shown as stored, locked until the firmware is known.
    QCOMPARE(dataBits->currentText(), QStringLiteral("7 bits"));
    QCOMPARE(parity->currentText(), QStringLiteral("Even parity"));
    QCOMPARE(stopBits->currentText(), QStringLiteral("2 stop bits"));
    QVERIFY(!dataBits->isEnabled());
    askInformation();
    QVERIFY(!parity->isEnabled());
    click(on<QRadioButton>(*window, "radioButton_RS232_Bridge"));
    QVERIFY(dataBits->isEnabled() && parity->isEnabled() && stopBits->isEnabled());
    // Seven data bits always carry a parity.
    dataBits->setCurrentIndex(0);
    QCOMPARE(parity->count(), 2);
    QCOMPARE(parity->currentText(), QStringLiteral("Odd parity"));
    dataBits->setCurrentIndex(1);
    QCOMPARE(parity->count(), 3);
    QCOMPARE(parity->currentIndex(), 2);
    dataBits->setCurrentIndex(0);
    stopBits->setCurrentIndex(1);
    // RS485 forces 8 bits, no parity, 1 stop bit.
    click(on<QRadioButton>(*window, "radioButton_RS485_Bridge"));
    QCOMPARE(dataBits->currentIndex(), 1);
    QCOMPARE(parity->currentText(), QStringLiteral("No parity"));
    QCOMPARE(stopBits->currentIndex(), 0);
    QVERIFY(!dataBits->isEnabled() && !parity->isEnabled() && !stopBits->isEnabled());
}

void PageRsTest::energySavingAndCompatibility()
{
    plug(record({0, 1, 0, 0, 4, 4, 0x02, 0x0A, 0, 0, 1, 2, 0, 0, 0, 1}), 1, "1.5");
    askInformation();
    auto *compat = child<QCheckBox>(*on<Wdradio>(*window, "wdradio_Bridge"), "_checkBoxCompatibility");
    QVERIFY(compat->isEnabled());
    compat->setChecked(true);
    click(on<QRadioButton>(*window, "radioButton_mod_low_power_master_Bridge"));
    QVERIFY(!compat->isEnabled());
    QVERIFY(!compat->isChecked());
    click(on<QRadioButton>(*window, "radioButton_mod_low_power_disable_Bridge"));
    QVERIFY(compat->isEnabled());
    click(on<QRadioButton>(*window, "radioButton_mod_low_power_slave_Bridge"));
    QVERIFY(!compat->isEnabled());
}

void PageRsTest::defaultRestoresAndReadsAgain()
{
    sim::Module &m = plug(kMaster);
    askInformation();
    m.received.clear();
    QTest::mouseClick(on<QPushButton>(*window, "pushButton_DefaultConfiguration"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QCOMPARE(receivedCommands(m), (QList<int>{5, 2}));
    // The module's defaults: a slave record.
    QCOMPARE(on<QTabWidget>(*window, "tabWidget")->currentIndex(), 1);
    QCOMPARE(on<QComboBox>(*window, "comboBox_codeFunction_Master")->currentIndex(), 0);
    QVERIFY(!on<QComboBox>(*window, "comboBox_codeFunction_Master")->isEnabled());
    QVERIFY(!on<QCheckBox>(*window, "checkBox_Frame2_Master")->isChecked());
    // The whole enable sequence again, module information included.
    QVERIFY(child<QTimer>(*window, "informationTimer_ORLO_RS_r00")->isActive());
    // A restore that fails says so and reads nothing.
    m.received.clear();
    m.writeResult = 0;
    QTest::mouseClick(on<QPushButton>(*window, "pushButton_DefaultConfiguration"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QVERIFY(m.received.empty());
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer")->text(), QStringLiteral("Echec"));
}

void PageRsTest::noExchangeInsideAWrite()
{
    sim::Module &m = plug(kMaster);
    auto *timer = child<QTimer>(*window, "informationTimer_ORLO_RS_r00");
    auto *defaults = on<QPushButton>(*window, "pushButton_DefaultConfiguration");
    m.answerDelayMs = 600;
    m.received.clear();
    bool timerPaused = false;
    QTimer::singleShot(200, [&] {
        timerPaused = !timer->isActive();
        // Still enabled, but a press while the answer is awaited does nothing.
        QTest::mouseClick(defaults, Qt::LeftButton);
        QMetaObject::invokeMethod(&family<BridgePage>(*window), "Update_RS_r00");
    });
    write();
    QVERIFY(timerPaused);
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer")->text(), QStringLiteral("OK"));
    QCOMPARE(receivedCommands(m), QList<int>{1});
    // Resumed after the cycle: it was running before.
    QVERIFY(timer->isActive());
    QVERIFY(child<QTimer>(*window, "pollTimer")->isActive());
}

void PageRsTest::failedWriteShowsEchec()
{
    sim::Module &m = plug(kMaster);
    m.writeStatus = 1;
    write();
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer")->text(), QStringLiteral("Echec"));
    QVERIFY(on<QPushButton>(*window, "pushButton_Configurer")->isEnabled());
}

void PageRsTest::failedInformationTriedAgain()
{
    sim::Module &m = plug(kMaster);
    m.writeResult = 0;
    askInformation();
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(child<QTimer>(*window, "informationTimer_ORLO_RS_r00")->isActive());
    QVERIFY(!on<QComboBox>(*window, "comboBox_codeFunction_Master")->isEnabled());
    m.writeResult = 9;
    askInformation();
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v2.3 Sigfox id: 0xc0ffee"));
    QVERIFY(on<QComboBox>(*window, "comboBox_codeFunction_Master")->isEnabled());
}

void PageRsTest::unplugTearsThePageDown()
{
    sim::Module &m = plug(kMaster);
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
    QVERIFY(window->findChild<QTimer *>(QStringLiteral("informationTimer_ORLO_RS_r00")) == nullptr);
    QVERIFY(!on<QTabWidget>(*window, "tabWidget")->isVisibleTo(on<QWidget>(*window, "page")));
}

void PageRsTest::anyStoredBytes()
{
    sim::Module &m = plug(kMaster);
    const QStringList lists{"comboBox_baudrate_Master", "comboBox_Heur_Master", "comboBox_Min_Master",
                            "comboBox_codeFunction_Master", "comboBox_baudrate_Slave", "comboBox_baudrate_Bridge",
                            "comboBox_databit_Bridge", "comboBox_parity_Bridge", "comboBox_stopbit_Bridge"};
    for (int role = 0; role <= 3; ++role) {
        // Each field's edges, and bytes beyond them.
        for (int v : {0, 1, 2, 4, 7, 8, 10, 15, 23, 24, 60, 70, 128, 250, 251, 255}) {
            m.stored.assign(40, std::uint8_t(v));
            m.stored[1] = std::uint8_t(role);
            sim::setModuleInformation(m, quint32(v) * 0x01010101u, std::string(40, char(v | 1)));
            QVERIFY(QMetaObject::invokeMethod(&family<BridgePage>(*window), "EnablePageORLO_RS_r00", Q_ARG(bool, true)));
            QVERIFY(settled(*window));
            askInformation();
            for (const QString &name : lists) {
                auto *list = on<QComboBox>(*window, name);
                QVERIFY2(list->currentIndex() >= -1 && list->currentIndex() < list->count(), qPrintable(name));
            }
            // Shown values are held to their ranges, and a value nothing shows
            // leaves its list empty for the user to choose.
            const bool master = role == 2;
            if (master) {
                QCOMPARE(on<QComboBox>(*window, "comboBox_Heur_Master")->currentIndex(), v <= 23 ? v : -1);
                const bool minuteShown = v >= 10 && v <= 60 && v % 10 == 0;
                QCOMPARE(on<QComboBox>(*window, "comboBox_Min_Master")->currentIndex(), minuteShown ? v / 10 - 1 : -1);
                QCOMPARE(on<QSpinBox>(*window, "spinBox_Length1_Master")->value(), qBound(1, v, 4));
                QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Timeout_Master")->value(),
                         qBound(1, v, 250) / 10.0);
            }
            if (role <= 2) {
                const char *speed = role == 2 ? "comboBox_baudrate_Master" : role == 0 ? "comboBox_baudrate_Slave"
                                                                                       : "comboBox_baudrate_Bridge";
                QCOMPARE(on<QComboBox>(*window, speed)->currentIndex(), v >= 2 && v <= 7 ? v - 2 : -1);
            }
            for (QMessageBox *box : window->findChildren<QMessageBox *>())
                box->close();
            // What is written back is held to every field's range; a list
            // showing nothing sends its stored byte back.
            if (role <= 2) {
                m.received.clear();
                write();
                const sim::Bytes f = m.lastReceived(1);
                QCOMPARE(int(f.size()), 40);
                if (master) {
                    QCOMPARE(int(f[3]), v);
                    QCOMPARE(int(f[4]), v);
                    QCOMPARE(int(f[5]), v);
                    QVERIFY(f[6] >= 1 && f[6] <= 250);
                    QVERIFY(f[10] >= 1 && f[10] <= 4);
                }
            }
        }
    }
}

void PageRsTest::fileWrittenRightAfterPlugging_data()
{
    QTest::addColumn<int>("productId");
    QTest::addColumn<sim::Bytes>("file");
    QTest::addColumn<bool>("writeAtOnce");  // pressed before the page asked by itself
    QTest::newRow("RS_r00 Master, asked once opened") << int(kRS) << asWritten(kMaster) << false;
    QTest::newRow("RS_r00 Master, asked by Write") << int(kRS) << asWritten(kMaster) << true;
    // The SF8 mode with its own radio settings, checked against the gateway's identifier.
    QTest::newRow("RPT_r00 SF8, asked by Write")
        << int(kRpt) << record({1, 2, 0, 29, 9, 50, 1, 0x12, 0x34, 0x56, 0x78}) << true;
}

void PageRsTest::fileWrittenRightAfterPlugging()
{
    QFETCH(int, productId);
    QFETCH(sim::Bytes, file);
    QFETCH(bool, writeAtOnce);
    const QTemporaryDir dir;
    QFile saved(dir.filePath(QStringLiteral("module.json")));
    QVERIFY(saved.open(QIODevice::WriteOnly));
    QVERIFY(saved.write(orlo::records::documentOf(productId, file.data(), QDateTime::currentDateTime())) > 0);
    saved.close();
    const DialogCloser closer;
    sim::Module &m = sim::Bench::instance().plug(std::uint16_t(productId));
    sim::setModuleInformation(m, 0x00C0FFEE, "2.3");
    QVERIFY(waitForPage(*window));
    QVERIFY(settled(*window));
    m.received.clear();
    QVERIFY(window->findChild<ConfigurationFiles *>()->openFrom(saved.fileName()));
    // Well before the page's own information timer (3.5 s).
    if (!writeAtOnce)
        QTRY_VERIFY_WITH_TIMEOUT(receivedCommands(m).contains(3), 2500);
    QVERIFY(settled(*window));
    configureButton(shownPage(*window))->click();
    QTRY_COMPARE_WITH_TIMEOUT(resultLabel(shownPage(*window))->text(), QStringLiteral("OK"), 5000);
    QCOMPARE(closer.closed(), 0);
    QCOMPARE(receivedCommands(m), (QList<int>{2, 3, 1}));
    QCOMPARE(m.lastReceived(1), file);
}

ORLO_TEST_MAIN(PageRsTest)
#include "tst_page_rs.moc"
