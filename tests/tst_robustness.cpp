// Every module type against a module that answers anything: random stored
// records and random answers to every command, some cut short or missing,
// buttons of the page pressed at random, the module unplugged at random
// moments (also in the middle of an exchange). Whatever happens, the program
// must not crash, every wait ends within its bound, no request starts before
// the previous answer was read or its bound ran out, nothing is written to a
// module after it left (beyond the rest of a request it was already sending),
// "OK" is shown only for a complete answer whose first byte is 0, and no
// configuration is sent unless the last read of the stored one came whole.
//
// The suite runs one fixed seed, so that a run is repeatable;
// ORLO_ROBUSTNESS_SEED=<n> runs another, ORLO_ROBUSTNESS_SEED=random a fresh
// one. The seed is printed.
#include "link/modulelink.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>
#include <algorithm>
#include <atomic>
#include <cstdio>

using namespace testing;

namespace {

constexpr int kPlugsPerType = 30;
constexpr int kPressesPerPlug = 40;
// Answers cut short or missing cost a whole read bound each: a few in all.
constexpr int kMostShortAnswers = 3;
constexpr int kShortAnswerOdds = 120;
// Margins over a bound, for a loaded machine and the sanitizers.
constexpr int kLateMarginMs = 1500;
constexpr int kEarlyMarginMs = 50;
// A page's live readings start a couple of seconds after it is shown, and
// the temperature pages let the user write only after the first one: one
// plug of a quarter of the types (which quarter depends on the seed) stays
// that long, all other plugs come and go quickly.
constexpr int kLongStayMs = 2300;
constexpr int kLongStayShare = 4;
const QString kOk = QStringLiteral("OK");

struct Totals {
    // Counted by the firmware, on the link's thread.
    std::atomic<int> answers{0};
    std::atomic<int> shortAnswers{0};
    int presses = 0;
    int unplugs = 0;
    int unplugsInExchange = 0;
    int boxesClosed = 0;
} totals;

// Read bound of the transport a module type's page uses: the repeater and
// LoRaWAN pages exchange with the link's longer bounds, all others with the main window's.
constexpr int kMainWindowReadBoundMs = 2000;
int readBoundOf(const orlo::ModuleEntry &entry)
{
    const bool widgetPage = entry.type == orlo::ModuleType::RPT_r00 || entry.type == orlo::ModuleType::RSLW_r00;
    return widgetPage ? ModuleLink::kWidgetPageBounds.readMs : kMainWindowReadBoundMs;
}

// One request and what became of its answer.
struct Exchange {
    std::uint8_t command = 0;
    QElapsedTimer since;        // from the request's last report
    int answered = 0;           // reports the module sent back
    std::uint8_t status = 0xFF; // first byte of the answer
    int read = 0;               // reports the program read
};

// Follows the bus traffic of the module plugged now and notes every fault.
class Watch
{
public:
    Watch(int reports, int boundMs) : reports(reports), boundMs(boundMs) {}

    QStringList faults;
    std::vector<Exchange> exchanges;

    void see(const sim::Traffic &traffic)
    {
        if (traffic.direction == sim::Traffic::FromModule) {
            if (!exchanges.empty())
                ++exchanges.back().read;
            return;
        }
        if (pending == 0) {
            requestStarts();
            command = traffic.report.front();
        }
        if (++pending == reports) {
            pending = 0;
            configurationSent();
            exchanges.emplace_back();
            exchanges.back().command = command;
            exchanges.back().since.start();
        }
    }

    // Called by the firmware once it has answered the last request.
    void answered(int count, std::uint8_t status)
    {
        if (exchanges.empty())
            return;
        exchanges.back().answered = count;
        exchanges.back().status = status;
    }

    // A user action (a press, a detection tick) runs from here to actionEnds.
    void actionStarts() { actionFrom = exchanges.size(); }
    void actionEnds() { waitEnded(); }

    // Index of the first exchange of the current action.
    std::size_t actionFrom = 0;

private:
    void requestStarts()
    {
        if (exchanges.empty())
            return;
        const Exchange &last = exchanges.back();
        const qint64 gap = last.since.elapsed();
        if (last.read < reports && gap < boundMs - kEarlyMarginMs)
            faults << QStringLiteral("command %1 sent %2 ms after command %3, whose answer was not read (%4 of %5 reports)")
                          .arg(command).arg(gap).arg(last.command).arg(last.read).arg(reports);
        waitEnded();
    }

