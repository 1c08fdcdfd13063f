// A line of benches on one history server, and the same history in SQLite:
// rows, filters and layouts alike on both; one address counter for a
// numbered series; rows that wait on a bench while the server is away. The
// server is a throwaway one; the benches are orlo-cli-demo processes on
// simulated modules, or orlo-cli in this process.
#include "cli/cli.h"
#include "link/history.h"
#include "link/moduletable.h"
#include "link/provisioning.h"
#include "link/records/recordfields.h"
#include "link/writecycle.h"
#include "sim/modulequeue.h"
#include "sim/simbench.h"
#include "support/coreapp.h"
#include "support/postgres.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrlQuery>

namespace {

constexpr int kModulesEach = 30;
const QString kServer = "postgresql";

QStringList addressesOf(const QVector<JournalEntry> &rows)
{
    QStringList addresses;
    for (const JournalEntry &row : rows)
        addresses << row.ownAddress;
    return addresses;
}

// Statements run on the tables themselves; the first result of the last one.
QVariant onTables(const QString &location, const QStringList &statements)
{
    QVariant last;
    {
        const QUrl url(location);
        const bool server = orlo::History::isServer(location);
        QSqlDatabase db = QSqlDatabase::addDatabase(server ? "QPSQL" : "QSQLITE", "tables");
        db.setDatabaseName(server ? url.path().mid(1) : location);
        db.setHostName(QUrlQuery(url).queryItemValue("host", QUrl::FullyDecoded));
        db.setUserName(url.userName());
        QSqlQuery query(db);
        for (const QString &statement : statements)
            last = db.open() && query.exec(statement) && query.next() ? query.value(0) : QVariant();
    }
    QSqlDatabase::removeDatabase("tables");
    return last;
}

} // namespace

class SharedHistoryTest : public QObject
{
    Q_OBJECT
    testing::ThrowawayPostgres server;
    QTemporaryDir folder;
    QString configuration;   // a TM_868's, read from a simulated module
    int files = 0;

    QString freshHistory(const QString &store)
    {
        return store == kServer ? server.freshDatabase() : folder.filePath(QString("h%1.sqlite").arg(++files));
    }

    // An orlo-cli-demo bench with its own name and SQLite file, `modules`
    // TM_868 plugged one after the other.
    QProcess *startBench(const QString &bench, const QString &history, QStringList arguments, int modules = 1)
    {
        auto *process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ORLO_BENCH", bench);
        environment.insert("ORLO_HISTORY", history);
        environment.insert("ORLO_HISTORY_LOCAL", folder.filePath(bench + ".sqlite"));
        environment.insert("ORLO_DEMO_MODULES", QString("02ae,").repeated(modules).chopped(1));
        environment.insert("ORLO_DEMO_QUIET_MS", "500");
        process->setProcessEnvironment(environment);
        process->start(ORLO_CLI_DEMO, arguments << "--wait" << "30");
        return process;
    }

    static int finished(QProcess *bench)
    {
        return bench->waitForFinished(300000) && bench->exitStatus() == QProcess::NormalExit ? bench->exitCode() : -1;
    }

