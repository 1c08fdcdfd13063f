// What orlo-cli prints: results, module lists and history rows on standard
// output; messages and the waiting line on standard error. The words and
// keys scripts read stay the same whatever the language.
#pragma once

#include "cli/cli.h"
#include "link/journal.h"

#include <QString>
#include <QStringList>

namespace orlo::cli {

inline const QString kUdevRule = QStringLiteral("60-orlo-modules.rules");

// "module 0x02AE (TM_868)", as messages name a module.
QString moduleName(int productId);

// A message on standard error, after the waiting line is cleared.
void sayError(const Output &io, const QString &text);
// The line a terminal shows while waiting; empty clears it.
void showStatus(const Output &io, const QString &text);

// What became of one module.
struct Outcome {
    int status = kDone;
    QString result;
    QString remarks;
    QStringList checks;         // the failed checks of a refused configuration
    JournalEntry row;           // the history's row about it
    bool stopsSeries = false;   // no address left to number
};

// Its result: the word alone (write), with time, product id and own address
// (series), or one JSON object.
void printOutcome(const Output &io, const Outcome &outcome, bool timed, bool json);
// `waiting`: rows waiting for the history server (-1 without a server).
void printSeriesSummary(const Output &io, int written, int notWritten, bool interrupted, int waiting, bool json);
void printListed(const Output &io, int productId, bool openable, bool json);
// One history row: the columns a bench operator looks for, or every column
// as the journal's JSON line.
void printHistoryRow(const Output &io, const JournalEntry &row, bool json);

} // namespace orlo::cli
