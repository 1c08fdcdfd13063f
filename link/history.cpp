#include "link/history.h"

#include <algorithm>

#include <QDir>
#include <QSet>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <QVariant>

namespace orlo {

namespace {

const char *const kLocationVariable = "ORLO_HISTORY";
const char *const kLocalVariable = "ORLO_HISTORY_LOCAL";
// Names the bench in its rows when its host name does not tell it apart.
const char *const kBenchVariable = "ORLO_BENCH";
const QString kFileName = QStringLiteral("history.sqlite");
// Another program committing its row holds the file for a few
// milliseconds; a wait this long only ends on a file that stays locked.
constexpr int kBusyTimeoutMs = 10000;
// A server that does not answer holds the bench this long at most.
constexpr int kConnectTimeoutSeconds = 5;
// After the server failed, rows go straight to the bench for this long:
// a server that does not answer would hold every row for its time-out.
constexpr qint64 kRestAfterFailureMs = 30000;
// A row's `unsent` on the bench's file: sent (or never meant for a server),
// waiting for the server, or refused by a server that answered.
constexpr int kSent = 0;
constexpr int kWaiting = 1;
constexpr int kRefused = 2;
const QString kWaitingRows = QStringLiteral("unsent = 1");
const QString kNotOnServer = QStringLiteral("unsent <> 0");
// Benches taking addresses of one series at once: each lost race retries.
constexpr int kTakeAttempts = 64;
// Any number, the same on every bench: the lock under which one of the
// benches starting together creates or migrates the server's tables.
constexpr int kMigrationLock = 0x4f524c4f;

// Each step brings the tables from version i to i + 1, in one transaction;
// the same statements on SQLite and PostgreSQL.
const std::vector<std::vector<const char *>> kMigrations = {
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
    // Rows a bench keeps for a server that could not be reached (1 until
    // sent), and the own addresses the numbered series gave.
    {"ALTER TABLE history ADD COLUMN unsent INTEGER NOT NULL DEFAULT 0",
     "CREATE TABLE addresses ("
     " series TEXT NOT NULL,"
     " address INTEGER NOT NULL,"
     " state TEXT NOT NULL,"
     " bench TEXT NOT NULL,"
     " time TEXT NOT NULL,"
     " row_id TEXT NOT NULL,"
     " PRIMARY KEY (series, address))"},
};

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
           && (f.result.isEmpty() || row.result == f.result) && (f.bench.isEmpty() || row.bench == f.bench);
}

bool isServerUrl(const QUrl &url)
{
    return url.scheme() == QLatin1String("postgresql") || url.scheme() == QLatin1String("postgres");
}

// Qt binds a null QString (an empty field) as SQL NULL: an empty one is bound.
QString text(const QString &field)
{
    return field.isNull() ? QStringLiteral("") : field;
}

} // namespace

struct History::Database {
    QString connection;      // Qt SQL's name for this object's database link
    bool server = false;

    QSqlDatabase handle() const { return QSqlDatabase::database(connection, false); }
    // Starts a transaction that other writers of the same history wait for.
    QString begin() const { return server ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"); }
    // Oldest first; rows of one millisecond in the order they were written.
    QString order() const { return server ? QStringLiteral("time, id") : QStringLiteral("time, rowid"); }
};

namespace {

QString userDataFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(kFileName);
}

} // namespace

QString History::defaultLocation()
{
    const QString named = qEnvironmentVariable(kLocationVariable);
    return named.isEmpty() ? userDataFile() : named;
}

QString History::localLocation()
{
    // Rows wait in a file: a server named here is no place for them.
    const QString named = qEnvironmentVariable(kLocalVariable);
    return named.isEmpty() || isServer(named) ? userDataFile() : named;
}

bool History::isServer(const QString &location)
{
    return isServerUrl(QUrl(location));
}

