// Temperature pages through a simulated module: what the page shows of the
// stored record, the bytes the module receives when the user writes, the
// refusals, the live reading and the timers around a write.
#include "link/clockstamp.h"
#include "sim/firmware.h"
#include "support/fixture.h"
#include "widgets/wdradio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBox>
#include <algorithm>
#include <random>

using namespace testing;

namespace {

// Payload offsets of the record (offset 0 is the command).
constexpr std::size_t kFlags = 9;
constexpr std::size_t kLow = 10;
constexpr std::size_t kHigh = 12;
constexpr std::size_t kT1Minute = 14;
constexpr std::size_t kT1Hour = 15;
constexpr std::size_t kT2Minute = 16;
constexpr std::size_t kT2Hour = 17;
constexpr std::size_t kT3Minute = 18;
constexpr std::size_t kT3Hour = 19;
constexpr std::size_t kStatementMinutes = 20;
constexpr std::size_t kStatementHours = 21;
constexpr std::size_t kOffset = 22;
constexpr std::size_t kChannel = 23;
constexpr std::size_t kBaud = 25;
constexpr std::size_t kRemote = 26;
constexpr std::size_t kModem = 27;

const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));
const sim::Bytes kStamp{0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59};

void putWord(sim::Bytes &b, std::size_t at, int v)
{
    b[at] = std::uint8_t(v & 0xFF);
    b[at + 1] = std::uint8_t((v >> 8) & 0xFF);
}

int word(const sim::Bytes &b, std::size_t at)
{
    return qint16(quint16(b[at] | (b[at + 1] << 8)));
}

sim::Bytes commands(const sim::Module &m)
{
    sim::Bytes c;
    for (const sim::Bytes &frame : m.received)
        c.push_back(frame.empty() ? 0xFF : frame.front());
    return c;
}

template <typename W>
W *on(MainWindow &window, const char *name)
{
    return child<W>(window, name);
}

void waitForButton(MainWindow &window, const char *button)
{
    // The first measurement tick makes the button usable.
    QTRY_VERIFY_WITH_TIMEOUT(on<QPushButton>(window, button)->isEnabled(), 5000);
}

void press(MainWindow &window, const char *button)
{
    QTest::mouseClick(on<QPushButton>(window, button), Qt::LeftButton);
    // What it started runs on: its answer comes back on the event loop.
    QTRY_VERIFY_WITH_TIMEOUT(!window.transport()->busy(), 5000);
}

// The warning texts as the users read them.
const QString kTmHeader = QStringLiteral("CONFIGURATION INVALIDE.\n\nAu moins un champ horaire d'un des 3 envois de température possible n'est pas configuré :\n\n");
const QString kTmT1Hour = QStringLiteral("\tChamp heure     de l'heure n°1 non configuré.\n");
const QString kTmT2Minute = QStringLiteral("\tChamp minutes de l'heure n°2 non configuré.\n");
const QString kTmStatementMinute = QStringLiteral("\tChamp minutes de relevé non configuré.\n");
const QString kTmFooter = QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur \"Configurer\"\n");
const QString kR20Header = QStringLiteral("INVALID CONFIGURATION.\n\nAt least one time field of a temperature sending is not configured :\n\n");
const QString kR20T1Hour = QStringLiteral("\tHour field     n°1 non configuré.\n");
const QString kR20T1Minute = QStringLiteral("\tChamp minutes de l'heure n°1 non configuré.\n");
const QString kR20StatementHour = QStringLiteral("\tChamp heure de relevé non configuré.\n");
const QString kR20StatementMinute = QStringLiteral("\tChamp minutes de relevé non configuré.\n");
const QString kR20Footer = QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur \"Configurer\"\n");
const QString k868Header = QStringLiteral("INVALID CONFIGURATION.\n\nAt least one time field of a temperature sending is not configured :\n\n");
const QString k868StatementHour = QStringLiteral("\tChamp heure de relevé non configuré.\n");
const QString k868StatementMinute = QStringLiteral("\tChamp minutes de relevé non configuré.\n");
const QString k868Footer = QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur \"Configurer\"\n");

} // namespace

