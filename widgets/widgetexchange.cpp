#include "widgets/widgetexchange.h"

#include "link/hid.h"

#include <cstring>

namespace orlo::widgetpage {

void Frame::clear()
{
    std::memset(bytes, 0, sizeof bytes);
}

bool request(Hid &link, Frame &frame, quint8 command)
{
    frame.clear();
    frame.payload()[0] = command;
    // No answer follows a request the module did not take whole.
    if (link.writeReports(frame.bytes, kReports) != kWholeFrame)
        return false;
    // writeReports left report identifiers in the payload: the answer starts clean.
    frame.clear();
    return link.readReports(frame.bytes, kReports, 0) == kWholeFrame;
}

bool runWriteCycle(Hid &link, QTimer *progress, Frame &frame, const WriteCycle &cycle)
{
    const CycleLink through{[&link](quint8 *f, quint8 count) { return link.writeReports(f, count); },
                            [&link](quint8 *f, quint8 count, int mode) { return link.readReports(f, count, mode); },
                            progress, nullptr};
    return orlo::runWriteCycle(through, frame.bytes, frame.bytes, cycle);
}

} // namespace orlo::widgetpage
