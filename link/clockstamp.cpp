#include "link/clockstamp.h"

#include "link/bcd.h"

namespace orlo {

namespace {
std::function<QDateTime()> &clockSource()
{
    static std::function<QDateTime()> source;
    return source;
}
} // namespace

QDateTime currentDateTime()
{
    const auto &source = clockSource();
    return source ? source() : QDateTime::currentDateTime();
}

void setClockForTesting(std::function<QDateTime()> clock)
{
    clockSource() = std::move(clock);
}

void putClockStamp(quint8 *afterCommand, const QDateTime &when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    // (year + 48) mod 256 is year - 2000 for 2000..2255 and never negative.
    afterCommand[0] = toBcd((date.year() + 48) % 256);
    afterCommand[1] = 0;
    afterCommand[2] = toBcd(date.day());
    afterCommand[3] = toBcd(date.month());
    afterCommand[4] = toBcd(time.hour());
    afterCommand[5] = toBcd(date.dayOfWeek() - 1);
    afterCommand[6] = toBcd(time.second());
    afterCommand[7] = toBcd(time.minute());
}

} // namespace orlo
