#include "widgets/widgetexchange.h"

#include "link/modulelink.h"
#include "link/port.h"

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
    return link && !link->busy();
}

void request(ModuleLink &link, Frame &frame, quint8 command, std::function<void(bool whole)> done)
{
    frame.clear();
    frame.payload()[0] = command;
    Frame *const answer = &frame;
    link.exchange(frame.bytes, kReports, kBounds, [answer, done](const Answer &received) {
        std::memcpy(answer->bytes, received.frame, sizeof answer->bytes);
        done(received.whole(kReports));
    });
}

void readStored(ModuleLink &link, Frame &frame, std::function<void(bool whole)> done)
{
    ModuleLink *const module = &link;
    Frame *const answer = &frame;
    request(link, frame, command::ReadConfiguration, [module, answer, done](bool whole) {
        StoredRead &stored = module->storedRead();
        stored.record(whole, StoredRead::now());
        stored.replaceAnswer(answer->payload(), whole);
        done(whole);
    });
}

void restoreDefaults(ModuleLink &link, QTimer *progress, Frame &frame, const WriteCycle &cycle,
                     std::function<void(bool accepted)> done)
{
    frame.clear();
    frame.payload()[0] = command::RestoreDefaults;
    runWriteCycle(link, progress, frame, cycle, std::move(done));
}

void runWriteCycle(ModuleLink &link, QTimer *progress, Frame &frame, const WriteCycle &cycle,
                   std::function<void(bool accepted)> done)
{
    const CycleLink through{[&link](const quint8 *f, int reports, CycleLink::Answered answered) {
                                link.exchange(f, reports, kBounds, std::move(answered));
                            },
                            progress, nullptr, link.cycleObserver};
    orlo::runWriteCycle(through, frame.bytes, frame.bytes, cycle, std::move(done));
}

bool mayConfigure(const ModuleLink *link)
{
    return link && link->mayConfigure();
}

} // namespace orlo::widgetpage
