// Digital-input frame codecs: every field and bit of the record, both ways.
#include "link/frames/di_frame.h"
#include "link/moduletable.h"
#include "support/coreapp.h"

#include <QtTest>
#include <array>

namespace di = orlo::di;

namespace {

using Payload = std::array<quint8, 40>;

Payload withBytes(quint8 flags, quint8 inputs, quint8 minute = 0, quint8 hour = 0)
{
    Payload p{};
    p[di::kFlags] = flags;
    p[di::kInputs] = inputs;
    p[di::kMinute] = minute;
    p[di::kHour] = hour;
    return p;
}

const QDateTime kStampTime(QDate(2026, 12, 7), QTime(4, 5, 9));
const quint8 kStampBytes[8] = {0x26, 0x00, 0x07, 0x12, 0x04, 0x00, 0x09, 0x05};

} // namespace

class FramesDiTest : public QObject
{
    Q_OBJECT

private slots:
    void decodeInputsByte_data();
    void decodeInputsByte();
    void decodeFlags_data();
    void decodeFlags();
    void decodeInputsByteFour_data();
    void decodeInputsByteFour();
    void decodeFlagsFour_data();
    void decodeFlagsFour();
    void countersLittleEndian();
    void roundTripEveryInputsByte();
    void roundTripEveryFlagsByte();
    void encodeWritesOnlyItsFields();
    void encodeHoldsOutOfRangeValues();
};

void FramesDiTest::decodeInputsByte_data()
{
    QTest::addColumn<int>("inputs");
    QTest::addColumn<bool>("use1");
    QTest::addColumn<bool>("counter1");
    QTest::addColumn<int>("edge1");
    QTest::addColumn<bool>("use2");
    QTest::addColumn<bool>("counter2");
    QTest::addColumn<int>("edge2");
    QTest::newRow("0x00") << 0x00 << false << false << 0 << false << false << 0;
    QTest::newRow("bit 0") << 0x01 << true << false << 0 << false << false << 0;
    QTest::newRow("bit 1") << 0x02 << false << true << 0 << false << false << 0;
    QTest::newRow("bit 2") << 0x04 << false << false << 1 << false << false << 0;
    QTest::newRow("bit 3") << 0x08 << false << false << 2 << false << false << 0;
    QTest::newRow("bit 4") << 0x10 << false << false << 0 << true << false << 0;
    QTest::newRow("bit 5") << 0x20 << false << false << 0 << false << true << 0;
    QTest::newRow("bit 6") << 0x40 << false << false << 0 << false << false << 1;
    QTest::newRow("bit 7") << 0x80 << false << false << 0 << false << false << 2;
    QTest::newRow("0xFF") << 0xFF << true << true << 3 << true << true << 3;
    QTest::newRow("0x9C") << 0x9C << false << false << 3 << true << false << 2;
}

void FramesDiTest::decodeInputsByte()
{
    QFETCH(int, inputs);
    for (bool withCounters : {false, true}) {
        const Payload p = withBytes(0, quint8(inputs));
        const di::Record r = di::decode(p.data(), withCounters);
        QTEST(r.input1.inUse, "use1");
        QTEST(r.input1.counter, "counter1");
        QTEST(r.input1.edge, "edge1");
        QTEST(r.input2.inUse, "use2");
        QTEST(r.input2.counter, "counter2");
        QTEST(r.input2.edge, "edge2");
        QCOMPARE(r.keepAliveBit, false);
        QCOMPARE(r.cableBreak, false);
    }
}

void FramesDiTest::decodeFlags_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("keepAlive");
    QTest::addColumn<bool>("cableBreak");
    QTest::newRow("0x00") << 0x00 << false << false;
    QTest::newRow("bit 7") << 0x80 << true << false;
    QTest::newRow("bit 6") << 0x40 << false << true;
    QTest::newRow("other bits ignored") << 0x3F << false << false;
    QTest::newRow("0xFF") << 0xFF << true << true;
}

void FramesDiTest::decodeFlags()
{
    QFETCH(int, flags);
    const Payload p = withBytes(quint8(flags), 0, 0x32, 0xFF);
    const di::Record r = di::decode(p.data(), false);
    QTEST(r.keepAliveBit, "keepAlive");
    QTEST(r.cableBreak, "cableBreak");
    QCOMPARE(r.minute, 0x32);
    QCOMPARE(r.hour, 0xFF);
}

