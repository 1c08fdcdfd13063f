#include "cli/output.h"

#include "link/records/configrecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace orlo::cli {

namespace {

const QString kNone = QStringLiteral("-");

void printJson(const Output &io, const QJsonObject &line)
{
    io.out << QJsonDocument(line).toJson(QJsonDocument::Compact) << '\n';
}

// Own addresses are whole numbers: JSON gives them as numbers.
QJsonValue ownAddressValue(const QString &text)
{
    if (text.isEmpty())
        return QJsonValue(QJsonValue::Undefined);
    bool number = false;
    const int value = text.toInt(&number);
    return number ? QJsonValue(value) : QJsonValue(text);
}

} // namespace

QString moduleName(int productId)
{
    return QStringLiteral("module %1 (%2)").arg(records::productIdText(productId), records::typeName(productId));
}

void showStatus(const Output &io, const QString &text)
{
    if (!io.terminal)
        return;
    io.err << '\r' << text << "\x1b[K";
    io.err.flush();
}

void sayError(const Output &io, const QString &text)
{
    showStatus(io, QString());
    io.err << "orlo-cli: " << text << '\n';
    io.err.flush();
}

void printOutcome(const Output &io, const Outcome &o, bool timed, bool json)
{
    const JournalEntry &row = o.row;
    if (json) {
        QJsonObject line{{QStringLiteral("time"), row.time.toString(Qt::ISODate)},
                         {QStringLiteral("product id"), records::productIdText(row.productId)},
                         {QStringLiteral("module type"), row.moduleType},
                         {QStringLiteral("own address"), ownAddressValue(row.ownAddress)},
                         {QStringLiteral("result"), o.result}};
        const QString remarks = o.checks.isEmpty() ? o.remarks : o.checks.join(QStringLiteral(" "));
        if (!remarks.isEmpty())
            line.insert(QStringLiteral("remarks"), remarks);
        if (!o.checks.isEmpty())
            line.insert(QStringLiteral("checks"), QJsonArray::fromStringList(o.checks));
        printJson(io, line);
    } else if (timed) {
        io.out << journal::timeText(row.time) << ' ' << records::productIdText(row.productId) << ' '
               << (row.ownAddress.isEmpty() ? kNone : row.ownAddress) << ' ' << o.result << '\n';
    } else {
        io.out << o.result << '\n';
    }
    io.out.flush();
}

void printSeriesSummary(const Output &io, int written, int notWritten, bool interrupted, int waiting, bool json)
{
    if (json) {
        QJsonObject summary{{QStringLiteral("written"), written},
                            {QStringLiteral("not written"), notWritten},
                            {QStringLiteral("interrupted"), interrupted}};
        if (waiting >= 0)
            summary.insert(QStringLiteral("waiting for the server"), waiting);
        printJson(io, summary);
    } else {
        io.out << QStringLiteral("series: %1 written, %2 not written%3%4\n")
                      .arg(written)
                      .arg(notWritten)
                      .arg(interrupted ? QStringLiteral(", interrupted") : QString())
                      .arg(waiting > 0 ? QStringLiteral(", %1 waiting for the history server").arg(waiting)
                                       : QString());
    }
    io.out.flush();
}

void printListed(const Output &io, int productId, bool openable, bool json)
{
    if (json)
        printJson(io, {{QStringLiteral("product id"), records::productIdText(productId)},
                       {QStringLiteral("module type"), records::typeName(productId)},
                       {QStringLiteral("access"), openable}});
    else
        io.out << records::productIdText(productId) << ' ' << records::typeName(productId) << ' '
               << (openable ? QStringLiteral("ok") : QStringLiteral("no access (install the udev rule %1)").arg(kUdevRule))
               << '\n';
}

void printHistoryRow(const Output &io, const JournalEntry &row, bool json)
{
    if (json) {
        io.out << QString::fromUtf8(journal::jsonLine(row));
        return;
    }
    // Two spaces apart: a result or a button may hold one.
    io.out << QStringList{journal::timeText(row.time), records::productIdText(row.productId), row.moduleType,
                          row.ownAddress.isEmpty() ? kNone : row.ownAddress, row.result, row.button, row.bench}
                  .join(QStringLiteral("  "))
           << '\n';
}

} // namespace orlo::cli
