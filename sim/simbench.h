// Control interface of the module simulator.
//
// The simulator library defines the hidapi functions the program calls
// (hid_enumerate, hid_open_path, hid_write, hid_read_timeout ...) over
// simulated modules that tests and the demo plug and unplug here. The
// program calls hidapi on its link's worker thread while tests and the demo
// plug and unplug on theirs: the bus is locked, and a traffic observer is
// called on the thread of the application's event loop. A "slow" answer is a
// report that becomes readable at a later instant, and hid_read_timeout
// sleeps until then (or until its own timeout, or an unplug) instead of
// spinning.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class Module;

// A module's behaviour: given a complete request frame (payload only, 8 * N
// bytes, offset 0 is the command), produce the answer payload (8 * N bytes).
// An empty answer means the module stays silent for this request.
class Firmware {
public:
    virtual ~Firmware() = default;
    virtual Bytes answer(Module &module, const Bytes &request) = 0;
    // Called by Bench::plug once the records are sized: a model may fill
    // `stored`, `defaults` and `live` with what its type holds out of the box.
    virtual void attach(Module &module) { (void)module; }
};

// One traffic event, for logs (the demo's bench window shows them).
struct Traffic {
    enum Direction { ToModule, FromModule } direction;
    std::uint16_t productId;
    Bytes report;                 // the 8 payload bytes of one report
    Clock::time_point when;
};

class Module {
public:
    std::uint16_t productId() const { return productId_; }
    const std::string &path() const { return path_; }
    bool plugged() const { return plugged_; }
    // Counts the times the module was plugged back (Bench::replug): a handle
    // opened before that is dead.
    unsigned generation() const { return generation_; }

    // USB strings; the defaults are the maker's.
    std::wstring manufacturer = L"Velka Radiocommunication";
    std::wstring serialNumber = L"(c)Velka";

    // Reports per frame, both directions (set from the product identifier).
    int reportsPerFrame = 3;
    // Payload bytes of one frame: 8 a report, and never less than one report,
    // so that offset 0 always exists.
    std::size_t frameSize() const;

    // Stored record: the payload answered to command 2 (offset 0 is replaced
    // by the status byte 0), replaced by commands 1 and 4, reset to
    // `defaults` by command 5. Sized 8 * reportsPerFrame.
    Bytes stored;
    Bytes defaults;
    // Answer payload to command 3 (live data), set by the test. Offset 0 is
    // sent as is.
    Bytes live;
    // Status byte sent at offset 0 of the answers to commands 1, 4 and 5.
    std::uint8_t writeStatus = 0;

    // Faults.
    bool silent = false;            // never answers
    bool stringsReadable = true;    // false: the string requests fail
    int answerReports = -1;         // answer only this many reports (-1: all)
    int answerDelayMs = 0;          // each answer report readable this late
    int writeResult = 9;            // what hid_write returns (9, 0, -1 ...)
    int unplugAfterReports = -1;    // unplug once this many more reports arrived
    int garbledOffset = -1;         // a write stores this payload byte with bit 0 flipped
    bool openable = true;           // false: listed, but opening fails as
                                    // hidraw does without permission
    // hid_write calls on its handles, whatever they returned.
    int writeCalls = 0;

    // Traffic checks: hid_write calls made after the module left the bus,
    // and how many reports of a request had arrived when it left (0: it
    // left between two requests).
    int writesWhileUnplugged = 0;
    int reportsPendingAtUnplug = 0;

    // Every complete request frame received, payload only, in order.
    std::vector<Bytes> received;
    // The last frame received with this command, or empty.
    Bytes lastReceived(std::uint8_t command) const;

    void setFirmware(std::unique_ptr<Firmware> firmware);
    Firmware *firmware() const { return firmware_.get(); }

    // Module side of the link, used by the hidapi functions.
    struct Pending {
        Bytes report;
        Clock::time_point readyAt;
    };
    std::vector<Pending> outgoing;  // answer reports not read yet
    Bytes incoming;                 // request reports gathered so far

private:
    friend class Bench;
    std::uint16_t productId_ = 0;
    std::string path_;
    bool plugged_ = true;
    unsigned generation_ = 0;
    std::unique_ptr<Firmware> firmware_;
};

// The simulated USB bus. One per process.
class Bench {
public:
    static Bench &instance();

    // Plugs a module with the given product identifier (vendor 0x04D8),
    // with the firmware model of its type. Several may be plugged at once;
    // the bus lists them in plugging order.
    Module &plug(std::uint16_t productId);
    // Like a cable pulled: the module leaves the bus; handles opened on it
    // keep answering the string requests (hidraw caches them) while reads
    // and writes return -1.
    void unplug(Module &module);
    // Pulled and plugged back faster than a poll tick: listed again at the
    // same path with the same strings and records, while the handles opened
    // before are dead (reads and writes return -1, strings still answer).
    void replug(Module &module);
    // Unplugs everything and forgets all modules (handles still open keep
    // behaving as unplugged). Also drops the traffic observer, which usually
    // captures things of the test that set it.
    void reset();

    std::vector<Module *> plugged() const;
    // Number of hid_open/hid_open_path calls that returned a handle on it.
    int opens(const Module &module) const;

    // Optional observer of every report crossing the bus.
    void setTrafficObserver(std::function<void(const Traffic &)> observer);

    // Used by the hidapi functions.
    void notify(const Traffic &traffic);
    Module *findByPath(const std::string &path) const;
    void countOpen(const Module &module);
    // The owning pointer a device handle keeps, so that the module outlives
    // unplug() and reset() while the handle is open. Null if not known.
    std::shared_ptr<Module> share(const Module &module) const;

private:
    Bench() = default;
    struct Impl;
    std::shared_ptr<Impl> impl_;
    Impl &impl();
};

// Held by every hidapi call and every change of the bus; a waiting read
// sleeps on busChanged, which plugging and unplugging wake.
std::recursive_mutex &busMutex();
std::condition_variable_any &busChanged();

// The firmware model of each module type of the family (generic for the
// types that have no model of their own yet).
std::unique_ptr<Firmware> firmwareFor(std::uint16_t productId);
// Reports per frame of each product identifier.
int reportsPerFrameFor(std::uint16_t productId);

} // namespace sim
