// The simulated bus, locked: the program's link thread calls hidapi while
// the tests and the demo plug and unplug on theirs.
#include "sim/simbench.h"

#include "link/moduletable.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace sim {

std::recursive_mutex &busMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

std::condition_variable_any &busChanged()
{
    static std::condition_variable_any changed;
    return changed;
}

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;
} // namespace

Bytes Module::lastReceived(std::uint8_t command) const
{
    for (auto frame = received.rbegin(); frame != received.rend(); ++frame)
        if (!frame->empty() && frame->front() == command)
            return *frame;
    return {};
}

std::size_t Module::frameSize() const
{
    return orlo::kReportPayload * static_cast<std::size_t>(std::max(1, reportsPerFrame));
}

void Module::setFirmware(std::unique_ptr<Firmware> firmware)
{
    firmware_ = std::move(firmware);
}

struct Bench::Impl {
    struct Entry {
        std::shared_ptr<Module> module;
        int opens = 0;
    };
    std::vector<Entry> modules;     // plugging order, unplugged ones kept
    unsigned long nextPath = 1;     // never reset: a path is never reused
    std::function<void(const Traffic &)> observer;
    // Bumped when the observer changes: a call posted for an earlier one is dropped.
    unsigned long observerGeneration = 0;

    Entry *find(const Module &module)
    {
        for (Entry &entry : modules)
            if (entry.module.get() == &module)
                return &entry;
        return nullptr;
    }
};

Bench &Bench::instance()
{
    static Bench bench;
    return bench;
}

Bench::Impl &Bench::impl()
{
    if (!impl_)
        impl_ = std::make_shared<Impl>();
    return *impl_;
}

Module &Bench::plug(std::uint16_t productId)
{
    const Lock lock(busMutex());
    Impl &d = impl();
    auto module = std::make_shared<Module>();
    module->productId_ = productId;
    module->path_ = "sim:" + std::to_string(d.nextPath++);
    module->reportsPerFrame = reportsPerFrameFor(productId);
    const std::size_t size = module->frameSize();
    module->stored.assign(size, 0);
    module->defaults.assign(size, 0);
    module->live.assign(size, 0);
    module->setFirmware(firmwareFor(productId));
    if (module->firmware())
        module->firmware()->attach(*module);
    d.modules.push_back({module, 0});
    return *module;
}

void Bench::unplug(Module &module)
{
    const Lock lock(busMutex());
    // Also works on a module reset() forgot, still held by an open handle.
    if (module.plugged_)
        module.reportsPendingAtUnplug = int(module.incoming.size() / orlo::kReportPayload);
    module.plugged_ = false;
    module.outgoing.clear();
    module.incoming.clear();
    busChanged().notify_all();
}

void Bench::replug(Module &module)
{
    const Lock lock(busMutex());
    unplug(module);
    ++module.generation_;
    module.plugged_ = true;
    busChanged().notify_all();
}

void Bench::reset()
{
    const Lock lock(busMutex());
    Impl &d = impl();
    for (Impl::Entry &entry : d.modules)
        unplug(*entry.module);
    d.modules.clear();
    d.observer = nullptr;
    ++d.observerGeneration;
}

std::vector<Module *> Bench::plugged() const
{
    const Lock lock(busMutex());
    std::vector<Module *> result;
    if (impl_)
        for (const Impl::Entry &entry : impl_->modules)
            if (entry.module->plugged())
                result.push_back(entry.module.get());
    return result;
}

int Bench::opens(const Module &module) const
{
    const Lock lock(busMutex());
    const Impl::Entry *entry = impl_ ? impl_->find(module) : nullptr;
    return entry ? entry->opens : 0;
}

void Bench::setTrafficObserver(std::function<void(const Traffic &)> observer)
{
    const Lock lock(busMutex());
    impl().observer = std::move(observer);
    ++impl().observerGeneration;
}

void Bench::notify(const Traffic &traffic)
{
    std::shared_ptr<Impl> d;
    unsigned long generation = 0;
    {
        const Lock lock(busMutex());
        if (!impl_ || !impl_->observer)
            return;
        d = impl_;
        generation = d->observerGeneration;
    }
    // The observer is the test's or the bench window's: it runs on their
    // thread, the current one when it asks is called at once, in order.
    const auto call = [d, generation, traffic] {
        std::function<void(const Traffic &)> observer;
        {
            const Lock lock(busMutex());
            if (d->observerGeneration != generation)
                return;
            // Copy first: an observer may replace itself or reset the bench.
            observer = d->observer;
        }
        if (observer)
            observer(traffic);
    };
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        call();
    else
        QMetaObject::invokeMethod(app, call, Qt::QueuedConnection);
}

Module *Bench::findByPath(const std::string &path) const
{
    const Lock lock(busMutex());
    if (impl_)
        for (const Impl::Entry &entry : impl_->modules)
            if (entry.module->path() == path)
                return entry.module.get();
    return nullptr;
}

void Bench::countOpen(const Module &module)
{
    const Lock lock(busMutex());
    if (Impl::Entry *entry = impl().find(module))
        ++entry->opens;
}

std::shared_ptr<Module> Bench::share(const Module &module) const
{
    const Lock lock(busMutex());
    const Impl::Entry *entry = impl_ ? impl_->find(module) : nullptr;
    return entry ? entry->module : nullptr;
}

} // namespace sim
