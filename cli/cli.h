// orlo-cli: the window's reads, checks, writes, series, journal and history
// for a production bench run by a script. One run is one command line.
#pragma once

#include <QStringList>

class QTextStream;

namespace orlo::cli {

// Exit statuses a script may rely on.
enum Status {
    kDone = 0,
    kNotWritten = 1,        // a write refused by the module, failed or not verified
    kBadInput = 2,          // a bad file, a failed check, a bad command line
    kNoModule = 3,          // no module within the wait, or its read failed
    kNoAccess = 4,          // a module this user may not open
    kHistoryNotWritten = 5, // a row the history could not hold; outranks all but a bad command line
    kInterrupted = 130,
};

// Results go to `out`, messages to `err`; while waiting, a status line on
// `err` when it is a terminal.
struct Output {
    QTextStream &out;
    QTextStream &err;
    bool terminal = false;
};

// The names the window gives itself: both programs find the history in the
// same user data folder. Called once the application object exists.
void nameApplication();

// The arguments after the program's name; gives the exit status.
int run(const QStringList &arguments, const Output &output);

// What SIGINT and SIGTERM do: a wait ends at once, a module in progress is
// finished first. Async-signal-safe.
void interrupt();
void installSignalHandlers();

} // namespace orlo::cli
