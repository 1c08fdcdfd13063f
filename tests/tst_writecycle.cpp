// The configuration write cycle shared by every page, driven through the
// digital-input pages: outcome label, progress bar, button, the paused
// module polling, the clock stamp and the invalid-configuration box.
#include "link/bcd.h"
#include "link/clockstamp.h"
#include "pages/digitalinputpages.h"
#include "support/fixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using namespace testing;

namespace {

constexpr std::uint16_t kDI = 0x01C7;
constexpr std::uint16_t kDI_r2x = 0x02E3;

// A record both pages accept as is: read at 02:00.
sim::Bytes validRecord(std::uint16_t id)
{
    sim::Bytes r(id == kDI ? 16 : 24, 0);
    r[12] = 2;
    return r;
}

struct Page {
    QPushButton *button;
    QProgressBar *bar;
    QLabel *result;
};

Page pageWidgets(const MainWindow &window, std::uint16_t id)
{
    const QString s = id == kDI ? QStringLiteral("DI") : QStringLiteral("DI_r2x");
    return {window.findChild<QPushButton *>("pushButton_Configurer_" + s),
            window.findChild<QProgressBar *>("progressBar_Configurer_" + s),
            window.findChild<QLabel *>("label_Resultat_configurer_" + s)};
}

const char *pageOf(std::uint16_t id)
{
    return id == kDI ? "page_ORLO_DI" : "page_ORLO_DI_r2x";
}

// What the window looked like while the cycle ran.
struct During {
    bool sampled = false;
    bool buttonEnabled = true;
    bool pollActive = true;
    int maxBar = 0;
    QString label;
};

} // namespace

class WriteCycleTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void acknowledged_data();
    void acknowledged();
    void failures_data();
    void failures();
    void silentModuleThenUnplug();
    void lateAnswerNotTakenForNextCycle();
    void unplugDuringCycle();
    void noCycleInsideACycle();
    void clockStamp_data();
    void clockStamp();
    void bcd();
    void progressTick();
    void invalidConfigurationBox();

private:
    std::unique_ptr<MainWindow> window;
};

void WriteCycleTest::init()
{
    window = freshWindow();
}

void WriteCycleTest::acknowledged_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("2 reports") << int(kDI);
    QTest::newRow("3 reports") << int(kDI_r2x);
}

void WriteCycleTest::acknowledged()
{
    QFETCH(int, id);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) { mod.stored = validRecord(type); });
    const Page page = pageWidgets(*window, type);
    auto *poll = child<QTimer>(*window, "pollTimer");
    // Slow enough for the bar to turn several steps.
    m.answerDelayMs = 400;

    During during;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        if (page.result->text() != QLatin1String("Configuration..."))
            return;
        during.sampled = true;
        during.label = page.result->text();
        during.buttonEnabled = during.buttonEnabled && page.button->isEnabled();
        during.pollActive = during.pollActive && poll->isActive();
        during.maxBar = qMax(during.maxBar, page.bar->value());
    });
    sampler.start(5);
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("OK"));
    sampler.stop();

    QVERIFY(during.sampled);
    QVERIFY(!during.buttonEnabled);
    QVERIFY(!during.pollActive);
    QVERIFY2(during.maxBar >= 2, qPrintable(QString::number(during.maxBar)));
    QCOMPARE(page.result->text(), QStringLiteral("OK"));
    QCOMPARE(page.bar->value(), 0);
    QVERIFY(page.button->isEnabled());
    QVERIFY(poll->isActive());
    QCOMPARE(poll->interval(), 500);
    QCOMPARE(int(m.lastReceived(orlo::command::WriteConfiguration).size()), 8 * (type == kDI ? 2 : 3));
}

void WriteCycleTest::failures_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("writeStatus");
    QTest::addColumn<int>("answerReports");
    QTest::addColumn<int>("writeResult");
    QTest::addColumn<bool>("frameArrives");
    QTest::newRow("refused, 2 reports") << int(kDI) << 1 << -1 << 9 << true;
    QTest::newRow("refused 0xFF, 3 reports") << int(kDI_r2x) << 0xFF << -1 << 9 << true;
    QTest::newRow("1 of 2 reports") << int(kDI) << 0 << 1 << 9 << true;
    QTest::newRow("2 of 3 reports") << int(kDI_r2x) << 0 << 2 << 9 << true;
    QTest::newRow("write not taken") << int(kDI) << 0 << -1 << 0 << false;
    QTest::newRow("write failed") << int(kDI_r2x) << 0 << -1 << -1 << false;
}

