#include "widgets/writecycle.h"

#include "widgets/formtexts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>

namespace orlo {

namespace {
constexpr int kLastProgress = 100;
// What the label was given, and the text it showed for it.
const char *const kResultWord = "orloResultWord";
const char *const kResultShown = "orloResultShown";

QString translated(const char *context, const QString &source)
{
    return QCoreApplication::translate(context, source.toUtf8().constData());
}
} // namespace

void showResult(QLabel *label, const QString &word)
{
    const QString shown = word.isEmpty() ? QString() : translated("orlo::result", word);
    label->setProperty(kResultWord, word);
    label->setProperty(kResultShown, shown);
    label->setText(shown);
}

QString resultWord(const QLabel *label)
{
    if (label->text() != label->property(kResultShown).toString())
        return {};
    return label->property(kResultWord).toString();
}

void retranslateResult(QLabel *label)
{
    const QString word = resultWord(label);
    if (!word.isEmpty())
        showResult(label, word);
}

void runWriteCycle(const CycleLink &link, const quint8 *tx, quint8 *rx, const WriteCycle &cycle,
                   std::function<void(bool accepted)> done)
{
    cycle.button->setEnabled(false);
    if (cycle.otherButton)
        cycle.otherButton->setEnabled(false);
    showResult(cycle.result, result::kBusy);
    const CycleRun run{sourceTextOf(cycle.button), cycle.reports, cycle.progressIntervalMs,
                       cycle.measurementTimer, cycle.informationTimer};
    exchangeCycle(link, tx, rx, run, [cycle, done](bool accepted) {
        cycle.progressBar->setValue(0);
        showResult(cycle.result, accepted ? result::kOk : result::kFailed);
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
    showResult(resultLabel, result::kInvalid);
    stream << translated("orlo::warning", texts.header);
    for (const QString &line : lines)
        stream << translated("orlo::checks", line);
    stream << translated("orlo::warning", texts.footer);
    stream.flush();
    QMessageBox::warning(parent, translated("orlo::warning", texts.title), text, QMessageBox::Ok, QMessageBox::Ok);
    showResult(resultLabel, QString());
}

} // namespace orlo
