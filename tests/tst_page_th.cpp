// Temperature-and-humidity pages through a simulated module: the stored
// record in degrees, the counts the module receives, the live temperature and
// humidity with the title rule, and the refusals.
#include "sim/firmware.h"
#include "support/fixture.h"
#include "link/clockstamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBox>
#include <random>

using namespace testing;

namespace {

// Payload offsets of the record (offset 0 is the command).
constexpr std::size_t kFlags = 9;
constexpr std::size_t kLow = 10;
constexpr std::size_t kHigh = 12;
constexpr std::size_t kT1Hour = 15;
constexpr std::size_t kStatementMinutes = 20;
constexpr std::size_t kStatementHours = 21;
constexpr std::size_t kOffset = 22;
constexpr std::size_t kHumidity = 3;    // live answer

const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));
const QString kTitleBoth = QStringLiteral("Brisane\nTemperature and Humidity SF8");
const QString kTitleTemperature = QStringLiteral("Brisane\nTemperature SF8");
const QString kHeader = QStringLiteral("INVALID CONFIGURATION.\n\nAt least one time field of a temperature sending is not configured :\n\n");
const QString kFooter = QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur \"Configurer\"\n");

int commandCount(const sim::Module &m, std::uint8_t command)
{
    return int(std::count_if(m.received.begin(), m.received.end(),
                             [&](const sim::Bytes &f) { return !f.empty() && f.front() == command; }));
}

template <typename W>
W *on(MainWindow &window, const char *name)
{
    return child<W>(window, name);
}

void press(MainWindow &window, const char *button)
{
    QTRY_VERIFY_WITH_TIMEOUT(on<QPushButton>(window, button)->isEnabled(), 5000);
    QTest::mouseClick(on<QPushButton>(window, button), Qt::LeftButton);
    // What it started runs on: its answer comes back on the event loop.
    QTRY_VERIFY_WITH_TIMEOUT(!window.transport()->busy(), 5000);
}

} // namespace

class PageThTest : public QObject
{
    Q_OBJECT

private slots:
    void r10StoredRecordInDegreesAndCountsWritten();
    void liveReadings_data();
    void liveReadings();
    void refusalTexts();
    void th868MasterWithoutReadingAfterWrite();
    void anyStoredRecordFillsThePage();
};

void PageThTest::r10StoredRecordInDegreesAndCountsWritten()
{
    auto window = freshWindow();
    orlo::setClockForTesting([] { return kSundayNight; });
    sim::Module &m = plugAndShow(*window, 0x02A9, "page_ORLO_TH_r10", [](sim::Module &m) {
        m.stored[kFlags] = 0x02 | 0x08;            // 1 hour, periodic
        m.stored[kLow] = 0x66;                     // 23.4369 degC
        m.stored[kLow + 1] = 0x66;
        m.stored[kHigh] = 0x3C;                    // 70.0 degC
        m.stored[kHigh + 1] = 0xAA;
        m.stored[kStatementHours] = 2;
        m.stored[kStatementMinutes] = 30;
        m.stored[kOffset] = 111;                   // 0.2976 degC
    });
    auto *low = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_TH_r10");
    auto *high = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TH_r10");
    auto *offset = on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_TH_r10");
    QCOMPARE(low->value(), 23.4);
    QCOMPARE(high->value(), 70.0);
    QCOMPARE(low->minimum(), -20.0);
    QCOMPARE(high->maximum(), 70.0);
    QCOMPARE(low->maximum(), 68.0);
    QCOMPARE(offset->value(), 0.3);
    QCOMPARE(offset->minimum(), -0.3);
    QCOMPARE(on<QToolBox>(*window, "toolBox_Type_releve_TH_r10")->currentWidget()->objectName(),
             QStringLiteral("page_periodique_TH_r10"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_releve_TH_r10")->currentText(), QStringLiteral("02"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_releve_TH_r10")->currentText(), QStringLiteral("30"));
    QCOMPARE(on<QPushButton>(*window, "pushButton_Configurer_TH_r10")->text(), QStringLiteral("Write"));

    low->setValue(-20.0);
    high->setValue(25.0);
    offset->setValue(-0.3);
    press(*window, "pushButton_Configurer_TH_r10");
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TH_r10")->text(), QStringLiteral("OK"));
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(24));
    QCOMPARE(sim::Bytes(f.begin() + 1, f.begin() + 9), (sim::Bytes{0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59}));
    QCOMPARE(int(f[kFlags]), 0x02 | 0x08);
    QCOMPARE(quint16(s16At(f, kLow)), 10013);
    QCOMPARE(quint16(s16At(f, kHigh)), 26796);
    QCOMPARE(int(f[kOffset]), 0x91);
    QCOMPARE(int(f[kStatementHours]), 2);
    QCOMPARE(int(f[kStatementMinutes]), 30);

    // After the reset the coupling holds 18.5 / 24.5 for the defaults.
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    plugAndShow(*window, 0x02A9, "page_ORLO_TH_r10", [](sim::Module &n) {
        n.stored[kLow] = 0x1D;                     // -20.0 and 70.0: the limits
        n.stored[kLow + 1] = 0x27;
        n.stored[kHigh] = 0x3C;
        n.stored[kHigh + 1] = 0xAA;
    });
    QCOMPARE(low->value(), -20.0);
    QCOMPARE(high->value(), 70.0);
}

