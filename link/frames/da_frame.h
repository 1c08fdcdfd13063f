// Frames of the digital-and-analog modules: DA (0x0222 4-20 mA, 0x0235
// 0-10 V) and DA_r20 (0x0293, analog type in the record). Payload offsets
// (offset 0 is the command, or the status byte of an answer). Pure: QtCore only.
#pragma once

#include "link/frames/tm_frame.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

namespace orlo::da {

constexpr int kReports = 5;

// Configuration record.
constexpr int kCommand = 0;
constexpr int kStamp = 1;               // 8 clock-stamp bytes
constexpr int kConfig = 9;
constexpr int kInputs = 10;
constexpr int kThresholdLow = 11;       // u16le, raw count
constexpr int kThresholdHigh = 13;      // u16le, raw count
constexpr int kSendTimes = 15;          // 3 x (minute, hour), BCD
constexpr int kSendTimeSize = 2;
constexpr int kSendTimeMinute = 0;      // within a send time
constexpr int kSendTimeHour = 1;
constexpr int kReadingMinutes = 21;     // plain 0, 10 .. 50
constexpr int kReadingHours = 22;       // plain 0 .. 23
constexpr int kOffset = 23;             // s16le, raw count
constexpr int kY1 = 25;                 // s16le, tenths of the unit
constexpr int kY2 = 27;                 // s16le, tenths of the unit
constexpr int kUnit = 29;               // Latin-1, NUL-terminated
constexpr int kUnitLetters = 4;         // at most, the NUL follows inside the record
// Measurement answer.
constexpr int kLiveRaw = 1;             // u16le, raw count

// Config byte.
constexpr quint8 kPeriodMask = 0x03;    // 0 = 15 min, 1 = 30 min, 2 = 1 h, 3 = 2 h
constexpr quint8 kCurrentLoop = 0x04;   // DA_r20: 4-20 mA (else 0-10 V)
constexpr quint8 kPeriodicReading = 0x08;
constexpr quint8 kSendTime1InUse = 0x10;
constexpr quint8 kSendTime2InUse = 0x20;
constexpr quint8 kSendTime3InUse = 0x40;
constexpr quint8 kKeepAlive5Days = 0x80; // DA: keep-alive every 5 days (else daily)

// Inputs byte (DA): input 1 in the low nibble, input 2 in the high one.
constexpr quint8 kInputInUse = 0x01;
constexpr int kEdgeShift = 2;
constexpr quint8 kEdgeMask = 0x03;
constexpr int kInput2Shift = 4;
constexpr quint8 kInputBits = 0x0F;    // one input's nibble
constexpr quint8 kInputsR20 = 0xDD;     // DA_r20 has no digital inputs
// The same bits in place, per input.
constexpr quint8 kInput1InUse = kInputInUse;
constexpr quint8 kInput1Edge = quint8(kEdgeMask << kEdgeShift);
constexpr quint8 kInput2InUse = quint8(kInput1InUse << kInput2Shift);
constexpr quint8 kInput2Edge = quint8(kInput1Edge << kInput2Shift);
constexpr int kEdgeNone = 0;
constexpr int kEdgeBoth = 3;

constexpr int kSendTimeCount = 3;
constexpr int kMaxReadingHours = 23;
constexpr int kMaxReadingMinutes = 50;

enum class Variant { DA, DA_r20 };
enum class Analog { Current, Voltage, None };

// Raw counts of the module's converter: at the bottom of the range (4 mA or
// 0 V), and from the bottom to the top (20 mA or 10 V).
struct Scaling {
    int zero = 0;
    int span = 0;
};
Scaling scalingOf(Analog analog);
Analog analogOfProduct(int productId);

// Two-point calibration in the user's unit: Y1 at the bottom, Y2 at the top.
struct Calibration {
    double y1 = 0;
    double y2 = 0;
};

struct SendTime {
    bool inUse = false;
    int hour = 0;       // decimal, as decoded
    int minute = 0;
};

struct Input {
    bool inUse = false;
    int edge = kEdgeNone;
};

// The record as stored: raw counts, not yet scaled.
struct Record {
    int periodCode = 0;
    bool current = false;       // DA_r20 analog type
    bool periodic = false;
    bool keepAlive5Days = false;
    std::array<SendTime, kSendTimeCount> sendTimes{};
    Input input1;
    Input input2;
    quint16 lowRaw = 0;
    quint16 highRaw = 0;
    int readingHours = 0;
    int readingMinutes = 0;
    qint16 offsetRaw = 0;
    qint16 y1Tenths = 0;
    qint16 y2Tenths = 0;
    QString unit;
};

Record decode(const quint8 *payload);
// Writes command 1, the stamp and every field; the rest is left as it is
// (the caller cleared the frame). DA_r20 writes its own inputs byte and
// keeps bit 7 clear; DA keeps bit 2 clear.
void encode(quint8 *payload, const QDateTime &now, const Record &record, Variant variant);

// Scaling: value = Y1 + (raw - zero) x (Y2 - Y1) / span; no span gives Y1.
Calibration calibrationOf(const Record &record);
double valueOf(int raw, const Calibration &c, const Scaling &s);
double offsetValueOf(int raw, const Calibration &c, const Scaling &s);
double resolution(const Calibration &c, const Scaling &s);
// The offset a signed 16-bit count can hold, in the user's unit.
double offsetLimit(const Calibration &c, const Scaling &s);
// A calibration with Y1 = Y2 has no span and cannot be encoded.
bool hasSpan(const Calibration &c);
// Encoders on the decoder's span Y2 - Y1, each held to its field's range;
// without a span they give the zero count and no offset (the page refuses
// such a calibration before).
quint16 thresholdRaw(double value, const Calibration &c, const Scaling &s);
qint16 offsetRaw(double value, const Calibration &c, const Scaling &s);
qint16 tenths(double y);

// Live reading.
quint16 liveRaw(const quint8 *payload);
// Digits the display needs: one more for a minus sign.
int digitCount(double value);

// The sending-time and periodic-reading lists are those of the temperature
// modules: the same positions, the same rules.
using tm::periodCode;
using tm::periodIndex;
using tm::sendHourAt;
using tm::sendHourIndex;
using tm::sendMinuteAt;
using tm::sendMinuteIndex;
using tm::statementHourIndex;
using tm::statementMinuteIndex;

// Trace lines: the stored record as read, and the four words of a write.
QStringList readTrace(const quint8 *payload);
QStringList writeTrace(const quint8 *payload);

} // namespace orlo::da
