// Mirror pages through a simulated module: the tab and values each stored
// role shows, the bytes each tab writes, the refusals, Default, the counters.
#include "link/clockstamp.h"
#include "link/modulelink.h"
#include "pages/mirrorpages.h"
#include "support/fixture.h"
#include "sim/firmware.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTabWidget>

using namespace testing;

namespace {

constexpr std::uint16_t kIOD = 0x0390;
constexpr std::uint16_t kLoRa = 0x0344;
constexpr std::uint16_t kDI2 = 0x0372;
// Payload offsets of the configuration fields (frame bytes 10 .. 19).
constexpr int kFields = 9;
constexpr int kFieldCount = 10;
constexpr int kCounters = 19;

QString suffixOf(std::uint16_t id)
{
    return id == kIOD ? "IOD_PS_r20" : id == kLoRa ? "ORLO_DIO_LoRa" : "DI2_868_r_10";
}

QByteArray pageOf(std::uint16_t id)
{
    return ("page_" + suffixOf(id)).toLatin1();
}

sim::Bytes record(std::uint16_t id, const QByteArray &fields, quint32 c1 = 0, quint32 c2 = 0)
{
    sim::Bytes r(id == kDI2 ? 32 : 24, 0);
    for (int i = 0; i < fields.size(); ++i)
        r[std::size_t(kFields + i)] = quint8(fields[i]);
    if (id == kDI2)
        for (int i = 0; i < 4; ++i) {
            r[std::size_t(kCounters + i)] = quint8(c1 >> (8 * i));
            r[std::size_t(kCounters + 4 + i)] = quint8(c2 >> (8 * i));
        }
    return r;
}

QByteArray fieldsOf(const sim::Bytes &frame)
{
    QByteArray out;
    for (int i = 0; i < kFieldCount; ++i)
        out.append(char(frame.at(std::size_t(kFields + i))));
    return out;
}

bool showsIcon(const QPushButton *button, const char *resource)
{
    if (!resource)
        return button->icon().isNull();
    return !button->icon().isNull()
        && button->icon().pixmap(32).toImage() == QIcon(QString::fromLatin1(resource)).pixmap(32).toImage();
}

const char *const kRising = ":/MainWindow/img/ORLO_DI/rising_edge_32px";
const char *const kFalling = ":/MainWindow/img/ORLO_DI/falling_edge_32px";
const char *const kBoth = ":/MainWindow/img/ORLO_DI/both_edges_32px";

// Radio buttons take clicks on their indicator.
void click(QAbstractButton *button)
{
    const bool indicator = qobject_cast<QRadioButton *>(button) != nullptr;
    QTest::mouseClick(button, Qt::LeftButton, {}, indicator ? QPoint(6, button->height() / 2) : QPoint());
}

// A checkable group box toggled from the keyboard, as a user may.
void toggle(QGroupBox *box)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

const QString kHead = "INVALID CONFIGURATION.\n\n";
const QString kHour = "\tMeter reading hour time is not set.\n";
const QString kMinute = "\tMeter reading minute time is not set.\n";
const QString kFootWrite = "\nTo continue, click \"OK\", enter a valid configuration\nand click again on \"Write\"\n";
const QString kFootConfigurer
    = "\nTo continue, click \"OK\", enter a valid configuration\nand click again on \"Configurer\"\n";

} // namespace

class PageMirrorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void eachRoleReadAndWritten_data();
    void eachRoleReadAndWritten();
    void masterTabShowsTheInputs_data();
    void masterTabShowsTheInputs();
    void editedMasterReachesTheFrame();
    void meterReadingMinuteRules();
    void refusals_data();
    void refusals();
    void defaultRestoresAndShows_data();
    void defaultRestoresAndShows();
    void refusedOrSilentDefaultChangesNothing();
    void noExchangeInsideAnother_data();
    void noExchangeInsideAnother();
    void operatingModeShowsOneAddress();
    void countersReadAgain();
    void storedBytesTheListsLack();
    void anyStoredBytes();
    void loRaWriteBarTurnsSlower();

private:
    template <typename W>
    W *w(std::uint16_t id, const char *stem)
    {
        return child<W>(*window, (stem + suffixOf(id)).toLatin1().constData());
    }
    void write(std::uint16_t id, const QString &expected = "OK");

    std::unique_ptr<MainWindow> window;
};