class PageTmTest : public QObject
{
    Q_OBJECT

private slots:
    void storedRecordShownAndWrittenBack();
    void userEditsEncoded();
    void periodRefillAndSendTimeBoxes();
    void refusals_data();
    void refusals();
    void measurementPausedDuringWrite();
    void failedWriteKeepsPage();
    void r20ModesAndTexts();
    void tm868SlaveAndMaster();
    void anyStoredRecordFillsThePage();
    void anyReadingShowsANumber();
};

void PageTmTest::storedRecordShownAndWrittenBack()
{
    auto window = freshWindow();
    orlo::setClockForTesting([] { return kSundayNight; });
    sim::Module &m = plugAndShow(*window, 0x0240, "page_ORLO_TM", [](sim::Module &m) {
        // 2-hour period, both first send times on, life frame every day,
        // thresholds outside the reset's coupling bounds.
        m.stored[kFlags] = 0x03 | 0x10 | 0x20;
        putWord(m.stored, kLow, 30 * 128);
        putWord(m.stored, kHigh, 40 * 128);
        m.stored[kT1Hour] = 0x05;
        m.stored[kT1Minute] = 0x30;
        m.stored[kT2Hour] = 0x22;
        m.stored[kT3Hour] = 0x11;      // disabled: not shown
        m.stored[kStatementMinutes] = 50;
        m.stored[kStatementHours] = 23;
        m.stored[kOffset] = 0xF0;      // -2.0 degC
    });
    QCOMPARE(on<QComboBox>(*window, "comboBox_Periode_mesure_TM")->currentText(), QStringLiteral("2 heures"));
    QVERIFY(on<QCheckBox>(*window, "checkBox_envoi_T1_TM")->isChecked());
    QVERIFY(on<QCheckBox>(*window, "checkBox_envoi_T2_TM")->isChecked());
    QVERIFY(!on<QCheckBox>(*window, "checkBox_envoi_T3_TM")->isChecked());
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_T1_TM")->currentText(), QStringLiteral("04"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_T2_TM")->currentText(), QStringLiteral("22"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_T1_TM")->currentText(), QStringLiteral("00"));
    QVERIFY(on<QComboBox>(*window, "comboBox_heures_T1_TM")->isEnabled());
    QVERIFY(!on<QComboBox>(*window, "comboBox_heures_T3_TM")->isEnabled());
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_T3_TM")->currentIndex(), 0);
    QVERIFY(on<QRadioButton>(*window, "radioButton_Tous_les_jours_TM")->isChecked());
    QVERIFY(!on<QRadioButton>(*window, "radioButton_Tous_les_5_jours_TM")->isChecked());
    QCOMPARE(on<QSlider>(*window, "horizontalSlider_Type_releve_TM")->value(), 0);
    QCOMPARE(on<QStackedWidget>(*window, "stackedWidget_Type_releve_TM")->currentWidget()->objectName(),
             QStringLiteral("page_depassement_seuil_TM"));
    QVERIFY(on<QWidget>(*window, "frame_Periode_mesure_TM")->isVisible());
    QVERIFY(on<QWidget>(*window, "frame_Parametres_TM")->isVisible());
    QVERIFY(on<QWidget>(*window, "frame_Configurer_TM")->isVisible());
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_releve_TM")->currentText(), QStringLiteral("23"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_releve_TM")->currentText(), QStringLiteral("50"));
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_TM")->value(), -2.0);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_TM")->maximum(), 15.9);
    // The stored pair as it is, and the coupling in force around it.
    auto *low = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_TM");
    auto *high = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TM");
    QCOMPARE(low->value(), 30.0);
    QCOMPARE(high->value(), 40.0);
    QCOMPARE(low->maximum(), 38.0);
    QCOMPARE(high->minimum(), 32.0);
    QCOMPARE(low->minimum(), -35.0);
    QCOMPARE(high->maximum(), 120.0);
    QVERIFY(!on<QPushButton>(*window, "pushButton_Configurer_TM")->isEnabled());

    // First tick: 20.0 degC from the simulated probe, button usable.
    waitForButton(*window, "pushButton_Configurer_TM");
    QVERIFY(on<QLCDNumber>(*window, "lcdNumber_Temperature_TM")->isVisible());
    QCOMPARE(on<QLCDNumber>(*window, "lcdNumber_Temperature_TM")->value(), 20.0);
    QCOMPARE(on<QLCDNumber>(*window, "lcdNumber_Temperature_TM")->digitCount(), 4);

    m.received.clear();
    press(*window, "pushButton_Configurer_TM");
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM")->text(), QStringLiteral("OK"));
    QCOMPARE(on<QProgressBar>(*window, "progressBar_Configurer_TM")->value(), 0);
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(24));
    QCOMPARE(sim::Bytes(f.begin() + 1, f.begin() + 9), kStamp);
    QCOMPARE(int(f[kFlags]), 0x33);
    QCOMPARE(word(f, kLow), 3840);
    QCOMPARE(word(f, kHigh), 5120);
    QCOMPARE(int(f[kT1Hour]), 0x04);   // the odd stored hour comes back even
    QCOMPARE(int(f[kT1Minute]), 0x00); // no minutes with the 2-hour period
    QCOMPARE(int(f[kT2Hour]), 0x22);
    QCOMPARE(int(f[kT3Hour]), 0x00);
    QCOMPARE(int(f[kStatementHours]), 23);
    QCOMPARE(int(f[kStatementMinutes]), 50);
    QCOMPARE(int(f[kOffset]), 0xF0);
    QCOMPARE(int(f[23]), 0);
}

