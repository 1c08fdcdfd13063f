#include "support/records.h"

#include "link/moduletable.h"
#include "link/records/configrecord.h"
#include "link/records/recordfields.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

using namespace orlo::records;

namespace {

QJsonValue randomValue(const Field &f, QRandomGenerator &random)
{
    switch (f.kind) {
    case Kind::Flag:
        return random.bounded(2) == 1;
    case Kind::Choice:
        return f.items.at(random.bounded(f.items.size())).text;
    case Kind::Text: {
        QString text;
        for (int n = random.bounded(f.size + 1); n > 0; --n)
            text += QChar(u'a' + random.bounded(26));
        return text;
    }
    case Kind::Number:
        break;
    }
    const double v = f.minimum + random.generateDouble() * (f.maximum - f.minimum);
    if (f.write)
        return v;
    const double count = qBound(std::ceil(f.minimum / f.step - 1e-9), std::round(v / f.step),
                                std::floor(f.maximum / f.step + 1e-9));
    return count * f.step;
}

} // namespace

QByteArray randomRecordPayload(int productId, QRandomGenerator &random)
{
    const Record r = recordOf(productId);
    QJsonObject fields;
    for (const Field &f : r.fields)
        fields.insert(f.name, randomValue(f, random));
    QByteArray unshown(r.end - r.first, '\0');
    for (char &b : unshown)
        b = char(random.bounded(256));
    fields.insert(kUnshownField, QString::fromLatin1(unshown.toHex(' ')));
    const QJsonObject document{{QStringLiteral("format"), kFormat},
                               {QStringLiteral("version"), kVersion},
                               {QStringLiteral("product id"), QString::number(productId, 16)},
                               {QStringLiteral("fields"), fields}};
    const Opened opened = openDocument(QJsonDocument(document).toJson(), productId);
    QByteArray payload(orlo::kReportPayload * orlo::kMaxReports, '\0');
    payload.replace(r.first, opened.record.size(), opened.record);
    return opened.problem.isEmpty() ? payload : QByteArray();
}
