// The window keeps answering while a module is slow or silent: a call posted
// to its thread every few milliseconds from another thread is answered
// promptly, whatever the module does, and nothing spins meanwhile.
#include "support/fixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <atomic>
#include <memory>
#include <thread>

using namespace testing;

namespace {

constexpr std::uint16_t kTm = 0x0240;
constexpr std::uint16_t kRepeater = 0x0302;
constexpr int kPostEveryMs = 5;
// The window must answer within 50 ms; a loaded machine or a sanitizer gets
// ten times that before the test fails.
constexpr qint64 kMostLatencyMs = 500;

// Posts a call to the window's thread every few milliseconds from a thread
// of its own and keeps the longest time a call waited to be answered.
class LatencyProbe
{
public:
    explicit LatencyProbe(QObject *onWindowThread)
    {
        state->clock.start();
        poster = std::thread([state = state, target = onWindowThread] {
            while (state->running) {
                const qint64 postedAt = state->clock.elapsed();
                QMetaObject::invokeMethod(
                    target, [state, postedAt] { state->longest = qMax(state->longest, state->clock.elapsed() - postedAt); },
                    Qt::QueuedConnection);
                std::this_thread::sleep_for(std::chrono::milliseconds(kPostEveryMs));
            }
        });
    }
    ~LatencyProbe() { stop(); }
    // The longest wait, once the calls still posted were answered.
    qint64 stop()
    {
        if (poster.joinable()) {
            state->running = false;
            poster.join();
            QCoreApplication::processEvents();
        }
        return state->longest;
    }

private:
    struct State {
        QElapsedTimer clock;
        std::atomic<bool> running{true};
        qint64 longest = 0;     // the window's thread only
    };
    std::shared_ptr<State> state = std::make_shared<State>();
    std::thread poster;
};

} // namespace

class LatencyTest : public QObject
{
    Q_OBJECT

private slots:
    void windowAnswersWhileTheModuleWaits_data();
    void windowAnswersWhileTheModuleWaits();
};

void LatencyTest::windowAnswersWhileTheModuleWaits_data()
{
    QTest::addColumn<int>("productId");
    QTest::addColumn<int>("answerDelayMs");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("watchMs");
    QTest::newRow("TM answering in 1.5 s") << int(kTm) << 1500 << false << false << 5000;
    QTest::newRow("repeater answering in 4 s") << int(kRepeater) << 4000 << false << false << 6000;
    QTest::newRow("silent TM, whole bound") << int(kTm) << 0 << true << false << 4500;
    QTest::newRow("silent repeater, whole bound") << int(kRepeater) << 0 << true << false << 21000;
    QTest::newRow("write cycle") << int(kTm) << 800 << false << true << 0;
}

void LatencyTest::windowAnswersWhileTheModuleWaits()
{
    QFETCH(int, productId);
    QFETCH(int, answerDelayMs);
    QFETCH(bool, silent);
    QFETCH(bool, write);
    QFETCH(int, watchMs);
    auto window = freshWindow();
    window->show();
    sim::Module *module = nullptr;
    if (write) {
        module = &plugAndShow(*window, quint16(productId), "page_ORLO_TM");
        QTRY_VERIFY(!window->transport()->busy());
    }
    LatencyProbe probe(window.get());
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = cpuSeconds();
    if (write) {
        module->answerDelayMs = answerDelayMs;
        QPushButton *button = configureButton(shownPage(*window));
        QTRY_VERIFY(button->isEnabled());
        button->click();
        QTRY_COMPARE_WITH_TIMEOUT(resultLabel(shownPage(*window))->text(), QStringLiteral("OK"), 5000);
    } else {
        sim::Module &plugged = sim::Bench::instance().plug(quint16(productId));
        plugged.answerDelayMs = answerDelayMs;
        plugged.silent = silent;
        QTest::qWait(watchMs);
        // The module was asked meanwhile: the wait measured was a wait on it.
        QVERIFY(!plugged.received.empty());
    }
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpuBefore;
    const qint64 longest = probe.stop();
    qInfo("%s: longest unanswered %lld ms over %.1f s, %.3f s CPU", QTest::currentDataTag(), longest, wall, cpu);
    QVERIFY2(longest < kMostLatencyMs, qPrintable(QString::number(longest)));
    // Waiting costs next to nothing: a spinning wait would take a whole core.
    QVERIFY2(cpu < 0.3 * wall, qPrintable(QString::number(cpu)));
}

ORLO_TEST_MAIN(LatencyTest)
#include "tst_latency.moc"
