// The main window's pages reach their module through the one link, with the
// main window's bounds: 1 s to write a frame, 2 s to read one.
#include "app/mainwindow.h"
#include "link/modulelink.h"
#include "widgets/writecycle.h"

#include <QEventLoop>
#include <QTimer>
#include <cstring>

int MainWindow::writeReports(quint8 *frame, quint8 count)
{
    return link->writeReports(frame, count);
}

int MainWindow::readReports(quint8 *frame, quint8 count, int mode)
{
    return link->readReports(frame, count, mode);
}

bool MainWindow::requestCommand(quint8 command, int reports, int mode)
{
    return link->requestCommand(command, reports, mode);
}

const quint8 *MainWindow::readStoredConfiguration(int reports)
{
    return readStoredConfiguration(reports, "/*** Lecture de la configuration ***/\n");
}

const quint8 *MainWindow::readStoredConfiguration(int reports, const char *trace)
{
    return link->readStoredConfiguration(reports, trace);
}

void MainWindow::clearRequest()
{
    std::memset(link->txBuffer, 0, sizeof link->txBuffer);
}

quint8 *MainWindow::requestPayload()
{
    return link->txBuffer + 1;
}

const quint8 *MainWindow::answerPayload() const
{
    return link->rxBuffer + 1;
}

void MainWindow::InCaseOfTimeout()
{
    link->endWait();
}

void MainWindow::delay(int millisecondsToWait)
{
    // Sleeps in the event loop (monotonic timer), repainting meanwhile.
    QEventLoop loop;
    QTimer::singleShot(qMax(0, millisecondsToWait), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool MainWindow::runWriteCycle(const WriteCycle &cycle)
{
    const CycleLink through{[this](quint8 *frame, quint8 count) { return writeReports(frame, count); },
                            [this](quint8 *frame, quint8 count, int mode) { return readReports(frame, count, mode); },
                            progressTimer.get(), pollTimer};
    return orlo::runWriteCycle(through, link->txBuffer, link->rxBuffer, cycle);
}

void MainWindow::warnInvalidConfiguration(QLabel *resultLabel, const WarningTexts &texts,
                                          const QStringList &lines)
{
    orlo::warnInvalidConfiguration(this, resultLabel, texts, lines);
}

void MainWindow::stepProgress(QProgressBar *bar)
{
    orlo::stepProgress(bar);
}
