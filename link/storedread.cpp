#include "link/storedread.h"

#include "link/moduletable.h"

#include <QElapsedTimer>

namespace orlo {

void StoredRead::expect()
{
    state = State::Expected;
}

void StoredRead::forget()
{
    state = State::Free;
    replacement = nullptr;
    answer.clear();
    fromFile = false;
}

void StoredRead::showNextRead(Fill fill)
{
    replacement = std::move(fill);
}

void StoredRead::replaceAnswer(quint8 *payload, bool whole)
{
    if (!whole)
        return;
    answer = QByteArray(reinterpret_cast<const char *>(payload), kFrameBufferSize - 1);
    const Fill fill = std::move(replacement);
    replacement = nullptr;
    fromFile = fill && fill(payload);
}

void StoredRead::record(bool whole, qint64 nowMs)
{
    if (whole) {
        state = State::Read;
        return;
    }
    if (state != State::Failed)
        firstFailureMs = nowMs;
    state = State::Failed;
    lastAttemptMs = nowMs;
}

bool StoredRead::allows(quint8 command) const
{
    switch (command) {
    case command::WriteConfiguration:
    case command::WriteAndClearCounters:
    case command::RestoreDefaults:
        return mayConfigure();
    default:
        return true;
    }
}

bool StoredRead::retryDue(qint64 nowMs) const
{
    if (state != State::Failed)
        return false;
    const bool patient = lastAttemptMs - firstFailureMs >= kQuickRetriesForMs;
    return nowMs - lastAttemptMs >= (patient ? kPatientRetryMs : kRetryMs);
}

qint64 StoredRead::now()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock.elapsed();
}

} // namespace orlo
