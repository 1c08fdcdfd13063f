// The simulated bus. Single-threaded by design: the program, the demo and the
// tests all drive it from their one thread, so nothing here is locked.
#include "sim/simbench.h"

#include "link/moduletable.h"

#include <algorithm>

namespace sim {

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
    // Also works on a module reset() forgot, still held by an open handle.
    if (module.plugged_)
        module.reportsPendingAtUnplug = int(module.incoming.size() / orlo::kReportPayload);
    module.plugged_ = false;
    module.outgoing.clear();
    module.incoming.clear();
}

void Bench::replug(Module &module)
{
    unplug(module);
    ++module.generation_;
    module.plugged_ = true;
}

void Bench::reset()
{
    Impl &d = impl();
    for (Impl::Entry &entry : d.modules)
        unplug(*entry.module);
    d.modules.clear();
    d.observer = nullptr;
}

std::vector<Module *> Bench::plugged() const
{
    std::vector<Module *> result;
    if (impl_)
        for (const Impl::Entry &entry : impl_->modules)
            if (entry.module->plugged())
                result.push_back(entry.module.get());
    return result;
}

int Bench::opens(const Module &module) const
{
    const Impl::Entry *entry = impl_ ? impl_->find(module) : nullptr;
    return entry ? entry->opens : 0;
}

void Bench::setTrafficObserver(std::function<void(const Traffic &)> observer)
{
    impl().observer = std::move(observer);
}

void Bench::notify(const Traffic &traffic)
{
    // Copy first: an observer may replace itself or reset the bench.
    if (impl_ && impl_->observer) {
        auto observer = impl_->observer;
        observer(traffic);
    }
}

Module *Bench::findByPath(const std::string &path) const
{
    if (impl_)
        for (const Impl::Entry &entry : impl_->modules)
            if (entry.module->path() == path)
                return entry.module.get();
    return nullptr;
}

void Bench::countOpen(const Module &module)
{
    if (Impl::Entry *entry = impl().find(module))
        ++entry->opens;
}

std::shared_ptr<Module> Bench::share(const Module &module) const
{
    const Impl::Entry *entry = impl_ ? impl_->find(module) : nullptr;
    return entry ? entry->module : nullptr;
}

} // namespace sim
