// The one link to the open module: its handle, the bounds of an exchange,
// the rule that no configuration goes out before its record was read, the
// frame buffers, and the bus watch that finds a module and notices it gone.
// No widget: the shell and the pages sit above it.
#pragma once

#include "link/frames/rs_frame.h"
#include "link/moduletable.h"
#include "link/storedread.h"
#include "link/writecycle.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string>

struct hid_device_;
typedef struct hid_device_ hid_device;
struct hid_device_info;

class QTimer;

class ModuleLink : public QObject
{
    Q_OBJECT

public:
    // How long an exchange may wait for the module.
    struct Bounds {
        int writeMs;
        int readMs;
        bool pausesDetection;   // a read turning the event loop stops the poll timer meanwhile
    };
    // The family pages: their write cycle pauses detection itself.
    static constexpr Bounds kPageBounds{1000, 2000, false};
    // The repeater and LoRaWAN-serial pages answer slower.
    static constexpr Bounds kWidgetPageBounds{10000, 20000, true};

    explicit ModuleLink(QObject *parent = nullptr);
    ~ModuleLink() override;

    // The timer whose ticks poll the bus, paused during a long read.
    void setPollTimer(QTimer *timer) { pollTimer = timer; }
    QTimer *detectionTimer() const { return pollTimer; }

    // One frame each way (9 bytes counted per report). Refused inside
    // another exchange's wait, and a configuration before the record was read.
    int writeReports(quint8 *frame, quint8 count, const Bounds &bounds = kPageBounds);
    int readReports(quint8 *frame, quint8 count, int mode, const Bounds &bounds = kPageBounds);
    // A bare command from txBuffer and its answer into rxBuffer; true when both were whole.
    bool requestCommand(quint8 command, int reports, int mode = 0);
    // The module's stored record (command 2) into rxBuffer: its payload,
    // zeros where nothing arrived; whether it came whole is kept here.
    const quint8 *readStoredConfiguration(int reports, const char *trace);
    // An exchange still waiting ends at once.
    void endWait() { timeoutFlag = true; }

    quint8 txBuffer[orlo::kFrameBufferSize] = {};
    quint8 rxBuffer[orlo::kFrameBufferSize] = {};

    // One look at the bus: with no module open, opens the first of the
    // family listed; with one, closes it once it is no longer listed or no
    // longer the maker's, and opens it again after a failed exchange. True
    // when a module of the family is listed but could not be opened.
    bool poll();
    void close();
    int productId() const { return openProductId; }

    // The open module's stored record: read whole yet? Nothing that would
    // replace it is sent before.
    orlo::StoredRead &storedRead() { return stored; }
    const orlo::StoredRead &storedReadState() const { return stored; }
    // A configuration button may send now: no other exchange waits and the
    // module's record was read.
    bool mayConfigure() const;
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

private:
    bool openFirstModule(const hid_device_info *bus, bool *refused);
    void reopenAfterFailure();

    hid_device *device = nullptr;
    std::string devicePath;         // where the open module is listed on the bus
    int openProductId = 0;
    QTimer *timeoutTimer;
    QTimer *pollTimer = nullptr;
    bool timeoutFlag = false;
    // Set when hidapi reports a failure; the next poll reopens the module
    // if it is still listed.
    bool failed = false;
    orlo::StoredRead stored;
};
