// Analog pages through a simulated module: the stored record shown in the
// user's unit, the bytes the module receives, the refusals per reading mode,
// the live value, DA_r20's analog type, and any record or answer at all.
#include "link/clockstamp.h"
#include "pages/analogpages.h"
#include "sim/firmware.h"
#include "support/fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QToolBox>
#include <cmath>
#include <random>

using namespace testing;

namespace {

// Payload offsets of the record (offset 0 is the command).
constexpr std::size_t kConfig = 9;
constexpr std::size_t kInputs = 10;
constexpr std::size_t kLow = 11;
constexpr std::size_t kHigh = 13;
constexpr std::size_t kT1Minute = 15;
constexpr std::size_t kT1Hour = 16;
constexpr std::size_t kT3Hour = 20;
constexpr std::size_t kReadingMinutes = 21;
constexpr std::size_t kReadingHours = 22;
constexpr std::size_t kOffset = 23;
constexpr std::size_t kY1 = 25;
constexpr std::size_t kY2 = 27;
constexpr std::size_t kUnit = 29;

constexpr std::uint16_t kDaCurrent = 0x0222;
constexpr std::uint16_t kDaVoltage = 0x0235;
constexpr std::uint16_t kDaR20 = 0x0293;

const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));
const sim::Bytes kStamp{0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59};

const QString kHeader = QStringLiteral("CONFIGURATION INVALIDE.\n\nAu moins un champ horaire d'un des 3 envois de température possible n'est pas configuré :\n\n");
const QString kFooter = QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur \"Configurer\"\n");
const QString kHeaderR20 = QStringLiteral("CONFIGURATION INVALIDE.\n\nAu moins un champ horaire d'un des 3 envois de température possible n'est pas configuré :\n\n");
const QString kFooterR20 = QStringLiteral("\nPour continuer, cliquez sur \"OK\", entrez une configuration valide\net cliquez à nouveau sur \"Configurer\"\n");
const QString kT1Minute_ = QStringLiteral("\tChamp minutes de l'heure n°1 non configuré.\n");
const QString kT2Hour_ = QStringLiteral("\tChamp heure     de l'heure n°2 non configuré.\n");
const QString kReadingHour_ = QStringLiteral("\tChamp heure de relevé non configuré.\n");
const QString kReadingMinute_ = QStringLiteral("\tChamp minutes de relevé non configuré.\n");
const QString kCalibration = QStringLiteral(
    "\tPlage d'étalonnage nulle : la valeur maximum doit différer de la valeur minimum.\n");

void putWord(sim::Bytes &b, std::size_t at, int v)
{
    b[at] = std::uint8_t(v & 0xFF);
    b[at + 1] = std::uint8_t((v >> 8) & 0xFF);
}

int word(const sim::Bytes &b, std::size_t at)
{
    return quint16(b[at] | (b[at + 1] << 8));
}

int signedWord(const sim::Bytes &b, std::size_t at)
{
    return qint16(word(b, at));
}

template <typename W>
W *on(MainWindow &window, const char *name)
{
    return child<W>(window, name);
}

// A measurement tick now rather than in up to 2 s; it makes the configure
// button usable.
void tick(MainWindow &window, bool r20)
{
    AnalogPages &pages = family<AnalogPages>(window);
    r20 ? pages.ValueMeasurementDA_r20() : pages.ValueMeasurementDA();
    QTRY_VERIFY_WITH_TIMEOUT(!window.transport()->busy(), 5000);
    QVERIFY(on<QPushButton>(window, r20 ? "pushButton_Configurer_DA_r20" : "pushButton_Configurer_DA")->isEnabled());
}

void press(MainWindow &window, const char *button)
{
    QTest::mouseClick(on<QPushButton>(window, button), Qt::LeftButton);
    // What it started runs on: its answer comes back on the event loop.
    QTRY_VERIFY_WITH_TIMEOUT(!window.transport()->busy(), 5000);
}

