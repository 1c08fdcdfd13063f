// orlo-cli on the module simulator, to try it with no module and no display.
// ORLO_DEMO_MODULES names the product identifiers plugged one after the
// other (hexadecimal, comma-separated; a TM_868 three times without it).
// Once a module has been quiet for a moment after its exchanges it is
// unplugged, and the next one plugged a moment later.
#include "cli/cli.h"
#include "sim/simbench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>
#include <cstdint>
#include <unistd.h>

namespace {

constexpr int kLookMs = 100;
constexpr qint64 kQuietMs = 1500;     // after its last frame, the module is pulled
constexpr qint64 kBetweenMs = 1000;   // and the next one plugged this much later

QList<std::uint16_t> modulesToPlug()
{
    QList<std::uint16_t> ids;
    const QString named = qEnvironmentVariable("ORLO_DEMO_MODULES", QStringLiteral("02ae,02ae,02ae"));
    for (const QString &id : named.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint value = id.trimmed().toUInt(&ok, 16);
        if (ok && value <= 0xFFFF)
            ids << std::uint16_t(value);
    }
    return ids;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    orlo::cli::installSignalHandlers();
    sim::Bench &bench = sim::Bench::instance();
    QList<std::uint16_t> queue = modulesToPlug();
    sim::Module *plugged = queue.isEmpty() ? nullptr : &bench.plug(queue.takeFirst());
    std::size_t framesSeen = 0;
    QElapsedTimer quiet;
    quiet.start();
    QTimer bus;
    // The simulator runs on this thread: the command's waits turn the event
    // loop, so the bench moves between its exchanges.
    QObject::connect(&bus, &QTimer::timeout, [&] {
        if (plugged) {
            if (plugged->received.size() != framesSeen) {
                framesSeen = plugged->received.size();
                quiet.restart();
            } else if (framesSeen > 0 && quiet.elapsed() >= kQuietMs) {
                bench.unplug(*plugged);
                plugged = nullptr;
                quiet.restart();
            }
        } else if (!queue.isEmpty() && quiet.elapsed() >= kBetweenMs) {
            plugged = &bench.plug(queue.takeFirst());
            framesSeen = 0;
            quiet.restart();
        }
    });
    bus.start(kLookMs);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orlo::cli::run(app.arguments().mid(1), {out, err, isatty(STDERR_FILENO) == 1});
}
