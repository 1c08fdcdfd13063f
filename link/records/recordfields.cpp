#include "link/records/recordfields.h"

#include "link/clockstamp.h"
#include "link/frames/di_frame.h"
#include "link/frames/mirror_frame.h"
#include "link/frames/tm2d_frame.h"
#include "link/limits.h"
#include "link/moduletable.h"

#include <QStringList>

namespace orlo::records {

Field number(const QString &name, int offset, Storage storage, double step, double minimum, double maximum)
{
    Field f;
    f.name = name;
    f.offset = offset;
    f.storage = storage;
    f.step = step;
    f.minimum = minimum;
    f.maximum = maximum;
    return f;
}

Field flag(const QString &name, int offset, quint8 mask)
{
    Field f;
    f.name = name;
    f.offset = offset;
    f.mask = mask;
    f.kind = Kind::Flag;
    return f;
}

Field choice(const QString &name, int offset, const QVector<Item> &items, quint8 mask)
{
    Field f;
    f.name = name;
    f.offset = offset;
    f.mask = mask;
    f.kind = Kind::Choice;
    f.items = items;
    return f;
}

Field shownWhen(Field f, std::function<bool(const quint8 *payload)> when)
{
    f.shownWhen = std::move(when);
    return f;
}

Field belongingTo(Field f, Belongs belongs)
{
    f.belongs = belongs;
    return f;
}

QVector<Item> listItems(const QStringList &texts, int firstCode)
{
    QVector<Item> items;
    for (int i = 0; i < texts.size(); ++i)
        items.append({firstCode + i, texts.at(i)});
    return items;
}

QVector<Item> edgeItems()
{
    return {{di::kEdgeNone, QStringLiteral("none")}, {di::kEdgeRising, QStringLiteral("rising")},
            {di::kEdgeFalling, QStringLiteral("falling")}, {di::kEdgeBoth, QStringLiteral("both")}};
}

QVector<Item> radioRateItems()
{
    constexpr int kFirstCode = 1;
    constexpr int kFirstCompatibilityCode = 10;
    const QStringList rates = limits::radioRateTexts();
    const QStringList compatibility = limits::compatibilityRateTexts();
    QVector<Item> items;
    for (int i = 0; i < rates.size(); ++i)
        items.append({kFirstCode + i, rates.at(i)});
    for (int i = 0; i < compatibility.size(); ++i)
        items.append({kFirstCompatibilityCode + i,
                      compatibility.at(i) + QStringLiteral(", compatibility with Kelo modem")});
    return items;
}

namespace {

constexpr int kCounterSize = 4;     // u32 each

// Each type's fields, and what of its record the module reports about
// itself (never taken from a file).
struct TypeRecord {
    ModuleType type;
    QVector<Field> (*fields)(int productId);
    QVector<Record::Reported> moduleOwn;
};

const QVector<TypeRecord> &typeRecords()
{
    using T = ModuleType;
    static const QVector<TypeRecord> table = {
        {T::TM, tmFields, {}},
        {T::TM_r20, tmR20Fields, {}},
        {T::TM_868, tm868Fields, {}},
        // Everything but the join mode: the LoRaWAN module, the low
        // thresholds' use, and bits the page sends back as received.
        {T::TM2D_r10, tm2dFields, {{tm2d::kOptions, 1, quint8(~tm2d::kJoinAbp)}}},
        {T::TH_r10, thR10Fields, {}},
        {T::TH_868, th868Fields, {}},
        {T::DI, diFields, {}},
        {T::DI_r2x, diR2xFields, {{di::kCounter1, kCounterSize}, {di::kCounter2, kCounterSize}}},
        {T::DI4_r2x, di4Fields,
         {{di::kCounter1, kCounterSize}, {di::kCounter2, kCounterSize},
          {di::kFlags, 1, quint8(di::kFlagRadioVariant | di::kFlagJoinMode)}}},
        {T::DI2_868_r_10, di2Fields, {{mirror::kCounter1, kCounterSize}, {mirror::kCounter2, kCounterSize}}},
        {T::DA, analogFields, {}},
        {T::IOD_PS_r20, iodFields, {}},
        {T::DIO_LoRa, dioLoRaFields, {}},
        {T::RS_r00, rsFields, {}},
        {T::RPT_r00, rptFields, {}},
        {T::RSLW_r00, rslwFields, {}},
        {T::DA_r20, analogFields, {}},
    };
    return table;
}

} // namespace

Record recordOf(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    if (!entry)
        return {};
    Record record;
    record.first = entry->stamped ? 1 + kClockStampSize : 1;
    record.end = kReportPayload * entry->reportsPerFrame;
    for (const TypeRecord &type : typeRecords()) {
        if (type.type == entry->type) {
            record.fields = type.fields(productId);
            record.moduleOwn = type.moduleOwn;
        }
    }
    return record;
}

} // namespace orlo::records
