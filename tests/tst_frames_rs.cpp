// Frames of the radio and serial bridge: the three role layouts both ways,
// the module information answer and the firmware features.
#include "link/frames/rs_frame.h"
#include "support/coreapp.h"

#include <QtTest>
#include <array>

namespace rs = orlo::rs;
namespace mb = orlo::modbus;

namespace {
using Payload = std::array<quint8, rs::kPayloadSize>;

Payload encoded(const rs::Record &record)
{
    Payload p{};
    rs::encode(p.data(), 1, record);
    return p;
}
} // namespace

class FramesRsTest : public QObject
{
    Q_OBJECT

private slots:
    void masterLayout();
    void masterStoredBytes_data();
    void masterStoredBytes();
    void slaveLayout();
    void bridgeLayout_data();
    void bridgeLayout();
    void otherRoleFillsNothing();
    void everyStoredByteDecodes();
    void information_data();
    void information();
    void features_data();
    void features();
};

void FramesRsTest::masterLayout()
{
    rs::Record r;
    r.role = rs::kRoleMaster;
    r.master.serial = {true, 5};
    r.master.hourItem = 23;
    r.master.minuteItem = 5;
    r.master.timeout = 25.0;
    for (int i = 0; i < mb::kBlockCount; ++i)
        r.master.blocks[std::size_t(i)] = {true, 10 + i, 0x0100 * (i + 1) + 0x34, 1 + i % 4};
    r.master.blocks[3].enabled = false;
    r.master.functionItem = mb::kFunctionInputsItem;
    const Payload p = encoded(r);
    // Frame bytes n are payload offsets n - 1.
    const Payload expected{1, 2, 1, 7, 23, 60, 250,
                           10, 0x34, 0x01, 1,  11, 0x34, 0x02, 2,  12, 0x34, 0x03, 3,
                           0, 0x34, 0x04, 4,   14, 0x34, 0x05, 1,  15, 0x34, 0x06, 2,
                           1};
    QCOMPARE(p, expected);
    const rs::Record back = rs::decode(p.data());
    QCOMPARE(back.role, int(rs::kRoleMaster));
    QCOMPARE(back.master.serial.speedItem, 5);
    QVERIFY(back.master.serial.rs485);
    QCOMPARE(back.master.minuteItem, 5);
    QCOMPARE(back.master.timeout, 25.0);
    QCOMPARE(back.master.functionItem, 1);
    QVERIFY(!back.master.blocks[3].enabled);
    QCOMPARE(back.master.blocks[3].registerAddress, 0x0434);
    QCOMPARE(back.master.blocks[5].device, 15);
}

void FramesRsTest::masterStoredBytes_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("speedItem");
    QTest::addColumn<int>("hourItem");
    QTest::addColumn<int>("minuteItem");
    QTest::addColumn<double>("seconds");
    QTest::newRow("first items") << 2 << 0 << 10 << 1 << 0 << 0 << 0 << 0.1;
    QTest::newRow("last items") << 7 << 23 << 60 << 250 << 5 << 23 << 5 << 25.0;
    QTest::newRow("speed 1, hour 24") << 1 << 24 << 0 << 0 << -1 << -1 << -1 << 0.1;
    QTest::newRow("speed 8, minute 15") << 8 << 255 << 15 << 251 << -1 << -1 << -1 << 25.0;
    QTest::newRow("minute 70") << 0 << 12 << 70 << 255 << -1 << 12 << -1 << 25.0;
}

