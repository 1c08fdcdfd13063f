// Every module type: a configuration that could not be read is never
// written over. The page says so, its buttons send nothing, it reads the
// module again by itself, and once the read succeeds Write sends back what
// the module stores.
#include "link/moduletable.h"
#include "support/dialogcloser.h"
#include "support/fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>

using namespace testing;

enum class Fault { Silent, OneReport, RequestRefused };

namespace {

void setFault(sim::Module &m, Fault fault, bool on)
{
    switch (fault) {
    case Fault::Silent: m.silent = on; break;
    case Fault::OneReport: m.answerReports = on ? 1 : -1; break;
    case Fault::RequestRefused: m.writeResult = on ? 0 : 9; break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class StoredReadTest : public QObject
{
    Q_OBJECT

private slots:
    void failedReadIsNeverWrittenOver_data();
    void failedReadIsNeverWrittenOver();
};

void StoredReadTest::failedReadIsNeverWrittenOver_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<Fault>("fault");
    // Each identifier with one of the three ways a read fails, in turn.
    int row = 0;
    for (const orlo::ModuleEntry &e : orlo::kModules) {
        const auto fault = Fault(row++ % 3);
        QTest::addRow("%s %04x, %s", e.name, e.productId,
                      fault == Fault::Silent      ? "silent"
                      : fault == Fault::OneReport ? "one report"
                                                  : "request refused")
            << int(e.productId) << fault;
    }
}

void StoredReadTest::failedReadIsNeverWrittenOver()
{
    QFETCH(int, product);
    QFETCH(Fault, fault);
    // Frames without the clock stamp: the bridge, repeater and LoRaWAN pages.
    const bool stamped = product != 0x02B1 && product != 0x0302 && product != 0x0354;
    const std::size_t firstField = stamped ? 9 : 1;

    // What Write sends after a read that went well.
    sim::Bytes reference;
    {
        auto window = freshWindow();
        const DialogCloser closer;
        sim::Module &m = sim::Bench::instance().plug(std::uint16_t(product));
        QVERIFY(waitForPage(*window));
        QVERIFY(configureButton(shownPage(*window)) && resultLabel(shownPage(*window)));
        reference = pressWrite(shownPage(*window), m, firstField);
        sim::Bench::instance().reset();
    }

    auto window = freshWindow();
    MainWindow &w = *window;
    const DialogCloser closer;
    sim::Module &m = sim::Bench::instance().plug(std::uint16_t(product));
    const sim::Bytes stored = m.stored;
    setFault(m, fault, true);
    QVERIFY(waitForPage(w));
    QWidget *page = shownPage(w);
    QTRY_VERIFY_WITH_TIMEOUT(w.statusBar()->currentMessage().contains(QLatin1String("could not be read")), 30000);
    QCOMPARE(resultLabel(page)->text(), QStringLiteral("Echec"));

    // Every button of the page: nothing but reads reaches the module.
    for (QPushButton *b : page->findChildren<QPushButton *>())
        b->click();
    for (int command : receivedCommands(m))
        QVERIFY2(command == orlo::command::ReadConfiguration || command == orlo::command::ReadLive,
                 qPrintable(QStringLiteral("command %1 sent over an unread configuration").arg(command)));
    QCOMPARE(m.stored, stored);

    // The module answers again: read by itself, and Write sends what it
    // sends after a read that went well.
    setFault(m, fault, false);
    // The module's information may reach the status bar before the read.
    QTRY_VERIFY_WITH_TIMEOUT(!w.statusBar()->currentMessage().contains(QLatin1String("could not be read"))
                                 && resultLabel(page)->text() != QStringLiteral("Echec"),
                             30000);
    QCOMPARE(pressWrite(page, m, firstField), reference);
}

ORLO_TEST_MAIN(StoredReadTest)
#include "tst_stored_read.moc"
