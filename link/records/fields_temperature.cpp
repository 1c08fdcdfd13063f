// Temperature, humidity, two-probe and analog records as named fields.
#include "link/records/recordfields.h"

namespace orlo::records {

QVector<Field> temperatureFields(int productId)
{
    Q_UNUSED(productId);
    return {};
}

} // namespace orlo::records
