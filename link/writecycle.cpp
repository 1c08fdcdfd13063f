#include "app/mainwindow.h"
#include "link/transport.h"
#include "link/writecycle.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <cstring>
#include <iterator>

namespace orlo {

namespace {
constexpr int kLastProgress = 100;
CycleObserver *observer = nullptr;
} // namespace

void setCycleObserver(CycleObserver *o)
{
    observer = o;
}

void removeCycleObserver(CycleObserver *o)
{
    if (observer == o)
        observer = nullptr;
}

void noteRestoredDefaults(const QPushButton *button, bool accepted)
{
    if (observer)
        observer->restoredDefaults(button, accepted);
}

bool runWriteCycle(const CycleLink &link, quint8 *tx, quint8 *rx, const WriteCycle &cycle)
{
    // Events turn while the answer is awaited: never a cycle inside a cycle.
    if (exchangeInProgress())
        return false;
    if (observer && observer->keepsFrame(tx + 1, cycle.reports))
        return false;
    // The answer may land in the same buffer: what was sent is kept apart.
    quint8 sent[kFrameBufferSize];
    std::memcpy(sent, tx, sizeof sent);
    const int expected = kReportSize * cycle.reports;
    cycle.button->setEnabled(false);
    if (cycle.otherButton)
        cycle.otherButton->setEnabled(false);
    cycle.result->setText(result::kBusy);
    // No detection tick and no measurement exchange may start inside the cycle.
    if (link.pollTimer)
        link.pollTimer->stop();
    // Only the page timers that were running resume: a one-shot timer that
    // already fired stays quiet.
    QTimer *const pageTimers[] = {cycle.measurementTimer, cycle.informationTimer};
    bool resume[std::size(pageTimers)] = {};
    for (std::size_t i = 0; i < std::size(pageTimers); ++i) {
        resume[i] = pageTimers[i] && pageTimers[i]->isActive();
        if (pageTimers[i])
            pageTimers[i]->stop();
    }

    int total = link.write(tx, quint8(cycle.reports));
    if (link.progressTimer)
        link.progressTimer->start(cycle.progressIntervalMs);
    if (total == expected) {
        // What the send left in the buffer never passes for the answer.
        if (rx == tx)
            std::memset(rx, 0, kFrameBufferSize);
        total = link.read(rx, quint8(cycle.reports), 1);
    }
    if (link.progressTimer)
        link.progressTimer->stop();
    bool accepted = total == expected && rx[1] == 0;
    if (observer)
        accepted = observer->finished(link, sent + 1, cycle, accepted);
    for (std::size_t i = 0; i < std::size(pageTimers); ++i)
        if (resume[i])
            pageTimers[i]->start();
    if (link.pollTimer)
        link.pollTimer->start();
    cycle.progressBar->setValue(0);

    cycle.result->setText(accepted ? result::kOk : result::kFailed);
    if (cycle.reenableButton)
        cycle.button->setEnabled(true);
    if (cycle.otherButton)
        cycle.otherButton->setEnabled(true);
    return accepted;
}

void stepProgress(QProgressBar *bar)
{
    bar->setValue(bar->value() >= kLastProgress ? 0 : bar->value() + 1);
}

} // namespace orlo

bool MainWindow::runWriteCycle(const WriteCycle &cycle)
{
    const CycleLink link{[this](quint8 *frame, quint8 count) { return writeReports(frame, count); },
                         [this](quint8 *frame, quint8 count, int mode) { return readReports(frame, count, mode); },
                         progressTimer.get(), pollTimer};
    return orlo::runWriteCycle(link, txBuffer, rxBuffer, cycle);
}

void orlo::warnInvalidConfiguration(QWidget *parent, QLabel *resultLabel, const WarningTexts &texts,
                                    const QStringList &lines)
{
    QString text;
    QTextStream stream(&text);
    resultLabel->setText(result::kInvalid);
    if (observer)
        observer->refused(lines);
    stream << texts.header;
    for (const QString &line : lines)
        stream << line;
    stream << texts.footer;
    stream.flush();
    QMessageBox::warning(parent, texts.title, text, QMessageBox::Ok, QMessageBox::Ok);
    resultLabel->setText(QString());
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
