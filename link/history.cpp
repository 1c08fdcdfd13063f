#include "link/history.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>
#include <QVariant>

namespace orlo {

namespace {

const char *const kLocationVariable = "ORLO_HISTORY";
const QString kFileName = QStringLiteral("history.sqlite");
// Another program committing its row holds the file for a few
// milliseconds; a wait this long only ends on a file that stays locked.
constexpr int kBusyTimeoutMs = 10000;

// Each step brings the file from version i to i + 1, in one transaction.
const char *const kMigrations[][2] = {
    {"CREATE TABLE history ("
     " id TEXT PRIMARY KEY,"
     " time TEXT NOT NULL,"
     " product_id INTEGER NOT NULL,"
     " module_type TEXT NOT NULL,"
     " module TEXT NOT NULL,"
     " button TEXT NOT NULL,"
     " result TEXT NOT NULL,"
     " remarks TEXT NOT NULL,"
     " configuration TEXT NOT NULL,"
     " own_address TEXT NOT NULL,"
     " identifier TEXT NOT NULL,"
     " firmware TEXT NOT NULL,"
     " bench TEXT NOT NULL,"
     " program TEXT NOT NULL)",
     "CREATE INDEX history_time ON history (time)"},
};
static_assert(std::size(kMigrations) == History::kSchemaVersion, "one migration per schema version");

const QString kColumns = QStringLiteral(
    "id, time, product_id, module_type, module, button, result, remarks, configuration, own_address, "
    "identifier, firmware, bench, program");

// Local time with its offset, so that a date's rows are a range of the text.
QString storedTime(const QDateTime &time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

bool matches(const JournalEntry &row, const HistoryFilter &f)
{
    const QDate day = row.time.date();
    return (!f.from.isValid() || day >= f.from) && (!f.to.isValid() || day <= f.to)
           && (f.productId == 0 || row.productId == f.productId)
           && (f.ownAddress.isEmpty() || row.ownAddress == f.ownAddress)
           && (f.result.isEmpty() || row.result == f.result);
}

} // namespace

QString History::defaultLocation()
{
    const QString named = qEnvironmentVariable(kLocationVariable);
    if (!named.isEmpty())
        return named;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(kFileName);
}

History::History(const QString &location, const QString &programName)
    : path(location)
    , program(programName)
    , bench(QSysInfo::machineHostName())
    , connection(QStringLiteral("orlo-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    open();
}

History::~History()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

void History::fail(const QString &what, const QString &why)
{
    lastProblem = QStringLiteral("the history %1 %2: %3").arg(path, what, why);
}

bool History::open()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        fail(QStringLiteral("cannot be opened"), QStringLiteral("Qt's SQLite driver is not installed"));
        return false;
    }
    const QFileInfo file(path);
    if (!QDir().mkpath(file.absolutePath())) {
        fail(QStringLiteral("cannot be opened"), QStringLiteral("its folder cannot be made"));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connection) ? QSqlDatabase::database(connection, false)
                                                         : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                                                     connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        fail(QStringLiteral("cannot be opened"), db.lastError().text());
        return false;
    }
    // Write-ahead logging lets the window and orlo-cli write at once; a
    // commit is on the disk before it returns, even through a power cut.
    QSqlQuery query(db);
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"})
        if (!query.exec(QString::fromLatin1(pragma))) {
            fail(QStringLiteral("cannot be opened"), query.lastError().text());
            db.close();
            return false;
        }
    if (!migrate()) {
        db.close();
        return false;
    }
    opened = true;
    return true;
}

bool History::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    QSqlQuery query(db);
    // BEGIN IMMEDIATE: two programs starting together migrate one after the other.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(QStringLiteral("cannot be opened"), query.lastError().text());
        return false;
    }
    const auto abandon = [&](const QString &why) {
        fail(QStringLiteral("cannot be opened"), why);
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"))
        || !query.exec(QStringLiteral("SELECT version FROM schema_version")))
        return abandon(query.lastError().text());
    const bool hasVersion = query.next();
    int version = hasVersion ? query.value(0).toInt() : 0;
    if (version > kSchemaVersion)
        return abandon(QStringLiteral("it was made by a later version of the program (layout %1, this one knows %2)")
                           .arg(version)
                           .arg(kSchemaVersion));
    for (; version < kSchemaVersion; ++version)
        for (const char *statement : kMigrations[version])
            if (!query.exec(QString::fromLatin1(statement)))
                return abandon(query.lastError().text());
    query.prepare(hasVersion ? QStringLiteral("UPDATE schema_version SET version = ?")
                             : QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"));
    query.addBindValue(kSchemaVersion);
    if (!query.exec() || !query.exec(QStringLiteral("COMMIT")))
        return abandon(query.lastError().text());
    return true;
}

