// Detection and page selection: which module is opened, when its page shows,
// and how quickly its removal is noticed.
#include "support/fixture.h"

#include "link/modulelink.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>

using namespace testing;

namespace {

const QString kPermissionHint = QStringLiteral(
    "Module found, no access: install the udev rule (README), replug it.");

int readsOfStoredRecord(const sim::Module &m)
{
    return int(std::count_if(m.received.begin(), m.received.end(), [](const sim::Bytes &frame) {
        return frame.at(0) == orlo::command::ReadConfiguration;
    }));
}

// The DI page with a reading hour the user chose, not the stored one.
struct EditedDiPage {
    explicit EditedDiPage(MainWindow &window)
        : module(plugAndShow(window, 0x01C7, "page_ORLO_DI", [](sim::Module &m) { m.stored.at(12) = 2; }))
        , hour(child<QComboBox>(window, "comboBox_heures_releve_compteur_DI"))
        , button(child<QPushButton>(window, "pushButton_Configurer_DI"))
        , result(child<QLabel>(window, "label_Resultat_configurer_DI"))
    {
        hour->setCurrentIndex(24);  // "23"
    }
    sim::Module &module;
    QComboBox *hour;
    QPushButton *button;
    QLabel *result;
};

} // namespace

class DetectionTest : public QObject
{
    Q_OBJECT

private slots:
    void pageOfEachIdentifier_data();
    void pageOfEachIdentifier();
    void unplugReturnsToConnectPage();
    void firstInOrderWins();
    void replugOpensAgain();
    void foreignDeviceNeverServed_data();
    void foreignDeviceNeverServed();
    void makerRecheckedEveryTick();
    void failedExchangeIsNotRemoval();
    void quickReplugHealsWithoutReset();
    void nothingSentOnceGone();
    void permissionHint();
};

void DetectionTest::pageOfEachIdentifier_data()
{
    QTest::addColumn<int>("productId");
    QTest::addColumn<QString>("page");
    const char *pages[] = {"page_ORLO_TM", "page_ORLO_TM", "page_ORLO_TM_r20", "page_ORLO_TM_868",
                           "page_ORLO_TM2D_r10", "page_ORLO_TH_r10", "page_ORLO_TH_868", "page_ORLO_DI",
                           "page_ORLO_DI_r2x", "page_ORLO_DI4_r2x", "page_DI2_868_r_10", "page_ORLO_DA",
                           "page_ORLO_DA", "page_IOD_PS_r20", "page_ORLO_DIO_LoRa", "page_ORLO_RS_r00",
                           "page_ORLO_RPT_r00", "page_ORLO_RSLW_r00", "page_ORLO_DA_r20"};
    int i = 0;
    for (const orlo::ModuleEntry &entry : orlo::kModules) {
        QTest::addRow("0x%04X", entry.productId) << int(entry.productId) << QString::fromLatin1(pages[i]);
        ++i;
    }
}

void DetectionTest::pageOfEachIdentifier()
{
    QFETCH(int, productId);
    QFETCH(QString, page);
    auto window = freshWindow();
    QCOMPARE(currentPage(*window), QStringLiteral("page_Connect"));
    QVERIFY(!child<QLabel>(*window, "label_Logo")->isVisible());
    sim::Bench::instance().plug(std::uint16_t(productId));
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), page, 5000);
    QCOMPARE(window->currentProductId(), productId);
}

void DetectionTest::unplugReturnsToConnectPage()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0244, "page_ORLO_TM");
    window->statusBar()->showMessage(QStringLiteral("bridge busy"));
    // The simulator keeps answering the strings after the unplug, as hidraw does.
    QElapsedTimer clock;
    sim::Bench::instance().unplug(m);
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 2000);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(!child<QLabel>(*window, "label_Logo")->isVisible());
    QCOMPARE(window->currentProductId(), 0);
}