History::History(const QString &location, const QString &programName)
    : program(programName)
    , bench(qEnvironmentVariable(kBenchVariable, QSysInfo::machineHostName()))
    , db(std::make_unique<Database>())
    , shownLocation(location)
{
    db->connection = QStringLiteral("orlo-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QUrl url(location);
    db->server = isServerUrl(url);
    QString driver = QStringLiteral("QSQLITE");
    if (db->server) {
        driver = QStringLiteral("QPSQL");
        // A password never shows, wherever it was written.
        QUrlQuery options(url);
        for (const auto &item : QUrlQuery(url).queryItems())
            if (item.first.contains(QLatin1String("password")))
                options.removeAllQueryItems(item.first);
        QUrl shown = url.adjusted(QUrl::RemovePassword);
        shown.setQuery(options);
        shownLocation = shown.toString();
        local = std::make_unique<History>(localLocation(), programName);
        local->queueing = true;
    }
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        fail(QStringLiteral("cannot be opened"), QStringLiteral("Qt's %1 driver is not installed").arg(driver));
        return;
    }
    QSqlDatabase handle = QSqlDatabase::addDatabase(driver, db->connection);
    if (db->server) {
        // libpq reads a password left out here from PGPASSWORD or ~/.pgpass.
        QUrlQuery query(url);
        handle.setHostName(query.hasQueryItem(QStringLiteral("host"))
                               ? query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded)
                               : url.host());
        const int port = query.hasQueryItem(QStringLiteral("port"))
                             ? query.queryItemValue(QStringLiteral("port")).toInt()
                             : url.port();
        if (port > 0)
            handle.setPort(port);
        handle.setUserName(url.userName());
        handle.setPassword(query.hasQueryItem(QStringLiteral("password"))
                               ? query.queryItemValue(QStringLiteral("password"), QUrl::FullyDecoded)
                               : url.password());
        handle.setDatabaseName(url.path().mid(1));
        // A server that stops answering over TCP fails a statement in
        // seconds too, not when the system gives the link up.
        QStringList connectOptions{QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds),
                                   QStringLiteral("keepalives=1"), QStringLiteral("keepalives_idle=5"),
                                   QStringLiteral("keepalives_interval=2"), QStringLiteral("keepalives_count=2"),
                                   QStringLiteral("tcp_user_timeout=%1").arg(kConnectTimeoutSeconds * 1000)};
        // The URL's other parameters (sslmode=require…) go to libpq, each
        // value quoted as its connection strings want.
        for (auto item : query.queryItems(QUrl::FullyDecoded))
            if (item.first != QLatin1String("host") && item.first != QLatin1String("port")
                && !item.first.contains(QLatin1String("password")))
                connectOptions << QStringLiteral("%1='%2'").arg(
                    item.first, item.second.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
                                    .replace(QLatin1Char('\''), QStringLiteral("\\'")));
        handle.setConnectOptions(connectOptions.join(QLatin1Char(';')));
    } else {
        handle.setDatabaseName(location);
        handle.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    }
    open();
    if (db->server && opened)
        sendWaiting();
}

History::~History()
{
    {
        QSqlDatabase handle = db->handle();
        if (handle.isValid())
            handle.close();
    }
    QSqlDatabase::removeDatabase(db->connection);
}

void History::fail(const QString &what, const QString &why)
{
    // The server's messages come on several lines.
    const QString said = QStringLiteral("the history %1 %2: %3").arg(shownLocation, what, why.simplified());
    if (!db->server) {
        lastProblem = said;
        return;
    }
    // Rows wait on the bench meanwhile; a link that failed is opened afresh
    // next time: the server may be back.
    lastServerProblem = said;
    opened = false;
    serverFailed.start();
}

void History::lostServer(const QString &why)
{
    fail(QStringLiteral("cannot be reached"), why);
}

bool History::open()
{
    QSqlDatabase handle = db->handle();
    if (!handle.isValid())
        return false;
    // A link that failed is closed only now, once no query of it is left.
    handle.close();
    if (!db->server && !QDir().mkpath(QFileInfo(handle.databaseName()).absolutePath())) {
        fail(QStringLiteral("cannot be opened"), QStringLiteral("its folder cannot be made"));
        return false;
    }
    if (!handle.open()) {
        fail(db->server ? QStringLiteral("cannot be reached") : QStringLiteral("cannot be opened"),
             handle.lastError().text());
        return false;
    }
    if (db->server) {
        // A table that exists already is no news to print.
        QSqlQuery quiet(handle);
        quiet.exec(QStringLiteral("SET client_min_messages TO WARNING"));
    } else {
        // Write-ahead logging lets the window and orlo-cli write at once; a
        // commit is on the disk before it returns, even through a power cut.
        QSqlQuery query(handle);
        for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"})
            if (!query.exec(QString::fromLatin1(pragma))) {
                fail(QStringLiteral("cannot be opened"), query.lastError().text());
                handle.close();
                return false;
            }
    }
    if (!migrate()) {
        handle.close();
        return false;
    }
    opened = true;
    lastServerProblem.clear();
    serverFailed.invalidate();
    return true;
}

