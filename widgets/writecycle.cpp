#include "widgets/writecycle.h"


#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>

namespace orlo {

namespace {
constexpr int kLastProgress = 100;
} // namespace

void runWriteCycle(const CycleLink &link, const quint8 *tx, quint8 *rx, const WriteCycle &cycle,
                   std::function<void(bool accepted)> done)
{
    cycle.button->setEnabled(false);
    if (cycle.otherButton)
        cycle.otherButton->setEnabled(false);
    cycle.result->setText(result::kBusy);
    const CycleRun run{cycle.button->text(), cycle.reports, cycle.progressIntervalMs, cycle.measurementTimer,
                       cycle.informationTimer};
    exchangeCycle(link, tx, rx, run, [cycle, done](bool accepted) {
        cycle.progressBar->setValue(0);
        cycle.result->setText(accepted ? result::kOk : result::kFailed);
        if (cycle.reenableButton)
            cycle.button->setEnabled(true);
        if (cycle.otherButton)
            cycle.otherButton->setEnabled(true);
        if (done)
            done(accepted);
    });
}

void stepProgress(QProgressBar *bar)
{
    bar->setValue(bar->value() >= kLastProgress ? 0 : bar->value() + 1);
}

void warnInvalidConfiguration(CycleObserver *observer, QWidget *parent, QLabel *resultLabel,
                              const WarningTexts &texts, const QStringList &lines)
{
    QString text;
    QTextStream stream(&text);
    // The refusal is in the history before its label shows.
    noteRefused(observer, lines);
    resultLabel->setText(result::kInvalid);
    stream << texts.header;
    for (const QString &line : lines)
        stream << line;
    stream << texts.footer;
    stream.flush();
    QMessageBox::warning(parent, texts.title, text, QMessageBox::Ok, QMessageBox::Ok);
    resultLabel->setText(QString());
}

} // namespace orlo
