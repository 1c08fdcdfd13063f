// The history on disk: the rows of a killed window are there, the window and
// orlo-cli write one file at once, a history that cannot be written keeps its
// rows and Quit asks about them, and the series both programs count with.
// The processes are this test itself, started with a role.
#include "app/configfiles.h"
#include "cli/cli.h"
#include "link/history.h"
#include "link/provisioning.h"
#include "link/records/recordfields.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"
#include "support/records.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace testing;

namespace {

// A module whose Write is free again at once, the window's and orlo-cli's.
constexpr std::uint16_t kModule = 0x01C7;
// Between two orlo-cli writes, so that they spread over the window's.
constexpr int kCliPauseMs = 50;
constexpr int kTm868 = 0x02AE;
const QString kWindowWrites = QStringLiteral("--window-writes");
const QString kCliWrites = QStringLiteral("--cli-writes");

// Child: a window writes a TM module `count` times, says so, and stays
// until killed when asked.
int windowWrites(int count, bool stay)
{
    auto window = freshWindow(qEnvironmentVariable("ORLO_HISTORY"));
    sim::Module &m = plugAndShow(*window, kModule, "page_ORLO_DI");
    const orlo::History &history = window->findChild<ConfigurationFiles *>()->history();
    for (int n = 0; n < count; ++n)
        if (pressWrite(shownPage(*window), m, 0).empty() || resultLabel(shownPage(*window))->text() != "OK"
            || !history.problem().isEmpty())
            return 1;
    QTextStream(stdout) << "written" << Qt::endl;
    return stay ? qApp->exec() : 0;
}

// Child: once the window wrote its first row, orlo-cli reads a module into a
// file and writes it back `count` times.
int cliWrites(int count, const QString &file)
{
    const orlo::History shared(qEnvironmentVariable("ORLO_HISTORY"), QStringLiteral("reader"));
    if (!QTest::qWaitFor([&] { return !shared.rows().isEmpty(); }, 60000))
        return 1;
    sim::Bench::instance().plug(kModule);
    QString said;
    QTextStream out(&said);
    int status = orlo::cli::run({QStringLiteral("read"), QStringLiteral("-o"), file}, {out, out, false});
    for (int n = 0; n < count && status == orlo::cli::kDone; ++n) {
        status = orlo::cli::run({QStringLiteral("write"), file}, {out, out, false});
        QTest::qWait(kCliPauseMs);
    }
    QTextStream(stderr) << said;
    return status;
}

QProcess *startRole(const QStringList &arguments, const QString &history, QObject *parent)
{
    auto *child = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORLO_HISTORY"), history);
    child->setProcessEnvironment(environment);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(), arguments);
    return child;
}

// Quit's question answered with `button`; whether the window may close, and
// the question's text ("" when nothing was asked).
std::pair<bool, QString> answerQuit(ConfigurationFiles &files, QMessageBox::StandardButton button)
{
    QString asked;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(button)->click();
        }
    });
    watcher.start(20);
    const bool quits = files.mayQuit();
    return {quits, asked};
}

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { sim::Bench::instance().reset(); }
    void killedWindowKeepsItsRows();
    void windowAndCliWriteAtOnce();
    void unwritableHistoryKeepsRowsAndAsksAtQuit_data();
    void unwritableHistoryKeepsRowsAndAsksAtQuit();
    void serverOutOfReachRowsWaitAndNumberingIsRefused();
    void seriesCountsEachModuleOnce_data();
    void seriesCountsEachModuleOnce();

private:
    QTemporaryDir dir;
};

void HistoryTest::killedWindowKeepsItsRows()
{
    const QString path = dir.filePath(QStringLiteral("killed.sqlite"));
    QProcess *window = startRole({kWindowWrites, QStringLiteral("2"), QStringLiteral("stay")}, path, this);
    QVERIFY(QTest::qWaitFor([&] { return window->readAllStandardOutput().contains("written")
                                         || window->state() == QProcess::NotRunning; }, 60000));
    window->kill();   // SIGKILL: nothing runs at exit
    QVERIFY(window->waitForFinished(10000));
    const QVector<JournalEntry> rows = orlo::History(path, QStringLiteral("reader")).rows();
    QCOMPARE(rows.size(), 2);
    for (const JournalEntry &row : rows)
        QVERIFY(row.result == "OK" && row.productId == kModule && row.program.startsWith("orlo-configurator"));
}