    // A write, a write with counters cleared or a restore of the defaults
    // replaces what the module stores: only over a record read whole.
    void configurationSent()
    {
        if (command != orlo::command::WriteConfiguration && command != orlo::command::WriteAndClearCounters
            && command != orlo::command::RestoreDefaults)
            return;
        const auto lastRead = std::find_if(exchanges.rbegin(), exchanges.rend(), [](const Exchange &e) {
            return e.command == orlo::command::ReadConfiguration;
        });
        if (lastRead == exchanges.rend() || lastRead->read < reports)
            faults << QStringLiteral("command %1 sent after a read of the stored record that failed").arg(command);
    }

    // The wait for the last answer of this action ended within its bound.
    void waitEnded()
    {
        if (exchanges.size() <= actionFrom)
            return;
        const Exchange &last = exchanges.back();
        if (last.read < reports && last.since.elapsed() > boundMs + kLateMarginMs)
            faults << QStringLiteral("the wait for the answer to command %1 lasted %2 ms")
                          .arg(last.command).arg(last.since.elapsed());
    }

    int reports;
    int boundMs;
    int pending = 0;
    std::uint8_t command = 0;
};

// The watch of the module plugged now, on the test's thread; none between tests.
Watch *liveWatch = nullptr;

// Answers every command with random bytes; now and then cut short or not at
// all. It runs on the link's thread: a generator of its own, and what it
// answered told to the live watch on the test's thread, after the request's traffic.
class RandomFirmware : public sim::Firmware
{
public:
    RandomFirmware(QRandomGenerator &seeds, bool shortAnswers, bool firstReadFails = false)
        : random(seeds.generate()), shortAnswers(shortAnswers), readFails(firstReadFails) {}

    sim::Bytes answer(sim::Module &module, const sim::Bytes &request) override
    {
        const int reports = module.reportsPerFrame;
        sim::Bytes bytes;
        // The stored record most of the time, so that a page shows one record
        // in full; any bytes otherwise.
        if (request.front() == orlo::command::ReadConfiguration && random.bounded(4) != 0)
            bytes = module.stored;
        else
            bytes = randomBytes(random, 8 * std::size_t(reports));
        // Accepted about half of the time.
        if (random.bounded(2) == 0)
            bytes.front() = 0;
        module.answerDelayMs = random.bounded(4) == 0 ? int(random.bounded(25)) : 0;
        int sent = reports;
        if (readFails && request.front() == orlo::command::ReadConfiguration) {
            readFails = false;
            sent = int(random.bounded(reports));
        } else if (shortAnswers && totals.shortAnswers < kMostShortAnswers && random.bounded(kShortAnswerOdds) == 0) {
            sent = int(random.bounded(reports));
            ++totals.shortAnswers;
        }
        module.answerReports = sent;
        ++totals.answers;
        const std::uint8_t status = bytes.front();
        QMetaObject::invokeMethod(
            qApp,
            [sent, status] {
                if (liveWatch)
                    liveWatch->answered(sent, status);
            },
            Qt::QueuedConnection);
        return bytes;
    }

    static sim::Bytes randomBytes(QRandomGenerator &random, std::size_t size)
    {
        sim::Bytes bytes(size);
        for (std::uint8_t &b : bytes)
            b = std::uint8_t(random.bounded(256));
        return bytes;
    }

private:
    QRandomGenerator random;
    bool shortAnswers;
    bool readFails;
};

QtMessageHandler forwardMessage = nullptr;

// Every message box shown offscreen warns that the platform cannot size it:
// hundreds of lines here that say nothing about the program.
void dropOffscreenNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    forwardMessage(type, context, message);
}

