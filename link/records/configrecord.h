// A type's record as a configuration document: the fields by name in the
// page's units, and the bytes no field shows, kept as they were. Pure: QtCore.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace orlo::records {

inline const QString kFormat = QStringLiteral("orlo-configuration");
constexpr int kVersion = 1;
constexpr qint64 kMaxDocumentBytes = 1 << 20;
// The field that keeps, as hexadecimal, what no other field shows.
inline const QString kUnshownField = QStringLiteral("bytes no field shows");

// The fields of a payload laid out as Write sends it, {name: value}.
QJsonObject fieldsOf(int productId, const quint8 *payload);
// The same, one line for the journal.
QString readable(int productId, const quint8 *payload);
// The whole document, indented for a person to read and diff.
QByteArray documentOf(int productId, const quint8 *payload, const QDateTime &saved);

// How a copy treats what belongs to each module: its own address and what
// is tied to one unit. Opening a file on one module copies them (a failed
// unit is replaced by a new one); a series keeps each module's own, or
// numbers their own addresses.
struct Copy {
    enum class Own { FromDocument, Kept, Numbered };
    Own own = Own::FromDocument;
    int number = 0;       // Numbered: this module's own address
};

struct Parsed {
    QJsonObject fields;
    int productId = 0;    // the one the document was saved from
    QString problem;      // empty when its frame (format, version, type) is sound
};
// A document's frame checked for the plugged module's product identifier.
Parsed parseDocument(const QByteArray &document, int pluggedProductId);

struct Opened {
    QByteArray record;    // payload bytes [first, end) of the type's record
    QString problem;      // the first one found; empty when the document is sound
    bool numbered = false;          // the copy's number went into an own address
    bool outOfAddresses = false;    // the number lies outside that address's range
};
// A document's fields laid over what the module answered (`answer`, its
// whole payload): settings come from the document, in the plugged product's
// units; the bits the module reports about itself stay the module's; its own
// address and unit follow `copy`. A field shown only because of the module's
// own bits, and missing from the document, stays as the module has it.
Opened applyFields(const QJsonObject &fields, int pluggedProductId, const quint8 *answer, const Copy &copy = {});
// The whole document over an answer of zeros.
Opened openDocument(const QByteArray &document, int pluggedProductId);

// What the analog input of a product whose record it shares with another
// measures ("4-20 mA", "0-10 V"); empty for the others. Two such products
// are different sensors, though the same type.
QString inputKindOf(int productId);

// Over the record's bytes [first, end): the bits a configuration sets, not
// those the module reports about itself.
QByteArray configurationMask(int productId);

// Names of the fields whose bytes differ between what was sent and what the
// module answers it stores ("bytes no field shows" for the others).
QStringList differingFields(int productId, const quint8 *sent, const quint8 *stored);

// "0x02AE": a product identifier as files, the journal and orlo-cli write it.
QString productIdText(int productId);
// The module type's name ("TM_868"), "unknown" outside the module table.
QString typeName(int productId);

// Product identifiers whose records are one: the same module type.
QString typesSharing(int productId);

} // namespace orlo::records
