// orlo-cli through its own entry, on simulated modules: read then write on
// every type, refusals with their statuses and history rows, no module, a
// numbered series with its journal, Ctrl+C in the middle of a series and of
// a long read, the
// history read back, and a history that cannot be written.
#include "cli/cli.h"
#include "link/history.h"
#include "link/frames/rs_frame.h"
#include "link/frames/tm_frame.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "sim/firmware.h"
#include "sim/modulequeue.h"
#include "sim/simbench.h"
#include "support/coreapp.h"
#include "support/records.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <csignal>

using orlo::records::recordOf;

namespace {

constexpr int kTm868 = 0x02AE;
constexpr int kRs = 0x02B1;

struct Ran {
    int status;
    QString out;
    QString err;
};

Ran runCli(const QStringList &arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = orlo::cli::run(arguments, {outStream, errStream, false});
    return {status, out, err};
}

sim::Module &plugStoring(int productId, const QByteArray &payload)
{
    sim::Module &m = sim::Bench::instance().plug(std::uint16_t(productId));
    const orlo::records::Record r = recordOf(productId);
    for (int i = r.first; i < r.end; ++i)
        m.stored[std::size_t(i)] = quint8(payload[i]);
    // A firmware that offers every feature, with a Sigfox identifier.
    sim::setModuleInformation(m, 0xC0FFEE, "2.3");
    return m;
}

QByteArray randomRecord(int productId, quint32 seed)
{
    QRandomGenerator random{seed};
    return randomRecordPayload(productId, random);
}

// The first random record, seed 1 on, that `wanted` accepts.
QByteArray recordWhere(int productId, const std::function<bool(const QByteArray &)> &wanted)
{
    QByteArray payload;
    for (quint32 seed = 1; !wanted(payload = randomRecord(productId, seed)); ++seed) {
    }
    return payload;
}

void writeDocument(const QString &path, int productId, const QByteArray &payload)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(orlo::records::documentOf(productId, reinterpret_cast<const quint8 *>(payload.constData()), {}));
}

QByteArray maskedRecord(int productId, const QByteArray &payload)
{
    const orlo::records::Record r = recordOf(productId);
    const QByteArray mask = orlo::records::configurationMask(productId);
    QByteArray bytes = payload.mid(r.first, r.end - r.first);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] & mask[i]);
    return bytes;
}

QByteArray bytesOf(const sim::Bytes &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), int(frame.size()));
}

QList<QByteArray> fileLines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>();
}

// The rows of the history a run writes by default.
QVector<JournalEntry> historyRows()
{
    return orlo::History(orlo::History::defaultLocation(), QStringLiteral("tst_cli")).rows();
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { sim::Bench::instance().reset(); }
    void readThenWriteElsewhere_data();
    void readThenWriteElsewhere();
    void refusals_data();
    void refusals();
    void noModuleWithinTheWait();
    void numberedSeriesWithJournal();
    void interruptedSeriesKeepsFinishedModules();
    void interruptEndsALongRead();
    void historyShowsTheSeries();
    void unwritableHistory_data();
    void unwritableHistory();

private:
    QString masterFile();
    QTemporaryDir dir;
};

void CliTest::readThenWriteElsewhere_data()
{
    QTest::addColumn<int>("productId");
    for (const orlo::ModuleEntry &e : orlo::kModules)
        QTest::addRow("%s %04x", e.name, e.productId) << int(e.productId);
}

void CliTest::readThenWriteElsewhere()
{
    QFETCH(int, productId);
    const QString path = dir.filePath(QStringLiteral("%1.json").arg(productId, 4, 16));
    const QByteArray original = randomRecord(productId, quint32(productId));
    sim::Module &source = plugStoring(productId, original);
    const Ran read = runCli({QStringLiteral("read"), QStringLiteral("-o"), path, QStringLiteral("--wait"),
                             QStringLiteral("5")});
    QVERIFY2(read.status == orlo::cli::kDone, qPrintable(read.err));
    QCOMPARE(source.lastReceived(orlo::command::WriteConfiguration), sim::Bytes());
    sim::Bench::instance().reset();

    // Another unit, storing other settings and its own hardware bits.
    sim::Module &m = plugStoring(productId, randomRecord(productId, quint32(productId) + 1));
    const Ran written = runCli({QStringLiteral("write"), path, QStringLiteral("--verify")});
    QVERIFY2(written.status == orlo::cli::kDone, qPrintable(written.err));
    QCOMPARE(written.out, QStringLiteral("OK, verified\n"));
    QCOMPARE(maskedRecord(productId, bytesOf(m.lastReceived(orlo::command::WriteConfiguration))),
             maskedRecord(productId, original));
}

