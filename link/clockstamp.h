// The computer's date and time as stamped into every configuration frame.
#pragma once

#include <QDateTime>
#include <functional>

namespace orlo {

// The local date and time now; tests may replace the source.
QDateTime currentDateTime();
void setClockForTesting(std::function<QDateTime()> clock);

// The 8 stamp bytes that follow the command: year - 2000, 0, day, month,
// hour, day of week (Monday = 0), second, minute, each packed BCD.
constexpr int kClockStampSize = 8;
void putClockStamp(quint8 *afterCommand, const QDateTime &when);

} // namespace orlo
