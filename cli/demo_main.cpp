// orlo-cli on the module simulator, to try it with no module and no display.
// ORLO_DEMO_MODULES names the product identifiers plugged one after the
// other (hexadecimal, comma-separated; a TM_868 three times without it);
// ORLO_DEMO_QUIET_MS how long a module stays plugged after its last frame.
// Its rows go to the demo's history, which the window's demo shares.
#include "cli/cli.h"
#include "sim/demohistory.h"
#include "sim/modulequeue.h"

#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    orlo::cli::nameApplication();
    sim::useDemoHistory();
    orlo::cli::installSignalHandlers();
    QList<std::uint16_t> ids;
    const QString named = qEnvironmentVariable("ORLO_DEMO_MODULES", QStringLiteral("02ae,02ae,02ae"));
    for (const QString &id : named.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint value = id.trimmed().toUInt(&ok, 16);
        if (ok && value <= 0xFFFF)
            ids << std::uint16_t(value);
    }
    const qint64 quietMs = qEnvironmentVariableIntValue("ORLO_DEMO_QUIET_MS");
    const ModuleQueue modules(ids, {}, nullptr, quietMs > 0 ? quietMs : ModuleQueue::kQuietMs);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orlo::cli::run(app.arguments().mid(1), {out, err, isatty(STDERR_FILENO) == 1});
}