void PageTmTest::userEditsEncoded()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0244, "page_ORLO_TM", [](sim::Module &m) {
        m.stored[kFlags] = 0x00 | 0x10 | 0x80;   // 15 minutes, send time 1
        m.stored[kT1Hour] = 0x07;
        m.stored[kT1Minute] = 0x20;
        putWord(m.stored, kLow, 2496);
        putWord(m.stored, kHigh, 3136);
        m.stored[kStatementHours] = 1;
    });
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_T1_TM")->currentText(), QStringLiteral("15"));
    auto *offset = on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_TM");
    QCOMPARE(offset->minimum(), -3.9);
    QCOMPARE(offset->maximum(), 3.9);

    // Low first, high after: each keeps the other 2.0 away.
    auto *low = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_TM");
    auto *high = on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TM");
    low->setValue(-0.1);
    QCOMPARE(high->minimum(), 1.9);
    high->setValue(0.1);
    QCOMPARE(high->value(), 1.9);
    QCOMPARE(low->maximum(), -0.1);
    high->setValue(5.0);
    QCOMPARE(low->maximum(), 3.0);
    offset->setValue(-3.9);
    on<QComboBox>(*window, "comboBox_minutes_T1_TM")->setCurrentIndex(4);
    on<QRadioButton>(*window, "radioButton_Tous_les_jours_TM")->click();
    on<QCheckBox>(*window, "checkBox_envoi_T3_TM")->click();
    on<QComboBox>(*window, "comboBox_heures_T3_TM")->setCurrentIndex(24);
    on<QComboBox>(*window, "comboBox_minutes_T3_TM")->setCurrentIndex(1);

    waitForButton(*window, "pushButton_Configurer_TM");
    m.received.clear();
    press(*window, "pushButton_Configurer_TM");
    const sim::Bytes f = m.lastReceived(1);
    QVERIFY(!f.empty());
    QCOMPARE(int(f[kFlags]), 0x00 | 0x10 | 0x40);
    QCOMPARE(word(f, kLow), -12);
    QCOMPARE(word(f, kHigh), 640);
    QCOMPARE(int(f[kOffset]), 0x84);
    QCOMPARE(int(f[kT1Hour]), 0x07);
    QCOMPARE(int(f[kT1Minute]), 0x45);
    QCOMPARE(int(f[kT3Hour]), 0x23);
    QCOMPARE(int(f[kT3Minute]), 0x00);

    // The 14-bit probe: bit 13 set is below zero.
    sim::setTemperatureRaw(m, 0x3FF8);
    auto *lcd = on<QLCDNumber>(*window, "lcdNumber_Temperature_TM");
    QTRY_COMPARE_WITH_TIMEOUT(lcd->value(), -0.25, 5000);
    QCOMPARE(lcd->digitCount(), 4);
    sim::setTemperatureRaw(m, 800);
    QTRY_COMPARE_WITH_TIMEOUT(lcd->value(), 25.0, 5000);
    QCOMPARE(lcd->digitCount(), 4);
}

