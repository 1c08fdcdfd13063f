// Two-probe temperature page through a simulated module: both probes'
// settings, the statement linkage, the options byte sent back, the low
// thresholds unused in periodic mode and the on-demand live reading.
#include "link/clockstamp.h"
#include "sim/firmware.h"
#include "support/fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolBox>
#include <random>

using namespace testing;

namespace {

// Payload offsets of the record (offset 0 is the command).
constexpr std::size_t kFlags = 9;
constexpr std::size_t kLow1 = 10;
constexpr std::size_t kHigh1 = 12;
constexpr std::size_t kLow2 = 14;
constexpr std::size_t kHigh2 = 16;
constexpr std::size_t kT1Minute = 18;
constexpr std::size_t kT1Hour = 19;
constexpr std::size_t kStatementMinutes = 24;
constexpr std::size_t kStatementHours = 25;
constexpr std::size_t kOffset1 = 26;
constexpr std::size_t kOffset2 = 27;
constexpr std::size_t kOptions = 28;

const QString kTitleOne = QStringLiteral("Brisane\n1 Digital Temperature");
const QString kTitleTwo = QStringLiteral("Brisane\n2 Digital Temperature");

template <typename W>
W *on(MainWindow &window, const char *name)
{
    return child<W>(window, name);
}

void press(MainWindow &window)
{
    // The reading that follows the page's read makes the button usable.
    QTRY_VERIFY_WITH_TIMEOUT(on<QPushButton>(window, "pushButton_Configurer_TM2D_r10")->isEnabled(), 5000);
    QTest::mouseClick(on<QPushButton>(window, "pushButton_Configurer_TM2D_r10"), Qt::LeftButton);
    // What it started runs on: its answer comes back on the event loop.
    QTRY_VERIFY_WITH_TIMEOUT(!window.transport()->busy(), 10000);
}

QString statement(MainWindow &window)
{
    return on<QComboBox>(window, "comboBox_heures_releve_TM2D_r10")->currentText() + QLatin1Char('/')
        + on<QComboBox>(window, "comboBox_minutes_releve_TM2D_r10")->currentText();
}

} // namespace

class PageTm2dTest : public QObject
{
    Q_OBJECT

private slots:
    void storedRecordShownAndWrittenBack();
    void statementLinkage();
    void lowThresholdsUnusedInPeriodicMode();
    void readingOnDemandAndSecondProbe();
    void anyStoredRecordFillsThePage();
};

