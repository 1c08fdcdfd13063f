// Configurations in files, series and journal, through the simulated modules:
// a saved page opens into another module and Write sends the same bytes; a
// bad file changes nothing; a series fills each module; verify and journal.
#include "app/configfiles.h"
#include "link/clockstamp.h"
#include "link/frames/rs_frame.h"
#include "link/frames/tm_frame.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "sim/firmware.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"
#include "support/records.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace testing;
using orlo::records::recordOf;

namespace {

ConfigurationFiles &filesOf(const MainWindow &w)
{
    return *w.findChild<ConfigurationFiles *>();
}

// A module of this type storing `payload`'s record, its page shown and read.
sim::Module &plugStoring(MainWindow &w, int productId, const QByteArray &payload)
{
    sim::Module &m = sim::Bench::instance().plug(std::uint16_t(productId));
    const orlo::records::Record r = recordOf(productId);
    for (int i = r.first; i < r.end && !payload.isEmpty(); ++i)
        m.stored[std::size_t(i)] = quint8(payload[i]);
    if (!waitForPage(w) || !QTest::qWaitFor([&] { return configureButton(shownPage(w))->isEnabled(); }, 10000))
        qWarning("page of %04x not ready", productId);
    return m;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first random record of the type that `wanted` accepts.
QByteArray randomRecordWhere(int productId, const std::function<bool(const QByteArray &)> &wanted)
{
    QRandomGenerator random{quint32(productId)};
    QByteArray payload;
    do
        payload = randomRecordPayload(productId, random);
    while (!wanted(payload));
    return payload;
}

bool unplugAndWait(MainWindow &w, sim::Module &m)
{
    sim::Bench::instance().unplug(m);
    return QTest::qWaitFor([&] { return currentPage(w) == QLatin1String("page_Connect"); }, 5000);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// A page opened from a file reads its module again, then shows the file.
bool openAndWait(MainWindow &w, sim::Module &m, const QString &path)
{
    const int reads = receivedCommands(m).count(orlo::command::ReadConfiguration);
    return filesOf(w).openFrom(path) && QTest::qWaitFor([&] {
        return receivedCommands(m).count(orlo::command::ReadConfiguration) > reads
               && configureButton(shownPage(w))->isEnabled() && !w.transport()->busy();
    }, 10000);
}

} // namespace

class ConfigFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { sim::Bench::instance().reset(); }
    void savedPageWritesTheSameBytesElsewhere_data();
    void savedPageWritesTheSameBytesElsewhere();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void seriesFillsEachModuleOfItsType();
    void verifyAndJournal();
    void seriesKeepsOrNumbersOwnAddresses();
    void seriesGoesThroughUnits();
    void anotherInputKindIsAsked();
    void fileObeysTheModulesFirmware_data();
    void fileObeysTheModulesFirmware();

private:
    QTemporaryDir dir;
};

void ConfigFilesTest::savedPageWritesTheSameBytesElsewhere_data()
{
    QTest::addColumn<int>("productId");
    for (const orlo::ModuleEntry &e : orlo::kModules)
        QTest::addRow("%s %04x", e.name, e.productId) << int(e.productId);
}

void ConfigFilesTest::savedPageWritesTheSameBytesElsewhere()
{
    QFETCH(int, productId);
    const std::size_t first = std::size_t(recordOf(productId).first);
    const QString path = dir.filePath(QStringLiteral("%1.json").arg(productId, 4, 16));
    QRandomGenerator random{quint32(productId)};
    const QByteArray stored = randomRecordPayload(productId, random);
    sim::Bytes original;
    {
        // A record whose every field holds a value inside the page's range.
        auto window = freshWindow();
        const DialogCloser closer;
        sim::Module &m = plugStoring(*window, productId, stored);
        original = pressWrite(shownPage(*window), m, first);
        QVERIFY2(!original.empty(), "the page writes a record from its fields' ranges");
        QVERIFY(filesOf(*window).saveTo(path));
        sim::Bench::instance().reset();
    }

    // Another module of the same hardware, storing nothing else.
    auto window = freshWindow();
    const DialogCloser closer;
    QByteArray hardware = stored;
    const QByteArray settings = orlo::records::configurationMask(productId);
    for (int i = 0; i < settings.size(); ++i)
        hardware[int(first) + i] = char(hardware[int(first) + i] & ~settings[i]);
    sim::Module &m = plugStoring(*window, productId, hardware);
    QVERIFY(openAndWait(*window, m, path));
    QVERIFY(m.lastReceived(orlo::command::WriteConfiguration).empty());
    child<QAction>(*window, "actionVerify_after_write")->setChecked(true);
    QCOMPARE(pressWrite(shownPage(*window), m, first), original);
    QCOMPARE(resultLabel(shownPage(*window))->text(), QStringLiteral("OK"));
    QCOMPARE(filesOf(*window).history().rows().last().result, QStringLiteral("OK, verified"));
}

void ConfigFilesTest::badFileChangesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("said");
    QTest::newRow("not JSON") << "not json" << "not JSON";
    QTest::newRow("truncated") << "truncated" << "not JSON";
    QTest::newRow("wrong format") << "format" << "not a module configuration";
    QTest::newRow("another type") << "type" << "TM is 0x0240 and 0x0244";
    QTest::newRow("missing field") << "missing" << "is missing";
    QTest::newRow("out of range") << "range" << "outside";
    QTest::newRow("2 MiB") << "large" << "larger than 1 MiB";
}

