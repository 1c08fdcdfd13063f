// Digital-and-analog module frames: scaling per analog type, the record's
// bytes, the unit text and the trace lines, against worked examples.
#include "link/frames/da_frame.h"
#include "link/frames/framebytes.h"
#include "support/coreapp.h"

#include <QtTest>
#include <vector>

namespace da = orlo::da;
Q_DECLARE_METATYPE(da::Analog)

namespace {

using Payload = std::vector<quint8>;

const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));

Payload encoded(const da::Record &r, da::Variant variant)
{
    Payload p(8 * da::kReports, 0);
    da::encode(p.data(), kSundayNight, r, variant);
    return p;
}

} // namespace

class FramesDaTest : public QObject
{
    Q_OBJECT

private slots:
    void scaledValues_data();
    void scaledValues();
    void encodedCounts_data();
    void encodedCounts();
    void countsComeBack_data();
    void countsComeBack();
    void wholeRecord();
    void variantBytes();
    void unitText_data();
    void unitText();
    void traces();
};

void FramesDaTest::scaledValues_data()
{
    QTest::addColumn<da::Analog>("analog");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("y2");
    QTest::addColumn<int>("raw");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("resolution");
    const auto I = da::Analog::Current;
    const auto U = da::Analog::Voltage;
    QTest::newRow("4 mA") << I << 0.0 << 100.0 << 11984 << 0.0 << "0.0021";
    QTest::newRow("20 mA") << I << 0.0 << 100.0 << 59728 << 100.0 << "0.0021";
    QTest::newRow("12 mA") << I << 0.0 << 100.0 << 35856 << 50.0 << "0.0021";
    QTest::newRow("below 4 mA") << I << 0.0 << 100.0 << 0 << -25.1005 << "0.0021";
    QTest::newRow("0 V from -10") << U << -10.0 << 10.0 << 0 << -10.0 << "0.0003";
    QTest::newRow("10 V") << U << -10.0 << 10.0 << 64240 << 10.0 << "0.0003";
    QTest::newRow("Y1 = Y2") << I << 5.0 << 5.0 << 40000 << 5.0 << "0.0000";
    QTest::newRow("no scaling") << da::Analog::None << 7.0 << 9.0 << 40000 << 7.0 << "0.0000";
}

void FramesDaTest::scaledValues()
{
    QFETCH(da::Analog, analog);
    QFETCH(double, y1);
    QFETCH(double, y2);
    QFETCH(int, raw);
    QFETCH(double, value);
    QFETCH(QString, resolution);
    const da::Scaling s = da::scalingOf(analog);
    const da::Calibration c{y1, y2};
    QVERIFY2(qAbs(da::valueOf(raw, c, s) - value) < 1e-4, qPrintable(QString::number(da::valueOf(raw, c, s))));
    QCOMPARE(QString::number(da::resolution(c, s), 'f', 4), resolution);
    // The offset is the same scale without the zero count.
    QVERIFY(qAbs(da::offsetValueOf(raw - s.zero, c, s) + y1 - da::valueOf(raw, c, s)) < 1e-9);
    QVERIFY(qAbs(da::offsetLimit(c, s) - 32767 * qAbs(da::resolution(c, s))) < 1e-9);
}

void FramesDaTest::encodedCounts_data()
{
    QTest::addColumn<da::Analog>("analog");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("y2");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<int>("thresholdRaw");
    QTest::addColumn<double>("offset");
    QTest::addColumn<int>("offsetRaw");
    const auto I = da::Analog::Current;
    const auto U = da::Analog::Voltage;
    // Y2 - Y1 = 12.5 scales with the whole span, as the decoder does.
    QTest::newRow("0..12.5") << I << 0.0 << 12.5 << 6.0 << 34901 << 1.0 << 3819;
    QTest::newRow("5..5.5") << I << 5.0 << 5.5 << 5.2 << 31081 << 0.01 << 954;
    QTest::newRow("0..100 %") << I << 0.0 << 100.0 << 75.0 << 47792 << -1.0 << -477;
    QTest::newRow("-10..10 V") << U << -10.0 << 10.0 << 0.0 << 32120 << 0.5 << 1606;
    QTest::newRow("above the fields") << I << 0.0 << 100.0 << 1e6 << 65535 << 1e6 << 32767;
    QTest::newRow("below the fields") << I << 0.0 << 100.0 << -1e6 << 0 << -1e6 << -32768;
    QTest::newRow("top of 0..27") << I << 0.0 << 27.0 << 27.0 << 59728 << 0.0 << 0;
    QTest::newRow("inverted") << U << 10.0 << 0.0 << 2.5 << 48180 << 1.0 << -6424;
    // No span never divides: the zero count and no offset.
    QTest::newRow("no span") << I << 5.0 << 5.0 << 5.2 << 11984 << 1.0 << 0;
}