void FramesRsTest::masterStoredBytes()
{
    QFETCH(int, speed);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, timeout);
    Payload p{};
    p[rs::kRole] = rs::kRoleMaster;
    p[rs::kMasterSpeed] = quint8(speed);
    p[rs::kMasterHour] = quint8(hour);
    p[rs::kMasterMinute] = quint8(minute);
    p[rs::kMasterTimeout] = quint8(timeout);
    p[rs::kMasterFunction] = 0xFE;          // bit 0 only
    const rs::Record decoded = rs::decode(p.data());
    const rs::Master m = decoded.master;
    QTEST(m.serial.speedItem, "speedItem");
    QTEST(m.hourItem, "hourItem");
    QTEST(m.minuteItem, "minuteItem");
    QTEST(m.timeout, "seconds");
    QCOMPARE(m.functionItem, 0);
    QVERIFY(m.blocks[0].enabled);           // block 1 always on, even with device 0
    // Written back as decoded: what no list shows goes back as stored.
    const Payload back = encoded(decoded);
    for (int at : {rs::kMasterSpeed, rs::kMasterHour, rs::kMasterMinute})
        QCOMPARE(back[std::size_t(at)], p[std::size_t(at)]);
    // On a record never read, nothing chosen is written as the first item.
    rs::Record r;
    r.role = rs::kRoleMaster;
    r.master = m;
    const Payload again = encoded(r);
    QVERIFY(again[rs::kMasterSpeed] >= 2 && again[rs::kMasterSpeed] <= 7);
    QVERIFY(again[rs::kMasterHour] <= 23);
    QCOMPARE(again[rs::kMasterMinute] % 10, 0);
    QVERIFY(again[rs::kMasterMinute] >= 10 && again[rs::kMasterMinute] <= 60);
    QVERIFY(again[rs::kMasterTimeout] >= 1 && again[rs::kMasterTimeout] <= 250);
}

void FramesRsTest::slaveLayout()
{
    rs::Record r;
    r.role = rs::kRoleSlave;
    r.slave.modemAddress = 240;
    r.slave.serial = {false, 0};
    r.slave.radio = {4, 300, 9, 9};         // modem and remote are not the slave's
    const Payload p = encoded(r);
    const Payload expected{1, 0, 240, 0, 2, 4, 0x01, 0x2C, 0, 0, 0, 0xFF};
    QCOMPARE(p, expected);
    const rs::Slave back = rs::decode(p.data()).slave;
    QCOMPARE(back.modemAddress, 240);
    QCOMPARE(back.radio.channel, 300);
    QCOMPARE(back.radio.code, 4);
    QCOMPARE(back.radio.modem, 0);
    QCOMPARE(back.radio.remote, 255);
}

void FramesRsTest::bridgeLayout_data()
{
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<int>("dataBitsByte");
    QTest::addColumn<int>("parityByte");
    QTest::addColumn<int>("stopBitsByte");
    QTest::newRow("7 odd 1") << 0 << 0 << 0 << 7 << 1 << 1;
    QTest::newRow("7 even 2") << 0 << 1 << 1 << 7 << 3 << 2;
    QTest::newRow("8 none 1") << 1 << 2 << 0 << 0 << 0 << 1;
    QTest::newRow("8 even 2") << 1 << 1 << 1 << 0 << 3 << 2;
}

void FramesRsTest::bridgeLayout()
{
    QFETCH(int, dataBits);
    QFETCH(int, parity);
    QFETCH(int, stopBits);
    rs::Record r;
    r.role = rs::kRoleBridge;
    r.bridge.mode = rs::kModeAdvanced;
    r.bridge.serial = {true, 3};
    r.bridge.radio = {11, 0x1234, 17, 200};
    r.bridge.energySaving = rs::kSavingMaster;
    r.bridge.dataBitsItem = dataBits;
    r.bridge.parityItem = parity;
    r.bridge.stopBitsItem = stopBits;
    const Payload p = encoded(r);
    QFETCH(int, dataBitsByte);
    QFETCH(int, parityByte);
    QFETCH(int, stopBitsByte);
    const Payload expected{1, 1, 2, 1, 5, 11, 0x12, 0x34, 0, 0, 17, 200, 2, quint8(dataBitsByte),
                           quint8(parityByte), quint8(stopBitsByte)};
    QCOMPARE(p, expected);
    const rs::Bridge back = rs::decode(p.data()).bridge;
    QCOMPARE(back.mode, rs::kModeAdvanced);
    QCOMPARE(back.energySaving, rs::kSavingMaster);
    QCOMPARE(back.radio.channel, 0x1234);
    QCOMPARE(back.radio.modem, 17);
    QCOMPARE(back.radio.remote, 200);
    QCOMPARE(back.dataBitsItem, dataBits);
    QCOMPARE(back.parityItem, parity);
    QCOMPARE(back.stopBitsItem, stopBits);
}

void FramesRsTest::otherRoleFillsNothing()
{
    rs::Record r;
    r.role = 3;
    QCOMPARE(encoded(r), (Payload{1, 3}));
    Payload p{};
    p.fill(0x55);
    p[rs::kRole] = 3;
    const rs::Record back = rs::decode(p.data());
    QCOMPARE(back.role, 3);
    QCOMPARE(back.master.serial.speedItem, rs::Master().serial.speedItem);
}

