// Repeater page through a simulated gateway: what it shows of the stored
// record and of the module information, the bytes the module receives, and
// that it never exchanges inside another exchange or with a module it lost.
#include "sim/firmware.h"
#include "support/fixture.h"
#include "widgets/wdradio.h"
#include "widgets/wmorlorpt.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStatusBar>

using namespace testing;

namespace {

constexpr std::uint16_t kRpt = 0x0302;
constexpr std::uint16_t kDI = 0x01C7;
const char *const kPage = "page_ORLO_RPT_r00";
constexpr int kIds = 7;   // payload offset of module 1's identifier

sim::Bytes record(int code, int channel, int modem, int frames, int mode, const QByteArray &ids = {})
{
    sim::Bytes r(40, 0);
    r[1] = quint8(code);
    r[2] = quint8(channel >> 8);
    r[3] = quint8(channel & 0xFF);
    r[4] = quint8(modem);
    r[5] = quint8(frames);
    r[6] = quint8(mode);
    for (int i = 0; i < ids.size() && i < 24; ++i)
        r[std::size_t(kIds + i)] = quint8(ids[i]);
    return r;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QSpinBox *idBox(const WmOrloRpt &page, int module, int byte)
{
    return child<QSpinBox>(page, qPrintable(QStringLiteral("spinBox_id%1%2").arg(module).arg(byte)));
}

} // namespace

class PageRptTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { window = freshWindow(); }
    void cleanup() { window.reset(); }
    void readShowsAndWritesBack_data();
    void readShowsAndWritesBack();
    void duplicateLeastSignificantBytes();
    void modeSwitching();
    void defaultRestoresAndAsksInformationAgain();
    void informationOnlyFromWholeAnswer();
    void silentModuleAndNoNestedExchange();
    void nothingSentAfterRemoval();
    void anyStoredBytes();

private:
    WmOrloRpt *page() const { return child<WmOrloRpt>(*window, "widget_orlo_rpt_r00"); }
    std::unique_ptr<MainWindow> window;
};

void PageRptTest::readShowsAndWritesBack_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("sf8");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("channel");
    const QByteArray ids("\x00\x1D\x4A\x21\x00\x1D\x4B\x07\x12\x34\x56\x78", 12);
    auto bytes = [](const sim::Bytes &b) { return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size())); };
    QTest::newRow("868, channel 522") << bytes(record(3, 522, 9, 50, 0, ids)) << false << 3 << 522;
    QTest::newRow("868, channel 300") << bytes(record(4, 300, 254, 144, 0)) << false << 4 << 300;
    // The Sigfox mode shows its own radio settings whatever bytes 2-4 hold.
    QTest::newRow("sf8") << bytes(record(4, 300, 9, 50, 1, ids)) << true << 2 << 29;
}