bool History::insert(const JournalEntry &row)
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    // A row sent twice (the same identifier) is stored once.
    query.prepare(QStringLiteral("INSERT INTO history (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                 "ON CONFLICT (id) DO NOTHING")
                      .arg(kColumns));
    // Qt binds a null QString (an empty field) as SQL NULL: an empty one is bound.
    const auto text = [](const QString &field) { return field.isNull() ? QStringLiteral("") : field; };
    query.addBindValue(text(row.id));
    query.addBindValue(storedTime(row.time));
    query.addBindValue(row.productId);
    for (const QString *field : {&row.moduleType, &row.module, &row.button, &row.result, &row.remarks,
                                 &row.configuration, &row.ownAddress, &row.identifier, &row.firmware, &row.bench,
                                 &row.program})
        query.addBindValue(text(*field));
    if (query.exec())
        return true;
    fail(QStringLiteral("cannot be written"), query.lastError().text());
    return false;
}

bool History::record(JournalEntry &row)
{
    if (row.id.isEmpty())
        row.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    row.bench = bench;
    row.program = program;
    kept.append(row);
    if (!opened && !open())
        return false;
    // The rows kept from a failure go first, all in one transaction.
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(QStringLiteral("cannot be written"), begin.lastError().text());
        return false;
    }
    for (const JournalEntry &waiting : qAsConst(kept))
        if (!insert(waiting)) {
            begin.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    if (!begin.exec(QStringLiteral("COMMIT"))) {
        fail(QStringLiteral("cannot be written"), begin.lastError().text());
        begin.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    kept.clear();
    exportedKept = 0;
    lastProblem.clear();
    return true;
}

QVector<JournalEntry> History::rows(const HistoryFilter &filter) const
{
    QVector<JournalEntry> found;
    if (opened) {
        QStringList where;
        QVariantList values;
        if (filter.from.isValid()) {
            where << QStringLiteral("time >= ?");
            values << filter.from.toString(Qt::ISODate);
        }
        if (filter.to.isValid()) {
            where << QStringLiteral("time < ?");
            values << filter.to.addDays(1).toString(Qt::ISODate);
        }
        if (filter.productId != 0) {
            where << QStringLiteral("product_id = ?");
            values << filter.productId;
        }
        if (!filter.ownAddress.isEmpty()) {
            where << QStringLiteral("own_address = ?");
            values << filter.ownAddress;
        }
        if (!filter.result.isEmpty()) {
            where << QStringLiteral("result = ?");
            values << filter.result;
        }
        QSqlQuery query(QSqlDatabase::database(connection, false));
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT %1 FROM history%2 ORDER BY time, rowid")
                          .arg(kColumns, where.isEmpty() ? QString()
                                                         : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))));
        for (const QVariant &value : qAsConst(values))
            query.addBindValue(value);
        if (query.exec()) {
            while (query.next()) {
                JournalEntry row;
                int c = 0;
                row.id = query.value(c++).toString();
                row.time = QDateTime::fromString(query.value(c++).toString(), Qt::ISODateWithMs).toLocalTime();
                row.productId = query.value(c++).toInt();
                for (QString *text : {&row.moduleType, &row.module, &row.button, &row.result, &row.remarks,
                                      &row.configuration, &row.ownAddress, &row.identifier, &row.firmware,
                                      &row.bench, &row.program})
                    *text = query.value(c++).toString();
                found.append(row);
            }
        }
    }
    for (const JournalEntry &row : kept)
        if (matches(row, filter))
            found.append(row);
    return found;
}

} // namespace orlo
