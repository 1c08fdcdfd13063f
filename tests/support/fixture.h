// Shared test fixtures: the application set up as the program does, a fresh
// main window per test on the module simulator, and modal-box handling.
#pragma once

#include "app/mainwindow.h"
#include "link/modulelink.h"
#include "sim/simbench.h"

#include <QString>

class QLabel;
class QPushButton;
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>


namespace testing {

// Application identity, resources, the user's files out of reach (see
// isolateUserData), and a message handler that fails the test on a broken
// connect-by-name ("No matching signal ...").
void initTestApplication();

// A fresh window on an empty bench (and the real clock), with a history of
// its own: a new file, or the one named.
std::unique_ptr<MainWindow> freshWindow(const QString &history = {});

// One exchange on a module link, waited for with the event loop turning:
// the answer a page would get.
orlo::Answer exchangeNow(ModuleLink &link, const quint8 *frame, int reports,
                         const ModuleLink::Bounds &bounds = ModuleLink::kPageBounds);

// The exchanges asked so far were answered and the page shows what came
// back (the repeater and LoRaWAN-serial pages' bounds are long).
bool settled(const MainWindow &window, int timeoutMs = 30000);

// Processor time this process used so far, in seconds: a wait that spins shows here.
double cpuSeconds();

// Object name of the page the window shows.
QString currentPage(const MainWindow &window);

// Plugs a module and waits until its page is shown.
sim::Module &plugAndShow(MainWindow &window, std::uint16_t productId, const char *page,
                         const std::function<void(sim::Module &)> &prepare = {});

// Catches the next modal QMessageBox while it lives: records what it said
// and closes it with its default button.
class MessageBoxCatcher
{
public:
    MessageBoxCatcher();
    QString title;
    QString text;
    int buttons = 0;              // QMessageBox::StandardButtons
    int defaultButton = 0;
    bool seen = false;

private:
    QTimer watcher;
};

// Waits until a module page is shown, whichever.
bool waitForPage(const MainWindow &window);
// The page the window shows, its one Write button and its result label.
QWidget *shownPage(const MainWindow &window);
QPushButton *configureButton(QWidget *page);
QLabel *resultLabel(QWidget *page);
// Write pressed once the page lets it go: the frame the module received
// from firstField on (the clock stamp left out), empty when nothing was sent.
sim::Bytes pressWrite(QWidget *page, sim::Module &module, std::size_t firstField);

// The command (first payload byte) of each frame the module received, in order.
QList<int> receivedCommands(const sim::Module &module);
// Frames at the module's side: a signed little-endian 16-bit field, and the
// same written into a record.
int s16At(const sim::Bytes &frame, std::size_t at);
void putS16At(sim::Bytes &frame, std::size_t at, int value);

// The page family of the given class in the window.
template <typename Family>
Family &family(const MainWindow &window)
{
    Family *found = window.findChild<Family *>();
    if (!found)
        qFatal("no page family %s", Family::staticMetaObject.className());
    return *found;
}

template <typename W>
W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

} // namespace testing

#define ORLO_TEST_MAIN(TestClass)                     \
    int main(int argc, char *argv[])                  \
    {                                                 \
        QApplication app(argc, argv);                 \
        testing::initTestApplication();               \
        TestClass test;                               \
        return QTest::qExec(&test, argc, argv);       \
    }