void PageMirrorTest::init()
{
    window = freshWindow();
    orlo::setClockForTesting([] { return QDateTime(QDate(2026, 12, 7), QTime(4, 5, 9)); });
}

void PageMirrorTest::write(std::uint16_t id, const QString &expected)
{
    QTest::mouseClick(w<QPushButton>(id, "pushButton_Configurer_"), Qt::LeftButton);
    QTRY_COMPARE(w<QLabel>(id, "label_Resultat_configurer_")->text(), expected);
}

void PageMirrorTest::eachRoleReadAndWritten_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("stored");     // frame bytes 10 .. 19
    QTest::addColumn<int>("tab");
    QTest::addColumn<QByteArray>("sent");
    const auto b = [](const char *hex) { return QByteArray::fromHex(hex); };
    // mode inputs minute hour channel(2) speed remote modem time-out
    QTest::newRow("IOD slave, compatibility") << int(kIOD) << b("200000000500" "0b090704") << 0
                                              << b("20dd00000500" "0b000704");
    QTest::newRow("IOD master") << int(kIOD) << b("019d28172c01" "04c8110a") << 1 << b("019d28172c01" "04c8110a");
    QTest::newRow("IOD master mirror") << int(kIOD) << b("03ff00000a02" "030c2205") << 2
                                       << b("030000000a02" "030c0005");
    QTest::newRow("IOD slave mirror") << int(kIOD) << b("02000000ff00" "050c2201") << 2
                                      << b("02000000ff00" "05002201");
    QTest::newRow("LoRa slave, slow rate") << int(kLoRa) << b("000000000c00" "02000903") << 0
                                           << b("00dd00000c00" "02000903");
    QTest::newRow("LoRa master") << int(kLoRa) << b("01370a001a00" "06040500") << 1 << b("01370a001a00" "06040500");
    QTest::newRow("LoRa mirror, mode bit 5 dropped") << int(kLoRa) << b("230000001400" "05080901") << 2
                                                     << b("030000001400" "05080001");
    QTest::newRow("DI2 slave, no time-out") << int(kDI2) << b("000000000a02" "0803c807") << 0
                                            << b("00dd00000a02" "0800c800");
    QTest::newRow("DI2 master, compatibility") << int(kDI2) << b("210400180500" "0afe0100") << 1
                                               << b("210400180500" "0afe0100");
}

void PageMirrorTest::eachRoleReadAndWritten()
{
    QFETCH(int, id);
    QFETCH(QByteArray, stored);
    QFETCH(int, tab);
    QFETCH(QByteArray, sent);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type),
                                 [&](sim::Module &mod) { mod.stored = record(type, stored); });
    QCOMPARE(receivedCommands(m), QList<int>{2});
    QCOMPARE(w<QTabWidget>(type, "tabWidget_")->currentIndex(), tab);
    QVERIFY(w<QTabWidget>(type, "tabWidget_")->isVisible());
    QVERIFY(w<QFrame>(type, "frame_Configurer_")->isVisible());
    QCOMPARE(w<QTabWidget>(type, "tabWidget_")->styleSheet(), QString("QTabWidget,QTabWidget::pane,QTabBar"));
    write(type);
    const sim::Bytes frame = m.lastReceived(1);
    QCOMPARE(int(frame.size()), type == kDI2 ? 32 : 24);
    const quint8 stamp[] = {0x26, 0x00, 0x07, 0x12, 0x04, 0x00, 0x09, 0x05};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(frame[std::size_t(1 + i)], stamp[i]);
    QCOMPARE(fieldsOf(frame).toHex(), sent.toHex());
    for (std::size_t i = kFields + kFieldCount; i < frame.size(); ++i)
        QCOMPARE(int(frame[i]), 0);
    QCOMPARE(w<QProgressBar>(type, "progressBar_Configurer_")->value(), 0);
    QVERIFY(w<QPushButton>(type, "pushButton_Configurer_")->isEnabled());
}

void PageMirrorTest::masterTabShowsTheInputs_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<bool>("showsCounters");
    QTest::newRow("IOD") << int(kIOD) << 0x17 << false;
    QTest::newRow("LoRa") << int(kLoRa) << 0x17 << false;
    QTest::newRow("DI2") << int(kDI2) << 0x17 << true;
}