void PageRptTest::readShowsAndWritesBack()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, sf8);
    QFETCH(int, code);
    QFETCH(int, channel);
    sim::Module &m = plugAndShow(*window, kRpt, kPage, [&](sim::Module &mod) {
        mod.stored.assign(stored.begin(), stored.end());
    });
    QVERIFY(settled(*window));
    WmOrloRpt &p = *page();
    auto *radio = child<Wdradio>(p, "widget_radioParameter");
    // A language change (no translator: the source texts again) keeps what
    // the read showed, and Write sends it back as stored.
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&p, &languageChange);
    QCoreApplication::sendEvent(radio, &languageChange);
    QCOMPARE(child<QGroupBox>(p, "groupBox_sf8")->isChecked(), sf8);
    QCOMPARE(child<QGroupBox>(p, "groupBox_868")->isChecked(), !sf8);
    QCOMPARE(radio->baudCode(), code);
    QCOMPARE(radio->channel(), channel);
    for (int i = 0; i < 24; ++i)
        QCOMPARE(idBox(p, i / 4 + 1, i % 4)->value(), int(quint8(stored[kIds + i])));

    QTest::mouseClick(child<QPushButton>(p, "pushButton_Configurer_ORLO_RPT_r00"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QCoreApplication::sendEvent(&p, &languageChange);
    QCOMPARE(child<QLabel>(p, "label_Resultat_configurer_ORLO_RPT_r00")->text(), QStringLiteral("OK"));
    const sim::Bytes sent = m.lastReceived(1);
    QCOMPARE(int(sent.size()), 40);
    QCOMPARE(int(sent[1]), code);
    QCOMPARE((sent[2] << 8) | sent[3], channel);
    QCOMPARE(int(sent[6]), sf8 ? 1 : 0);
    // In both modes the modem address and the daily frame limit go back as stored.
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.data()) + 4, 2), stored.mid(4, 2));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.data()) + kIds, 24), stored.mid(kIds, 24));
    for (std::size_t i = 31; i < sent.size(); ++i)
        QCOMPARE(int(sent[i]), 0);
    QCOMPARE(child<QPushButton>(p, "pushButton_DefaultConfiguration_ORLO_RPT_r00")->isEnabled(), true);

    // A refused write.
    m.writeStatus = 1;
    QTest::mouseClick(child<QPushButton>(p, "pushButton_Configurer_ORLO_RPT_r00"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QCOMPARE(child<QLabel>(p, "label_Resultat_configurer_ORLO_RPT_r00")->text(), QStringLiteral("Echec"));
}

void PageRptTest::duplicateLeastSignificantBytes()
{
    sim::Module &m = plugAndShow(*window, kRpt, kPage, [](sim::Module &mod) {
        mod.stored = record(1, 522, 1, 10, 1, QByteArray(24, '\0'));
    });
    QVERIFY(settled(*window));
    WmOrloRpt &p = *page();
    auto *write = child<QPushButton>(p, "pushButton_Configurer_ORLO_RPT_r00");
    const QString plain = QStringLiteral("font: 8pt \"MS Shell Dlg 2\";");
    const QString orange = QStringLiteral("background-color: orange; font: 8pt \"MS Shell Dlg 2\";");

    // All zero: no warning.
    QTest::mouseClick(write, Qt::LeftButton);
    QVERIFY(settled(*window));
    QVERIFY(p.findChildren<QMessageBox *>().isEmpty());

    idBox(p, 2, 3)->setValue(0x3A);
    idBox(p, 5, 3)->setValue(0x3A);
    QTest::mouseClick(write, Qt::LeftButton);
    QVERIFY(settled(*window));
    const auto boxes = p.findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.front()->text(), QStringLiteral("Several ORLO has the same LSB!"));
    QVERIFY(!boxes.front()->isModal());
    QCOMPARE(boxes.front()->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    for (int module = 1; module <= 6; ++module)
        QCOMPARE(idBox(p, module, 3)->styleSheet(), module == 2 || module == 5 ? orange : plain);
    // The frame goes all the same.
    QCOMPARE(int(m.lastReceived(1).at(kIds + 4 + 3)), 0x3A);
    QCOMPARE(int(m.lastReceived(1).at(kIds + 16 + 3)), 0x3A);
    boxes.front()->close();

    // Mended, the highlight goes at the next write.
    idBox(p, 5, 3)->setValue(0x3B);
    QTest::mouseClick(write, Qt::LeftButton);
    QCOMPARE(idBox(p, 2, 3)->styleSheet(), plain);
    QCOMPARE(idBox(p, 5, 3)->styleSheet(), plain);
}

void PageRptTest::modeSwitching()
{
    plugAndShow(*window, kRpt, kPage, [](sim::Module &mod) { mod.stored = record(3, 100, 1, 10, 0); });
    QVERIFY(settled(*window));
    WmOrloRpt &p = *page();
    auto *g868 = child<QGroupBox>(p, "groupBox_868");
    auto *sf8 = child<QGroupBox>(p, "groupBox_sf8");
    auto *radio = child<Wdradio>(p, "widget_radioParameter");
    auto toggle = [](QGroupBox *box) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
    };
    toggle(sf8);
    QVERIFY(sf8->isChecked() && !g868->isChecked());
    QCOMPARE(radio->baudCode(), 2);
    QCOMPARE(radio->channel(), 29);
    toggle(sf8);
    QVERIFY(!sf8->isChecked() && g868->isChecked());
    QCOMPARE(radio->baudCode(), 1);
    QCOMPARE(radio->channel(), 522);
    toggle(g868);
    QVERIFY(sf8->isChecked() && !g868->isChecked());
    toggle(g868);
    QVERIFY(!sf8->isChecked() && g868->isChecked());
    p.on_checkBox_firstGeneration_clicked(true);
    QVERIFY(sf8->isChecked() && !g868->isChecked());
    QCOMPARE(radio->channel(), 29);
}