void ConfigFilesTest::badFileChangesNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, said);
    constexpr int kTm = 0x0240;
    auto window = freshWindow();
    // Both saves carry the same time: the page is compared, not the clock.
    orlo::setClockForTesting([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 30)); });
    sim::Module &m = plugStoring(*window, kTm, {});
    const QString before = dir.filePath(QStringLiteral("before.json"));
    QVERIFY(filesOf(*window).saveTo(before));
    QByteArray bad = readFile(before);
    QJsonObject document = QJsonDocument::fromJson(bad).object();
    QJsonObject fields = document.value(QStringLiteral("fields")).toObject();
    const orlo::records::Record record = recordOf(kTm);
    const orlo::records::Field &number = *std::find_if(record.fields.begin(), record.fields.end(),
        [](const orlo::records::Field &f) { return f.kind == orlo::records::Kind::Number && !f.shownWhen; });
    if (fault == QLatin1String("format"))
        document.insert(QStringLiteral("format"), QStringLiteral("spreadsheet"));
    if (fault == QLatin1String("type"))
        document.insert(QStringLiteral("product id"), QStringLiteral("0x02AE"));
    if (fault == QLatin1String("missing"))
        fields.remove(record.fields.first().name);
    if (fault == QLatin1String("range"))
        fields.insert(number.name, number.maximum + 1000);
    document.insert(QStringLiteral("fields"), fields);
    bad = QJsonDocument(document).toJson();
    if (fault == QLatin1String("not json"))
        bad = "Thresholds: 10 and 20\n";
    if (fault == QLatin1String("truncated"))
        bad.truncate(bad.size() / 2);
    if (fault == QLatin1String("large"))
        bad.append(QByteArray(2 << 20, ' '));
    const QString path = dir.filePath(QStringLiteral("bad.json"));
    writeFile(path, bad);

    m.received.clear();
    MessageBoxCatcher box;
    QVERIFY(!filesOf(*window).openFrom(path));
    QTRY_VERIFY(box.seen);
    QVERIFY2(box.text.contains(path) && box.text.contains(said), qPrintable(box.text));
    QVERIFY(m.received.empty());
    const QString after = dir.filePath(QStringLiteral("after.json"));
    QVERIFY(filesOf(*window).saveTo(after));
    QCOMPARE(readFile(after), readFile(before));
}