// 0..100 on a 4-20 mA loop: 50 and 75 as thresholds, -5 as offset.
void calibratedRecord(sim::Module &m, std::uint8_t config)
{
    std::fill(m.stored.begin(), m.stored.end(), 0);
    m.stored[kConfig] = config;
    putWord(m.stored, kLow, 35856);
    putWord(m.stored, kHigh, 47792);
    putWord(m.stored, kOffset, -2387);
    putWord(m.stored, kY1, 0);
    putWord(m.stored, kY2, 1000);
    m.stored[kUnit] = 'm';
    m.stored[kUnit + 1] = 'A';
}

bool near(double a, double b)
{
    return std::fabs(a - b) < 0.006;
}

} // namespace

class PageDaTest : public QObject
{
    Q_OBJECT

private slots:
    void storedRecordShownAndWritten();
    void liveValueAndDigits();
    void refusalsPerMode_data();
    void refusalsPerMode();
    void calibrationWithoutSpan_data();
    void calibrationWithoutSpan();
    void r20AnalogTypeAndRecord();
    void anyRecordOrAnswerFillsThePage();
};

void PageDaTest::storedRecordShownAndWritten()
{
    auto window = freshWindow();
    orlo::setClockForTesting([] { return kSundayNight; });
    sim::Module &m = plugAndShow(*window, kDaCurrent, "page_ORLO_DA", [](sim::Module &m) {
        // 2-hour period, sending times 1 and 3, keep-alive every 5 days;
        // input 1 on both edges, input 2 off with a falling edge.
        calibratedRecord(m, 0x03 | 0x10 | 0x40 | 0x80);
        m.stored[kInputs] = 0x8D;
        m.stored[kT1Hour] = 0x06;
        m.stored[kT3Hour] = 0x22;
        m.stored[kReadingHours] = 5;
        m.stored[kReadingMinutes] = 20;
    });
    MainWindow &w = *window;
    QCOMPARE(on<QDoubleSpinBox>(w, "doubleSpinBox_Y1_DA")->value(), 0.0);
    QCOMPARE(on<QDoubleSpinBox>(w, "doubleSpinBox_Y2_DA")->value(), 100.0);
    QCOMPARE(on<QLabel>(w, "label_Calc_Resolution_DA")->text(), QStringLiteral("0.0021"));
    QCOMPARE(on<QLabel>(w, "label_X1_DA")->text(), QStringLiteral("pour I = 4mA"));
    QCOMPARE(on<QLabel>(w, "label_X2_DA")->text(), QStringLiteral("pour I = 20mA"));
    QCOMPARE(on<QLineEdit>(w, "lineEdit_Unite_DA")->text(), QStringLiteral("mA"));
    for (const char *unit : {"label_Unite_1_DA", "label_Unite_2_DA", "label_Unite_3_DA", "label_Unite_4_DA",
                             "label_Unite_5_DA", "label_Value_bas_DA", "label_Value_haut_DA"})
        QCOMPARE(on<QLabel>(w, unit)->text(), QStringLiteral("mA"));
    auto *low = on<QDoubleSpinBox>(w, "doubleSpinBox_Seuil_bas_DA");
    auto *high = on<QDoubleSpinBox>(w, "doubleSpinBox_Seuil_haut_DA");
    auto *offset = on<QDoubleSpinBox>(w, "doubleSpinBox_Offset_DA");
    QCOMPARE(low->value(), 50.0);
    QCOMPARE(high->value(), 75.0);
    QCOMPARE(low->minimum(), 0.0);
    QCOMPARE(high->maximum(), 100.0);
    QVERIFY(near(offset->value(), -5.0));
    QVERIFY(near(offset->maximum(), 68.63));
    QCOMPARE(on<QComboBox>(w, "comboBox_Periode_mesure_DA")->currentText(), QStringLiteral("2 heures"));
    QCOMPARE(on<QComboBox>(w, "comboBox_heures_T1_DA")->currentText(), QStringLiteral("06"));
    QCOMPARE(on<QComboBox>(w, "comboBox_minutes_T1_DA")->currentText(), QStringLiteral("00"));
    QVERIFY(!on<QCheckBox>(w, "checkBox_envoi_T2_DA")->isChecked());
    QVERIFY(!on<QComboBox>(w, "comboBox_heures_T2_DA")->isEnabled());
    QCOMPARE(on<QComboBox>(w, "comboBox_heures_T3_DA")->currentText(), QStringLiteral("22"));
    QCOMPARE(on<QComboBox>(w, "comboBox_heures_releve_DA")->currentText(), QStringLiteral("05"));
    QCOMPARE(on<QComboBox>(w, "comboBox_minutes_releve_DA")->currentText(), QStringLiteral("20"));
    QCOMPARE(on<QSlider>(w, "horizontalSlider_Type_releve_DA")->value(), 0);
    QCOMPARE(on<QStackedWidget>(w, "stackedWidget_Type_releve_DA")->currentWidget()->objectName(),
             QStringLiteral("page_depassement_seuil_DA"));
    QVERIFY(!on<QWidget>(w, "frame_Periode_mesure_DA")->isHidden());
    QVERIFY(on<QRadioButton>(w, "radioButton_Tous_les_5_jours_DA")->isChecked());
    QVERIFY(on<QGroupBox>(w, "groupBox_Entree1_DA")->isChecked());
    QVERIFY(!on<QGroupBox>(w, "groupBox_Entree2_DA")->isChecked());
    QVERIFY(!on<QPushButton>(w, "pushButton_Front_entree_numerique1_DA")->icon().isNull());
    QVERIFY(!on<QPushButton>(w, "pushButton_Front_entree_numerique2_DA")->icon().isNull());
    QVERIFY(!on<QPushButton>(w, "pushButton_Configurer_DA")->isEnabled());

    // A calibration change moves the resolution and the limits with it.
    // Y2 below both thresholds: both come within, still apart.
    on<QDoubleSpinBox>(w, "doubleSpinBox_Y2_DA")->setValue(30.0);
    QCOMPARE(on<QLabel>(w, "label_Calc_Resolution_DA")->text(), QStringLiteral("0.0006"));
    QCOMPARE(high->maximum(), 30.0);
    QCOMPARE(high->value(), 30.0);
    QCOMPARE(low->value(), 29.9);
    QVERIFY(near(offset->maximum(), 20.59));
    on<QDoubleSpinBox>(w, "doubleSpinBox_Y2_DA")->setValue(100.0);
    high->setValue(75.0);
    low->setValue(50.0);
    // The unit goes to every unit label as it is typed.
    on<QLineEdit>(w, "lineEdit_Unite_DA")->setText(QStringLiteral("bar"));
    QCOMPARE(on<QLabel>(w, "label_Value_haut_DA")->text(), QStringLiteral("bar"));
    on<QLineEdit>(w, "lineEdit_Unite_DA")->setText(QStringLiteral("mA"));
    QCOMPARE(on<QLabel>(w, "label_Unite_5_DA")->text(), QStringLiteral("mA"));
    // No sampling period, nothing to write; a period back lists its hours afresh.
    auto *period = on<QComboBox>(w, "comboBox_Periode_mesure_DA");
    period->setCurrentIndex(0);
    QVERIFY(on<QWidget>(w, "frame_Configurer_DA")->isHidden());
    period->setCurrentIndex(4);
    QVERIFY(!on<QWidget>(w, "frame_Configurer_DA")->isHidden());
    QCOMPARE(on<QComboBox>(w, "comboBox_heures_T1_DA")->count(), 13);

    tick(w, false);
    // Input 1: both -> rising; input 2 switched on, falling -> both.
    on<QPushButton>(w, "pushButton_Front_entree_numerique1_DA")->click();
    on<QGroupBox>(w, "groupBox_Entree2_DA")->setChecked(true);
    on<QPushButton>(w, "pushButton_Front_entree_numerique2_DA")->click();
    on<QRadioButton>(w, "radioButton_Tous_les_jours_DA")->setChecked(true);
    on<QComboBox>(w, "comboBox_heures_T3_DA")->setCurrentIndex(3);   // "04"
    on<QComboBox>(w, "comboBox_heures_T1_DA")->setCurrentIndex(4);   // "06"
    m.received.clear();
    press(w, "pushButton_Configurer_DA");
    QCOMPARE(on<QLabel>(w, "label_Resultat_configurer_DA")->text(), QStringLiteral("OK"));
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(40));
    QCOMPARE(sim::Bytes(f.begin() + 1, f.begin() + 9), kStamp);
    QCOMPARE(int(f[kConfig]), 0x53);
    QCOMPARE(int(f[kInputs]), 0xD5);
    QCOMPARE(word(f, kLow), 35856);
    QCOMPARE(word(f, kHigh), 47792);
    QCOMPARE(signedWord(f, kOffset), -2387);
    QCOMPARE(signedWord(f, kY1), 0);
    QCOMPARE(signedWord(f, kY2), 1000);
    QCOMPARE(int(f[kT1Hour]), 0x06);
    QCOMPARE(int(f[kT1Minute]), 0x00);
    QCOMPARE(int(f[kT3Hour]), 0x04);
    QCOMPARE(int(f[kReadingHours]), 5);
    QCOMPARE(int(f[kReadingMinutes]), 20);
    QCOMPARE(sim::Bytes(f.begin() + kUnit, f.begin() + kUnit + 5), (sim::Bytes{0x6D, 0x41, 0, 0, 0}));
    QCOMPARE(sim::Bytes(f.begin() + 34, f.end()), sim::Bytes(6, 0));
}

