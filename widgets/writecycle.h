// The configuration write cycle on a page: its buttons, progress bar and
// result label around the link's exchange, and the invalid-configuration box.
#pragma once

#include "link/writecycle.h"

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

struct WriteCycle {
    QPushButton *button;
    QProgressBar *progressBar;
    QLabel *result;
    int reports;                        // frame length N of the module type
    int progressIntervalMs = 30;
    QTimer *measurementTimer = nullptr; // paused during the cycle too
    bool reenableButton = true;         // false: the page re-enables it itself
    QTimer *informationTimer = nullptr; // module information exchange, paused too
    QPushButton *otherButton = nullptr; // a Default beside Write: disabled meanwhile too
};

namespace orlo {
// The configuration write cycle of every page: the buttons disabled and the
// label "Configuration..." while the exchange runs, then "OK" when the module
// accepted, else "Echec"; `done` (may be empty) learns which. The page goes
// on meanwhile; the cycle takes its turn after an exchange already asked.
void runWriteCycle(const CycleLink &link, const quint8 *tx, quint8 *rx, const WriteCycle &cycle,
                   std::function<void(bool accepted)> done = {});
// The result label shows `word` (one of result::k*, or empty) translated
// (context "orlo::result"). The label keeps the word: a language change shows
// it again (retranslateResult) and code asks the word (resultWord), never the
// shown text.
void showResult(QLabel *label, const QString &word);
// The word the label shows; empty when it shows none, or a text set otherwise since.
QString resultWord(const QLabel *label);
// The word shown again in the language now installed.
void retranslateResult(QLabel *label);
// One tick of a write's progress bar: up to 100, then back to 0.
void stepProgress(QProgressBar *bar);
// The invalid-configuration box over `parent`, the failed checks' lines
// between the texts' header and footer; the label reads "Invalide" while it
// is open. The box shows the texts translated (title, header and footer in
// context "orlo::warning", lines in "orlo::checks"; a line already translated
// shows as it is); `observer` (may be null) is told of the refusal in the
// lines as given.
void warnInvalidConfiguration(CycleObserver *observer, QWidget *parent, QLabel *resultLabel,
                              const WarningTexts &texts, const QStringList &lines);
} // namespace orlo
