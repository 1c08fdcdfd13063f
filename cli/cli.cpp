#include "cli/cli.h"

#include "link/buslist.h"
#include "link/checks.h"
#include "link/clockstamp.h"
#include "link/journal.h"
#include "link/modulelink.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"
#include "link/records/writeframe.h"
#include "link/writecycle.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <unistd.h>

namespace orlo::cli {

namespace {

std::atomic<bool> interruptedFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// How often a wait looks at the bus and at Ctrl+C.
constexpr int kTickMs = 100;
// udev grants access a moment after the device node appears.
constexpr int kAccessGraceMs = 2000;
constexpr int kDefaultWaitSeconds = 30;
const QString kUdevRule = QStringLiteral("60-orlo-modules.rules");
const QString kWaiting = QStringLiteral("waiting for a module... Ctrl+C to stop");

bool interrupted()
{
    return interruptedFlag.load();
}

void onSignal(int)
{
    interrupt();
}

QString hexId(int productId)
{
    return QStringLiteral("0x") + QString::number(productId, 16).rightJustified(4, QLatin1Char('0')).toUpper();
}

QString typeOf(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    return entry ? QString::fromLatin1(entry->name) : QStringLiteral("unknown");
}

QString moduleName(int productId)
{
    return QStringLiteral("module %1 (%2)").arg(hexId(productId), typeOf(productId));
}

// The types whose firmware gates a configuration by what they tell of themselves.
bool toldFirmware(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    return entry && (entry->type == ModuleType::RS_r00 || entry->type == ModuleType::RPT_r00);
}

// The repeater and the LoRaWAN-serial module answer slower, as in the window.
ModuleLink::Bounds boundsOf(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    const bool slow = entry && (entry->type == ModuleType::RPT_r00 || entry->type == ModuleType::RSLW_r00);
    return slow ? ModuleLink::kWidgetPageBounds : ModuleLink::kPageBounds;
}

// The module's own address in a payload, when its type has one shown.
QJsonValue ownAddressOf(int productId, const quint8 *payload)
{
    const QJsonObject fields = records::fieldsOf(productId, payload);
    for (const records::Field &f : records::recordOf(productId).fields)
        if (f.belongs == records::Belongs::OwnAddress && fields.contains(f.name))
            return fields.value(f.name);
    return QJsonValue();
}

struct Options {
    QString command;
    QString file;
    QString output;
    QString journal;
    qint64 waitMs = kDefaultWaitSeconds * 1000;
    bool waitGiven = false;
    bool verify = false;
    bool json = false;
    int count = 0;                  // 0: until interrupted
    std::optional<int> numberFrom;
};

// What became of one module.
struct Outcome {
    int status = kDone;
    int productId = 0;
    QString result;
    QString remarks;
    QStringList checks;
    QByteArray sent;                // the frame's payload, when one was sent
    QJsonValue ownAddress;
    bool numbered = false;
    bool stopsSeries = false;       // no address left to number
};

class Session
{
public:
    Session(const Options &options, const Output &output)
        : options(options)
        , io(output)
    {
    }

    int list();
    int read();
    int write();
    int series();

private:
    enum class Waited { Found, TimedOut, Interrupted, NoAccess };
    bool waitUntil(const std::function<bool()> &done, qint64 boundMs);
    Waited waitForModule(qint64 boundMs);
    int waitFailed(Waited waited);
    bool waitForUnplug();
    bool loadFile();
    bool openJournal();
    QByteArray readStored(int productId);
    Outcome writeModule(const records::Copy &copy);
    bool verify(Outcome &o);
    void report(const Outcome &o, bool timed);
    void status(const QString &text);
    void error(const QString &text);