void CliTest::refusals_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("row");   // the history's new row; none before a module
    QTest::newRow("no such file") << "missing file" << 2 << "nowhere.json cannot be opened" << "";
    QTest::newRow("not JSON") << "not json" << 2 << "not JSON" << "";
    QTest::newRow("2 MiB") << "large" << 2 << "larger than 1 MiB" << "";
    QTest::newRow("another type") << "type" << 2 << "0x02B1 (RS_r00): the configuration in" << "Invalide";
    QTest::newRow("out of range") << "range" << 2 << "outside" << "Invalide";
    QTest::newRow("master on 1.4") << "firmware" << 2
                                   << "The Master role needs firmware 1.6 or later; the module has version 1.4"
                                   << "Invalide";
    QTest::newRow("unread module") << "silent" << 3 << "0x02AE (TM_868): its stored configuration could not be read"
                                   << "Echec";
    QTest::newRow("no command") << "usage" << 2 << "no command" << "";
    QTest::newRow("bad date") << "date" << 2 << "--since takes a date" << "";
}

void CliTest::refusals()
{
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(QString, row);
    const QString path = fault == QLatin1String("missing file") ? dir.filePath(QStringLiteral("nowhere.json"))
                                                                : masterFile();
    QJsonObject document = QJsonDocument::fromJson(fileLines(path).join('\n')).object();
    QJsonObject fields = document.value(QStringLiteral("fields")).toObject();
    fields.insert(QStringLiteral("modem address"), fault == QLatin1String("range") ? 100000 : 3);
    document.insert(QStringLiteral("fields"), fields);
    QByteArray bytes = QJsonDocument(document).toJson();
    if (fault == QLatin1String("not json"))
        bytes = "Thresholds: 10 and 20\n";
    if (fault == QLatin1String("large"))
        bytes.append(QByteArray(2 << 20, ' '));
    if (fault != QLatin1String("missing file")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    const bool bridge = fault == QLatin1String("type") || fault == QLatin1String("firmware");
    sim::Module &m = plugStoring(bridge ? kRs : kTm868, QByteArray(orlo::kFrameBufferSize, '\0'));
    m.silent = fault == QLatin1String("silent");
    if (fault == QLatin1String("firmware")) {
        writeDocument(path, kRs, recordWhere(kRs, [](const QByteArray &p) {
            return p[orlo::rs::kRole] == orlo::rs::kRoleMaster;
        }));
        sim::setModuleInformation(m, 0xC0FFEE, "1.4");
    }
    const int rowsBefore = historyRows().size();
    QStringList arguments{QStringLiteral("write"), path};
    if (fault == QLatin1String("usage"))
        arguments.clear();
    if (fault == QLatin1String("date"))
        arguments = QStringList{QStringLiteral("history"), QStringLiteral("--since"), QStringLiteral("2024-02-30")};
    const Ran ran = runCli(arguments);
    QCOMPARE(ran.status, status);
    QVERIFY2(ran.err.contains(said), qPrintable(ran.err));
    const QVector<JournalEntry> rows = historyRows();
    QCOMPARE(rows.size(), rowsBefore + (row.isEmpty() ? 0 : 1));
    if (!row.isEmpty())
        QCOMPARE(rows.last().result, row);
    for (sim::Module *plugged : sim::Bench::instance().plugged())
        QCOMPARE(plugged->lastReceived(orlo::command::WriteConfiguration), sim::Bytes());
}

void CliTest::noModuleWithinTheWait()
{
    QElapsedTimer clock;
    clock.start();
    const Ran ran = runCli({QStringLiteral("write"), masterFile(), QStringLiteral("--wait"), QStringLiteral("1")});
    QCOMPARE(ran.status, int(orlo::cli::kNoModule));
    QVERIFY2(ran.err.contains(QStringLiteral("no module")), qPrintable(ran.err));
    QVERIFY(clock.elapsed() < 20000);
}

void CliTest::numberedSeriesWithJournal()
{
    const QString file = masterFile();
    const QString journal = dir.filePath(QStringLiteral("box-12.csv"));
    QFile::remove(journal);
    const ModuleQueue modules({kTm868, kTm868, kTm868, kTm868}, {});
    const Ran ran = runCli({QStringLiteral("series"), file, QStringLiteral("--count"), QStringLiteral("3"),
                            QStringLiteral("--number-from"), QStringLiteral("14"), QStringLiteral("--verify"),
                            QStringLiteral("--journal"), journal});
    QVERIFY2(ran.status == orlo::cli::kDone, qPrintable(ran.err));
    const QStringList lines = ran.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    for (int n = 0; n < 3; ++n)
        QVERIFY2(lines[n].endsWith(QStringLiteral(" 0x02AE %1 OK, verified").arg(14 + n)), qPrintable(lines[n]));
    QCOMPARE(lines[3], QStringLiteral("series: 3 written, 0 not written"));
    const QList<QByteArray> rows = fileLines(journal);
    QCOMPARE(rows.size(), 5);   // header, three rows, nothing after the last CRLF
    // The byte-order mark, the first eight columns in their places, the newer ones after.
    QVERIFY(rows[0].startsWith("\xEF\xBB\xBFTime,Product id,Module type,Module,Button,Result,Remarks,Configuration,"));
    QVERIFY2(rows[3].contains(",0x02AE,TM_868,USB serial (c)Velka,orlo-cli series,\"OK, verified\",,")
                 && rows[3].contains("\"\"modem address\"\":16"),
             rows[3].constData());
    QCOMPARE(modules.pluggedCount(), 3);
}

void CliTest::interruptedSeriesKeepsFinishedModules()
{
    const QString file = masterFile();
    const QString journal = dir.filePath(QStringLiteral("interrupted.csv"));
    QFile::remove(journal);
    orlo::cli::installSignalHandlers();
    // Ctrl+C once the second module received its configuration, its
    // answer and the read back still to come, or soon after.
    int plugs = 0;
    QTimer watch;
    const ModuleQueue modules({kTm868, kTm868, kTm868}, [&](sim::Module &m) {
        if (++plugs != 2)
            return;
        QObject::connect(&watch, &QTimer::timeout, &watch, [&m, &watch] {
            if (!m.lastReceived(orlo::command::WriteConfiguration).empty()) {
                watch.stop();
                std::raise(SIGINT);
            }
        });
        watch.start(1);
    });
    const Ran ran = runCli({QStringLiteral("series"), file, QStringLiteral("--verify"), QStringLiteral("--journal"),
                            journal});
    QCOMPARE(ran.status, int(orlo::cli::kInterrupted));
    QVERIFY2(ran.out.endsWith(QStringLiteral("series: 2 written, 0 not written, interrupted\n")), qPrintable(ran.out));
    QCOMPARE(fileLines(journal).size(), 4);   // header and both finished modules
    QCOMPARE(modules.pluggedCount(), 2);
}

void CliTest::interruptEndsALongRead()
{
    // A repeater that never answers would hold the read for 20 s.
    sim::Bench::instance().plug(0x0302).silent = true;
    orlo::cli::installSignalHandlers();
    QTimer::singleShot(500, [] { std::raise(SIGINT); });
    QElapsedTimer clock;
    clock.start();
    const Ran ran = runCli({QStringLiteral("read")});
    QCOMPARE(ran.status, int(orlo::cli::kInterrupted));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

void CliTest::historyShowsTheSeries()
{
    const QString history = dir.filePath(QStringLiteral("series.sqlite"));
    {
        orlo::History older(history, QStringLiteral("tst_cli"));
        JournalEntry row;
        row.time = QDateTime(QDate(2020, 3, 2), QTime(9, 30));
        row.productId = kRs;
        row.moduleType = QStringLiteral("RS_r00");
        row.button = QStringLiteral("Configurer");
        row.result = QStringLiteral("Invalide");
        QVERIFY(older.record(row));
    }
    const QDate seriesDay = QDate::currentDate();
    const ModuleQueue modules({kTm868}, {});
    QCOMPARE(runCli({QStringLiteral("series"), masterFile(), QStringLiteral("--count"), QStringLiteral("1"),
                     QStringLiteral("--number-from"), QStringLiteral("7"), QStringLiteral("--history"), history})
                 .status,
             int(orlo::cli::kDone));
    const QString host = QSysInfo::machineHostName();
    const Ran plain = runCli({QStringLiteral("history"), QStringLiteral("--history"), history});
    QCOMPARE(plain.status, int(orlo::cli::kDone));
    const QStringList lines = plain.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("2020-03-02 09:30:00  0x02B1  RS_r00  -  Invalide  Configurer  ") + host);
    QVERIFY2(lines[1].endsWith(QStringLiteral("  0x02AE  TM_868  7  OK  orlo-cli series  ") + host), qPrintable(lines[1]));

    // From the series' day on, every column of the journal.
    const Ran json = runCli({QStringLiteral("history"), QStringLiteral("--json"), QStringLiteral("--since"),
                             seriesDay.toString(Qt::ISODate), QStringLiteral("--history"), history});
    const QStringList objects = json.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(objects.size(), 1);
    QCOMPARE(objects[0].toUtf8() + '\n', journal::jsonLine(orlo::History(history, {}).rows().last()));
    const QJsonObject last = QJsonDocument::fromJson(objects[0].toUtf8()).object();
    QCOMPARE(last.value(QStringLiteral("own address")).toString(), QStringLiteral("7"));
    QCOMPARE(last.value(QStringLiteral("program")).toString(), QStringLiteral("orlo-cli " ORLO_VERSION));
}

void CliTest::unwritableHistory_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("write") << "write" << "OK";
    // The series stops after the module in progress.
    QTest::newRow("series") << "series" << "series: 1 written, 0 not written";
}

