#include "link/frames/rpt_frame.h"

#include "link/frames/framebytes.h"
#include "link/moduletable.h"

#include <QCoreApplication>

namespace orlo::rpt {

Record decode(const quint8 *payload)
{
    Record record;
    record.sf8 = payload[kMode] != 0;
    record.baudCode = payload[kBaudCode];
    record.channel = getU16be(payload + kChannel);
    record.modemAddress = payload[kModemAddress];
    record.maxFrames = payload[kMaxFrames];
    for (int m = 0; m < kModules; ++m)
        for (int b = 0; b < kIdentifierSize; ++b)
            record.identifiers[m][b] = payload[kIdentifiers + m * kIdentifierSize + b];
    return record;
}

void encode(quint8 *payload, const Record &record)
{
    payload[kCommand] = command::WriteConfiguration;
    // A code beyond the four rates is the stored one, sent back as it was.
    payload[kBaudCode] = clampByte(record.baudCode);
    putU16be(payload + kChannel, record.channel);
    payload[kModemAddress] = clampByte(record.modemAddress, kMinModemAddress, kMaxModemAddress);
    payload[kMaxFrames] = clampByte(record.maxFrames, kMinFrames, kMaxFramesPerDay);
    payload[kMode] = record.sf8 ? 1 : 0;
    for (int m = 0; m < kModules; ++m)
        for (int b = 0; b < kIdentifierSize; ++b)
            payload[kIdentifiers + m * kIdentifierSize + b] = record.identifiers[m][b];
}

QVector<QPair<int, int>> sameLeastSignificantByte(const Identifiers &identifiers)
{
    QVector<QPair<int, int>> pairs;
    for (int a = 0; a < kModules; ++a)
        for (int b = a + 1; b < kModules; ++b) {
            const quint8 lsb = identifiers[a][kLeastSignificant];
            if (lsb != 0 && lsb == identifiers[b][kLeastSignificant])
                pairs.append({a, b});
        }
    return pairs;
}

QString statusText(const Information &information)
{
    const QString id = information.identifier == kNoSigfoxId ? QStringLiteral("None!")
                                                           : QString::number(information.identifier, 16);
    return QStringLiteral("sw:v") + information.version + QStringLiteral("    Id sfx:") + id;
}

QStringList lockedFeatures(const Record &record, const std::optional<Information> &information)
{
    if (!record.sf8 || !information || rs::hasSigfoxIdentifier(information->identifier))
        return {};
    // Shown in the window's box, translated as it is made (as rs::lockedFeatures).
    return {QCoreApplication::translate(
        "orlo::rs", "\tThe ORLO SF8 parameters need a Sigfox identifier; the gateway has none\n")};
}

} // namespace orlo::rpt
