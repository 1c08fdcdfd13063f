#include "link/records/recordfields.h"

#include "link/clockstamp.h"
#include "link/moduletable.h"

namespace orlo::records {

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
