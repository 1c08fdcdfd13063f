#include "link/provisioning.h"

#include "link/clockstamp.h"
#include "link/modulelink.h"
#include "link/moduletable.h"
#include "link/records/recordfields.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>
#include <cstring>

namespace orlo {

namespace {

constexpr int kPayloadSize = kFrameBufferSize - 1;

bool sendsRecord(quint8 command)
{
    return command == command::WriteConfiguration || command == command::WriteAndClearCounters;
}

bool sameType(int a, int b)
{
    const ModuleEntry *x = findModule(quint16(a));
    const ModuleEntry *y = findModule(quint16(b));
    return x && y && x->type == y->type;
}

// The module's own address in a payload laid out as Write sends it, where
// its type has one.
QString ownAddressOf(int productId, const quint8 *payload)
{
    if (!findModule(quint16(productId)))
        return {};
    const QJsonObject fields = records::fieldsOf(productId, payload);
    for (const records::Field &f : records::recordOf(productId).fields)
        if (f.belongs == records::Belongs::OwnAddress && fields.contains(f.name))
            return fields.value(f.name).toVariant().toString();
    return {};
}

// The highest number every own-address field of the type accepts; -1 for
// a type without one.
int highestOwnAddress(int productId)
{
    int highest = -1;
    for (const records::Field &f : records::recordOf(productId).fields)
        if (f.belongs == records::Belongs::OwnAddress)
            highest = highest < 0 ? int(f.maximum) : std::min(highest, int(f.maximum));
    return highest;
}

} // namespace

void Series::setFile(const QString &path, int productId, const QJsonObject &fields)
{
    if (QFileInfo(path).fileName() != fileName() || !sameType(productId, fileProduct))
        writtenCount = 0;
    filePath = path;
    fileProduct = productId;
    fileFields = fields;
}

QString Series::fileName() const
{
    return QFileInfo(filePath).fileName();
}

bool Series::serves(int productId) const
{
    return hasFile() && sameType(productId, fileProduct);
}

void Series::numberFrom(std::optional<int> firstAddress)
{
    first = firstAddress;
    next = first.value_or(0);
    lastTaken = -1;
}

void Series::restart()
{
    writtenCount = 0;
    next = first.value_or(0);
    lastTaken = -1;
}

records::Opened Series::fill(int productId, const quint8 *answer)
{
    using Own = records::Copy::Own;
    forgetModule();
    if (!first)
        return hold(productId, answer, {Own::Kept, 0}, true);
    const int highest = findModule(quint16(productId)) ? highestOwnAddress(productId) : -1;
    if (!counter || highest < 0)
        return hold(productId, answer, {Own::Numbered, next}, true);
    // Never a guess: without the server's address the module gets none.
    const TakenAddress given = counter->takeAddress(seriesName_, *first, highest);
    if (given.address < 0)
        return {{}, QStringLiteral("no own address was given to it: a numbered series takes them from the history "
                                   "server, and %1").arg(given.problem),
                false, true};
    const records::Opened opened = hold(productId, answer, {Own::Numbered, given.address}, true);
    taken = given.address;
    takenIn = seriesName_;
    if (opened.numbered)
        lastTaken = taken;
    else
        forgetModule();   // refused, or the module's role shows no own address
    return opened;
}

records::Opened Series::open(int productId, const quint8 *answer, bool counted)
{
    return hold(productId, answer, {}, counted);
}

records::Opened Series::hold(int productId, const quint8 *answer, const records::Copy &copy, bool counted)
{
    forgetModule();
    const records::Opened opened = records::applyFields(fileFields, productId, answer, copy);
    if (!opened.problem.isEmpty())
        return opened;
    filledPayload = QByteArray(reinterpret_cast<const char *>(answer), kPayloadSize);
    std::memcpy(filledPayload.data() + records::recordOf(productId).first, opened.record.constData(),
                size_t(opened.record.size()));
    filled = true;
    inSeries = counted;
    numberedModule = opened.numbered;
    return opened;
}

void Series::forgetModule()
{
    if (taken >= 0 && !takenSent)
        counter->settleAddress(takenIn, taken, History::Settled::Released, QString());
    taken = -1;
    takenSent = false;
    filledPayload.clear();
    filled = inSeries = numberedModule = wrote = counted = false;
}

bool Series::accepted(int productId, const quint8 *sent)
{
    if (!filled || counted)
        return false;
    wrote = true;
    // Values the user changed after the file filled the page are not the file's.
    if (!inSeries
        || !records::differingFields(productId, sent, reinterpret_cast<const quint8 *>(filledPayload.constData()))
                .isEmpty())
        return false;
    counted = true;
    ++writtenCount;
    if (numberedModule)
        ++next;
    return true;
}

QString Series::settle(bool accepted, const quint8 *sent, int productId, const QString &rowId)
{
    if (taken < 0 || ownAddressOf(productId, sent) != QString::number(taken))
        return {};
    takenSent = true;
    const bool told = counter->settleAddress(takenIn, taken,
                                             accepted ? History::Settled::Written : History::Settled::Failed, rowId);
    QString remark;
    if (!accepted)
        remark = QStringLiteral("Address %1 of the series \"%2\" is marked failed: the module may hold it, so no "
                                "bench is given it again")
                     .arg(taken)
                     .arg(takenIn);
    if (!told)
        remark += QStringLiteral("%1Address %2 of the series \"%3\" stays taken: the server could not be told what "
                                 "became of it")
                      .arg(remark.isEmpty() ? QString() : QStringLiteral("; "))
                      .arg(taken)
                      .arg(takenIn);
    return remark;
}

// The series' lines are the window's, in its language (orlo-cli installs no
// translation: they read as written here).
QString Series::status() const
{
    QString text = QCoreApplication::translate("orlo::Series", "Series: %1, %2 written")
                       .arg(fileName())
                       .arg(writtenCount);
    if (numbering() && counter)
        text += QCoreApplication::translate("orlo::Series", ", series %1 numbered by the history server")
                    .arg(seriesName_);
    else if (numbering())
        text += QCoreApplication::translate("orlo::Series", ", next address %1").arg(next);
    if (counter && lastTaken >= 0)
        text += QCoreApplication::translate("orlo::Series", ", last address %1").arg(lastTaken);
    return text;
}

QString Series::notWrittenLine() const
{
    return QCoreApplication::translate("orlo::Series", "From %1, not written yet: press Write").arg(fileName());
}

void readBack(const CycleLink &link, int productId, const quint8 *sent, int reports,
              std::function<void(const QString &remark)> done)
{
    quint8 frame[kFrameBufferSize] = {};
    frame[1] = command::ReadConfiguration;
    const QByteArray written(reinterpret_cast<const char *>(sent), kPayloadSize);
    link.exchange(frame, reports, [productId, reports, written, done](const Answer &answer) {
        if (!answer.whole(reports))
            return done(QStringLiteral("The configuration written could not be read back"));
        const QStringList differing =
            records::differingFields(productId, reinterpret_cast<const quint8 *>(written.constData()), answer.payload());
        done(differing.isEmpty()
                 ? QString()
                 : QStringLiteral("Stored otherwise than written: %1").arg(differing.join(QStringLiteral(", "))));
    });
}

QString differentInputs(const QString &path, int fileProductId, int productId)
{
    const QString file = records::inputKindOf(fileProductId);
    const QString module = records::inputKindOf(productId);
    if (file == module)
        return {};
    return QCoreApplication::translate("orlo::Series",
                                       "The configuration in %1 was saved from a module with a %2 input; the "
                                       "plugged module has a %3 input. They are different sensors.")
        .arg(path, file, module);
}

Provisioning::Provisioning(ModuleLink &link, History &history)
    : module(link)
    , log(history)
{
    if (history.onServer())
        series.shareAddresses(&history);
}

Provisioning::~Provisioning()
{
    // An address the module on the bench was given, and never sent, is free again.
    series.forgetModule();
}

void Provisioning::finished(const CycleLink &link, const quint8 *sent, const CycleRun &run, bool accepted,
                            std::function<void(bool accepted)> result)
{
    const bool configuration = sendsRecord(sent[0]);
    const QByteArray payload(reinterpret_cast<const char *>(sent), kPayloadSize);
    // The row is committed before the result shows.
    const auto conclude = [this, configuration, payload, button = run.button, result](bool accepted,
                                                                                      const QString &remarks) {
        const int productId = module.productId();
        const auto *sentPayload = reinterpret_cast<const quint8 *>(payload.constData());
        if (accepted && configuration)
            series.accepted(productId, sentPayload);
        const QString text = !accepted                   ? result::kFailed
                             : configuration && verify ? result::kVerified
                                                       : result::kOk;
        JournalEntry row = rowNow(button, text, remarks, configuration ? sentPayload : nullptr);
        row.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const QString address = configuration ? series.settle(accepted, sentPayload, productId, row.id) : QString();
        if (!address.isEmpty())
            row.remarks = row.remarks.isEmpty() ? address : row.remarks + QStringLiteral("; ") + address;
        record(row);
        result(accepted);
    };
    if (!(accepted && configuration && verify))
        return conclude(accepted, QString());
    readBack(link, module.productId(), sent, run.reports,
             [conclude](const QString &remarks) { conclude(remarks.isEmpty(), remarks); });
}

void Provisioning::refused(const QStringList &lines)
{
    if (quiet)
        return;
    JournalEntry row = rowNow(refusingButton ? refusingButton() : QString(), result::kInvalid,
                              lines.join(QString()).trimmed(), nullptr);
    record(row);
}

JournalEntry Provisioning::rowNow(const QString &button, const QString &result, const QString &remarks,
                                  const quint8 *sent) const
{
    JournalEntry row;
    row.time = currentDateTime();
    row.productId = module.productId();
    row.moduleType = records::typeName(row.productId);
    row.module = module.identity();
    row.button = button;
    row.result = result;
    row.remarks = remarks;
    const ModuleLink::Told told = module.told();
    row.identifier = told.identifier;
    row.firmware = told.firmware;
    if (sent) {
        row.configuration = records::readable(row.productId, sent);
        row.ownAddress = ownAddressOf(row.productId, sent);
    } else {
        QByteArray stored = module.storedReadState().moduleAnswer();
        if (!stored.isEmpty()) {
            stored.resize(kPayloadSize);
            row.ownAddress = ownAddressOf(row.productId, reinterpret_cast<const quint8 *>(stored.constData()));
        }
    }
    return row;
}

bool Provisioning::record(JournalEntry &row)
{
    const bool saved = log.record(row);
    if (rowRecorded)
        rowRecorded(row, saved);
    return saved;
}

} // namespace orlo
