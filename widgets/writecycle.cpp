#include "widgets/writecycle.h"

#include "link/transport.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>

namespace orlo {

namespace {
constexpr int kLastProgress = 100;
} // namespace

bool runWriteCycle(const CycleLink &link, quint8 *tx, quint8 *rx, const WriteCycle &cycle)
{
    // Events turn while the answer is awaited: never a cycle inside a cycle.
    if (exchangeInProgress())
        return false;
    cycle.button->setEnabled(false);
    if (cycle.otherButton)
        cycle.otherButton->setEnabled(false);
    cycle.result->setText(result::kBusy);
    const bool accepted = exchangeCycle(link, tx, rx,
                                        {cycle.button->text(), cycle.reports, cycle.progressIntervalMs,
                                         cycle.measurementTimer, cycle.informationTimer});
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
