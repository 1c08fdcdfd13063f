// Frames of the repeater / gateway module RPT_r00 (0x0302): the stored
// configuration and the module information answer. Payload offsets (offset
// 0 is the command, or the status byte of an answer). Pure: QtCore only.
#pragma once

#include "link/frames/rs_frame.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>
#include <array>

namespace orlo::rpt {

constexpr int kReports = 5;

// Configuration record.
constexpr int kCommand = 0;
constexpr int kBaudCode = 1;            // radio speed code, four-rate list 1..4
constexpr int kChannel = 2;             // u16, big-endian
constexpr int kModemAddress = 4;
constexpr int kMaxFrames = 5;           // Sigfox frames per day
constexpr int kMode = 6;                // 0 = 868 parameters, other = SF8 parameters
constexpr int kIdentifiers = 7;         // 6 modules x 4 bytes, most significant first

constexpr int kModules = 6;
constexpr int kIdentifierSize = 4;
constexpr int kLeastSignificant = kIdentifierSize - 1;

// Module information answer: laid out as the radio bridge's (Sigfox
// identifier, all 0xFF for none, then the version text), decoded by
// rs::decodeInformation.
constexpr quint32 kNoSigfoxId = rs::kNoIdentifier;

// Field ranges.
constexpr int kMinModemAddress = 1;
constexpr int kMaxModemAddress = 254;
constexpr int kMinFrames = 1;
constexpr int kMaxFramesPerDay = 144;

// The radio settings each mode starts from.
constexpr int kModbusBaudCode = 1;      // 1200 bps
constexpr int kModbusChannel = 522;
constexpr int kSigfoxBaudCode = 2;      // 4800 bps
constexpr int kSigfoxChannel = 29;

using Identifiers = std::array<std::array<quint8, kIdentifierSize>, kModules>;

struct Record {
    bool sf8 = false;
    int baudCode = kModbusBaudCode;
    int channel = kModbusChannel;
    int modemAddress = kMinModemAddress;
    int maxFrames = kMinFrames;
    Identifiers identifiers{};
};

Record decode(const quint8 *payload);
// Writes offsets 0..30 (command 1 and every field); the rest is left as is.
void encode(quint8 *payload, const Record &record);

// Pairs of modules (0-based, first < second) whose least significant
// identifier bytes are equal and not 0, in the order (0,1), (0,2) ... (4,5).
QVector<QPair<int, int>> sameLeastSignificantByte(const Identifiers &identifiers);

using Information = rs::Information;

// "sw:v<version>    Id sfx:<id in lower-case hexadecimal>" or "...None!".
QString statusText(const Information &information);

// What a record asks of the gateway that it does not offer, one refusal
// line each: the SF8 mode on a gateway that told it has no Sigfox
// identifier (the page's SF8 group itself waits for nothing).
QStringList lockedFeatures(const Record &record, const std::optional<Information> &information);

} // namespace orlo::rpt
