#include "link/records/recordfields.h"

#include "link/clockstamp.h"
#include "link/frames/di_frame.h"
#include "link/frames/mirror_frame.h"
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
    constexpr int kCounterSize = 4;     // u32 each
    switch (entry->type) {
    case T::DI_r2x: case T::DI4_r2x:
        record.moduleOwn = {{di::kCounter1, kCounterSize}, {di::kCounter2, kCounterSize}};
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
