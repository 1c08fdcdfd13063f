// The main window's frame transport: 1 s to write a frame, 2 s to read one.
#include "app/mainwindow.h"
#include "link/hid.h"
#include "link/trace.h"
#include "link/transport.h"

#include <QEventLoop>
#include <QTimer>
#include <cstring>

namespace {
constexpr int kWriteBoundMs = 1000;
constexpr int kReadBoundMs = 2000;
} // namespace

int MainWindow::writeReports(quint8 *frame, quint8 count)
{
    // Inside another exchange's wait: refused before the bound of the
    // exchange that waits is touched. A configuration is sent only over a
    // record that was read.
    if (orlo::exchangeInProgress() || !hid->storedRead().allows(frame[1]))
        return 0;
    startTimeoutTimer(kWriteBoundMs);
    const int total = orlo::writeFrame({device, kWriteBoundMs, timeoutFlag, linkFailed}, frame, count);
    stopTimeoutTimer();
    return total;
}

int MainWindow::readReports(quint8 *frame, quint8 count, int mode)
{
    if (orlo::exchangeInProgress())
        return 0;
    startTimeoutTimer(kReadBoundMs);
    const int total = orlo::readFrame({device, kReadBoundMs, timeoutFlag, linkFailed}, frame, count, mode == 1);
    stopTimeoutTimer();
    return total;
}

bool MainWindow::requestCommand(quint8 command, int reports, int mode)
{
    const int expected = orlo::kReportSize * reports;
    txBuffer[0] = 0;
    txBuffer[1] = command;
    if (writeReports(txBuffer, quint8(reports)) != expected)
        return false;
    return readReports(rxBuffer, quint8(reports), mode) == expected;
}

const quint8 *MainWindow::readStoredConfiguration(int reports)
{
    return readStoredConfiguration(reports, "/*** Lecture de la configuration ***/\n");
}

const quint8 *MainWindow::readStoredConfiguration(int reports, const char *trace)
{
    orlo::trace(trace);
    std::memset(txBuffer, 0, sizeof txBuffer);
    // A failed read shows zeros rather than the bytes of an earlier exchange.
    std::memset(rxBuffer, 0, sizeof rxBuffer);
    orlo::StoredRead &stored = hid->storedRead();
    const bool whole = requestCommand(orlo::command::ReadConfiguration, reports, stored.readMode());
    stored.record(whole, orlo::StoredRead::now());
    stored.replaceAnswer(rxBuffer + 1, whole);
    return answerPayload();
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
    QTimer::singleShot(qMax(0, millisecondsToWait), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
