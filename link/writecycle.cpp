#include "link/moduletable.h"
#include "link/transport.h"
#include "link/writecycle.h"

#include <QTimer>
#include <cstring>
#include <iterator>

namespace orlo {

bool exchangeCycle(const CycleLink &link, quint8 *tx, quint8 *rx, const CycleRun &run)
{
    // The answer may land in the same buffer: what was sent is kept apart.
    quint8 sent[kFrameBufferSize];
    std::memcpy(sent, tx, sizeof sent);
    const int expected = kReportSize * run.reports;
    // No detection tick and no measurement exchange may start inside the cycle.
    if (link.pollTimer)
        link.pollTimer->stop();
    // Only the page timers that were running resume: a one-shot timer that
    // already fired stays quiet.
    QTimer *const pageTimers[] = {run.measurementTimer, run.informationTimer};
    bool resume[std::size(pageTimers)] = {};
    for (std::size_t i = 0; i < std::size(pageTimers); ++i) {
        resume[i] = pageTimers[i] && pageTimers[i]->isActive();
        if (pageTimers[i])
            pageTimers[i]->stop();
    }

    int total = link.write(tx, quint8(run.reports));
    if (link.progressTimer)
        link.progressTimer->start(run.progressIntervalMs);
    if (total == expected) {
        // What the send left in the buffer never passes for the answer.
        if (rx == tx)
            std::memset(rx, 0, kFrameBufferSize);
        total = link.read(rx, quint8(run.reports), 1);
    }
    if (link.progressTimer)
        link.progressTimer->stop();
    bool accepted = total == expected && rx[1] == 0;
    if (link.observer)
        accepted = link.observer->finished(link, sent + 1, run, accepted);
    for (std::size_t i = 0; i < std::size(pageTimers); ++i)
        if (resume[i])
            pageTimers[i]->start();
    if (link.pollTimer)
        link.pollTimer->start();
    return accepted;
}

void noteRefused(CycleObserver *observer, const QStringList &lines)
{
    if (observer)
        observer->refused(lines);
}

} // namespace orlo
