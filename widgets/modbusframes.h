// Widget side of the Modbus polling model shared by the serial module pages:
// the chain of six register blocks ("Frame1" ... "Frame6") and the serial
// lists. Works on the widgets a page hands in, whoever owns them.
#pragma once

#include "link/frames/modbus_frame.h"

#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace orlo::modbus {

// The widgets of one register block.
struct BlockWidgets {
    QCheckBox *box;
    QSpinBox *device;
    QSpinBox *registerAddress;
    QSpinBox *length;
};
using BlockChain = std::array<BlockWidgets, kBlockCount>;

// A fresh chain: ranges set, every field at its first value, Frame1 checked
// with its fields enabled, Frame2 unchecked and enabled, Frame3 to Frame6
// unchecked and disabled, the fields of frames 2 to 6 disabled.
void resetChain(const BlockChain &chain, int lengthMax);
// The rule of a box that was toggled (index 0 is Frame1): Frame1 never goes
// off; another block's fields follow its box, the next box is unchecked and
// enabled only when this one is on, and a block turned off goes back to
// device 1, register 0, length 1. Turning a block off so turns off every
// later one. Done here whole, so it does not rely on the next box's slot.
void chainToggled(const BlockChain &chain, int index, bool checked);
// Shows stored blocks: frame 1 always on; frames 2 to 6 on exactly when
// enabled (the chain rule runs); register and length of every block. Values
// beyond a field's range are held to it.
void showBlocks(const BlockChain &chain, const Blocks &blocks);
// The blocks as shown: frame 1 always on.
Blocks blocksOf(const BlockChain &chain);

// A fresh answer timeout field: 0.1 s to 25.0 s by 0.1 s, at 0.1 s.
void resetTimeout(QDoubleSpinBox *seconds);

// Selects a stored item, or leaves the list empty (index -1) when it has no
// such item, so the user sees there is something to choose.
void selectItem(QComboBox *list, int item);

// Data bits, parity and stop bits of a serial line.
struct SerialFormat {
    QComboBox *dataBits;
    QComboBox *parity;
    QComboBox *stopBits;
};
// Fresh lists: "8 bits", "No parity", "1 stop bit", in the language installed.
void fillSerialFormat(const SerialFormat &format);
// Parity list after a data-bits choice: "7 bits" selects "Odd parity" of two
// items, any other "No parity" of three.
void refillParity(QComboBox *parity, int dataBitsItem);
// The three lists in the language now installed, their choices kept, no
// signal out: for a language change.
void retranslateSerialFormat(const SerialFormat &format);
// Free choice (enabled), or forced back to "8 bits", "No parity", "1 stop
// bit" and disabled.
void setSerialFormatFree(const SerialFormat &format, bool free);

} // namespace orlo::modbus