void PageMirrorTest::masterTabShowsTheInputs()
{
    QFETCH(int, id);
    QFETCH(int, inputs);
    QFETCH(bool, showsCounters);
    const auto type = std::uint16_t(id);
    // Input 1 in use as a counter (edge 1 kept), input 2 in use, digital, edge 0.
    QByteArray fields = QByteArray::fromHex("0100001400000401020a");
    fields[1] = char(inputs);
    plugAndShow(*window, type, pageOf(type),
                [&](sim::Module &mod) { mod.stored = record(type, fields, 0xFFFFFFFFu, 7); });
    QCOMPARE(w<QComboBox>(type, "comboBox_heures_releve_compteur_Master_")->currentText(), QString("20"));
    QCOMPARE(w<QComboBox>(type, "comboBox_minutes_releve_compteur_Master_")->currentText(), QString("00"));
    QVERIFY(w<QGroupBox>(type, "groupBox_Entree1_Master_")->isChecked());
    QVERIFY(w<QGroupBox>(type, "groupBox_Entree2_Master_")->isChecked());
    QVERIFY(w<QRadioButton>(type, "radioButton_Compteur1_Master_")->isChecked());
    QVERIFY(w<QRadioButton>(type, "radioButton_Entree_numerique2_Master_")->isChecked());
    auto *edge1 = w<QPushButton>(type, "pushButton_Front_entree_numerique1_Master_");
    auto *edge2 = w<QPushButton>(type, "pushButton_Front_entree_numerique2_Master_");
    QVERIFY(!edge1->isVisible());
    QVERIFY(edge2->isVisible());
    // Edge 0 as stored: no icon, or both edges on DI2_868_r_10.
    QVERIFY(showsIcon(edge2, showsCounters ? kBoth : nullptr));
    auto *value1 = w<QLabel>(type, "label_index_compteur1_Master_");
    auto *value2 = w<QLabel>(type, "label_index_compteur2_Master_");
    QCOMPARE(value1->isVisible(), showsCounters);
    QVERIFY(!value2->isVisible());
    if (showsCounters)
        QCOMPARE(value1->text(), QString("4294967295"));
    QCOMPARE(value1->toolTip(), QString("Last stored value"));

    // Edge button: rising, falling, both, rising.
    const char *const cycle[] = {kRising, kFalling, kBoth, kRising};
    for (const char *icon : cycle) {
        click(edge2);
        QVERIFY(showsIcon(edge2, icon));
    }
    // Mode and group rules.
    click(w<QRadioButton>(type, "radioButton_Entree_numerique1_Master_"));
    QVERIFY(edge1->isVisible());
    QVERIFY(!value1->isVisible());
    click(w<QRadioButton>(type, "radioButton_Compteur2_Master_"));
    QVERIFY(!edge2->isVisible());
    QCOMPARE(value2->isVisible(), showsCounters);
    if (showsCounters)
        QCOMPARE(value2->text(), QString("7"));
    auto *box1 = w<QGroupBox>(type, "groupBox_Entree1_Master_");
    toggle(box1);
    QVERIFY(!box1->isChecked());
    QVERIFY(!edge1->isEnabled());
    QVERIFY(!w<QRadioButton>(type, "radioButton_Compteur1_Master_")->isEnabled());
}

void PageMirrorTest::editedMasterReachesTheFrame()
{
    sim::Module &m = plugAndShow(*window, kIOD, pageOf(kIOD), [](sim::Module &mod) {
        mod.stored = record(kIOD, QByteArray::fromHex("01000001000004000000"));
    });
    // Input 1: counter; input 2: digital on falling edges (two clicks from rising).
    toggle(w<QGroupBox>(kIOD, "groupBox_Entree1_Master_"));
    click(w<QRadioButton>(kIOD, "radioButton_Compteur1_Master_"));
    toggle(w<QGroupBox>(kIOD, "groupBox_Entree2_Master_"));
    auto *edge2 = w<QPushButton>(kIOD, "pushButton_Front_entree_numerique2_Master_");
    click(edge2);
    click(edge2);
    w<QComboBox>(kIOD, "comboBox_heures_releve_compteur_Master_")->setCurrentIndex(25);
    w<QComboBox>(kIOD, "comboBox_minutes_releve_compteur_Master_")->setCurrentIndex(1);
    w<QSpinBox>(kIOD, "spinBox_adressRemote_Master_")->setValue(240);
    w<QSpinBox>(kIOD, "spinBox_TimeOut_Master_")->setValue(10);
    write(kIOD);
    // Edge 0 stored on input 1 goes back as 0; input 2: 0 -> 1 -> 2.
    QCOMPARE(fieldsOf(m.lastReceived(1)).toHex(), QByteArray("01930018000004f0000a"));
}

