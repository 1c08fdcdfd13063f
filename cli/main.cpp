#include "cli/cli.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    orlo::cli::nameApplication();
    orlo::cli::installSignalHandlers();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orlo::cli::run(app.arguments().mid(1), {out, err, isatty(STDERR_FILENO) == 1});
}