void PageDaTest::liveValueAndDigits()
{
    auto window = freshWindow();
    sim::Module &m = plugAndShow(*window, kDaVoltage, "page_ORLO_DA", [](sim::Module &m) {
        putWord(m.stored, kY1, -100);
        putWord(m.stored, kY2, 100);
        sim::setAnalogRaw(m, 0);
    });
    auto *lcd = on<QLCDNumber>(*window, "lcdNumber_Value_DA");
    QCOMPARE(on<QLabel>(*window, "label_X1_DA")->text(), QStringLiteral("pour U = 0V"));
    QCOMPARE(on<QLabel>(*window, "label_X2_DA")->text(), QStringLiteral("pour U = 10V"));
    QVERIFY(lcd->isHidden());
    // The timer's own tick, then ours.
    QTRY_COMPARE_WITH_TIMEOUT(lcd->value(), -10.0, 5000);
    QCOMPARE(lcd->digitCount(), 6);
    QVERIFY(!lcd->isHidden() && !on<QLabel>(*window, "label_Unite_4_DA")->isHidden());
    sim::setAnalogReading(m, 0.0, 7.5);
    tick(*window, false);
    QCOMPARE(lcd->value(), 5.0);
    QCOMPARE(lcd->digitCount(), 5);
    // A module that answers half a frame leaves the value and frees the button.
    m.answerReports = 2;
    sim::setAnalogRaw(m, 0);
    tick(*window, false);
    QCOMPARE(lcd->value(), 5.0);
}