    static QStringList numbered(const QString &file, const QString &name, int count)
    {
        return {"series", file, "--number-from", "1", "--series-name", name, "--count", QString::number(count)};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!server.url.isEmpty(), qPrintable(server.problem));
        configuration = folder.filePath("tm.json");
        QCOMPARE(finished(startBench("reader", folder.filePath("reader.sqlite"), {"read", "-o", configuration})), 0);
    }

    void sameHistoryOnEitherStore_data()
    {
        QTest::addColumn<QString>("store");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgresql") << kServer;
    }

    void sameHistoryOnEitherStore()
    {
        QFETCH(QString, store);
        const QString location = freshHistory(store);
        const QDate today = QDate::currentDate();
        const struct { const char *bench; int daysAgo, productId; const char *address, *result; } made[] = {
            {"bench-a", 10, 0x02B1, "F6", "OK"}, {"bench-b", 3, 0x0240, "E5", "Invalide"},
            {"bench-a", 0, 0x0240, "A1", "OK"}, {"bench-b", 0, 0x02B1, "B2", "Echec"}};
        JournalEntry row;
        for (const auto &m : made) {
            qputenv("ORLO_BENCH", m.bench);
            orlo::History bench(location, "tst");
            row = {};
            row.time = QDateTime(today.addDays(-m.daysAgo), QTime(12, int(&m - made)));
            row.productId = m.productId;
            row.ownAddress = m.address;
            row.result = m.result;
            QVERIFY2(bench.record(row), qPrintable(bench.problem() + bench.serverProblem()));
        }
        qunsetenv("ORLO_BENCH");
        orlo::History history(location, "tst");
        QCOMPARE(history.onServer(), store == kServer);
        QVERIFY(history.record(row));   // sent again: stored once
        QCOMPARE(history.benches(), QStringList({"bench-a", "bench-b"}));
        const struct { QDate from, to; int productId; QString address, result, bench, shown; } asked[] = {
            {{}, {}, 0, "", "", "", "F6 E5 A1 B2"},          {today, today, 0, "", "", "", "A1 B2"},
            {today.addDays(-5), today.addDays(-1), 0, "", "", "", "E5"}, {{}, {}, 0x0240, "", "", "", "E5 A1"},
            {{}, {}, 0, "B2", "", "", "B2"},                   {{}, {}, 0, "", "OK", "", "F6 A1"},
            {{}, {}, 0, "", "", "bench-b", "E5 B2"}};
        for (const auto &a : asked)
            QCOMPARE(addressesOf(history.rows({a.from, a.to, a.productId, a.address, a.result, a.bench})).join(' '),
                     a.shown);

        // The counter of numbered series: on a server only.
        const auto take = [&](const char *series) { return history.takeAddress(series, 5, 7).address; };
        if (store != kServer) {
            QVERIFY(take("s") < 0 && !history.takeAddress("s", 5, 7).problem.isEmpty());
            return;
        }
        QCOMPARE(QList<int>({take("s"), take("s")}), QList<int>({5, 6}));
        QVERIFY(history.settleAddress("s", 5, orlo::History::Settled::Released, {}));
        QVERIFY(history.settleAddress("s", 6, orlo::History::Settled::Failed, "row"));
        QCOMPARE(QList<int>({take("s"), take("s"), take("s"), take("other")}), QList<int>({5, 7, -1, 5}));
    }

    void olderLayoutMigrated_data() { sameHistoryOnEitherStore_data(); }

    void olderLayoutMigrated()
    {
        QFETCH(QString, store);
        const QString location = freshHistory(store);
        JournalEntry row;
        row.time = QDateTime::currentDateTime();
        row.ownAddress = "17";
        QVERIFY(orlo::History(location, "tst").record(row));
        // Taken back to the first layout, its row kept.
        onTables(location, {"ALTER TABLE history DROP COLUMN unsent", "DROP TABLE addresses",
                            "UPDATE schema_version SET version = 1"});
        orlo::History history(location, "tst");
        row.id.clear();
        row.time = row.time.addSecs(1);
        row.ownAddress = "18";
        QVERIFY2(history.record(row), qPrintable(history.problem() + history.serverProblem()));
        QCOMPARE(addressesOf(history.rows()), QStringList({"17", "18"}));
        QVERIFY(onTables(location, {"SELECT COUNT(*) FROM addresses"}).isValid());
        QCOMPARE(onTables(location, {"SELECT version FROM schema_version"}).toInt(), orlo::History::kSchemaVersion);
    }

    void passwordNeverShown_data()
    {
        QTest::addColumn<QString>("inUrl");
        QTest::addColumn<QString>("inEnvironment");   // PGPASSWORD, which libpq reads as it reads ~/.pgpass
        QTest::newRow("in the URL") << "orlo-test" << "";
        QTest::newRow("PGPASSWORD") << "" << "orlo-test";
        QTest::newRow("a wrong one") << "not-this-one" << "";
    }

    void passwordNeverShown()
    {
        QFETCH(QString, inUrl);
        QFETCH(QString, inEnvironment);
        QUrl url(server.freshDatabase());
        url.setPassword(inUrl);
        QUrlQuery parameters(url);   // another of libpq's, which takes quotes
        parameters.addQueryItem("application_name", "bench 'one'");
        url.setQuery(parameters);
        qputenv("PGPASSWORD", inEnvironment.toUtf8());
        orlo::History history(url.toString(), "tst");
        qputenv("PGPASSWORD", "orlo-test");
        QCOMPARE(history.reachServer(), inUrl != "not-this-one");
        for (const QString &said : {history.location(), history.serverProblem()})
            QVERIFY2(!said.contains("orlo-test") && !said.contains("not-this-one"), qPrintable(said));
    }

    void twoBenchesNumberOneSeries()
    {
        const QString history = server.freshDatabase();
        const QStringList series = numbered(configuration, "line A", kModulesEach);
        QProcess *benches[] = {startBench("bench-a", history, series, kModulesEach),
                               startBench("bench-b", history, series, kModulesEach)};
        for (QProcess *bench : benches)
            QCOMPARE(finished(bench), 0);
        const orlo::History shared(history, "tst");
        QList<int> addresses, oneEach;
        for (const JournalEntry &row : shared.rows())
            addresses << row.ownAddress.toInt();
        std::sort(addresses.begin(), addresses.end());
        for (int address = 1; address <= 2 * kModulesEach; ++address)
            oneEach << address;
        QCOMPARE(addresses, oneEach);
        QString said;
        QTextStream out(&said);
        QCOMPARE(orlo::cli::run({"history", "--history", history, "--bench", "bench-b"}, {out, out, false}), 0);
        QCOMPARE(said.count("bench-b\n"), kModulesEach);
        QVERIFY(!said.contains("bench-a"));
    }

    void failedWriteKeepsItsAddressFromEveryBench()
    {
        const QString history = server.freshDatabase();
        int plugs = 0;
        // The second module refuses its configuration.
        const ModuleQueue modules({0x02AE, 0x02AE, 0x02AE}, [&](sim::Module &m) { m.writeStatus = ++plugs == 2; },
                                  nullptr, 300);
        QString said;
        QTextStream out(&said);
        QCOMPARE(orlo::cli::run(numbered(configuration, "S", 2) << "--history" << history << "--wait" << "30",
                                {out, out, false}),
                 int(orlo::cli::kNotWritten));
        const QVector<JournalEntry> rows = orlo::History(history, "tst").rows();
        QCOMPARE(addressesOf(rows), QStringList({"1", "2", "3"}));
        QVERIFY2(rows.at(1).result == result::kFailed
                     && rows.at(1).remarks.contains("Address 2 of the series \"S\" is marked failed"),
                 qPrintable(rows.at(1).remarks));
    }

    void rowsWaitWhileTheServerIsAway()
    {
        constexpr int kModules = 12;
        testing::ThrowawayPostgres away;
        const QString history = away.freshDatabase();
        const auto onServer = [&] { return orlo::History(history, "tst").rows(); };
        QProcess *series = startBench("bench-c", history, {"series", configuration, "--count", "12"}, kModules);
        while (onServer().size() < 2 && series->state() != QProcess::NotRunning)
            QTest::qWait(100);
        QVERIFY(away.stop());
        QCOMPARE(finished(series), 0);
        QVERIFY(series->readAllStandardError().contains("wait on this bench for the history server"));

        QProcess *refused = startBench("bench-c", history, numbered(configuration, "B", 1));
        QCOMPARE(finished(refused), int(orlo::cli::kHistoryNotWritten));
        QVERIFY(refused->readAllStandardError().contains("the series is not numbered"));

        // The bench's next run sends what waits on it, and marks it sent.
        const QString waiting = folder.filePath("bench-c.sqlite");
        const QString count = "SELECT COUNT(*) FROM history WHERE unsent = 1";
        QVERIFY(onTables(waiting, {count}).toInt() > 0);
        QVERIFY(away.start());
        QCOMPARE(finished(startBench("bench-c", history, {"history"})), 0);
        QCOMPARE(onTables(waiting, {count}).toInt(), 0);
        QCOMPARE(onServer().size(), kModules);
    }

    void addressOfAModuleSentNothingIsFreeAgain()
    {
        orlo::History history(server.freshDatabase(), "tst");
        QFile file(configuration);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const orlo::records::Parsed parsed = orlo::records::parseDocument(file.readAll(), 0x02AE);
        const QByteArray answer(orlo::kFrameBufferSize - 1, 0);   // the file fills the role and address
        orlo::Series series;
        series.setFile(configuration, 0x02AE, parsed.fields);
        series.shareAddresses(&history);
        series.numberFrom(1);
        series.setName("R");
        const auto *payload = reinterpret_cast<const quint8 *>(answer.constData());
        QVERIFY(series.fill(0x02AE, payload).numbered);
        series.setName("renamed");   // meanwhile: the address stays in its series
        series.forgetModule();
        series.setName("R");
        QVERIFY(series.fill(0x02AE, payload).numbered);
        QCOMPARE(series.status(), QString("Series: tm.json, 0 written, series R numbered by the history server, "
                                          "last address 1"));
    }
};

ORLO_CORE_TEST_MAIN(SharedHistoryTest)
#include "tst_shared_history.moc"
