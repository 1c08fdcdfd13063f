// Mirror-module frame codec: every field both ways, per variant.
#include "link/frames/mirror_frame.h"
#include "link/moduletable.h"
#include "support/coreapp.h"

#include <QtTest>
#include <array>

namespace mf = orlo::mirror;
using mf::Variant;

namespace {

using Payload = std::array<quint8, 40>;

const QDateTime kStampTime(QDate(2026, 12, 7), QTime(4, 5, 9));
const quint8 kStampBytes[8] = {0x26, 0x00, 0x07, 0x12, 0x04, 0x00, 0x09, 0x05};

// Frame bytes as the module numbers them (frame byte n is payload offset n - 1).
quint8 frameByte(const Payload &p, int n)
{
    return p[std::size_t(n - 1)];
}

} // namespace

Q_DECLARE_METATYPE(Variant)

class FramesMirrorTest : public QObject
{
    Q_OBJECT

private slots:
    void layouts();
    void decodeFields_data();
    void decodeFields();
    void encodeFields_data();
    void encodeFields();
    void roundTripEveryModeAndInputsByte();
    void encodeHoldsValuesToTheirBytes();
};

void FramesMirrorTest::layouts()
{
    // The frame lengths agree with the module table.
    QCOMPARE(mf::layoutOf(Variant::IOD_PS_r20).reports, orlo::findModule(0x0390)->reportsPerFrame);
    QCOMPARE(mf::layoutOf(Variant::DIO_LoRa).reports, orlo::findModule(0x0344)->reportsPerFrame);
    QCOMPARE(mf::layoutOf(Variant::DI2_868_r_10).reports, orlo::findModule(0x0372)->reportsPerFrame);
    QVERIFY(mf::layoutOf(Variant::IOD_PS_r20).timeOut && !mf::layoutOf(Variant::IOD_PS_r20).counters);
    QVERIFY(!mf::layoutOf(Variant::DI2_868_r_10).timeOut && mf::layoutOf(Variant::DI2_868_r_10).counters);
}

void FramesMirrorTest::decodeFields_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<QByteArray>("bytes");      // frame bytes 10 .. 27
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("compat");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("timeOut");
    QTest::addColumn<quint32>("counter1");
    QTest::addColumn<quint32>("counter2");
    const auto row = [](std::initializer_list<int> b) {
        QByteArray a;
        for (int v : b)
            a.append(char(v));
        return a;
    };
    QTest::newRow("slave") << Variant::IOD_PS_r20
                           << row({0x00, 0xDD, 0, 0, 0x2C, 0x01, 4, 7, 9, 5, 1, 2, 3, 4, 5, 6, 7, 8}) << 0 << false
                           << 300 << 5 << 0u << 0u;
    QTest::newRow("role 2") << Variant::IOD_PS_r20 << row({0x02, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 10}) << 2 << false
                            << 65535 << 10 << 0u << 0u;
    QTest::newRow("role 3, compat, other bits") << Variant::DIO_LoRa << row({0xFF, 0, 0, 0, 22, 0, 4, 0, 0, 255})
                                                << 3 << true << 22 << 255 << 0u << 0u;
    QTest::newRow("DI2 counters, no time-out")
        << Variant::DI2_868_r_10
        << row({0x21, 0, 0, 0, 0xA0, 0, 4, 1, 2, 9, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x03, 0x04}) << 1 << true
        << 160 << 0 << 4294967295u << 0x04030201u;
}

void FramesMirrorTest::decodeFields()
{
    QFETCH(Variant, variant);
    QFETCH(QByteArray, bytes);
    Payload p{};
    for (int i = 0; i < bytes.size(); ++i)
        p[std::size_t(9 + i)] = quint8(bytes[i]);
    const mf::Record r = mf::decode(p.data(), variant);
    QTEST(r.role, "role");
    QTEST(r.compatibility, "compat");
    QTEST(r.channel, "channel");
    QTEST(r.timeOut, "timeOut");
    QTEST(r.counter1, "counter1");
    QTEST(r.counter2, "counter2");
    QCOMPARE(r.speed, int(quint8(bytes[6])));
    QCOMPARE(r.remote, int(quint8(bytes[7])));
    QCOMPARE(r.modem, int(quint8(bytes[8])));
    QCOMPARE(r.minute, int(quint8(bytes[2])));
    QCOMPARE(r.hour, int(quint8(bytes[3])));
}