void PageMirrorTest::meterReadingMinuteRules()
{
    plugAndShow(*window, kDI2, pageOf(kDI2));
    auto *hours = w<QComboBox>(kDI2, "comboBox_heures_releve_compteur_Master_");
    auto *minutes = w<QComboBox>(kDI2, "comboBox_minutes_releve_compteur_Master_");
    QCOMPARE(hours->count(), 26);
    QCOMPARE(hours->maxVisibleItems(), 10);
    QCOMPARE(hours->itemText(0), QString("--"));
    QCOMPARE(hours->itemText(25), QString("24"));
    QCOMPARE(minutes->maxCount(), 7);
    const auto items = [minutes] {
        QStringList out;
        for (int i = 0; i < minutes->count(); ++i)
            out << minutes->itemText(i);
        return out.join(' ');
    };
    hours->setCurrentIndex(1);
    QCOMPARE(items(), QString("-- -- 10 20 30 40 50"));
    hours->setCurrentIndex(25);
    QCOMPARE(items(), QString("-- 00 -- -- -- -- --"));
    hours->setCurrentIndex(8);
    QCOMPARE(items(), QString("-- 00 10 20 30 40 50"));
}

void PageMirrorTest::refusals_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("hour");          // -1: as read
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("text");
    const auto b = [](const char *hex) { return QByteArray::fromHex(hex); };
    const QByteArray master = b("01000005000004000000");
    QTest::newRow("IOD no time") << int(kIOD) << master << 0 << 0
                                 << kHead + "Warning\n\n" + kHour + kMinute + kFootWrite;
    QTest::newRow("IOD 00:00") << int(kIOD) << master << 1 << 1 << kHead + "Warning\n\n" + kMinute + kFootWrite;
    QTest::newRow("IOD 24:10") << int(kIOD) << master << 25 << 2 << kHead + "Warning\n\n" + kMinute + kFootWrite;
    QTest::newRow("IOD mirror 1200") << int(kIOD) << b("020000000a02010000") << -1 << -1
                                     << kHead + "Warning\n\n\t1200,38400,57600,115200 is not available\n" + kFootWrite;
    QTest::newRow("IOD mirror 38400") << int(kIOD) << b("030000000a02060000") << -1 << -1
                                      << kHead + "Warning\n\n\t1200,38400,57600,115200 is not available\n" + kFootWrite;
    QTest::newRow("IOD mirror compatibility") << int(kIOD) << b("0300000005000a0000") << -1 << -1
                                              << kHead + "Warning\n\n\t1200,38400,57600,115200 is not available\n"
            + kFootWrite;
    QTest::newRow("LoRa no hour") << int(kLoRa) << master << 0 << 2 << kHead + kHour + kFootWrite;
    QTest::newRow("LoRa mirror 335") << int(kLoRa) << b("020000001700010000") << -1 << -1
                                     << kHead + "\tDatarate 183bps and 335bps are not available\n" + kFootWrite;
    QTest::newRow("LoRa mirror 183") << int(kLoRa) << b("030000001700000000") << -1 << -1
                                     << kHead + "\tDatarate 183bps and 335bps are not available\n" + kFootWrite;
    QTest::newRow("DI2 no time") << int(kDI2) << master << 0 << 0
                                 << kHead + "At least one time field of a sending is not configured.\n\n" + kHour
            + kMinute + kFootConfigurer;
}

void PageMirrorTest::refusals()
{
    QFETCH(int, id);
    QFETCH(QByteArray, stored);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, text);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type),
                                 [&](sim::Module &mod) { mod.stored = record(type, stored); });
    if (hour >= 0) {
        w<QComboBox>(type, "comboBox_heures_releve_compteur_Master_")->setCurrentIndex(hour);
        w<QComboBox>(type, "comboBox_minutes_releve_compteur_Master_")->setCurrentIndex(minute);
    }
    MessageBoxCatcher box;
    QTest::mouseClick(w<QPushButton>(type, "pushButton_Configurer_"), Qt::LeftButton);
    QTRY_VERIFY(box.seen);
    QCOMPARE(box.title, QString("Invalid configuration"));
    QCOMPARE(box.text, text);
    QCOMPARE(box.defaultButton, int(QMessageBox::Ok));
    QCOMPARE(w<QLabel>(type, "label_Resultat_configurer_")->text(), QString());
    QCOMPARE(receivedCommands(m), QList<int>{2});
}

