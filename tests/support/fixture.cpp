#include "support/fixture.h"

#include "app/application.h"
#include "link/clockstamp.h"
#include "link/moduletable.h"
#include "support/coreapp.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <sys/resource.h>

namespace testing {

namespace {
QtMessageHandler previousHandler = nullptr;

void failOnBrokenConnection(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("No matching signal")))
        qFatal("broken connect-by-name: %s", qPrintable(message));
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

void initTestApplication()
{
    isolateUserData();
    orlo::initApplication(*QCoreApplication::instance());
    previousHandler = qInstallMessageHandler(failOnBrokenConnection);
}

std::unique_ptr<MainWindow> freshWindow(const QString &history)
{
    sim::Bench::instance().reset();
    orlo::setClockForTesting({});
    // Each window its own history beside the process's, so that the rows a
    // test finds are its own.
    static int windows = 0;
    const QByteArray processHistory = qgetenv("ORLO_HISTORY");
    const QString own = !history.isEmpty() ? history
                                           : QFileInfo(QFile::decodeName(processHistory))
                                                 .dir()
                                                 .filePath(QStringLiteral("window-%1.sqlite").arg(++windows));
    qputenv("ORLO_HISTORY", QFile::encodeName(own));
    auto window = std::make_unique<MainWindow>();
    qputenv("ORLO_HISTORY", processHistory);
    window->show();
    return window;
}

QString currentPage(const MainWindow &window)
{
    return child<QStackedWidget>(window, "stackedWidget")->currentWidget()->objectName();
}

orlo::Answer exchangeNow(ModuleLink &link, const quint8 *frame, int reports, const ModuleLink::Bounds &bounds)
{
    std::optional<orlo::Answer> answer;
    link.exchange(frame, reports, bounds, [&answer](const orlo::Answer &a) { answer = a; });
    if (!QTest::qWaitFor([&answer] { return answer.has_value(); }, bounds.writeMs + bounds.readMs + 5000))
        qFatal("an exchange was never answered");
    return *answer;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool settled(const MainWindow &window, int timeoutMs)
{
    return QTest::qWaitFor([&window] { return !window.transport()->busy(); }, timeoutMs);
}

sim::Module &plugAndShow(MainWindow &window, std::uint16_t productId, const char *page,
                         const std::function<void(sim::Module &)> &prepare)
{
    sim::Module &module = sim::Bench::instance().plug(productId);
    if (prepare)
        prepare(module);
    if (!QTest::qWaitFor([&] { return currentPage(window) == QLatin1String(page); }, 5000))
        qWarning("page %s not shown (showing %s)", page, qPrintable(currentPage(window)));
    // What the page asked of its module once shown was answered.
    static_cast<void>(QTest::qWaitFor([&] { return !window.transport()->busy(); }, 25000));
    return module;
}

bool waitForPage(const MainWindow &w)
{
    return QTest::qWaitFor([&] { return currentPage(w) != QLatin1String("page_Connect"); }, 30000);
}

QWidget *shownPage(const MainWindow &w)
{
    return child<QStackedWidget>(w, "stackedWidget")->currentWidget();
}

QPushButton *configureButton(QWidget *page)
{
    const auto found = page->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^pushButton_Configurer")));
    return found.size() == 1 ? found.front() : nullptr;
}

QLabel *resultLabel(QWidget *page)
{
    const auto found = page->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^label_Resultat_configurer")));
    return found.size() == 1 ? found.front() : nullptr;
}

sim::Bytes pressWrite(QWidget *page, sim::Module &m, std::size_t firstField)
{
    // Pages with a live reading let Write go once the first one came.
    if (!QTest::qWaitFor([&] { return configureButton(page)->isEnabled(); }, 10000))
        return {};
    m.received.clear();
    configureButton(page)->click();
    (void)QTest::qWaitFor([&] { return resultLabel(page)->text() != QLatin1String("Configuration..."); }, 30000);
    const sim::Bytes written = m.lastReceived(orlo::command::WriteConfiguration);
    return written.size() > firstField ? sim::Bytes(written.begin() + long(firstField), written.end()) : written;
}

QList<int> receivedCommands(const sim::Module &module)
{
    QList<int> commands;
    for (const sim::Bytes &frame : module.received)
        commands << (frame.empty() ? -1 : frame.front());
    return commands;
}

int s16At(const sim::Bytes &frame, std::size_t at)
{
    return qint16(quint16(frame.at(at) | (frame.at(at + 1) << 8)));
}

void putS16At(sim::Bytes &frame, std::size_t at, int value)
{
    frame.at(at) = std::uint8_t(value & 0xFF);
    frame.at(at + 1) = std::uint8_t((value >> 8) & 0xFF);
}

MessageBoxCatcher::MessageBoxCatcher()
{
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, &watcher, [this] {
        auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!message)
            return;
        title = message->windowTitle();
        text = message->text();
        buttons = int(message->standardButtons());
        QAbstractButton *chosen = message->defaultButton();
        defaultButton = chosen ? int(message->standardButton(chosen)) : 0;
        seen = true;
        watcher.stop();
        if (chosen)
            chosen->click();
        else
            message->reject();
    });
    watcher.start();
}

} // namespace testing