bool History::migrate()
{
    QSqlQuery query(db->handle());
    if (!query.exec(db->begin())) {
        fail(QStringLiteral("cannot be opened"), query.lastError().text());
        return false;
    }
    const auto abandon = [&](const QString &why) {
        query.exec(QStringLiteral("ROLLBACK"));
        fail(QStringLiteral("cannot be opened"), why);
        return false;
    };
    // Benches starting together create or migrate the tables one after the other.
    if (db->server && !query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kMigrationLock)))
        return abandon(query.lastError().text());
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
        for (const char *statement : kMigrations[size_t(version)])
            if (!query.exec(QString::fromLatin1(statement)))
                return abandon(query.lastError().text());
    query.prepare(hasVersion ? QStringLiteral("UPDATE schema_version SET version = ?")
                             : QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"));
    query.addBindValue(kSchemaVersion);
    if (!query.exec() || !query.exec(QStringLiteral("COMMIT")))
        return abandon(query.lastError().text());
    return true;
}

bool History::insert(const JournalEntry &row, QSqlError *error)
{
    QSqlQuery query(db->handle());
    // A row sent twice (the same identifier) is stored once.
    query.prepare(QStringLiteral("INSERT INTO history (%1, unsent) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING")
                      .arg(kColumns));
    query.addBindValue(text(row.id));
    query.addBindValue(storedTime(row.time));
    query.addBindValue(row.productId);
    for (const QString *field : {&row.moduleType, &row.module, &row.button, &row.result, &row.remarks,
                                 &row.configuration, &row.ownAddress, &row.identifier, &row.firmware, &row.bench,
                                 &row.program})
        query.addBindValue(text(*field));
    query.addBindValue(queueing ? kWaiting : kSent);
    if (query.exec())
        return true;
    *error = query.lastError();
    return false;
}

// The kept rows, all in one transaction.
bool History::commitKept()
{
    if (!opened && !open())
        return false;
    QSqlQuery begin(db->handle());
    const auto failed = [&](const QSqlError &error) {
        fail(QStringLiteral("cannot be written"), error.text());
        return false;
    };
    if (!begin.exec(db->begin()))
        return failed(begin.lastError());
    QSqlError error;
    for (const JournalEntry &waiting : qAsConst(kept))
        if (!insert(waiting, &error)) {
            begin.exec(QStringLiteral("ROLLBACK"));
            return failed(error);
        }
    if (!begin.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = begin.lastError();
        begin.exec(QStringLiteral("ROLLBACK"));
        return failed(error);
    }
    kept.clear();
    exportedKept = 0;
    lastProblem.clear();
    return true;
}

bool History::record(JournalEntry &row)
{
    if (row.id.isEmpty())
        row.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!queueing) {
        row.bench = bench;
        row.program = program;
    }
    if (!db->server) {
        kept.append(row);
        return commitKept();
    }
    // Rows waiting from before go first; while the server cannot take
    // them, the new one waits behind them on the bench.
    const bool resting = !opened && serverFailed.isValid() && serverFailed.elapsed() < kRestAfterFailureMs;
    if (!resting && sendWaiting() && send(row) == Sent::Stored)
        return true;
    return local->record(row);
}

History::Sent History::send(const JournalEntry &row)
{
    // A link that died with a server which came back is opened afresh once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!reachServer())
            return Sent::Lost;
        QSqlError error;
        if (insert(row, &error))
            return Sent::Stored;
        QSqlQuery ping(db->handle());
        if (ping.exec(QStringLiteral("SELECT 1"))) {
            lastServerProblem = QStringLiteral("the history server %1 refused the row of %2: %3")
                                    .arg(shownLocation, journal::timeText(row.time), error.text().simplified());
            return Sent::Refused;
        }
        lostServer(error.text());
    }
    return Sent::Lost;
}

