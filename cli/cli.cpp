#include "cli/cli.h"

#include "cli/posix.h"
#include "cli/session.h"
#include "link/maker.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace orlo::cli {

namespace {

const char *const kExitStatuses =
    "Exit status:\n"
    "  0    all done\n"
    "  1    a write refused by the module, failed or not verified\n"
    "  2    a bad file, a failed check or a bad command line\n"
    "  3    no module within the wait, or its read failed\n"
    "  4    no access to the module (udev rule missing)\n"
    "  5    the history could not be written (outranks 1 to 4 and 130)\n"
    "  130  interrupted (Ctrl+C, SIGTERM)\n";

} // namespace

void nameApplication()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(maker::kOrganisationName));
    QCoreApplication::setOrganizationDomain(QString::fromLatin1(maker::kOrganisationDomain));
    QCoreApplication::setApplicationName(QString::fromLatin1(maker::kApplicationName));
}

int run(const QStringList &arguments, const Output &output)
{
    clearInterrupted();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, checks and writes the configuration of Orlo radio modules on the USB bus.\n\n"
        "Commands:\n"
        "  list                the modules on the bus: product id, type, access\n"
        "  read [-o FILE]      the plugged module's configuration as a JSON document\n"
        "  write FILE          applies FILE to the plugged module\n"
        "  series FILE         applies FILE to each module plugged, one after the other\n"
        "  history             the history's rows, oldest first (--since YYYY-MM-DD: from\n"
        "                      that day; --bench NAME: that bench's): time, product id,\n"
        "                      type, own address, result, button, bench\n\n"
        "Each module written or refused is a row of the history, committed before its\n"
        "result is printed. The history is an SQLite file, or a PostgreSQL server that\n"
        "a line's benches share (postgresql://user@host/database; the password from\n"
        "~/.pgpass or PGPASSWORD). Rows wait on the bench while the server cannot be\n"
        "reached, and go to it when it answers. A numbered series on a server takes\n"
        "each module's own address from it (--series-name NAME), and is refused\n"
        "without it.\n\n")
        + QString::fromLatin1(kExitStatuses));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("The program's version."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("One JSON object per line."));
    const QCommandLineOption wait(QStringLiteral("wait"),
                                  QStringLiteral("Wait this long for a module (read, write: 30; series: "
                                                 "no limit)."),
                                  QStringLiteral("seconds"));
    const QCommandLineOption out({QStringLiteral("o"), QStringLiteral("output")},
                                 QStringLiteral("read: the file to save in (standard output without)."),
                                 QStringLiteral("file"));
    const QCommandLineOption verify(QStringLiteral("verify"), QStringLiteral("Read back what was written."));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("series: stop after N modules written."),
                                   QStringLiteral("N"));
    const QCommandLineOption numberFrom(QStringLiteral("number-from"),
                                        QStringLiteral("series: number the modules' own addresses from N (each "
                                                       "keeps its own without)."),
                                        QStringLiteral("N"));
    const QCommandLineOption seriesName(QStringLiteral("series-name"),
                                        QStringLiteral("series: the numbered series' name; benches sharing a "
                                                       "history server number it together."),
                                        QStringLiteral("NAME"));
    const QCommandLineOption journal(QStringLiteral("journal"),
                                     QStringLiteral("Append a row per module to this CSV file."),
                                     QStringLiteral("file.csv"));
    const QCommandLineOption history(QStringLiteral("history"),
                                     QStringLiteral("The history: a file, or postgresql://user@host/database "
                                                    "(ORLO_HISTORY, else the user's data folder)."),
                                     QStringLiteral("file|URL"));
    const QCommandLineOption since(QStringLiteral("since"), QStringLiteral("history: the rows from this day on."),
                                   QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption bench(QStringLiteral("bench"), QStringLiteral("history: the rows of this bench only."),
                                   QStringLiteral("NAME"));
    parser.addOptions({help, version, json, wait, out, verify, count, numberFrom, seriesName, journal, history, since,
                       bench});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("list, read, write, series or history"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("write, series: the configuration file"),
                                 QStringLiteral("[file]"));

    const auto usage = [&](const QString &problem) {
        output.err << "orlo-cli: " << problem << "\nTry 'orlo-cli --help'.\n";
        output.err.flush();
        return int(kBadInput);
    };
    if (!parser.parse(QStringList{QStringLiteral("orlo-cli")} + arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        output.out << parser.helpText();
        output.out.flush();
        return kDone;
    }
    if (parser.isSet(version)) {
        output.out << "orlo-cli " << ORLO_VERSION << '\n';
        output.out.flush();
        return kDone;
    }
    Options options;
    const QStringList positional = parser.positionalArguments();
    options.command = positional.value(0);
    options.file = positional.value(1);
    const bool needsFile = options.command == QLatin1String("write") || options.command == QLatin1String("series");
    if (!needsFile && options.command != QLatin1String("list") && options.command != QLatin1String("read")
        && options.command != QLatin1String("history"))
        return usage(options.command.isEmpty() ? QStringLiteral("no command given")
                                               : QStringLiteral("unknown command \"%1\"").arg(options.command));
    if (positional.size() != (needsFile ? 2 : 1))
        return usage(needsFile ? QStringLiteral("%1 takes one configuration file").arg(options.command)
                               : QStringLiteral("%1 takes no file").arg(options.command));
    const auto number = [&](const QCommandLineOption &option, int lowest, int *value) {
        bool ok = true;
        if (parser.isSet(option))
            *value = parser.value(option).toInt(&ok);
        return ok && *value >= lowest;
    };
    int seconds = kDefaultWaitSeconds;
    int first = 0;
    if (!number(wait, 0, &seconds) || !number(count, 0, &options.count) || !number(numberFrom, 0, &first))
        return usage(QStringLiteral("--wait, --count and --number-from take a whole number, 0 or more"));
    options.waitMs = qint64(seconds) * 1000;
    options.waitGiven = parser.isSet(wait);
    if (parser.isSet(numberFrom))
        options.numberFrom = first;
    options.output = parser.value(out);
    options.journal = parser.value(journal);
    options.history = parser.isSet(history) ? parser.value(history) : History::defaultLocation();
    if (options.history.isEmpty())
        return usage(QStringLiteral("--history takes a file or a postgresql:// URL"));
    options.seriesName = parser.value(seriesName).trimmed();
    if (parser.isSet(seriesName) && (options.seriesName.isEmpty() || !parser.isSet(numberFrom)))
        return usage(QStringLiteral("--series-name takes a name, with --number-from"));
    if (parser.isSet(numberFrom) && History::isServer(options.history) && options.seriesName.isEmpty())
        return usage(QStringLiteral("a numbered series on a history server takes --series-name"));
    options.bench = parser.value(bench);
    if (parser.isSet(since)) {
        options.since = QDate::fromString(parser.value(since), QStringLiteral("yyyy-MM-dd"));
        if (!options.since.isValid())
            return usage(QStringLiteral("--since takes a date, YYYY-MM-DD"));
    }
    options.verify = parser.isSet(verify);
    options.json = parser.isSet(json);

    Session session(options, output);
    if (options.command == QLatin1String("list"))
        return session.list();
    if (options.command == QLatin1String("read"))
        return session.read();
    if (options.command == QLatin1String("write"))
        return session.write();
    if (options.command == QLatin1String("history"))
        return session.history();
    return session.series();
}

} // namespace orlo::cli
