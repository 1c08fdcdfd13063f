#include "link/records/configrecord.h"

#include "link/bcd.h"
#include "link/frames/da_frame.h"
#include "link/frames/framebytes.h"
#include "link/moduletable.h"
#include "link/records/recordfields.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cmath>
#include <cstring>

namespace orlo::records {

namespace {

constexpr double kTolerance = 1e-6;

int shiftOf(quint8 mask)
{
    int shift = 0;
    while (mask && !(mask & (1u << shift)))
        ++shift;
    return shift;
}

// Letters of a text field before its NUL.
int textLength(const Field &f, const quint8 *payload)
{
    int length = 0;
    while (length < f.size && payload[f.offset + length] != 0)
        ++length;
    return length;
}

// Bytes a field holds in this payload: a text its letters and their NUL.
int byteCount(const Field &f, const quint8 *payload)
{
    switch (f.storage) {
    case Storage::Text: return qMin(textLength(f, payload) + 1, f.size);
    case Storage::Signed16le: case Storage::Unsigned16le: case Storage::Unsigned16be: return 2;
    case Storage::Unsigned32be: return 4;
    default: return 1;
    }
}

QString textOf(const Field &f, const quint8 *payload)
{
    return QString::fromLatin1(reinterpret_cast<const char *>(payload + f.offset), textLength(f, payload));
}

// The bits a field holds in byte i of its storage.
quint8 maskAt(const Field &f, int i)
{
    return (f.storage == Storage::Byte || f.storage == Storage::Bcd) && i == 0 ? f.mask : 0xFF;
}

qint64 storedCount(const Field &f, const quint8 *payload)
{
    const quint8 *p = payload + f.offset;
    switch (f.storage) {
    case Storage::Byte: return (p[0] & f.mask) >> shiftOf(f.mask);
    case Storage::Bcd: return fromBcd(quint8((p[0] & f.mask) >> shiftOf(f.mask)));
    case Storage::Signed8: return qint8(p[0]);
    case Storage::Signed16le: return getS16le(p);
    case Storage::Unsigned16le: return getU16le(p);
    case Storage::Unsigned16be: return getU16be(p);
    case Storage::Unsigned32be: return (qint64(getU16be(p)) << 16) | getU16be(p + 2);
    case Storage::Text: return 0;
    }
    return 0;
}

void lowestHighest(const Field &f, qint64 *low, qint64 *high)
{
    switch (f.storage) {
    case Storage::Byte: *low = 0; *high = f.mask >> shiftOf(f.mask); return;
    case Storage::Bcd: *low = 0; *high = 99; return;
    case Storage::Signed8: *low = -128; *high = 127; return;
    case Storage::Signed16le: *low = -32768; *high = 32767; return;
    case Storage::Unsigned16le: case Storage::Unsigned16be: *low = 0; *high = 0xFFFF; return;
    case Storage::Unsigned32be: *low = 0; *high = 0xFFFFFFFFLL; return;
    case Storage::Text: *low = *high = 0; return;
    }
}

void putCount(const Field &f, quint8 *payload, qint64 count)
{
    quint8 *p = payload + f.offset;
    const int shift = shiftOf(f.mask);
    switch (f.storage) {
    case Storage::Byte:
        p[0] = quint8((p[0] & ~f.mask) | ((count << shift) & f.mask));
        return;
    case Storage::Bcd:
        p[0] = quint8((p[0] & ~f.mask) | ((toBcd(int(count)) << shift) & f.mask));
        return;
    case Storage::Signed8: p[0] = quint8(qint8(count)); return;
    case Storage::Signed16le: putS16le(p, qint16(count)); return;
    case Storage::Unsigned16le: putU16le(p, quint16(count)); return;
    case Storage::Unsigned16be: putU16be(p, int(count)); return;
    case Storage::Unsigned32be:
        putU16be(p, int(count >> 16));
        putU16be(p + 2, int(count & 0xFFFF));
        return;
    case Storage::Text:
        return;
    }
}

bool shown(const Field &f, const quint8 *payload)
{
    return !f.shownWhen || f.shownWhen(payload);
}

QJsonValue valueOf(const Field &f, const quint8 *payload)
{
    if (f.read)
        return f.read(payload);
    if (f.kind == Kind::Text)
        return textOf(f, payload);
    const qint64 count = storedCount(f, payload);
    switch (f.kind) {
    case Kind::Flag:
        return count != 0;
    case Kind::Choice:
        for (const Item &item : f.items)
            if (item.code == count)
                return item.text;
        return double(count);   // a code no list shows, kept as stored
    case Kind::Number:
    case Kind::Text:
        break;
    }
    return double(count) * f.step;
}

QString number(double v)
{
    return QString::number(v, 'g', 12);
}

// Writes one field of the document into the payload; the problem, if any.
QString putValue(const Field &f, const QJsonValue &v, quint8 *payload)
{
    const QString name = QStringLiteral("the field \"%1\"").arg(f.name);
    qint64 low = 0, high = 0;
    lowestHighest(f, &low, &high);
    switch (f.kind) {
    case Kind::Flag:
        if (!v.isBool())
            return name + QStringLiteral(" must be true or false");
        putCount(f, payload, v.toBool() ? 1 : 0);
        return {};
    case Kind::Choice: {
        if (v.isString()) {
            for (const Item &item : f.items)
                if (item.text == v.toString()) {
                    putCount(f, payload, item.code);
                    return {};
                }
        } else if (v.isDouble() && v.toDouble() == std::floor(v.toDouble()) && v.toDouble() >= low
                   && v.toDouble() <= high) {
            putCount(f, payload, qint64(v.toDouble()));
            return {};
        }
        QStringList texts;
        for (const Item &item : f.items)
            texts << QStringLiteral("\"%1\"").arg(item.text);
        return name + QStringLiteral(" must be one of %1").arg(texts.join(QStringLiteral(", ")));
    }
    case Kind::Text: {
        const QString text = v.toString();
        const QByteArray letters = text.toLatin1();
        if (!v.isString() || text.size() > f.size || QString::fromLatin1(letters) != text || letters.contains('\0'))
            return name + QStringLiteral(" must be a text of at most %1 Latin-1 letters").arg(f.size);
        std::memcpy(payload + f.offset, letters.constData(), size_t(letters.size()));
        if (letters.size() < f.size)
            payload[f.offset + letters.size()] = 0;
        return {};
    }
    case Kind::Number:
        break;
    }
    if (!v.isDouble())
        return name + QStringLiteral(" must be a number");
    const double value = v.toDouble();
    if (!(value >= f.minimum - kTolerance && value <= f.maximum + kTolerance))
        return name + QStringLiteral(" is %1, outside %2 to %3")
                          .arg(number(value), number(f.minimum), number(f.maximum));
    if (f.write) {
        f.write(payload, value);
        return {};
    }
    // A value typed between two counts takes the nearer one the page's range holds.
    const double count = qBound(std::ceil(f.minimum / f.step - kTolerance), std::round(value / f.step),
                                std::floor(f.maximum / f.step + kTolerance));
    if (count < low || count > high)
        return name + QStringLiteral(" is %1, which the module cannot store").arg(number(value));
    putCount(f, payload, qint64(count));
    return {};
}

// The bits of [first, end) that the fields shown for this payload hold.
QByteArray coveredBits(const Record &r, const quint8 *payload)
{
    QByteArray covered(r.end - r.first, '\0');
    for (const Field &f : r.fields) {
        if (!shown(f, payload))
            continue;
        for (int i = 0; i < byteCount(f, payload); ++i) {
            const int at = f.offset + i - r.first;
            if (at >= 0 && at < covered.size())
                covered[at] = char(quint8(covered[at]) | maskAt(f, i));
        }
    }
    return covered;
}

} // namespace

QString productIdText(int productId)
{
    return QStringLiteral("0x") + QString::number(productId, 16).rightJustified(4, QLatin1Char('0')).toUpper();
}

QString typeName(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    return entry ? QString::fromLatin1(entry->name) : QStringLiteral("unknown");
}

QByteArray configurationMask(int productId)
{
    const Record r = recordOf(productId);
    QByteArray mask(r.end - r.first, char(0xFF));
    for (const Record::Reported &own : r.moduleOwn)
        for (int i = own.offset; i < own.offset + own.size; ++i)
            if (i >= r.first && i < r.end)
                mask[i - r.first] = char(quint8(mask[i - r.first]) & ~own.mask);
    return mask;
}

QJsonObject fieldsOf(int productId, const quint8 *payload)
{
    const Record r = recordOf(productId);
    QJsonObject fields;
    for (const Field &f : r.fields)
        if (shown(f, payload))
            fields.insert(f.name, valueOf(f, payload));
    const QByteArray covered = coveredBits(r, payload);
    const QByteArray configuration = configurationMask(productId);
    QByteArray unshown(reinterpret_cast<const char *>(payload + r.first), r.end - r.first);
    for (int i = 0; i < unshown.size(); ++i)
        unshown[i] = char(quint8(unshown[i]) & ~quint8(covered[i]) & quint8(configuration[i]));
    fields.insert(kUnshownField, QString::fromLatin1(unshown.toHex(' ')));
    return fields;
}

QString readable(int productId, const quint8 *payload)
{
    return QString::fromUtf8(QJsonDocument(fieldsOf(productId, payload)).toJson(QJsonDocument::Compact));
}

QByteArray documentOf(int productId, const quint8 *payload, const QDateTime &saved)
{
    QJsonObject document;
    document.insert(QStringLiteral("format"), kFormat);
    document.insert(QStringLiteral("version"), kVersion);
    document.insert(QStringLiteral("product id"), productIdText(productId));
    document.insert(QStringLiteral("module type"), typeName(productId));
    document.insert(QStringLiteral("saved"), saved.toString(Qt::ISODate));
    document.insert(QStringLiteral("fields"), fieldsOf(productId, payload));
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QString typesSharing(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    if (!entry)
        return {};
    QStringList ids;
    for (const ModuleEntry &e : kModules)
        if (e.type == entry->type)
            ids << productIdText(e.productId);
    return QStringLiteral("%1 is %2").arg(typeName(productId), ids.join(QStringLiteral(" and ")));
}

// Why a file is refused, in the window's language (orlo-cli installs no
// translation: it reads as written here).
static QString problemText(const char *problem)
{
    return QCoreApplication::translate("orlo::records", problem);
}

Parsed parseDocument(const QByteArray &bytes, int plugged)
{
    Parsed parsed;
    if (bytes.size() > kMaxDocumentBytes) {
        parsed.problem = problemText(QT_TRANSLATE_NOOP("orlo::records", "the file is larger than 1 MiB"));
        return parsed;
    }
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject document = json.object();
    bool ok = false;
    const int id = document.value(QStringLiteral("product id")).toString().toInt(&ok, 16);
    const ModuleEntry *file = ok ? findModule(quint16(id)) : nullptr;
    const ModuleEntry *module = findModule(quint16(plugged));
    if (error.error != QJsonParseError::NoError)
        parsed.problem = problemText(QT_TRANSLATE_NOOP("orlo::records", "it is not JSON (%1 at byte %2)"))
                             .arg(error.errorString())
                             .arg(error.offset);
    else if (document.value(QStringLiteral("format")).toString() != kFormat)
        parsed.problem = problemText(QT_TRANSLATE_NOOP(
                                         "orlo::records",
                                         "it is not a module configuration (its \"format\" is not \"%1\")"))
                             .arg(kFormat);
    else if (document.value(QStringLiteral("version")).toInt(-1) != kVersion)
        parsed.problem = problemText(QT_TRANSLATE_NOOP("orlo::records",
                                                       "its format version is not %1, the one this program reads"))
                             .arg(kVersion);
    else if (!file)
        parsed.problem =
            problemText(QT_TRANSLATE_NOOP("orlo::records", "its \"product id\" is no module of the family"));
    else if (!module || file->type != module->type)
        parsed.problem = problemText(QT_TRANSLATE_NOOP("orlo::records",
                                                       "it is for a %1 module (%2), the plugged module is a %3 (%4). "
                                                       "A file opens on a module of the same type only (%5)"))
                             .arg(typeName(id), productIdText(id), typeName(plugged), productIdText(plugged),
                                  typesSharing(plugged));
    if (parsed.problem.isEmpty()) {
        parsed.fields = document.value(QStringLiteral("fields")).toObject();
        parsed.productId = id;
    }
    return parsed;
}

Opened applyFields(const QJsonObject &fields, int plugged, const quint8 *answer, const Copy &copy)
{
    const Record r = recordOf(plugged);
    const QString unshownText = fields.value(kUnshownField).toString();
    const QByteArray unshown = QByteArray::fromHex(unshownText.toLatin1());
    if (unshown.size() != r.end - r.first || unshown.toHex(' ') != unshownText.toLatin1().toLower())
        return {{}, QStringLiteral("the field \"%1\" is missing or not %2 hexadecimal bytes")
                        .arg(kUnshownField).arg(r.end - r.first)};
    quint8 payload[kReportPayload * kMaxReports] = {};
    std::memcpy(payload, answer, sizeof payload);
    const QByteArray configuration = configurationMask(plugged);
    for (int i = 0; i < unshown.size(); ++i) {
        const auto set = quint8(configuration[i]);
        payload[r.first + i] = quint8((answer[r.first + i] & ~set) | (quint8(unshown[i]) & set));
    }
    // Whether a field shows without the bits the module reports about itself.
    const auto shownByDocument = [&](const Field &f) {
        quint8 settingsOnly[sizeof payload];
        std::memcpy(settingsOnly, payload, sizeof payload);
        for (int i = 0; i < configuration.size(); ++i)
            settingsOnly[r.first + i] &= quint8(configuration[i]);
        return shown(f, settingsOnly);
    };
    const auto keepModules = [&](const Field &f) {
        for (int i = 0; i < byteCount(f, answer); ++i) {
            const quint8 bits = maskAt(f, i);
            quint8 &b = payload[f.offset + i];
            b = quint8((b & ~bits) | (answer[f.offset + i] & bits));
        }
    };
    Opened opened;
    for (const Field &f : r.fields) {
        if (!shown(f, payload))
            continue;
        if (f.belongs != Belongs::Setting && copy.own != Copy::Own::FromDocument) {
            if (f.belongs != Belongs::OwnAddress || copy.own == Copy::Own::Kept) {
                keepModules(f);
                continue;
            }
            if (copy.number < f.minimum || copy.number > f.maximum)
                return {{}, QStringLiteral("the address %1 is outside the range of the field \"%2\" (%3 to %4)")
                                .arg(copy.number).arg(f.name, number(f.minimum), number(f.maximum)),
                        false, true};
            putCount(f, payload, copy.number);
            opened.numbered = true;
            continue;
        }
        if (!fields.contains(f.name)) {
            if (shownByDocument(f))
                return {{}, QStringLiteral("the field \"%1\" is missing").arg(f.name)};
            keepModules(f);
            continue;
        }
        const QString problem = putValue(f, fields.value(f.name), payload);
        if (!problem.isEmpty())
            return {{}, problem};
    }
    opened.record = QByteArray(reinterpret_cast<const char *>(payload + r.first), r.end - r.first);
    return opened;
}

Opened openDocument(const QByteArray &bytes, int plugged)
{
    const Parsed parsed = parseDocument(bytes, plugged);
    if (!parsed.problem.isEmpty())
        return {{}, parsed.problem};
    const quint8 zeros[kReportPayload * kMaxReports] = {};
    return applyFields(parsed.fields, plugged, zeros);
}

QString inputKindOf(int productId)
{
    const ModuleEntry *entry = findModule(quint16(productId));
    if (!entry || entry->type != ModuleType::DA)
        return {};
    switch (da::analogOfProduct(productId)) {
    case da::Analog::Current: return QStringLiteral("4-20 mA");
    case da::Analog::Voltage: return QStringLiteral("0-10 V");
    case da::Analog::None: break;
    }
    return {};
}

QStringList differingFields(int productId, const quint8 *sent, const quint8 *stored)
{
    const Record r = recordOf(productId);
    QStringList names;
    const QByteArray covered = coveredBits(r, sent);
    const QByteArray configuration = configurationMask(productId);
    for (const Field &f : r.fields)
        if (shown(f, sent) && valueOf(f, sent) != valueOf(f, stored))
            names << f.name;
    for (int i = r.first; i < r.end; ++i)
        if ((sent[i] ^ stored[i]) & ~quint8(covered[i - r.first]) & quint8(configuration[i - r.first])) {
            names << kUnshownField;
            break;
        }
    return names;
}

} // namespace orlo::records