void PageDaTest::refusalsPerMode_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<bool>("periodic");
    QTest::addColumn<QVector<int>>("sendTime");   // checked box: number, hour entry, minute entry
    QTest::addColumn<QVector<int>>("reading");    // hour entry, minute entry
    QTest::addColumn<QStringList>("lines");       // empty: written
    QTest::addColumn<QVector<int>>("written");    // config, T minute, T hour, reading minutes, reading hours
    QTest::newRow("time 2 hour unset") << 1 << false << QVector<int>{2, 0, 2} << QVector<int>{2, 3}
                                       << QStringList{kT2Hour_} << QVector<int>{};
    QTest::newRow("time 1 minute unset") << 2 << false << QVector<int>{1, 5, 0} << QVector<int>{2, 3}
                                         << QStringList{kT1Minute_} << QVector<int>{};
    QTest::newRow("hour period needs no minute") << 3 << false << QVector<int>{1, 9, 0} << QVector<int>{2, 3}
                                                 << QStringList{} << QVector<int>{0x12, 0x00, 0x08, 20, 1};
    QTest::newRow("reading unset") << 1 << true << QVector<int>{} << QVector<int>{0, 2}
                                   << QStringList{kReadingHour_} << QVector<int>{};
    QTest::newRow("reading 00 h --") << 1 << true << QVector<int>{} << QVector<int>{1, 1}
                                     << QStringList{kReadingMinute_} << QVector<int>{};
    // The mode not in use is written as it encodes.
    QTest::newRow("periodic, time unset") << 2 << true << QVector<int>{1, 0, 2} << QVector<int>{3, 6}
                                          << QStringList{} << QVector<int>{0x09, 0x00, 0x00, 50, 2};
    QTest::newRow("thresholds, reading unset") << 1 << false << QVector<int>{1, 24, 4} << QVector<int>{0, 0}
                                               << QStringList{} << QVector<int>{0x10, 0x45, 0x23, 0, 0};
}

