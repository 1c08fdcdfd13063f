#include "widgets/widgetexchange.h"

#include "link/hid.h"
#include "link/transport.h"

#include <cstring>

namespace orlo::widgetpage {

void Frame::clear()
{
    std::memset(bytes, 0, sizeof bytes);
}

bool mayExchange(const Hid *link)
{
    return link && !exchangeInProgress();
}

bool mayConfigure(const Hid *link)
{
    return link && link->mayConfigure();
}

bool request(Hid &link, Frame &frame, quint8 command, int mode)
{
    frame.clear();
    frame.payload()[0] = command;
    // No answer follows a request the module did not take whole.
    if (link.writeReports(frame.bytes, kReports) != kWholeFrame)
        return false;
    // writeReports left report identifiers in the payload: the answer starts clean.
    frame.clear();
    return link.readReports(frame.bytes, kReports, mode) == kWholeFrame;
}

bool readStored(Hid &link, Frame &frame)
{
    StoredRead &stored = link.storedRead();
    const bool whole = request(link, frame, command::ReadConfiguration, stored.readMode());
    stored.record(whole, StoredRead::now());
    stored.replaceAnswer(frame.payload(), whole);
    return whole;
}

bool restoreDefaults(Hid *link, Frame &frame)
{
    return mayConfigure(link) && request(*link, frame, command::RestoreDefaults);
}

bool runWriteCycle(Hid &link, QTimer *progress, Frame &frame, const WriteCycle &cycle)
{
    const CycleLink through{[&link](quint8 *f, quint8 count) { return link.writeReports(f, count); },
                            [&link](quint8 *f, quint8 count, int mode) { return link.readReports(f, count, mode); },
                            progress, nullptr};
    return orlo::runWriteCycle(through, frame.bytes, frame.bytes, cycle);
}

} // namespace orlo::widgetpage
