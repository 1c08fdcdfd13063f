// Exchanges of the pages that are widgets of their own (repeater, LoRaWAN
// serial): frames of five reports through the main window's Hid, in a frame
// buffer of the page's own.
#pragma once

#include "link/moduletable.h"

#include <QtGlobal>

class Hid;
class QLabel;
class QProgressBar;
class QPushButton;
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

// A bare command and its answer, read without turning the event loop. The
// frame is cleared first, so a missing answer reads as zeros; true when both
// directions were whole.
bool request(Hid &link, Frame &frame, quint8 command);

struct WriteControls {
    QPushButton *write;
    QPushButton *defaults;
    QProgressBar *bar;
    QLabel *result;
    QTimer *progress;
    QTimer *information = nullptr;  // paused during the write, resumed after
};

// Sends the configuration the page built in `frame` and awaits the
// acknowledgement while the bar turns: "OK" when the module accepted, else
// "Echec". Both buttons stay disabled meanwhile, so nothing else starts.
bool write(Hid &link, Frame &frame, const WriteControls &controls);

// One tick of a write's progress bar: up to 100, then back to 0.
void stepProgress(QProgressBar *bar);

} // namespace orlo::widgetpage
