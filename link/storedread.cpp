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
    replacement.clear();
}

void StoredRead::showNextRead(const QByteArray &record, const QByteArray &mask, int first)
{
    replacement = record;
    replacementMask = mask;
    replacementFirst = first;
}

void StoredRead::replaceAnswer(quint8 *payload, bool whole)
{
    if (!whole || replacement.isEmpty())
        return;
    for (int i = 0; i < replacement.size() && i < replacementMask.size(); ++i) {
        const auto mask = quint8(replacementMask[i]);
        quint8 &b = payload[replacementFirst + i];
        b = quint8((b & ~mask) | (quint8(replacement[i]) & mask));
    }
    replacement.clear();
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