bool History::reachServer()
{
    if (!db->server)
        return false;
    // A link opened before may have died with its server since.
    if (opened) {
        QSqlQuery ping(db->handle());
        if (ping.exec(QStringLiteral("SELECT 1")))
            return true;
        lostServer(ping.lastError().text());
    }
    return open();
}

int History::waiting() const
{
    if (!local)
        return 0;
    QSqlQuery count(local->db->handle());
    const bool counted = local->opened
                         && count.exec(QStringLiteral("SELECT COUNT(*) FROM history WHERE ") + kWaitingRows)
                         && count.next();
    return (counted ? count.value(0).toInt() : 0) + local->kept.size();
}

bool History::sendWaiting()
{
    if (!local)
        return true;
    const QVector<JournalEntry> onDisk = local->select({}, kWaitingRows);
    const QVector<JournalEntry> inMemory = local->kept;
    if (onDisk.isEmpty() && inMemory.isEmpty())
        return true;
    // Oldest first, one by one: a row the server holds already (sent by a
    // program that died before marking it) is stored once, and one it
    // refuses while it answers is set aside, so that the others go on.
    for (const JournalEntry &row : onDisk) {
        const Sent sent = send(row);
        if (sent == Sent::Lost || !local->markSent(row.id, sent == Sent::Stored ? kSent : kRefused))
            return false;
    }
    QVector<JournalEntry> stillKept;
    bool lost = false;
    for (int i = 0; i < inMemory.size() && !lost; ++i) {
        const Sent sent = send(inMemory.at(i));
        lost = sent == Sent::Lost;
        if (lost)
            stillKept += inMemory.mid(i);
        else if (sent == Sent::Refused)
            stillKept += inMemory.at(i);
    }
    if (stillKept.size() != inMemory.size()) {
        local->kept = stillKept;
        local->exportedKept = 0;
        if (stillKept.isEmpty())
            local->lastProblem.clear();
    }
    return !lost;
}

bool History::markSent(const QString &id, int state)
{
    QSqlQuery query(db->handle());
    query.prepare(QStringLiteral("UPDATE history SET unsent = ? WHERE id = ?"));
    query.addBindValue(state);
    query.addBindValue(id);
    return query.exec();
}

const QString &History::problem() const
{
    return local ? local->problem() : lastProblem;
}

const QVector<JournalEntry> &History::unwritten() const
{
    return local ? local->unwritten() : kept;
}

bool History::hasUnsavedRows() const
{
    return local ? local->hasUnsavedRows() : exportedKept < kept.size();
}

void History::markExported()
{
    if (local)
        local->markExported();
    else
        exportedKept = kept.size();
}

QVector<JournalEntry> History::select(const HistoryFilter &filter, const QString &only) const
{
    QVector<JournalEntry> found;
    if (!opened)
        return found;
    QStringList where;
    QVariantList values;
    if (!only.isEmpty())
        where << only;
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
    const std::pair<const char *, const QString *> texts[] = {
        {"own_address", &filter.ownAddress}, {"result", &filter.result}, {"bench", &filter.bench}};
    for (const auto &[column, value] : texts)
        if (!value->isEmpty()) {
            where << QStringLiteral("%1 = ?").arg(QLatin1String(column));
            values << *value;
        }
    QSqlQuery query(db->handle());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM history%2 ORDER BY %3")
                      .arg(kColumns,
                           where.isEmpty() ? QString()
                                           : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")),
                           db->order()));
    for (const QVariant &value : qAsConst(values))
        query.addBindValue(value);
    if (!query.exec())
        return found;
    while (query.next()) {
        JournalEntry row;
        int c = 0;
        row.id = query.value(c++).toString();
        row.time = QDateTime::fromString(query.value(c++).toString(), Qt::ISODateWithMs).toLocalTime();
        row.productId = query.value(c++).toInt();
        for (QString *field : {&row.moduleType, &row.module, &row.button, &row.result, &row.remarks,
                               &row.configuration, &row.ownAddress, &row.identifier, &row.firmware, &row.bench,
                               &row.program})
            *field = query.value(c++).toString();
        found.append(row);
    }
    return found;
}

