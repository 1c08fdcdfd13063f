// What this run sent to modules: one entry per configuration exchange, kept
// in memory only; shown as a table and exported as CSV when the user asks.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

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

private:
    QVector<JournalEntry> rows;
};

namespace orlo {
// The journal as a table in a dialog over `parent`.
void showJournal(QWidget *parent, const Journal &journal);
} // namespace orlo