void PageTmTest::periodRefillAndSendTimeBoxes()
{
    auto window = freshWindow();
    plugAndShow(*window, 0x0240, "page_ORLO_TM");
    auto *period = on<QComboBox>(*window, "comboBox_Periode_mesure_TM");
    auto *hours = on<QComboBox>(*window, "comboBox_heures_T2_TM");
    auto *minutes = on<QComboBox>(*window, "comboBox_minutes_T2_TM");
    auto items = [](const QComboBox *box) {
        QStringList l;
        for (int i = 0; i < box->count(); ++i)
            l << box->itemText(i);
        return l;
    };
    QCOMPARE(period->count(), 5);
    QCOMPARE(period->maxCount(), 5);

    period->setCurrentIndex(0);
    QVERIFY(!on<QWidget>(*window, "frame_Configurer_TM")->isVisible());
    QVERIFY(!on<QWidget>(*window, "frame_Parametres_TM")->isVisible());
    QCOMPARE(items(hours), QStringList{QStringLiteral("--")});
    QCOMPARE(items(minutes), QStringList{QStringLiteral("--")});

    period->setCurrentIndex(4);
    QVERIFY(on<QWidget>(*window, "frame_Configurer_TM")->isVisible());
    QCOMPARE(hours->count(), 13);
    QCOMPARE(hours->itemText(1), QStringLiteral("00"));
    QCOMPARE(hours->itemText(2), QStringLiteral("02"));
    QCOMPARE(hours->itemText(12), QStringLiteral("22"));
    QCOMPARE(items(minutes), QStringList{QStringLiteral("00")});
    period->setCurrentIndex(1);
    QCOMPARE(hours->count(), 25);
    QCOMPARE(hours->itemText(24), QStringLiteral("23"));
    QCOMPARE(items(minutes), (QStringList{"--", "00", "15", "30", "45"}));
    period->setCurrentIndex(2);
    QCOMPARE(items(minutes), (QStringList{"--", "00", "30"}));

    // A send time is edited only while checked, and cleared when unchecked.
    auto *box = on<QCheckBox>(*window, "checkBox_envoi_T2_TM");
    QVERIFY(!box->isChecked());
    QVERIFY(!hours->isEnabled());
    box->click();
    QVERIFY(hours->isEnabled());
    QVERIFY(minutes->isEnabled());
    hours->setCurrentIndex(5);
    minutes->setCurrentIndex(2);
    box->click();
    QVERIFY(!hours->isEnabled());
    QCOMPARE(hours->currentIndex(), 0);
    QCOMPARE(minutes->currentIndex(), 0);

    // Statement hour "00" forbids minute "00".
    auto *statementHours = on<QComboBox>(*window, "comboBox_heures_releve_TM");
    auto *statementMinutes = on<QComboBox>(*window, "comboBox_minutes_releve_TM");
    QCOMPARE(statementHours->count(), 25);
    QCOMPARE(statementMinutes->count(), 7);
    statementHours->setCurrentIndex(1);
    QCOMPARE(statementMinutes->itemText(1), QStringLiteral("--"));
    statementHours->setCurrentIndex(2);
    QCOMPARE(statementMinutes->itemText(1), QStringLiteral("00"));

    // Periodic mode hides the sampling period.
    on<QSlider>(*window, "horizontalSlider_Type_releve_TM")->setValue(1);
    QCOMPARE(on<QStackedWidget>(*window, "stackedWidget_Type_releve_TM")->currentWidget()->objectName(),
             QStringLiteral("page_periodique_TM"));
    QVERIFY(!on<QWidget>(*window, "frame_Periode_mesure_TM")->isVisible());
    on<QSlider>(*window, "horizontalSlider_Type_releve_TM")->setValue(0);
    QVERIFY(on<QWidget>(*window, "frame_Periode_mesure_TM")->isVisible());
}

void PageTmTest::refusals_data()
{
    QTest::addColumn<bool>("periodic");
    QTest::addColumn<QString>("lines");
    QTest::newRow("threshold mode") << false << QString(kTmT1Hour + kTmT2Minute);
    QTest::newRow("periodic mode") << true << QString(kTmStatementMinute);
}

