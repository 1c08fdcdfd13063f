#include "link/modulelink.h"

#include "link/trace.h"

#include <cstring>

ModuleLink::ModuleLink(QObject *parent)
    : QObject(parent)
    , workerInbox(new QObject)
    , port(std::make_unique<orlo::Port>())
{
    worker.setObjectName(QStringLiteral("moduleLinkWorker"));
    workerInbox->moveToThread(&worker);
    worker.start();
}

ModuleLink::~ModuleLink()
{
    endWait();
    // The module is left closed so the next program finds it free.
    close();
    worker.quit();
    worker.wait();
    delete workerInbox;
}

void ModuleLink::onWorker(std::function<void()> work)
{
    QMetaObject::invokeMethod(workerInbox, std::move(work), Qt::QueuedConnection);
}

void ModuleLink::exchange(const quint8 *frame, int count, const Bounds &bounds, Answered done)
{
    const quint64 serial = ++lastSerial;
    waiting.emplace_back(serial, std::move(done));
    if (!busySaid) {
        busySaid = true;
        emit busyChanged(true);
    }
    orlo::Job job;
    std::memcpy(job.frame, frame, sizeof job.frame);
    job.reportsOut = job.reportsIn = count;
    job.writeMs = bounds.writeMs;
    job.readMs = bounds.readMs;
    // A configuration is sent only over a record that was read; refused, it
    // is still answered in its turn.
    const bool allowed = stored.allows(frame[1]);
    orlo::Port *const p = port.get();
    const auto ended = [endedUpTo = endedUpTo, serial] { return endedUpTo->load() >= serial; };
    onWorker([this, p, job, ended, serial, allowed]() mutable {
        const orlo::Answer answer = !allowed || ended() ? orlo::Answer{} : p->run(job, ended);
        QMetaObject::invokeMethod(this, [this, serial, answer] { answered(serial, answer); }, Qt::QueuedConnection);
    });
}

void ModuleLink::answered(quint64 serial, const orlo::Answer &answer)
{
    // Answers come back in the order asked.
    if (waiting.empty() || waiting.front().first != serial)
        return;
    const Answered done = std::move(waiting.front().second);
    // The port is free: `done` may ask the next exchange at once.
    waiting.pop_front();
    if (done)
        done(answer);
    // Idle only when `done` asked nothing further.
    if (waiting.empty() && busySaid) {
        busySaid = false;
        emit busyChanged(false);
    }
}

void ModuleLink::whenIdle(QObject *context, std::function<void()> then)
{
    if (!busySaid) {
        then();
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &ModuleLink::busyChanged, context, [connection, then](bool nowBusy) {
        if (nowBusy)
            return;
        QObject::disconnect(*connection);
        then();
    });
}

void ModuleLink::requestCommand(quint8 command, int reports, std::function<void(bool whole)> done,
                                const Bounds &bounds)
{
    txBuffer[0] = 0;
    txBuffer[1] = command;
    exchange(txBuffer, reports, bounds, [this, reports, done](const orlo::Answer &answer) {
        std::memcpy(rxBuffer, answer.frame, sizeof rxBuffer);
        done(answer.whole(reports));
    });
}

void ModuleLink::readStoredConfiguration(int reports, const char *trace,
                                         std::function<void(const quint8 *payload)> done, const Bounds &bounds)
{
    orlo::trace(trace);
    std::memset(txBuffer, 0, sizeof txBuffer);
    requestCommand(
        orlo::command::ReadConfiguration, reports,
        [this, done](bool whole) {
            stored.record(whole, orlo::StoredRead::now());
            stored.replaceAnswer(rxBuffer + 1, whole);
            done(rxBuffer + 1);
        },
        bounds);
}

void ModuleLink::endWait()
{
    endedUpTo->store(lastSerial);
}

bool ModuleLink::mayConfigure() const
{
    return (buildingForFile || !busy()) && stored.mayConfigure();
}

void ModuleLink::poll(std::function<void(bool refused)> done)
{
    ++pollsAsked;
    orlo::Port *const p = port.get();
    const quint64 closing = closings;
    onWorker([this, p, done, closing] {
        const orlo::BusLook look = p->look();
        QMetaObject::invokeMethod(
            this,
            [this, look, done, closing] {
                --pollsAsked;
                if (closing != closings)
                    return;
                openProductId = look.productId;
                usbSerial = look.serial;
                if (done)
                    done(look.refused);
            },
            Qt::QueuedConnection);
    });
}

void ModuleLink::close()
{
    ++closings;
    openProductId = 0;
    usbSerial.clear();
    orlo::Port *const p = port.get();
    // Closed before this returns: the next program, or the next look, finds it free.
    if (worker.isRunning())
        QMetaObject::invokeMethod(workerInbox, [p] { p->close(); }, Qt::BlockingQueuedConnection);
    else
        p->close();
}

QString ModuleLink::identity() const
{
    QString identity;
    if (!usbSerial.isEmpty())
        identity = QStringLiteral("USB serial %1").arg(usbSerial);
    if (!moduleInformation.isEmpty())
        identity += (identity.isEmpty() ? QString() : QStringLiteral("; ")) + moduleInformation;
    return identity;
}

ModuleLink::Told ModuleLink::told() const
{
    if (!information)
        return {toldIdentifier, toldFirmware};
    const QString identifier = information->identifier == orlo::rs::kNoIdentifier
                                   ? QString()
                                   : QStringLiteral("0x") + QString::number(information->identifier, 16);
    return {identifier, information->version};
}

void ModuleLink::forgetTold()
{
    moduleInformation.clear();
    information.reset();
    toldIdentifier.clear();
    toldFirmware.clear();
}
