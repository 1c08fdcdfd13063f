// Temperature module frames: record layout, units, send-time positions and
// the live reading, against worked examples.
#include "link/frames/framebytes.h"
#include "link/frames/tm_frame.h"
#include "link/moduletable.h"
#include "support/coreapp.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <vector>

namespace tmf = orlo::tm;
Q_DECLARE_METATYPE(tmf::Probe)

namespace {

using Payload = std::vector<quint8>;

Payload encoded(const tmf::Config &c, tmf::Probe probe, const QDateTime &when = QDateTime())
{
    Payload p(8 * tmf::kReports, 0xEE);
    tmf::encodeConfig(p.data(), c, when.isValid() ? when : QDateTime(QDate(2026, 12, 7), QTime(4, 5, 9)), probe);
    return p;
}

const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));

} // namespace

class FramesTmTest : public QObject
{
    Q_OBJECT

private slots:
    void thresholdEncoding_data();
    void thresholdEncoding();
    void thresholdDecoding();
    void offsetUnits_data();
    void offsetUnits();
    void sendTimePositions_data();
    void sendTimePositions();
    void statementPositions();
    void wholeRecord();
    void flagsRoundTrip();
    void record868();
    void readings_data();
    void readings();
};

void FramesTmTest::thresholdEncoding_data()
{
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("word");
    QTest::newRow("19.5") << 19.5 << 2496;
    QTest::newRow("-10.0") << -10.0 << -1280;
    QTest::newRow("0.1 truncated") << 0.1 << 12;
    QTest::newRow("-0.1 toward zero") << -0.1 << -12;
    QTest::newRow("120.0") << 120.0 << 15360;
    QTest::newRow("beyond the field") << 300.0 << 32767;
    QTest::newRow("below the field") << -300.0 << -32768;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void FramesTmTest::thresholdEncoding()
{
    QFETCH(double, celsius);
    QFETCH(int, word);
    tmf::Config c;
    c.lowThreshold = celsius;
    c.highThreshold = -celsius;
    const Payload p = encoded(c, tmf::Probe::Offset2073);
    QCOMPARE(int(orlo::getS16le(&p[tmf::kLowThreshold])), word);
    // The negated value is held to the field as well.
    const int negated = std::isnan(celsius) ? 0 : qBound(-32768, int(std::trunc(-celsius * 128)), 32767);
    QCOMPARE(int(orlo::getS16le(&p[tmf::kHighThreshold])), negated);
}

void FramesTmTest::thresholdDecoding()
{
    Payload p(8 * tmf::kReports, 0);
    p[tmf::kHighThreshold] = 0x00;
    p[tmf::kHighThreshold + 1] = 0xFB;
    p[tmf::kLowThreshold] = 0xC0;
    p[tmf::kLowThreshold + 1] = 0x09;
    const tmf::Config c = tmf::decodeConfig(p.data(), tmf::Probe::Offset2073);
    QCOMPARE(c.highThreshold, -10.0);
    QCOMPARE(c.lowThreshold, 19.5);
}

void FramesTmTest::offsetUnits_data()
{
    QTest::addColumn<tmf::Probe>("probe");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("byte");
    QTest::addColumn<double>("readBack");
    QTest::newRow("0x0240 0.1") << tmf::Probe::Offset2073 << 0.1 << 0 << 0.0;
    QTest::newRow("0x0240 0.2") << tmf::Probe::Offset2073 << 0.2 << 1 << 0.125;
    QTest::newRow("0x0240 -15.9") << tmf::Probe::Offset2073 << -15.9 << 0x81 << -15.875;
    QTest::newRow("0x0244 -3.9") << tmf::Probe::Signed14 << -3.9 << 0x84 << -3.875;
    QTest::newRow("0x0244 held") << tmf::Probe::Signed14 << 15.9 << 0x7F << 3.96875;
    QTest::newRow("unknown probe") << tmf::Probe::Unknown << 3.0 << 0 << 0.0;
}

void FramesTmTest::offsetUnits()
{
    QFETCH(tmf::Probe, probe);
    QFETCH(double, celsius);
    QFETCH(int, byte);
    QFETCH(double, readBack);
    tmf::Config c;
    c.offset = celsius;
    Payload p = encoded(c, probe);
    QCOMPARE(int(p[tmf::kOffset]), byte);
    QCOMPARE(tmf::decodeConfig(p.data(), probe).offset, readBack);
}

void FramesTmTest::sendTimePositions_data()
{
    // Period positions: 1 = 15 min, 2 = 30 min, 3 = 1 h, 4 = 2 h.
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("hourByte");
    QTest::addColumn<int>("minuteByte");
    QTest::addColumn<int>("hourIndex");
    QTest::addColumn<int>("minuteIndex");
    QTest::addColumn<int>("hourWritten");
    QTest::addColumn<int>("minuteWritten");
    QTest::newRow("2 h, 22:00") << 4 << 0x22 << 0x00 << 12 << 0 << 0x22 << 0x00;
    QTest::newRow("2 h, odd hour down") << 4 << 0x05 << 0x00 << 3 << 0 << 0x04 << 0x00;
    QTest::newRow("2 h, 00:00") << 4 << 0x00 << 0x00 << 1 << 0 << 0x00 << 0x00;
    QTest::newRow("15 min, minute 20") << 1 << 0x07 << 0x20 << 8 << 2 << 0x07 << 0x15;
    QTest::newRow("15 min, minute 45") << 1 << 0x23 << 0x45 << 24 << 4 << 0x23 << 0x45;
    QTest::newRow("30 min, minute 59") << 2 << 0x10 << 0x59 << 11 << 2 << 0x10 << 0x30;
    QTest::newRow("1 h drops minutes") << 3 << 0x13 << 0x45 << 14 << 0 << 0x13 << 0x00;
    QTest::newRow("hour beyond the day") << 1 << 0x24 << 0x00 << 0 << 1 << 0x00 << 0x00;
    QTest::newRow("not BCD at all") << 1 << 0xFF << 0xFF << 0 << 0 << 0x00 << 0x00;
}

void FramesTmTest::sendTimePositions()
{
    QFETCH(int, period);
    QFETCH(int, hourByte);
    QFETCH(int, minuteByte);
    QFETCH(int, hourIndex);
    QFETCH(int, minuteIndex);
    QFETCH(int, hourWritten);
    QFETCH(int, minuteWritten);

    Payload stored(8 * tmf::kReports, 0);
    stored[tmf::kFlags] = quint8(tmf::periodCode(period) | tmf::kSendTime1Enabled << 1);
    stored[tmf::kSendTimes + 2] = quint8(minuteByte);
    stored[tmf::kSendTimes + 3] = quint8(hourByte);
    const tmf::Config c = tmf::decodeConfig(stored.data(), tmf::Probe::Offset2073);
    QCOMPARE(tmf::periodIndex(c.periodCode), period);
    QVERIFY(!c.sendTimes[0].enabled);
    QVERIFY(c.sendTimes[1].enabled);
    QCOMPARE(tmf::sendHourIndex(period, c.sendTimes[1].hour), hourIndex);
    QCOMPARE(tmf::sendMinuteIndex(period, c.sendTimes[1].minute), minuteIndex);

    // Written back from the positions the page shows.
    tmf::Config shown = c;
    shown.sendTimes[1].hour = tmf::sendHourAt(period, hourIndex);
    shown.sendTimes[1].minute = tmf::sendMinuteAt(period, minuteIndex);
    const Payload p = encoded(shown, tmf::Probe::Offset2073);
    QCOMPARE(int(p[tmf::kSendTimes + 3]), hourWritten);
    QCOMPARE(int(p[tmf::kSendTimes + 2]), minuteWritten);
    // Disabled send times go out as 0.
    QCOMPARE(int(p[tmf::kSendTimes]), 0);
    QCOMPARE(int(p[tmf::kSendTimes + 1]), 0);
}

void FramesTmTest::statementPositions()
{
    QCOMPARE(tmf::statementHourIndex(0), 1);
    QCOMPARE(tmf::statementHourIndex(23), 24);
    QCOMPARE(tmf::statementHourIndex(24), 0);
    QCOMPARE(tmf::statementHourIndex(255), 0);
    QCOMPARE(tmf::statementMinuteIndex(0), 1);
    QCOMPARE(tmf::statementMinuteIndex(50), 6);
    QCOMPARE(tmf::statementMinuteIndex(59), 6);
    QCOMPARE(tmf::statementMinuteIndex(60), 0);
    QCOMPARE(tmf::statementMinuteIndex(255), 0);
    QCOMPARE(tmf::periodIndex(3), 4);
    QCOMPARE(tmf::periodCode(4), 3);
    QCOMPARE(tmf::periodCode(1), 0);
    // "--" would give code 3: the page never writes with it.
    QCOMPARE(tmf::periodCode(0), 3);
}

void FramesTmTest::wholeRecord()
{
    tmf::Config c;
    c.periodCode = 1;
    c.periodic = true;
    c.lifeFrameSecond = true;
    c.sendTimes[0] = {true, 8, 30};
    c.sendTimes[2] = {true, 99, 99};    // held to 23:59
    c.lowThreshold = 19.5;
    c.highThreshold = -10.0;
    c.statementHours = 23;
    c.statementMinutes = 50;
    c.offset = 0.2;
    const Payload p = encoded(c, tmf::Probe::Offset2073, kSundayNight);
    const Payload expected{
        orlo::command::WriteConfiguration,
        0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59,   // stamp
        0x01 | 0x08 | 0x10 | 0x40 | 0x80,                 // flags
        0xC0, 0x09, 0x00, 0xFB,                           // thresholds
        0x30, 0x08, 0x00, 0x00, 0x59, 0x23,               // send times
        50, 23,                                           // statement period
        0x01,                                             // offset
        0xEE};                                            // not part of the record
    QCOMPARE(p, expected);

    // Statement fields beyond their range are held to it.
    c.statementHours = 40;
    c.statementMinutes = -5;
    const Payload q = encoded(c, tmf::Probe::Offset2073);
    QCOMPARE(int(q[tmf::kStatementHours]), 23);
    QCOMPARE(int(q[tmf::kStatementMinutes]), 0);
}

void FramesTmTest::flagsRoundTrip()
{
    for (int flags = 0; flags < 256; ++flags) {
        Payload stored(8 * tmf::kReports, 0);
        stored[tmf::kFlags] = quint8(flags);
        const Payload p = encoded(tmf::decodeConfig(stored.data(), tmf::Probe::Offset2073),
                                  tmf::Probe::Offset2073);
        // Bit 2 is never written.
        QCOMPARE(int(p[tmf::kFlags]), flags & ~0x04);
    }
}

void FramesTmTest::record868()
{
    tmf::Config868 c;
    c.role = 0;
    c.statementHours = 5;
    c.channel = 522;
    c.baudCode = 10;
    Payload p(8 * tmf::kReports868, 0);
    tmf::encodeConfig868(p.data(), c, kSundayNight);
    Payload slave(8 * tmf::kReports868, 0);
    slave[0] = orlo::command::WriteConfiguration;
    const quint8 stamp[] = {0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59};
    std::copy(std::begin(stamp), std::end(stamp), slave.begin() + 1);
    QCOMPARE(p, slave);

    c.role = 1;
    c.statementMinutes = 40;
    c.offset = -1.0;
    c.remoteAddress = 7;
    c.modemAddress = 300;               // held to 240
    tmf::encodeConfig868(p.data(), c, kSundayNight);
    Payload master = slave;
    master[tmf::kFlags] = 0x21;
    master[tmf::kStatementMinutes] = 40;
    master[tmf::kStatementHours] = 5;
    master[tmf::kOffset] = 0xF8;
    master[tmf::kChannel] = 0x0A;
    master[tmf::kChannel + 1] = 0x02;
    master[tmf::kBaudCode] = 10;
    master[tmf::kRemoteAddress] = 7;
    master[tmf::kModemAddress] = 240;
    QCOMPARE(p, master);

    c.baudCode = 8;
    tmf::encodeConfig868(p.data(), c, kSundayNight);
    QCOMPARE(int(p[tmf::kFlags]), 0x01);

    const tmf::Config868 d = tmf::decodeConfig868(master.data());
    QCOMPARE(d.role, 1);
    QCOMPARE(d.channel, 522);
    QCOMPARE(d.baudCode, 10);
    QCOMPARE(d.offset, -1.0);
    QCOMPARE(d.modemAddress, 240);
    QCOMPARE(d.remoteAddress, 7);
    QCOMPARE(d.statementHours, 5);
    QCOMPARE(d.statementMinutes, 40);
}

void FramesTmTest::readings_data()
{
    QTest::addColumn<tmf::Probe>("probe");
    QTest::addColumn<int>("raw");
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("digits");
    QTest::newRow("0x0240 zero") << tmf::Probe::Offset2073 << 2073 << 0.0 << 3;
    QTest::newRow("0x0240 -10") << tmf::Probe::Offset2073 << 1993 << -10.0 << 5;
    QTest::newRow("0x0240 25.5") << tmf::Probe::Offset2073 << 2277 << 25.5 << 4;
    QTest::newRow("0x0240 raw 0") << tmf::Probe::Offset2073 << 0 << -259.125 << 6;
    QTest::newRow("0x0240 raw max") << tmf::Probe::Offset2073 << 0xFFFF << 7932.75 << 5;
    QTest::newRow("0x0244 bit 13") << tmf::Probe::Signed14 << 0x3FF8 << -0.25 << 4;
    QTest::newRow("0x0244 25") << tmf::Probe::Signed14 << 800 << 25.0 << 4;
    QTest::newRow("0x0244 100") << tmf::Probe::Signed14 << 3200 << 100.0 << 5;
    QTest::newRow("0x0244 upper bits ignored") << tmf::Probe::Signed14 << 0xFFFF << -0.03125 << 4;
    QTest::newRow("unknown") << tmf::Probe::Unknown << 1234 << 0.0 << 3;
}

void FramesTmTest::readings()
{
    QFETCH(tmf::Probe, probe);
    QFETCH(int, raw);
    QFETCH(double, celsius);
    QFETCH(int, digits);
    Payload answer(8 * tmf::kReports, 0);
    orlo::putU16le(&answer[tmf::kRawTemperature], quint16(raw));
    QCOMPARE(int(tmf::rawTemperature(answer.data())), raw);
    const double t = tmf::celsius(quint16(raw), probe);
    QCOMPARE(t, celsius);
    QCOMPARE(tmf::digitCount(t), digits);
}

ORLO_CORE_TEST_MAIN(FramesTmTest)
#include "tst_frames_tm.moc"