void HistoryTest::windowAndCliWriteAtOnce()
{
    constexpr int kEach = 30;
    const QString path = dir.filePath(QStringLiteral("shared.sqlite"));
    QProcess *window = startRole({kWindowWrites, QString::number(kEach)}, path, this);
    QProcess *cli = startRole({kCliWrites, QString::number(kEach), dir.filePath(QStringLiteral("tm.json"))}, path,
                              this);
    for (QProcess *child : {window, cli}) {
        QVERIFY(child->waitForFinished(180000));
        QCOMPARE(child->exitCode(), 0);
    }
    const QVector<JournalEntry> rows = orlo::History(path, QStringLiteral("reader")).rows();
    QCOMPARE(rows.size(), 2 * kEach);
    const auto from = [&](const char *program) {
        return std::count_if(rows.begin(), rows.end(), [&](const JournalEntry &row) {
            return row.program.startsWith(QLatin1String(program)) && row.result == "OK";
        });
    };
    QCOMPARE(from("orlo-configurator"), kEach);
    QCOMPARE(from("orlo-cli"), kEach);
}

void HistoryTest::unwritableHistoryKeepsRowsAndAsksAtQuit_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::newRow("damaged file") << true;
    QTest::newRow("a folder in its place") << false;
}

void HistoryTest::unwritableHistoryKeepsRowsAndAsksAtQuit()
{
    QFETCH(bool, damaged);
    const QString path = dir.filePath(QStringLiteral("unwritable-%1.sqlite").arg(damaged));
    if (damaged) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
    } else {
        QVERIFY(QDir().mkpath(path));
    }
    auto window = freshWindow(path);
    ConfigurationFiles &files = *window->findChild<ConfigurationFiles *>();
    QVERIFY(!child<QLabel>(*window, "label_HistoryProblem")->isHidden());
    sim::Module &m = plugAndShow(*window, kModule, "page_ORLO_DI");
    QVERIFY(!pressWrite(shownPage(*window), m, 0).empty());
    QCOMPARE(resultLabel(shownPage(*window))->text(), QStringLiteral("OK"));
    QCOMPARE(files.history().unwritten().size(), 1);
    QVERIFY(window->statusBar()->currentMessage().contains(path));

    const auto cancelled = answerQuit(files, QMessageBox::Cancel);
    QVERIFY2(!cancelled.first && cancelled.second.contains("journal"), qPrintable(cancelled.second));
    QVERIFY(answerQuit(files, QMessageBox::Discard).first);
    // Once exported, nothing is asked.
    QVERIFY(files.exportJournalTo(dir.filePath(QStringLiteral("kept.csv"))));
    const auto afterExport = answerQuit(files, QMessageBox::Cancel);
    QVERIFY(afterExport.first && afterExport.second.isEmpty());
}

void HistoryTest::serverOutOfReachRowsWaitAndNumberingIsRefused()
{
    auto window = freshWindow(QStringLiteral("postgresql://orlo@/orlo?host=") + dir.filePath(QStringLiteral("none")));
    ConfigurationFiles &files = *window->findChild<ConfigurationFiles *>();
    sim::Module &m = plugAndShow(*window, kModule, "page_ORLO_DI");
    for (int rows = 1; rows <= 2; ++rows) {
        QVERIFY(!pressWrite(shownPage(*window), m, 0).empty());
        QCOMPARE(resultLabel(shownPage(*window))->text(), QStringLiteral("OK"));
        QCOMPARE(child<QLabel>(*window, "label_HistoryWaiting")->text(),
                 QStringLiteral("%1 row(s) waiting for the history server").arg(rows));
    }
    // On the bench's disk: nothing for Quit to ask about.
    QVERIFY(child<QLabel>(*window, "label_HistoryProblem")->isHidden() && !files.history().hasUnsavedRows());
    const MessageBoxCatcher refusal;
    files.numberOwnAddresses(true, 1, QStringLiteral("line"));
    QVERIFY2(refusal.text.contains(files.history().serverProblem()), qPrintable(refusal.text));
    QVERIFY(!child<QAction>(*window, "actionNumber_addresses")->isChecked());
}