void PageMirrorTest::defaultRestoresAndShows_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("masterModem");
    QTest::addColumn<int>("radioChannel");
    QTest::addColumn<QString>("radioRate");
    QTest::newRow("IOD") << int(kIOD) << 1 << 160 << "9600";
    // 160 is beyond the LoRa channels: held to the fast plan's last one.
    QTest::newRow("LoRa") << int(kLoRa) << 1 << 26 << "2511";
    QTest::newRow("DI2") << int(kDI2) << 2 << 160 << "9600";
}

void PageMirrorTest::defaultRestoresAndShows()
{
    QFETCH(int, id);
    QFETCH(int, masterModem);
    QFETCH(int, radioChannel);
    QFETCH(QString, radioRate);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) {
        mod.stored = record(type, QByteArray::fromHex("03000000010006999999"), 77, 88);
    });
    QTest::mouseClick(w<QPushButton>(type, "pushButton_DefaultConfiguration_"), Qt::LeftButton);
    QTRY_COMPARE(w<QLabel>(type, "label_Resultat_configurer_")->text(), QString("OK"));
    const sim::Bytes sent = m.lastReceived(5);
    QCOMPARE(int(sent.size()), type == kDI2 ? 32 : 24);
    QCOMPARE(int(std::count(sent.begin(), sent.end(), 0)), int(sent.size()) - 1);
    QCOMPARE(m.stored, m.defaults);
    QVERIFY(w<QPushButton>(type, "pushButton_DefaultConfiguration_")->isEnabled());

    QCOMPARE(w<QSpinBox>(type, "spinBox_adressModem_Slave_")->value(), 1);
    QCOMPARE(w<QSpinBox>(type, "spinBox_adressModem_Master_")->value(), masterModem);
    QCOMPARE(w<QSpinBox>(type, "spinBox_adressRemote_Master_")->value(), 1);
    QCOMPARE(w<QLabel>(type, "label_index_compteur1_Master_")->text(), QString("0"));
    QCOMPARE(w<QLabel>(type, "label_index_compteur2_Master_")->text(), QString("0"));
    auto *radio = w<QWidget>(type, "widget_radioParameter_Master_");
    QCOMPARE(child<QSpinBox>(*radio, "_spinBoxChannel")->value(), radioChannel);
    QCOMPARE(child<QComboBox>(*radio, "_comboBoxBaudrate")->currentText(), radioRate);
    if (type == kDI2) {
        auto *slaveRadio = w<QWidget>(type, "widget_radioParameter_Slave_");
        QCOMPARE(child<QSpinBox>(*slaveRadio, "_spinBoxChannel")->value(), 160);
        return;
    }
    QCOMPARE(w<QSpinBox>(type, "spinBox_TimeOut_Master_")->value(), 0);
    QCOMPARE(w<QSpinBox>(type, "spinBox_TimeOut_Mirror_")->value(), 0);
    QCOMPARE(w<QComboBox>(type, "comboBox_operatingMode_Mirror_")->currentIndex(), 0);
    QVERIFY(!w<QSpinBox>(type, "spinBox_adressModem_Mirror_")->isHidden());
    QVERIFY(w<QSpinBox>(type, "spinBox_adressRemote_Mirror_")->isHidden());
    QCOMPARE(w<QSpinBox>(type, "spinBox_adressModem_Mirror_")->value(), 1);
}

void PageMirrorTest::refusedOrSilentDefaultChangesNothing()
{
    sim::Module &m = plugAndShow(*window, kIOD, pageOf(kIOD));
    auto *modem = w<QSpinBox>(kIOD, "spinBox_adressModem_Master_");
    modem->setValue(33);
    m.writeStatus = 1;
    QTest::mouseClick(w<QPushButton>(kIOD, "pushButton_DefaultConfiguration_"), Qt::LeftButton);
    QTRY_COMPARE(w<QLabel>(kIOD, "label_Resultat_configurer_")->text(), QString("Echec"));
    QCOMPARE(modem->value(), 33);
    m.writeStatus = 0;
    m.answerReports = 2;
    QTest::mouseClick(w<QPushButton>(kIOD, "pushButton_DefaultConfiguration_"), Qt::LeftButton);
    QTRY_COMPARE(w<QLabel>(kIOD, "label_Resultat_configurer_")->text(), QString("Echec"));
    QCOMPARE(modem->value(), 33);
}