void PageTm2dTest::storedRecordShownAndWrittenBack()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &m) {
        m.stored[kFlags] = 0x00 | 0x10;        // 15 minutes, send time 1, life frame weekly
        m.stored[kT1Hour] = 0x07;
        m.stored[kT1Minute] = 0x45;
        putS16At(m.stored, kLow1, 392);         // 24.5: beyond the reset's coupling, shown as stored
        putS16At(m.stored, kHigh1, 480);        // 30.0
        putS16At(m.stored, kLow2, -880);        // -55.0
        putS16At(m.stored, kHigh2, 2000);       // 125.0
        m.stored[kStatementHours] = 24;
        m.stored[kOffset1] = 0xE0;             // -2.0
        m.stored[kOffset2] = 0x08;             // 0.5
        m.stored[kOptions] = 0xFE;             // LoRaWAN, ABP, bits 1-5 set, bit 0 clear
    });
    auto *low1 = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_S1_TM2D_r10");
    auto *high1 = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_S1_TM2D_r10");
    QCOMPARE(low1->value(), 24.5);
    QCOMPARE(high1->value(), 30.0);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_S2_TM2D_r10")->value(), -55.0);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_S2_TM2D_r10")->value(), 125.0);
    QCOMPARE(low1->singleStep(), 0.5);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_S1_TM2D_r10")->value(), -2.0);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_S2_TM2D_r10")->value(), 0.5);
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_T1_TM2D_r10")->currentText(), QStringLiteral("45"));
    QCOMPARE(statement(*window), QStringLiteral("24/00"));
    auto *join = on<QComboBox>(*window, "comboBox_lorawan_joinMode_TM2D_r10");
    QVERIFY(join->isVisible());
    QCOMPARE(join->count(), 2);
    QCOMPARE(join->currentText(), QStringLiteral("Join mode : ABP"));

    // Coupled per probe.
    high1->setValue(20.0);
    QCOMPARE(high1->value(), 26.5);
    QCOMPARE(low1->maximum(), 24.5);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_S2_TM2D_r10")->minimum(), -53.0);

    join->setCurrentIndex(0);
    m.received.clear();
    press(*window);
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM2D_r10")->text(), QStringLiteral("OK"));
    // A reading follows every press and makes the button usable again.
    QCOMPARE(receivedCommands(m), (QList<int>{1, 3}));
    QVERIFY(on<QPushButton>(*window, "pushButton_Configurer_TM2D_r10")->isEnabled());
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(40));
    QCOMPARE(int(f[kFlags]), 0x00 | 0x10);
    QCOMPARE(s16At(f, kLow1), 392);
    QCOMPARE(s16At(f, kHigh1), 424);
    QCOMPARE(s16At(f, kLow2), -880);
    QCOMPARE(s16At(f, kHigh2), 2000);
    QCOMPARE(int(f[kT1Hour]), 0x07);
    QCOMPARE(int(f[kT1Minute]), 0x45);
    QCOMPARE(int(f[kStatementHours]), 24);
    QCOMPARE(int(f[kStatementMinutes]), 0);
    QCOMPARE(int(f[kOffset1]), 0xE0);
    QCOMPARE(int(f[kOffset2]), 0x08);
    QCOMPARE(int(f[kOptions]), 0x7E);          // OTAA now; bits 1-5 as received

    // Without LoRaWAN: no join mode, options as received; the box holds
    // exactly its two items again when a LoRaWAN module comes back.
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    sim::Module &n = plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10",
                                 [](sim::Module &n) { n.stored[kOptions] = 0xBE; });
    QVERIFY(!join->isVisible());
    press(*window);
    QCOMPARE(int(n.lastReceived(1)[kOptions]), 0xBE);
    sim::Bench::instance().unplug(n);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &n) { n.stored[kOptions] = 0x40; });
    QCOMPARE(join->count(), 2);
    QCOMPARE(join->currentText(), QStringLiteral("Join mode : OTAA"));
}

void PageTm2dTest::statementLinkage()
{
    auto window = freshWindow();
    plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &m) {
        m.stored[kStatementHours] = 5;
        m.stored[kStatementMinutes] = 0;
    });
    auto *hours = on<QComboBox>(*window, "comboBox_heures_releve_TM2D_r10");
    auto *minutes = on<QComboBox>(*window, "comboBox_minutes_releve_TM2D_r10");
    QCOMPARE(hours->count(), 26);
    QCOMPARE(hours->itemText(25), QStringLiteral("24"));
    QCOMPARE(minutes->count(), 5);
    QCOMPARE(minutes->itemText(4), QStringLiteral("30"));
    // "--" cannot be chosen.
    auto *model = qobject_cast<QStandardItemModel *>(minutes->model());
    QVERIFY(model && !model->item(0)->isEnabled());
    QCOMPARE(statement(*window), QStringLiteral("05/00"));

    minutes->setCurrentIndex(3);
    QCOMPARE(statement(*window), QStringLiteral("00/20"));
    hours->setCurrentIndex(6);
    QCOMPARE(statement(*window), QStringLiteral("05/00"));
    hours->setCurrentIndex(1);
    QCOMPARE(statement(*window), QStringLiteral("00/10"));
    minutes->setCurrentIndex(1);
    QCOMPARE(statement(*window), QStringLiteral("01/00"));

    // A stored period the boxes cannot show becomes one hour.
    auto &m = *sim::Bench::instance().plugged().front();
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &n) {
        n.stored[kStatementHours] = 0xFF;
        n.stored[kStatementMinutes] = 0xFF;
    });
    QCOMPARE(statement(*window), QStringLiteral("01/00"));
}

