// A line of benches on one history server, and the same history in SQLite:
// rows, filters and layouts alike on both; one address counter for a
// numbered series; rows that wait on a bench while the server is away. The
// server is a throwaway one; the benches are orlo-cli-demo processes on
// simulated modules.
#include "cli/cli.h"
#include "link/history.h"
#include "link/writecycle.h"
#include "sim/modulequeue.h"
#include "sim/simbench.h"
#include "support/coreapp.h"
#include "support/postgres.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrlQuery>

namespace {

constexpr int kModulesEach = 30;
constexpr int kBenchMs = 300000;
const QString kStore = QStringLiteral("postgresql");

QStringList addressesOf(const QVector<JournalEntry> &rows)
{
    QStringList addresses;
    for (const JournalEntry &row : rows)
        addresses << row.ownAddress;
    return addresses;
}

// A link to the tables themselves, to lay an older layout.
QSqlDatabase openTables(const QString &location, const QString &name)
{
    const QUrl url(location);
    const bool server = orlo::History::isServer(location);
    QSqlDatabase db = QSqlDatabase::addDatabase(server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(server ? url.path().mid(1) : location);
    db.setHostName(QUrlQuery(url).queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded));
    db.setUserName(url.userName());
    db.open();
    return db;
}

} // namespace

class SharedHistoryTest : public QObject
{
    Q_OBJECT
    testing::ThrowawayPostgres server;
    QTemporaryDir folder;
    QString configuration;   // a TM_868 configuration read from a simulated module
    int files = 0;

    QString freshHistory(const QString &store)
    {
        return store == kStore ? server.freshDatabase()
                               : folder.filePath(QStringLiteral("history-%1.sqlite").arg(++files));
    }

