// The configuration frame the core builds from a file, as the command line
// sends it, against what each type's page sends for the same file on the
// same module: equal but for the clock stamp.
#include "app/configfiles.h"
#include "link/clockstamp.h"
#include "link/modulelink.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "link/records/writeframe.h"
#include "sim/firmware.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"
#include "support/records.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

using namespace testing;

class WriteFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { sim::Bench::instance().reset(); }
    void coreFrameIsThePages_data();
    void coreFrameIsThePages();

private:
    QTemporaryDir dir;
};

void WriteFrameTest::coreFrameIsThePages_data()
{
    QTest::addColumn<int>("productId");
    for (const orlo::ModuleEntry &e : orlo::kModules)
        QTest::addRow("%s %04x", e.name, e.productId) << int(e.productId);
}

void WriteFrameTest::coreFrameIsThePages()
{
    QFETCH(int, productId);
    QRandomGenerator random{quint32(productId)};
    const QByteArray first = randomRecordPayload(productId, random);
    const QByteArray stored = randomRecordPayload(productId, random);
    const orlo::records::Record r = orlo::records::recordOf(productId);
    const auto plug = [&](const QByteArray &payload) -> sim::Module & {
        sim::Module &m = sim::Bench::instance().plug(std::uint16_t(productId));
        for (int i = r.first; i < r.end; ++i)
            m.stored[std::size_t(i)] = quint8(payload[i]);
        sim::setModuleInformation(m, 0xC0FFEE, "2.3");
        return m;
    };
    // The file a module written by the window gives: what its page sent.
    QByteArray inFile;
    {
        auto window = freshWindow();
        const DialogCloser closer;
        sim::Module &m = plug(first);
        QVERIFY(waitForPage(*window));
        const sim::Bytes sent = pressWrite(shownPage(*window), m, 0);
        QVERIFY2(!sent.empty(), "the page writes a record from its fields' ranges");
        inFile = QByteArray(reinterpret_cast<const char *>(sent.data()), int(sent.size()));
        sim::Bench::instance().reset();
    }
    const QByteArray document = orlo::records::documentOf(
        productId, reinterpret_cast<const quint8 *>(inFile.constData()), QDateTime::currentDateTime());
    const QString path = dir.filePath(QStringLiteral("%1.json").arg(productId, 4, 16));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
    file.close();

    auto window = freshWindow();
    const DialogCloser closer;
    sim::Module &m = plug(stored);
    QVERIFY(waitForPage(*window));
    QVERIFY(QTest::qWaitFor([&] { return configureButton(shownPage(*window))->isEnabled(); }, 10000));
    QVERIFY(window->findChild<ConfigurationFiles *>()->openFrom(path));
    QVERIFY(QTest::qWaitFor([&] { return window->transport()->storedRead().filledFromFile(); }, 10000));
    const orlo::ModuleEntry &entry = *orlo::findModule(quint16(productId));
    if (entry.type == orlo::ModuleType::RS_r00 || entry.type == orlo::ModuleType::RPT_r00)
        QVERIFY(QTest::qWaitFor([&] { return window->transport()->information.has_value(); }, 10000));
    const sim::Bytes page = pressWrite(shownPage(*window), m, 0);
    QVERIFY2(!page.empty(), "the page sends the file's configuration");

    const orlo::records::Parsed parsed = orlo::records::parseDocument(document, productId);
    QByteArray answer = stored;
    answer.resize(orlo::kFrameBufferSize - 1);
    const orlo::records::Opened opened = orlo::records::applyFields(
        parsed.fields, productId, reinterpret_cast<const quint8 *>(answer.constData()));
    QVERIFY2(opened.problem.isEmpty(), qPrintable(opened.problem));
    QByteArray core = orlo::records::configurationFrameOf(productId, opened.record, QDateTime::currentDateTime());
    QByteArray sent(reinterpret_cast<const char *>(page.data()), int(page.size()));
    if (entry.stamped) {
        core.replace(1, orlo::kClockStampSize, QByteArray(orlo::kClockStampSize, '\0'));
        sent.replace(1, orlo::kClockStampSize, QByteArray(orlo::kClockStampSize, '\0'));
    }
    QCOMPARE(core.toHex(' '), sent.toHex(' '));
}

ORLO_TEST_MAIN(WriteFrameTest)
#include "tst_write_frame.moc"