void PageTm2dTest::lowThresholdsUnusedInPeriodicMode()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &m) {
        m.stored[kFlags] = 0x02 | 0x08;        // periodic
        putS16At(m.stored, kLow1, -160);        // -10.0
        putS16At(m.stored, kHigh1, 16);         // 1.0: below 0.0 + 2.0
        putS16At(m.stored, kLow2, 96);          // 6.0
        putS16At(m.stored, kHigh2, 320);
        m.stored[kStatementHours] = 2;
        sim::setTwoProbeOptions(m, false, true);
    });
    auto *modes = on<QToolBox>(*window, "toolBox_Type_releve_TM2D_r10");
    auto *low1 = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_S1_TM2D_r10");
    auto *low2 = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_S2_TM2D_r10");
    auto *high1 = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_S1_TM2D_r10");
    QCOMPARE(modes->currentWidget()->objectName(), QStringLiteral("page_periodique_TM2D_r10"));
    QVERIFY(!low1->isVisible());
    QVERIFY(!low2->isVisible());
    QVERIFY(!on<QLabel>(*window, "label_Seuil_bas_S2_TM2D_r10")->isVisible());
    QVERIFY(!on<QLabel>(*window, "label_Unite_Seuil_bas_S1_TM2D_r10")->isVisible());
    QCOMPARE(low1->value(), 0.0);
    QCOMPARE(low2->value(), 0.0);
    // Hiding the low threshold leaves the high one as stored.
    QCOMPARE(high1->value(), 1.0);

    press(*window);
    sim::Bytes f = m.lastReceived(1);
    QCOMPARE(s16At(f, kLow1), 0);
    QCOMPARE(s16At(f, kLow2), 0);
    QCOMPARE(s16At(f, kHigh1), 16);
    QCOMPARE(int(f[kFlags] & 0x08), 0x08);
    QCOMPARE(int(f[kOptions]), 0x01);

    // Threshold mode: shown again with the stored values, and sent.
    modes->setCurrentIndex(0);
    QVERIFY(low1->isVisible());
    QCOMPARE(low1->value(), -10.0);
    QCOMPARE(low2->value(), 6.0);
    press(*window);
    f = m.lastReceived(1);
    QCOMPARE(s16At(f, kLow1), -160);
    QCOMPARE(s16At(f, kLow2), 96);
    QCOMPARE(int(f[kFlags] & 0x08), 0);
    modes->setCurrentIndex(1);
    QVERIFY(!low1->isVisible());
    QCOMPARE(low1->value(), 0.0);

    // The next module (left hidden above) shows them; without option bit 0
    // they stay in periodic mode too.
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    sim::Module &n = plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &n) {
        n.stored[kFlags] = 0x02;
        putS16At(n.stored, kLow1, -160);
        putS16At(n.stored, kHigh1, 320);
        n.stored[kStatementHours] = 2;
    });
    QVERIFY(low1->isVisible());
    QVERIFY(low2->isVisible());
    QCOMPARE(low1->value(), -10.0);
    modes->setCurrentIndex(1);
    QVERIFY(low1->isVisible());
    press(*window);
    QCOMPARE(s16At(n.lastReceived(1), kLow1), -160);
}

void PageTm2dTest::readingOnDemandAndSecondProbe()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [](sim::Module &m) {
        sim::setTemperatureRaw(m, 0x0191);      // 25.0625
        sim::setSecondProbeRaw(m, 0xF830);      // -125.0: none
    });
    QTRY_VERIFY_WITH_TIMEOUT(!window->transport()->busy(), 5000);
    // One reading as the page opens, none after: there is no timer.
    QCOMPARE(receivedCommands(m), (QList<int>{2, 3}));
    auto *lcd1 = on<QLCDNumber>(*window, "lcdNumber_Temperature_S1_TM2D_r10");
    auto *lcd2 = on<QLCDNumber>(*window, "lcdNumber_Temperature_S2_TM2D_r10");
    auto *title = on<QLabel>(*window, "label_TM2D_r10_Title");
    auto *probe2 = on<QGroupBox>(*window, "groupBox_seuilsTemperature_S2_TM2D_r10");
    QCOMPARE(lcd1->value(), 25.0625);
    QCOMPARE(lcd1->digitCount(), 4);
    QVERIFY(lcd1->isVisible());
    QVERIFY(!lcd2->isVisible());
    QVERIFY(!probe2->isVisible());
    QVERIFY(!on<QLabel>(*window, "label_Offset_S2_TM2D_r10_2")->isVisible());
    QCOMPARE(on<QLabel>(*window, "label_Offset_S2_TM2D_r10_2")->text(), QStringLiteral("Sonde 2 :"));
    QCOMPARE(title->text(), kTitleOne);
    QVERIFY(on<QPushButton>(*window, "pushButton_Configurer_TM2D_r10")->isEnabled());
    QTest::qWait(2500);
    QCOMPARE(receivedCommands(m), (QList<int>{2, 3}));

    // A refused press reads too, once its box is closed.
    sim::setTemperatureRaw(m, 0xFF60);          // -10.0
    sim::setSecondProbeRaw(m, 0xF831);          // -124.9375: fitted
    on<QComboBox>(*window, "comboBox_heures_releve_TM2D_r10")->setCurrentIndex(0);
    {
        MessageBoxCatcher box;
        press(*window);
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
        QCOMPARE(box.text, QStringLiteral("INVALID CONFIGURATION.\n\nAt least one time field of a temperature "
                                          "sending is not configured :\n\n\nPour continuer, cliquez sur \"OK\", "
                                          "entrez une configuration valide\net cliquez à nouveau sur "
                                          "\"Configurer\"\n"));
    }
    QCOMPARE(receivedCommands(m), (QList<int>{2, 3, 3}));
    QCOMPARE(lcd1->value(), -10.0);
    QCOMPARE(lcd1->digitCount(), 5);
    QCOMPARE(lcd2->value(), -124.9375);
    QVERIFY(lcd2->isVisible());
    QVERIFY(probe2->isVisible());
    QCOMPARE(title->text(), kTitleTwo);

    // A failed write reads as well; a silent module leaves the readings.
    m.writeStatus = 1;
    on<QComboBox>(*window, "comboBox_heures_releve_TM2D_r10")->setCurrentIndex(3);
    press(*window);
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM2D_r10")->text(), QStringLiteral("Echec"));
    QCOMPARE(receivedCommands(m), (QList<int>{2, 3, 3, 1, 3}));
    m.silent = true;
    sim::setSecondProbeRaw(m, 0xF830);
    press(*window);
    QCOMPARE(lcd2->value(), -124.9375);
    QCOMPARE(title->text(), kTitleTwo);
    QVERIFY(on<QPushButton>(*window, "pushButton_Configurer_TM2D_r10")->isEnabled());
}