void FramesMirrorTest::encodeFields_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("compat");
    QTest::addColumn<int>("inputs");        // as the Master tab would give them
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QByteArray>("expected");  // frame bytes 10 .. 19
    QTest::newRow("slave: inputs fixed, channel 300")
        << Variant::IOD_PS_r20 << 0 << true << 0x00 << 0 << 0 << 300 << QByteArray::fromHex("20dd00002c010b0c0d0e");
    QTest::newRow("master 24:00") << Variant::IOD_PS_r20 << 1 << false << 0x93 << 24 << 0 << 522
                                  << QByteArray::fromHex("019300180a020b0c0d0e");
    QTest::newRow("slave mirror") << Variant::DIO_LoRa << 2 << false << 0x00 << 0 << 0 << 23
                                  << QByteArray::fromHex("0200000017000b0c0d0e");
    QTest::newRow("master mirror") << Variant::DIO_LoRa << 3 << false << 0x00 << 0 << 0 << 26
                                   << QByteArray::fromHex("030000001a000b0c0d0e");
    QTest::newRow("DI2 master, no time-out") << Variant::DI2_868_r_10 << 1 << false << 0x5F << 7 << 50 << 160
                                             << QByteArray::fromHex("015f3207a0000b0c0d00");
}

void FramesMirrorTest::encodeFields()
{
    QFETCH(Variant, variant);
    QFETCH(int, role);
    QFETCH(bool, compat);
    QFETCH(int, inputs);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, channel);
    QFETCH(QByteArray, expected);
    mf::Record r;
    r.role = role;
    r.compatibility = compat;
    r.input1 = orlo::di::decodeInput(quint8(inputs & 0x0F));
    r.input2 = orlo::di::decodeInput(quint8(inputs >> 4));
    r.hour = hour;
    r.minute = minute;
    r.channel = channel;
    r.speed = 11;
    r.remote = 12;
    r.modem = 13;
    r.timeOut = 14;
    r.counter1 = r.counter2 = 0xFFFFFFFF;
    Payload p{};
    p.fill(0xEE);
    mf::encode(p.data(), 1, kStampTime, r, variant);
    QCOMPARE(frameByte(p, 1), quint8(1));
    for (int i = 0; i < 8; ++i)
        QCOMPARE(frameByte(p, 2 + i), kStampBytes[i]);
    QByteArray sent;
    for (int n = 10; n <= 19; ++n)
        sent.append(char(frameByte(p, n)));
    if (variant == Variant::DI2_868_r_10) {
        // No time-out byte: left as the caller cleared it.
        QCOMPARE(quint8(sent[9]), quint8(0xEE));
        sent[9] = 0;
    }
    QCOMPARE(sent.toHex(), expected.toHex());
    // The counters are never written.
    for (int n = 20; n <= 27; ++n)
        QCOMPARE(frameByte(p, n), quint8(0xEE));
}

void FramesMirrorTest::roundTripEveryModeAndInputsByte()
{
    for (Variant v : {Variant::IOD_PS_r20, Variant::DIO_LoRa, Variant::DI2_868_r_10}) {
        for (int b = 0; b < 256; ++b) {
            Payload in{};
            in[mf::kMode] = quint8(b);
            in[mf::kInputs] = quint8(b);
            in[mf::kChannel] = quint8(b);
            in[mf::kChannel + 1] = quint8(255 - b);
            const mf::Record r = mf::decode(in.data(), v);
            Payload out{};
            mf::encode(out.data(), 1, kStampTime, r, v);
            QCOMPARE(int(out[mf::kMode]), b & 0x23);
            QCOMPARE(int(out[mf::kInputs]), (b & 0x03) == 0 ? 0xDD : b);
            QCOMPARE(int(out[mf::kChannel]), b);
            QCOMPARE(int(out[mf::kChannel + 1]), 255 - b);
        }
    }
}

void FramesMirrorTest::encodeHoldsValuesToTheirBytes()
{
    mf::Record r;
    r.role = 7;
    r.hour = 300;
    r.minute = -5;
    r.channel = 70000;
    r.speed = -1;
    r.remote = 1000;
    r.modem = -3;
    r.timeOut = 256;
    r.input1.edge = 9;
    Payload p{};
    mf::encode(p.data(), 1, kStampTime, r, Variant::IOD_PS_r20);
    QCOMPARE(int(p[mf::kMode]), 3);
    QCOMPARE(int(p[mf::kHour]), 255);
    QCOMPARE(int(p[mf::kMinute]), 0);
    QCOMPARE(int(p[mf::kChannel]), 0xFF);
    QCOMPARE(int(p[mf::kChannel + 1]), 0xFF);
    QCOMPARE(int(p[mf::kSpeed]), 0);
    QCOMPARE(int(p[mf::kRemote]), 255);
    QCOMPARE(int(p[mf::kModem]), 0);
    QCOMPARE(int(p[mf::kTimeOut]), 255);
    QCOMPARE(int(p[mf::kInputs]) & 0x0C, 0x0C);
    QVERIFY(mf::isCompatibilitySpeed(10) && !mf::isCompatibilitySpeed(8));
}

ORLO_CORE_TEST_MAIN(FramesMirrorTest)
#include "tst_frames_mirror.moc"