void PageMirrorTest::noExchangeInsideAnother_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("IOD Default during Write") << int(kIOD) << QByteArray("pushButton_Configurer_")
                                              << QByteArray("pushButton_DefaultConfiguration_");
    QTest::newRow("LoRa Write during Default") << int(kLoRa) << QByteArray("pushButton_DefaultConfiguration_")
                                               << QByteArray("pushButton_Configurer_");
    QTest::newRow("DI2 Default during Default") << int(kDI2) << QByteArray("pushButton_DefaultConfiguration_")
                                                << QByteArray("pushButton_DefaultConfiguration_");
}

void PageMirrorTest::noExchangeInsideAnother()
{
    QFETCH(int, id);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) {
        mod.stored = record(type, QByteArray::fromHex("00000000050004"));
    });
    m.answerDelayMs = 400;
    auto *press = w<QPushButton>(type, second.constData());
    bool pressed = false;
    QTimer::singleShot(100, press, [&] {
        if (press->isEnabled())
            QTest::mouseClick(press, Qt::LeftButton);
        // What a disabled button would not pass on reaches the slot all the same.
        emit press->clicked();
        pressed = true;
    });
    QTest::mouseClick(w<QPushButton>(type, first.constData()), Qt::LeftButton);
    QTRY_VERIFY(pressed);
    QTRY_COMPARE(w<QLabel>(type, "label_Resultat_configurer_")->text(), QString("OK"));
    const int command = first == "pushButton_Configurer_" ? 1 : 5;
    QCOMPARE(receivedCommands(m), (QList<int>{2, command}));
    // Nothing is left waiting either.
    QTest::qWait(100);
    QCOMPARE(int(m.received.size()), 2);
}

void PageMirrorTest::operatingModeShowsOneAddress()
{
    sim::Module &m = plugAndShow(*window, kLoRa, pageOf(kLoRa), [](sim::Module &mod) {
        mod.stored = record(kLoRa, QByteArray::fromHex("020000001400050c2201"));
    });
    auto *mode = w<QComboBox>(kLoRa, "comboBox_operatingMode_Mirror_");
    auto *modem = w<QSpinBox>(kLoRa, "spinBox_adressModem_Mirror_");
    auto *remote = w<QSpinBox>(kLoRa, "spinBox_adressRemote_Mirror_");
    QCOMPARE(mode->currentText(), QString("Slave mirror"));
    QCOMPARE(mode->count(), 2);
    QVERIFY(modem->isVisible() && w<QLabel>(kLoRa, "label_adressModem_Mirror_")->isVisible());
    QVERIFY(!remote->isVisible() && !w<QLabel>(kLoRa, "label_adressRemote_Mirror_")->isVisible());
    QCOMPARE(remote->value(), 0);
    QCOMPARE(modem->value(), 0x22);
    mode->setCurrentIndex(1);
    QVERIFY(!modem->isVisible() && remote->isVisible());
    QVERIFY(w<QLabel>(kLoRa, "label_adressRemote_Mirror_")->isVisible());
    remote->setValue(9);
    write(kLoRa);
    QCOMPARE(fieldsOf(m.lastReceived(1)).toHex(), QByteArray("03000000140005092201"));
}

void PageMirrorTest::countersReadAgain()
{
    sim::Module &m = plugAndShow(*window, kDI2, pageOf(kDI2));
    auto *value1 = w<QLabel>(kDI2, "label_index_compteur1_Master_");
    auto *value2 = w<QLabel>(kDI2, "label_index_compteur2_Master_");
    const QString before1 = value1->text();
    sim::advanceInputCounters(m, 5, 0xFFFFFFFFu);
    const quint32 c2 = value2->text().toUInt() - 1;
    family<MirrorPages>(*window).EnablePageDI2_868_r_10(true);
    QTRY_VERIFY(!window->transport()->busy());
    QCOMPARE(value1->text(), QString::number(before1.toUInt() + 5));
    QCOMPARE(value2->text(), QString::number(c2));
    // A written configuration leaves them running.
    write(kDI2);
    family<MirrorPages>(*window).EnablePageDI2_868_r_10(true);
    QTRY_VERIFY(!window->transport()->busy());
    QCOMPARE(value1->text(), QString::number(before1.toUInt() + 5));
}

