// Frames of the temperature and humidity modules TH_r10 (0x02A9) and TH_868
// (0x027C): the single-probe records with the sensor's counts for the
// thresholds and an offset in 1/373 degC. Payload offsets. Pure: QtCore only.
#pragma once

#include "link/frames/tm_frame.h"

namespace orlo::th {

constexpr int kReports = 3;         // TH_r10
constexpr int kReports868 = 4;      // TH_868
constexpr int kOffsetSteps = 373;   // per degC, both variants

// Measurement answer.
constexpr int kTemperatureCount = 1;    // u16le
constexpr int kHumidityCount = 3;       // u16le

// The sensor's counts: temperature = 175.72 * count / 65536 - 46.85 degC,
// humidity = 125 * count / 65536 - 6 %RH.
double celsiusOfCount(quint16 count);
// Truncated toward zero and held to 0 .. 65535; a decoded count comes back whole.
quint16 countOfCelsius(double celsius);
double humidityOfCount(quint16 count);

// Thresholds as unsigned 16-bit little-endian counts.
double countThreshold(const quint8 *field);
void putCountThreshold(quint8 *field, double celsius);

// The TM_r20 record with counts and the 1/373 degC offset.
tm::Layout layout();

struct Reading {
    double celsius = 0;
    double humidity = 0;
};
Reading decodeReading(const quint8 *payload);
// A module without a humidity sensor answers a count below zero %RH.
inline bool humiditySensed(double humidity) { return humidity >= 0; }
// Digits a display needs: 4 below 10 in size, else 5; one more below zero.
int digitCount(double value);

} // namespace orlo::th
