// LoRaWAN serial page through a simulated module: what it shows of the stored
// record and of the module information, the bytes the module receives, and
// that it never exchanges inside another exchange or with a module it lost.
#include "sim/firmware.h"
#include "support/fixture.h"
#include "widgets/wmorlorslw.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>

using namespace testing;

namespace {

constexpr std::uint16_t kRslw = 0x0354;
constexpr std::uint16_t kDI = 0x01C7;
const char *const kPage = "page_ORLO_RSLW_r00";

QByteArray bytesOf(const sim::Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

// A stored record: role, interface, speed, data bits, parity, stop bits,
// slave modem, hour, minute, timeout, six blocks, OTAA, function code.
QByteArray record(std::initializer_list<int> head, std::initializer_list<int> blocks, int otaa, int function)
{
    QByteArray r(40, '\0');
    int at = 1;
    for (int v : head)
        r[at++] = char(v);
    at = 11;
    for (int v : blocks)
        r[at++] = char(v);
    r[35] = char(otaa);
    r[36] = char(function);
    return r;
}

} // namespace

class PageRslwTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { window = freshWindow(); }
    void cleanup() { window.reset(); }
    void readShowsAndWritesBack_data();
    void readShowsAndWritesBack();
    void formAtStart();
    void storedBytesNoListShows();
    void frameChainAndInterface();
    void informationInStatusBar();
    void defaultRestoresAndRereads();
    void noNestedExchange();
    void nothingSentAfterRemoval();
    void anyStoredBytes();

private:
    WmOrloRsLw &page() const { return *child<WmOrloRsLw>(*window, "widget_orlo_rslw_r00"); }
    template <typename W>
    W *get(const char *name) const { return child<W>(page(), name); }
    std::unique_ptr<MainWindow> window;
};