void PageMirrorTest::storedBytesTheListsLack()
{
    // Speed codes the radio widget has no entry for go back as they were.
    sim::Module &m = plugAndShow(*window, kIOD, pageOf(kIOD), [](sim::Module &mod) {
        mod.stored = record(kIOD, QByteArray::fromHex("0000ff370a02000000"));
    });
    QCOMPARE(w<QComboBox>(kIOD, "comboBox_heures_releve_compteur_Master_")->currentIndex(), 0);
    QCOMPARE(w<QComboBox>(kIOD, "comboBox_minutes_releve_compteur_Master_")->currentIndex(), 0);
    write(kIOD);
    QCOMPARE(fieldsOf(m.lastReceived(1)).toHex(), QByteArray("00dd00000a0200000100"));
    sim::Bench::instance().unplug(m);
    sim::Module &lora = plugAndShow(*window, kLoRa, pageOf(kLoRa), [](sim::Module &mod) {
        mod.stored = record(kLoRa, QByteArray::fromHex("0000230014000900000a"));
    });
    QCOMPARE(w<QComboBox>(kLoRa, "comboBox_minutes_releve_compteur_Master_")->currentIndex(), 0);
    write(kLoRa);
    // Index 9 kept, no compatibility bit, modem held to the Slave's 1 .. 240.
    QCOMPARE(fieldsOf(lora.lastReceived(1)).toHex(), QByteArray("00dd00001400090001" "0a"));
}

void PageMirrorTest::anyStoredBytes()
{
    for (std::uint16_t type : {kIOD, kLoRa, kDI2}) {
        sim::Module &m = plugAndShow(*window, type, pageOf(type));
        auto *hours = w<QComboBox>(type, "comboBox_heures_releve_compteur_Master_");
        auto *minutes = w<QComboBox>(type, "comboBox_minutes_releve_compteur_Master_");
        QRandomGenerator random(type);
        for (int round = 0; round < 64; ++round) {
            for (std::uint8_t &byte : m.stored)
                byte = quint8(round == 0 ? 0xFF : random.bounded(256));
            QVERIFY(QMetaObject::invokeMethod(&family<MirrorPages>(*window),
                                              ("EnablePage" + suffixOf(type)).toLatin1().constData(), Q_ARG(bool, true)));
            QVERIFY(hours->currentIndex() >= 0 && minutes->currentIndex() >= 0);
            QCOMPARE(currentPage(*window), QString::fromLatin1(pageOf(type)));
        }
        sim::Bench::instance().unplug(m);
        QTRY_COMPARE(currentPage(*window), QString("page_Connect"));
        QVERIFY(w<QFrame>(type, "frame_Configurer_")->isHidden());
        QVERIFY(w<QTabWidget>(type, "tabWidget_")->isHidden());
    }
}

void PageMirrorTest::loRaWriteBarTurnsSlower()
{
    // Write on the LoRa page ticks every 50 ms: never more ticks than that
    // allows (a 30 ms tick would fill the bar about twice as fast).
    sim::Module &m = plugAndShow(*window, kLoRa, pageOf(kLoRa), [](sim::Module &mod) {
        mod.stored = record(kLoRa, QByteArray::fromHex("000000001400040000"));
    });
    m.answerDelayMs = 1000;
    auto *bar = w<QProgressBar>(kLoRa, "progressBar_Configurer_");
    int highest = 0;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, bar, [&] { highest = qMax(highest, bar->value()); });
    sampler.start(5);
    QElapsedTimer clock;
    clock.start();
    write(kLoRa);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(highest >= 1, "the bar turns while the module answers");
    // A coarse timer may fire up to 5 % early.
    QVERIFY2(highest <= int(elapsed / 47) + 1, qPrintable(QString("%1 ticks in %2 ms").arg(highest).arg(elapsed)));
}

ORLO_TEST_MAIN(PageMirrorTest)
#include "tst_page_mirror.moc"