void PageTmTest::refusals()
{
    QFETCH(bool, periodic);
    QFETCH(QString, lines);
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0240, "page_ORLO_TM", [](sim::Module &m) {
        m.stored[kFlags] = 0x00;              // 15 minutes, nothing enabled
        m.stored[kStatementHours] = 2;
        putWord(m.stored, kLow, 2496);
        putWord(m.stored, kHigh, 3136);
    });
    waitForButton(*window, "pushButton_Configurer_TM");
    on<QSlider>(*window, "horizontalSlider_Type_releve_TM")->setValue(periodic ? 1 : 0);
    if (periodic) {
        on<QComboBox>(*window, "comboBox_heures_releve_TM")->setCurrentIndex(1);
        on<QComboBox>(*window, "comboBox_minutes_releve_TM")->setCurrentIndex(1);
    } else {
        on<QCheckBox>(*window, "checkBox_envoi_T1_TM")->click();
        on<QComboBox>(*window, "comboBox_minutes_T1_TM")->setCurrentIndex(2);
        on<QCheckBox>(*window, "checkBox_envoi_T2_TM")->click();
        on<QComboBox>(*window, "comboBox_heures_T2_TM")->setCurrentIndex(3);
    }
    m.received.clear();
    {
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TM");
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
        QCOMPARE(box.text, kTmHeader + lines + kTmFooter);
        QCOMPARE(box.buttons, int(QMessageBox::Ok));
        QCOMPARE(box.defaultButton, int(QMessageBox::Ok));
    }
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM")->text(), QString());
    QVERIFY(m.lastReceived(1).empty());

    // Fixed, the same page is written.
    if (periodic)
        on<QComboBox>(*window, "comboBox_minutes_releve_TM")->setCurrentIndex(2);
    else {
        on<QComboBox>(*window, "comboBox_heures_T1_TM")->setCurrentIndex(1);
        on<QComboBox>(*window, "comboBox_minutes_T2_TM")->setCurrentIndex(3);
    }
    press(*window, "pushButton_Configurer_TM");
    const sim::Bytes f = m.lastReceived(1);
    QVERIFY(!f.empty());
    QCOMPARE(int(f[kFlags] & 0x08), periodic ? 0x08 : 0);
    if (periodic) {
        QCOMPARE(int(f[kStatementHours]), 0);
        QCOMPARE(int(f[kStatementMinutes]), 10);
    } else {
        QCOMPARE(int(f[kT1Minute]), 0x15);
        QCOMPARE(int(f[kT2Hour]), 0x02);
        QCOMPARE(int(f[kT2Minute]), 0x30);
    }
}

void PageTmTest::measurementPausedDuringWrite()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0240, "page_ORLO_TM");
    waitForButton(*window, "pushButton_Configurer_TM");
    auto *result = on<QLabel>(*window, "label_Resultat_configurer_TM");
    m.received.clear();
    // Inside the write's wait, stay longer than one measurement period: a
    // running measurement timer would have sent a reading request.
    bool insideWrite = false;
    sim::Bytes during;
    // The module takes its time to acknowledge, so that the write lasts.
    m.answerDelayMs = 1900;
    QTimer::singleShot(0, [&] {
        insideWrite = result->text() == QStringLiteral("Configuration...");
        QTest::qWait(2600);
        during = commands(m);
    });
    press(*window, "pushButton_Configurer_TM");
    m.answerDelayMs = 0;
    QVERIFY(insideWrite);
    QCOMPARE(during, sim::Bytes{1});
    // The write is over; the button waits for the next reading.
    QVERIFY(!on<QPushButton>(*window, "pushButton_Configurer_TM")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(commands(m).size() >= 2, 5000);
    QCOMPARE(int(commands(m)[1]), 3);
    QTRY_VERIFY_WITH_TIMEOUT(on<QPushButton>(*window, "pushButton_Configurer_TM")->isEnabled(), 2000);
    // Detection runs again too: the removal is noticed.
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
}