void FramesDaTest::encodedCounts()
{
    QFETCH(da::Analog, analog);
    QFETCH(double, y1);
    QFETCH(double, y2);
    QFETCH(double, threshold);
    QFETCH(int, thresholdRaw);
    QFETCH(double, offset);
    QFETCH(int, offsetRaw);
    const da::Scaling s = da::scalingOf(analog);
    const da::Calibration c{y1, y2};
    QCOMPARE(int(da::thresholdRaw(threshold, c, s)), thresholdRaw);
    QCOMPARE(int(da::offsetRaw(offset, c, s)), offsetRaw);
    QCOMPARE(!da::hasSpan(c), QByteArray(QTest::currentDataTag()) == "no span");
}

void FramesDaTest::countsComeBack_data()
{
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("y2");
    QTest::newRow("0..12.5") << 0.0 << 12.5;
    QTest::newRow("0..1.5") << 0.0 << 1.5;
    QTest::newRow("0..0.5") << 0.0 << 0.5;
    QTest::newRow("4-20 mA as 0..100") << 0.0 << 100.0;
    QTest::newRow("inverted") << 10.0 << -3.3;
}

// A count decoded and encoded again is the same count, on both converters:
// a read followed by a Write with no change moves nothing.
void FramesDaTest::countsComeBack()
{
    QFETCH(double, y1);
    QFETCH(double, y2);
    const da::Calibration c{y1, y2};
    for (const da::Analog analog : {da::Analog::Current, da::Analog::Voltage}) {
        const da::Scaling s = da::scalingOf(analog);
        for (int raw = 0; raw <= 65535; raw += 13) {
            QCOMPARE(int(da::thresholdRaw(da::valueOf(raw, c, s), c, s)), raw);
            const int offset = raw - 32768;
            QCOMPARE(int(da::offsetRaw(da::offsetValueOf(offset, c, s), c, s)), offset);
        }
    }
}

void FramesDaTest::wholeRecord()
{
    da::Record r;
    r.periodCode = 3;
    r.periodic = true;
    r.keepAlive5Days = true;
    // Period "2 heures": hour entry 3 is 04 h.
    r.sendTimes[0] = {true, da::sendHourAt(4, 3), da::sendMinuteAt(4, 0)};
    r.sendTimes[2] = {true, 22, 45};
    r.input1 = {true, da::kEdgeBoth};
    r.input2 = {false, 2};
    r.lowRaw = 0x1234;
    r.highRaw = 0xFEDC;
    r.readingHours = 23;
    r.readingMinutes = 50;
    r.offsetRaw = -2;
    r.y1Tenths = da::tenths(-10.0);
    r.y2Tenths = da::tenths(3276.7);
    r.unit = QStringLiteral("mA");
    const Payload p = encoded(r, da::Variant::DA);
    const Payload expected = {
        0x01, 0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59,   // command, stamp
        0xDB, 0x8D, 0x34, 0x12, 0xDC, 0xFE,                     // config, inputs, thresholds
        0x00, 0x04, 0x00, 0x00, 0x45, 0x22,                     // sending times
        50, 23, 0xFE, 0xFF, 0x9C, 0xFF, 0xFF, 0x7F,             // reading, offset, Y1, Y2
        0x6D, 0x41, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0};
    QCOMPARE(p, expected);

    const da::Record back = da::decode(p.data());
    QCOMPARE(back.periodCode, 3);
    QVERIFY(back.periodic && back.keepAlive5Days && !back.current);
    QVERIFY(back.sendTimes[0].inUse && !back.sendTimes[1].inUse && back.sendTimes[2].inUse);
    QCOMPARE(back.sendTimes[0].hour, 4);
    QCOMPARE(back.sendTimes[2].minute, 45);
    // A stored 06 h with "2 heures" selects entry 4 ("06").
    QCOMPARE(da::sendHourIndex(4, 6), 4);
    QCOMPARE(back.input1.edge, da::kEdgeBoth);
    QCOMPARE(back.input2.edge, 2);
    QVERIFY(back.input1.inUse && !back.input2.inUse);
    QCOMPARE(int(back.lowRaw), 0x1234);
    QCOMPARE(int(back.highRaw), 0xFEDC);
    QCOMPARE(int(back.offsetRaw), -2);
    QCOMPARE(da::calibrationOf(back).y1, -10.0);
    QCOMPARE(da::calibrationOf(back).y2, 3276.7);
    QCOMPARE(back.unit, QStringLiteral("mA"));
}

