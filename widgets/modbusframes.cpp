#include "widgets/modbusframes.h"

#include "widgets/listfill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace orlo::modbus {

namespace {

constexpr int kTimeoutDecimals = 1;

void setFieldsEnabled(const BlockWidgets &block, bool enabled)
{
    block.device->setEnabled(enabled);
    block.registerAddress->setEnabled(enabled);
    block.length->setEnabled(enabled);
}

void resetFields(const BlockWidgets &block)
{
    block.device->setValue(kDeviceMin);
    block.registerAddress->setValue(kRegisterMin);
    block.length->setValue(kLengthMin);
}

void setRange(QSpinBox *box, int min, int max)
{
    box->setRange(min, max);
    box->setSingleStep(1);
}

// The box state set without its toggled signal: the chain rule runs here.
void setCheckedQuietly(QCheckBox *box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

} // namespace

void resetChain(const BlockChain &chain, int lengthMax)
{
    for (int i = 0; i < kBlockCount; ++i) {
        const BlockWidgets &block = chain[std::size_t(i)];
        setRange(block.device, kDeviceMin, kDeviceMax);
        setRange(block.registerAddress, kRegisterMin, kRegisterMax);
        setRange(block.length, kLengthMin, lengthMax);
        resetFields(block);
        setFieldsEnabled(block, i == 0);
        setCheckedQuietly(block.box, i == 0);
        block.box->setEnabled(i <= 1);
    }
}

void chainToggled(const BlockChain &chain, int index, bool checked)
{
    if (index <= 0) {
        if (!checked) {
            setCheckedQuietly(chain[0].box, true);
            chain[1].box->setEnabled(true);
        }
        return;
    }
    if (index >= kBlockCount)
        return;
    const BlockWidgets &block = chain[std::size_t(index)];
    setFieldsEnabled(block, checked);
    if (!checked)
        resetFields(block);
    if (index + 1 < kBlockCount) {
        const BlockWidgets &next = chain[std::size_t(index + 1)];
        const bool nextWasOn = next.box->isChecked();
        setCheckedQuietly(next.box, false);
        next.box->setEnabled(checked);
        if (nextWasOn)
            chainToggled(chain, index + 1, false);
    }
}

void showBlocks(const BlockChain &chain, const Blocks &blocks)
{
    for (int i = 0; i < kBlockCount; ++i) {
        const BlockWidgets &widgets = chain[std::size_t(i)];
        const Block &block = blocks[std::size_t(i)];
        if (i == 0) {
            widgets.device->setValue(block.device);
        } else {
            if (widgets.box->isChecked() != block.enabled) {
                setCheckedQuietly(widgets.box, block.enabled);
                chainToggled(chain, i, block.enabled);
            }
            if (block.enabled)
                widgets.device->setValue(block.device);
        }
        widgets.registerAddress->setValue(block.registerAddress);
        widgets.length->setValue(block.length);
    }
}

Blocks blocksOf(const BlockChain &chain)
{
    Blocks blocks;
    for (int i = 0; i < kBlockCount; ++i) {
        const BlockWidgets &widgets = chain[std::size_t(i)];
        Block &block = blocks[std::size_t(i)];
        block.enabled = i == 0 || widgets.box->isChecked();
        block.device = widgets.device->value();
        block.registerAddress = widgets.registerAddress->value();
        block.length = widgets.length->value();
    }
    return blocks;
}

void resetTimeout(QDoubleSpinBox *seconds)
{
    // The seconds a timeout byte can hold, one byte a step.
    seconds->setDecimals(kTimeoutDecimals);
    seconds->setRange(timeoutSeconds(kTimeoutMin), timeoutSeconds(kTimeoutMax));
    seconds->setSingleStep(1 / kTimeoutStep);
    seconds->setValue(timeoutSeconds(kTimeoutMin));
}

void selectItem(QComboBox *list, int item)
{
    list->setCurrentIndex(itemOrNone(item, list->count()));
}

void fillSerialFormat(const SerialFormat &format)
{
    refillQuietly(format.dataBits, translatedItems(kModbusContext, dataBitItems()), kListOwnVisible, kDataBits8Item);
    refillParity(format.parity, kDataBits8Item);
    refillQuietly(format.stopBits, translatedItems(kModbusContext, stopBitItems()), kListOwnVisible, kStopBits1Item);
}

void refillParity(QComboBox *parity, int dataBitsItem)
{
    const bool seven = dataBitsItem == kDataBits7Item;
    refillQuietly(parity, translatedItems(kModbusContext, parityItems(dataBitsItem)), kListOwnVisible,
                  seven ? kParityOddItem : kParityNoneItem);
}

void retranslateSerialFormat(const SerialFormat &format)
{
    retranslateItems(format.dataBits, kModbusContext, dataBitItems());
    // The seven-bit parities are the first of the others.
    retranslateItems(format.parity, kModbusContext, parityItems(kDataBits8Item));
    retranslateItems(format.stopBits, kModbusContext, stopBitItems());
}

void setSerialFormatFree(const SerialFormat &format, bool free)
{
    if (!free) {
        {
            const QSignalBlocker quiet(format.dataBits);
            format.dataBits->setCurrentIndex(kDataBits8Item);
        }
        refillParity(format.parity, kDataBits8Item);
        format.stopBits->setCurrentIndex(kStopBits1Item);
    }
    format.dataBits->setEnabled(free);
    format.parity->setEnabled(free);
    format.stopBits->setEnabled(free);
}

} // namespace orlo::modbus