void PageTmTest::failedWriteKeepsPage()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0314, "page_ORLO_TM_r20");
    waitForButton(*window, "pushButton_Configurer_TM_r20");
    on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TM_r20")->setValue(33.3);
    m.writeStatus = 1;
    press(*window, "pushButton_Configurer_TM_r20");
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM_r20")->text(), QStringLiteral("Echec"));
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TM_r20")->value(), 33.3);
    QCOMPARE(word(m.lastReceived(1), kHigh), 4262);
    QVERIFY(!on<QPushButton>(*window, "pushButton_Configurer_TM_r20")->isEnabled());
    waitForButton(*window, "pushButton_Configurer_TM_r20");
}

void PageTmTest::r20ModesAndTexts()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0314, "page_ORLO_TM_r20", [](sim::Module &m) {
        m.stored[kFlags] = 0x01 | 0x08 | 0x20;   // 30 minutes, periodic, send time 2
        m.stored[kT2Hour] = 0x13;
        m.stored[kT2Minute] = 0x45;
        m.stored[kStatementHours] = 0;
        m.stored[kStatementMinutes] = 0;
        putWord(m.stored, kLow, -1280);
        putWord(m.stored, kHigh, 0);
        m.stored[kOffset] = 0x7F;
    });
    auto *modes = on<QToolBox>(*window, "toolBox_Type_releve_TM_r20");
    QCOMPARE(modes->currentWidget()->objectName(), QStringLiteral("page_periodique_TM_r20"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_T2_TM_r20")->currentText(), QStringLiteral("30"));
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_bas_TM_r20")->value(), -10.0);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Seuil_haut_TM_r20")->value(), 0.0);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_TM_r20")->value(), 15.9);
    QVERIFY(on<QRadioButton>(*window, "radioButton_Tous_les_jours_TM_r20")->isChecked());
    QCOMPARE(on<QRadioButton>(*window, "radioButton_Tous_les_jours_TM_r20")->text(), QStringLiteral("Every week"));
    QCOMPARE(on<QPushButton>(*window, "pushButton_Configurer_TM_r20")->text(), QStringLiteral("Write"));
    // A stored zero statement period reads as hour "00" and an unset minute.
    auto *minutes = on<QComboBox>(*window, "comboBox_minutes_releve_TM_r20");
    QCOMPARE(minutes->currentText(), QStringLiteral("--"));
    waitForButton(*window, "pushButton_Configurer_TM_r20");

    m.received.clear();
    {
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TM_r20");
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
        QCOMPARE(box.text, kR20Header + kR20StatementMinute + kR20Footer);
    }
    on<QComboBox>(*window, "comboBox_heures_releve_TM_r20")->setCurrentIndex(0);
    on<QCheckBox>(*window, "checkBox_envoi_T1_TM_r20")->click();
    modes->setCurrentIndex(0);
    {
        // Only the shown mode has lines: the unset statement hour refuses too,
        // silently.
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TM_r20");
        QCOMPARE(box.text, kR20Header + kR20T1Hour + kR20T1Minute + kR20Footer);
    }
    QVERIFY(m.lastReceived(1).empty());
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM_r20")->text(), QString());

    on<QCheckBox>(*window, "checkBox_envoi_T1_TM_r20")->click();
    on<QComboBox>(*window, "comboBox_heures_releve_TM_r20")->setCurrentIndex(24);
    QCOMPARE(minutes->itemText(1), QStringLiteral("00"));
    QCOMPARE(minutes->itemText(6), QStringLiteral("50"));
    minutes->setCurrentIndex(6);
    press(*window, "pushButton_Configurer_TM_r20");
    const sim::Bytes f = m.lastReceived(1);
    QVERIFY(!f.empty());
    QCOMPARE(int(f[kFlags]), 0x01 | 0x20);
    QCOMPARE(int(f[kStatementHours]), 23);
    QCOMPARE(int(f[kStatementMinutes]), 50);
    QCOMPARE(int(f[kT2Hour]), 0x13);
    QCOMPARE(int(f[kT2Minute]), 0x30);
    QCOMPARE(int(f[kOffset]), 127);
}