// What a user can press or pick on the page: buttons, tab bars, checkable
// group boxes, lists and spin boxes. A message box the page opened is a
// window of its own (closed, and deleted, by the test's closer), not part of
// the page.
QList<QWidget *> pressable(QWidget *page)
{
    QList<QWidget *> all;
    for (QComboBox *c : page->findChildren<QComboBox *>())
        if (c->isVisible() && c->isEnabled() && c->count() > 1)
            all << c;
    for (QAbstractSpinBox *b : page->findChildren<QAbstractSpinBox *>())
        if (b->isVisible() && b->isEnabled() && !b->isReadOnly())
            all << b;
    for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
        if (b->isVisible() && b->isEnabled())
            all << b;
    for (QTabBar *t : page->findChildren<QTabBar *>())
        if (t->isVisible() && t->isEnabled() && t->count() > 1)
            all << t;
    for (QGroupBox *g : page->findChildren<QGroupBox *>())
        if (g->isVisible() && g->isEnabled() && g->isCheckable())
            all << g;
    QList<QWidget *> found;
    for (QWidget *w : all)
        if (w->window() == page->window())
            found << w;
    return found;
}

// Push buttons (write, default, reset, edges) three times in four: they are
// the ones that exchange frames. Once a press was refused with a warning,
// they are left alone until something else on the page changed.
QWidget *pick(const QList<QWidget *> &targets, const QSet<QWidget *> &refused, QRandomGenerator &random)
{
    QList<QWidget *> pushButtons;
    for (QWidget *w : targets)
        if (qobject_cast<QPushButton *>(w) && !refused.contains(w))
            pushButtons << w;
    QList<QWidget *> others;
    for (QWidget *w : targets)
        if (!refused.contains(w))
            others << w;
    if (others.isEmpty())
        others = targets;
    const QList<QWidget *> &from = !pushButtons.isEmpty() && random.bounded(4) != 0 ? pushButtons : others;
    return from[int(random.bounded(from.size()))];
}

void press(QWidget *w, QRandomGenerator &random)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        button->click();
    } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
        tabs->setCurrentIndex(int(random.bounded(tabs->count())));
    } else if (auto *list = qobject_cast<QComboBox *>(w)) {
        list->setCurrentIndex(int(random.bounded(list->count())));
    } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
        spin->stepBy(int(random.bounded(21)) - 10);
    } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
        // What a click on its title's check box does.
        box->setChecked(!box->isChecked());
        emit box->clicked(box->isChecked());
    }
}

} // namespace

class RobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void goneModuleIsSentNothing_data();
    void goneModuleIsSentNothing();
    void anyAnswerAnyMoment_data();
    void anyAnswerAnyMoment();
    void cleanupTestCase();

private:
    static constexpr quint32 kSuiteSeed = 1050264767;
    quint32 seed = 0;
};

void RobustnessTest::initTestCase()
{
    const QString asked = qEnvironmentVariable("ORLO_ROBUSTNESS_SEED");
    bool given = false;
    seed = asked.toUInt(&given);
    if (asked == QLatin1String("random"))
        seed = QRandomGenerator::system()->generate();
    else if (!given)
        seed = kSuiteSeed;
    forwardMessage = qInstallMessageHandler(dropOffscreenNotes);
    std::printf("robustness: seed %u (ORLO_ROBUSTNESS_SEED=%u repeats this run)\n", seed, seed);
    std::fflush(stdout);
}

void RobustnessTest::goneModuleIsSentNothing_data()
{
    QTest::addColumn<bool>("widgetTransport");
    QTest::newRow("main window") << false;
    QTest::newRow("widget pages") << true;
}

// Pulled out after the first report of a request: at most the rest of that
// request still goes to hidapi (and fails), the next request not at all.
void RobustnessTest::goneModuleIsSentNothing()
{
    QFETCH(bool, widgetTransport);
    auto window = freshWindow();
    sim::Module &module = plugAndShow(*window, 0x02E3, "page_ORLO_DI_r2x");
    const auto write = [&](const quint8 *frame) {
        return exchangeNow(*window->transport(), frame, 3,
                           widgetTransport ? ModuleLink::kWidgetPageBounds : ModuleLink::kPageBounds)
            .written;
    };
    const quint8 frame[orlo::kFrameBufferSize] = {0, orlo::command::ReadConfiguration};
    module.unplugAfterReports = 1;
    QVERIFY(write(frame) < orlo::kReportSize * 3);
    QCOMPARE(module.reportsPendingAtUnplug, 1);
    const int rest = module.writesWhileUnplugged;
    QVERIFY(rest <= 2);

    QCOMPARE(write(frame), 0);
    QCOMPARE(module.writesWhileUnplugged, rest);
}