void DetectionTest::firstInOrderWins()
{
    auto window = freshWindow();
    // Plugged first but later in the order.
    sim::Module &late = sim::Bench::instance().plug(0x0314);
    sim::Module &early = sim::Bench::instance().plug(0x0240);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_ORLO_TM"), 5000);
    QCOMPARE(window->currentProductId(), 0x0240);
    QCOMPARE(sim::Bench::instance().opens(late), 0);

    // The other module is taken once the first goes away.
    sim::Bench::instance().unplug(early);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_ORLO_TM_r20"), 5000);
}

void DetectionTest::replugOpensAgain()
{
    auto window = freshWindow();
    sim::Module &first = plugAndShow(*window, 0x01C7, "page_ORLO_DI");
    sim::Bench::instance().unplug(first);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 2000);
    sim::Module &second = plugAndShow(*window, 0x01C7, "page_ORLO_DI");
    QCOMPARE(sim::Bench::instance().opens(second), 1);
    QCOMPARE(window->currentProductId(), 0x01C7);
}

void DetectionTest::foreignDeviceNeverServed_data()
{
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("readable");
    QTest::newRow("one letter more") << "Velka Radiocommunications" << "(c)Velka" << true;
    QTest::newRow("other case") << "velka radiocommunication" << "(c)Velka" << true;
    QTest::newRow("other serial") << "Velka Radiocommunication" << "(c)Velk" << true;
    QTest::newRow("strings unreadable") << "Velka Radiocommunication" << "(c)Velka" << false;
}

void DetectionTest::foreignDeviceNeverServed()
{
    QFETCH(QString, manufacturer);
    QFETCH(QString, serial);
    QFETCH(bool, readable);
    auto window = freshWindow();
    sim::Module &foreign = sim::Bench::instance().plug(0x0293);
    foreign.manufacturer = manufacturer.toStdWString();
    foreign.serialNumber = serial.toStdWString();
    foreign.stringsReadable = readable;
    // Later in the order than nothing, earlier than nothing: only it is on the bus.
    QTRY_VERIFY_WITH_TIMEOUT(sim::Bench::instance().opens(foreign) >= 3, 5000);
    QCOMPARE(currentPage(*window), QStringLiteral("page_Connect"));
    QVERIFY(foreign.received.empty());

    // Same tick, next identifier: a genuine module later in the order is served.
    sim::Bench::instance().reset();
    sim::Module &impostor = sim::Bench::instance().plug(0x0240);
    impostor.manufacturer = manufacturer.toStdWString();
    impostor.serialNumber = serial.toStdWString();
    impostor.stringsReadable = readable;
    sim::Bench::instance().plug(0x0314);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_ORLO_TM_r20"), 5000);
    QVERIFY(impostor.received.empty());
    QTest::qWait(1200);
    QCOMPARE(currentPage(*window), QStringLiteral("page_ORLO_TM_r20"));
}

void DetectionTest::makerRecheckedEveryTick()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0240, "page_ORLO_TM");
    QTest::qWait(1200);
    QCOMPARE(currentPage(*window), QStringLiteral("page_ORLO_TM"));
    m.serialNumber = L"(c)Other";
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 2000);
    // From then on it is refused at opening, so the page does not come back.
    const int opens = sim::Bench::instance().opens(m);
    QTRY_VERIFY_WITH_TIMEOUT(sim::Bench::instance().opens(m) > opens, 2000);
    QCOMPARE(currentPage(*window), QStringLiteral("page_Connect"));
}

void DetectionTest::failedExchangeIsNotRemoval()
{
    auto window = freshWindow();
    EditedDiPage page(*window);
    sim::Module &m = page.module;
    // Still listed and still answering its strings, but its writes fail.
    m.writeResult = -1;
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("Echec"));
    // The next tick opens it again by its path, and again after each failure.
    const int opens = sim::Bench::instance().opens(m);
    QTRY_VERIFY_WITH_TIMEOUT(sim::Bench::instance().opens(m) > opens, 2000);
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(sim::Bench::instance().opens(m) > opens + 1, 2000);
    QCOMPARE(currentPage(*window), QStringLiteral("page_ORLO_DI"));
    QCOMPARE(page.hour->currentText(), QStringLiteral("23"));
    QTRY_COMPARE(page.result->text(), QStringLiteral("Echec"));

    m.writeResult = 9;
    QTRY_VERIFY(page.button->isEnabled());
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("OK"));
    QCOMPARE(int(m.lastReceived(orlo::command::WriteConfiguration).at(12)), 23);
    QCOMPARE(readsOfStoredRecord(m), 1);
}

