#include "cli/session.h"

#include "cli/posix.h"
#include "link/buslist.h"
#include "link/checks.h"
#include "link/clockstamp.h"
#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/writeframe.h"
#include "link/writecycle.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QTimer>
#include <cstring>

namespace orlo::cli {

namespace {

// How often a wait looks at the bus and at Ctrl+C.
constexpr int kTickMs = 100;
// How often a wait on the module looks at Ctrl+C.
constexpr int kInterruptLookMs = 20;
// udev grants access a moment after the device node appears.
constexpr int kAccessGraceMs = 2000;
const QString kWaiting = QStringLiteral("waiting for a module... Ctrl+C to stop");

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

} // namespace

Session::Session(const Options &options, const Output &output)
    : options(options)
    , io(output)
{
}

void Session::error(const QString &text)
{
    sayError(io, text);
}

bool Session::waitUntil(const std::function<bool(bool refused)> &done, qint64 boundMs)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer tick;
    bool reached = false;
    bool waiting = true;
    // A look at the bus each tick, run by the link's thread.
    const auto look = [&] {
        if (link.polling())
            return;
        link.poll([&](bool refused) {
            if (waiting && done(refused)) {
                reached = true;
                loop.quit();
            }
        });
    };
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (interrupted() || (boundMs >= 0 && clock.elapsed() >= boundMs))
            loop.quit();
        else
            look();
    });
    look();
    tick.start(kTickMs);
    if (!interrupted())
        loop.exec();
    waiting = false;
    // The last look's answer comes before its listeners go.
    while (link.polling())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return reached;
}

void Session::await(const std::function<void(std::function<void()> finished)> &ask, Interrupt interrupt)
{
    QEventLoop loop;
    bool over = false;
    QTimer watch;
    // Ctrl+C ends a read's wait at once (nothing was sent that it could
    // leave half done); its answer still comes back, empty.
    QObject::connect(&watch, &QTimer::timeout, &loop, [this] {
        if (interrupted())
            link.endWait();
    });
    if (interrupt == Interrupt::EndsTheWait)
        watch.start(kInterruptLookMs);
    ask([&] {
        over = true;
        loop.quit();
    });
    if (!over)
        loop.exec();
}

Session::Waited Session::waitForModule(qint64 boundMs)
{
    showStatus(io, kWaiting);
    QElapsedTimer refused;
    bool noAccess = false;
    const bool found = waitUntil([&](bool refusedNow) {
        if (link.productId() != 0)
            return true;
        if (!refusedNow)
            refused.invalidate();
        else if (!refused.isValid())
            refused.start();
        noAccess = refused.isValid() && refused.elapsed() >= kAccessGraceMs;
        return noAccess;
    }, boundMs);
    showStatus(io, QString());
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
    showStatus(io, QStringLiteral("unplug the module... Ctrl+C to stop"));
    const bool gone = waitUntil([this](bool) {
        return link.productId() == 0;
    }, -1);
    showStatus(io, QString());
    link.storedRead().forget();
    link.forgetTold();
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
        journal.write(journal::csvHeader());
    return true;
}

void Session::openHistory()
{
    log.emplace(options.history, QStringLiteral("orlo-cli " ORLO_VERSION));
    provisioning.emplace(link, *log);
    provisioning->verify = options.verify;
    provisioning->rowRecorded = [this](const JournalEntry &row, bool saved) { rowRecorded(row, saved); };
    link.cycleObserver = &*provisioning;
}

void Session::rowRecorded(const JournalEntry &row, bool saved)
{
    lastRow = row;
    if (!saved && !historyFailed) {
        historyFailed = true;
        error(QStringLiteral("%1; the rows of this run are not in it.").arg(log->problem()));
    }
    if (saved && log->onServer())
        sayWaiting();
    if (journal.isOpen()) {
        // On disk before the next module: a power cut loses no finished one.
        journal.write(journal::csvRow(row));
        syncToDisk(journal);
    }
}

void Session::sayWaiting()
{
    const int waiting = log->waiting();
    if (waiting == 0)
        return;
    // Why, once: then how many, after each row.
    const bool news = log->serverProblem() != saidServerProblem;
    saidServerProblem = log->serverProblem();
    error(QStringLiteral("%1 row(s) wait on this bench for the history server%2.")
              .arg(waiting)
              .arg(news ? QStringLiteral(": ") + saidServerProblem : QString()));
}

int Session::finalStatus(int status) const
{
    return historyFailed ? int(kHistoryNotWritten) : status;
}

