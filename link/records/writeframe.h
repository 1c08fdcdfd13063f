// The configuration frame Write sends for a record: what the window's pages
// and the command line put on the wire from the same fields.
#pragma once

#include <QByteArray>
#include <QDateTime>

namespace orlo::records {

// The payload of the configuration frame of `productId` (8 bytes a report,
// as many reports as the type exchanges): the write command, the clock
// stamp of `when` for types that carry it, and `record` (the payload bytes
// [first, end) of the type's record, as applyFields gives them) in place.
// Empty for a product outside the family or a record of the wrong size.
QByteArray configurationFrameOf(int productId, const QByteArray &record, const QDateTime &when);

} // namespace orlo::records