void DetectionTest::quickReplugHealsWithoutReset()
{
    auto window = freshWindow();
    EditedDiPage page(*window);
    sim::Module &m = page.module;
    // Pulled and plugged back between two ticks: the handle is dead.
    sim::Bench::instance().replug(m);
    const int writes = m.writeCalls;
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("Echec"));
    QCOMPARE(m.writeCalls, writes);

    const int opens = sim::Bench::instance().opens(m);
    QTRY_VERIFY_WITH_TIMEOUT(sim::Bench::instance().opens(m) > opens, 2000);
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE(page.result->text(), QStringLiteral("OK"));
    QCOMPARE(currentPage(*window), QStringLiteral("page_ORLO_DI"));
    QCOMPARE(int(m.lastReceived(orlo::command::WriteConfiguration).at(12)), 23);
    QCOMPARE(readsOfStoredRecord(m), 1);

    // Back with other strings: no longer the maker's module, so gone.
    sim::Bench::instance().replug(m);
    m.serialNumber = L"(c)Other";
    QTest::mouseClick(page.button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 2000);
}

void DetectionTest::nothingSentOnceGone()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0240, "page_ORLO_TM");
    // Between the unplug and the next tick, an exchange finds the handle dead
    // at its first read and writes nothing, through either transport.
    sim::Bench::instance().unplug(m);
    const int writes = m.writeCalls;
    const quint8 frame[orlo::kFrameBufferSize] = {0, orlo::command::ReadLive};
    QCOMPARE(exchangeNow(*window->transport(), frame, 3).written, 0);
    QCOMPARE(exchangeNow(*window->transport(), frame, 3, ModuleLink::kWidgetPageBounds).written, 0);
    QCOMPARE(m.writeCalls, writes);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 2000);
}

void DetectionTest::permissionHint()
{
    auto window = freshWindow();
    QStatusBar *bar = window->statusBar();
    QStringList messages;
    connect(bar, &QStatusBar::messageChanged, bar, [&](const QString &text) { messages << text; });
    auto &bench = sim::Bench::instance();

    // Another product of the vendor that cannot be opened is none of ours.
    bench.plug(0x000A).openable = false;
    QTest::qWait(1100);
    QVERIFY(messages.isEmpty());

    // One of the family: the hint comes once and stays, without flicker.
    sim::Module &m = bench.plug(0x0240);
    m.openable = false;
    QTRY_COMPARE_WITH_TIMEOUT(bar->currentMessage(), kPermissionHint, 2000);
    QTest::qWait(1100);
    QCOMPARE(messages, QStringList{kPermissionHint});
    // One line that the status bar shows whole, beside its size grip.
    QVERIFY(bar->fontMetrics().horizontalAdvance(kPermissionHint) < bar->width() - 40);
    QCOMPARE(currentPage(*window), QStringLiteral("page_Connect"));

    // Rule installed, module replugged: its page, and the hint is gone.
    m.openable = true;
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_ORLO_TM"), 2000);
    QVERIFY(bar->currentMessage().isEmpty());
    bench.unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 2000);

    // Unplugged while the hint shows: it goes.
    sim::Module &again = bench.plug(0x0293);
    again.openable = false;
    QTRY_COMPARE_WITH_TIMEOUT(bar->currentMessage(), kPermissionHint, 2000);
    bench.unplug(again);
    QTRY_VERIFY_WITH_TIMEOUT(bar->currentMessage().isEmpty(), 2000);
    QCOMPARE(currentPage(*window), QStringLiteral("page_Connect"));
}

ORLO_TEST_MAIN(DetectionTest)
#include "tst_detection.moc"