void ConfigFilesTest::seriesFillsEachModuleOfItsType()
{
    constexpr int kTm = 0x0244;
    const std::size_t first = std::size_t(recordOf(kTm).first);
    auto window = freshWindow();
    MainWindow &w = *window;
    const DialogCloser closer;
    QAction *series = child<QAction>(w, "actionSeries");
    const QLabel *notWritten = child<QLabel>(w, "label_NotWrittenYet");
    QVERIFY(!series->isEnabled());
    QRandomGenerator random{7};
    sim::Module &source = plugStoring(w, kTm, randomRecordPayload(kTm, random));
    const sim::Bytes original = pressWrite(shownPage(w), source, first);
    QVERIFY(!original.empty() && filesOf(w).saveTo(dir.filePath(QStringLiteral("series.json"))));
    QVERIFY(unplugAndWait(w, source));
    QVERIFY(series->isEnabled());
    series->setChecked(true);
    for (int n = 1; n <= 3; ++n) {
        sim::Module &m = plugStoring(w, kTm, {});
        QVERIFY(m.received.size() == 1 || m.lastReceived(orlo::command::WriteConfiguration).empty());
        QCOMPARE(notWritten->text(), QStringLiteral("From series.json, not written yet: press Write"));
        QVERIFY(!notWritten->isHidden());
        QCOMPARE(pressWrite(shownPage(w), m, first), original);
        QVERIFY(notWritten->isHidden());
        QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Series: series.json, %1 written").arg(n));
        QVERIFY(unplugAndWait(w, m));
        if (n == 2) {
            // Another type is served as usual and does not count.
            sim::Module &other = plugStoring(w, 0x02A9, {});
            const sim::Bytes stored(other.stored.begin() + long(first), other.stored.end());
            QCOMPARE(pressWrite(shownPage(w), other, first).size(), stored.size());
            QVERIFY(unplugAndWait(w, other));
        }
    }
    series->setChecked(false);
    sim::Module &after = plugStoring(w, kTm, {});
    QVERIFY(pressWrite(shownPage(w), after, first) != original);
}

void ConfigFilesTest::verifyAndJournal()
{
    constexpr int kTm = 0x0240;
    auto window = freshWindow();
    MainWindow &w = *window;
    const DialogCloser closer;
    sim::Module &m = plugStoring(w, kTm, {});
    QWidget *page = shownPage(w);
    // A field that bit 0 of its first byte belongs to.
    const orlo::records::Record record = recordOf(kTm);
    const orlo::records::Field &garbled = *std::find_if(record.fields.begin(), record.fields.end(),
        [](const orlo::records::Field &f) { return (f.mask & 1) && !f.shownWhen; });
    m.garbledOffset = garbled.offset;
    child<QAction>(w, "actionVerify_after_write")->setChecked(true);
    QVERIFY(!pressWrite(page, m, 0).empty());
    QCOMPARE(resultLabel(page)->text(), QStringLiteral("Echec"));
    QVERIFY2(w.statusBar()->currentMessage().contains(garbled.name), qPrintable(w.statusBar()->currentMessage()));
    child<QAction>(w, "actionVerify_after_write")->setChecked(false);
    QVERIFY(!pressWrite(page, m, 0).empty());
    QCOMPARE(resultLabel(page)->text(), QStringLiteral("OK"));
    // Refused: the statement minute is not chosen.
    child<QSlider>(w, "horizontalSlider_Type_releve_TM")->setValue(1);
    child<QComboBox>(w, "comboBox_heures_releve_TM")->setCurrentIndex(1);
    child<QComboBox>(w, "comboBox_minutes_releve_TM")->setCurrentIndex(0);
    QVERIFY(pressWrite(page, m, 0).empty());

    const QString path = dir.filePath(QStringLiteral("journal.csv"));
    QVERIFY(filesOf(w).exportJournalTo(path));
    const QList<QByteArray> lines = readFile(path).split('\n');
    QCOMPARE(lines.size(), 5);   // header, three rows, nothing after the last CRLF
    QVERIFY(lines.first().startsWith("\xEF\xBB\xBFTime,Product id,Module type,Module,Button,Result,Remarks,Configuration,"));
    const QByteArray rowStart = ",0x0240,TM,USB serial (c)Velka,Configurer,";
    const QByteArray differs = "Stored otherwise than written: " + garbled.name.toUtf8();
    QVERIFY2(lines[1].contains(rowStart + "Echec," + differs + ",\"{\"\""), lines[1]);
    QVERIFY2(lines[2].contains(rowStart + "OK,,\"{\"\""), lines[2]);
    // A refusal: its failed checks, no configuration sent.
    QVERIFY2(lines[3].contains(rowStart + "Invalide,Champ "), lines[3]);
    QVERIFY(filesOf(w).history().rows().last().configuration.isEmpty());
    QVERIFY(lines[4].isEmpty());
}

