// Configuration frames of the digital-input modules (DI, DI_r2x, DI4_r2x):
// the stored record <-> payload bytes (offset 0 is the command or status).
#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace orlo::di {

// Frame lengths in reports.
constexpr int kReportsDI = 2;
constexpr int kReportsR2x = 3;

// Payload offsets.
constexpr int kCommand = 0;
constexpr int kStamp = 1;           // 8 bytes of clock stamp
constexpr int kFlags = 9;
constexpr int kInputs = 10;
constexpr int kMinute = 11;         // reading minute, plain value
constexpr int kHour = 12;           // reading hour, plain value
constexpr int kCounter1 = 13;       // last stored counters, u32 little-endian (r2x only)
constexpr int kCounter2 = 17;

// Flags byte.
constexpr quint8 kFlagKeepAlive = 0x80;     // DI: every 5 days; r2x: "Every day"
constexpr quint8 kFlagCableBreak = 0x40;
constexpr quint8 kFlagRadioVariant = 0x38;  // DI4_r2x: reported by the module only
constexpr quint8 kFlagJoinMode = 0x04;      // DI4_r2x: a LoRaWAN join mode exists
constexpr quint8 kFlagRadioBit0 = 0x01;     // DI4_r2x: ABP (with join mode) or local radio on

// Inputs byte, DI and DI_r2x: input 1 in the low nibble, input 2 in the high one.
constexpr quint8 kInUse = 0x01;
constexpr quint8 kCounterMode = 0x02;
constexpr int kEdgeShift = 2;               // 2-bit edge code above the two flags
constexpr quint8 kEdgeMask = 0x03;
constexpr int kInput2Shift = 4;
constexpr quint8 kInputBits = 0x0F;           // one input's nibble

// One input's fields in the inputs byte, as masks.
struct InputMasks {
    quint8 inUse;
    quint8 counter;
    quint8 edge;
};
constexpr InputMasks kInput1Masks{kInUse, kCounterMode, quint8(kEdgeMask << kEdgeShift)};
constexpr InputMasks kInput2Masks{quint8(kInUse << kInput2Shift), quint8(kCounterMode << kInput2Shift),
                                  quint8(kEdgeMask << (kEdgeShift + kInput2Shift))};

// Inputs byte, DI4_r2x.
constexpr quint8 kCounter1InUse = 0x01;
constexpr quint8 kInput3InUse = 0x02;
constexpr int kEdge3Shift = 2;
constexpr quint8 kCounter2InUse = 0x10;
constexpr quint8 kInput4InUse = 0x20;
constexpr int kEdge4Shift = 6;
constexpr quint8 kEdge3Bits = quint8(kEdgeMask << kEdge3Shift);
constexpr quint8 kEdge4Bits = quint8(kEdgeMask << kEdge4Shift);

// Edge codes of an input: the two bits of its edge field.
enum Edge : int { kEdgeNone = 0, kEdgeRising = 1, kEdgeFalling = 2, kEdgeBoth = 3 };

struct Input {
    bool inUse = false;
    bool counter = false;   // false: digital input
    int edge = kEdgeNone;
};

// DI and DI_r2x.
struct Record {
    bool keepAliveBit = false;  // flags bit 7
    bool cableBreak = false;
    Input input1;
    Input input2;
    int minute = 0;
    int hour = 0;
    quint32 counter1 = 0;       // r2x only; never written
    quint32 counter2 = 0;
};

// DI4_r2x: counters on inputs 1 and 2, digital inputs 3 and 4.
struct Record4 {
    bool keepAliveBit = false;
    bool cableBreak = false;
    int radioVariant = 0;       // flags bits 3-5, 0..7
    bool joinMode = false;      // flags bit 2
    bool radioBit0 = false;     // flags bit 0
    bool counter1InUse = false;
    bool counter2InUse = false;
    bool input3InUse = false;
    bool input4InUse = false;
    int edge3 = kEdgeNone;
    int edge4 = kEdgeNone;
    int minute = 0;
    int hour = 0;
    quint32 counter1 = 0;
    quint32 counter2 = 0;
};

// One input's nibble of the inputs byte (DI, DI_r2x and the mirror modules).
Input decodeInput(quint8 nibble);
quint8 encodeInput(const Input &input);

// Decoders read the answer to the read command; withCounters on r2x frames.
Record decode(const quint8 *payload, bool withCounters);
Record4 decode4(const quint8 *payload);

// Encoders write offsets 0..12 (command, clock stamp, flags, inputs, minute,
// hour) and leave every other byte as it is (the caller cleared the frame).
void encode(quint8 *payload, quint8 command, const QDateTime &stamp, const Record &record);
void encode4(quint8 *payload, quint8 command, const QDateTime &stamp, const Record4 &record);

} // namespace orlo::di
