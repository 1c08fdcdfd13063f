// Frame transport through a simulated module: totals, bounds, the bytes the
// module receives, and the cost of waiting on a silent module.
#include "link/modulelink.h"
#include "link/port.h"
#include "support/fixture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstring>

using namespace testing;

namespace {

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
    void partialAnswerLeavesTheRestEmpty();
    void secondExchangeAfterTimeout();
    void refusedWrites();
    void silentWaitSleepsWhileTheWindowTurns();
    void lateReportTakenPromptly();
    void exchangesTakeTurns();
    void longBoundsAndNoLookMeanwhile();
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
    QTRY_VERIFY(!window->transport()->busy());
    m.received.clear();

    Frame request = numbered(reports);
    request.bytes[1] = orlo::command::ReadConfiguration;
    const orlo::Answer answer = exchangeNow(*window->transport(), request.bytes, reports);
    QCOMPARE(answer.written, 9 * reports);
    QCOMPARE(int(m.received.size()), 1);
    for (int i = 1; i <= 8 * reports; ++i) {
        if (i % 8 == 0 && i != 8 * reports)
            continue;  // report identifiers overwrite those payload bytes
        QCOMPARE(int(m.received[0][std::size_t(i - 1)]), int(request.bytes[i]));
    }

    QCOMPARE(answer.read, 9 * reports);
    QCOMPARE(int(answer.frame[1]), 0);
    for (int i = 2; i <= 8 * reports; ++i)
        QCOMPARE(int(answer.frame[i]), 0xA0 + i - 1);
}

void TransportTest::partialAnswerLeavesTheRestEmpty()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.stored.assign(24, 0x11);
    m.answerReports = 2;
    const Frame request = readRequest();
    QElapsedTimer clock;
    clock.start();
    const orlo::Answer answer = exchangeNow(*window->transport(), request.bytes, 3);
    QCOMPARE(answer.written, 27);
    QCOMPARE(answer.read, 18);
    QVERIFY2(clock.elapsed() >= 1900 && clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(int(answer.frame[1]), 0);
    for (int i = 2; i <= 16; ++i)
        QCOMPARE(int(answer.frame[i]), 0x11);
    // Nothing of an earlier exchange passes for the missing report.
    for (int i = 17; i <= 24; ++i)
        QCOMPARE(int(answer.frame[i]), 0);
}

void TransportTest::secondExchangeAfterTimeout()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    const Frame request = readRequest();
    m.silent = true;
    const orlo::Answer none = exchangeNow(*window->transport(), request.bytes, 3);
    QCOMPARE(none.written, 27);
    QCOMPARE(none.read, 0);

    m.silent = false;
    const orlo::Answer answer = exchangeNow(*window->transport(), request.bytes, 3);
    QCOMPARE(answer.written, 27);
    QCOMPARE(answer.read, 27);
}

void TransportTest::refusedWrites()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    const Frame request = readRequest();

    // A report never taken is retried until the 1 s bound, without spinning.
    m.received.clear();
    m.writeResult = 0;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    QCOMPARE(exchangeNow(*window->transport(), request.bytes, 3).written, 0);
    const double wall = clock.elapsed() / 1000.0;
    QVERIFY2(wall >= 0.95 && wall < 2.0, qPrintable(QString::number(wall)));
    QVERIFY2(cpuSeconds() - cpuBefore < 0.25 * wall, "a refused write must not spin a core");
    QVERIFY(m.received.empty());

    // A failed write counts its report as sent and lowers the total.
    m.writeResult = -1;
    QCOMPARE(exchangeNow(*window->transport(), request.bytes, 3).written, -3);
}

void TransportTest::silentWaitSleepsWhileTheWindowTurns()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.silent = true;
    const Frame request = readRequest();

    int ticks = 0;
    QTimer progress;
    connect(&progress, &QTimer::timeout, [&] { ++ticks; });
    progress.start(30);
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    const orlo::Answer answer = exchangeNow(*window->transport(), request.bytes, 3);
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    qInfo("silent 2 s wait: %.3f s wall, %.4f s CPU (%.2f %%)", wall, cpu, 100 * cpu / wall);
    QCOMPARE(answer.written, 27);
    QCOMPARE(answer.read, 0);
    QVERIFY2(wall >= 1.99 && wall < 3.0, qPrintable(QString::number(wall)));
    // A spinning wait would cost a whole core; this one should cost a few per cent at most.
    QVERIFY2(cpu < 0.05 * wall, qPrintable(QString::number(cpu)));
    // 2 s at 30 ms is about 66 ticks; a window blocked by the wait gives none.
    QVERIFY2(ticks >= 40, qPrintable(QString::number(ticks)));
}

void TransportTest::lateReportTakenPromptly()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    m.answerDelayMs = 300;
    const Frame request = readRequest();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(exchangeNow(*window->transport(), request.bytes, 3).read, 27);
    QVERIFY2(clock.elapsed() >= 290 && clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TransportTest::exchangesTakeTurns()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    ModuleLink &link = *window->transport();
    m.answerDelayMs = 300;
    m.received.clear();

    // Asked while the first waits, the second goes out only once the first
    // was answered, and answers come back in the order asked.
    const Frame request = readRequest();
    QList<int> order;
    std::size_t receivedAtSecondAnswer = 0;
    std::size_t receivedWhileFirstWaits = 0;
    link.exchange(request.bytes, 3, ModuleLink::kPageBounds, [&](const orlo::Answer &a) {
        order << 1;
        QCOMPARE(a.read, 27);
    });
    QTimer::singleShot(50, [&] {
        receivedWhileFirstWaits = m.received.size();
        link.exchange(request.bytes, 3, ModuleLink::kWidgetPageBounds, [&](const orlo::Answer &a) {
            order << 2;
            QCOMPARE(a.read, 27);
            receivedAtSecondAnswer = m.received.size();
        });
    });
    QTRY_COMPARE(order, (QList<int>{1, 2}));
    QCOMPARE(receivedWhileFirstWaits, std::size_t(1));
    QCOMPARE(receivedAtSecondAnswer, std::size_t(2));
    QTRY_VERIFY(!link.busy());
}

void TransportTest::longBoundsAndNoLookMeanwhile()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kQuietId, kQuietPage);
    auto *poll = child<QTimer>(*window, "pollTimer");
    ModuleLink *hid = window->transport();

    // An answer later than the main window's 2 s bound is still within the widget pages'.
    m.answerDelayMs = 2500;
    const Frame request = readRequest();
    bool lookedDuringRead = true;
    QTimer::singleShot(500, [&] {
        window->Connexion();
        lookedDuringRead = hid->polling();
    });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(exchangeNow(*hid, request.bytes, 3, ModuleLink::kWidgetPageBounds).read, 27);
    QVERIFY(clock.elapsed() >= 2400);
    QVERIFY2(!lookedDuringRead, "detection must not look at the bus during an exchange");
    QVERIFY(poll->isActive());
    QCOMPARE(poll->interval(), 500);
}

ORLO_TEST_MAIN(TransportTest)
#include "tst_transport.moc"
