// Digital-input, mirror, bridge, repeater and LoRaWAN-serial records as named fields.
#include "link/records/recordfields.h"

namespace orlo::records {

QVector<Field> inputFields(int productId)
{
    Q_UNUSED(productId);
    return {};
}

} // namespace orlo::records
