#include "link/moduletable.h"
#include "link/port.h"
#include "link/writecycle.h"

#include <QByteArray>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstring>
#include <iterator>

namespace orlo {

void exchangeCycle(const CycleLink &link, const quint8 *tx, quint8 *rx, const CycleRun &run,
                   std::function<void(bool accepted)> done)
{
    // No detection tick and no measurement exchange may start inside the cycle.
    if (link.pollTimer)
        link.pollTimer->stop();
    // Only the page timers that were running resume: a one-shot timer that
    // already fired stays quiet.
    QTimer *const pageTimers[] = {run.measurementTimer, run.informationTimer};
    // Held weakly: a page's timers go with the page.
    std::array<QPointer<QTimer>, std::size(pageTimers)> resume{};
    for (std::size_t i = 0; i < std::size(pageTimers); ++i) {
        if (pageTimers[i] && pageTimers[i]->isActive())
            resume[i] = pageTimers[i];
        if (pageTimers[i])
            pageTimers[i]->stop();
    }
    // Held weakly too: a page taken down meanwhile takes its timers along.
    const QPointer<QTimer> progress = link.progressTimer;
    const QPointer<QTimer> poll = link.pollTimer;
    const auto finish = [resume, poll, done](bool accepted) {
        for (const QPointer<QTimer> &timer : resume)
            if (timer)
                timer->start();
        if (poll)
            poll->start();
        if (done)
            done(accepted);
    };
    // What was sent is kept apart: the answer may land in the same buffer.
    const QByteArray sent(reinterpret_cast<const char *>(tx + 1), kFrameBufferSize - 1);
    if (progress)
        progress->start(run.progressIntervalMs);
    link.exchange(tx, run.reports, [link, progress, rx, run, sent, finish](const Answer &answer) {
        if (progress)
            progress->stop();
        // A send that did not go whole has no answer: what the buffer held never passes for one.
        std::memcpy(rx, answer.frame, kFrameBufferSize);
        const bool accepted = answer.whole(run.reports) && answer.payload()[0] == 0;
        if (!link.observer)
            return finish(accepted);
        // The observer may read back through the link, with the timers it still has.
        CycleLink still = link;
        still.progressTimer = progress.data();
        still.pollTimer = nullptr;
        CycleRun ran = run;
        ran.measurementTimer = ran.informationTimer = nullptr;
        link.observer->finished(still, reinterpret_cast<const quint8 *>(sent.constData()), ran, accepted, finish);
    });
}

void noteRefused(CycleObserver *observer, const QStringList &lines)
{
    if (observer)
        observer->refused(lines);
}

} // namespace orlo
