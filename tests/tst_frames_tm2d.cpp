// Two-probe temperature frames: where each probe's fields sit, the 1/16 degC
// units, the options byte sent back and the second-probe rule.
#include "link/frames/framebytes.h"
#include "link/frames/tm2d_frame.h"
#include "link/moduletable.h"
#include "support/coreapp.h"

#include <QtTest>
#include <vector>

namespace tm2d = orlo::tm2d;

namespace {
using Payload = std::vector<quint8>;
const QDateTime kSundayNight(QDate(2026, 12, 27), QTime(23, 59, 58));

Payload encoded(const tm2d::Config &c)
{
    Payload p(8 * tm2d::kReports, 0xEE);
    tm2d::encodeConfig(p.data(), c, kSundayNight);
    return p;
}
} // namespace

class FramesTm2dTest : public QObject
{
    Q_OBJECT

private slots:
    void record();
    void lowThresholdsUnused_data();
    void lowThresholdsUnused();
    void joinMode_data();
    void joinMode();
    void readings_data();
    void readings();
};

void FramesTm2dTest::record()
{
    tm2d::Config c;
    c.first.periodCode = 3;
    c.first.lifeFrameSecond = false;
    c.first.sendTimes[0] = {true, 22, 0};
    c.first.sendTimes[2] = {true, 7, 45};
    c.first.lowThreshold = 24.5;
    c.first.highThreshold = 125.0;
    c.first.statementHours = 24;
    c.first.statementMinutes = 30;
    c.first.offset = -2.0;
    c.second = {-55.0, 0.07, 2.0};
    c.options = 0x3E;
    const Payload p = encoded(c);
    const Payload expected{orlo::command::WriteConfiguration,
                           0x26, 0x00, 0x27, 0x12, 0x23, 0x06, 0x58, 0x59,
                           0x03 | 0x10 | 0x40,
                           0x88, 0x01, 0xD0, 0x07,          // probe 1: 392, 2000
                           0x90, 0xFC, 0x01, 0x00,          // probe 2: -880, 1 (0.07 truncated)
                           0x00, 0x22, 0x00, 0x00, 0x45, 0x07,
                           30, 24,                          // statement, not BCD
                           0xE0, 0x20,                      // offsets -32, 32
                           0x3E,                            // options as received
                           0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    QCOMPARE(p, expected);

    const tm2d::Config d = tm2d::decodeConfig(p.data());
    QCOMPARE(d.first.lowThreshold, 24.5);
    QCOMPARE(d.first.highThreshold, 125.0);
    QCOMPARE(d.second.lowThreshold, -55.0);
    QCOMPARE(d.second.highThreshold, 0.0625);
    QCOMPARE(d.first.offset, -2.0);
    QCOMPARE(d.second.offset, 2.0);
    QCOMPARE(d.first.statementHours, 24);
    QCOMPARE(d.first.statementMinutes, 30);
    QCOMPARE(int(d.options), 0x3E);
    QVERIFY(d.first.sendTimes[2].enabled);
    QCOMPARE(d.first.sendTimes[2].minute, 45);

    // Beyond their fields: held.
    c.first.statementHours = 25;
    c.first.statementMinutes = 50;
    c.second.offset = 9.0;
    c.second.highThreshold = 5000.0;
    const Payload q = encoded(c);
    QCOMPARE(int(q[25]), 24);
    QCOMPARE(int(q[24]), 30);
    QCOMPARE(int(q[tm2d::kOffset2]), 0x7F);
    QCOMPARE(int(orlo::getS16le(&q[tm2d::kHighThreshold2])), 32767);
}

void FramesTm2dTest::lowThresholdsUnused_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<bool>("periodic");
    QTest::addColumn<bool>("zeroed");
    QTest::newRow("bit 0, periodic") << 0x01 << true << true;
    QTest::newRow("bit 0, thresholds") << 0x01 << false << false;
    QTest::newRow("no bit 0, periodic") << 0xFE << true << false;
}

void FramesTm2dTest::lowThresholdsUnused()
{
    QFETCH(int, options);
    QFETCH(bool, periodic);
    QFETCH(bool, zeroed);
    tm2d::Config c;
    c.first.periodic = periodic;
    c.first.lowThreshold = -10.0;
    c.second.lowThreshold = 12.0;
    c.options = quint8(options);
    const Payload p = encoded(c);
    QCOMPARE(int(orlo::getS16le(&p[10])), zeroed ? 0 : -160);
    QCOMPARE(int(orlo::getS16le(&p[tm2d::kLowThreshold2])), zeroed ? 0 : 192);
    QCOMPARE(int(p[tm2d::kOptions]), options);
}

void FramesTm2dTest::joinMode_data()
{
    QTest::addColumn<int>("received");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("abp");
    QTest::addColumn<int>("sent");
    QTest::newRow("no LoRaWAN: as received") << 0xBE << false << true << 0xBE;
    QTest::newRow("OTAA chosen") << 0xFF << true << false << 0x7F;
    QTest::newRow("ABP chosen") << 0x41 << true << true << 0xC1;
}

void FramesTm2dTest::joinMode()
{
    QFETCH(int, received);
    QFETCH(bool, shown);
    QFETCH(bool, abp);
    QFETCH(int, sent);
    QCOMPARE(int(tm2d::optionsWithJoinMode(quint8(received), shown, abp)), sent);
}

void FramesTm2dTest::readings_data()
{
    QTest::addColumn<int>("raw1");
    QTest::addColumn<int>("raw2");
    QTest::addColumn<double>("celsius1");
    QTest::addColumn<int>("digits1");
    QTest::addColumn<bool>("secondProbe");
    QTest::newRow("25.0625, none") << 0x0191 << 0xF830 << 25.0625 << 4 << false;
    QTest::newRow("-10.0, second") << 0xFF60 << 0xF831 << -10.0 << 5 << true;
    QTest::newRow("extremes") << 0x7FFF << 0x8000 << 2047.9375 << 5 << false;
}

void FramesTm2dTest::readings()
{
    QFETCH(int, raw1);
    QFETCH(int, raw2);
    QFETCH(double, celsius1);
    QFETCH(int, digits1);
    QFETCH(bool, secondProbe);
    Payload answer(8 * tm2d::kReports, 0);
    orlo::putU16le(&answer[tm2d::kProbe1], quint16(raw1));
    orlo::putU16le(&answer[tm2d::kProbe2], quint16(raw2));
    const tm2d::Reading r = tm2d::decodeReading(answer.data());
    QCOMPARE(tm2d::celsius(r.raw1), celsius1);
    QCOMPARE(orlo::tm::digitCount(tm2d::celsius(r.raw1)), digits1);
    QCOMPARE(tm2d::secondProbeFitted(tm2d::celsius(r.raw2)), secondProbe);
}

ORLO_CORE_TEST_MAIN(FramesTm2dTest)
#include "tst_frames_tm2d.moc"
