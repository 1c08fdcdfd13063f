// The bench's history: every journal row on disk, in an SQLite database
// reached through Qt SQL, committed before its result is shown. The window
// and orlo-cli may write one file at once. A history that cannot be written
// keeps its rows in memory and says why, so that nothing is lost unseen.
#pragma once

#include "link/journal.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace orlo {

struct HistoryFilter {
    QDate from;              // invalid: from the first row
    QDate to;                // inclusive; invalid: to the last row
    int productId = 0;       // 0: any
    QString ownAddress;      // empty: any
    QString result;          // empty: any
};

class History
{
public:
    // The table's layout; a later program migrates an older file up to its own.
    static constexpr int kSchemaVersion = 1;

    // $ORLO_HISTORY, else history.sqlite in the user's data folder.
    static QString defaultLocation();

    // Opens (and creates) the file at `location`; `program` is written in
    // each row, with the bench's host name.
    History(const QString &location, const QString &program);
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    const QString &location() const { return path; }

    // Gives the row its identifier, bench and program, then commits it
    // together with any row kept from before. False when it could not: the
    // row is kept in memory and problem() says why.
    bool record(JournalEntry &row);

    // Empty while the history is written; else what went wrong last.
    const QString &problem() const { return lastProblem; }
    // Rows that never reached the file, oldest first.
    const QVector<JournalEntry> &unwritten() const { return kept; }
    // Some of them were neither written nor exported: Quit must ask.
    bool hasUnsavedRows() const { return exportedKept < kept.size(); }
    // Every row kept so far was exported by the user.
    void markExported() { exportedKept = kept.size(); }

    // The rows matching `filter`, from the file and from memory, oldest first.
    QVector<JournalEntry> rows(const HistoryFilter &filter = {}) const;

private:
    bool open();
    bool migrate();
    bool insert(const JournalEntry &row);
    void fail(const QString &what, const QString &why);

    QString path;
    QString program;
    QString bench;
    QString connection;      // Qt SQL's name for this object's database link
    bool opened = false;
    QString lastProblem;
    QVector<JournalEntry> kept;
    int exportedKept = 0;
};

} // namespace orlo
