#include "cli/posix.h"

#include "cli/cli.h"

#include <QFile>
#include <atomic>
#include <csignal>
#include <unistd.h>

namespace orlo::cli {

namespace {

std::atomic<bool> interruptedFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void onSignal(int)
{
    interrupt();
}

} // namespace

bool interrupted()
{
    return interruptedFlag.load();
}

void clearInterrupted()
{
    interruptedFlag.store(false);
}

void interrupt()
{
    interruptedFlag.store(true);
}

void installSignalHandlers()
{
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void syncToDisk(QFile &file)
{
    file.flush();
    ::fsync(file.handle());
}

} // namespace orlo::cli