void PageRptTest::defaultRestoresAndAsksInformationAgain()
{
    sim::Module &m = plugAndShow(*window, kRpt, kPage, [](sim::Module &mod) {
        mod.stored = record(3, 100, 5, 10, 0);
        mod.defaults = record(4, 522, 7, 144, 0);
    });
    QVERIFY(settled(*window));
    WmOrloRpt &p = *page();
    QMetaObject::invokeMethod(&p, "Update");
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v1.4    Id sfx:1d4c9a"));
    sim::setModuleInformation(m, 0xFFFFFFFF, "2.0");
    QTest::mouseClick(child<QPushButton>(p, "pushButton_DefaultConfiguration_ORLO_RPT_r00"), Qt::LeftButton);
    QVERIFY(settled(*window));
    QCOMPARE(m.lastReceived(5).size(), std::size_t(40));
    QCOMPARE(child<Wdradio>(p, "widget_radioParameter")->baudCode(), 4);
    QCOMPARE(child<QSpinBox>(p, "spinBox_adressModem")->value(), 7);
    QCOMPARE(child<QSpinBox>(p, "spinBox_maxFrame")->value(), 144);
    // The re-read asks for the module information at once.
    QTRY_COMPARE_WITH_TIMEOUT(window->statusBar()->currentMessage(), QStringLiteral("sw:v2.0    Id sfx:None!"), 1000);
}

void PageRptTest::informationOnlyFromWholeAnswer()
{
    sim::Module &m = plugAndShow(*window, kRpt, kPage);
    QVERIFY(settled(*window));
    WmOrloRpt &p = *page();
    QMetaObject::invokeMethod(&p, "Update");
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v1.4    Id sfx:1d4c9a"));
    // A version text that fills the answer without a terminating zero.
    std::fill(m.live.begin() + 6, m.live.end(), quint8('9'));
    QMetaObject::invokeMethod(&p, "Update");
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("sw:v%1    Id sfx:1d4c9a").arg(QString(34, QLatin1Char('9'))));
    // An exchange that did not complete leaves the status bar as it was.
    sim::setModuleInformation(m, 0x12345678, "3.1");
    m.writeResult = -1;
    QMetaObject::invokeMethod(&p, "Update");
    QVERIFY(settled(*window));
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("sw:v%1    Id sfx:1d4c9a").arg(QString(34, QLatin1Char('9'))));
}

