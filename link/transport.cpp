#include "link/transport.h"

#include "link/moduletable.h"

#include <QElapsedTimer>
#include <cstring>
#include <hidapi/hidapi.h>
#include <thread>

namespace orlo {

namespace {

constexpr int kMostStaleReports = 64;

// A module that answered after an earlier exchange gave up has left its
// reports queued; read first, they would pass for this frame's answer.
// False when the read fails: the handle is dead (the module was pulled).
bool discardLateReports(hid_device *device)
{
    quint8 report[kReportSize];
    for (int i = 0; i < kMostStaleReports; ++i) {
        const int r = hid_read_timeout(device, report, sizeof report, 0);
        if (r < 0)
            return false;
        if (r == 0)
            break;
    }
    return true;
}

} // namespace

int writeFrame(const Exchange &exchange, quint8 *frame, int count)
{
    // A module noticed gone by this first read is sent nothing.
    if (!exchange.device || !discardLateReports(exchange.device)) {
        exchange.failed = true;
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    int total = 0;
    int k = 0;
    while (k != count && !exchange.ended()) {
        if (clock.elapsed() >= exchange.boundMs)
            break;
        const int r = hid_write(exchange.device, frame + kReportPayload * k, kReportSize);
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

int readFrame(const Exchange &exchange, quint8 *frame, int count)
{
    QElapsedTimer clock;
    clock.start();
    int total = 0;
    quint8 *destination = frame + 1;
    while (count > 0 && !exchange.ended()) {
        const qint64 remaining = exchange.boundMs - clock.elapsed();
        if (remaining <= 0)
            break;
        const int wait = int(qMin<qint64>(remaining, kWaitSliceMs));
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