void PageTmTest::tm868SlaveAndMaster()
{
    auto window = freshWindow();
    orlo::setClockForTesting([] { return kSundayNight; });
    sim::Module &m = plugAndShow(*window, 0x02AE, "page_ORLO_TM_868", [](sim::Module &m) {
        m.stored[kFlags] = 0x01;
        m.stored[kStatementHours] = 2;
        m.stored[kStatementMinutes] = 20;
        m.stored[kOffset] = 0x04;
        putWord(m.stored, kChannel, 300);
        m.stored[kBaud] = 2;
        m.stored[kRemote] = 17;
        m.stored[kModem] = 33;
    });
    auto *tabs = on<QTabWidget>(*window, "tabWidget_TM_868");
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Slave"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Master"));
    auto *radio = on<Wdradio>(*window, "widget_radioParameter_Master_TM_868");
    QCOMPARE(radio->baudCode(), 2);
    QCOMPARE(radio->channel(), 300);
    QCOMPARE(on<QSpinBox>(*window, "spinBox_adressRemote_Master_TM_868")->value(), 17);
    QCOMPARE(on<QSpinBox>(*window, "spinBox_adressModem_Master_TM_868")->value(), 33);
    QCOMPARE(on<QSpinBox>(*window, "spinBox_adressModem_Master_TM_868")->maximum(), 240);
    QCOMPARE(on<QDoubleSpinBox>(*window, "doubleSpinBox_Offset_Master_TM_868")->value(), 0.5);
    QCOMPARE(on<QComboBox>(*window, "comboBox_heures_releve_Master_TM_868")->currentText(), QStringLiteral("02"));
    QCOMPARE(on<QComboBox>(*window, "comboBox_minutes_releve_Master_TM_868")->currentText(), QStringLiteral("20"));
    QVERIFY(on<QPushButton>(*window, "pushButton_Configurer_TM_868")->isEnabled());

    // Master with a compatibility rate.
    child<QCheckBox>(*radio, "_checkBoxCompatibility")->click();
    QVERIFY(radio->baudCode() > 8);
    m.received.clear();
    press(*window, "pushButton_Configurer_TM_868");
    QCOMPARE(on<QLabel>(*window, "label_Resultat_configurer_TM_868")->text(), QStringLiteral("OK"));
    // An accepted write is followed at once by a reading.
    QCOMPARE(commands(m), (sim::Bytes{1, 3}));
    QVERIFY(on<QPushButton>(*window, "pushButton_Configurer_TM_868")->isEnabled());
    sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(32));
    QCOMPARE(sim::Bytes(f.begin() + 1, f.begin() + 9), kStamp);
    QCOMPARE(int(f[kFlags]), 0x21);
    QCOMPARE(int(f[kStatementHours]), 2);
    QCOMPARE(int(f[kStatementMinutes]), 20);
    QCOMPARE(int(f[kOffset]), 4);
    QCOMPARE(word(f, kChannel), radio->channel());
    QCOMPARE(int(f[kBaud]), radio->baudCode());
    QCOMPARE(int(f[kRemote]), 17);
    QCOMPARE(int(f[kModem]), 33);

    // Refused on the Master tab only.
    on<QComboBox>(*window, "comboBox_heures_releve_Master_TM_868")->setCurrentIndex(0);
    on<QComboBox>(*window, "comboBox_minutes_releve_Master_TM_868")->setCurrentIndex(0);
    m.received.clear();
    {
        MessageBoxCatcher box;
        press(*window, "pushButton_Configurer_TM_868");
        QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
        QCOMPARE(box.text, k868Header + k868StatementHour + k868StatementMinute + k868Footer);
    }
    QVERIFY(m.received.empty());

    // Slave: the command and the stamp, nothing of the Master tab.
    tabs->setCurrentIndex(0);
    press(*window, "pushButton_Configurer_TM_868");
    f = m.lastReceived(1);
    sim::Bytes slave(32, 0);
    slave[0] = 1;
    std::copy(kStamp.begin(), kStamp.end(), slave.begin() + 1);
    QCOMPARE(f, slave);

    // Stored as Slave, the page opens on the Slave tab.
    sim::Bench::instance().unplug(m);
    QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
    sim::Module &n = plugAndShow(*window, 0x02AE, "page_ORLO_TM_868", [](sim::Module &n) {
        n.stored[kFlags] = 0x00;
        sim::setTemperatureRaw(n, 1993);
    });
    QCOMPARE(tabs->currentIndex(), 0);
    auto *lcd = on<QLCDNumber>(*window, "lcdNumber_Temperature_TM_868");
    QTRY_COMPARE_WITH_TIMEOUT(lcd->value(), -10.0, 5000);
    QCOMPARE(lcd->digitCount(), 5);
    // From then on every 6 s: no second reading within 4 s.
    n.received.clear();
    QTest::qWait(4000);
    QCOMPARE(commands(n), sim::Bytes{});
    QTRY_COMPARE_WITH_TIMEOUT(commands(n), sim::Bytes{3}, 4000);
}