void PageRptTest::silentModuleAndNoNestedExchange()
{
    sim::Module &m = plugAndShow(*window, kRpt, kPage);
    QVERIFY(settled(*window));
    WmOrloRpt &p = *page();
    auto *write = child<QPushButton>(p, "pushButton_Configurer_ORLO_RPT_r00");
    auto *defaults = child<QPushButton>(p, "pushButton_DefaultConfiguration_ORLO_RPT_r00");
    auto *bar = child<QProgressBar>(p, "progressBar_Configurer");
    const QList<int> before = receivedCommands(m);
    m.silent = true;

    // While the write waits: presses, direct
    // slot calls and the module information timer (due 3.5 s after the
    // start) start nothing.
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
        QMetaObject::invokeMethod(&p, "on_pushButton_Configurer_ORLO_RPT_r00_clicked");
        QMetaObject::invokeMethod(&p, "on_pushButton_DefaultConfiguration_ORLO_RPT_r00_clicked");
        QMetaObject::invokeMethod(&p, "Update");
    });
    during.start(500);
    PaintCounter painted;
    bar->installEventFilter(&painted);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(write, Qt::LeftButton);
    QVERIFY(settled(*window));
    const qint64 waited = clock.elapsed();
    during.stop();
    QCOMPARE(child<QLabel>(p, "label_Resultat_configurer_ORLO_RPT_r00")->text(), QStringLiteral("Echec"));
    // Bounded by the widget pages' 20 s read, not cut short, and the bar turned meanwhile.
    QVERIFY2(waited >= 19000 && waited < 30000, qPrintable(QString::number(waited)));
    QVERIFY(progressSeen > 0);
    // The window kept repainting: the bar was painted many times over the wait.
    QVERIFY2(painted.paints > 10, qPrintable(QString::number(painted.paints)));
    bar->removeEventFilter(&painted);
    QVERIFY(buttonsDisabled);
    QCOMPARE(bar->value(), 0);
    QVERIFY(write->isEnabled() && defaults->isEnabled());
    QCOMPARE(receivedCommands(m), before + QList<int>{1});

    // The information exchange the timer held back runs after the write.
    m.silent = false;
    QTRY_COMPARE_WITH_TIMEOUT(receivedCommands(m), before + QList<int>({1, 3}), 6000);
    QTRY_COMPARE(window->statusBar()->currentMessage(), QStringLiteral("sw:v1.4    Id sfx:1d4c9a"));
}

void PageRptTest::nothingSentAfterRemoval()
{
    sim::Module &gateway = plugAndShow(*window, kRpt, kPage);
    QElapsedTimer sinceStart;
    sinceStart.start();
    WmOrloRpt &p = *page();
    sim::Bench::instance().unplug(gateway);
    QTRY_COMPARE(currentPage(*window), QStringLiteral("page_Connect"));
    sim::Module &other = plugAndShow(*window, kDI, "page_ORLO_DI");
    // Past the moment the gateway's information was due, and with its buttons
    // pressed: the module plugged since hears nothing from the repeater page.
    QTest::qWait(int(qMax<qint64>(0, 4000 - sinceStart.elapsed())));
    child<QPushButton>(p, "pushButton_Configurer_ORLO_RPT_r00")->click();
    child<QPushButton>(p, "pushButton_DefaultConfiguration_ORLO_RPT_r00")->click();
    QMetaObject::invokeMethod(&p, "Update");
    QCOMPARE(receivedCommands(other), QList<int>{2});
    QCOMPARE(gateway.received.size(), std::size_t(1));
    QCOMPARE(window->statusBar()->currentMessage(), QString());
}

void PageRptTest::anyStoredBytes()
{
    sim::Module &m = plugAndShow(*window, kRpt, kPage);
    WmOrloRpt &p = *page();
    auto *radio = child<Wdradio>(p, "widget_radioParameter");
    QRandomGenerator random(20261208);
    for (int round = 0; round < 60; ++round) {
        for (auto &byte : m.stored)
            byte = quint8(random.bounded(256));
        if (round < 20)
            m.stored[6] = 0;    // 868 mode, so the stored radio bytes are applied
        p.start(window->transport(), window->statusBar());
        QVERIFY(settled(*window));
        QVERIFY(radio->baudIndex() >= -1 && radio->baudIndex() < 4);
        const std::uint8_t storedCode = m.stored[1];
        QMetaObject::invokeMethod(&p, "on_pushButton_Configurer_ORLO_RPT_r00_clicked");
        QVERIFY(settled(*window));
        const sim::Bytes sent = m.lastReceived(1);
        // A code the four-rate list cannot show goes back as stored.
        QVERIFY(radio->baudIndex() >= 0 ? sent[1] >= 1 && sent[1] <= 4 : sent[1] == storedCode);
        QVERIFY(sent[4] >= 1 && sent[4] <= 254);
        QVERIFY(sent[5] >= 1 && sent[5] <= 144);
        QVERIFY(sent[6] <= 1);
        for (auto *box : QList<QMessageBox *>(p.findChildren<QMessageBox *>()))
            box->close();
    }
}

ORLO_TEST_MAIN(PageRptTest)
#include "tst_page_rpt.moc"