    Options options;
    Output io;
    ModuleLink link;
    QByteArray document;
    QFile journal;
};

void Session::status(const QString &text)
{
    if (!io.terminal)
        return;
    io.err << '\r' << text << "\x1b[K";
    io.err.flush();
}

void Session::error(const QString &text)
{
    status(QString());
    io.err << "orlo-cli: " << text << '\n';
    io.err.flush();
}

bool Session::waitUntil(const std::function<bool()> &done, qint64 boundMs)
{
    if (done())
        return true;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer tick;
    bool reached = false;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (interrupted() || (boundMs >= 0 && clock.elapsed() >= boundMs))
            loop.quit();
        else if (done()) {
            reached = true;
            loop.quit();
        }
    });
    tick.start(kTickMs);
    if (!interrupted())
        loop.exec();
    return reached;
}

Session::Waited Session::waitForModule(qint64 boundMs)
{
    status(kWaiting);
    QElapsedTimer refused;
    bool noAccess = false;
    const bool found = waitUntil([&] {
        const bool refusedNow = link.poll();
        if (link.productId() != 0)
            return true;
        if (!refusedNow)
            refused.invalidate();
        else if (!refused.isValid())
            refused.start();
        noAccess = refused.isValid() && refused.elapsed() >= kAccessGraceMs;
        return noAccess;
    }, boundMs);
    status(QString());
    if (interrupted())
        return Waited::Interrupted;
    if (!found)
        return Waited::TimedOut;
    if (noAccess)
        return Waited::NoAccess;
    link.storedRead().expect();
    return Waited::Found;
}

int Session::waitFailed(Waited waited)
{
    switch (waited) {
    case Waited::Interrupted:
        error(QStringLiteral("interrupted while waiting for a module"));
        return kInterrupted;
    case Waited::TimedOut:
        error(QStringLiteral("no module of the family within %1 s").arg(options.waitMs / 1000.0));
        return kNoModule;
    case Waited::NoAccess:
        for (const ListedModule &m : listModules())
            if (!m.openable)
                error(QStringLiteral("%1: no access; install the udev rule %2 (see the README), then replug it")
                          .arg(moduleName(m.productId), kUdevRule));
        return kNoAccess;
    case Waited::Found:
        break;
    }
    return kDone;
}

bool Session::waitForUnplug()
{
    status(QStringLiteral("unplug the module... Ctrl+C to stop"));
    const bool gone = waitUntil([this] {
        link.poll();
        return link.productId() == 0;
    }, -1);
    status(QString());
    link.storedRead().forget();
    link.information.reset();
    link.moduleInformation.clear();
    return gone;
}

bool Session::loadFile()
{
    QFile file(options.file);
    QString problem;
    if (!file.open(QIODevice::ReadOnly))
        problem = file.errorString();
    else if (file.size() > records::kMaxDocumentBytes)
        problem = QStringLiteral("the file is larger than 1 MiB");
    if (problem.isEmpty()) {
        // The document's frame is checked before any module is waited for:
        // it must open on at least one type; the plugged one is checked later.
        document = file.read(records::kMaxDocumentBytes + 1);
        problem = QStringLiteral("it opens on no module type");
        for (const ModuleEntry &entry : kModules) {
            const QString p = records::parseDocument(document, entry.productId).problem;
            if (p.isEmpty())
                return true;
            if (&entry == &kModules.front())
                problem = p;
        }
    }
    error(QStringLiteral("the configuration in %1 cannot be opened: %2.").arg(options.file, problem));
    return false;
}

bool Session::openJournal()
{
    if (options.journal.isEmpty())
        return true;
    journal.setFileName(options.journal);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Append)) {
        error(QStringLiteral("the journal %1 cannot be opened: %2.").arg(options.journal, journal.errorString()));
        return false;
    }
    if (journal.size() == 0)
        journal.write(Journal::csvHeader());
    return true;
}

QByteArray Session::readStored(int productId)
{
    const quint8 *payload = link.readStoredConfiguration(findModule(quint16(productId))->reportsPerFrame, "");
    if (link.storedRead().failed())
        return {};
    return QByteArray(reinterpret_cast<const char *>(payload), kFrameBufferSize - 1);
}

