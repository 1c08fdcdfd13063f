// The window's view of the bench's history: a table of its rows, filtered
// by day, product identifier, own address, result and bench, and the rows shown
// exported as CSV or JSON lines.
#pragma once

#include "link/journal.h"

#include <QDialog>
#include <QVector>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orlo {

class History;

class JournalDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows today's rows of `history`, which must outlive the dialog.
    explicit JournalDialog(History &history, QWidget *parent = nullptr);

    // The rows the table shows, oldest first.
    const QVector<JournalEntry> &shownRows() const { return shown; }

    // Reads the history again through the filters as they are set.
    void refresh();

private:
    void exportShown();

    History &history;
    QVector<JournalEntry> shown;
    QDateEdit *fromDate = nullptr;
    QDateEdit *toDate = nullptr;
    QComboBox *productFilter = nullptr;
    QLineEdit *ownAddressFilter = nullptr;
    QComboBox *resultFilter = nullptr;
    QComboBox *benchFilter = nullptr;
    QTableWidget *table = nullptr;
    QLabel *count = nullptr;
    QPushButton *exportButton = nullptr;
};

// Asks where to export (CSV or JSON lines, the extension completed from the
// format chosen); empty when the user gave up.
QString chooseExportPath(QWidget *parent, const QString &suggestedName);

// Writes `rows` at `path`: JSON lines when its name ends in ".jsonl" or
// ".json", else CSV. When it cannot, says why in a warning over `parent`
// and returns false.
bool exportJournal(QWidget *parent, const QVector<JournalEntry> &rows, const QString &path);

// The journal dialog over `parent`, until the user closes it.
void showJournal(QWidget *parent, History &history);

} // namespace orlo