void PageTm2dTest::anyStoredRecordFillsThePage()
{
    std::mt19937 random(2);
    auto window = freshWindow();
    for (int fill : {0xFF, 0x7F, 0x80, -1, -1}) {
        sim::Module &m = plugAndShow(*window, 0x0324, "page_ORLO_TM2D_r10", [&](sim::Module &m) {
            for (auto &b : m.stored)
                b = fill >= 0 ? std::uint8_t(fill) : std::uint8_t(random());
            for (auto &b : m.live)
                b = fill >= 0 ? std::uint8_t(fill) : std::uint8_t(random());
        });
        QTRY_VERIFY_WITH_TIMEOUT(!window->transport()->busy(), 5000);
        const QWidget *page = on<QWidget>(*window, "page_ORLO_TM2D_r10");
        // An empty box is the hidden join mode of a module without LoRaWAN.
        for (const QComboBox *box : page->findChildren<QComboBox *>())
            QVERIFY2(box->count() == 0 ? box->isHidden() : box->currentIndex() >= 0 && box->currentIndex() < box->count(),
                     qPrintable(box->objectName()));
        for (const char *probe : {"S1", "S2"}) {
            const double low = window->findChild<QDoubleSpinBox *>(QStringLiteral("doubleSpinBox_Seuil_bas_%1_TM2D_r10").arg(probe))->value();
            const double high = window->findChild<QDoubleSpinBox *>(QStringLiteral("doubleSpinBox_Seuil_haut_%1_TM2D_r10").arg(probe))->value();
            QVERIFY(low >= -55.0 && high <= 125.0);
        }
        // Every reading shows a number.
        auto *lcd = on<QLCDNumber>(*window, "lcdNumber_Temperature_S1_TM2D_r10");
        QVERIFY(lcd->isVisible());
        // (its tenth where the digits would not hold it)
        QVERIFY(qAbs(lcd->value() - qint16(m.live[1] | (m.live[2] << 8)) / 16.0) <= 0.05);
        QSignalSpy overflows(lcd, &QLCDNumber::overflow);
        // Written, or refused for a field the stored record left unset.
        MessageBoxCatcher box;
        press(*window);
        QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM2D_r10")->text(),
                 box.seen ? QString() : QStringLiteral("OK"));
        QCOMPARE(m.lastReceived(1).empty(), box.seen);
        QCOMPARE(overflows.count(), 0);
        sim::Bench::instance().unplug(m);
        QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    }
}

ORLO_TEST_MAIN(PageTm2dTest)
#include "tst_page_tm2d.moc"
