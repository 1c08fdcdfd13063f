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

struct Opened {
    QByteArray record;    // payload bytes [first, end) of the type's record
    QString problem;      // the first one found; empty when the document is sound
};
// A document checked whole for the plugged module's product identifier.
Opened openDocument(const QByteArray &document, int pluggedProductId);

// Over the record's bytes [first, end): 0xFF where a configuration sets the
// byte, 0 where the module keeps it up itself.
QByteArray configurationMask(int productId);

// Names of the fields whose bytes differ between what was sent and what the
// module answers it stores ("bytes no field shows" for the others).
QStringList differingFields(int productId, const quint8 *sent, const quint8 *stored);

// Product identifiers whose records are one: the same module type.
QString typesSharing(int productId);

} // namespace orlo::records
