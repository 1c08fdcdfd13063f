// orlo-cli: the window's reads, checks, writes, series and journal for a
// production bench run by a script. One run is one command line.
#pragma once

#include <QStringList>

class QTextStream;

namespace orlo::cli {

// Exit statuses a script may rely on.
enum Status {
    kDone = 0,
    kNotWritten = 1,      // a write refused by the module, failed or not verified
    kBadInput = 2,        // a bad file, a failed check, a bad command line
    kNoModule = 3,        // no module within the wait, or its read failed
    kNoAccess = 4,        // a module this user may not open
    kInterrupted = 130,
};

// Results go to `out`, messages to `err`; while waiting, a status line on
// `err` when it is a terminal.
struct Output {
    QTextStream &out;
    QTextStream &err;
    bool terminal = false;
};

// The arguments after the program's name; gives the exit status.
int run(const QStringList &arguments, const Output &output);

// What SIGINT and SIGTERM do: a wait ends at once, a module in progress is
// finished first. Async-signal-safe.
void interrupt();
void installSignalHandlers();

} // namespace orlo::cli
