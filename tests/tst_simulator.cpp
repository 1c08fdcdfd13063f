// The module simulator seen through hidapi, as the program uses it.
#include "sim/simbench.h"
#include "support/coreapp.h"

#include <hidapi/hidapi.h>

#include <QtTest>

#include <sys/resource.h>

#include <chrono>
#include <string>

using namespace sim;
using namespace std::chrono;

namespace {

constexpr unsigned short kVendor = 0x04D8;
constexpr unsigned short kTM = 0x0240;       // 3 reports
constexpr unsigned short kTM_r20 = 0x0314;   // 3 reports
constexpr unsigned short kDI = 0x01C7;       // 2 reports

Bytes pattern(std::size_t size, std::uint8_t seed)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + 7 * i);
    return bytes;
}

// Writes `payload` as reports of 9 bytes (report id 0 in front); the sum of
// what hid_write returned.
int writeFrame(hid_device *dev, const Bytes &payload)
{
    int total = 0;
    for (std::size_t k = 0; k < payload.size(); k += 8) {
        unsigned char report[9] = {0};
        std::copy(payload.begin() + k, payload.begin() + k + 8, report + 1);
        total += hid_write(dev, report, sizeof report);
    }
    return total;
}

// Reads up to `reports` reports without waiting; stops at the first miss.
Bytes readFrame(hid_device *dev, int reports)
{
    Bytes frame;
    for (int k = 0; k < reports; ++k) {
        unsigned char buffer[9];
        std::fill(buffer, buffer + 9, 0xEE);
        const int r = hid_read_timeout(dev, buffer, sizeof buffer, 0);
        if (r != 8 || buffer[8] != 0xEE)
            break;
        frame.insert(frame.end(), buffer, buffer + 8);
    }
    return frame;
}

Bytes command(std::uint8_t command, int reports, std::uint8_t seed = 0x40)
{
    Bytes frame = pattern(8 * static_cast<std::size_t>(reports), seed);
    frame[0] = command;
    return frame;
}

