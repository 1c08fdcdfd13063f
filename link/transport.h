// Frame exchange over hidapi: a frame of N reports, each 9 bytes on the wire
// (report identifier 0, then 8 payload bytes). Only the link's worker thread
// calls these, with the bounds of the page that asks.
#pragma once

#include <QtGlobal>
#include <functional>

struct hid_device_;
typedef struct hid_device_ hid_device;

namespace orlo {

struct Exchange {
    hid_device *device;
    int boundMs;
    // True once the asker ended the wait (quit, unplug, Ctrl+C): the
    // exchange stops at its next look.
    std::function<bool()> ended;
    // Set when hidapi reports a failure: the handle may be dead, the module
    // pulled (detection looks at the bus and reopens or closes it).
    bool &failed;
};

// Sends reports 0..count-1 of frame (frame byte 8k is report k's identifier
// and is left 0 afterwards); returns the sum of what hidapi reported written,
// 0 without writing anything when the handle is found dead first.
int writeFrame(const Exchange &exchange, quint8 *frame, int count);

// Receives count reports into frame bytes 1..8*count; returns, per report
// received, hidapi's count + 1 (9 for a full report). Waits in the kernel in
// short slices, so that an ended wait stops promptly.
int readFrame(const Exchange &exchange, quint8 *frame, int count);

// Longest sleep in the kernel between two looks at whether the wait ended.
constexpr int kWaitSliceMs = 10;

} // namespace orlo