    // An orlo-cli-demo bench with its own name and own SQLite file, `modules`
    // TM_868 plugged one after the other.
    QProcess *startBench(const QString &bench, const QString &history, const QStringList &arguments, int modules = 1)
    {
        auto *process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORLO_BENCH"), bench);
        environment.insert(QStringLiteral("ORLO_HISTORY"), history);
        environment.insert(QStringLiteral("ORLO_HISTORY_LOCAL"), folder.filePath(bench + QStringLiteral(".sqlite")));
        environment.insert(QStringLiteral("ORLO_DEMO_MODULES"), QStringLiteral("02ae,").repeated(modules).chopped(1));
        environment.insert(QStringLiteral("ORLO_DEMO_QUIET_MS"), QStringLiteral("300"));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(ORLO_CLI_DEMO), arguments + QStringList{QStringLiteral("--wait"), QStringLiteral("30")});
        return process;
    }

    static int finished(QProcess *bench)
    {
        const bool ended = bench->waitForFinished(kBenchMs);
        return ended && bench->exitStatus() == QProcess::NormalExit ? bench->exitCode() : -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!server.url().isEmpty(), qPrintable(server.problem()));
        configuration = folder.filePath(QStringLiteral("tm.json"));
        QCOMPARE(finished(startBench(QStringLiteral("reader"), folder.filePath(QStringLiteral("reader.sqlite")),
                                     {QStringLiteral("read"), QStringLiteral("-o"), configuration})),
                 0);
    }

    void sameHistoryOnEitherStore_data()
    {
        QTest::addColumn<QString>("store");
        QTest::newRow("sqlite") << QStringLiteral("sqlite");
        QTest::newRow("postgresql") << kStore;
    }

    void sameHistoryOnEitherStore()
    {
        QFETCH(QString, store);
        const QString location = freshHistory(store);
        const QDate today = QDate::currentDate();
        const struct { const char *bench; int daysAgo, productId; const char *address, *result; } made[] = {
            {"bench-a", 10, 0x02B1, "F6", "OK"}, {"bench-b", 3, 0x0240, "E5", "Invalide"},
            {"bench-a", 0, 0x0240, "A1", "OK"}, {"bench-b", 0, 0x02B1, "B2", "Echec"}};
        JournalEntry last;
        int minute = 0;
        for (const auto &m : made) {
            qputenv("ORLO_BENCH", m.bench);
            orlo::History bench(location, QStringLiteral("tst"));
            last = {};
            last.time = QDateTime(today.addDays(-m.daysAgo), QTime(12, ++minute));
            last.productId = m.productId;
            last.ownAddress = QString::fromLatin1(m.address);
            last.result = QString::fromLatin1(m.result);
            QVERIFY2(bench.record(last), qPrintable(bench.problem() + bench.serverProblem()));
        }
        qunsetenv("ORLO_BENCH");
        orlo::History history(location, QStringLiteral("tst"));
        QCOMPARE(history.onServer(), store == kStore);
        QVERIFY(history.record(last));   // sent again: stored once
        QCOMPARE(history.benches(), QStringList({"bench-a", "bench-b"}));
        const auto by = [](QDate from, QDate to, int productId, const char *ownAddress, const char *result,
                           const char *bench) {
            return orlo::HistoryFilter{from, to, productId, QString::fromLatin1(ownAddress),
                                       QString::fromLatin1(result), QString::fromLatin1(bench)};
        };
        const struct { orlo::HistoryFilter filter; QStringList shown; } asked[] = {
            {by({}, {}, 0, "", "", ""), {"F6", "E5", "A1", "B2"}},
            {by(today, today, 0, "", "", ""), {"A1", "B2"}},
            {by(today.addDays(-5), today.addDays(-1), 0, "", "", ""), {"E5"}},
            {by({}, {}, 0x0240, "", "", ""), {"E5", "A1"}},
            {by({}, {}, 0, "B2", "", ""), {"B2"}},
            {by({}, {}, 0, "", "OK", ""), {"F6", "A1"}},
            {by({}, {}, 0, "", "", "bench-b"), {"E5", "B2"}}};
        for (const auto &a : asked)
            QCOMPARE(addressesOf(history.rows(a.filter)), a.shown);

        // The counter of numbered series: on a server only.
        const orlo::TakenAddress first = history.takeAddress(QStringLiteral("s"), 5, 7);
        if (store != kStore) {
            QVERIFY(first.address < 0 && !first.problem.isEmpty());
            return;
        }
        QCOMPARE(first.address, 5);
        QCOMPARE(history.takeAddress(QStringLiteral("s"), 5, 7).address, 6);
        QVERIFY(history.settleAddress(QStringLiteral("s"), 5, orlo::History::Settled::Released, {}));
        QVERIFY(history.settleAddress(QStringLiteral("s"), 6, orlo::History::Settled::Failed, QStringLiteral("r")));
        QCOMPARE(history.takeAddress(QStringLiteral("s"), 5, 7).address, 5);
        QCOMPARE(history.takeAddress(QStringLiteral("s"), 5, 7).address, 7);
        QVERIFY(history.takeAddress(QStringLiteral("s"), 5, 7).problem.contains("every address"));
        QCOMPARE(history.takeAddress(QStringLiteral("other series"), 5, 7).address, 5);
    }

    void olderLayoutMigrated_data() { sameHistoryOnEitherStore_data(); }

    void olderLayoutMigrated()
    {
        QFETCH(QString, store);
        const QString location = freshHistory(store);
        {
            QSqlDatabase db = openTables(location, QStringLiteral("older"));
            QSqlQuery query(db);
            for (const char *statement :
                 {"CREATE TABLE schema_version (version INTEGER NOT NULL)", "INSERT INTO schema_version VALUES (1)",
                  "CREATE TABLE history (id TEXT PRIMARY KEY, time TEXT NOT NULL, product_id INTEGER NOT NULL,"
                  " module_type TEXT NOT NULL, module TEXT NOT NULL, button TEXT NOT NULL, result TEXT NOT NULL,"
                  " remarks TEXT NOT NULL, configuration TEXT NOT NULL, own_address TEXT NOT NULL,"
                  " identifier TEXT NOT NULL, firmware TEXT NOT NULL, bench TEXT NOT NULL, program TEXT NOT NULL)",
                  "INSERT INTO history VALUES ('old', '2026-01-02T12:00:00.000+01:00', 686, 'TM_868', '', 'Write',"
                  " 'OK', '', '', '17', '', '', 'bench-a', 'orlo-cli 1')"})
                QVERIFY2(query.exec(QString::fromLatin1(statement)), qPrintable(query.lastError().text()));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        orlo::History history(location, QStringLiteral("tst"));
        JournalEntry row;
        row.time = QDateTime::currentDateTime();
        row.ownAddress = QStringLiteral("18");
        QVERIFY2(history.record(row), qPrintable(history.problem() + history.serverProblem()));
        QCOMPARE(addressesOf(history.rows()), QStringList({"17", "18"}));
        int version = 0;
        {
            QSqlQuery query(QStringLiteral("SELECT version FROM schema_version"), openTables(location, "newer"));
            version = query.next() ? query.value(0).toInt() : -1;
        }
        QSqlDatabase::removeDatabase(QStringLiteral("newer"));
        QCOMPARE(version, orlo::History::kSchemaVersion);
    }

    void passwordNeverShown_data()
    {
        QTest::addColumn<QString>("inUrl");
        QTest::addColumn<QString>("inEnvironment");
        QTest::addColumn<bool>("inPgpass");
        QTest::addColumn<bool>("reached");
        const QString right = QString::fromLatin1(testing::ThrowawayPostgres::kPassword);
        QTest::newRow("in the URL") << right << QString() << false << true;
        QTest::newRow("PGPASSWORD") << QString() << right << false << true;
        QTest::newRow("~/.pgpass") << QString() << QString() << true << true;
        QTest::newRow("a wrong one") << QStringLiteral("not-this-one") << QString() << false << false;
    }

    void passwordNeverShown()
    {
        QFETCH(QString, inUrl);
        QFETCH(QString, inEnvironment);
        QFETCH(bool, inPgpass);
        QFETCH(bool, reached);
        QUrl url(server.freshDatabase());
        url.setPassword(inUrl);
        const QByteArray password = qgetenv("PGPASSWORD");
        qputenv("PGPASSWORD", inEnvironment.toUtf8());
        const QString pgpass = folder.filePath(QStringLiteral("pgpass"));
        QFile file(pgpass);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("*:*:*:orlo:" + password + '\n') > 0);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        qputenv("PGPASSFILE", QFile::encodeName(inPgpass ? pgpass : folder.filePath(QStringLiteral("none"))));
        orlo::History history(url.toString(), QStringLiteral("tst"));
        qputenv("PGPASSWORD", password);
        qunsetenv("PGPASSFILE");
        QCOMPARE(history.reachServer(), reached);
        QVERIFY(reached || !history.serverProblem().isEmpty());
        for (const QString &said : {history.location(), history.serverProblem(), history.problem()})
            QVERIFY2(!said.contains(QString::fromUtf8(password)) && (inUrl.isEmpty() || !said.contains(inUrl)),
                     qPrintable(said));
    }

    void twoBenchesNumberOneSeries()
    {
        const QString history = server.freshDatabase();
        const QStringList numbered{QStringLiteral("series"), configuration, QStringLiteral("--number-from"),
                                   QStringLiteral("1"), QStringLiteral("--series-name"), QStringLiteral("line A"),
                                   QStringLiteral("--count"), QString::number(kModulesEach)};
        QProcess *benches[] = {startBench(QStringLiteral("bench-a"), history, numbered, kModulesEach),
                               startBench(QStringLiteral("bench-b"), history, numbered, kModulesEach)};
        for (QProcess *bench : benches)
            QCOMPARE(finished(bench), 0);
        const orlo::History shared(history, QStringLiteral("tst"));
        const QVector<JournalEntry> rows = shared.rows();
        QCOMPARE(rows.size(), 2 * kModulesEach);
        QList<int> addresses;
        for (const JournalEntry &row : rows)
            addresses << row.ownAddress.toInt();
        std::sort(addresses.begin(), addresses.end());
        QList<int> oneEach;
        for (int address = 1; address <= 2 * kModulesEach; ++address)
            oneEach << address;
        QCOMPARE(addresses, oneEach);
        QCOMPARE(shared.benches(), QStringList({"bench-a", "bench-b"}));
        QString said;
        QTextStream out(&said);
        QCOMPARE(orlo::cli::run({QStringLiteral("history"), QStringLiteral("--history"), history,
                                 QStringLiteral("--bench"), QStringLiteral("bench-b")},
                                {out, out, false}),
                 int(orlo::cli::kDone));
        QCOMPARE(said.count(QStringLiteral("bench-b\n")), kModulesEach);
        QVERIFY(!said.contains(QStringLiteral("bench-a")));
    }

    void failedWriteKeepsItsAddressFromEveryBench()
    {
        const QString history = server.freshDatabase();
        int plugs = 0;
        const ModuleQueue modules(
            {0x02AE, 0x02AE, 0x02AE},
            [&](sim::Module &m) {
                if (++plugs == 2)
                    m.writeStatus = 1;   // the second module refuses its configuration
            },
            nullptr, 300);
        QString said;
        QTextStream out(&said);
        const int status = orlo::cli::run({QStringLiteral("series"), configuration, QStringLiteral("--history"),
                                           history, QStringLiteral("--number-from"), QStringLiteral("1"),
                                           QStringLiteral("--series-name"), QStringLiteral("S"),
                                           QStringLiteral("--count"), QStringLiteral("2"), QStringLiteral("--wait"),
                                           QStringLiteral("30")},
                                          {out, out, false});
        QVERIFY2(status == orlo::cli::kNotWritten, qPrintable(said));
        const QVector<JournalEntry> rows = orlo::History(history, QStringLiteral("tst")).rows();
        QCOMPARE(addressesOf(rows), QStringList({"1", "2", "3"}));
        QVERIFY2(rows.at(1).result == result::kFailed
                     && rows.at(1).remarks.contains(QStringLiteral("Address 2 of the series \"S\" is marked failed")),
                 qPrintable(rows.at(1).remarks));
    }

    void rowsWaitWhileTheServerIsAway()
    {
        constexpr int kModules = 12;
        testing::ThrowawayPostgres away;
        const QString history = away.freshDatabase();
        QVERIFY2(!history.isEmpty(), qPrintable(away.problem()));
        const auto onServer = [&] { return orlo::History(history, QStringLiteral("tst")).rows(); };
        QProcess *series = startBench(QStringLiteral("bench-c"), history,
                                      {QStringLiteral("series"), configuration, QStringLiteral("--count"),
                                       QString::number(kModules)},
                                      kModules);
        while (onServer().size() < 2 && series->state() != QProcess::NotRunning)
            QTest::qWait(100);
        QVERIFY(away.stop());
        QCOMPARE(finished(series), 0);
        QVERIFY(series->readAllStandardError().contains("wait on this bench for the history server"));

        QProcess *numbered = startBench(QStringLiteral("bench-c"), history,
                                        {QStringLiteral("series"), configuration, QStringLiteral("--number-from"),
                                         QStringLiteral("1"), QStringLiteral("--series-name"), QStringLiteral("B")});
        QCOMPARE(finished(numbered), 5);
        QVERIFY(numbered->readAllStandardError().contains("the series is not numbered"));

        QVERIFY(away.start());
        // Each bench run sends what waits on it; a second one has nothing left to send.
        for (int run = 0; run < 2; ++run)
            QCOMPARE(finished(startBench(QStringLiteral("bench-c"), history, {QStringLiteral("history")})), 0);
        const QVector<JournalEntry> rows = onServer();
        QSet<QString> ids;
        for (const JournalEntry &row : rows)
            ids.insert(row.id);
        QCOMPARE(rows.size(), kModules);
        QCOMPARE(ids.size(), kModules);
    }
};

ORLO_CORE_TEST_MAIN(SharedHistoryTest)
#include "tst_shared_history.moc"