std::wstring product(hid_device *dev)
{
    wchar_t buffer[64];
    return hid_get_product_string(dev, buffer, 64) == 0 ? std::wstring(buffer) : L"?";
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT

private slots:
    void init() { Bench::instance().reset(); }
    void cleanup() { Bench::instance().reset(); }

    void enumerationAndOpenOrder()
    {
        Bench &bench = Bench::instance();
        Module &r20 = bench.plug(kTM_r20);
        Module &tm = bench.plug(kTM);
        Module &di = bench.plug(kDI);
        QCOMPARE(tm.reportsPerFrame, 3);
        QCOMPARE(di.reportsPerFrame, 2);
        QCOMPARE(di.stored.size(), std::size_t(16));

        hid_device_info *list = hid_enumerate(kVendor, 0);
        std::vector<unsigned short> ids;
        std::vector<std::string> paths;
        for (hid_device_info *info = list; info; info = info->next) {
            ids.push_back(info->product_id);
            paths.push_back(info->path);
            QCOMPARE(std::wstring(info->manufacturer_string), tm.manufacturer);
            QCOMPARE(std::wstring(info->serial_number), std::wstring(L"(c)Velka"));
        }
        QCOMPARE(ids, (std::vector<unsigned short>{kTM_r20, kTM, kDI}));
        QVERIFY(paths[0] != paths[1] && paths[1] != paths[2] && paths[0] != paths[2]);
        QCOMPARE(std::wstring(list->next->product_string), std::wstring(L"Orlo TM"));
        hid_free_enumeration(list);

        list = hid_enumerate(0, kDI);
        QVERIFY(list && !list->next && list->path == di.path());
        hid_free_enumeration(list);
        QVERIFY(!hid_enumerate(0x1234, 0));

        hid_device *first = hid_open(kVendor, 0, nullptr);
        QCOMPARE(product(first), std::wstring(L"Orlo TM_r20"));
        hid_device *byId = hid_open(kVendor, kTM, L"(c)Velka");
        QCOMPARE(product(byId), std::wstring(L"Orlo TM"));
        QVERIFY(!hid_open(kVendor, kTM, L"other"));
        QVERIFY(!hid_open(kVendor, 0x0390, nullptr));
        QVERIFY(std::wcslen(hid_error(nullptr)) > 0);
        hid_device *byPath = hid_open_path(di.path().c_str());
        QCOMPARE(product(byPath), std::wstring(L"Orlo DI"));
        QCOMPARE(bench.opens(r20), 1);
        QCOMPARE(bench.opens(tm), 1);
        QCOMPARE(bench.opens(di), 1);

        // Unplugged: gone from the bus; a new plug gets a new path.
        const std::string oldPath = r20.path();
        bench.unplug(r20);
        QCOMPARE(bench.plugged(), (std::vector<Module *>{&tm, &di}));
        QVERIFY(!hid_open_path(oldPath.c_str()));
        Module &again = bench.plug(kTM_r20);
        QVERIFY(again.path() != oldPath);
        QCOMPARE(product(hid_open(kVendor, 0, nullptr)), std::wstring(L"Orlo TM"));
        QCOMPARE(bench.opens(tm), 2);

        hid_close(first);
        hid_close(byId);
        hid_close(byPath);
    }

    void exchanges()
    {
        Module &tm = Bench::instance().plug(kTM);
        int toModule = 0, fromModule = 0;
        Bench::instance().setTrafficObserver([&](const Traffic &t) {
            QCOMPARE(t.productId, kTM);
            QCOMPARE(t.report.size(), std::size_t(8));
            ++(t.direction == Traffic::ToModule ? toModule : fromModule);
        });
        hid_device *dev = hid_open(kVendor, kTM, nullptr);
        tm.stored = pattern(24, 0x11);

        // Read the stored record: offset 0 becomes the status 0.
        const Bytes read = command(2, 3);
        QCOMPARE(writeFrame(dev, read), 27);
        QCOMPARE(tm.received, std::vector<Bytes>{read});
        Bytes expected = tm.stored;
        expected[0] = 0;
        QCOMPARE(readFrame(dev, 4), expected);
        QCOMPARE(toModule, 3);
        QCOMPARE(fromModule, 3);

        // A write is kept as sent and acknowledged with writeStatus.
        tm.writeStatus = 1;
        const Bytes write = command(1, 3, 0x90);
        QCOMPARE(writeFrame(dev, write), 27);
        QCOMPARE(tm.stored, write);
        Bytes ack(24, 0);
        ack[0] = 1;
        QCOMPARE(readFrame(dev, 3), ack);
        QCOMPARE(tm.lastReceived(2), read);
        QCOMPARE(tm.lastReceived(1), write);
        QVERIFY(tm.lastReceived(4).empty());

        tm.live = {0, 0x12, 0x34};
        writeFrame(dev, command(3, 3));
        Bytes live(24, 0);
        live[1] = 0x12;
        live[2] = 0x34;
        QCOMPARE(readFrame(dev, 3), live);

        tm.writeStatus = 0;
        tm.defaults = pattern(24, 0x33);
        writeFrame(dev, command(5, 3));
        QCOMPARE(readFrame(dev, 3), Bytes(24, 0));
        QCOMPARE(tm.stored, tm.defaults);

        writeFrame(dev, command(9, 3));
        QCOMPARE(readFrame(dev, 3).at(0), std::uint8_t(0xFF));

        // A short buffer gets the start of the report; a 2-report type
        // answers after its second report only.
        writeFrame(dev, command(2, 3));
        unsigned char small[4];
        QCOMPARE(hid_read_timeout(dev, small, sizeof small, 0), 4);
        QCOMPARE(small[0], std::uint8_t(0));
        QCOMPARE(small[1], tm.defaults[1]);
        hid_close(dev);
        QCOMPARE(toModule, 6 * 3);
        QCOMPARE(fromModule, 5 * 3 + 1);

        Bench::instance().setTrafficObserver(nullptr);
        Module &di = Bench::instance().plug(kDI);
        hid_device *diDev = hid_open_path(di.path().c_str());
        QCOMPARE(writeFrame(diDev, command(2, 1)), 9);
        QVERIFY(readFrame(diDev, 1).empty());
        QCOMPARE(writeFrame(diDev, command(2, 1)), 9);
        QCOMPARE(readFrame(diDev, 3).size(), std::size_t(16));
        hid_close(diDev);
    }

    void partialSlowAndSilent()
    {
        Module &tm = Bench::instance().plug(kTM);
        hid_device *dev = hid_open(kVendor, kTM, nullptr);
        tm.answerReports = 2;
        writeFrame(dev, command(2, 3));
        QCOMPARE(readFrame(dev, 3).size(), std::size_t(16));

        // Slow: not there yet without waiting, then a timed read sleeps
        // until it is due rather than for its whole timeout.
        tm.answerReports = -1;
        tm.answerDelayMs = 300;
        writeFrame(dev, command(2, 3));
        hid_set_nonblocking(dev, 1);
        unsigned char buffer[9];
        QCOMPARE(hid_read(dev, buffer, 9), 0);
        auto start = steady_clock::now();
        QCOMPARE(hid_read_timeout(dev, buffer, 9, 5000), 8);
        auto waited = duration_cast<milliseconds>(steady_clock::now() - start).count();
        QVERIFY2(waited >= 250 && waited < 3000, std::to_string(waited).c_str());
        QCOMPARE(readFrame(dev, 3).size(), std::size_t(16));

        // Silent: the request is recorded, a timed read sleeps its timeout.
        tm.silent = true;
        writeFrame(dev, command(2, 3));
        QCOMPARE(tm.received.size(), std::size_t(3));
        const double cpuBefore = cpuSeconds();
        start = steady_clock::now();
        QCOMPARE(hid_read_timeout(dev, buffer, 9, 200), 0);
        waited = duration_cast<milliseconds>(steady_clock::now() - start).count();
        const double cpu = cpuSeconds() - cpuBefore;
        QVERIFY2(waited >= 190 && waited < 2000, std::to_string(waited).c_str());
        QVERIFY2(cpu < 0.1, std::to_string(cpu).c_str());

        // Blocking with nothing queued cannot wait for anything.
        hid_set_nonblocking(dev, 0);
        start = steady_clock::now();
        QCOMPARE(hid_read(dev, buffer, 9), 0);
        QVERIFY(steady_clock::now() - start < milliseconds(100));
        hid_close(dev);
    }

    void writeFaults()
    {
        Module &tm = Bench::instance().plug(kTM);
        hid_device *dev = hid_open(kVendor, kTM, nullptr);
        int seen = 0;
        Bench::instance().setTrafficObserver([&](const Traffic &) { ++seen; });
        const unsigned char report[9] = {0, 2};
        tm.writeResult = 0;
        QCOMPARE(hid_write(dev, report, 9), 0);
        tm.writeResult = -1;
        QCOMPARE(hid_write(dev, report, 9), -1);
        QVERIFY(std::wcslen(hid_error(dev)) > 0);
        QVERIFY(tm.incoming.empty());
        QCOMPARE(seen, 0);

        tm.writeResult = 9;
        QCOMPARE(writeFrame(dev, command(2, 3)), 27);
        QCOMPARE(readFrame(dev, 3).size(), std::size_t(24));
        QCOMPARE(seen, 6);
        hid_close(dev);
    }

    void unplugging()
    {
        Bench &bench = Bench::instance();
        Module &tm = bench.plug(kTM);
        hid_device *dev = hid_open(kVendor, kTM, nullptr);
        tm.answerDelayMs = 1000;
        writeFrame(dev, command(2, 3));
        bench.unplug(tm);
        unsigned char buffer[9] = {0};
        QCOMPARE(hid_read_timeout(dev, buffer, 9, 100), -1);
        QCOMPARE(hid_write(dev, buffer, 9), -1);
        QVERIFY(tm.outgoing.empty());
        QVERIFY(!hid_enumerate(0, 0));

        // The strings stay readable, even once the bench forgot the module.
        bench.reset();
        wchar_t text[255];
        QCOMPARE(hid_get_manufacturer_string(dev, text, 255), 0);
        QCOMPARE(std::wstring(text), std::wstring(L"Velka Radiocommunication"));
        QCOMPARE(hid_get_serial_number_string(dev, text, 255), 0);
        QCOMPARE(std::wstring(text), std::wstring(L"(c)Velka"));
        QCOMPARE(hid_read(dev, buffer, 9), -1);
        hid_close(dev);

        // Pulled out mid-request, on the second report.
        Module &next = bench.plug(kTM);
        dev = hid_open(kVendor, kTM, nullptr);
        next.unplugAfterReports = 2;
        QCOMPARE(writeFrame(dev, command(2, 3)), 9 + 9 - 1);
        QVERIFY(!next.plugged());
        QCOMPARE(next.unplugAfterReports, -1);
        QVERIFY(next.received.empty());
        hid_close(dev);

        // Pulled out on the last report: the frame arrived, no answer.
        Module &last = bench.plug(kTM);
        dev = hid_open(kVendor, kTM, nullptr);
        last.unplugAfterReports = 3;
        QCOMPARE(writeFrame(dev, command(2, 3)), 27);
        QCOMPARE(last.received.size(), std::size_t(1));
        QVERIFY(last.outgoing.empty());
        QVERIFY(bench.plugged().empty());
        hid_close(dev);
    }

    void permissionAndQuickReplug()
    {
        Bench &bench = Bench::instance();
        // Listed with its strings, but its node cannot be opened.
        Module &tm = bench.plug(kTM);
        tm.openable = false;
        hid_device_info *list = hid_enumerate(kVendor, 0);
        QVERIFY(list);
        QCOMPARE(list->product_id, kTM);
        QCOMPARE(std::wstring(list->manufacturer_string), std::wstring(L"Velka Radiocommunication"));
        const std::string path = list->path;
        hid_free_enumeration(list);
        QVERIFY(!hid_open(kVendor, kTM, nullptr));
        QVERIFY(!hid_open_path(path.c_str()));
        QCOMPARE(std::wstring(hid_error(nullptr)), std::wstring(L"Permission denied"));
        QCOMPARE(bench.opens(tm), 0);

        // Pulled and plugged back at once: same path, the old handle is dead.
        tm.openable = true;
        hid_device *old = hid_open_path(path.c_str());
        QVERIFY(old);
        tm.answerDelayMs = 1000;
        writeFrame(old, command(2, 3));
        bench.replug(tm);
        QVERIFY(tm.outgoing.empty());
        unsigned char buffer[9] = {0};
        QCOMPARE(hid_read_timeout(old, buffer, 9, 0), -1);
        const int calls = tm.writeCalls;
        QCOMPARE(hid_write(old, buffer, 9), -1);
        QCOMPARE(tm.writeCalls, calls + 1);
        wchar_t text[255];
        QCOMPARE(hid_get_serial_number_string(old, text, 255), 0);
        list = hid_enumerate(kVendor, kTM);
        QVERIFY(list && path == list->path);
        hid_free_enumeration(list);

        tm.answerDelayMs = 0;
        hid_device *fresh = hid_open_path(path.c_str());
        QVERIFY(fresh);
        QCOMPARE(writeFrame(fresh, command(2, 3)), 27);
        // Closing the dead handle drops nothing of the new plugging.
        hid_close(old);
        QCOMPARE(readFrame(fresh, 3).size(), std::size_t(24));
        hid_close(fresh);
    }

    void stringsAndClose()
    {
        Module &tm = Bench::instance().plug(kTM);
        hid_device *dev = hid_open(kVendor, kTM, nullptr);
        wchar_t text[8];
        QCOMPARE(hid_get_manufacturer_string(dev, text, 5), 0);
        QCOMPARE(std::wstring(text), std::wstring(L"Velk"));
        QCOMPARE(hid_get_manufacturer_string(dev, nullptr, 5), -1);
        QCOMPARE(hid_get_manufacturer_string(nullptr, text, 5), -1);
        tm.manufacturer = L"Velka Radiocommunications";
        QCOMPARE(hid_get_manufacturer_string(dev, text, 8), 0);
        QCOMPARE(std::wstring(text), std::wstring(L"Velka R"));
        tm.stringsReadable = false;
        QCOMPARE(hid_get_manufacturer_string(dev, text, 8), -1);
        QCOMPARE(hid_get_serial_number_string(dev, text, 8), -1);
        QCOMPARE(hid_get_product_string(dev, text, 8), -1);
        tm.stringsReadable = true;

        // Closing drops an unread answer and half a request.
        writeFrame(dev, command(2, 3));
        const unsigned char half[9] = {0, 7, 7, 7};
        hid_write(dev, half, 9);
        hid_close(dev);
        dev = hid_open(kVendor, kTM, nullptr);
        QVERIFY(readFrame(dev, 1).empty());
        const Bytes write = command(1, 3);
        writeFrame(dev, write);
        QCOMPARE(tm.received.back(), write);
        hid_close(dev);
    }
};

ORLO_CORE_TEST_MAIN(TestSimulator)
#include "tst_simulator.moc"