QByteArray Session::readStored(int productId)
{
    QByteArray stored;
    await([&](std::function<void()> finished) {
        link.readStoredConfiguration(findModule(quint16(productId))->reportsPerFrame, "",
                                     [&, finished](const quint8 *payload) {
                                         if (!link.storedRead().failed())
                                             stored = QByteArray(reinterpret_cast<const char *>(payload),
                                                                 kFrameBufferSize - 1);
                                         finished();
                                     },
                                     boundsOf(productId));
    });
    return stored;
}

Outcome Session::writeModule(bool inSeries)
{
    Outcome o;
    const int productId = link.productId();
    const QString module = moduleName(productId);
    const QString button = QStringLiteral("orlo-cli ") + options.command;
    // Refused or failed before the cycle: the row is made here, the
    // module's own address as it stores it.
    const auto refuse = [&](int status, const QString &result, const QString &remarks) {
        // Nothing was sent: an address the server gave this module is free again.
        if (inSeries)
            provisioning->series.forgetModule();
        o.status = status;
        o.result = result;
        o.remarks = remarks;
        o.row = provisioning->rowNow(button, result, o.checks.isEmpty() ? remarks : o.checks.join(QStringLiteral(" ")),
                                     nullptr);
        provisioning->record(o.row);
        error(QStringLiteral("%1: %2").arg(module, remarks));
        return o;
    };
    const QByteArray answer = readStored(productId);
    if (answer.isEmpty())
        return refuse(kNoModule, result::kFailed,
                      QStringLiteral("its stored configuration could not be read whole; nothing was sent"));
    const auto *answered = reinterpret_cast<const quint8 *>(answer.constData());

    const records::Parsed parsed = records::parseDocument(document, productId);
    if (!parsed.problem.isEmpty())
        return refuse(kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 cannot be applied: %2").arg(options.file, parsed.problem));
    const QString otherSensor = differentInputs(options.file, parsed.productId, productId);
    if (!otherSensor.isEmpty())
        return refuse(kBadInput, result::kInvalid, otherSensor);
    // Opened on one module, a file copies its own address too, as in the
    // window; a series keeps each module's or numbers them.
    Series &series = provisioning->series;
    if (inSeries)
        series.setFile(options.file, parsed.productId, parsed.fields);
    const records::Opened opened =
        inSeries ? series.fill(productId, answered) : records::applyFields(parsed.fields, productId, answered);
    if (!opened.problem.isEmpty()) {
        o.stopsSeries = opened.outOfAddresses;
        // A numbered series stops when its server went away, as when it was away from the start.
        const bool noServer = o.stopsSeries && series.sharesAddresses() && !log->reachServer();
        return refuse(noServer ? kHistoryNotWritten : kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 cannot be applied: %2").arg(options.file, opened.problem));
    }

    // The bridge and the repeater say what their firmware offers before a
    // file may use it, as they do to the window.
    const ModuleEntry &entry = *findModule(quint16(productId));
    if (toldFirmware(productId)) {
        std::memset(link.txBuffer, 0, sizeof link.txBuffer);
        bool told = false;
        await([&](std::function<void()> finished) {
            link.requestCommand(
                command::ReadLive, entry.reportsPerFrame,
                [&, finished](bool whole) {
                    told = whole;
                    finished();
                },
                boundsOf(productId));
        });
        if (!told)
            return refuse(kNoModule, result::kFailed,
                          QStringLiteral("it did not tell its firmware version; nothing was sent"));
        link.information = rs::decodeInformation(link.rxBuffer + 1, kReportPayload * entry.reportsPerFrame);
        link.moduleInformation = rs::statusText(*link.information);
    }

    const QByteArray frame = records::configurationFrameOf(productId, opened.record, currentDateTime());
    const checks::Failed failed =
        checks::failedChecks(productId, reinterpret_cast<const quint8 *>(frame.constData()), link.information);
    if (failed.any()) {
        for (const QString &line : failed.lines)
            o.checks << line.trimmed();
        return refuse(kBadInput, result::kInvalid,
                      QStringLiteral("the configuration in %1 is refused: %2")
                          .arg(options.file, o.checks.join(QStringLiteral("; "))));
    }

    // The core reads back (--verify), counts the series and commits the
    // row before the cycle returns.
    std::memset(link.txBuffer, 0, sizeof link.txBuffer);
    std::memcpy(link.txBuffer + 1, frame.constData(), size_t(frame.size()));
    const ModuleLink::Bounds bounds = boundsOf(productId);
    const CycleLink through{[this, bounds](const quint8 *f, int reports, CycleLink::Answered answered) {
                                link.exchange(f, reports, bounds, std::move(answered));
                            },
                            nullptr, nullptr, link.cycleObserver};
    const CycleRun run{button, entry.reportsPerFrame, kTickMs, nullptr, nullptr};
    // A write in flight is let finish within its bound, so that its row
    // says what the module did; Ctrl+C stops the series after it.
    bool accepted = false;
    await(
        [&](std::function<void()> finished) {
            exchangeCycle(through, link.txBuffer, link.rxBuffer, run, [&, finished](bool taken) {
                accepted = taken;
                finished();
            });
        },
        Interrupt::WaitsForTheAnswer);
    o.row = lastRow;
    o.result = o.row.result;
    if (accepted)
        return o;
    o.status = kNotWritten;
    // The read-back's remark, else the module's refusal.
    o.remarks = o.row.remarks.isEmpty() ? QStringLiteral("it did not accept the configuration") : o.row.remarks;
    error(QStringLiteral("%1: %2").arg(module, o.remarks));
    return o;
}

int Session::list()
{
    int status = kDone;
    for (const ListedModule &m : listModules()) {
        if (!m.openable)
            status = kNoAccess;
        printListed(io, m.productId, m.openable, options.json);
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
    if (answer.isEmpty() && interrupted()) {
        error(QStringLiteral("interrupted while reading %1").arg(moduleName(productId)));
        return kInterrupted;
    }
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
    openHistory();
    const Waited waited = waitForModule(options.waitMs);
    if (waited != Waited::Found)
        return waitFailed(waited);
    const Outcome o = writeModule(false);
    printOutcome(io, o, false, options.json);
    return finalStatus(interrupted() ? kInterrupted : o.status);
}

int Session::series()
{
    if (!loadFile() || !openJournal())
        return kBadInput;
    openHistory();
    const Series &series = provisioning->series;
    provisioning->series.numberFrom(options.numberFrom);
    provisioning->series.setName(options.seriesName);
    // A line's benches number a series from the server alone: never a guess.
    if (options.numberFrom && log->onServer() && !log->reachServer()) {
        error(QStringLiteral("the series is not numbered: its own addresses come from the history server, "
                             "and %1.")
                  .arg(log->serverProblem()));
        return kHistoryNotWritten;
    }
    int notWritten = 0;
    int status = kDone;
    while (!interrupted() && (options.count == 0 || series.written() < options.count)) {
        // Without --wait the bench waits for its next module as long as it takes.
        const Waited waited = waitForModule(options.waitGiven ? options.waitMs : -1);
        if (waited != Waited::Found) {
            if (waited != Waited::Interrupted)
                status = waitFailed(waited);
            break;
        }
        const Outcome o = writeModule(true);
        printOutcome(io, o, true, options.json);
        if (o.status != kDone) {
            ++notWritten;
            status = status == kDone ? o.status : status;
        }
        // With no history the bench stops: no module goes untraced.
        if (o.stopsSeries || historyFailed || interrupted()
            || (options.count != 0 && series.written() >= options.count) || !waitForUnplug())
            break;
    }
    printSeriesSummary(io, series.written(), notWritten, interrupted(), log->onServer() ? log->waiting() : -1,
                       options.json);
    return finalStatus(interrupted() ? kInterrupted : status);
}

int Session::history()
{
    // Reading a file creates nothing: no file, no row yet.
    if (!History::isServer(options.history) && !QFileInfo::exists(options.history)) {
        error(QStringLiteral("no history in %1 yet.").arg(options.history));
        return kDone;
    }
    // Opening a server's history sends the rows waiting on this bench first.
    History stored(options.history, QStringLiteral("orlo-cli " ORLO_VERSION));
    if (!stored.problem().isEmpty()) {
        error(stored.problem() + QLatin1Char('.'));
        return kBadInput;
    }
    if (stored.onServer() && !stored.reachServer()) {
        error(stored.serverProblem() + QStringLiteral("; only the rows waiting on this bench are shown."));
    }
    HistoryFilter filter;
    filter.from = options.since;
    filter.bench = options.bench;
    for (const JournalEntry &row : stored.rows(filter))
        printHistoryRow(io, row, options.json);
    io.out.flush();
    return kDone;
}

} // namespace orlo::cli
