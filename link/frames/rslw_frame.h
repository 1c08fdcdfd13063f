// Frames of the LoRaWAN serial module RSLW_r00 (0x0354): every field always
// present, most choices sent as list items; the Modbus blocks, statement
// period and timeout as the Modbus model encodes them. Payload offsets
// (offset 0 is the command, or the status byte of an answer). Pure.
#pragma once

#include "link/frames/modbus_frame.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace orlo::rslw {

constexpr int kReports = 5;
constexpr int kPayloadSize = 8 * kReports;

// Configuration record.
constexpr int kCommand = 0;
constexpr int kRole = 1;                // tab: 0 Master, 1 Slave, 2 Bridge
constexpr int kInterface = 2;           // 1 RS485, 0 RS232
constexpr int kSpeedItem = 3;           // "4800" ... "115200"
constexpr int kDataBitsItem = 4;        // "7 bits", "8 bits"
constexpr int kParityItem = 5;          // odd, even, none
constexpr int kStopBitsItem = 6;        // one, two
constexpr int kSlaveModem = 7;
constexpr int kHourItem = 8;            // 0..23
constexpr int kMinute = 9;              // (minute item + 1) x 5
constexpr int kTimeout = 10;            // tenths of a second
constexpr int kBlocks = 11;             // six Modbus blocks
constexpr int kOtaa = 35;
constexpr quint8 kOtaaOn = 0x01;        // written for "Enable OTAA"
constexpr int kFunctionItem = 36;

// Lists and ranges.
constexpr int kRoles = 3;
constexpr int kDataBitsItems = 2;
constexpr int kParityItems = 3;
constexpr int kStopBitsItems = 2;
constexpr int kFunctionItems = 2;
constexpr int kMinuteStep = 5;
constexpr int kMinuteItems = 12;        // 5 ... 60
constexpr int kMinSlaveModem = 1;
constexpr int kMaxSlaveModem = 240;
constexpr int kMinBlockLength = 1;
constexpr int kMaxBlockLength = 16;

// List items are -1 where the stored byte matches no entry.
struct Record {
    int role = 0;
    bool rs485 = false;
    int speedItem = modbus::kSpeedItemDefault;
    int dataBitsItem = modbus::kDataBits8Item;
    int parityItem = modbus::kParityNoneItem;
    int stopBitsItem = modbus::kStopBits1Item;
    int slaveModem = kMinSlaveModem;
    int hourItem = 0;
    int minuteItem = 0;
    double timeoutSeconds = 0.1;
    modbus::Blocks blocks{};
    bool otaa = true;
    int functionItem = modbus::kFunctionHoldingItem;
    // The record as read: a list that shows nothing (item -1) sends its
    // byte back from here; a record never read sends the first item.
    std::array<quint8, kPayloadSize> stored{};
    bool read = false;
};

Record decode(const quint8 *payload);
// Writes the command 1 and every field (offsets 0..36), each held to its
// range, or as stored where its list shows nothing; the rest is left as is.
void encode(quint8 *payload, const Record &record);

// The minute item of a stored byte: (byte - 5) / 5, or -1 when no item shows
// it (0, or beyond 64).
int minuteItem(int minuteByte);

// Module information answer (command 3).
constexpr int kVersion = 1;             // version x 100, u16le
constexpr int kDeviceEui = 3;           // u64le
constexpr int kDeviceEuiSize = 8;

struct Information {
    quint16 versionTimes100 = 0;
    quint64 deviceEui = 0;
};
// Reads only the `size` payload bytes of the answer.
Information decodeInformation(const quint8 *payload, int size);
// "sw:v2.30    devEui:807060504030201": two decimals, lower-case hexadecimal
// without leading zeros.
QString statusText(const Information &information);
// Its two parts: the version ("2.30") and the device EUI.
QString versionText(const Information &information);
QString deviceEuiText(const Information &information);

} // namespace orlo::rslw
