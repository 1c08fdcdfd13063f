#include "link/port.h"

#include "link/transport.h"

#include <cwchar>
#include <hidapi/hidapi.h>

namespace orlo {

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
    return std::wcscmp(manufacturer, kManufacturer) == 0 && std::wcscmp(serial, kSerialNumber) == 0;
}

QString serialOf(hid_device *device)
{
    wchar_t serial[kStringLength] = {};
    if (hid_get_serial_number_string(device, serial, kStringLength) != 0)
        return {};
    serial[kStringLength - 1] = L'\0';
    return QString::fromWCharArray(serial);
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
    hid_device_info *list = hid_enumerate(kVendorId, 0);
    ~Enumeration() { hid_free_enumeration(list); }
};

} // namespace

Port::~Port()
{
    close();
}

Answer Port::run(Job &job, const std::function<bool()> &ended)
{
    Answer answer;
    if (job.reportsOut > 0) {
        answer.written = writeFrame({device, job.writeMs, ended, failed}, job.frame, job.reportsOut);
        // No answer follows a request the module did not take whole.
        if (answer.written != kReportSize * job.reportsOut)
            return answer;
    }
    if (job.reportsIn > 0)
        answer.read = readFrame({device, job.readMs, ended, failed}, answer.frame, job.reportsIn);
    return answer;
}

BusLook Port::look()
{
    // One bus listing per look serves both the search and the presence check.
    const Enumeration bus;
    if (productId == 0) {
        bool refused = false;
        return state(!openFirstModule(bus.list, &refused) && refused);
    }
    // Gone only when no longer listed or no longer the maker's; a failed
    // exchange on a listed module leaves it open.
    if (!listedAt(bus.list, devicePath, productId)) {
        close();
        return state(false);
    }
    reopenAfterFailure();
    if (device && !fromMaker(device))
        close();
    return state(false);
}

BusLook Port::state(bool refused) const
{
    return {productId, refused, serial};
}

bool Port::openFirstModule(const hid_device_info *bus, bool *refused)
{
    for (const ModuleEntry &entry : kModules) {
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
        productId = entry.productId;
        serial = serialOf(device);
        failed = false;
        return true;
    }
    return false;
}

void Port::reopenAfterFailure()
{
    if (!failed)
        return;
    // A handle left dead by a quick unplug and replug heals here; the page
    // and what the user entered on it stay.
    if (device)
        hid_close(device);
    device = hid_open_path(devicePath.c_str());
    failed = device == nullptr;
}

void Port::close()
{
    if (device)
        hid_close(device);
    device = nullptr;
    devicePath.clear();
    productId = 0;
    serial.clear();
}

} // namespace orlo
