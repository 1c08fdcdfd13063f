#include "link/journal.h"

#include "link/records/configrecord.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace journal {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

QString csvCell(QString cell)
{
    if (!cell.contains(QLatin1Char(',')) && !cell.contains(QLatin1Char('"')) && !cell.contains(QLatin1Char('\n'))
        && !cell.contains(QLatin1Char('\r')))
        return cell;
    cell.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

QString csvLine(const QStringList &cells)
{
    QStringList quoted;
    for (const QString &cell : cells)
        quoted << csvCell(cell);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QStringList columns()
{
    // New columns go after the first eight, so that a script reading a
    // column by its place keeps finding it.
    return {QStringLiteral("Time"),     QStringLiteral("Product id"),  QStringLiteral("Module type"),
            QStringLiteral("Module"),   QStringLiteral("Button"),      QStringLiteral("Result"),
            QStringLiteral("Remarks"),  QStringLiteral("Configuration"), QStringLiteral("Own address"),
            QStringLiteral("Identifier"), QStringLiteral("Firmware"),  QStringLiteral("Bench"),
            QStringLiteral("Program"),  QStringLiteral("Id")};
}

QString timeText(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QStringList cells(const JournalEntry &e)
{
    return {timeText(e.time),
            orlo::records::productIdText(e.productId),
            e.moduleType, e.module, e.button, e.result, e.remarks, e.configuration, e.ownAddress, e.identifier,
            e.firmware, e.bench, e.program, e.id};
}

QByteArray csvHeader()
{
    return kByteOrderMark + csvLine(columns()).toUtf8();
}

QByteArray csvRow(const JournalEntry &entry)
{
    return csvLine(cells(entry)).toUtf8();
}

QByteArray csv(const QVector<JournalEntry> &rows)
{
    QByteArray text = csvHeader();
    for (const JournalEntry &entry : rows)
        text += csvRow(entry);
    return text;
}

QByteArray jsonLine(const JournalEntry &entry)
{
    const QStringList names = columns();
    const QStringList values = cells(entry);
    QJsonObject line;
    for (int i = 0; i < names.size(); ++i)
        line.insert(names.at(i).toLower(), values.at(i));
    return QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray jsonLines(const QVector<JournalEntry> &rows)
{
    QByteArray text;
    for (const JournalEntry &entry : rows)
        text += jsonLine(entry);
    return text;
}

} // namespace journal