void PageDaTest::refusalsPerMode()
{
    QFETCH(int, period);
    QFETCH(bool, periodic);
    QFETCH(QVector<int>, sendTime);
    QFETCH(QVector<int>, reading);
    QFETCH(QStringList, lines);
    QFETCH(QVector<int>, written);
    auto window = freshWindow();
    MainWindow &w = *window;
    sim::Module &m = plugAndShow(w, kDaCurrent, "page_ORLO_DA", [](sim::Module &m) { calibratedRecord(m, 0); });
    tick(w, false);
    on<QComboBox>(w, "comboBox_Periode_mesure_DA")->setCurrentIndex(period);
    on<QSlider>(w, "horizontalSlider_Type_releve_DA")->setValue(periodic ? 1 : 0);
    if (!sendTime.isEmpty()) {
        const QByteArray n = QByteArray::number(sendTime[0]);
        on<QCheckBox>(w, "checkBox_envoi_T" + n + "_DA")->click();
        on<QComboBox>(w, "comboBox_heures_T" + n + "_DA")->setCurrentIndex(sendTime[1]);
        on<QComboBox>(w, "comboBox_minutes_T" + n + "_DA")->setCurrentIndex(sendTime[2]);
    }
    on<QComboBox>(w, "comboBox_heures_releve_DA")->setCurrentIndex(reading[0]);
    on<QComboBox>(w, "comboBox_minutes_releve_DA")->setCurrentIndex(reading[1]);
    m.received.clear();
    MessageBoxCatcher box;
    press(w, "pushButton_Configurer_DA");
    if (!lines.isEmpty()) {
        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("Configuration invalide"));
        QCOMPARE(box.text, kHeader + lines.join(QString()) + kFooter);
        QVERIFY(m.received.empty());
        QCOMPARE(on<QLabel>(w, "label_Resultat_configurer_DA")->text(), QString());
        return;
    }
    QVERIFY(!box.seen);
    const sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(40));
    const std::size_t minute = kT1Minute + 2 * std::size_t(sendTime[0] - 1);
    QCOMPARE(int(f[kConfig]), written[0]);
    QCOMPARE(int(f[minute]), written[1]);
    QCOMPARE(int(f[minute + 1]), written[2]);
    QCOMPARE(int(f[kReadingMinutes]), written[3]);
    QCOMPARE(int(f[kReadingHours]), written[4]);
}

void PageDaTest::calibrationWithoutSpan_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("text");
    QTest::newRow("DA") << int(kDaCurrent) << kHeader + kCalibration + kFooter;
    QTest::newRow("DA_r20") << int(kDaR20) << kHeaderR20 + kCalibration + kFooterR20;
}