void PageThTest::liveReadings_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<int>("temperatureCount");
    QTest::addColumn<int>("humidityCount");
    QTest::addColumn<double>("humidity");
    QTest::addColumn<bool>("humidityShown");
    QTest::addColumn<QString>("title");
    QTest::newRow("r10 56.5 %RH") << 0x02A9 << 0x6666 << 0x8000 << 56.5 << true << kTitleBoth;
    QTest::newRow("r10 without humidity sensor") << 0x02A9 << 15608 << 0 << -6.0 << false << kTitleTemperature;
    QTest::newRow("868 shows it anyway") << 0x027C << 0 << 0 << -6.0 << true << QStringLiteral("ORLO TH 868");
    QTest::newRow("868 top of the counts") << 0x027C << 0xFFFF << 0xFFFF << 125.0 * 65535 / 65536 - 6 << true
                                           << QStringLiteral("ORLO TH 868");
}

void PageThTest::liveReadings()
{
    QFETCH(int, product);
    QFETCH(int, temperatureCount);
    QFETCH(int, humidityCount);
    QFETCH(double, humidity);
    QFETCH(bool, humidityShown);
    QFETCH(QString, title);
    const bool r10 = product == 0x02A9;
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, std::uint16_t(product), r10 ? "page_ORLO_TH_r10" : "page_ORLO_TH_868");
    const QString suffix = r10 ? QStringLiteral("_TH_r10") : QStringLiteral("_TH_868");
    auto *temperature = window->findChild<QLCDNumber *>(QStringLiteral("lcdNumber_Temperature") + suffix);
    auto *rh = window->findChild<QLCDNumber *>(QStringLiteral("lcdNumber_Humidity") + suffix);
    auto *rhUnit = window->findChild<QLabel *>(QStringLiteral("label_Humidity") + suffix);
    QVERIFY(temperature && rh && rhUnit);
    QVERIFY(!rh->isVisible());
    QSignalSpy overflows(rh, &QLCDNumber::overflow);
    QSignalSpy temperatureOverflows(temperature, &QLCDNumber::overflow);

    sim::setTemperatureRaw(m, std::uint16_t(temperatureCount));
    sim::setHumidityRaw(m, std::uint16_t(humidityCount));
    const double celsius = 175.72 * temperatureCount / 65536 - 46.85;
    QTRY_COMPARE_WITH_TIMEOUT(temperature->value(), celsius, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(rh->value(), humidity, 5000);
    QCOMPARE(temperature->digitCount(), (qAbs(celsius) < 10 ? 4 : 5) + (celsius < 0 ? 1 : 0));
    QCOMPARE(rh->digitCount(), (qAbs(humidity) < 10 ? 4 : 5) + (humidity < 0 ? 1 : 0));
    QCOMPARE(rh->isVisible(), humidityShown);
    QCOMPARE(rhUnit->isVisible(), humidityShown);
    QCOMPARE(rhUnit->text(), QStringLiteral("%RH"));
    const auto *titleLabel = r10 ? on<QLabel>(*window, "label_TH_r10_Title") : on<QLabel>(*window, "label_Titre_TH_868");
    QCOMPARE(titleLabel->text(), title);
    QCOMPARE(overflows.count(), 0);
    QCOMPARE(temperatureOverflows.count(), 0);

    // Every 2 s on both variants: right after a reading, the next within 4.5 s.
    sim::setHumidityRaw(m, 0x4000);
    QTRY_COMPARE_WITH_TIMEOUT(rh->value(), 125.0 * 0x4000 / 65536 - 6, 5000);
    m.received.clear();
    QTRY_VERIFY_WITH_TIMEOUT(commandCount(m, 3) >= 1, 4500);
}