void RobustnessTest::anyAnswerAnyMoment_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < orlo::kModules.size(); ++i)
        QTest::addRow("%04x %s", orlo::kModules[i].productId, orlo::kModules[i].name) << int(i);
}

void RobustnessTest::anyAnswerAnyMoment()
{
    QFETCH(int, index);
    const orlo::ModuleEntry &entry = orlo::kModules[std::size_t(index)];
    QRandomGenerator random(seed ^ (quint32(entry.productId) << 16));
    auto window = freshWindow();
    auto *stack = child<QStackedWidget>(*window, "stackedWidget");
    const int bound = readBoundOf(entry);
    Watch watch(entry.reportsPerFrame, bound);
    liveWatch = &watch;
    const auto forgetWatch = qScopeGuard([] { liveWatch = nullptr; });
    sim::Bench &bench = sim::Bench::instance();
    bench.setTrafficObserver([&watch](const sim::Traffic &traffic) { watch.see(traffic); });
    const DialogCloser closer;
    const int answersBefore = totals.answers;
    bool pressedAny = false;

    // What an action started is answered: every wait ends within its bound.
    ModuleLink &link = *window->transport();
    const auto settle = [&] {
        static_cast<void>(QTest::qWaitFor([&] { return !link.busy() && !link.polling(); },
                                          ModuleLink::kWidgetPageBounds.writeMs + bound + kLateMarginMs));
    };
    // A detection tick as the poll timer would run it, watched as an action.
    const auto tick = [&] {
        watch.actionStarts();
        window->Connexion();
        settle();
        watch.actionEnds();
    };

    for (int plug = 0; plug < kPlugsPerType; ++plug) {
        sim::Module &module = bench.plug(entry.productId);
        // Any bytes, or (more often, as it passes a page's checks more often)
        // the type's own plausible record with a few bytes changed.
        if (random.bounded(4) == 0) {
            module.stored = RandomFirmware::randomBytes(random, module.stored.size());
        } else {
            for (int k = int(random.bounded(4)); k > 0; --k)
                module.stored[random.bounded(int(module.stored.size()))] = std::uint8_t(random.bounded(256));
        }
        const bool longStay = plug == 0 && (quint32(index) + seed) % kLongStayShare == 0;
        // A whole read bound is affordable only on the main window's pages,
        // where one plug also fails its first read of the stored record.
        const bool affordable = bound <= kMainWindowReadBoundMs;
        module.setFirmware(std::make_unique<RandomFirmware>(random, affordable, affordable && plug == 1));
        if (!longStay && random.bounded(4) == 0)
            module.unplugAfterReports = 1 + int(random.bounded(8 * entry.reportsPerFrame));
        watch = Watch(entry.reportsPerFrame, bound);
        // Painting after every press would cost most of the run: only the
        // long stay paints what the random bytes made of the page.
        window->setUpdatesEnabled(longStay);

        // Pulled at a random instant, inside an exchange's wait if one runs then.
        QTimer pull;
        pull.setSingleShot(true);
        bool pulledByTest = false;
        connect(&pull, &QTimer::timeout, &pull, [&] {
            if (!module.plugged())
                return;
            totals.unplugsInExchange += window->transport()->busy();
            pulledByTest = true;
            bench.unplug(module);
        });
        if (!longStay && random.bounded(3) == 0)
            pull.start(int(random.bounded(150)));

        tick();
        QElapsedTimer stay;
        stay.start();
        QSet<QWidget *> refused;
        const int presses = 1 + int(random.bounded(kPressesPerPlug));
        for (int i = 0; (i < presses || (longStay && stay.elapsed() < kLongStayMs))
                        && currentPage(*window) != QLatin1String("page_Connect"); ++i) {
            QWidget *page = stack->currentWidget();
            const QList<QWidget *> targets = pressable(page);
            if (targets.isEmpty()) {
                // A page that never talks to its module has nothing to wait for.
                if (!longStay || module.received.empty())
                    break;
                QTest::qWait(50);
                continue;
            }
            // "OK" left from an earlier press would hide one shown wrongly now.
            for (QLabel *label : window->findChildren<QLabel *>())
                if (label->text() == kOk)
                    label->clear();
            QWidget *target = pick(targets, refused, random);
            const int boxesBeforePress = closer.closed();
            watch.actionStarts();
            press(target, random);
            settle();
            watch.actionEnds();
            if (closer.closed() != boxesBeforePress) {
                for (QWidget *w : targets)
                    if (qobject_cast<QPushButton *>(w))
                        refused.insert(w);
            } else if (!qobject_cast<QPushButton *>(target)) {
                refused.clear();
            }
            pressedAny = true;
            ++totals.presses;
            for (QLabel *label : window->findChildren<QLabel *>()) {
                if (label->text() != kOk)
                    continue;
                const Exchange *write = nullptr;
                for (std::size_t k = watch.actionFrom; k < watch.exchanges.size(); ++k)
                    if (watch.exchanges[k].command != orlo::command::ReadConfiguration
                        && watch.exchanges[k].command != orlo::command::ReadLive)
                        write = &watch.exchanges[k];
                if (!write || write->read != entry.reportsPerFrame || write->answered != entry.reportsPerFrame
                    || write->status != 0)
                    watch.faults << QStringLiteral("%1 shows \"OK\" for %2")
                                        .arg(label->objectName(),
                                             write ? QStringLiteral("command %1 answered %2 (%3 of %4 reports read)")
                                                         .arg(write->command).arg(write->status)
                                                         .arg(write->read).arg(entry.reportsPerFrame)
                                                   : QStringLiteral("no write"));
            }
            // Timers of the page (live readings, detection) get their turn.
            QCoreApplication::processEvents();
            if (longStay)
                QTest::qWait(20 + int(random.bounded(40)));
            else if (random.bounded(16) == 0)
                QTest::qWait(int(random.bounded(20)));
        }

        pull.stop();
        // The module pulls itself out only while it receives a request.
        totals.unplugsInExchange += !module.plugged() && !pulledByTest;
        if (module.plugged())
            bench.unplug(module);
        ++totals.unplugs;
        // The user may press on before detection notices the module is gone.
        if (random.bounded(2) == 0) {
            const QList<QWidget *> targets = pressable(stack->currentWidget());
            if (!targets.isEmpty())
                press(pick(targets, {}, random), random);
        }
        // The page's timers may run before detection notices.
        if (random.bounded(8) == 0)
            QTest::qWait(int(random.bounded(30)));
        tick();
        QTRY_COMPARE(currentPage(*window), QStringLiteral("page_Connect"));

        // Only the rest of a request the program was already sending may
        // still have been handed to hidapi once the module had left.
        const int pending = module.reportsPendingAtUnplug;
        const int allowed = pending > 0 ? entry.reportsPerFrame - pending : 0;
        QVERIFY2(module.writesWhileUnplugged <= allowed,
                 qPrintable(QStringLiteral("%1 reports written to the module after it left (%2 allowed)")
                                .arg(module.writesWhileUnplugged).arg(allowed)));
        watch.faults.removeDuplicates();
        QVERIFY2(watch.faults.isEmpty(), qPrintable(watch.faults.join(QLatin1Char('\n'))));
    }
    bench.setTrafficObserver({});
    totals.boxesClosed += closer.closed();
    // A page with something to press exchanged frames with its module.
    if (pressedAny)
        QVERIFY(totals.answers > answersBefore);
}

void RobustnessTest::cleanupTestCase()
{
    std::printf("robustness: seed %u, %d answers tried (%d cut short or missing), %d presses, "
                "%d unplugs (%d in the middle of an exchange), %d message boxes closed\n",
                seed, totals.answers.load(), totals.shortAnswers.load(), totals.presses, totals.unplugs,
                totals.unplugsInExchange, totals.boxesClosed);
    std::fflush(stdout);
}

ORLO_TEST_MAIN(RobustnessTest)
#include "tst_robustness.moc"
