// Temperature-and-humidity frames: the sensor's counts, the 1/373 degC
// offset and the record they sit in.
#include "link/frames/framebytes.h"
#include "link/frames/th_frame.h"
#include "link/moduletable.h"
#include "support/coreapp.h"

#include <QtTest>
#include <limits>
#include <vector>

namespace th = orlo::th;
namespace tmf = orlo::tm;

namespace {
using Payload = std::vector<quint8>;
const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));
} // namespace

class FramesThTest : public QObject
{
    Q_OBJECT

private slots:
    void thresholdCounts_data();
    void thresholdCounts();
    void offsets_data();
    void offsets();
    void record();
    void readings_data();
    void readings();
};

void FramesThTest::thresholdCounts_data()
{
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("count");
    QTest::newRow("25.0") << 25.0 << 26796;
    QTest::newRow("70.0") << 70.0 << 43580;
    QTest::newRow("-20.0") << -20.0 << 10013;
    QTest::newRow("below the sensor") << -60.0 << 0;
    QTest::newRow("beyond the field") << 200.0 << 65535;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void FramesThTest::thresholdCounts()
{
    QFETCH(double, celsius);
    QFETCH(int, count);
    QCOMPARE(int(th::countOfCelsius(celsius)), count);
    tmf::Config c;
    c.lowThreshold = celsius;
    c.highThreshold = 25.0;
    Payload p(8 * th::kReports, 0);
    tmf::encodeConfig(p.data(), c, kSundayNight, th::layout());
    QCOMPARE(int(orlo::getU16le(&p[tmf::kLowThreshold])), count);
    QCOMPARE(int(p[tmf::kHighThreshold]), 0xAC);
    QCOMPARE(int(p[tmf::kHighThreshold + 1]), 0x68);
    // Read back as counts.
    p[tmf::kLowThreshold] = 0x66;
    p[tmf::kLowThreshold + 1] = 0x66;
    QCOMPARE(tmf::decodeConfig(p.data(), th::layout()).lowThreshold, 175.72 * 0x6666 / 65536 - 46.85);
    QVERIFY(qAbs(th::celsiusOfCount(0x6666) - 23.4369) < 1e-4);
}

void FramesThTest::offsets_data()
{
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("byte");
    QTest::newRow("0.3") << 0.3 << 0x6F;
    QTest::newRow("-0.3") << -0.3 << 0x91;
    QTest::newRow("0.1") << 0.1 << 37;
    QTest::newRow("held") << 1.0 << 0x7F;
}

void FramesThTest::offsets()
{
    QFETCH(double, celsius);
    QFETCH(int, byte);
    tmf::Config c;
    c.offset = celsius;
    Payload p(8 * th::kReports, 0);
    tmf::encodeConfig(p.data(), c, kSundayNight, th::layout());
    QCOMPARE(int(p[tmf::kOffset]), byte);
    QCOMPARE(tmf::decodeConfig(p.data(), th::layout()).offset, double(qint8(byte)) / 373);

    tmf::Config868 m;
    m.role = 1;
    m.offset = celsius;
    Payload q(8 * th::kReports868, 0);
    tmf::encodeConfig868(q.data(), m, kSundayNight, th::kOffsetSteps);
    QCOMPARE(int(q[tmf::kOffset]), byte);
    QCOMPARE(tmf::decodeConfig868(q.data(), th::kOffsetSteps).offset, double(qint8(byte)) / 373);
}

void FramesThTest::record()
{
    // The single-probe record everywhere else: flags, send times, statement.
    tmf::Config c;
    c.periodCode = 2;
    c.periodic = true;
    c.sendTimes[1] = {true, 13, 30};
    c.lowThreshold = -20.0;
    c.highThreshold = 70.0;
    c.statementHours = 23;
    c.statementMinutes = 50;
    c.offset = 0.3;
    Payload p(8 * th::kReports, 0xEE);
    tmf::encodeConfig(p.data(), c, kSundayNight, th::layout());
    const Payload expected{orlo::command::WriteConfiguration,
                           0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59,
                           0x02 | 0x08 | 0x20 | 0x80,
                           0x1D, 0x27, 0x3C, 0xAA,
                           0x00, 0x00, 0x30, 0x13, 0x00, 0x00,
                           50, 23, 0x6F, 0xEE};
    QCOMPARE(p, expected);
}

void FramesThTest::readings_data()
{
    QTest::addColumn<int>("temperatureCount");
    QTest::addColumn<int>("humidityCount");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("temperatureDigits");
    QTest::addColumn<double>("humidity");
    QTest::addColumn<int>("humidityDigits");
    QTest::addColumn<bool>("sensed");
    QTest::newRow("room") << 0x6666 << 0x8000 << 175.72 * 0x6666 / 65536 - 46.85 << 5 << 56.5 << 5 << true;
    QTest::newRow("no humidity sensor") << 0x6666 << 0 << 175.72 * 0x6666 / 65536 - 46.85 << 5 << -6.0 << 5
                                        << false;
    QTest::newRow("-5.0 degC, humidity just above 0") << 15608 << 3146 << 175.72 * 15608 / 65536 - 46.85 << 5 << 125.0 * 3146 / 65536 - 6
                               << 4 << true;
    QTest::newRow("top of the counts") << 0xFFFF << 0xFFFF << 175.72 * 65535 / 65536 - 46.85 << 5
                                       << 125.0 * 65535 / 65536 - 6 << 5 << true;
}

void FramesThTest::readings()
{
    QFETCH(int, temperatureCount);
    QFETCH(int, humidityCount);
    QFETCH(double, celsius);
    QFETCH(int, temperatureDigits);
    QFETCH(double, humidity);
    QFETCH(int, humidityDigits);
    QFETCH(bool, sensed);
    Payload answer(8 * th::kReports, 0);
    orlo::putU16le(&answer[th::kTemperatureCount], quint16(temperatureCount));
    orlo::putU16le(&answer[th::kHumidityCount], quint16(humidityCount));
    const th::Reading r = th::decodeReading(answer.data());
    QCOMPARE(r.celsius, celsius);
    QCOMPARE(r.humidity, humidity);
    QCOMPARE(th::digitCount(r.celsius), temperatureDigits);
    QCOMPARE(th::digitCount(r.humidity), humidityDigits);
    QCOMPARE(th::humiditySensed(r.humidity), sensed);
}

ORLO_CORE_TEST_MAIN(FramesThTest)
#include "tst_frames_th.moc"
