// The Modbus polling model shared by the serial modules (radio bridge and
// LoRaWAN-serial): six register blocks, the serial line and the statement
// period. Each module type places these fields in its own frame; here they
// are turned into bytes at the position its codec gives. Pure: QtCore only.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

namespace orlo::modbus {

// Register blocks ("frames") a master polls; block 1 is always polled.
constexpr int kBlockCount = 6;
// One block in a frame: device address, register (u16le), length.
constexpr int kBlockDevice = 0;
constexpr int kBlockRegister = 1;
constexpr int kBlockLength = 3;
constexpr int kBlockSize = 4;
// A device byte of 0 means the block is not polled.
constexpr quint8 kBlockOff = 0;

struct Block {
    bool enabled = false;   // polled: its device byte is sent, otherwise 0
    int device = 1;
    int registerAddress = 0;
    int length = 1;
};
using Blocks = std::array<Block, kBlockCount>;

// The six blocks from `at` (block 1's device byte), kBlockSize bytes apart.
// A block is enabled when its device byte is not 0; bytes are taken as stored.
Blocks getBlocks(const quint8 *at);
// Writes the six blocks from `at`: the device byte is 0 for a block that is
// off, register and length are sent whatever the block's state. Every value
// is held to its field's range.
void putBlocks(quint8 *at, const Blocks &blocks);

// Ranges of the block fields (the length's upper end is the module type's).
constexpr int kDeviceMin = 1;
constexpr int kDeviceMax = 255;
constexpr int kRegisterMin = 0;
constexpr int kRegisterMax = 0xFFFF;
constexpr int kLengthMin = 1;

// List texts of the serial pages.
const QStringList &speedItems();        // "4800" ... "115200"
const QStringList &dataBitItems();      // "7 bits", "8 bits"
// Parity choices after a data-bits item: seven bits always carry a parity.
QStringList parityItems(int dataBitsItem);
const QStringList &stopBitItems();      // "1 stop bit", "2 stop bits"
const QStringList &functionItems();     // "Read Holding Registers (0x03)", ...
QStringList hourItems();                // "0" ... "23"
QStringList minuteItems(int step, int count);   // step, 2 x step, ...

// Serial line items, as list positions of the serial lists (serialItems()).
constexpr int kSpeedItems = 6;          // "4800" ... "115200"
constexpr int kSpeedItemDefault = 2;    // "19200"
constexpr int kDataBits7Item = 0;
constexpr int kDataBits8Item = 1;
constexpr int kParityOddItem = 0;
constexpr int kParityEvenItem = 1;
constexpr int kParityNoneItem = 2;
constexpr int kStopBits1Item = 0;
constexpr int kStopBits2Item = 1;
constexpr int kFunctionHoldingItem = 0; // "Read Holding Registers (0x03)"
constexpr int kFunctionInputsItem = 1;  // "Read Inputs Registers (0x04)"

// Serial interface byte.
constexpr quint8 kRS232 = 0;
constexpr quint8 kRS485 = 1;

// Statement period: hour byte = hour item (0..23); minute byte =
// (minute item + 1) x step.
constexpr int kLastHour = 23;
constexpr int kHourItems = kLastHour + 1;

// The hour item of a stored hour byte, or -1 when no item shows it.
int hourItem(int hourByte);
// Minute byte of a minute item, the item held to the list of `items` entries.
quint8 minuteByte(int item, int step, int items);
// The minute item showing a stored byte exactly, or -1 when none does (not a
// multiple of step, or beyond the list).
int minuteItem(int minuteByte, int step, int items);

// Modbus timeout: one byte in tenths of a second, 0.1 s to 25.0 s.
constexpr int kTimeoutMin = 1;
constexpr int kTimeoutMax = 250;
constexpr double kTimeoutStep = 10.0;   // bytes per second
// Seconds x 10, truncated toward zero, held to 1..250.
quint8 timeoutByte(double seconds);
// Seconds a stored byte means, held to 0.1..25.0.
double timeoutSeconds(int timeoutByte);

// A list item held to a list of `items` entries; -1 stays "nothing chosen".
int itemOrNone(int item, int items);

} // namespace orlo::modbus
