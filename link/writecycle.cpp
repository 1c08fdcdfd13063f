#include "app/mainwindow.h"
#include "link/transport.h"
#include "link/writecycle.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <iterator>

bool MainWindow::runWriteCycle(const WriteCycle &cycle)
{
    // Events turn while the answer is awaited: never a cycle inside a cycle.
    if (orlo::exchangeInProgress())
        return false;
    const int expected = orlo::kReportSize * cycle.reports;
    cycle.button->setEnabled(false);
    cycle.result->setText(result::kBusy);
    // No detection tick and no measurement exchange may start inside the cycle.
    pollTimer->stop();
    // Only the page timers that were running resume: a one-shot timer that
    // already fired stays quiet.
    QTimer *const pageTimers[] = {cycle.measurementTimer, cycle.informationTimer};
    bool resume[std::size(pageTimers)] = {};
    for (std::size_t i = 0; i < std::size(pageTimers); ++i) {
        resume[i] = pageTimers[i] && pageTimers[i]->isActive();
        if (pageTimers[i])
            pageTimers[i]->stop();
    }

    int total = writeReports(txBuffer, quint8(cycle.reports));
    if (progressTimer)
        progressTimer->start(cycle.progressIntervalMs);
    if (total == expected)
        total = readReports(rxBuffer, quint8(cycle.reports), 1);
    if (progressTimer)
        progressTimer->stop();
    for (std::size_t i = 0; i < std::size(pageTimers); ++i)
        if (resume[i])
            pageTimers[i]->start();
    pollTimer->start();
    cycle.progressBar->setValue(0);

    const bool accepted = total == expected && rxBuffer[1] == 0;
    cycle.result->setText(accepted ? result::kOk : result::kFailed);
    if (cycle.reenableButton)
        cycle.button->setEnabled(true);
    return accepted;
}

void MainWindow::warnInvalidConfiguration(QLabel *resultLabel, const WarningTexts &texts,
                                          const QStringList &lines)
{
    QString text;
    QTextStream stream(&text);
    resultLabel->setText(result::kInvalid);
    stream << texts.header;
    for (const QString &line : lines)
        stream << line;
    stream << texts.footer;
    stream.flush();
    QMessageBox::warning(this, texts.title, text, QMessageBox::Ok, QMessageBox::Ok);
    resultLabel->setText(QString());
}

void MainWindow::stepProgress(QProgressBar *bar)
{
    bar->setValue(bar->value() >= 100 ? 0 : bar->value() + 1);
}