// DA_r20 writes its analog type and no inputs or keep-alive; DA the reverse.
void FramesDaTest::variantBytes()
{
    da::Record r;
    r.current = true;
    r.keepAlive5Days = true;
    r.input1 = {true, 1};
    r.readingHours = 300;
    r.sendTimes[1] = {true, 99, 99};
    const Payload r20 = encoded(r, da::Variant::DA_r20);
    QCOMPARE(int(r20[da::kConfig]), 0x24);
    QCOMPARE(int(r20[da::kInputs]), 0xDD);
    QCOMPARE(int(r20[da::kReadingHours]), 23);
    QCOMPARE(int(r20[da::kSendTimes + 2]), 0x59);
    QCOMPARE(int(r20[da::kSendTimes + 3]), 0x23);
    QVERIFY(da::decode(r20.data()).current);
    const Payload first = encoded(r, da::Variant::DA);
    QCOMPARE(int(first[da::kConfig]), 0xA0);
    QCOMPARE(int(first[da::kInputs]), 0x05);
}

void FramesDaTest::unitText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");   // offsets 29..33
    QTest::addColumn<QString>("readBack");
    QTest::newRow("mA") << "mA" << QByteArray("mA\0\0\0", 5) << "mA";
    QTest::newRow("five letters") << "ABCDE" << QByteArray("ABCD\0", 5) << "ABCD";
    QTest::newRow("Latin-1") << QStringLiteral("°C") << QByteArray("\xB0" "C\0\0\0", 5) << QStringLiteral("°C");
    QTest::newRow("beyond Latin-1") << QStringLiteral("€") << QByteArray("?\0\0\0\0", 5) << "?";
    QTest::newRow("empty") << "" << QByteArray(5, '\0') << "";
}

void FramesDaTest::unitText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    da::Record r;
    r.unit = text;
    Payload p = encoded(r, da::Variant::DA);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&p[da::kUnit]), 5), bytes);
    QCOMPARE(da::decode(p.data()).unit, readBack);
    // A record without its NUL shows four letters.
    std::fill(p.begin() + da::kUnit, p.end(), quint8('W'));
    QCOMPARE(da::decode(p.data()).unit, QStringLiteral("WWWW"));
}

void FramesDaTest::traces()
{
    Payload p(8 * da::kReports, 0);
    p[da::kConfig] = 146;
    orlo::putU16le(&p[da::kThresholdHigh], 0xC403);
    p[da::kReadingMinutes] = 30;
    orlo::putS16le(&p[da::kY1], -100);
    const QStringList read = da::readTrace(p.data());
    QCOMPARE(read.size(), 3 + 25 + 1);
    QCOMPARE(read[0], QStringLiteral("    Acquitement PIC : 0x0"));
    QCOMPARE(read[1], QString(64, QLatin1Char('*')));
    QCOMPARE(read[2], QStringLiteral("*********************Données envoyées par USB*********************"));
    QCOMPARE(read[3], QStringLiteral("    Commande        : 0"));
    QCOMPARE(read[4], QStringLiteral("    Config          : 146"));
    QCOMPARE(read[5], QStringLiteral("    ValueThHHB      : 0xc4"));
    QCOMPARE(read[6], QStringLiteral("    ValueThHLB      : 0x3"));
    QCOMPARE(read[15], QStringLiteral("    RelevePeriodMinutes: 30"));
    QCOMPARE(read[19], QStringLiteral("    ValueMinHB      : 0xff"));
    QCOMPARE(read[27], QStringLiteral("    Unit[4]         : 0x0"));
    QCOMPARE(read.last(), read[1]);

    const QStringList written = da::writeTrace(p.data());
    QCOMPARE(written, (QStringList{QStringLiteral("  ValueThL       : 0x0"), QStringLiteral("  ValueThH       : 0xc403"),
                                   QStringLiteral("  ValueMin       : 0xff9c"), QStringLiteral("  ValueMax       : 0x0")}));
}

ORLO_CORE_TEST_MAIN(FramesDaTest)
#include "tst_frames_da.moc"
