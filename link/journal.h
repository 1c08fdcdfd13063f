// What this run sent to modules: one entry per configuration exchange, kept
// in memory; shown as a table or written as CSV when asked.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

struct JournalEntry {
    QDateTime time;
    int productId = 0;
    QString moduleType;
    QString module;          // what the module told of itself, as far as known
    QString button;
    QString result;          // "OK", "Echec", "Invalide", with "verified" when read back
    QString remarks;         // failed checks, fields stored otherwise than sent
    QString configuration;   // the fields as in a configuration file
};

class Journal
{
public:
    void append(const JournalEntry &entry) { rows.append(entry); }
    const QVector<JournalEntry> &entries() const { return rows; }
    static QStringList columns();
    static QStringList cells(const JournalEntry &entry);
    // RFC 4180: a header row, CRLF line ends, quotes where a cell needs them; UTF-8.
    QByteArray csv() const;
    // The same rows one at a time, for a file appended to as modules go.
    static QByteArray csvHeader();
    static QByteArray csvRow(const JournalEntry &entry);

private:
    QVector<JournalEntry> rows;
};