void ConfigFilesTest::seriesKeepsOrNumbersOwnAddresses()
{
    constexpr int kTm868 = 0x02AE;
    const std::size_t address = std::size_t(orlo::tm::kModemAddress - recordOf(kTm868).first);
    auto window = freshWindow();
    MainWindow &w = *window;
    const QByteArray master = randomRecordWhere(kTm868, [](const QByteArray &p) {
        return (p[orlo::tm::kFlags] & orlo::tm::kRoleMask) == orlo::tm::kRoleMaster;
    });
    sim::Module &source = plugStoring(w, kTm868, master);
    QVERIFY(filesOf(w).saveTo(dir.filePath(QStringLiteral("tm868.json"))) && unplugAndWait(w, source));
    child<QAction>(w, "actionSeries")->setChecked(true);
    // Each module plugged has an own address of its own, 40 on.
    const auto plugOwning = [&](int own) {
        QByteArray stored = master;
        stored[orlo::tm::kModemAddress] = char(own);
        return std::ref(plugStoring(w, kTm868, stored));
    };
    filesOf(w).numberOwnAddresses(true, 14);
    for (int n = 0; n < 2; ++n) {
        sim::Module &m = plugOwning(40 + n);
        QCOMPARE(int(pressWrite(shownPage(w), m, recordOf(kTm868).first).at(address)), 14 + n);
        QCOMPARE(w.statusBar()->currentMessage(),
                 QStringLiteral("Series: tm868.json, %1 written, next address %2").arg(n + 1).arg(15 + n));
        QVERIFY(unplugAndWait(w, m));
    }
    filesOf(w).numberOwnAddresses(false);
    sim::Module &kept = plugOwning(42);
    QCOMPARE(int(pressWrite(shownPage(w), kept, recordOf(kTm868).first).at(address)), 42);
    QVERIFY(unplugAndWait(w, kept));
    // No address left: the series stops and says so; the module is its own.
    filesOf(w).numberOwnAddresses(true, orlo::tm::kMaxAddress + 1);
    MessageBoxCatcher box;
    sim::Module &last = plugOwning(43);
    QTRY_VERIFY(box.seen);
    QVERIFY2(box.text.contains(QStringLiteral("tm868.json stops")), qPrintable(box.text));
    QVERIFY(!child<QAction>(w, "actionSeries")->isChecked());
    QCOMPARE(int(pressWrite(shownPage(w), last, recordOf(kTm868).first).at(address)), 43);
}

