// Frame exchange over hidapi: a frame of N reports, each 9 bytes on the wire
// (report identifier 0, then 8 payload bytes). ModuleLink runs it with the
// bounds of the page that asks.
#pragma once

#include <QtGlobal>

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace orlo {

struct Exchange {
    hid_device *device;
    int boundMs;
    // Set by a time-out slot or by detection to end the wait at once.
    bool &timeoutFlag;
    // Set when hidapi reports a failure: the handle may be dead, the module
    // pulled (detection looks at the bus and reopens or closes it).
    bool &failed;
};

// Sends reports 0..count-1 of frame (frame byte 8k is report k's identifier
// and is left 0 afterwards); returns the sum of what hidapi reported written,
// 0 without writing anything when the handle is found dead first.
int writeFrame(const Exchange &exchange, quint8 *frame, int count);

// Receives count reports into frame bytes 1..8*count; returns, per report
// received, hidapi's count + 1 (9 for a full report). With processEvents
// the event loop turns between short kernel waits.
int readFrame(const Exchange &exchange, quint8 *frame, int count, bool processEvents);

// True while a wait turns the event loop (a read in mode 1). Whatever runs
// in that loop (a timer tick, a button press) must not start another
// exchange: the transport refuses one, sending and reading nothing.
bool exchangeInProgress();

// Longest sleep in the kernel between two turns of the event loop.
constexpr int kEventSliceMs = 10;

} // namespace orlo
