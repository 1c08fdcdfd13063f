// Frame transport through a simulated module: totals, bounds, the bytes the
// module receives, and the cost of waiting on a silent module.
#include "link/modulelink.h"
#include "support/fixture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstring>
#include <sys/resource.h>

using namespace testing;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A 3-report type whose page has no measurement timer: nothing but the
// test talks to the module once its page is shown.
constexpr std::uint16_t kQuietId = 0x02E3;
constexpr const char *kQuietPage = "page_ORLO_DI_r2x";

struct Frame {
    quint8 bytes[orlo::kFrameBufferSize] = {};
};

// A request for the stored record, the command the quiet module answers.
Frame readRequest()
{
    Frame f;
    f.bytes[1] = orlo::command::ReadConfiguration;
    return f;
}

Frame numbered(int reports)
{
    Frame f;
    for (int i = 1; i <= 8 * reports; ++i)
        f.bytes[i] = quint8(i);
    return f;
}

} // namespace

class TransportTest : public QObject
{
    Q_OBJECT

private slots:
    void completeExchange_data();
    void completeExchange();
    void partialAnswerKeepsUnreadBytes();
    void secondExchangeAfterTimeout();
    void refusedWrites();
    void silentWaitSleeps_data();
    void silentWaitSleeps();
    void lateReportTakenPromptly();
    void pumpingReadKeepsTimersRunning();
    void noExchangeInsideAnother();
    void delayKeepsWindowAlive();
    void hidTransportBoundsAndPolling();
};

void TransportTest::completeExchange_data()
{
    QTest::addColumn<int>("reports");
    QTest::newRow("2 reports") << 2;
    QTest::newRow("3 reports") << 3;
    QTest::newRow("5 reports") << 5;
}

void TransportTest::completeExchange()
{
    QFETCH(int, reports);
    auto window = freshWindow();
    const std::uint16_t id = reports == 2 ? 0x01C7 : reports == 3 ? kQuietId : 0x0293;
    sim::Module &m = sim::Bench::instance().plug(id);
    m.stored.assign(std::size_t(8 * reports), 0);
    for (int i = 1; i < 8 * reports; ++i)
        m.stored[std::size_t(i)] = quint8(0xA0 + i);
    QTRY_COMPARE_WITH_TIMEOUT(window->currentProductId(), int(id), 5000);
    m.received.clear();

    Frame request = numbered(reports);
    request.bytes[1] = orlo::command::ReadConfiguration;
    const Frame sent = request;
    QCOMPARE(window->writeReports(request.bytes, quint8(reports)), 9 * reports);
    // The byte before each following report's payload is its identifier.
    for (int k = 1; k <= reports; ++k)
        QCOMPARE(int(request.bytes[8 * k]), 0);
    QCOMPARE(int(m.received.size()), 1);
    for (int i = 1; i <= 8 * reports; ++i) {
        if (i % 8 == 0 && i != 8 * reports)
            continue;  // report identifiers overwrite those payload bytes
        QCOMPARE(int(m.received[0][std::size_t(i - 1)]), int(sent.bytes[i]));
    }

    Frame answer;
    QCOMPARE(window->readReports(answer.bytes, quint8(reports), 0), 9 * reports);
    QCOMPARE(int(answer.bytes[1]), 0);
    for (int i = 2; i <= 8 * reports; ++i)
        QCOMPARE(int(answer.bytes[i]), 0xA0 + i - 1);
}

void TransportTest::partialAnswerKeepsUnreadBytes()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.stored.assign(24, 0x11);
    m.answerReports = 2;
    Frame request = readRequest();
    QCOMPARE(window->writeReports(request.bytes, 3), 27);

    Frame answer;
    std::memset(answer.bytes, 0xEE, sizeof answer.bytes);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(window->readReports(answer.bytes, 3, 0), 18);
    QVERIFY2(clock.elapsed() >= 1900 && clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(int(answer.bytes[1]), 0);
    for (int i = 2; i <= 16; ++i)
        QCOMPARE(int(answer.bytes[i]), 0x11);
    for (int i = 17; i <= 24; ++i)
        QCOMPARE(int(answer.bytes[i]), 0xEE);
}

void TransportTest::secondExchangeAfterTimeout()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    Frame request = readRequest();
    Frame answer;
    m.silent = true;
    QCOMPARE(window->writeReports(request.bytes, 3), 27);
    QCOMPARE(window->readReports(answer.bytes, 3, 1), 0);

    m.silent = false;
    request.bytes[1] = orlo::command::ReadConfiguration;
    QCOMPARE(window->writeReports(request.bytes, 3), 27);
    QCOMPARE(window->readReports(answer.bytes, 3, 0), 27);
}

void TransportTest::refusedWrites()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    Frame request = readRequest();

    // A report never taken is retried until the 1 s bound, without spinning.
    m.received.clear();
    m.writeResult = 0;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    QCOMPARE(window->writeReports(request.bytes, 3), 0);
    const double wall = clock.elapsed() / 1000.0;
    QVERIFY2(wall >= 0.95 && wall < 2.0, qPrintable(QString::number(wall)));
    QVERIFY2(cpuSeconds() - cpuBefore < 0.25 * wall, "a refused write must not spin a core");
    QVERIFY(m.received.empty());

    // A failed write counts its report as sent and lowers the total.
    m.writeResult = -1;
    QCOMPARE(window->writeReports(request.bytes, 3), -3);
}