void FramesDiTest::decodeInputsByteFour_data()
{
    QTest::addColumn<int>("inputs");
    QTest::addColumn<bool>("counter1");
    QTest::addColumn<bool>("input3");
    QTest::addColumn<int>("edge3");
    QTest::addColumn<bool>("counter2");
    QTest::addColumn<bool>("input4");
    QTest::addColumn<int>("edge4");
    QTest::newRow("0x00") << 0x00 << false << false << 0 << false << false << 0;
    QTest::newRow("bit 0") << 0x01 << true << false << 0 << false << false << 0;
    QTest::newRow("bit 1") << 0x02 << false << true << 0 << false << false << 0;
    QTest::newRow("bit 2") << 0x04 << false << false << 1 << false << false << 0;
    QTest::newRow("bit 3") << 0x08 << false << false << 2 << false << false << 0;
    QTest::newRow("bit 4") << 0x10 << false << false << 0 << true << false << 0;
    QTest::newRow("bit 5") << 0x20 << false << false << 0 << false << true << 0;
    QTest::newRow("bit 6") << 0x40 << false << false << 0 << false << false << 1;
    QTest::newRow("bit 7") << 0x80 << false << false << 0 << false << false << 2;
    QTest::newRow("0xFF") << 0xFF << true << true << 3 << true << true << 3;
}

void FramesDiTest::decodeInputsByteFour()
{
    QFETCH(int, inputs);
    const Payload p = withBytes(0, quint8(inputs));
    const di::Record4 r = di::decode4(p.data());
    QTEST(r.counter1InUse, "counter1");
    QTEST(r.input3InUse, "input3");
    QTEST(r.edge3, "edge3");
    QTEST(r.counter2InUse, "counter2");
    QTEST(r.input4InUse, "input4");
    QTEST(r.edge4, "edge4");
}

void FramesDiTest::decodeFlagsFour_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("keepAlive");
    QTest::addColumn<bool>("cableBreak");
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("joinMode");
    QTest::addColumn<bool>("bit0");
    QTest::newRow("0x00") << 0x00 << false << false << 0 << false << false;
    QTest::newRow("bit 0") << 0x01 << false << false << 0 << false << true;
    QTest::newRow("bit 1 ignored") << 0x02 << false << false << 0 << false << false;
    QTest::newRow("bit 2") << 0x04 << false << false << 0 << true << false;
    QTest::newRow("bit 3") << 0x08 << false << false << 1 << false << false;
    QTest::newRow("bit 4") << 0x10 << false << false << 2 << false << false;
    QTest::newRow("bit 5") << 0x20 << false << false << 4 << false << false;
    QTest::newRow("bit 6") << 0x40 << false << true << 0 << false << false;
    QTest::newRow("bit 7") << 0x80 << true << false << 0 << false << false;
    QTest::newRow("0xFF") << 0xFF << true << true << 7 << true << true;
}

void FramesDiTest::decodeFlagsFour()
{
    QFETCH(int, flags);
    const Payload p = withBytes(quint8(flags), 0);
    const di::Record4 r = di::decode4(p.data());
    QTEST(r.keepAliveBit, "keepAlive");
    QTEST(r.cableBreak, "cableBreak");
    QTEST(r.radioVariant, "variant");
    QTEST(r.joinMode, "joinMode");
    QTEST(r.radioBit0, "bit0");
}

void FramesDiTest::countersLittleEndian()
{
    Payload p{};
    for (int i = 0; i < 4; ++i) {
        p[std::size_t(di::kCounter1 + i)] = 0xFF;
        p[std::size_t(di::kCounter2 + i)] = quint8(0x01 + i);  // 0x04030201
    }
    const di::Record r = di::decode(p.data(), true);
    QCOMPARE(r.counter1, 0xFFFFFFFFu);
    QCOMPARE(r.counter2, 0x04030201u);
    const di::Record4 r4 = di::decode4(p.data());
    QCOMPARE(r4.counter1, 0xFFFFFFFFu);
    QCOMPARE(r4.counter2, 0x04030201u);
    // The two-report frame has no counters.
    const di::Record plain = di::decode(p.data(), false);
    QCOMPARE(plain.counter1, 0u);
    QCOMPARE(plain.counter2, 0u);
    Payload zero{};
    QCOMPARE(di::decode(zero.data(), true).counter1, 0u);
}