void CliTest::unwritableHistory()
{
    QFETCH(QString, command);
    QFETCH(QString, lastLine);
    const QString history = dir.filePath(QStringLiteral("damaged.sqlite"));
    QFile damaged(history);
    QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(4096, 'x')) == 4096);
    damaged.close();
    const QString journal = dir.filePath(QStringLiteral("unwritable.csv"));
    QFile::remove(journal);
    const ModuleQueue modules({kTm868, kTm868}, {});
    const Ran ran = runCli({command, masterFile(), QStringLiteral("--journal"), journal, QStringLiteral("--history"),
                            history});
    QCOMPARE(ran.status, int(orlo::cli::kHistoryNotWritten));
    QCOMPARE(ran.err.count(history), 1);
    QVERIFY2(ran.out.endsWith(lastLine + QLatin1Char('\n')), qPrintable(ran.out));
    const QList<QByteArray> rows = fileLines(journal);
    QCOMPARE(rows.size(), 3);   // header, the module's row, nothing after the last CRLF
    QVERIFY2(rows[1].contains(",0x02AE,TM_868,USB serial (c)Velka,orlo-cli " + command.toLatin1() + ",OK,"),
             rows[1].constData());
    QCOMPARE(modules.pluggedCount(), 1);
}

// A TM_868 Master's configuration, as read from a module.
QString CliTest::masterFile()
{
    const QString path = dir.filePath(QStringLiteral("tm868.json"));
    writeDocument(path, kTm868, recordWhere(kTm868, [](const QByteArray &p) {
        return (p[orlo::tm::kFlags] & orlo::tm::kRoleMask) == orlo::tm::kRoleMaster;
    }));
    return path;
}

ORLO_CORE_TEST_MAIN(CliTest)
#include "tst_cli.moc"
