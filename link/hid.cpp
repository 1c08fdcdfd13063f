#include "link/hid.h"

#include "link/transport.h"

#include <QTimer>

Hid::Hid(QObject *parent, hid_device **device, QTimer **pollTimer)
    : QObject(parent)
    , timer(new QTimer(this))
    , device(device)
    , pollTimer(pollTimer)
{
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &Hid::InCaseOfTimeout);
}

int Hid::writeReports(quint8 *frame, quint8 count)
{
    // Inside another exchange's wait: refused before its bound is touched.
    if (orlo::exchangeInProgress() || !stored.allows(frame[1]))
        return 0;
    timeoutFlag = false;
    timer->start(kWriteBoundMs);
    const int total = orlo::writeFrame({*device, kWriteBoundMs, timeoutFlag, failed}, frame, count);
    timer->stop();
    return total;
}

int Hid::readReports(quint8 *frame, quint8 count, int mode)
{
    if (orlo::exchangeInProgress())
        return 0;
    const bool pumping = mode == 1;
    // Detection stays paused during the long wait; it resumes only if it ran.
    QTimer *poll = pollTimer ? *pollTimer : nullptr;
    const bool resumePolling = pumping && poll && poll->isActive();
    if (resumePolling)
        poll->stop();
    timeoutFlag = false;
    timer->start(kReadBoundMs);
    const int total = orlo::readFrame({*device, kReadBoundMs, timeoutFlag, failed}, frame, count, pumping);
    timer->stop();
    if (resumePolling)
        poll->start();
    return total;
}

bool Hid::mayConfigure() const
{
    return !orlo::exchangeInProgress() && stored.mayConfigure();
}

bool Hid::takeFailure()
{
    const bool was = failed;
    failed = false;
    return was;
}

void Hid::InCaseOfTimeout()
{
    timeoutFlag = true;
}
