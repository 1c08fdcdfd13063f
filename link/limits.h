// What the pages let the user set, known once for the pages and the record
// tables alike: threshold ranges and gaps, offsets, address ranges, and the
// texts of the lists whose entries are stored as codes.
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>

namespace orlo::limits {

// A pair of thresholds: where it may lie, the page's defaults, the boxes' step.
struct Thresholds {
    double lowMinimum;
    double highMaximum;
    double lowDefault;
    double highDefault;
    double step;
};
constexpr Thresholds kThresholdsTm{-35.0, 120.0, 19.5, 24.5, 0.1};     // TM, TM_r20
constexpr Thresholds kThresholdsTh{-20.0, 70.0, 16.5, 26.5, 0.1};      // TH_r10
constexpr Thresholds kThresholdsTm2d{-55.0, 125.0, 19.5, 24.5, 0.5};   // TM2D_r10
// How close the user may bring the pair.
constexpr double kThresholdGap = 2.0;
constexpr double kThresholdGapAnalog = 0.1;

// Offsets, +/- degC.
constexpr double kOffsetTm = 15.9;
constexpr double kOffsetTm14Bit = 3.9;
constexpr double kOffsetTh = 0.3;
constexpr double kOffsetTm2d = 2.0;

// Meter reading times: hours "00" .. the last, minutes by ten up to the last.
constexpr int kLastReadingHourDI = 23;
constexpr int kLastReadingHour = 24;
constexpr int kLastReadingMinute = 50;
constexpr int kReadingMinuteStep = 10;
constexpr int kLastPeriodMinute = 30;   // DI4_r2x: sub-hour reading periods

// Radio addresses: a module's own, and a peer's where 254 is allowed.
constexpr int kLastAddress = 240;
constexpr int kLastRemoteAddressDI2 = 254;

// The 868 MHz radio widget's rates (codes 1..8), the older Kelo modems'
// (codes 10 and 11), and its last channel.
inline QStringList radioRateTexts()
{
    return {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"),
            QStringLiteral("19200"), QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200")};
}
inline QStringList compatibilityRateTexts()
{
    return {QStringLiteral("19200"), QStringLiteral("9600")};
}
// The repeater's four rates (its Modbus codes).
inline QStringList fourRateTexts()
{
    return {QStringLiteral("1200"), QStringLiteral("4800"), QStringLiteral("19200"), QStringLiteral("57600")};
}
constexpr int kLastRadioChannel = 559;
// The LoRa widget's data rates, by index, and its slow plan's channels.
inline QStringList loRaRateTexts()
{
    return {QStringLiteral("183"), QStringLiteral("335"), QStringLiteral("610"), QStringLiteral("1120"),
            QStringLiteral("2511"), QStringLiteral("4464"), QStringLiteral("9114")};
}
constexpr int kFirstLoRaChannel = 1;
constexpr int kLastLoRaChannel = 29;
// 2511 bps and above use the fast plan, whose channels are these.
constexpr int kFirstFastLoRaRate = 4;
constexpr std::array<int, 12> kFastLoRaPlan{{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 23, 26}};
inline bool isLoRaPlanChannel(int channel, int rateIndex)
{
    if (rateIndex >= kFirstFastLoRaRate)
        return std::binary_search(kFastLoRaPlan.begin(), kFastLoRaPlan.end(), channel);
    return channel >= kFirstLoRaChannel && channel <= kLastLoRaChannel;
}

// Lists stored as their entry's code (the first text is code 0). Records and
// files keep these texts; a page shows each translated (context
// "orlo::limits", orlo::translatedItems) and goes by its index.
inline QStringList periodTexts()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "15 minutes")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "30 minutes")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "1 heure")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "2 heures"))};
}
// The life frame's two buttons: flag clear, flag set.
inline QStringList lifeTextsFrench()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Tous les jours")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Tous les 5 jours"))};
}
inline QStringList lifeTextsEnglish()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Every week")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Every day"))};
}
// The mirror role's operating modes: Slave mirror, Master mirror.
inline QStringList mirrorModeTexts()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Slave mirror")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Master mirror"))};
}
// DA_r20's analog measurement: voltage, current loop.
inline QStringList analogTypeTexts()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Voltage")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Current"))};
}
inline QStringList joinModeTexts()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Join mode : OTAA")),
            QStringLiteral(QT_TRANSLATE_NOOP("orlo::limits", "Join mode : ABP"))};
}

} // namespace orlo::limits
