// Records a page accepts, made from the type's named fields.
#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// A payload (command byte and clock stamp zero) whose record holds a random
// value inside the page's range in every field, random bytes where no field is.
QByteArray randomRecordPayload(int productId, QRandomGenerator &random);
