// Frames of the two-probe temperature module TM2D_r10 (0x0324): the
// single-probe record moved along for a second probe's thresholds and
// offset, in 1/16 degC, and an options byte the module sets. Payload
// offsets. Pure: QtCore only.
#pragma once

#include "link/frames/tm_frame.h"

namespace orlo::tm2d {

constexpr int kReports = 5;

// Configuration record beyond the single-probe fields.
constexpr int kLowThreshold2 = 14;      // s16le, 1/16 degC
constexpr int kHighThreshold2 = 16;
constexpr int kOffset2 = 27;            // s8, 1/16 degC
constexpr int kOptions = 28;
// Measurement answer: both probes, s16le in 1/16 degC.
constexpr int kProbe1 = 1;
constexpr int kProbe2 = 3;

// Options byte, set by the module and sent back.
constexpr quint8 kLowUnusedWhenPeriodic = 0x01;  // low thresholds hidden and sent as 0
constexpr quint8 kLoRaWan = 0x40;                // the join mode applies
constexpr quint8 kJoinAbp = 0x80;                // 1 ABP, 0 OTAA

constexpr int kSteps = 16;                       // per degC
constexpr int kMaxStatementHours = 24;
constexpr int kMaxStatementMinutes = 30;
// A second-probe reading at or below this means no second probe is fitted.
constexpr double kNoProbe = -125.0;

// Probe 1 and the schedule where the single-probe record keeps them.
tm::Layout layout();

struct ProbeSettings {
    double lowThreshold = 0;
    double highThreshold = 0;
    double offset = 0;
};

struct Config {
    tm::Config first;       // schedule, and probe 1's thresholds and offset
    ProbeSettings second;
    quint8 options = 0;     // as the module set it, join mode applied
};

Config decodeConfig(const quint8 *payload);
// With kLowUnusedWhenPeriodic and the periodic statement, both low
// thresholds go out as 0 whatever the config holds.
void encodeConfig(quint8 *payload, const Config &config, const QDateTime &now);
bool lowThresholdsUnused(quint8 options, bool periodic);
// The received options with the join mode the page shows (if it shows one).
quint8 optionsWithJoinMode(quint8 received, bool shown, bool abp);

struct Reading {
    qint16 raw1 = 0;
    qint16 raw2 = 0;
};
Reading decodeReading(const quint8 *payload);
double celsius(qint16 raw);
inline bool secondProbeFitted(double celsius2) { return celsius2 > kNoProbe; }

} // namespace orlo::tm2d