void WriteCycleTest::failures()
{
    QFETCH(int, id);
    QFETCH(int, writeStatus);
    QFETCH(int, answerReports);
    QFETCH(int, writeResult);
    QFETCH(bool, frameArrives);
    const auto type = std::uint16_t(id);
    sim::Module &m = plugAndShow(*window, type, pageOf(type), [&](sim::Module &mod) { mod.stored = validRecord(type); });
    const Page page = pageWidgets(*window, type);
    m.writeStatus = quint8(writeStatus);
    m.answerReports = answerReports;
    m.writeResult = writeResult;
    const std::size_t before = m.received.size();
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("Echec"));
    QCOMPARE(page.bar->value(), 0);
    QVERIFY(page.button->isEnabled());
    QVERIFY(child<QTimer>(*window, "pollTimer")->isActive());
    QCOMPARE(m.received.size(), before + (frameArrives ? 1 : 0));
}

void WriteCycleTest::silentModuleThenUnplug()
{
    sim::Module &m = plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) { mod.stored = validRecord(kDI); });
    const Page page = pageWidgets(*window, kDI);
    m.silent = true;
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page.result->text(), QStringLiteral("Echec"), 6000);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 1900 && elapsed < 6000, qPrintable(QString::number(elapsed)));
    QCOMPARE(page.result->text(), QStringLiteral("Echec"));
    QVERIFY(page.button->isEnabled());
    QVERIFY(child<QTimer>(*window, "pollTimer")->isActive());

    // Detection runs again: a module pulled right after the failure is noticed.
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
}

void WriteCycleTest::lateAnswerNotTakenForNextCycle()
{
    sim::Module &m = plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) { mod.stored = validRecord(kDI); });
    const Page page = pageWidgets(*window, kDI);
    // Accepted, but too late for this cycle.
    m.answerDelayMs = 2300;
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page.result->text(), QStringLiteral("Echec"), 6000);
    QVERIFY(QTest::qWaitFor([&] { return !m.outgoing.empty() && m.outgoing.back().readyAt <= sim::Clock::now(); }, 3000));

    // The next press is refused: the old acceptance must not answer for it.
    m.answerDelayMs = 0;
    m.writeStatus = 1;
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("Echec"));
    m.writeStatus = 0;
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("OK"));
}

void WriteCycleTest::unplugDuringCycle()
{
    sim::Module &m = plugAndShow(*window, kDI_r2x, "page_ORLO_DI_r2x",
                                 [](sim::Module &mod) { mod.stored = validRecord(kDI_r2x); });
    const Page page = pageWidgets(*window, kDI_r2x);
    m.unplugAfterReports = 3;
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("Echec"));
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 3000);
}

void WriteCycleTest::noCycleInsideACycle()
{
    sim::Module &m = plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) { mod.stored = validRecord(kDI); });
    const Page page = pageWidgets(*window, kDI);
    auto *reset = child<QPushButton>(*window, "pushButton_RAZ_DI");
    m.answerDelayMs = 600;
    m.received.clear();
    // The reset button is disabled while the configuration is awaited, and
    // back once it was answered.
    bool resetEnabled = true;
    QTimer::singleShot(200, [&] {
        resetEnabled = reset->isEnabled();
        QTest::mouseClick(reset, Qt::LeftButton);
    });
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("OK"));
    QVERIFY(!resetEnabled);
    QTRY_VERIFY(reset->isEnabled());
    QCOMPARE(int(m.received.size()), 1);
    QCOMPARE(int(m.received[0][0]), int(orlo::command::WriteConfiguration));
    QVERIFY(child<QTimer>(*window, "pollTimer")->isActive());
}

void WriteCycleTest::clockStamp_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QByteArray>("stamp");
    QTest::newRow("Monday 7 December 2026 04:05:09")
        << QDateTime(QDate(2026, 12, 7), QTime(4, 5, 9)) << QByteArray::fromHex("2600071204000905");
    QTest::newRow("Sunday 13 December 2026 23:59:58")
        << QDateTime(QDate(2026, 12, 13), QTime(23, 59, 58)) << QByteArray::fromHex("2600131223065859");
    QTest::newRow("Saturday 1 January 2000") << QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0))
                                             << QByteArray::fromHex("0000010100050000");
    QTest::newRow("Thursday 31 December 2099") << QDateTime(QDate(2099, 12, 31), QTime(12, 30, 45))
                                               << QByteArray::fromHex("9900311212034530");
}

