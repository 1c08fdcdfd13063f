#include "widgets/widgetexchange.h"

#include "link/modulelink.h"
#include "link/port.h"

#include <QEventLoop>

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
    const bool whole = request(link, frame, command::ReadConfiguration, 0);
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
    QEventLoop loop;
    bool result = false;
    runWriteCycle(link, progress, frame, cycle, [&](bool accepted) {
        result = accepted;
        loop.quit();
    });
    loop.exec();
    return result;
}

} // namespace orlo::widgetpage
