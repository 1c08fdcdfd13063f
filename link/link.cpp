// The main window's frame transport: 1 s to write a frame, 2 s to read one.
#include "app/mainwindow.h"
#include "link/transport.h"

#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int kWriteBoundMs = 1000;
constexpr int kReadBoundMs = 2000;
} // namespace

int MainWindow::writeReports(quint8 *frame, quint8 count)
{
    startTimeoutTimer(kWriteBoundMs);
    const int total = orlo::writeFrame({device, kWriteBoundMs, timeoutFlag, linkFailed}, frame, count);
    stopTimeoutTimer();
    return total;
}

int MainWindow::readReports(quint8 *frame, quint8 count, int mode)
{
    startTimeoutTimer(kReadBoundMs);
    const int total = orlo::readFrame({device, kReadBoundMs, timeoutFlag, linkFailed}, frame, count, mode == 1);
    stopTimeoutTimer();
    return total;
}

void MainWindow::startTimeoutTimer(int ms)
{
    timeoutFlag = false;
    timeoutTimer->start(ms);
}

void MainWindow::stopTimeoutTimer()
{
    timeoutTimer->stop();
}

void MainWindow::InCaseOfTimeout()
{
    timeoutFlag = true;
}

void MainWindow::delay(int millisecondsToWait)
{
    // Sleeps in the event loop (monotonic timer), repainting meanwhile.
    QEventLoop loop;
    QTimer::singleShot(qMax(0, millisecondsToWait), &loop, &QEventLoop::quit);
    loop.exec();
}