void WriteCycleTest::clockStamp()
{
    QFETCH(QDateTime, when);
    QFETCH(QByteArray, stamp);
    orlo::setClockForTesting([when] { return when; });
    quint8 bytes[8];
    std::fill(std::begin(bytes), std::end(bytes), 0xAA);
    orlo::putClockStamp(bytes, when);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes), 8), stamp);

    // And in the frame the module receives, after the command byte.
    sim::Module &m = plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) { mod.stored = validRecord(kDI); });
    QTest::mouseClick(pageWidgets(*window, kDI).button, Qt::LeftButton);
    QTRY_COMPARE(pageWidgets(*window, kDI).result->text(), QStringLiteral("OK"));
    const sim::Bytes sent = m.lastReceived(orlo::command::WriteConfiguration);
    QCOMPARE(int(sent.size()), 16);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sent.data() + 1), 8), stamp);
}

void WriteCycleTest::bcd()
{
    QCOMPARE(int(orlo::toBcd(59)), 0x59);
    QCOMPARE(orlo::fromBcd(0x23), 23);
    for (int v = 0; v <= 99; ++v) {
        QCOMPARE(int(orlo::toBcd(v)), (v / 10) * 16 + v % 10);
        QCOMPARE(orlo::fromBcd(orlo::toBcd(v)), v);
    }
    // Beyond two digits the byte is kept to 8 bits.
    QCOMPARE(int(orlo::toBcd(255)), 0x95);
    QCOMPARE(orlo::fromBcd(0xFF), 165);
}

void WriteCycleTest::progressTick()
{
    plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) { mod.stored = validRecord(kDI); });
    auto *bar = child<QProgressBar>(*window, "progressBar_Configurer_DI");
    bar->setValue(99);
    family<DigitalInputPages>(*window).SetprogressBarConfigurerDI();
    QCOMPARE(bar->value(), 100);
    family<DigitalInputPages>(*window).SetprogressBarConfigurerDI();
    QCOMPARE(bar->value(), 0);
    family<DigitalInputPages>(*window).SetprogressBarConfigurerDI();
    QCOMPARE(bar->value(), 1);
    // Each page's tick turns its own bar only.
    auto *other = child<QProgressBar>(*window, "progressBar_Configurer_DI4_r2x");
    other->setValue(100);
    family<DigitalInputPages>(*window).SetprogressBarConfigurerDI4_r2x();
    QCOMPARE(other->value(), 0);
    QCOMPARE(bar->value(), 1);
    auto *third = child<QProgressBar>(*window, "progressBar_Configurer_DI_r2x");
    third->setValue(42);
    family<DigitalInputPages>(*window).SetprogressBarConfigurerDI_r2x();
    QCOMPARE(third->value(), 43);
}

void WriteCycleTest::invalidConfigurationBox()
{
    sim::Module &m = plugAndShow(*window, kDI, "page_ORLO_DI", [](sim::Module &mod) { mod.stored = validRecord(kDI); });
    child<QComboBox>(*window, "comboBox_heures_releve_compteur_DI")->setCurrentIndex(0);
    const Page page = pageWidgets(*window, kDI);
    auto *poll = child<QTimer>(*window, "pollTimer");
    const std::size_t before = m.received.size();

    bool pollWhileOpen = false;
    QString labelWhileOpen;
    QTimer peek;
    connect(&peek, &QTimer::timeout, this, [&] {
        if (!QApplication::activeModalWidget())
            return;
        pollWhileOpen = poll->isActive();
        labelWhileOpen = page.result->text();
    });
    peek.start(1);
    MessageBoxCatcher box;
    QTest::mouseClick(page.button, Qt::LeftButton);
    peek.stop();

    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
    QCOMPARE(box.text, QStringLiteral(
        "CONFIGURATION INVALIDE.\n\n"
        "Au moins un champ horaire d'un des 3 envois de température possible n'est pas configuré :\n\n"
        "\tChamp heure de relevé compteur non configuré.\n"
        "\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\n"
        "et cliquez à nouveau sur \"Configurer\"\n"));
    QCOMPARE(box.buttons, int(QMessageBox::Ok));
    QCOMPARE(box.defaultButton, int(QMessageBox::Ok));
    QCOMPARE(labelWhileOpen, QStringLiteral("Invalide"));
    QVERIFY(pollWhileOpen);
    QCOMPARE(page.result->text(), QString());
    QCOMPARE(m.received.size(), before);
    QVERIFY(page.button->isEnabled());
    QCOMPARE(page.bar->value(), 0);
}

ORLO_TEST_MAIN(WriteCycleTest)
#include "tst_writecycle.moc"
