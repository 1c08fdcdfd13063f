// Frame transport for the page widgets that are not part of the main window
// (repeater, LoRaWAN bridge): the same exchange with longer bounds, pausing
// module detection during a read that turns the event loop.
#pragma once

#include "link/storedread.h"

#include <QObject>
#include <QString>

struct hid_device_;
typedef struct hid_device_ hid_device;

class QTimer;

class Hid : public QObject
{
    Q_OBJECT

public:
    static constexpr int kWriteBoundMs = 10000;
    static constexpr int kReadBoundMs = 20000;

    Hid(QObject *parent, hid_device **device, QTimer **pollTimer);

    int writeReports(quint8 *frame, quint8 count);
    int readReports(quint8 *frame, quint8 count, int mode);

    // True once after an exchange that hidapi failed (the handle may be dead).
    bool takeFailure();

    // The open module's stored record: read whole yet? Nothing that would
    // replace it is sent before.
    orlo::StoredRead &storedRead() { return stored; }
    // A configuration button may send now: no other exchange waits and the
    // module's record was read.
    bool mayConfigure() const;
    // What the open module told of itself (identifier, version), once a page
    // asked; empty for a module that tells nothing or is gone.
    QString moduleInformation;

public slots:
    void InCaseOfTimeout();

private:
    QTimer *timer;
    hid_device **device;
    QTimer **pollTimer;
    bool timeoutFlag = false;
    bool failed = false;
    orlo::StoredRead stored;
};
