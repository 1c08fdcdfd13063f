// The one link to the open module, on the window's (or orlo-cli's) thread:
// the bounds of an exchange, the rule that no configuration goes out before
// its record was read, the frame buffers, and the bus watch that finds a
// module and notices it gone. Every exchange runs on the link's worker
// thread, which alone holds the hidapi handle; the asker goes on and its
// `done` runs on its own thread once the answer is back. No widget: the shell
// and the pages sit above it.
#pragma once

#include "link/frames/rs_frame.h"
#include "link/moduletable.h"
#include "link/port.h"
#include "link/storedread.h"
#include "link/writecycle.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <QString>
#include <optional>
#include <string>

class QTimer;

class ModuleLink : public QObject
{
    Q_OBJECT

public:
    // How long an exchange may wait for the module.
    struct Bounds {
        int writeMs;
        int readMs;
    };
    // The family pages.
    static constexpr Bounds kPageBounds{1000, 2000};
    // The repeater and LoRaWAN-serial pages answer slower.
    static constexpr Bounds kWidgetPageBounds{10000, 20000};

    using Answered = std::function<void(const orlo::Answer &answer)>;

    explicit ModuleLink(QObject *parent = nullptr);
    ~ModuleLink() override;

    // The timer whose ticks poll the bus, paused during a write cycle.
    void setPollTimer(QTimer *timer) { pollTimer = timer; }
    QTimer *detectionTimer() const { return pollTimer; }

    // One exchange: reports 0..count-1 of `frame` go out and, once they went
    // whole, `count` reports come back; `done` gets the answer here. Exchanges
    // run one at a time in the order asked. A configuration is refused (sent
    // nothing, answered nothing) before the module's record was read.
    void exchange(const quint8 *frame, int count, const Bounds &bounds, Answered done);
    // A bare command from txBuffer and its answer into rxBuffer; `done` is
    // told whether both were whole.
    void requestCommand(quint8 command, int reports, std::function<void(bool whole)> done,
                        const Bounds &bounds = kPageBounds);
    // The module's stored record (command 2) into rxBuffer; `done` gets its
    // payload, zeros where nothing arrived. Whether it came whole is kept here.
    void readStoredConfiguration(int reports, const char *trace, std::function<void(const quint8 *payload)> done,
                                 const Bounds &bounds = kPageBounds);
    // Every exchange asked so far ends at once: what it has not sent stays
    // unsent, what has not arrived counts as missing.
    void endWait();
    // An exchange was asked and not answered yet. Inside an exchange's `done`
    // the link is free for the next one (busyChanged(false) waits until that
    // `done` returned having asked none).
    bool busy() const { return !waiting.empty(); }
    // Runs `then` once no exchange waits (now, when none does), unless
    // `context` went meanwhile.
    void whenIdle(QObject *context, std::function<void()> then);

    // The window's thread's own frames: a page builds its request in
    // txBuffer, the answer to requestCommand lands in rxBuffer.
    quint8 txBuffer[orlo::kFrameBufferSize] = {};
    quint8 rxBuffer[orlo::kFrameBufferSize] = {};

    // One look at the bus, after the exchanges asked before it: with no
    // module open, opens the first of the family listed; with one, closes it
    // once it is no longer listed or no longer the maker's, and opens it again
    // after a failed exchange. `done` is told whether a module of the family
    // is listed but could not be opened.
    void poll(std::function<void(bool refused)> done);
    bool polling() const { return pollsAsked > 0; }
    void close();
    int productId() const { return openProductId; }

    // The open module's stored record: read whole yet? Nothing that would
    // replace it is sent before.
    orlo::StoredRead &storedRead() { return stored; }
    const orlo::StoredRead &storedReadState() const { return stored; }
    // A configuration button may send now: no other exchange waits (its
    // buttons are disabled meanwhile) and the module's record was read.
    bool mayConfigure() const;
    // Set while a page's configuration is built for a file, not sent: an
    // exchange waiting meanwhile does not stop it.
    bool buildingForFile = false;
    // What the open module told of itself (identifier, version), once a page
    // asked; empty for a module that tells nothing or is gone. The bridge and
    // the gateway tell it in one form, kept until the module is gone.
    QString moduleInformation;
    std::optional<orlo::rs::Information> information;
    // The LoRaWAN-serial module tells its own in another form.
    QString toldIdentifier;
    QString toldFirmware;
    // The USB serial-number string, and what the module told of itself.
    QString identity() const;
    // What the module told of itself, for the history: empty where it told nothing.
    struct Told {
        QString identifier;
        QString firmware;
    };
    Told told() const;
    // The module went: what it told is forgotten.
    void forgetTold();

    // Who follows the configuration exchanges on this link (files, series,
    // history): owned by the program that owns the link.
    orlo::CycleObserver *cycleObserver = nullptr;

signals:
    // An exchange was asked with none waiting, or the last one's `done`
    // returned having asked none.
    void busyChanged(bool busy);

private:
    // Runs `work` on the worker thread, after what was asked before.
    void onWorker(std::function<void()> work);
    void answered(quint64 serial, const orlo::Answer &answer);

    QThread worker;
    // Lives on the worker thread: queued calls to it run there, in order.
    QObject *workerInbox = nullptr;
    // Touched only on the worker thread.
    std::unique_ptr<orlo::Port> port;
    // The one value the window's thread writes for the worker to read: the
    // last exchange whose wait was ended. A wait in the kernel cannot take a
    // queued message, so it looks at this between two short sleeps.
    std::shared_ptr<std::atomic<quint64>> endedUpTo = std::make_shared<std::atomic<quint64>>(0);
    quint64 lastSerial = 0;
    std::deque<std::pair<quint64, Answered>> waiting;
    // busyChanged(true) was emitted, and no busyChanged(false) after it.
    bool busySaid = false;
    int pollsAsked = 0;
    // Bumped by close(): a look asked before it is ignored.
    quint64 closings = 0;

    int openProductId = 0;
    QString usbSerial;
    QTimer *pollTimer = nullptr;
    orlo::StoredRead stored;
};
