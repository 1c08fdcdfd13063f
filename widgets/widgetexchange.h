// Exchanges of the pages that are widgets of their own (repeater, LoRaWAN
// serial): frames of five reports through the module link, with the longer
// bounds of these pages, in a frame buffer of the page's own.
#pragma once

#include "link/moduletable.h"
#include "widgets/writecycle.h"

#include <QtGlobal>
#include <functional>

class ModuleLink;
class QTimer;

namespace orlo::widgetpage {

constexpr int kReports = 5;
constexpr int kWholeFrame = kReportSize * kReports;    // 45 bytes each way
constexpr int kProgressMs = 1;

struct Frame {
    quint8 bytes[kFrameBufferSize] = {};
    quint8 *payload() { return bytes + 1; }
    const quint8 *payload() const { return bytes + 1; }
    static constexpr int payloadSize() { return kFrameBufferSize - 1; }
    void clear();
};

// True while the page may talk to its module: it has one (the shell
// closed none since the page started) and no other exchange is waiting.
bool mayExchange(const ModuleLink *link);

// A bare command and its answer into `frame` (cleared first, so a missing
// answer reads as zeros); `done` is told whether both directions were whole.
void request(ModuleLink &link, Frame &frame, quint8 command, std::function<void(bool whole)> done);
// The module's stored record; whether it came whole is kept by the link,
// which sends no configuration before.
void readStored(ModuleLink &link, Frame &frame, std::function<void(bool whole)> done);
// Command 5 through the write cycle (`cycle` names Default as its button),
// so that the journal sees it; `done` is told whether the module took it, so
// that the page reads the defaults back.
void restoreDefaults(ModuleLink &link, QTimer *progress, Frame &frame, const WriteCycle &cycle,
                     std::function<void(bool accepted)> done);
// The shared write cycle through the module link: the frame built in
// `frame` goes out and the module's acknowledgement comes back into it,
// while `progress` ticks the bar.
void runWriteCycle(ModuleLink &link, QTimer *progress, Frame &frame, const WriteCycle &cycle,
                   std::function<void(bool accepted)> done);

// True while the page may send a configuration: no other exchange waits and
// the module's stored record was read whole.
bool mayConfigure(const ModuleLink *link);

} // namespace orlo::widgetpage
