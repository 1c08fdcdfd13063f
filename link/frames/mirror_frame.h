// Configuration frame of the input/output mirror modules: IOD_PS_r20
// (0x0390), DIO_LoRa (0x0344) and DI2_868_r_10 (0x0372). One record for the
// three; the variant says which fields its module has. Payload offsets
// (offset 0 is the command, or the status byte of an answer). Pure: QtCore only.
#pragma once

#include "link/frames/di_frame.h"

#include <QDateTime>
#include <QtGlobal>

namespace orlo::mirror {

// Payload offsets.
constexpr int kCommand = 0;
constexpr int kStamp = 1;           // 8 clock-stamp bytes
constexpr int kMode = 9;            // role and radio compatibility
constexpr int kInputs = 10;         // the digital-input modules' inputs byte
constexpr int kMinute = 11;         // meter reading, plain 0..50
constexpr int kHour = 12;           // meter reading, plain 0..24
constexpr int kChannel = 13;        // u16le
constexpr int kSpeed = 15;          // speed code (LoRa: data-rate index)
constexpr int kRemote = 16;         // peer address
constexpr int kModem = 17;          // own address
constexpr int kTimeOut = 18;        // seconds (not on DI2_868_r_10)
constexpr int kCounter1 = 19;       // u32le, DI2_868_r_10 answers only
constexpr int kCounter2 = 23;

// Mode byte.
constexpr quint8 kRoleMask = 0x03;
constexpr quint8 kCompatibility = 0x20;     // the radio speaks to the older modems

enum Role { Slave = 0, Master = 1, SlaveMirror = 2, MasterMirror = 3 };

// The Slave role always runs both inputs as digital inputs on both edges.
constexpr quint8 kSlaveInputs = 0xDD;

// Speed codes above this one select the radio's compatibility mode.
constexpr int kLastNormalSpeed = 8;

enum class Variant { IOD_PS_r20, DIO_LoRa, DI2_868_r_10 };

struct Layout {
    int reports;            // frame length in reports
    bool timeOut;           // byte kTimeOut in use
    bool counters;          // the answer carries the two counters
};

constexpr Layout layoutOf(Variant variant)
{
    return variant == Variant::DI2_868_r_10 ? Layout{4, false, true} : Layout{3, true, false};
}

struct Record {
    int role = Slave;           // 0..3
    bool compatibility = false;
    di::Input input1;
    di::Input input2;
    int minute = 0;
    int hour = 0;
    int channel = 0;            // 0..65535
    int speed = 0;              // 0..255
    int remote = 0;
    int modem = 0;
    int timeOut = 0;
    quint32 counter1 = 0;
    quint32 counter2 = 0;
};

// The answer to the read command.
Record decode(const quint8 *payload, Variant variant);

// Writes the command, the clock stamp and every configuration field (the
// Slave role's fixed inputs byte whatever the inputs say); the counters are
// never written. Values are held to their bytes' ranges.
void encode(quint8 *payload, quint8 command, const QDateTime &stamp, const Record &record, Variant variant);

// The compatibility bit goes with a compatibility speed code.
constexpr bool isCompatibilitySpeed(int speed) { return speed > kLastNormalSpeed; }

} // namespace orlo::mirror