void ConfigFilesTest::seriesGoesThroughUnits()
{
    // +1.5 degC from a probe counting eighths onto one counting 32nds.
    constexpr int kEighths = 0x0240;
    constexpr int kThirtySeconds = 0x0244;
    const auto layoutOf = [](int productId) { return orlo::tm::layoutOf(orlo::tm::probeOfTm(productId)); };
    auto window = freshWindow();
    MainWindow &w = *window;
    const DialogCloser closer;
    QRandomGenerator random{quint32(kEighths)};
    QByteArray stored = randomRecordPayload(kEighths, random);
    stored[layoutOf(kEighths).offset] = char(1.5 * layoutOf(kEighths).offsetSteps);
    sim::Module &source = plugStoring(w, kEighths, stored);
    QVERIFY(filesOf(w).saveTo(dir.filePath(QStringLiteral("eighths.json"))) && unplugAndWait(w, source));
    child<QAction>(w, "actionSeries")->setChecked(true);
    sim::Module &m = plugStoring(w, kThirtySeconds, {});
    const sim::Bytes sent = pressWrite(shownPage(w), m, 0);
    QCOMPARE(int(qint8(sent.at(std::size_t(layoutOf(kThirtySeconds).offset)))),
             qRound(1.5 * layoutOf(kThirtySeconds).offsetSteps));
}

void ConfigFilesTest::anotherInputKindIsAsked()
{
    auto window = freshWindow();
    const QString path = dir.filePath(QStringLiteral("current.json"));
    QRandomGenerator random{3};
    const QByteArray current = randomRecordPayload(0x0222, random);
    writeFile(path, orlo::records::documentOf(0x0222, reinterpret_cast<const quint8 *>(current.constData()),
                                              QDateTime::currentDateTime()));
    sim::Module &voltage = plugStoring(*window, 0x0235, {});
    voltage.received.clear();
    MessageBoxCatcher box;
    QVERIFY(!filesOf(*window).openFrom(path));
    QVERIFY2(box.text.contains(QStringLiteral("4-20 mA")) && box.text.contains(QStringLiteral("0-10 V")),
             qPrintable(box.text));
    QCOMPARE(box.buttons, int(QMessageBox::Yes | QMessageBox::No));
    QVERIFY(voltage.received.empty());
}

void ConfigFilesTest::fileObeysTheModulesFirmware_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("version");
    QTest::addColumn<uint>("identifier");
    QTest::addColumn<QString>("refused");
    QTest::newRow("master on 1.4") << int(orlo::rs::kRoleMaster) << "1.4" << 0xC0FFEEu
                                   << "The Master role needs firmware 1.6 or later; the module has version 1.4";
    QTest::newRow("Sigfox without identifier")
        << int(orlo::rs::kRoleBridge) << "2.3" << orlo::rs::kNoIdentifier
        << "The Sigfox bridge mode needs a Sigfox identifier; the module has none";
}

void ConfigFilesTest::fileObeysTheModulesFirmware()
{
    QFETCH(int, role);
    QFETCH(QString, version);
    QFETCH(uint, identifier);
    QFETCH(QString, refused);
    constexpr int kRs = 0x02B1;
    const QByteArray record = randomRecordWhere(kRs, [role](const QByteArray &p) {
        return p[orlo::rs::kRole] == role
               && (role != orlo::rs::kRoleBridge || p[orlo::rs::kBridgeMode] == orlo::rs::kModeSigfox);
    });
    const QString path = dir.filePath(QStringLiteral("rs.json"));
    writeFile(path, orlo::records::documentOf(kRs, reinterpret_cast<const quint8 *>(record.constData()),
                                              QDateTime::currentDateTime()));
    auto window = freshWindow();
    sim::Module &m = plugStoring(*window, kRs, {});
    sim::setModuleInformation(m, identifier, version.toStdString());
    QVERIFY(openAndWait(*window, m, path));
    // Once the module told its version again.
    QTRY_VERIFY_WITH_TIMEOUT(!child<QTimer>(*window, "informationTimer_ORLO_RS_r00")->isActive(), 10000);
    MessageBoxCatcher box;
    QVERIFY(pressWrite(shownPage(*window), m, 0).empty());
    QVERIFY2(box.seen && box.text.contains(refused), qPrintable(box.text));
    QCOMPARE(filesOf(*window).history().rows().last().result, QStringLiteral("Invalide"));
}

ORLO_TEST_MAIN(ConfigFilesTest)
#include "tst_config_files.moc"