void PageThTest::refusalTexts()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x02A9, "page_ORLO_TH_r10");
    on<QComboBox>(*window, "comboBox_heures_releve_TH_r10")->setCurrentIndex(1);
    on<QComboBox>(*window, "comboBox_minutes_releve_TH_r10")->setCurrentIndex(1);   // "--" with hour "00"
    on<QCheckBox>(*window, "checkBox_envoi_T2_TH_r10")->click();
    {
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TH_r10");
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
        QCOMPARE(box.text, kHeader + QStringLiteral("\tHour field     n°2 non configured.\n") + kFooter);
    }
    on<QToolBox>(*window, "toolBox_Type_releve_TH_r10")->setCurrentIndex(1);
    {
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TH_r10");
        QCOMPARE(box.text, kHeader + QStringLiteral("\tChamp minutes de relevé non configuré.\n") + kFooter);
    }
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TH_r10")->text(), QString());
    QCOMPARE(commandCount(m, 1), 0);

    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    sim::Module &n = plugAndShow(*window, 0x027C, "page_ORLO_TH_868");
    on<QComboBox>(*window, "comboBox_heures_releve_TH_868")->setCurrentIndex(0);
    on<QComboBox>(*window, "comboBox_minutes_releve_TH_868")->setCurrentIndex(0);
    {
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TH_868");
        QCOMPARE(box.text, kHeader + QStringLiteral("\tChamp heure de relevé non configuré.\n")
                               + QStringLiteral("\tChamp minutes de relevé non configuré.\n") + kFooter);
    }
    QCOMPARE(commandCount(n, 1), 0);
}

void PageThTest::th868MasterWithoutReadingAfterWrite()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x027C, "page_ORLO_TH_868", [](sim::Module &m) {
        m.stored[kFlags] = 0x01;
        m.stored[kStatementHours] = 5;
        m.stored[kStatementMinutes] = 20;
        m.stored[kOffset] = 0x91;                  // -0.2976 degC
    });
    QCOMPARE(on<QTabWidget>(*window, "tabWidget_TH_868")->currentIndex(), 1);
    auto *offset = on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_Master_TH_868");
    QCOMPARE(offset->value(), -0.3);
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_releve_TH_868")->currentText(), QStringLiteral("05"));
    offset->setValue(0.3);
    // Right after a reading, so that the timer stays out of the way.
    sim::setHumidity(m, 12.0);
    QTRY_VERIFY_WITH_TIMEOUT(on<QLCDNumber>(*window, "lcdNumber_Humidity_TH_868")->value() > 11, 5000);
    m.received.clear();
    press(*window, "pushButton_Configurer_TH_868");
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TH_868")->text(), QStringLiteral("OK"));
    QCOMPARE(commandCount(m, 3), 0);
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(32));
    QCOMPARE(int(f[kFlags]), 0x01);
    QCOMPARE(int(f[kOffset]), 0x6F);
    QCOMPARE(int(f[kStatementHours]), 5);
    QCOMPARE(int(f[kStatementMinutes]), 20);
}

void PageThTest::anyStoredRecordFillsThePage()
{
    std::mt19937 random(8);
    auto window = freshWindow();
    for (const auto &[id, page] : {std::pair{0x02A9, "page_ORLO_TH_r10"}, std::pair{0x027C, "page_ORLO_TH_868"}}) {
        for (int fill : {0xFF, 0x00, -1}) {
            sim::Module &m = plugAndShow(*window, std::uint16_t(id), page, [&](sim::Module &m) {
                for (auto &b : m.stored)
                    b = fill >= 0 ? std::uint8_t(fill) : std::uint8_t(random());
                m.stored[kFlags] |= 0x01;          // Master on the 868 page
                for (auto &b : m.live)
                    b = std::uint8_t(random());
            });
            const QWidget *shown = on<QWidget>(*window, page);
            for (const QComboBox *box : shown->findChildren<QComboBox *>())
                QVERIFY2((box->currentIndex() >= 0 || box->objectName() == QLatin1String("_comboBoxBaudrate")) && box->currentIndex() < box->count(), qPrintable(box->objectName()));
            if (id == 0x02A9) {
                const double low = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_TH_r10")->value();
                const double high = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TH_r10")->value();
                QVERIFY(low >= -20.0 && high <= 70.0 && high - low >= 2.0 - 1e-9);
                QVERIFY(qAbs(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_TH_r10")->value()) <= 0.3);
            }
            sim::Bench::instance().unplug(m);
            QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
        }
    }
}

ORLO_TEST_MAIN(PageThTest)
#include "tst_page_th.moc"
