// What the window and orlo-cli do alike around a configuration exchange:
// a series copying one file to module after module, the read-back check
// after a write, the rule on analog inputs, and the history row committed
// before the result shows. Qt Core and Qt SQL only.
#pragma once

#include "link/history.h"
#include "link/journal.h"
#include "link/records/configrecord.h"
#include "link/writecycle.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <functional>
#include <optional>

class ModuleLink;

namespace orlo {

// One file's configuration written to module after module of its type.
// Each module keeps its own address, or the series numbers them.
class Series
{
public:
    // The file a series copies; a file or a type other than the last one's
    // counts from zero again.
    void setFile(const QString &path, int productId, const QJsonObject &fields);
    bool hasFile() const { return !fileFields.isEmpty(); }
    const QString &path() const { return filePath; }
    QString fileName() const;
    int fileProductId() const { return fileProduct; }
    const QJsonObject &fields() const { return fileFields; }
    // Whether a module of `productId` takes this file: the same type.
    bool serves(int productId) const;

    // Own addresses numbered from `first`, or kept by each module (nullopt).
    void numberFrom(std::optional<int> first);
    // The numbered series' name: a history on a server numbers each series
    // once for every bench.
    void setName(const QString &seriesName) { seriesName_ = seriesName; }
    const QString &name() const { return seriesName_; }
    // Own addresses come from `server`'s counter (null: numbered on this bench).
    void shareAddresses(History *server) { counter = server; }
    bool sharesAddresses() const { return counter != nullptr; }
    bool numbering() const { return first.has_value(); }
    int nextAddress() const { return next; }
    int written() const { return writtenCount; }
    // Counting starts again: none written, the first address next.
    void restart();

    // A module of the series comes: its own answer (`answer`, a whole
    // payload) with the file's settings laid over, in its units, its own
    // address kept or numbered. The module now holds the file's values,
    // unless a problem is given (out of addresses at the end of the range,
    // or no server to give one, too: the series stops).
    records::Opened fill(int productId, const quint8 *answer);
    // The file opened on one module copies its own address too (a failed
    // unit replaced); counted when a series is running.
    records::Opened open(int productId, const quint8 *answer, bool counted);
    // The module went, or the page shows its own configuration again: an
    // address the server gave it and it was never sent is released.
    void forgetModule();

    // A write the module accepted, `sent` its payload: counts the module once,
    // and only when what it sent is the file's configuration. True when counted.
    bool accepted(int productId, const quint8 *sent);
    // After a configuration exchange of this module (row `rowId`): the
    // server's address it was sent is written, or failed (the module may
    // hold it: no bench is given it again). The row's remark about it.
    QString settle(bool accepted, const quint8 *sent, int productId, const QString &rowId);
    // The module's page shows the file's values, which it has not received.
    bool awaitsWrite() const { return filled && !wrote; }

    // "Series: tm.json, 3 written, next address 14"
    QString status() const;
    // "From tm.json, not written yet: press Write"
    QString notWrittenLine() const;

private:
    records::Opened hold(int productId, const quint8 *answer, const records::Copy &copy, bool counted);

    QString filePath;
    int fileProduct = 0;
    QJsonObject fileFields;
    std::optional<int> first;
    int next = 0;
    int writtenCount = 0;
    // This module: the payload its page was filled with, whether that was
    // the series' (counted when written), whether a Write was accepted since,
    // and whether one sent the file's configuration.
    QByteArray filledPayload;
    bool filled = false;
    bool inSeries = false;
    bool numberedModule = false;
    bool wrote = false;
    bool counted = false;
    QString seriesName_;
    History *counter = nullptr;
    // The address the server gave this module (in the series of that name:
    // a rename meanwhile does not move it), and whether a write sent it.
    int taken = -1;
    QString takenIn;
    bool takenSent = false;
    int lastTaken = -1;
};

// Reads the module's stored configuration back through `link` after a write
// of `sent` (a payload of `reports` reports); `done` gets an empty remark when
// it stores what it was sent, else the remark naming what differs.
void readBack(const CycleLink &link, int productId, const quint8 *sent, int reports,
              std::function<void(const QString &remark)> done);

// A file saved from a module whose analog input measures another kind than
// the plugged one's: the sentence saying so; empty when they are alike.
QString differentInputs(const QString &path, int fileProductId, int productId);

// What follows every configuration exchange of a program: the read-back
// check when asked, the series' count, and the history's row, committed
// before the exchange's result shows.
class Provisioning : public CycleObserver
{
public:
    Provisioning(ModuleLink &link, History &history);
    ~Provisioning() override;

    Series series;
    bool verify = false;
    // Refusals are not journaled meanwhile (a Save asking the page's frame).
    bool quiet = false;
    // The button a refused configuration came from.
    std::function<QString()> refusingButton;
    // After each row: whether the history holds it.
    std::function<void(const JournalEntry &row, bool saved)> rowRecorded;

    void finished(const CycleLink &link, const quint8 *sent, const CycleRun &run, bool accepted,
                  std::function<void(bool accepted)> result) override;
    void refused(const QStringList &lines) override;

    // A row about the open module now; `sent` (a payload, or null) is the
    // configuration it was sent, else its own stored one tells its address.
    JournalEntry rowNow(const QString &button, const QString &result, const QString &remarks,
                        const quint8 *sent) const;
    // Commits the row; false when the history could not hold it.
    bool record(JournalEntry &row);

    History &history() { return log; }

private:
    ModuleLink &module;
    History &log;
};

} // namespace orlo