void TransportTest::silentWaitSleeps_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("mode 0") << 0;
    QTest::newRow("mode 1") << 1;
}

void TransportTest::silentWaitSleeps()
{
    QFETCH(int, mode);
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.silent = true;
    Frame request = readRequest();
    QCOMPARE(window->writeReports(request.bytes, 3), 27);

    Frame answer;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    QCOMPARE(window->readReports(answer.bytes, 3, mode), 0);
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    qInfo("silent 2 s wait, mode %d: %.3f s wall, %.4f s CPU (%.2f %%)", mode, wall, cpu, 100 * cpu / wall);
    QVERIFY2(wall >= 1.99 && wall < 3.0, qPrintable(QString::number(wall)));
    // A spinning wait would cost a whole core; this one should cost well under 1 %.
    QVERIFY2(cpu < 0.05 * wall, qPrintable(QString::number(cpu)));
}

void TransportTest::lateReportTakenPromptly()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.answerDelayMs = 300;
    Frame request = readRequest();
    for (int mode : {0, 1}) {
        QCOMPARE(window->writeReports(request.bytes, 3), 27);
        Frame answer;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(window->readReports(answer.bytes, 3, mode), 27);
        QVERIFY2(clock.elapsed() >= 290 && clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
}

void TransportTest::pumpingReadKeepsTimersRunning()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.silent = true;
    Frame request = readRequest();
    QCOMPARE(window->writeReports(request.bytes, 3), 27);

    int ticks = 0;
    QTimer progress;
    connect(&progress, &QTimer::timeout, [&] { ++ticks; });
    progress.start(30);
    Frame answer;
    QCOMPARE(window->readReports(answer.bytes, 3, 1), 0);
    // 2 s at 30 ms is about 66 ticks; a wait that never turned the loop gives 0.
    QVERIFY2(ticks >= 40, qPrintable(QString::number(ticks)));

    ticks = 0;
    QCOMPARE(window->writeReports(request.bytes, 3), 27);
    QCOMPARE(window->readReports(answer.bytes, 3, 0), 0);
    QCOMPARE(ticks, 0);
}

void TransportTest::noExchangeInsideAnother()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.answerDelayMs = 300;
    Frame request = readRequest();
    QCOMPARE(window->writeReports(request.bytes, 3), 27);
    m.received.clear();

    // A tick inside the wait tries both transports; neither sends nor reads.
    int nestedWrite = -1, nestedRead = -1, hidWrite = -1;
    QTimer::singleShot(50, [&] {
        Frame nested = readRequest();
        nestedWrite = window->writeReports(nested.bytes, 3);
        nestedRead = window->readReports(nested.bytes, 3, 0);
        hidWrite = window->transport()->writeReports(nested.bytes, 3, ModuleLink::kWidgetPageBounds);
    });
    Frame answer;
    QCOMPARE(window->readReports(answer.bytes, 3, 1), 27);
    QCOMPARE(nestedWrite, 0);
    QCOMPARE(nestedRead, 0);
    QCOMPARE(hidWrite, 0);
    QVERIFY(m.received.empty());
    // Once the wait is over, exchanges go through again.
    QCOMPARE(window->writeReports(request.bytes, 3), 27);
}

void TransportTest::delayKeepsWindowAlive()
{
    auto window = freshWindow();
    int ticks = 0;
    QTimer repaint;
    connect(&repaint, &QTimer::timeout, [&] { ++ticks; });
    repaint.start(50);
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    window->delay(500);
    const qint64 wall = clock.elapsed();
    QVERIFY2(wall >= 495 && wall < 1000, qPrintable(QString::number(wall)));
    QVERIFY(ticks >= 7);
    QVERIFY2(cpuSeconds() - cpuBefore < 0.1, "delay must sleep, not spin");
}

void TransportTest::hidTransportBoundsAndPolling()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    auto *poll = child<QTimer>(*window, "pollTimer");
    ModuleLink *hid = window->transport();
    constexpr ModuleLink::Bounds kLong = ModuleLink::kWidgetPageBounds;

    // An answer later than the main window's 2 s bound is still within the widget pages'.
    m.answerDelayMs = 2500;
    Frame request = readRequest();
    QCOMPARE(hid->writeReports(request.bytes, 3, kLong), 27);
    bool pollingDuringRead = true;
    QTimer::singleShot(500, [&] { pollingDuringRead = poll->isActive(); });
    Frame answer;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(hid->readReports(answer.bytes, 3, 1, kLong), 27);
    QVERIFY(clock.elapsed() >= 2400);
    QVERIFY2(!pollingDuringRead, "detection must pause during a long pumping read");
    QVERIFY(poll->isActive());
    QCOMPARE(poll->interval(), 500);

    // A read that finds detection paused leaves it paused.
    m.answerDelayMs = 0;
    poll->stop();
    QCOMPARE(hid->writeReports(request.bytes, 3, kLong), 27);
    QCOMPARE(hid->readReports(answer.bytes, 3, 1, kLong), 27);
    QVERIFY(!poll->isActive());
    poll->start();
}

ORLO_TEST_MAIN(TransportTest)
#include "tst_transport.moc"