// Y1 = Y2 would scale by zero: refused, nothing sent. Any span is enough.
void PageDaTest::calibrationWithoutSpan()
{
    QFETCH(int, product);
    QFETCH(QString, text);
    const bool r20 = product == kDaR20;
    auto window = freshWindow();
    MainWindow &w = *window;
    sim::Module &m = plugAndShow(w, std::uint16_t(product), r20 ? "page_ORLO_DA_r20" : "page_ORLO_DA");
    const char *button = r20 ? "pushButton_Configurer_DA_r20" : "pushButton_Configurer_DA";
    tick(w, r20);
    on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Y1_DA_r20" : "doubleSpinBox_Y1_DA")->setValue(20.0);
    on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Y2_DA_r20" : "doubleSpinBox_Y2_DA")->setValue(20.0);
    m.received.clear();
    {
        MessageBoxCatcher box;
        press(w, button);
        QVERIFY(box.seen);
        QCOMPARE(box.text, text);
        QVERIFY(m.received.empty());
    }
    // The live value still reads without dividing by zero.
    on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Y2_DA_r20" : "doubleSpinBox_Y2_DA")->setValue(20.5);
    tick(w, r20);
    press(w, button);
    QCOMPARE(m.lastReceived(1).size(), std::size_t(40));
    on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Y2_DA_r20" : "doubleSpinBox_Y2_DA")->setValue(20.0);
    auto *lcd = on<QLCDNumber>(w, r20 ? "lcdNumber_Value_DA_r20" : "lcdNumber_Value_DA");
    tick(w, r20);
    QCOMPARE(lcd->value(), 20.0);
}

void PageDaTest::r20AnalogTypeAndRecord()
{
    auto window = freshWindow();
    MainWindow &w = *window;
    orlo::setClockForTesting([] { return kSundayNight; });
    sim::Module &m = plugAndShow(w, kDaR20, "page_ORLO_DA_r20", [](sim::Module &m) {
        // Current loop, periodic reading every 01 h 30, 30-min sampling.
        calibratedRecord(m, 0x04 | 0x08 | 0x01);
        m.stored[kReadingHours] = 1;
        m.stored[kReadingMinutes] = 30;
    });
    auto *analog = on<QComboBox>(w, "comboBox_Analog_DA_r20");
    auto *low = on<QDoubleSpinBox>(w, "doubleSpinBox_Seuil_bas_DA_r20");
    auto *high = on<QDoubleSpinBox>(w, "doubleSpinBox_Seuil_haut_DA_r20");
    QCOMPARE(analog->count(), 2);
    QCOMPARE(analog->currentText(), QStringLiteral("Current"));
    QCOMPARE(on<QLabel>(w, "label_X2_DA_r20")->text(), QStringLiteral("pour I = 20mA"));
    QCOMPARE(on<QToolBox>(w, "toolBox_Type_releve_DA_r20")->currentWidget()->objectName(),
             QStringLiteral("page_periodique_DA_r20"));
    QCOMPARE(on<QLabel>(w, "label_Calc_Resolution_DA_r20")->text(), QStringLiteral("0.0021"));
    QCOMPARE(low->value(), 50.0);
    QCOMPARE(high->value(), 75.0);

    // After a measurement answer came in, the switch still scales the stored counts.
    sim::setAnalogRaw(m, 59728);
    tick(w, true);
    QCOMPARE(on<QLCDNumber>(w, "lcdNumber_Value_DA_r20")->value(), 100.0);
    analog->setCurrentIndex(0);
    QCOMPARE(on<QLabel>(w, "label_X1_DA_r20")->text(), QStringLiteral("pour U = 0V"));
    QCOMPARE(on<QLabel>(w, "label_X2_DA_r20")->text(), QStringLiteral("pour U = 10V"));
    QVERIFY(near(low->value(), 55.82));
    QVERIFY(near(high->value(), 74.40));
    QVERIFY(near(on<QDoubleSpinBox>(w, "doubleSpinBox_Offset_DA_r20")->value(), -3.72));
    QCOMPARE(on<QLabel>(w, "label_Calc_Resolution_DA_r20")->text(), QStringLiteral("0.0016"));
    tick(w, true);
    QVERIFY(near(on<QLCDNumber>(w, "lcdNumber_Value_DA_r20")->value(), 92.976));

    m.received.clear();
    press(w, "pushButton_Configurer_DA_r20");
    QCOMPARE(on<QLabel>(w, "label_Resultat_configurer_DA_r20")->text(), QStringLiteral("OK"));
    sim::Bytes f = m.lastReceived(1);
    QCOMPARE(f.size(), std::size_t(40));
    QCOMPARE(int(f[kConfig]), 0x09);
    QCOMPARE(int(f[kInputs]), 0xDD);
    // Thresholds and offset left as read go back as their stored counts.
    QCOMPARE(word(f, kLow), 35856);
    QCOMPARE(word(f, kHigh), 47792);
    QCOMPARE(signedWord(f, kOffset), -2387);
    QCOMPARE(int(f[kReadingHours]), 1);
    QCOMPARE(int(f[kReadingMinutes]), 30);

    // Over threshold, a sending time without its hour: refused without a field line.
    on<QToolBox>(w, "toolBox_Type_releve_DA_r20")->setCurrentIndex(0);
    on<QCheckBox>(w, "checkBox_envoi_T2_DA_r20")->click();
    on<QComboBox>(w, "comboBox_minutes_T2_DA_r20")->setCurrentIndex(2);
    tick(w, true);
    m.received.clear();
    MessageBoxCatcher box;
    press(w, "pushButton_Configurer_DA_r20");
    QVERIFY(box.seen);
    QCOMPARE(box.text, kHeaderR20 + kFooterR20);
    QVERIFY(m.received.empty());
}

