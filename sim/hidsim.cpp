// hidapi's C interface over the modules plugged on sim::Bench, behaving like
// the hidraw back-end where the program can tell the difference.
//
// Every call holds the bus lock. A module's answer is a queue of reports
// that become readable at given instants; a read with a timeout sleeps until
// the next one is due (or the timeout ends, or the bus changes), it never
// spins. A blocking read with nothing queued returns 0 at once: only a
// request, on this same handle, ever queues the report it would wait for.
#include "sim/simbench.h"

#include "link/moduletable.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

using sim::Bench;
using sim::Bytes;
using sim::Clock;
using sim::Module;
using sim::Traffic;
using Lock = std::unique_lock<std::recursive_mutex>;

struct hid_device_ {
    std::shared_ptr<Module> module;     // keeps it alive past unplug/reset
    unsigned generation = 0;            // the plugging it was opened on
    bool nonblocking = false;
    std::wstring error = L"Success";
};

namespace {

constexpr int kPayload = orlo::kReportPayload;
constexpr int kReportSize = orlo::kReportSize;
constexpr unsigned short kReleaseNumber = 0x0100;
constexpr unsigned short kUsagePage = 0xFF00;
constexpr unsigned short kUsage = 1;

std::wstring &globalError()
{
    static std::wstring error = L"Success";
    return error;
}

// Open handles; hid_close destroys them, a stale pointer is ignored.
std::vector<std::unique_ptr<hid_device_>> &handles()
{
    static std::vector<std::unique_ptr<hid_device_>> all;
    return all;
}

int fail(hid_device *dev, const wchar_t *why)
{
    (dev ? dev->error : globalError()) = why;
    return -1;
}

bool matches(const Module &module, unsigned short vendorId, unsigned short productId)
{
    return (vendorId == 0 || vendorId == orlo::kVendorId)
        && (productId == 0 || productId == module.productId());
}

std::wstring productString(std::uint16_t productId)
{
    const orlo::ModuleEntry *entry = orlo::findModule(productId);
    if (!entry)
        return L"Orlo module";
    std::wstring name;
    for (const char *c = entry->name; *c; ++c)
        name += static_cast<wchar_t>(*c);
    return L"Orlo " + name;
}

// Reads and writes fail once the module was pulled, even if it came back.
bool alive(const hid_device *dev)
{
    return dev->module->plugged() && dev->generation == dev->module->generation();
}

hid_device *openModule(Module &module)
{
    Bench &bench = Bench::instance();
    if (!module.openable) {
        // hidraw's open of /dev/hidrawN without the udev rule: EACCES.
        globalError() = L"Permission denied";
        return nullptr;
    }
    auto handle = std::make_unique<hid_device_>();
    handle->module = bench.share(module);
    if (!handle->module)
        return nullptr;
    handle->generation = module.generation();
    bench.countOpen(module);
    globalError() = L"Success";
    handles().push_back(std::move(handle));
    return handles().back().get();
}

void queueAnswer(Module &module, Bytes answer)
{
    if (answer.empty())
        return;
    answer.resize(module.frameSize(), 0);
    std::size_t reports = answer.size() / kPayload;
    if (module.answerReports >= 0)
        reports = std::min(reports, static_cast<std::size_t>(module.answerReports));
    const Clock::time_point readyAt =
        Clock::now() + std::chrono::milliseconds(std::max(0, module.answerDelayMs));
    for (std::size_t k = 0; k < reports; ++k) {
        const auto begin = answer.begin() + static_cast<std::ptrdiff_t>(k * kPayload);
        module.outgoing.push_back({Bytes(begin, begin + kPayload), readyAt});
    }
}

bool reportReady(const Module &module)
{
    return !module.outgoing.empty() && module.outgoing.front().readyAt <= Clock::now();
}

wchar_t *wideCopy(const std::wstring &text)
{
    return wcsdup(text.c_str());
}

int copyString(hid_device *dev, const std::wstring &text, wchar_t *buffer, std::size_t maxlen)
{
    if (!dev || !buffer || maxlen == 0)
        return fail(dev, L"invalid argument");
    // Still readable after an unplug: hidraw caches the strings.
    if (!dev->module->stringsReadable)
        return fail(dev, L"string descriptor not readable");
    const std::size_t count = std::min(text.size(), maxlen - 1);
    std::wmemcpy(buffer, text.data(), count);
    buffer[count] = L'\0';
    return 0;
}

} // namespace

