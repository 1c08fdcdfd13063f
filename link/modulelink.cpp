#include "link/modulelink.h"

#include "link/trace.h"
#include "link/transport.h"

#include <QTimer>
#include <cstring>
#include <cwchar>
#include <hidapi/hidapi.h>

namespace {

constexpr size_t kStringLength = 255;

// hidraw keeps answering the strings after an unplug, so they prove the
// maker only; presence is checked against the bus listing.
bool fromMaker(hid_device *device)
{
    wchar_t manufacturer[kStringLength] = {};
    wchar_t serial[kStringLength] = {};
    if (hid_get_manufacturer_string(device, manufacturer, kStringLength) != 0)
        return false;
    if (hid_get_serial_number_string(device, serial, kStringLength) != 0)
        return false;
    manufacturer[kStringLength - 1] = serial[kStringLength - 1] = L'\0';
    return std::wcscmp(manufacturer, orlo::kManufacturer) == 0 && std::wcscmp(serial, orlo::kSerialNumber) == 0;
}

const hid_device_info *listed(const hid_device_info *bus, unsigned short productId)
{
    for (const hid_device_info *d = bus; d; d = d->next)
        if (d->product_id == productId && d->path)
            return d;
    return nullptr;
}

// Still on the bus where it was opened, as the same type of module.
bool listedAt(const hid_device_info *bus, const std::string &path, int productId)
{
    for (const hid_device_info *d = bus; d; d = d->next)
        if (d->path && path == d->path)
            return d->product_id == productId;
    return false;
}

struct Enumeration {
    hid_device_info *list = hid_enumerate(orlo::kVendorId, 0);
    ~Enumeration() { hid_free_enumeration(list); }
};

} // namespace

ModuleLink::ModuleLink(QObject *parent)
    : QObject(parent)
    , timeoutTimer(new QTimer(this))
{
    timeoutTimer->setObjectName(QStringLiteral("timeoutTimer"));
    // A coarse timer may fire up to 5 % early, cutting a module's answer time short.
    timeoutTimer->setTimerType(Qt::PreciseTimer);
    connect(timeoutTimer, &QTimer::timeout, this, [this] { timeoutFlag = true; });
}

ModuleLink::~ModuleLink()
{
    // The module is left closed so the next program finds it free.
    close();
}

int ModuleLink::writeReports(quint8 *frame, quint8 count, const Bounds &bounds)
{
    // Inside another exchange's wait: refused before the bound of the
    // exchange that waits is touched. A configuration is sent only over a
    // record that was read.
    if (orlo::exchangeInProgress() || !stored.allows(frame[1]))
        return 0;
    timeoutFlag = false;
    timeoutTimer->start(bounds.writeMs);
    const int total = orlo::writeFrame({device, bounds.writeMs, timeoutFlag, failed}, frame, count);
    timeoutTimer->stop();
    return total;
}

int ModuleLink::readReports(quint8 *frame, quint8 count, int mode, const Bounds &bounds)
{
    if (orlo::exchangeInProgress())
        return 0;
    const bool pumping = mode == 1;
    // Detection stays paused during a long wait; it resumes only if it ran.
    const bool resumePolling = pumping && bounds.pausesDetection && pollTimer && pollTimer->isActive();
    if (resumePolling)
        pollTimer->stop();
    timeoutFlag = false;
    timeoutTimer->start(bounds.readMs);
    const int total = orlo::readFrame({device, bounds.readMs, timeoutFlag, failed}, frame, count, pumping);
    timeoutTimer->stop();
    if (resumePolling)
        pollTimer->start();
    return total;
}

bool ModuleLink::requestCommand(quint8 command, int reports, int mode)
{
    const int expected = orlo::kReportSize * reports;
    txBuffer[0] = 0;
    txBuffer[1] = command;
    if (writeReports(txBuffer, quint8(reports)) != expected)
        return false;
    return readReports(rxBuffer, quint8(reports), mode) == expected;
}

const quint8 *ModuleLink::readStoredConfiguration(int reports, const char *trace)
{
    orlo::trace(trace);
    std::memset(txBuffer, 0, sizeof txBuffer);
    // A failed read shows zeros rather than the bytes of an earlier exchange.
    std::memset(rxBuffer, 0, sizeof rxBuffer);
    const bool whole = requestCommand(orlo::command::ReadConfiguration, reports, stored.readMode());
    stored.record(whole, orlo::StoredRead::now());
    stored.replaceAnswer(rxBuffer + 1, whole);
    return rxBuffer + 1;
}

bool ModuleLink::mayConfigure() const
{
    return !orlo::exchangeInProgress() && stored.mayConfigure();
}

bool ModuleLink::poll()
{
    // One bus listing per tick serves both the search and the presence check.
    const Enumeration bus;
    if (openProductId == 0) {
        bool refused = false;
        return !openFirstModule(bus.list, &refused) && refused;
    }
    // Gone only when no longer listed or no longer the maker's; a failed
    // exchange on a listed module leaves it open.
    if (!listedAt(bus.list, devicePath, openProductId)) {
        close();
        return false;
    }
    reopenAfterFailure();
    if (device && !fromMaker(device))
        close();
    return false;
}

bool ModuleLink::openFirstModule(const hid_device_info *bus, bool *refused)
{
    for (const orlo::ModuleEntry &entry : orlo::kModules) {
        const hid_device_info *found = listed(bus, entry.productId);
        if (!found)
            continue;
        hid_device *candidate = hid_open_path(found->path);
        if (!candidate) {
            *refused = true;
            continue;
        }
        // Another product on the same vendor identifier is closed at once:
        // it never receives a frame.
        if (!fromMaker(candidate)) {
            hid_close(candidate);
            continue;
        }
        device = candidate;
        devicePath = found->path;
        openProductId = entry.productId;
        failed = false;
        return true;
    }
    return false;
}

void ModuleLink::reopenAfterFailure()
{
    // A read turning the event loop may still hold the handle: next tick.
    if (!failed || orlo::exchangeInProgress())
        return;
    // A handle left dead by a quick unplug and replug heals here; the page
    // and what the user entered on it stay.
    if (device)
        hid_close(device);
    device = hid_open_path(devicePath.c_str());
    failed = device == nullptr;
}

void ModuleLink::close()
{
    if (device)
        hid_close(device);
    device = nullptr;
    devicePath.clear();
    openProductId = 0;
}

QString ModuleLink::identity() const
{
    wchar_t serial[kStringLength] = {};
    QString identity;
    if (device && hid_get_serial_number_string(device, serial, kStringLength) == 0) {
        serial[kStringLength - 1] = L'\0';
        identity = QStringLiteral("USB serial %1").arg(QString::fromWCharArray(serial));
    }
    if (!moduleInformation.isEmpty())
        identity += (identity.isEmpty() ? QString() : QStringLiteral("; ")) + moduleInformation;
    return identity;
}

ModuleLink::Told ModuleLink::told() const
{
    if (!information)
        return {toldIdentifier, toldFirmware};
    const QString identifier = information->identifier == orlo::rs::kNoIdentifier
                                   ? QString()
                                   : QStringLiteral("0x") + QString::number(information->identifier, 16);
    return {identifier, information->version};
}

void ModuleLink::forgetTold()
{
    moduleInformation.clear();
    information.reset();
    toldIdentifier.clear();
    toldFirmware.clear();
}