void PageDaTest::anyRecordOrAnswerFillsThePage()
{
    std::mt19937 random(7);
    auto window = freshWindow();
    MainWindow &w = *window;
    for (const std::uint16_t product : {kDaCurrent, kDaR20}) {
        const bool r20 = product == kDaR20;
        const char *page = r20 ? "page_ORLO_DA_r20" : "page_ORLO_DA";
        sim::Module &m = plugAndShow(w, product, page);
        for (int round = 0; round < 150; ++round) {
            for (auto &b : m.stored)
                b = std::uint8_t(random());
            for (auto &b : m.live)
                b = std::uint8_t(random());
            AnalogPages &pages = family<AnalogPages>(w);
            r20 ? pages.EnablePageDA_r20(true) : pages.EnablePageDA(true);
            r20 ? pages.ValueMeasurementDA_r20() : pages.ValueMeasurementDA();
            QTRY_VERIFY_WITH_TIMEOUT(!w.transport()->busy(), 5000);
            const QWidget *shown = on<QWidget>(w, page);
            for (const QComboBox *box : shown->findChildren<QComboBox *>())
                QVERIFY2(box->currentIndex() >= 0 && box->currentIndex() < box->count(),
                         qPrintable(box->objectName()));
            for (const QDoubleSpinBox *spin : shown->findChildren<QDoubleSpinBox *>())
                QVERIFY2(std::isfinite(spin->value()) && spin->value() >= spin->minimum()
                             && spin->value() <= spin->maximum(),
                         qPrintable(spin->objectName()));
            // Both thresholds within the calibration, the high one not below the low one.
            const double y1 = on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Y1_DA_r20" : "doubleSpinBox_Y1_DA")->value();
            const double y2 = on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Y2_DA_r20" : "doubleSpinBox_Y2_DA")->value();
            const double low = on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Seuil_bas_DA_r20" : "doubleSpinBox_Seuil_bas_DA")->value();
            const double high = on<QDoubleSpinBox>(w, r20 ? "doubleSpinBox_Seuil_haut_DA_r20" : "doubleSpinBox_Seuil_haut_DA")->value();
            QVERIFY2(low >= std::min(y1, y2) - 0.01 && high <= std::max(y1, y2) + 0.01 && low <= high,
                     qPrintable(QStringLiteral("%1 %2 in %3 %4").arg(low).arg(high).arg(y1).arg(y2)));
            QVERIFY(std::isfinite(on<QLCDNumber>(w, r20 ? "lcdNumber_Value_DA_r20" : "lcdNumber_Value_DA")->value()));
            if (round % 10 == 0) {
                // Whatever the page holds becomes bytes within their fields.
                MessageBoxCatcher box;
                r20 ? pages.on_pushButton_Configurer_DA_r20_clicked() : pages.on_pushButton_Configurer_DA_clicked();
            }
        }
        sim::Bench::instance().unplug(m);
        QTRY_COMPARE_WITH_TIMEOUT(currentPage(w), QStringLiteral("page_Connect"), 5000);
    }
}

ORLO_TEST_MAIN(PageDaTest)
#include "tst_page_da.moc"
