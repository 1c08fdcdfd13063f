#include "link/transport.h"

#include "link/moduletable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstring>
#include <hidapi/hidapi.h>
#include <thread>

namespace orlo {

namespace {

constexpr int kMostStaleReports = 64;

// Reads that turn the event loop and have not returned yet.
int pumpingReads = 0;

struct PumpingRead {
    explicit PumpingRead(bool pumping) : pumping(pumping) { pumpingReads += pumping; }
    ~PumpingRead() { pumpingReads -= pumping; }
    bool pumping;
};

// A module that answered after an earlier exchange gave up has left its
// reports queued; read first, they would pass for this frame's answer.
// False when the handle is dead: the module has left the bus.
bool discardLateReports(hid_device *device)
{
    quint8 report[kReportSize];
    for (int i = 0; i < kMostStaleReports; ++i) {
        const int r = hid_read_timeout(device, report, sizeof report, 0);
        if (r <= 0)
            return r == 0;
    }
    return true;
}

} // namespace

bool exchangeInProgress()
{
    return pumpingReads > 0;
}

int writeFrame(const Exchange &exchange, quint8 *frame, int count)
{
    if (exchangeInProgress())
        return 0;
    // A module already gone is sent nothing.
    if (exchange.device && !discardLateReports(exchange.device)) {
        exchange.failed = true;
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    int total = 0;
    int k = 0;
    while (k != count && !exchange.timeoutFlag) {
        if (clock.elapsed() >= exchange.boundMs) {
            exchange.timeoutFlag = true;
            break;
        }
        const int r = exchange.device
            ? hid_write(exchange.device, frame + kReportPayload * k, kReportSize)
            : -1;
        if (r == 0) {
            // Not taken: try the same report again, without spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (r < 0)
            exchange.failed = true;
        ++k;
        total += r;
        // The byte in front of the next report's payload is its identifier.
        frame[kReportPayload * k] = 0;
    }
    return total;
}

int readFrame(const Exchange &exchange, quint8 *frame, int count, bool processEvents)
{
    if (exchangeInProgress())
        return 0;
    const PumpingRead guard(processEvents);
    QElapsedTimer clock;
    clock.start();
    int total = 0;
    quint8 *destination = frame + 1;
    while (count > 0 && !exchange.timeoutFlag) {
        if (processEvents) {
            QCoreApplication::processEvents();
            if (exchange.timeoutFlag)
                break;
        }
        const qint64 remaining = exchange.boundMs - clock.elapsed();
        if (remaining <= 0) {
            exchange.timeoutFlag = true;
            break;
        }
        const int wait = processEvents ? int(qMin<qint64>(remaining, kEventSliceMs)) : int(remaining);
        quint8 report[kReportSize] = {};
        const int r = exchange.device ? hid_read_timeout(exchange.device, report, kReportSize, wait) : -1;
        if (r == 0)
            continue;
        if (r < 0) {
            exchange.failed = true;
            // A failed report is counted as received but carries no data.
            std::memset(report, 0, sizeof report);
        }
        std::memcpy(destination, report, kReportPayload);
        destination += kReportPayload;
        --count;
        total += r + 1;
    }
    return total;
}

} // namespace orlo