Outcome Session::writeModule(const records::Copy &copy)
{
    Outcome o;
    o.productId = link.productId();
    const QString module = moduleName(o.productId);
    const auto refuse = [&](int status, const QString &result, const QString &remarks) {
        o.status = status;
        o.result = result;
        o.remarks = remarks;
        error(QStringLiteral("%1: %2").arg(module, remarks));
        return o;
    };
    const QByteArray answer = readStored(o.productId);
    if (answer.isEmpty())
        return refuse(kNoModule, result::kFailed,
                      QStringLiteral("its stored configuration could not be read whole; nothing was sent"));
    const auto *answered = reinterpret_cast<const quint8 *>(answer.constData());
    o.ownAddress = ownAddressOf(o.productId, answered);

    const records::Parsed parsed = records::parseDocument(document, o.productId);
    if (!parsed.problem.isEmpty())
        return refuse(kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 cannot be applied: %2").arg(options.file, parsed.problem));
    const QString fileKind = records::inputKindOf(parsed.productId);
    const QString moduleKind = records::inputKindOf(o.productId);
    if (fileKind != moduleKind)
        return refuse(kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 was saved from a module with a %2 input; this module "
                                     "has a %3 input. They are different sensors")
                          .arg(options.file, fileKind, moduleKind));
    const records::Opened opened = records::applyFields(parsed.fields, o.productId, answered, copy);
    if (!opened.problem.isEmpty()) {
        o.stopsSeries = opened.outOfAddresses;
        return refuse(kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 cannot be applied: %2").arg(options.file, opened.problem));
    }
    o.numbered = opened.numbered;

    // The bridge and the repeater say what their firmware offers before a
    // file may use it, as they do to the window.
    const ModuleEntry &entry = *findModule(quint16(o.productId));
    if (toldFirmware(o.productId)) {
        std::memset(link.txBuffer, 0, sizeof link.txBuffer);
        if (!link.requestCommand(command::ReadLive, entry.reportsPerFrame))
            return refuse(kNoModule, result::kFailed,
                          QStringLiteral("it did not tell its firmware version; nothing was sent"));
        link.information = rs::decodeInformation(link.rxBuffer + 1, kReportPayload * entry.reportsPerFrame);
        link.moduleInformation = rs::statusText(*link.information);
    }

    const QByteArray frame = records::configurationFrameOf(o.productId, opened.record, currentDateTime());
    const auto *payload = reinterpret_cast<const quint8 *>(frame.constData());
    o.ownAddress = ownAddressOf(o.productId, payload);
    const checks::Failed failed = checks::failedChecks(o.productId, payload, link.information);
    if (failed.any()) {
        for (const QString &line : failed.lines)
            o.checks << line.trimmed();
        return refuse(kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 is refused: %2")
                          .arg(options.file, o.checks.join(QStringLiteral("; "))));
    }

    std::memset(link.txBuffer, 0, sizeof link.txBuffer);
    std::memcpy(link.txBuffer + 1, frame.constData(), size_t(frame.size()));
    const ModuleLink::Bounds bounds = boundsOf(o.productId);
    const CycleLink through{
        [this, bounds](quint8 *f, quint8 count) { return link.writeReports(f, count, bounds); },
        [this, bounds](quint8 *f, quint8 count, int mode) { return link.readReports(f, count, mode, bounds); },
        nullptr, nullptr};
    const CycleRun run{QStringLiteral("orlo-cli ") + options.command, entry.reportsPerFrame, kTickMs, nullptr,
                       nullptr};
    o.sent = frame;
    if (!exchangeCycle(through, link.txBuffer, link.rxBuffer, run))
        return refuse(kNotWritten, result::kFailed, QStringLiteral("it did not accept the configuration"));
    o.result = options.verify ? result::kVerified : result::kOk;
    if (options.verify && !verify(o))
        return refuse(kNotWritten, result::kFailed, o.remarks);
    return o;
}

bool Session::verify(Outcome &o)
{
    const QByteArray stored = readStored(o.productId);
    if (stored.isEmpty()) {
        o.remarks = QStringLiteral("The configuration written could not be read back");
        return false;
    }
    const QStringList differing = records::differingFields(
        o.productId, reinterpret_cast<const quint8 *>(o.sent.constData()),
        reinterpret_cast<const quint8 *>(stored.constData()));
    if (differing.isEmpty())
        return true;
    o.remarks = QStringLiteral("Stored otherwise than written: %1").arg(differing.join(QStringLiteral(", ")));
    return false;
}

void Session::report(const Outcome &o, bool timed)
{
    JournalEntry entry;
    entry.time = currentDateTime();
    entry.productId = o.productId;
    entry.moduleType = typeOf(o.productId);
    entry.module = link.identity();
    entry.button = QStringLiteral("orlo-cli ") + options.command;
    entry.result = o.result;
    entry.remarks = o.checks.isEmpty() ? o.remarks : o.checks.join(QStringLiteral(" "));
    if (!o.sent.isEmpty())
        entry.configuration = records::readable(o.productId, reinterpret_cast<const quint8 *>(o.sent.constData()));
    if (journal.isOpen()) {
        // On disk before the next module: a power cut loses no finished one.
        journal.write(Journal::csvRow(entry));
        journal.flush();
        ::fsync(journal.handle());
    }
    if (options.json) {
        QJsonObject line{{QStringLiteral("time"), entry.time.toString(Qt::ISODate)},
                         {QStringLiteral("product id"), hexId(o.productId)},
                         {QStringLiteral("module type"), entry.moduleType},
                         {QStringLiteral("own address"), o.ownAddress},
                         {QStringLiteral("result"), o.result}};
        if (!entry.remarks.isEmpty())
            line.insert(QStringLiteral("remarks"), entry.remarks);
        if (!o.checks.isEmpty())
            line.insert(QStringLiteral("checks"), QJsonArray::fromStringList(o.checks));
        io.out << QJsonDocument(line).toJson(QJsonDocument::Compact) << '\n';
    } else if (timed) {
        const QString own = o.ownAddress.isUndefined() ? QStringLiteral("-") : o.ownAddress.toVariant().toString();
        io.out << Journal::cells(entry).first() << ' ' << hexId(o.productId) << ' ' << own << ' ' << o.result << '\n';
    } else {
        io.out << o.result << '\n';
    }
    io.out.flush();
}

int Session::list()
{
    int status = kDone;
    for (const ListedModule &m : listModules()) {
        if (!m.openable)
            status = kNoAccess;
        const QString access = m.openable ? QStringLiteral("ok")
                                          : QStringLiteral("no access (install the udev rule %1)").arg(kUdevRule);
        if (options.json)
            io.out << QJsonDocument(QJsonObject{{QStringLiteral("product id"), hexId(m.productId)},
                                                {QStringLiteral("module type"), typeOf(m.productId)},
                                                {QStringLiteral("access"), m.openable}})
                          .toJson(QJsonDocument::Compact)
                   << '\n';
        else
            io.out << hexId(m.productId) << ' ' << typeOf(m.productId) << ' ' << access << '\n';
    }
    io.out.flush();
    return status;
}

int Session::read()
{
    const Waited waited = waitForModule(options.waitMs);
    if (waited != Waited::Found)
        return waitFailed(waited);
    const int productId = link.productId();
    const QByteArray answer = readStored(productId);
    if (answer.isEmpty()) {
        error(QStringLiteral("%1: its stored configuration could not be read whole").arg(moduleName(productId)));
        return kNoModule;
    }
    const QByteArray saved =
        records::documentOf(productId, reinterpret_cast<const quint8 *>(answer.constData()), currentDateTime());
    if (options.output.isEmpty()) {
        io.out << QString::fromUtf8(saved);
        io.out.flush();
        return kDone;
    }
    QSaveFile file(options.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(saved) < 0 || !file.commit()) {
        error(QStringLiteral("the configuration of %1 could not be saved in %2: %3.")
                  .arg(moduleName(productId), options.output, file.errorString()));
        return kBadInput;
    }
    return kDone;
}

int Session::write()
{
    if (!loadFile() || !openJournal())
        return kBadInput;
    const Waited waited = waitForModule(options.waitMs);
    if (waited != Waited::Found)
        return waitFailed(waited);
    // Opened on one module, a file copies its own address too, as in the window.
    const Outcome o = writeModule({});
    report(o, false);
    return interrupted() ? kInterrupted : o.status;
}

int Session::series()
{
    if (!loadFile() || !openJournal())
        return kBadInput;
    using Own = records::Copy::Own;
    int written = 0;
    int notWritten = 0;
    int status = kDone;
    int nextAddress = options.numberFrom.value_or(0);
    while (!interrupted() && (options.count == 0 || written < options.count)) {
        // Without --wait the bench waits for its next module as long as it takes.
        const Waited waited = waitForModule(options.waitGiven ? options.waitMs : -1);
        if (waited != Waited::Found) {
            if (waited != Waited::Interrupted)
                status = waitFailed(waited);
            break;
        }
        const Outcome o = writeModule(options.numberFrom ? records::Copy{Own::Numbered, nextAddress}
                                                         : records::Copy{Own::Kept, 0});
        report(o, true);
        if (o.status == kDone) {
            ++written;
            nextAddress += o.numbered ? 1 : 0;
        } else {
            ++notWritten;
            status = status == kDone ? o.status : status;
        }
        if (o.stopsSeries || interrupted() || (options.count != 0 && written >= options.count) || !waitForUnplug())
            break;
    }
    if (options.json)
        io.out << QJsonDocument(QJsonObject{{QStringLiteral("written"), written},
                                            {QStringLiteral("not written"), notWritten},
                                            {QStringLiteral("interrupted"), interrupted()}})
                      .toJson(QJsonDocument::Compact)
               << '\n';
    else
        io.out << QStringLiteral("series: %1 written, %2 not written%3\n")
                      .arg(written)
                      .arg(notWritten)
                      .arg(interrupted() ? QStringLiteral(", interrupted") : QString());
    io.out.flush();
    return interrupted() ? kInterrupted : status;
}

const char *const kExitStatuses =
    "Exit status:\n"
    "  0    all done\n"
    "  1    a write refused by the module, failed or not verified\n"
    "  2    a bad file, a failed check or a bad command line\n"
    "  3    no module within the wait, or its read failed\n"
    "  4    no access to the module (udev rule missing)\n"
    "  130  interrupted (Ctrl+C, SIGTERM)\n";

} // namespace

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

int run(const QStringList &arguments, const Output &output)
{
    interruptedFlag.store(false);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads, checks and writes the configuration of Orlo radio modules on the USB bus.\n\n"
        "Commands:\n"
        "  list                the modules on the bus: product id, type, access\n"
        "  read [-o FILE]      the plugged module's configuration as a JSON document\n"
        "  write FILE          applies FILE to the plugged module\n"
        "  series FILE         applies FILE to each module plugged, one after the other\n\n")
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
    const QCommandLineOption journal(QStringLiteral("journal"),
                                     QStringLiteral("Append a row per module to this CSV file."),
                                     QStringLiteral("file.csv"));
    parser.addOptions({help, version, json, wait, out, verify, count, numberFrom, journal});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("list, read, write or series"));
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
    if (!needsFile && options.command != QLatin1String("list") && options.command != QLatin1String("read"))
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
    options.verify = parser.isSet(verify);
    options.json = parser.isSet(json);

    Session session(options, output);
    if (options.command == QLatin1String("list"))
        return session.list();
    if (options.command == QLatin1String("read"))
        return session.read();
    if (options.command == QLatin1String("write"))
        return session.write();
    return session.series();
}

} // namespace orlo::cli
