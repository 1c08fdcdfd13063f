#include "app/journal.h"

#include "link/clockstamp.h"
#include "link/history.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/writecycle.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTableWidget>
#include <QCoreApplication>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWidestColumn = 260;
QString translated(const char *text)
{
    return QCoreApplication::translate("orlo::JournalDialog", text);
}

QString csvFilter() { return translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "CSV (*.csv)")); }
QString jsonLinesFilter() { return translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "JSON lines (*.jsonl)")); }
QString exportTitle() { return translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "Export the journal")); }

QString productText(const orlo::ModuleEntry &module)
{
    return orlo::records::productIdText(module.productId) + QLatin1Char(' ') + QString::fromLatin1(module.name);
}

QString countText(int rows)
{
    if (rows == 0)
        return translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "No row shown"));
    if (rows == 1)
        return translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "1 row shown"));
    return translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "%1 rows shown")).arg(rows);
}

// Adds the chosen filter's extension to a name typed without one.
QString withExtension(const QString &path, const QString &chosenFilter)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("jsonl") || suffix == QLatin1String("json"))
        return path;
    return path + (chosenFilter == jsonLinesFilter() ? QStringLiteral(".jsonl") : QStringLiteral(".csv"));
}

} // namespace

namespace orlo {

JournalDialog::JournalDialog(History &history, QWidget *parent) : QDialog(parent), history(history)
{
    setObjectName(QStringLiteral("journalDialog"));
    setWindowTitle(tr("Journal"));
    auto *layout = new QVBoxLayout(this);

    // Three filters a line, so that the row of them never widens the dialog.
    auto *filters = new QGridLayout;
    constexpr int kFiltersALine = 3;
    int added = 0;
    const auto addFilter = [this, filters, &added](const QString &label, QWidget *field, const char *name) {
        field->setObjectName(QString::fromLatin1(name));
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        const int line = added / kFiltersALine, column = 2 * (added % kFiltersALine);
        filters->addWidget(caption, line, column);
        filters->addWidget(field, line, column + 1);
        ++added;
    };
    const QDate today = currentDateTime().date();
    fromDate = new QDateEdit(today, this);
    toDate = new QDateEdit(today, this);
    for (QDateEdit *edit : {fromDate, toDate}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    addFilter(tr("From"), fromDate, "journalFrom");
    addFilter(tr("To"), toDate, "journalTo");
    productFilter = new QComboBox(this);
    productFilter->addItem(tr("All"), 0);
    for (const ModuleEntry &module : kModules)
        productFilter->addItem(productText(module), int(module.productId));
    addFilter(tr("Product"), productFilter, "journalProduct");
    ownAddressFilter = new QLineEdit(this);
    ownAddressFilter->setPlaceholderText(tr("Any"));
    ownAddressFilter->setMinimumWidth(ownAddressFilter->fontMetrics().averageCharWidth() * 14);
    addFilter(tr("Own address"), ownAddressFilter, "journalOwnAddress");
    resultFilter = new QComboBox(this);
    resultFilter->addItem(tr("All"), QString());
    for (const QString &text : {result::kOk, result::kVerified, result::kFailed, result::kInvalid})
        resultFilter->addItem(text, text);
    addFilter(tr("Result"), resultFilter, "journalResult");
    // The benches that wrote in the history; a long host name does not widen the row.
    // A server that answers again shows its rows, the ones waiting here sent first.
    if (history.reachServer())
        history.sendWaiting();
    benchFilter = new QComboBox(this);
    benchFilter->addItem(tr("All benches"), QString());
    for (const QString &bench : history.benches())
        benchFilter->addItem(bench, bench);
    benchFilter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    benchFilter->setMinimumContentsLength(12);
    addFilter(tr("Bench"), benchFilter, "comboBox_Bench");
    filters->setColumnStretch(2 * kFiltersALine, 1);
    layout->addLayout(filters);

    table = new QTableWidget(0, journal::columns().size(), this);
    table->setObjectName(QStringLiteral("journalTable"));
    table->setHorizontalHeaderLabels(journal::columns());
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    count = new QLabel(this);
    count->setObjectName(QStringLiteral("journalCount"));
    count->setWordWrap(true);
    layout->addWidget(count);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    exportButton = buttons->addButton(tr("Export…"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("journalExport"));
    // Enter in the own-address field filters; it neither exports nor closes.
    for (QAbstractButton *button : buttons->buttons())
        if (auto *push = qobject_cast<QPushButton *>(button))
            push->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, &JournalDialog::exportShown);
    layout->addWidget(buttons);

    // A range never runs backwards: moving one end past the other moves both.
    connect(fromDate, &QDateEdit::dateChanged, this, [this](const QDate &date) {
        if (toDate->date() < date) {
            const QSignalBlocker quiet(toDate);
            toDate->setDate(date);
        }
        refresh();
    });
    connect(toDate, &QDateEdit::dateChanged, this, [this](const QDate &date) {
        if (fromDate->date() > date) {
            const QSignalBlocker quiet(fromDate);
            fromDate->setDate(date);
        }
        refresh();
    });
    connect(productFilter, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &JournalDialog::refresh);
    connect(resultFilter, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &JournalDialog::refresh);
    connect(benchFilter, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &JournalDialog::refresh);
    connect(ownAddressFilter, &QLineEdit::textChanged, this, &JournalDialog::refresh);

    resize(1100, 440);
    refresh();
}

void JournalDialog::refresh()
{
    HistoryFilter filter;
    filter.from = fromDate->date();
    filter.to = toDate->date();
    filter.productId = productFilter->currentData().toInt();
    filter.ownAddress = ownAddressFilter->text().trimmed();
    filter.result = resultFilter->currentData().toString();
    filter.bench = benchFilter->currentData().toString();
    shown = history.rows(filter);

    table->setRowCount(shown.size());
    for (int row = 0; row < shown.size(); ++row) {
        const QStringList cells = journal::cells(shown.at(row));
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

    QString line = countText(shown.size());
    const int kept = history.unwritten().size();
    if (kept > 0)
        line += tr(". %1 kept in memory only: %2.")
                    .arg(kept == 1 ? tr("1 row is") : tr("%1 rows are").arg(kept),
                         history.problem());
    count->setText(line);
    exportButton->setEnabled(!shown.isEmpty());
}

void JournalDialog::exportShown()
{
    QString days = fromDate->date().toString(Qt::ISODate);
    if (toDate->date() != fromDate->date())
        days += QLatin1Char('_') + toDate->date().toString(Qt::ISODate);
    const QString path = chooseExportPath(this, QStringLiteral("journal-%1.csv").arg(days));
    if (path.isEmpty() || !exportJournal(this, shown, path))
        return;
    // Rows the history could not keep are safe once all of them were exported.
    const bool allKept = std::all_of(history.unwritten().begin(), history.unwritten().end(),
                                     [this](const JournalEntry &kept) {
                                         return std::any_of(shown.begin(), shown.end(), [&](const JournalEntry &row) {
                                             return row.id == kept.id;
                                         });
                                     });
    if (allKept)
        history.markExported();
}

QString chooseExportPath(QWidget *parent, const QString &suggestedName)
{
    QString chosenFilter;
    const QString typed = QFileDialog::getSaveFileName(
        parent, exportTitle(),
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(suggestedName),
        csvFilter() + QStringLiteral(";;") + jsonLinesFilter(), &chosenFilter);
    if (typed.isEmpty())
        return {};
    const QString path = withExtension(typed, chosenFilter);
    // The file dialog asked about the name typed, not about the one completed.
    const QString replace = translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "%1 already exists. Replace it?"));
    if (path != typed && QFileInfo::exists(path)
        && QMessageBox::question(parent, exportTitle(), replace.arg(QDir::toNativeSeparators(path)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               != QMessageBox::Yes)
        return {};
    return path;
}

bool exportJournal(QWidget *parent, const QVector<JournalEntry> &rows, const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool jsonLines = suffix == QLatin1String("jsonl") || suffix == QLatin1String("json");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(jsonLines ? journal::jsonLines(rows) : journal::csv(rows)) < 0
        || !file.commit()) {
        const QString unsaved =
            translated(QT_TRANSLATE_NOOP("orlo::JournalDialog", "The journal could not be saved in %1: %2."));
        QMessageBox::warning(parent, exportTitle(), unsaved.arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

void showJournal(QWidget *parent, History &history)
{
    JournalDialog dialog(history, parent);
    dialog.exec();
}

} // namespace orlo
