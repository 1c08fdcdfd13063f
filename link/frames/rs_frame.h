// Frames of the radio and serial bridge module RS_r00 (0x02B1): the stored
// record in its three roles (Modbus master, Modbus slave over the radio,
// transparent bridge) and the module information answer. Payload offsets
// (offset 0 is the command, or the status byte of an answer). No clock stamp.
// Pure: QtCore only.
#pragma once

#include "link/frames/modbus_frame.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <QtGlobal>

namespace orlo::rs {

constexpr int kReports = 5;
constexpr int kPayloadSize = 8 * kReports;

constexpr int kCommand = 0;
constexpr int kRole = 1;
// Role codes.
constexpr quint8 kRoleSlave = 0;
constexpr quint8 kRoleBridge = 1;
constexpr quint8 kRoleMaster = 2;

// Master.
constexpr int kMasterInterface = 2;
constexpr int kMasterSpeed = 3;
constexpr int kMasterHour = 4;
constexpr int kMasterMinute = 5;
constexpr int kMasterTimeout = 6;
constexpr int kMasterBlocks = 7;            // six blocks of 4 bytes
constexpr int kMasterFunction = 31;         // bit 0: function code item
constexpr quint8 kFunctionBit = 0x01;
// Slave.
constexpr int kSlaveModem = 2;
constexpr int kSlaveInterface = 3;
constexpr int kSlaveSpeed = 4;
constexpr int kSlaveRadioCode = 5;
constexpr int kSlaveChannel = 6;            // u16 big-endian
constexpr int kSlaveModemField = 10;        // always 0
constexpr int kSlaveRemoteField = 11;       // always 0xFF
constexpr quint8 kSlaveModemSent = 0;
constexpr quint8 kSlaveRemoteSent = 0xFF;
// Bridge.
constexpr int kBridgeMode = 2;
constexpr int kBridgeInterface = 3;
constexpr int kBridgeSpeed = 4;
constexpr int kBridgeRadioCode = 5;
constexpr int kBridgeChannel = 6;           // u16 big-endian
constexpr int kBridgeModem = 10;
constexpr int kBridgeRemote = 11;
constexpr int kBridgeEnergySaving = 12;
constexpr int kBridgeDataBits = 13;
constexpr int kBridgeParity = 14;
constexpr int kBridgeStopBits = 15;

// Bridge modes.
constexpr int kModeSigfox = 0;
constexpr int kModeLocal = 1;               // "Short range radio"
constexpr int kModeAdvanced = 2;
// Energy saving modes.
constexpr int kSavingDisabled = 0;
constexpr int kSavingSlave = 1;
constexpr int kSavingMaster = 2;

// Serial line codes.
constexpr int kSpeedCodeOfFirstItem = 2;    // "4800"
constexpr quint8 kDataBits7 = 7;
constexpr quint8 kDataBits8 = 0;
constexpr quint8 kParityOdd = 1;
constexpr quint8 kParityEven = 3;
constexpr quint8 kParityNone = 0;
constexpr quint8 kStopBits1 = 1;
constexpr quint8 kStopBits2 = 2;

// Minute list: "10" ... "60".
constexpr int kMinuteStep = 10;
constexpr int kMinuteItems = 6;

// Serial settings as the lists show them (items), -1 when nothing shows a
// stored byte.
struct Serial {
    bool rs485 = false;
    int speedItem = modbus::kSpeedItemDefault;
};

struct Master {
    Serial serial;
    int hourItem = 0;
    int minuteItem = 0;
    double timeout = 0.1;                   // seconds
    modbus::Blocks blocks;
    int functionItem = modbus::kFunctionHoldingItem;
};

struct Radio {
    int code = 1;                           // radio widget's speed code
    int channel = 0;
    int modem = 0;
    int remote = 0;
};

struct Slave {
    int modemAddress = 1;
    Serial serial;
    Radio radio;                            // modem and remote not stored
};

struct Bridge {
    int mode = kModeLocal;                  // as stored: other values select nothing
    Serial serial;
    Radio radio;
    int energySaving = kSavingDisabled;     // as stored
    int dataBitsItem = modbus::kDataBits8Item;
    int parityItem = modbus::kParityNoneItem;
    int stopBitsItem = modbus::kStopBits1Item;
};

struct Record {
    int role = kRoleSlave;                  // as stored: other values fill nothing
    Master master;
    Slave slave;
    Bridge bridge;
    // The record as read: a list that shows nothing (item -1) of the stored
    // role sends its byte back from here.
    std::array<quint8, kPayloadSize> stored{};
    bool read = false;
};

// The answer to the read command: the fields of the stored role.
Record decode(const quint8 *payload);
// Writes the command, the role and the role's fields; every other byte is
// left as it is (the caller cleared the frame). A role code other than the
// three writes only the command and the role.
void encode(quint8 *payload, quint8 command, const Record &record);

// Module information answer (command 3).
constexpr int kIdentifier = 1;              // u32le
constexpr int kVersion = 6;                 // zero-terminated text
constexpr quint32 kNoIdentifier = 0xFFFFFFFF;

struct Information {
    quint32 identifier = kNoIdentifier;
    QString version;
};
// Reads an answer of `size` payload bytes; the version text ends at its zero
// or at the end of the answer.
Information decodeInformation(const quint8 *payload, int size);
// A radio identifier worth the "Sigfox" button: neither 0 nor none.
bool hasSigfoxIdentifier(quint32 identifier);
// "sw:v<version>", then " Sigfox id: 0x<hex>" unless there is no identifier.
QString statusText(const Information &information);

// What a firmware version supports; a text that is not a number supports
// nothing. Compared in single precision.
struct Features {
    bool energySaving = false;              // from 1.5
    bool master = false;                    // from 1.6
    bool serialFormat = false;              // from 1.9
    bool functionCode = false;              // from 2.3
};
Features featuresOf(const QString &version);

// What a record asks of the module's firmware that this module does not
// offer, one refusal line each: empty when it offers all. `information` is
// empty until the module told its version and identifier, which offers
// nothing yet. A page filled from a file obeys the module through this, as
// if the user had typed the values.
QStringList lockedFeatures(const Record &record, const std::optional<Information> &information);

} // namespace orlo::rs