void PageRslwTest::readShowsAndWritesBack_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("minuteItem");
    QTest::newRow("master, six frames")
        << record({0, 0, 5, 1, 2, 0, 1, 23, 60, 250},
                  {1, 0x10, 0x00, 16, 2, 0x20, 0x01, 2, 3, 0, 0, 3, 4, 0xFF, 0xFF, 4, 5, 1, 0, 5, 6, 2, 0, 6}, 1, 1)
        << 11;
    // The Slave tab is current; the Master fields are sent all the same.
    QTest::newRow("slave, RS485")
        << record({1, 1, 0, 1, 2, 0, 200, 4, 5, 1}, {9, 0x34, 0x12, 3, 0, 7, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, 0, 0)
        << 0;
    QTest::newRow("bridge") << record({2, 0, 3, 1, 2, 0, 1, 12, 30, 17}, {1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, 1, 0)
                            << 5;
}

void PageRslwTest::readShowsAndWritesBack()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, minuteItem);
    sim::Module &m = plugAndShow(*window, kRslw, kPage, [&](sim::Module &mod) {
        mod.stored.assign(stored.begin(), stored.end());
    });
    QVERIFY(settled(*window));
    QCOMPARE(get<QTabWidget>("tabWidget_ORLO_RSLW_r00")->currentIndex(), int(stored[1]));
    QCOMPARE(get<QRadioButton>("radioButton_RS485")->isChecked(), stored.at(2) != 0);
    QCOMPARE(get<QComboBox>("comboBox_baudrate")->currentIndex(), int(stored[3]));
    QCOMPARE(get<QSpinBox>("spinBox_addressModemSlave")->value(), int(quint8(stored[7])));
    QCOMPARE(get<QComboBox>("comboBox_Heur_Master")->currentIndex(), int(stored[8]));
    QCOMPARE(get<QComboBox>("comboBox_Min_Master")->currentIndex(), minuteItem);
    QCOMPARE(get<QDoubleSpinBox>("doubleSpinBox_Timeout_Master")->value(), quint8(stored[10]) / 10.0);
    for (int f = 2; f <= 6; ++f)
        QCOMPARE(get<QCheckBox>(qPrintable(QStringLiteral("checkBox_Frame%1_Master").arg(f)))->isChecked(),
                 stored.at(11 + 4 * (f - 1)) != 0);
    QCOMPARE(get<QCheckBox>("checkBox_otaa")->isChecked(), stored.at(35) != 0);
    QCOMPARE(get<QComboBox>("comboBox_codeFunction")->currentIndex(), int(stored[36]));

    QTest::mouseClick(get<QPushButton>("pushButton_Configurer"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QCOMPARE(get<QLabel>("label_Resultat_configurer")->text(), QStringLiteral("OK"));
    QByteArray expected = stored;
    expected[0] = 1;
    expected[9] = char((minuteItem + 1) * 5);
    QCOMPARE(bytesOf(m.lastReceived(1)), expected);
}

void PageRslwTest::formAtStart()
{
    plugAndShow(*window, kRslw, kPage);
    QVERIFY(settled(*window));
    auto items = [](const QComboBox *list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    QCOMPARE(items(get<QComboBox>("comboBox_Min_Master")),
             QString("5 10 15 20 25 30 35 40 45 50 55 60").split(QLatin1Char(' ')));
    QCOMPARE(get<QComboBox>("comboBox_Heur_Master")->count(), 24);
    for (const char *hidden : {"comboBox_databit", "comboBox_parity", "comboBox_stopbit"})
        QVERIFY(get<QComboBox>(hidden)->isHidden());
    QCOMPARE(get<QSpinBox>("spinBox_Length3_Master")->maximum(), 16);
    QCOMPARE(get<QSpinBox>("spinBox_addressModemSlave")->maximum(), 240);
    QCOMPARE(get<QDoubleSpinBox>("doubleSpinBox_Timeout_Master")->maximum(), 25.0);
    // The simulated module's record: frames 1 and 2 on, frame 3 free to add.
    QVERIFY(get<QCheckBox>("checkBox_Frame3_Master")->isEnabled());
    QVERIFY(!get<QCheckBox>("checkBox_Frame4_Master")->isEnabled());
    QVERIFY(!get<QSpinBox>("spinBox_Device3_Master")->isEnabled());
}

void PageRslwTest::storedBytesNoListShows()
{
    plugAndShow(*window, kRslw, kPage, [](sim::Module &mod) {
        const QByteArray r = record({7, 0, 9, 5, 5, 5, 0, 24, 0, 0}, {0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, 0, 9);
        mod.stored.assign(r.begin(), r.end());
    });
    QVERIFY(settled(*window));
    // Empty boxes, not invalid entries; values held to their ranges.
    for (const char *list : {"comboBox_baudrate", "comboBox_databit", "comboBox_parity", "comboBox_stopbit",
                             "comboBox_Heur_Master", "comboBox_Min_Master", "comboBox_codeFunction"})
        QVERIFY2(get<QComboBox>(list)->currentIndex() == -1, list);
    QCOMPARE(get<QTabWidget>("tabWidget_ORLO_RSLW_r00")->currentIndex(), 0);
    QCOMPARE(get<QSpinBox>("spinBox_Device1_Master")->value(), 1);
    QCOMPARE(get<QSpinBox>("spinBox_Length1_Master")->value(), 16);
    QCOMPARE(get<QSpinBox>("spinBox_addressModemSlave")->value(), 1);
    QCOMPARE(get<QDoubleSpinBox>("doubleSpinBox_Timeout_Master")->value(), 0.1);
}

void PageRslwTest::frameChainAndInterface()
{
    plugAndShow(*window, kRslw, kPage);
    QVERIFY(settled(*window));
    auto *frame1 = get<QCheckBox>("checkBox_Frame1_Master");
    auto *frame3 = get<QCheckBox>("checkBox_Frame3_Master");
    auto *frame4 = get<QCheckBox>("checkBox_Frame4_Master");
    auto click = [](QAbstractButton *b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); };
    click(frame1);
    QVERIFY(frame1->isChecked());
    click(frame3);
    QVERIFY(frame3->isChecked() && frame4->isEnabled() && get<QSpinBox>("spinBox_Device3_Master")->isEnabled());
    click(frame4);
    get<QSpinBox>("spinBox_Register4_Master")->setValue(77);
    click(frame3);
    QVERIFY(!frame3->isChecked() && !frame4->isChecked() && !frame4->isEnabled());
    QCOMPARE(get<QSpinBox>("spinBox_Register4_Master")->value(), 0);

    // A switch of interface brings back eight bits, no parity, one stop bit.
    auto *data = get<QComboBox>("comboBox_databit");
    auto *parity = get<QComboBox>("comboBox_parity");
    auto *stop = get<QComboBox>("comboBox_stopbit");
    for (QRadioButton *b : {get<QRadioButton>("radioButton_RS485"), get<QRadioButton>("radioButton_RS232")}) {
        data->setCurrentIndex(0);
        parity->setCurrentIndex(0);
        stop->setCurrentIndex(1);
        click(b);
        QVERIFY(b->isChecked());
        QCOMPARE(data->currentIndex(), 1);
        QCOMPARE(parity->currentIndex(), 2);
        QCOMPARE(stop->currentIndex(), 0);
        QVERIFY(!data->isEnabled() && !parity->isEnabled() && !stop->isEnabled());
    }
}

void PageRslwTest::informationInStatusBar()
{
    sim::Module &m = plugAndShow(*window, kRslw, kPage, [](sim::Module &mod) {
        sim::setLoRaWanInformation(mod, 0x00E6, 0x0807060504030201ULL);
    });
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v2.30    devEui:807060504030201"));
    // An exchange that did not complete leaves the status bar as it was.
    sim::setLoRaWanInformation(m, 105, 1);
    m.writeResult = -1;
    QMetaObject::invokeMethod(&page(), "getInfo");
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v2.30    devEui:807060504030201"));
    m.writeResult = 9;
    QMetaObject::invokeMethod(&page(), "getInfo");
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v1.05    devEui:1"));
}

void PageRslwTest::defaultRestoresAndRereads()
{
    sim::Module &m = plugAndShow(*window, kRslw, kPage, [](sim::Module &mod) {
        const QByteArray r = record({1, 1, 0, 1, 2, 0, 99, 4, 5, 1}, {1, 0, 0, 1}, 0, 0);
        mod.stored.assign(r.begin(), r.end());
    });
    QVERIFY(settled(*window));
    QCOMPARE(get<QSpinBox>("spinBox_addressModemSlave")->value(), 99);
    get<QCheckBox>("checkBox_Frame2_Master")->setChecked(true);
    QTest::mouseClick(get<QPushButton>("pushButton_DefaultConfiguration"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QCOMPARE(receivedCommands(m).mid(2), QList<int>({5, 2, 3}));
    QCOMPARE(bytesOf(m.stored).mid(1), bytesOf(m.defaults).mid(1));
    QCOMPARE(get<QTabWidget>("tabWidget_ORLO_RSLW_r00")->currentIndex(), int(m.defaults[1]));
    QCOMPARE(get<QSpinBox>("spinBox_addressModemSlave")->value(), int(m.defaults[7]));
    QCOMPARE(get<QRadioButton>("radioButton_RS232")->isChecked(), true);
    QCOMPARE(get<QCheckBox>("checkBox_Frame2_Master")->isChecked(), m.defaults[15] != 0);
}

void PageRslwTest::noNestedExchange()
{
    sim::Module &m = plugAndShow(*window, kRslw, kPage);
    QVERIFY(settled(*window));
    auto *write = get<QPushButton>("pushButton_Configurer");
    auto *defaults = get<QPushButton>("pushButton_DefaultConfiguration");
    auto *bar = get<QProgressBar>("progressBar_Configurer");
    const QList<int> before = receivedCommands(m);
    m.answerDelayMs = 800;
    // While the write waits, presses and
    // direct slot calls start nothing.
    int progressSeen = 0;
    bool buttonsDisabled = true;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        // Only while the write waits: once it was answered, a press may start an exchange again.
        if (!window->transport()->busy())
            return;
        progressSeen = qMax(progressSeen, bar->value());
        buttonsDisabled = buttonsDisabled && !write->isEnabled() && !defaults->isEnabled();
        write->click();
        defaults->click();
        QMetaObject::invokeMethod(&page(), "on_pushButton_Configurer_clicked");
        QMetaObject::invokeMethod(&page(), "on_pushButton_DefaultConfiguration_clicked");
        QMetaObject::invokeMethod(&page(), "getInfo");
    });
    during.start(100);
    QTest::mouseClick(write, Qt::LeftButton);
    QVERIFY(settled(*window));
    during.stop();
    QCOMPARE(get<QLabel>("label_Resultat_configurer")->text(), QStringLiteral("OK"));
    QVERIFY(progressSeen > 0);
    QVERIFY(buttonsDisabled);
    QVERIFY(write->isEnabled() && defaults->isEnabled());
    QCOMPARE(bar->value(), 0);
    QCOMPARE(receivedCommands(m), before + QList<int>{1});
}

void PageRslwTest::nothingSentAfterRemoval()
{
    sim::Module &lorawan = plugAndShow(*window, kRslw, kPage);
    WmOrloRsLw &p = page();
    sim::Bench::instance().unplug(lorawan);
    QTRY_COMPARE(currentPage(*window), QStringLiteral("page_Connect"));
    QCOMPARE(window->statusBar()->currentMessage(), QString());
    sim::Module &other = plugAndShow(*window, kDI, "page_ORLO_DI");
    child<QPushButton>(p, "pushButton_Configurer")->click();
    child<QPushButton>(p, "pushButton_DefaultConfiguration")->click();
    QMetaObject::invokeMethod(&p, "getInfo");
    QCOMPARE(receivedCommands(other), QList<int>{2});
    QCOMPARE(window->statusBar()->currentMessage(), QString());
}

void PageRslwTest::anyStoredBytes()
{
    sim::Module &m = plugAndShow(*window, kRslw, kPage);
    QRandomGenerator random(20261208);
    for (int round = 0; round < 100; ++round) {
        for (auto &byte : m.stored)
            byte = quint8(random.bounded(256));
        for (auto &byte : m.live)
            byte = quint8(random.bounded(256));
        const sim::Bytes stored = m.stored;
        page().start(window->transport(), window->statusBar());
        QVERIFY(settled(*window));
        QVERIFY(window->statusBar()->currentMessage().startsWith(QLatin1String("sw:v")));
        m.received.clear();
        if (stored[1] > 2) {
            // A role no tab shows: refused until the user picks a tab.
            MessageBoxCatcher box;
            QMetaObject::invokeMethod(&page(), "on_pushButton_Configurer_clicked");
            QVERIFY(box.seen);
            QVERIFY(m.received.empty());
            continue;
        }
        QMetaObject::invokeMethod(&page(), "on_pushButton_Configurer_clicked");
        QVERIFY(settled(*window));
        const sim::Bytes sent = m.lastReceived(1);
        // A list that cannot show its stored byte sends it back.
        const auto listed = [&](std::size_t at, int last) { return sent[at] <= last || sent[at] == stored[at]; };
        QVERIFY(sent[1] <= 2 && sent[2] <= 1 && listed(3, 5) && listed(4, 1) && listed(5, 2) && listed(6, 1));
        QVERIFY(sent[7] >= 1 && sent[7] <= 240 && listed(8, 23));
        QVERIFY((sent[9] >= 5 && sent[9] <= 60 && sent[9] % 5 == 0) || sent[9] == stored[9]);
        QVERIFY(sent[10] >= 1 && sent[10] <= 250);
        for (int b = 0; b < 6; ++b)
            QVERIFY(sent[std::size_t(14 + 4 * b)] >= 1 && sent[std::size_t(14 + 4 * b)] <= 16);
        QVERIFY(sent[35] <= 1 && listed(36, 1));
    }
}

ORLO_TEST_MAIN(PageRslwTest)
#include "tst_page_rslw.moc"
