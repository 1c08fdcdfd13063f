// Frames of the single-probe temperature modules: TM (0x0240, 0x0244),
// TM_r20 (0x0314) and TM_868 (0x02AE). Payload offsets (offset 0 is the
// command, or the status byte of an answer). Pure: QtCore only.
#pragma once

#include "link/frames/framebytes.h"

#include <QDateTime>
#include <QtGlobal>
#include <array>

namespace orlo::tm {

constexpr int kReports = 3;        // TM and TM_r20
constexpr int kReports868 = 4;     // TM_868

// Configuration record (write request, and the answer to a read from kFlags on).
constexpr int kCommand = 0;
constexpr int kStamp = 1;               // 8 clock-stamp bytes
constexpr int kFlags = 9;
constexpr int kLowThreshold = 10;       // s16le, 1/128 degC
constexpr int kHighThreshold = 12;      // s16le, 1/128 degC
constexpr int kSendTimes = 14;          // 3 x (minute, hour), BCD
constexpr int kSendTimeSize = 2;
constexpr int kSendTimeMinute = 0;      // within a send time
constexpr int kSendTimeHour = 1;
constexpr int kStatementMinutes = 20;   // plain 0..50
constexpr int kStatementHours = 21;     // plain 0..23
constexpr int kOffset = 22;             // s8, 1/8 or 1/32 degC
// TM_868 Master fields.
constexpr int kChannel = 23;            // u16le
constexpr int kBaudCode = 25;
constexpr int kRemoteAddress = 26;
constexpr int kModemAddress = 27;
// Measurement answer.
constexpr int kRawTemperature = 1;      // u16le

// Flags byte of TM / TM_r20.
constexpr quint8 kPeriodMask = 0x03;    // 0 = 15 min, 1 = 30 min, 2 = 1 h, 3 = 2 h
constexpr quint8 kPeriodicStatement = 0x08;
constexpr quint8 kSendTime1Enabled = 0x10;
constexpr quint8 kSendTime2Enabled = 0x20;
constexpr quint8 kSendTime3Enabled = 0x40;
constexpr quint8 kLifeFrameSecond = 0x80;
// Flags byte of TM_868.
constexpr quint8 kRoleMask = 0x03;      // 0 Slave, 1 Master
constexpr quint8 kRoleMaster = 0x01;
constexpr quint8 kCompatibilityRate = 0x20;
constexpr int kLastNormalBaudCode = 8;

constexpr double kThresholdSteps = 128.0;   // per degC
constexpr int kMaxStatementHours = 23;
constexpr int kMaxStatementMinutes = 50;
constexpr int kStatementMinuteStep = 10;
constexpr int kMaxAddress = 240;

// How a module's probe reads and how fine its offset is.
enum class Probe {
    Offset2073,   // (raw - 2073) / 8 degC, offset in 1/8 degC
    Signed14,     // 14-bit two's complement / 32 degC, offset in 1/32 degC
    Unknown,      // no scaling known: reads 0, offset neither read nor written
};
Probe probeOfTm(int productId);
// Offset steps per degC, 0 for an unknown probe.
int offsetSteps(Probe probe);

struct SendTime {
    bool enabled = false;
    int hour = 0;      // decimal, as decoded (may be anything a module stores)
    int minute = 0;
};

struct Config {
    int periodCode = 0;                  // 0 .. 3
    bool periodic = false;
    bool lifeFrameSecond = true;
    std::array<SendTime, 3> sendTimes{};
    double lowThreshold = 0;             // degC
    double highThreshold = 0;
    int statementHours = 0;              // as stored (0..255)
    int statementMinutes = 0;
    double offset = 0;                   // degC
};

// Where a record of this family keeps its fields and how its thresholds and
// offset count: the single-probe record is one such layout, the other
// temperature records (two probes, temperature and humidity) extend it.
struct ThresholdCodec {
    double (*read)(const quint8 *field);
    void (*write)(quint8 *field, double celsius);   // held to the field
};
struct Layout {
    int flags;
    int lowThreshold;
    int highThreshold;
    int sendTimes;
    int statementMinutes;
    int statementHours;
    int offset;
    ThresholdCodec thresholds;
    int offsetSteps;            // per degC; 0: the offset is neither read nor written
    int maxStatementHours;
    int maxStatementMinutes;
};

// Signed 16-bit thresholds in 1/Steps degC.
template <int Steps>
double signedThreshold(const quint8 *field)
{
    return getS16le(field) / double(Steps);
}
template <int Steps>
void putSignedThreshold(quint8 *field, double celsius)
{
    putS16le(field, truncateTo<qint16>(celsius * Steps));
}

// TM and TM_r20: thresholds in 1/128 degC, the probe's offset unit.
Layout layoutOf(Probe probe);

Config decodeConfig(const quint8 *payload, Probe probe);
Config decodeConfig(const quint8 *payload, const Layout &layout);
// Writes the command, the stamp and every field; the rest is left as it is.
void encodeConfig(quint8 *payload, const Config &config, const QDateTime &now, Probe probe);
void encodeConfig(quint8 *payload, const Config &config, const QDateTime &now, const Layout &layout);

struct Config868 {
    int role = 0;                        // flags & kRoleMask: 0 Slave, 1 Master, 2-3 unknown
    int statementHours = 0;
    int statementMinutes = 0;
    double offset = 0;                   // degC, 1/8 steps
    int channel = 0;
    int baudCode = 0;
    int remoteAddress = 0;
    int modemAddress = 0;
};

constexpr int kOffsetSteps868 = 8;      // TM_868 offset: 1/8 degC
Config868 decodeConfig868(const quint8 *payload, int offsetSteps = kOffsetSteps868);
// Slave: command and stamp only. Master: role, rate flag and the fields.
void encodeConfig868(quint8 *payload, const Config868 &config, const QDateTime &now,
                     int offsetSteps = kOffsetSteps868);

// Live reading.
quint16 rawTemperature(const quint8 *payload);
double celsius(quint16 raw, Probe probe);
// Digits the display needs for t with one decimal and its sign.
int digitCount(double t);

// Combo-box positions of the page (index 0 is "--" where a box has it).
// Sampling period: box index 1..4 <-> code 0..3; index 0 "--".
int periodIndex(int periodCode);
int periodCode(int periodIndex);
// Send-time boxes; an hour or minute the box cannot show gives index 0.
int sendHourIndex(int periodIndex, int hour);
int sendHourAt(int periodIndex, int index);
int sendMinuteIndex(int periodIndex, int minute);
int sendMinuteAt(int periodIndex, int index);
// Statement boxes ("--", "00", ...): index 0 for anything out of range.
int statementHourIndex(int hours, int maxHours = kMaxStatementHours);
int statementMinuteIndex(int minutes, int maxMinutes = kMaxStatementMinutes);

} // namespace orlo::tm
