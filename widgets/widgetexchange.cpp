#include "widgets/widgetexchange.h"

#include "link/modulelink.h"
#include "link/transport.h"

#include <cstring>

namespace orlo::widgetpage {

namespace {
constexpr ModuleLink::Bounds kBounds = ModuleLink::kWidgetPageBounds;
} // namespace

void Frame::clear()
{
    std::memset(bytes, 0, sizeof bytes);
}

bool mayExchange(const ModuleLink *link)
{
    return link && !exchangeInProgress();
}

bool mayConfigure(const ModuleLink *link)
{
    return link && link->mayConfigure();
}

bool request(ModuleLink &link, Frame &frame, quint8 command, int mode)
{
    frame.clear();
    frame.payload()[0] = command;
    // No answer follows a request the module did not take whole.
    if (link.writeReports(frame.bytes, kReports, kBounds) != kWholeFrame)
        return false;
    // writeReports left report identifiers in the payload: the answer starts clean.
    frame.clear();
    return link.readReports(frame.bytes, kReports, mode, kBounds) == kWholeFrame;
}

bool readStored(ModuleLink &link, Frame &frame)
{
    StoredRead &stored = link.storedRead();
    const bool whole = request(link, frame, command::ReadConfiguration, stored.readMode());
    stored.record(whole, StoredRead::now());
    stored.replaceAnswer(frame.payload(), whole);
    return whole;
}

bool restoreDefaults(ModuleLink &link, QTimer *progress, Frame &frame, const WriteCycle &cycle)
{
    frame.clear();
    frame.payload()[0] = command::RestoreDefaults;
    return runWriteCycle(link, progress, frame, cycle);
}

bool runWriteCycle(ModuleLink &link, QTimer *progress, Frame &frame, const WriteCycle &cycle)
{
    const CycleLink through{[&link](quint8 *f, quint8 count) { return link.writeReports(f, count, kBounds); },
                            [&link](quint8 *f, quint8 count, int mode) { return link.readReports(f, count, mode, kBounds); },
                            progress, nullptr, link.cycleObserver};
    return orlo::runWriteCycle(through, frame.bytes, frame.bytes, cycle);
}

} // namespace orlo::widgetpage
