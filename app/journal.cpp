#include "app/journal.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kWidestColumn = 260;

} // namespace

void orlo::showJournal(QWidget *parent, const Journal &journal)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("journalDialog"));
    dialog.setWindowTitle(QStringLiteral("Journal"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *table = new QTableWidget(journal.entries().size(), Journal::columns().size(), &dialog);
    table->setHorizontalHeaderLabels(Journal::columns());
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < journal.entries().size(); ++row) {
        const QStringList cells = Journal::cells(journal.entries().at(row));
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            item->setToolTip(cells.at(column));
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    // A long configuration or remark is read in full in its tool tip.
    for (int column = 0; column < table->columnCount(); ++column)
        table->setColumnWidth(column, qMin(table->columnWidth(column), kWidestColumn));
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(900, 400);
    dialog.exec();
}