void FramesDiTest::roundTripEveryInputsByte()
{
    for (int inputs = 0; inputs <= 0xFF; ++inputs) {
        for (int hour : {0, 23, 24, 0xFF}) {
            const Payload in = withBytes(0, quint8(inputs), quint8(inputs), quint8(hour));
            Payload out{};
            di::encode(out.data(), orlo::command::WriteConfiguration, kStampTime, di::decode(in.data(), true));
            QCOMPARE(int(out[di::kInputs]), inputs);
            QCOMPARE(int(out[di::kMinute]), inputs);
            QCOMPARE(int(out[di::kHour]), hour);
            Payload out4{};
            di::encode4(out4.data(), orlo::command::WriteConfiguration, kStampTime, di::decode4(in.data()));
            QCOMPARE(int(out4[di::kInputs]), inputs);
            QCOMPARE(int(out4[di::kMinute]), inputs);
            QCOMPARE(int(out4[di::kHour]), hour);
        }
    }
}

void FramesDiTest::roundTripEveryFlagsByte()
{
    for (int flags = 0; flags <= 0xFF; ++flags) {
        const Payload in = withBytes(quint8(flags), 0);
        Payload out{};
        di::encode(out.data(), orlo::command::WriteConfiguration, kStampTime, di::decode(in.data(), false));
        // Only bits 7 and 6 exist on the two-input modules.
        QCOMPARE(int(out[di::kFlags]), flags & 0xC0);
        Payload out4{};
        di::encode4(out4.data(), orlo::command::WriteConfiguration, kStampTime, di::decode4(in.data()));
        // Bit 1 is not a field of the four-input module either.
        QCOMPARE(int(out4[di::kFlags]), flags & 0xFD);
    }
}

void FramesDiTest::encodeWritesOnlyItsFields()
{
    for (quint8 command : {orlo::command::WriteConfiguration, orlo::command::WriteAndClearCounters}) {
        Payload out;
        out.fill(0xAA);
        di::Record r;
        r.keepAliveBit = true;
        r.input1 = {true, false, 1};
        r.input2 = {true, true, 2};
        r.minute = 50;
        r.hour = 23;
        r.counter1 = 0x12345678;  // shown only, never sent
        di::encode(out.data(), command, kStampTime, r);
        QCOMPARE(int(out[di::kCommand]), int(command));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(int(out[std::size_t(di::kStamp + i)]), int(kStampBytes[i]));
        QCOMPARE(int(out[di::kFlags]), 0x80);
        QCOMPARE(int(out[di::kInputs]), 0xB5);
        QCOMPARE(int(out[di::kMinute]), 50);
        QCOMPARE(int(out[di::kHour]), 23);
        for (std::size_t i = di::kHour + 1; i < out.size(); ++i)
            QCOMPARE(int(out[i]), 0xAA);

        out.fill(0xAA);
        di::Record4 r4;
        r4.cableBreak = true;
        r4.radioVariant = 5;
        r4.joinMode = true;
        r4.radioBit0 = true;
        r4.counter2InUse = true;
        r4.edge4 = 3;
        r4.minute = 20;
        r4.hour = 0;
        di::encode4(out.data(), command, kStampTime, r4);
        QCOMPARE(int(out[di::kCommand]), int(command));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(int(out[std::size_t(di::kStamp + i)]), int(kStampBytes[i]));
        QCOMPARE(int(out[di::kFlags]), 0x40 | 0x28 | 0x04 | 0x01);
        QCOMPARE(int(out[di::kInputs]), 0xD0);
        QCOMPARE(int(out[di::kMinute]), 20);
        QCOMPARE(int(out[di::kHour]), 0);
        for (std::size_t i = di::kHour + 1; i < out.size(); ++i)
            QCOMPARE(int(out[i]), 0xAA);
    }
}

void FramesDiTest::encodeHoldsOutOfRangeValues()
{
    di::Record r;
    r.input1.edge = 7;
    r.input2.edge = -1;
    r.minute = 300;
    r.hour = -5;
    Payload out{};
    di::encode(out.data(), orlo::command::WriteConfiguration, kStampTime, r);
    QCOMPARE(int(out[di::kInputs]), 0x0C);
    QCOMPARE(int(out[di::kMinute]), 0xFF);
    QCOMPARE(int(out[di::kHour]), 0x00);

    di::Record4 r4;
    r4.radioVariant = 9;
    r4.edge3 = 4;
    r4.edge4 = -2;
    out = {};
    di::encode4(out.data(), orlo::command::WriteConfiguration, kStampTime, r4);
    QCOMPARE(int(out[di::kFlags]), 0x38);
    QCOMPARE(int(out[di::kInputs]), 0x0C);
}

ORLO_CORE_TEST_MAIN(FramesDiTest)
#include "tst_frames_di.moc"
