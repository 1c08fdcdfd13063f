// One run of orlo-cli: modules waited for on the bus, read, sent a file
// alone or in a series, each exchange a row of the history (and of the
// CSV journal when one is named); or the history read back.
#pragma once

#include "cli/cli.h"
#include "cli/output.h"
#include "link/history.h"
#include "link/modulelink.h"
#include "link/provisioning.h"

#include <QDate>
#include <QFile>
#include <functional>
#include <optional>

namespace orlo::cli {

constexpr int kDefaultWaitSeconds = 30;

// The command line, parsed.
struct Options {
    QString command;
    QString file;
    QString output;
    QString journal;
    QString history;                // the history file (or server) of this run
    QDate since;                    // history: from this day; invalid: every row
    QString bench;                  // history: this bench's rows; empty: every bench's
    qint64 waitMs = kDefaultWaitSeconds * 1000;
    bool waitGiven = false;
    bool verify = false;
    bool json = false;
    int count = 0;                  // 0: until interrupted
    std::optional<int> numberFrom;
    QString seriesName;             // the numbered series the server counts addresses of
};

class Session
{
public:
    Session(const Options &options, const Output &output);

    int list();
    int read();
    int write();
    int series();
    int history();

private:
    enum class Waited { Found, TimedOut, Interrupted, NoAccess };
    // Looks at the bus until `done` (told whether a module was refused)
    // says so, the bound runs out or Ctrl+C comes.
    bool waitUntil(const std::function<bool(bool refused)> &done, qint64 boundMs);
    // Turns this program's event loop until `ask` calls `finished`; Ctrl+C
    // ends the module's wait at once, or lets a write's answer come.
    enum class Interrupt { EndsTheWait, WaitsForTheAnswer };
    void await(const std::function<void(std::function<void()> finished)> &ask,
               Interrupt interrupt = Interrupt::EndsTheWait);
    Waited waitForModule(qint64 boundMs);
    int waitFailed(Waited waited);
    bool waitForUnplug();
    bool loadFile();
    bool openJournal();
    void openHistory();
    void rowRecorded(const JournalEntry &row, bool saved);
    // Says how many rows wait on the bench for the history server.
    void sayWaiting();
    // A history that could not be written outranks what else went wrong.
    int finalStatus(int status) const;
    QByteArray readStored(int productId);
    Outcome writeModule(bool inSeries);
    void error(const QString &text);

    Options options;
    Output io;
    ModuleLink link;
    QByteArray document;
    QFile journal;
    std::optional<History> log;
    std::optional<Provisioning> provisioning;
    JournalEntry lastRow;
    bool historyFailed = false;
    QString saidServerProblem;
};

} // namespace orlo::cli