void PageTmTest::anyStoredRecordFillsThePage()
{
    struct Case {
        std::uint16_t id;
        const char *page;
    };
    const Case cases[] = {{0x0240, "page_ORLO_TM"}, {0x0244, "page_ORLO_TM"},
                          {0x0314, "page_ORLO_TM_r20"}, {0x02AE, "page_ORLO_TM_868"}};
    std::mt19937 random(4);
    auto window = freshWindow();
    for (const Case &c : cases) {
        // 0x7F: both thresholds far above the page's limits.
        const int fills[] = {0xFF, 0x99, 0x7F, -1};
        for (int pattern = 0; pattern < 4; ++pattern) {
            sim::Module &m = plugAndShow(*window, c.id, c.page, [&](sim::Module &m) {
                for (auto &b : m.stored)
                    b = fills[pattern] >= 0 ? std::uint8_t(fills[pattern]) : std::uint8_t(random());
                // Master role, so that the 868 page shows every field.
                if (pattern == 1)
                    m.stored[kFlags] = 0xFD;
            });
            QCOMPARE(currentPage(*window), QString::fromLatin1(c.page));
            const QWidget *page = on<QWidget>(*window, c.page);
            for (const QComboBox *box : page->findChildren<QComboBox *>()) {
                QVERIFY2((box->currentIndex() >= 0 || box->objectName() == QLatin1String("_comboBoxBaudrate")) && box->currentIndex() < box->count(),
                         qPrintable(box->objectName()));
            }
            // Thresholds within the page's limits and at least 2.0 apart.
            const auto lows = page->findChildren<QDoubleSpinBox *>(QRegularExpression("^doubleSpinBox_Seuil_bas"));
            const auto highs = page->findChildren<QDoubleSpinBox *>(QRegularExpression("^doubleSpinBox_Seuil_haut"));
            if (!lows.isEmpty() && !highs.isEmpty()) {
                const QDoubleSpinBox *low = lows.first();
                const QDoubleSpinBox *high = highs.first();
                QVERIFY2(low->value() >= -35.0 && high->value() <= 120.0,
                         qPrintable(QStringLiteral("%1 %2").arg(low->value()).arg(high->value())));
                QVERIFY(high->value() - low->value() >= 2.0 - 1e-9);
            }
            sim::Bench::instance().unplug(m);
            QTRY_COMPARE_WITH_TIMEOUT(currentPage(*window), QStringLiteral("page_Connect"), 5000);
        }
    }
}

void PageTmTest::anyReadingShowsANumber()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, 0x0244, "page_ORLO_TM");
    auto *lcd = on<QLCDNumber>(*window, "lcdNumber_Temperature_TM");
    QSignalSpy overflow(lcd, &QLCDNumber::overflow);
    // -1/32 degC has more figures than its four digits: its tenth is shown.
    const std::pair<quint16, double> readings[] = {
        {0xFFFF, 0.0}, {0x1FFF, 255.96875}, {0x3FFE, -0.1}, {0x2000, -256.0}};
    for (const auto &[raw, celsius] : readings) {
        sim::setTemperatureRaw(m, raw);
        QTRY_COMPARE_WITH_TIMEOUT(lcd->value(), celsius, 5000);
    }
    // Every other answer byte is the module's business.
    for (std::size_t i = 3; i < m.live.size(); ++i)
        m.live[i] = 0xA5;
    m.live[0] = 0x77;
    sim::setTemperatureRaw(m, 0x0000);
    QTRY_COMPARE_WITH_TIMEOUT(lcd->value(), 0.0, 5000);
    QVERIFY(lcd->isVisible());
    QCOMPARE(overflow.count(), 0);
}

ORLO_TEST_MAIN(PageTmTest)
#include "tst_page_tm.moc"