extern "C" {

int hid_init(void)
{
    const Lock lock(sim::busMutex());
    return 0;
}

int hid_exit(void)
{
    const Lock lock(sim::busMutex());
    return 0;
}

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    const Lock lock(sim::busMutex());
    hid_device_info *head = nullptr;
    hid_device_info **tail = &head;
    for (Module *module : Bench::instance().plugged()) {
        if (!matches(*module, vendor_id, product_id))
            continue;
        auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        if (!info)
            break;
        const bool readable = module->stringsReadable;
        info->path = strdup(module->path().c_str());
        info->vendor_id = orlo::kVendorId;
        info->product_id = module->productId();
        info->serial_number = wideCopy(readable ? module->serialNumber : L"");
        info->release_number = kReleaseNumber;
        info->manufacturer_string = wideCopy(readable ? module->manufacturer : L"");
        info->product_string = wideCopy(readable ? productString(module->productId()) : L"");
        info->usage_page = kUsagePage;
        info->usage = kUsage;
        info->interface_number = 0;
        info->next = nullptr;
        info->bus_type = HID_API_BUS_USB;
        *tail = info;
        tail = &info->next;
    }
    return head;
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    const Lock lock(sim::busMutex());
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id,
                     const wchar_t *serial_number)
{
    const Lock lock(sim::busMutex());
    for (Module *module : Bench::instance().plugged()) {
        if (!matches(*module, vendor_id, product_id))
            continue;
        if (serial_number && module->serialNumber != serial_number)
            continue;
        return openModule(*module);
    }
    fail(nullptr, L"no matching device plugged");
    return nullptr;
}

hid_device *hid_open_path(const char *path)
{
    const Lock lock(sim::busMutex());
    Module *module = path ? Bench::instance().findByPath(path) : nullptr;
    if (!module || !module->plugged()) {
        fail(nullptr, L"no device at this path");
        return nullptr;
    }
    return openModule(*module);
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    const Lock lock(sim::busMutex());
    if (!dev || !data || length == 0)
        return fail(dev, L"invalid argument");
    Module &module = *dev->module;
    ++module.writeCalls;
    if (!alive(dev)) {
        if (!module.plugged())
            ++module.writesWhileUnplugged;
        return fail(dev, L"device unplugged");
    }
    if (module.writeResult != kReportSize) {
        if (module.writeResult < 0)
            fail(dev, L"write failed");
        return module.writeResult;
    }

    // data[0] is the report identifier; the payload follows.
    Bytes report(kPayload, 0);
    std::copy(data + 1, data + std::min<size_t>(length, kReportSize), report.begin());
    Bench &bench = Bench::instance();
    bench.notify({Traffic::ToModule, module.productId(), report, Clock::now()});
    module.incoming.insert(module.incoming.end(), report.begin(), report.end());

    bool pullOut = false;
    if (module.unplugAfterReports > 0 && --module.unplugAfterReports == 0) {
        module.unplugAfterReports = -1;
        pullOut = true;
    }
    if (module.incoming.size() >= module.frameSize()) {
        Bytes request = std::move(module.incoming);
        module.incoming.clear();
        request.resize(module.frameSize());
        module.received.push_back(request);
        if (!pullOut && !module.silent && module.firmware())
            queueAnswer(module, module.firmware()->answer(module, request));
        const bool write = request[0] == orlo::command::WriteConfiguration
                           || request[0] == orlo::command::WriteAndClearCounters;
        if (write && module.garbledOffset >= 0 && std::size_t(module.garbledOffset) < module.stored.size())
            module.stored[std::size_t(module.garbledOffset)] ^= 1;
    }
    if (pullOut)
        bench.unplug(module);
    return kReportSize;
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    Lock lock(sim::busMutex());
    if (!dev || !data)
        return fail(dev, L"invalid argument");
    Module &module = *dev->module;
    if (!alive(dev))
        return fail(dev, L"device unplugged");

    if (!reportReady(module)) {
        if (milliseconds == 0 || (milliseconds < 0 && module.outgoing.empty()))
            return 0;
        const Clock::time_point now = Clock::now();
        Clock::time_point wake = module.outgoing.empty()
            ? Clock::time_point::max() : module.outgoing.front().readyAt;
        if (milliseconds > 0)
            wake = std::min(wake, now + std::chrono::milliseconds(milliseconds));
        // Plugging and unplugging wake the wait: a pulled module fails it at once.
        while (alive(dev) && !reportReady(module) && Clock::now() < wake)
            sim::busChanged().wait_until(lock, wake);
        if (!alive(dev))
            return fail(dev, L"device unplugged");
        if (!reportReady(module))
            return 0;
    }

    const Bytes report = std::move(module.outgoing.front().report);
    module.outgoing.erase(module.outgoing.begin());
    const std::size_t count = std::min<std::size_t>(length, report.size());
    std::copy(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(count), data);
    Bench::instance().notify({Traffic::FromModule, module.productId(), report, Clock::now()});
    return static_cast<int>(count);
}

int hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    if (!dev)
        return fail(dev, L"invalid argument");
    return hid_read_timeout(dev, data, length, dev->nonblocking ? 0 : -1);
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    const Lock lock(sim::busMutex());
    if (!dev)
        return fail(dev, L"invalid argument");
    dev->nonblocking = nonblock != 0;
    return 0;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *, size_t)
{
    const Lock lock(sim::busMutex());
    return fail(dev, L"the module has no feature reports");
}

int hid_get_feature_report(hid_device *dev, unsigned char *, size_t)
{
    const Lock lock(sim::busMutex());
    return fail(dev, L"the module has no feature reports");
}

int hid_get_input_report(hid_device *dev, unsigned char *, size_t)
{
    const Lock lock(sim::busMutex());
    return fail(dev, L"not supported by the module");
}

void hid_close(hid_device *dev)
{
    const Lock lock(sim::busMutex());
    auto &all = handles();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [dev](const auto &handle) { return handle.get() == dev; });
    if (it == all.end())
        return;
    // Closing the file drops what the module had sent and half a request
    // (a dead handle's module is another plugging's: left alone).
    if (alive(it->get())) {
        (*it)->module->outgoing.clear();
        (*it)->module->incoming.clear();
    }
    all.erase(it);
}

int hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    const Lock lock(sim::busMutex());
    return copyString(dev, dev ? dev->module->manufacturer : std::wstring(), string, maxlen);
}

int hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    const Lock lock(sim::busMutex());
    return copyString(dev, dev ? productString(dev->module->productId()) : std::wstring(),
                      string, maxlen);
}

int hid_get_serial_number_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    const Lock lock(sim::busMutex());
    return copyString(dev, dev ? dev->module->serialNumber : std::wstring(), string, maxlen);
}

struct hid_device_info *hid_get_device_info(hid_device *dev)
{
    const Lock lock(sim::busMutex());
    fail(dev, L"not supported by the simulator");
    return nullptr;
}

int hid_get_indexed_string(hid_device *dev, int, wchar_t *, size_t)
{
    const Lock lock(sim::busMutex());
    return fail(dev, L"not supported by the simulator");
}

const wchar_t *hid_error(hid_device *dev)
{
    const Lock lock(sim::busMutex());
    return (dev ? dev->error : globalError()).c_str();
}

const struct hid_api_version *hid_version(void)
{
    const Lock lock(sim::busMutex());
    static const hid_api_version version{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                         HID_API_VERSION_PATCH};
    return &version;
}

const char *hid_version_str(void)
{
    const Lock lock(sim::busMutex());
    return HID_API_VERSION_STR;
}

} // extern "C"