void FramesRsTest::everyStoredByteDecodes()
{
    // Any stored byte in any field gives items a list can show, or none.
    for (int role = 0; role < 3; ++role) {
        for (int v = 0; v < 256; ++v) {
            Payload p{};
            p.fill(quint8(v));
            p[rs::kRole] = quint8(role);
            const rs::Record r = rs::decode(p.data());
            for (int item : {r.master.serial.speedItem, r.slave.serial.speedItem, r.bridge.serial.speedItem,
                             r.master.minuteItem})
                QVERIFY(item >= -1 && item < 6);
            QVERIFY(r.master.hourItem >= -1 && r.master.hourItem <= 23);
            QVERIFY(r.master.timeout >= 0.1 && r.master.timeout <= 25.0);
            QVERIFY(r.bridge.parityItem >= 0 && r.bridge.parityItem <= 2);
            QVERIFY(r.bridge.dataBitsItem == 0 || r.bridge.dataBitsItem == 1);
            QVERIFY(r.bridge.stopBitsItem == 0 || r.bridge.stopBitsItem == 1);
        }
    }
}

void FramesRsTest::information_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("identifier");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("sigfox");
    const QByteArray head("\x00\x78\x56\x34\x12\x00", 6);
    QTest::newRow("identifier and 1.9")
        << head + QByteArray("1.9", 4) << quint32(0x12345678) << "1.9" << "sw:v1.9 Sigfox id: 0x12345678" << true;
    QTest::newRow("no identifier")
        << QByteArray("\x00\xFF\xFF\xFF\xFF\x00" "2.3\0", 10) << quint32(0xFFFFFFFF) << "2.3" << "sw:v2.3" << false;
    QTest::newRow("identifier 0")
        << QByteArray("\x00\x00\x00\x00\x00\x00" "1.6\0", 10) << quint32(0) << "1.6" << "sw:v1.6 Sigfox id: 0x0"
        << false;
    // No terminating zero: the text ends with the answer.
    QTest::newRow("unterminated")
        << head + QByteArray(34, 'x') << quint32(0x12345678) << QString(34, QLatin1Char('x'))
        << "sw:v" + QString(34, QLatin1Char('x')) + " Sigfox id: 0x12345678" << true;
}

void FramesRsTest::information()
{
    QFETCH(QByteArray, bytes);
    Payload p{};
    std::copy(bytes.begin(), bytes.end(), p.begin());
    // The answer ends where the buffer ends: a guard byte after it is never read.
    std::array<quint8, rs::kPayloadSize + 1> guarded{};
    std::copy(p.begin(), p.end(), guarded.begin());
    guarded.back() = 'G';
    const rs::Information info = rs::decodeInformation(guarded.data(), rs::kPayloadSize);
    QTEST(info.identifier, "identifier");
    QTEST(info.version, "version");
    QTEST(rs::statusText(info), "status");
    QTEST(rs::hasSigfoxIdentifier(info.identifier), "sigfox");
}

void FramesRsTest::features_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");  // energy saving, master, serial format, function code
    QTest::newRow("1.4") << "1.4" << "0000";
    QTest::newRow("1.5") << "1.5" << "1000";
    QTest::newRow("1.6") << "1.6" << "1100";
    QTest::newRow("1.8") << "1.8" << "1100";
    QTest::newRow("1.9") << "1.9" << "1110";
    // Single precision: just below 1.9 in decimals, 1.9 as a float.
    QTest::newRow("1.89999999") << "1.89999999" << "1110";
    QTest::newRow("2.2") << "2.2" << "1110";
    QTest::newRow("2.3") << "2.3" << "1111";
    QTest::newRow("10") << "10" << "1111";
    QTest::newRow("not a number") << "v2.3" << "0000";
    QTest::newRow("empty") << "" << "0000";
    QTest::newRow("nan") << "nan" << "0000";
}

void FramesRsTest::features()
{
    QFETCH(QString, version);
    const rs::Features f = rs::featuresOf(version);
    const QString got = QString::number(int(f.energySaving)) + QString::number(int(f.master))
        + QString::number(int(f.serialFormat)) + QString::number(int(f.functionCode));
    QTEST(got, "expected");
}

ORLO_CORE_TEST_MAIN(FramesRsTest)
#include "tst_frames_rs.moc"