void HistoryTest::seriesCountsEachModuleOnce_data()
{
    QTest::addColumn<int>("numberFrom");     // -1: each module keeps its own
    QTest::addColumn<bool>("edited");        // a field changed on the page before Write
    QTest::addColumn<QString>("address");    // what the filled module's own address is
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("next");
    QTest::newRow("kept") << -1 << false << "own" << 1 << 0;
    QTest::newRow("numbered") << 14 << false << "14" << 1 << 15;
    QTest::newRow("edited before Write") << 14 << true << "14" << 0 << 14;
    QTest::newRow("last address") << 240 << false << "240" << 1 << 241;
    QTest::newRow("past the range") << 241 << false << "" << 0 << 241;
}

void HistoryTest::seriesCountsEachModuleOnce()
{
    QFETCH(int, numberFrom);
    QFETCH(bool, edited);
    QFETCH(QString, address);
    QFETCH(int, written);
    QFETCH(int, next);
    const QString addressField = QStringLiteral("modem address");
    QRandomGenerator random{3};
    QByteArray module;   // a Master, which has an own address, its own being 7
    do
        module = randomRecordPayload(kTm868, random);
    while (!orlo::records::fieldsOf(kTm868, reinterpret_cast<const quint8 *>(module.constData()))
                .contains(addressField));
    const auto *answer = reinterpret_cast<const quint8 *>(module.constData());
    orlo::Series series;
    series.setFile(QStringLiteral("/bench/tm868.json"), kTm868, orlo::records::fieldsOf(kTm868, answer));
    series.numberFrom(numberFrom < 0 ? std::nullopt : std::optional<int>(numberFrom));

    const orlo::records::Opened opened = series.fill(kTm868, answer);
    QCOMPARE(opened.outOfAddresses, address.isEmpty());
    QCOMPARE(series.awaitsWrite(), !address.isEmpty());
    if (!address.isEmpty()) {
        QByteArray sent = module;
        sent.replace(orlo::records::recordOf(kTm868).first, opened.record.size(), opened.record);
        const QJsonValue own = orlo::records::fieldsOf(kTm868, reinterpret_cast<const quint8 *>(sent.constData()))
                                   .value(addressField);
        QCOMPARE(own, address == "own" ? orlo::records::fieldsOf(kTm868, answer).value(addressField)
                                       : QJsonValue(address.toInt()));
        if (edited) {
            const QByteArray mask = orlo::records::configurationMask(kTm868);
            const int at = int(std::find_if(mask.begin(), mask.end(), [](char bits) { return bits != 0; }) - mask.begin());
            const int byte = orlo::records::recordOf(kTm868).first + at;
            sent[byte] = char(sent[byte] ^ (mask[at] & -mask[at]));
        }
        for (int press = 0; press < 2; ++press)   // a module written twice counts once
            series.accepted(kTm868, reinterpret_cast<const quint8 *>(sent.constData()));
        QVERIFY(!series.awaitsWrite());
    }
    QCOMPARE(series.written(), written);
    QCOMPARE(series.nextAddress(), next);
    QCOMPARE(series.status(), QStringLiteral("Series: tm868.json, %1 written, next address %2")
                                  .arg(written)
                                  .arg(next)
                                  .remove(numberFrom < 0 ? QStringLiteral(", next address 0") : QString()));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initTestApplication();
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == kWindowWrites)
        return windowWrites(arguments.value(2).toInt(), arguments.size() > 3);
    if (arguments.value(1) == kCliWrites)
        return cliWrites(arguments.value(2).toInt(), arguments.value(3));
    HistoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"
