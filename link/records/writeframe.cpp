#include "link/records/writeframe.h"

#include "link/clockstamp.h"
#include "link/moduletable.h"
#include "link/records/recordfields.h"

#include <cstring>

namespace orlo::records {

QByteArray configurationFrameOf(int productId, const QByteArray &record, const QDateTime &when)
{
    const ModuleEntry *module = findModule(quint16(productId));
    const Record r = recordOf(productId);
    if (!module || record.size() != r.end - r.first)
        return {};
    QByteArray frame(kReportPayload * module->reportsPerFrame, '\0');
    auto *payload = reinterpret_cast<quint8 *>(frame.data());
    payload[0] = command::WriteConfiguration;
    if (module->stamped)
        putClockStamp(payload + 1, when);
    std::memcpy(payload + r.first, record.constData(), size_t(record.size()));
    return frame;
}

} // namespace orlo::records