QVector<JournalEntry> History::rows(const HistoryFilter &filter) const
{
    // The bench's file, when it is where rows wait for the server, shows
    // only them: its other rows are the bench's history from before.
    QVector<JournalEntry> found = select(filter, queueing ? kNotOnServer : QString());
    if (local) {
        // Waiting rows the server holds already (sent by another program
        // sharing this bench's file) are shown once.
        QSet<QString> shown;
        for (const JournalEntry &row : qAsConst(found))
            shown.insert(row.id);
        for (const JournalEntry &row : local->rows(filter))
            if (!shown.contains(row.id))
                found.append(row);
        std::stable_sort(found.begin(), found.end(),
                         [](const JournalEntry &a, const JournalEntry &b) { return a.time < b.time; });
        return found;
    }
    for (const JournalEntry &row : kept)
        if (matches(row, filter))
            found.append(row);
    return found;
}

QStringList History::benches() const
{
    QSet<QString> names;
    if (opened) {
        QSqlQuery query(db->handle());
        if (query.exec(QStringLiteral("SELECT DISTINCT bench FROM history%1")
                           .arg(queueing ? QStringLiteral(" WHERE ") + kNotOnServer : QString())))
            while (query.next())
                names.insert(query.value(0).toString());
    }
    if (local)
        for (const QString &name : local->benches())
            names.insert(name);
    for (const JournalEntry &row : kept)
        names.insert(row.bench);
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}

TakenAddress History::takeAddress(const QString &series, int from, int highest)
{
    TakenAddress taken;
    if (!reachServer()) {
        taken.problem = db->server ? lastServerProblem : QStringLiteral("the history is on no server");
        return taken;
    }
    QSqlQuery query(db->handle());
    for (int attempt = 0; attempt < kTakeAttempts; ++attempt) {
        if (!query.exec(db->begin()))
            break;
        query.prepare(QStringLiteral("SELECT address FROM addresses WHERE series = ? AND address >= ? AND address <= ? "
                                     "ORDER BY address"));
        query.addBindValue(series);
        query.addBindValue(from);
        query.addBindValue(highest);
        if (!query.exec())
            break;
        int free = from;
        while (query.next() && query.value(0).toInt() == free)
            ++free;
        if (free > highest) {
            query.exec(QStringLiteral("ROLLBACK"));
            taken.problem = QStringLiteral("every address of the series \"%1\" from %2 to %3 was given")
                                .arg(series)
                                .arg(from)
                                .arg(highest);
            return taken;
        }
        // Another bench taking the same address first makes this insert do
        // nothing: the next attempt looks again.
        query.prepare(QStringLiteral("INSERT INTO addresses (series, address, state, bench, time, row_id) "
                                     "VALUES (?, ?, 'taken', ?, ?, '') ON CONFLICT DO NOTHING"));
        for (const QVariant &value : {QVariant(series), QVariant(free), QVariant(text(bench)),
                                      QVariant(storedTime(QDateTime::currentDateTime()))})
            query.addBindValue(value);
        if (!query.exec())
            break;
        const bool mine = query.numRowsAffected() == 1;
        if (!query.exec(mine ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK")))
            break;
        if (mine) {
            taken.address = free;
            return taken;
        }
    }
    const QString why = query.lastError().text();
    query.exec(QStringLiteral("ROLLBACK"));
    if (why.isEmpty()) {
        taken.problem = QStringLiteral("too many benches took addresses of the series \"%1\" at once").arg(series);
        return taken;
    }
    lostServer(why);
    taken.problem = lastServerProblem;
    return taken;
}

bool History::settleAddress(const QString &series, int address, Settled how, const QString &rowId)
{
    if (!reachServer())
        return false;
    // Only this bench's own: another bench's address is never touched.
    QSqlQuery query(db->handle());
    if (how == Settled::Released) {
        query.prepare(QStringLiteral("DELETE FROM addresses WHERE series = ? AND address = ? AND bench = ? "
                                     "AND state = 'taken'"));
    } else {
        query.prepare(QStringLiteral("UPDATE addresses SET state = ?, row_id = ? WHERE series = ? AND address = ? "
                                     "AND bench = ?"));
        query.addBindValue(how == Settled::Written ? QStringLiteral("written") : QStringLiteral("failed"));
        query.addBindValue(text(rowId));
    }
    query.addBindValue(series);
    query.addBindValue(address);
    query.addBindValue(text(bench));
    if (query.exec())
        return true;
    lostServer(query.lastError().text());
    return false;
}

} // namespace orlo
