// LoRaWAN serial frame codec: every field both ways, stored bytes no list
// shows, and the status-bar text of the module information.
#include "link/frames/rslw_frame.h"
#include "support/coreapp.h"

#include <QtTest>
#include <array>

namespace rslw = orlo::rslw;

namespace {
using Payload = std::array<quint8, 40>;
} // namespace

class FramesRslwTest : public QObject
{
    Q_OBJECT

private slots:
    void minuteItems_data();
    void minuteItems();
    void encodeEveryField();
    void storedBytesNoListShows_data();
    void storedBytesNoListShows();
    void roundTripEveryByte();
    void statusText_data();
    void statusText();
};

void FramesRslwTest::minuteItems_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("item");
    QTest::newRow("5") << 5 << 0;
    QTest::newRow("7") << 7 << 0;
    QTest::newRow("60") << 60 << 11;
    QTest::newRow("64") << 64 << 11;
    QTest::newRow("65") << 65 << -1;
    QTest::newRow("4") << 4 << 0;
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("0") << 0 << -1;
    QTest::newRow("255") << 255 << -1;
}

void FramesRslwTest::minuteItems()
{
    QFETCH(int, stored);
    QFETCH(int, item);
    QCOMPARE(rslw::minuteItem(stored), item);
}

void FramesRslwTest::encodeEveryField()
{
    rslw::Record r;
    r.role = 1;                 // Slave: the Master fields go all the same
    r.rs485 = true;
    r.speedItem = 5;
    r.dataBitsItem = 0;
    r.parityItem = 1;
    r.stopBitsItem = 1;
    r.slaveModem = 240;
    r.hourItem = 23;
    r.minuteItem = 11;
    r.timeoutSeconds = 25.0;
    for (int i = 0; i < 6; ++i)
        r.blocks[std::size_t(i)] = {i != 3, 10 + i, 0x1234 + i, 16};
    r.otaa = false;
    r.functionItem = 1;
    Payload p;
    p.fill(0xEE);
    rslw::encode(p.data(), r);
    const Payload expected = {1, 1, 1, 5, 0, 1, 1, 240, 23, 60, 250,
                              10, 0x34, 0x12, 16, 11, 0x35, 0x12, 16, 12, 0x36, 0x12, 16,
                              0, 0x37, 0x12, 16,   // frame 4 off: device 0, register and length kept
                              14, 0x38, 0x12, 16, 15, 0x39, 0x12, 16,
                              0, 1, 0xEE, 0xEE, 0xEE};
    QCOMPARE(p, expected);
}

void FramesRslwTest::storedBytesNoListShows_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("sent");    // what a write of the decoded record sends
    QTest::newRow("role 3") << rslw::kRole << 3 << 3;
    QTest::newRow("speed 6") << rslw::kSpeedItem << 6 << 6;
    QTest::newRow("parity 3") << rslw::kParityItem << 3 << 3;
    QTest::newRow("hour 24") << rslw::kHourItem << 24 << 24;
    QTest::newRow("minute 0") << rslw::kMinute << 0 << 0;
    QTest::newRow("speed 255") << rslw::kSpeedItem << 255 << 255;
    QTest::newRow("minute 3") << rslw::kMinute << 3 << 5;
    QTest::newRow("minute 7") << rslw::kMinute << 7 << 5;
    QTest::newRow("timeout 0") << rslw::kTimeout << 0 << 1;
    QTest::newRow("timeout 255") << rslw::kTimeout << 255 << 250;
    QTest::newRow("length 17") << rslw::kBlocks + 3 << 17 << 16;
    QTest::newRow("slave modem 0") << rslw::kSlaveModem << 0 << 1;
    QTest::newRow("slave modem 250") << rslw::kSlaveModem << 250 << 240;
    QTest::newRow("function 2") << rslw::kFunctionItem << 2 << 2;
    QTest::newRow("otaa 7") << rslw::kOtaa << 7 << 1;
}

void FramesRslwTest::storedBytesNoListShows()
{
    QFETCH(int, offset);
    QFETCH(int, stored);
    QFETCH(int, sent);
    Payload p{};
    p[rslw::kMinute] = 5;
    p[rslw::kTimeout] = 1;
    p[rslw::kSlaveModem] = 1;
    p[rslw::kBlocks + 3] = 1;
    p[std::size_t(offset)] = quint8(stored);
    Payload back{};
    rslw::encode(back.data(), rslw::decode(p.data()));
    QCOMPARE(int(back[std::size_t(offset)]), sent);
}

void FramesRslwTest::roundTripEveryByte()
{
    // A value every list and box can show comes back as it was stored.
    Payload p{};
    p[rslw::kMinute] = 5;
    p[rslw::kTimeout] = 1;
    p[rslw::kSlaveModem] = 1;
    for (int b = 0; b < 6; ++b) {
        p[std::size_t(rslw::kBlocks + 4 * b)] = quint8(b + 1);
        p[std::size_t(rslw::kBlocks + 4 * b + 3)] = 1;
    }
    for (int t = 1; t <= 250; ++t) {
        p[rslw::kTimeout] = quint8(t);
        p[rslw::kMinute] = quint8(5 * (t % 12 + 1));
        p[rslw::kBlocks + 1] = quint8(t);
        p[rslw::kBlocks + 2] = quint8(255 - t);
        p[rslw::kSlaveModem] = quint8(t % 240 + 1);
        Payload back{};
        rslw::encode(back.data(), rslw::decode(p.data()));
        back[rslw::kCommand] = 0;
        QCOMPARE(back, p);
    }
}

void FramesRslwTest::statusText_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("text");
    QByteArray a(40, '\0');
    a.replace(1, 10, QByteArray("\xE6\x00\x01\x02\x03\x04\x05\x06\x07\x08", 10));
    QTest::newRow("2.30") << a << 40 << QStringLiteral("sw:v2.30    devEui:807060504030201");
    QByteArray b(40, '\0');
    b[1] = char(105);
    QTest::newRow("1.05, EUI 0") << b << 40 << QStringLiteral("sw:v1.05    devEui:0");
    QByteArray full(40, '\xFF');
    QTest::newRow("all 0xFF") << full << 40 << QStringLiteral("sw:v655.35    devEui:ffffffffffffffff");
    QTest::newRow("cut answer") << a << 8 << QStringLiteral("sw:v2.30    devEui:0");
}

void FramesRslwTest::statusText()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, size);
    QFETCH(QString, text);
    const auto information = rslw::decodeInformation(reinterpret_cast<const quint8 *>(answer.constData()), size);
    QCOMPARE(rslw::statusText(information), text);
}

ORLO_CORE_TEST_MAIN(FramesRslwTest)
#include "tst_frames_rslw.moc"
