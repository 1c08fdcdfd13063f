#include "app/journal.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

QStringList Journal::columns()
{
    return {QStringLiteral("Time"), QStringLiteral("Product id"), QStringLiteral("Module type"),
            QStringLiteral("Module"), QStringLiteral("Button"), QStringLiteral("Result"),
            QStringLiteral("Remarks"), QStringLiteral("Configuration")};
}

QStringList Journal::cells(const JournalEntry &e)
{
    return {e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            QStringLiteral("0x") + QString::number(e.productId, 16).rightJustified(4, QLatin1Char('0')).toUpper(),
            e.moduleType, e.module, e.button, e.result, e.remarks, e.configuration};
}

namespace {

constexpr int kWidestColumn = 260;

QString csvCell(QString cell)
{
    if (!cell.contains(QLatin1Char(',')) && !cell.contains(QLatin1Char('"')) && !cell.contains(QLatin1Char('\n'))
        && !cell.contains(QLatin1Char('\r')))
        return cell;
    cell.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

QString csvRow(const QStringList &cells)
{
    QStringList quoted;
    for (const QString &cell : cells)
        quoted << csvCell(cell);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QByteArray Journal::csv() const
{
    QString text = csvRow(columns());
    for (const JournalEntry &entry : rows)
        text += csvRow(cells(entry));
    return text.toUtf8();
}

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
