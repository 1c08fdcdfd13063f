#include "link/records/recordfields.h"

#include "link/clockstamp.h"
#include "link/frames/di_frame.h"
#include "link/frames/mirror_frame.h"
#include "link/frames/tm2d_frame.h"
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

QVector<Item> edgeItems()
{
    return {{di::kEdgeNone, QStringLiteral("none")}, {di::kEdgeRising, QStringLiteral("rising")},
            {di::kEdgeFalling, QStringLiteral("falling")}, {di::kEdgeBoth, QStringLiteral("both")}};
}

QVector<Item> radioRateItems()
{
    constexpr int kFirstCode = 1;
    constexpr int kFirstCompatibilityCode = 10;
    const QStringList rates = {QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                               QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
                               QStringLiteral("57600"), QStringLiteral("115200")};
    const QStringList compatibility = {QStringLiteral("19200"), QStringLiteral("9600")};
    QVector<Item> items;
    for (int i = 0; i < rates.size(); ++i)
        items.append({kFirstCode + i, rates.at(i)});
    for (int i = 0; i < compatibility.size(); ++i)
        items.append({kFirstCompatibilityCode + i,
                      compatibility.at(i) + QStringLiteral(", compatibility with Kelo modem")});
    return items;
}

Record recordOf(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    if (!entry)
        return {};
    using T = ModuleType;
    // The bridge, the repeater and the LoRaWAN-serial module take no clock stamp.
    const bool stamped = entry->type != T::RS_r00 && entry->type != T::RPT_r00 && entry->type != T::RSLW_r00;
    Record record;
    record.first = stamped ? 1 + kClockStampSize : 1;
    record.end = kReportPayload * entry->reportsPerFrame;
    constexpr int kCounterSize = 4;     // u32 each
    switch (entry->type) {
    case T::DI_r2x:
        record.moduleOwn = {{di::kCounter1, kCounterSize}, {di::kCounter2, kCounterSize}};
        break;
    case T::DI4_r2x:
        record.moduleOwn = {{di::kCounter1, kCounterSize}, {di::kCounter2, kCounterSize},
                            {di::kFlags, 1, quint8(di::kFlagRadioVariant | di::kFlagJoinMode)}};
        break;
    case T::TM2D_r10:
        // Everything but the join mode: the LoRaWAN module, the low
        // thresholds' use, and bits the page sends back as received.
        record.moduleOwn = {{tm2d::kOptions, 1, quint8(~tm2d::kJoinAbp)}};
        break;
    case T::DI2_868_r_10:
        record.moduleOwn = {{mirror::kCounter1, kCounterSize}, {mirror::kCounter2, kCounterSize}};
        break;
    default:
        break;
    }
    switch (entry->type) {
    case T::TM: case T::TM_r20: case T::TM_868: case T::TM2D_r10: case T::TH_r10: case T::TH_868:
    case T::DA: case T::DA_r20:
        record.fields = temperatureFields(productId);
        break;
    default:
        record.fields = inputFields(productId);
        break;
    }
    return record;
}

} // namespace orlo::records
