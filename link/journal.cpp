#include "link/journal.h"

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

QByteArray Journal::csvHeader()
{
    return csvLine(columns()).toUtf8();
}

QByteArray Journal::csvRow(const JournalEntry &entry)
{
    return csvLine(cells(entry)).toUtf8();
}

QByteArray Journal::csv() const
{
    QByteArray text = csvHeader();
    for (const JournalEntry &entry : rows)
        text += csvRow(entry);
    return text;
}
