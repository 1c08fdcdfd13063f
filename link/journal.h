// One journal row per configuration exchange (a write, a restore of
// defaults, a counter reset, a refusal), and the forms it is exported in.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

struct JournalEntry {
    QString id;              // made on the bench: a row sent twice is stored once
    QDateTime time;
    int productId = 0;
    QString moduleType;      // "unknown" for an identifier outside the module table
    QString module;          // what the module told of itself, as far as known
    QString button;
    QString result;          // "OK", "Echec", "Invalide", with "verified" when read back
    QString remarks;         // failed checks, fields stored otherwise than sent
    QString configuration;   // the fields sent, as in a configuration file (one line of JSON)
    QString bench;           // the computer's host name
    QString program;         // name and version of the program that wrote it
    QString ownAddress;      // the module's own address, where its type has one
    QString identifier;      // the identifier the module told, where it told one
    QString firmware;        // its firmware version, where it told it
};

namespace journal {

QStringList columns();
QStringList cells(const JournalEntry &entry);
// The time as the table and the CSV show it.
QString timeText(const QDateTime &time);

// RFC 4180 with commas and CRLF, UTF-8 with a byte-order mark so that a
// spreadsheet reads the accents: the header and the rows.
QByteArray csv(const QVector<JournalEntry> &rows);
// For a file appended to as modules go: the mark and header once, then rows.
QByteArray csvHeader();
QByteArray csvRow(const JournalEntry &entry);
// One JSON object per line, the columns' names in lower case as keys.
QByteArray jsonLine(const JournalEntry &entry);
QByteArray jsonLines(const QVector<JournalEntry> &rows);

} // namespace journal
