#include "sim/modulequeue.h"

#include "sim/simbench.h"

#include <algorithm>

namespace {

constexpr int kLookMs = 100;
// After a module is pulled, the next one is plugged this much later.
constexpr qint64 kBetweenMs = 1000;

} // namespace

ModuleQueue::ModuleQueue(const QList<std::uint16_t> &productIds, std::function<void(sim::Module &)> prepareEach,
                         QObject *parent, qint64 quietForMs)
    : QObject(parent)
    , queue(productIds)
    , prepare(std::move(prepareEach))
    , quietMs(quietForMs)
{
    plugNext();
    quiet.start();
    connect(&timer, &QTimer::timeout, this, &ModuleQueue::look);
    timer.start(kLookMs);
}

void ModuleQueue::plugNext()
{
    if (queue.isEmpty())
        return;
    current = &sim::Bench::instance().plug(queue.takeFirst());
    ++plugs;
    framesSeen = 0;
    if (prepare)
        prepare(*current);
}

void ModuleQueue::look()
{
    // The link's thread adds to what the module received.
    const std::lock_guard<std::recursive_mutex> lock(sim::busMutex());
    if (!current) {
        if (quiet.elapsed() >= std::min(kBetweenMs, quietMs))
            plugNext();
        if (current)
            quiet.restart();
        return;
    }
    if (current->received.size() != framesSeen) {
        framesSeen = current->received.size();
        quiet.restart();
    } else if (framesSeen > 0 && quiet.elapsed() >= quietMs) {
        sim::Bench::instance().unplug(*current);
        current = nullptr;
        quiet.restart();
    }
}
