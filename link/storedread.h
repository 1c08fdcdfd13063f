// Whether the open module's stored configuration was read whole. Until it
// was, the link sends the module no configuration (a Write would replace
// what it stores with values nobody saw), and detection reads it again.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <functional>

namespace orlo {

class StoredRead
{
public:
    // A glitch heals at the next try; a module silent for a minute is asked
    // less often, so that a long bound does not keep the link busy.
    static constexpr qint64 kRetryMs = 2000;
    static constexpr qint64 kPatientRetryMs = 15000;
    static constexpr qint64 kQuickRetriesForMs = 60000;

    // A module was opened: its record is still to be read.
    void expect();
    // No module open: nothing to protect.
    void forget();
    // The outcome of one read of the stored record, at nowMs (monotonic).
    void record(bool whole, qint64 nowMs);

    bool failed() const { return state == State::Failed; }
    // Configuration commands (write, write and clear, restore defaults) are
    // refused until the record was read; reads and live data never are.
    bool allows(quint8 command) const;
    bool mayConfigure() const { return state == State::Free || state == State::Read; }
    bool retryDue(qint64 nowMs) const;

    // A configuration opened from a file: `fill` lays it over the next whole
    // answer in place (and says whether it did), so the page fills as from
    // the module. Forgotten with the module.
    using Fill = std::function<bool(quint8 *payload)>;
    void showNextRead(Fill fill);
    // After a read (`payload` of a whole frame buffer): the opened
    // configuration replaces the answer if it came whole.
    void replaceAnswer(quint8 *payload, bool whole);
    // The payload the module itself answered at the last whole read, before
    // any configuration from a file replaced it; empty before one.
    const QByteArray &moduleAnswer() const { return answer; }
    // The page shows a configuration from a file, not the module's own: it
    // obeys the module's firmware as if the user had typed it.
    bool filledFromFile() const { return fromFile; }

    // Monotonic milliseconds for record and retryDue.
    static qint64 now();

private:
    enum class State { Free, Expected, Read, Failed };
    State state = State::Free;
    qint64 firstFailureMs = 0;
    qint64 lastAttemptMs = 0;
    Fill replacement;
    QByteArray answer;
    bool fromFile = false;
};

} // namespace orlo
