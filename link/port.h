// The module's end of the link, on the link's worker thread: the one owner of
// the hidapi handle and the one caller of hidapi. It takes a request, runs it
// whole and gives back the answer; the window's thread never waits on it.
#pragma once

#include "link/moduletable.h"

#include <QString>
#include <functional>
#include <string>

struct hid_device_;
typedef struct hid_device_ hid_device;
struct hid_device_info;

namespace orlo {

// One exchange asked of the port: reports 0..reportsOut-1 of `frame` go out,
// then, when they went whole (or none were to go), reportsIn come back.
struct Job {
    quint8 frame[kFrameBufferSize] = {};
    int reportsOut = 0;
    int reportsIn = 0;
    int writeMs = 0;
    int readMs = 0;
};

// What came back: hidapi's totals (9 counted per whole report each way) and
// the answer frame, payload from byte 1, zeros where nothing arrived.
struct Answer {
    int written = 0;
    int read = 0;
    quint8 frame[kFrameBufferSize] = {};
    const quint8 *payload() const { return frame + 1; }
    // Both directions whole for a frame of `reports` reports.
    bool whole(int reports) const { return written == kReportSize * reports && read == kReportSize * reports; }
};

// One look at the bus.
struct BusLook {
    int productId = 0;      // the open module's, 0 for none
    bool refused = false;   // a module of the family is listed but could not be opened
    QString serial;         // the open module's USB serial-number string
};

class Port
{
public:
    Port() = default;
    Port(const Port &) = delete;
    Port &operator=(const Port &) = delete;
    ~Port();

    // `ended` turns true when the asker ends the wait.
    Answer run(Job &job, const std::function<bool()> &ended);
    // With no module open, opens the first of the family listed; with one,
    // closes it once it is no longer listed or no longer the maker's, and
    // opens it again after a failed exchange.
    BusLook look();
    void close();

private:
    bool openFirstModule(const hid_device_info *bus, bool *refused);
    void reopenAfterFailure();
    BusLook state(bool refused) const;

    hid_device *device = nullptr;
    std::string devicePath;         // where the open module is listed on the bus
    int productId = 0;
    QString serial;
    // Set when hidapi reports a failure; the next look reopens the module
    // if it is still listed.
    bool failed = false;
};

} // namespace orlo
