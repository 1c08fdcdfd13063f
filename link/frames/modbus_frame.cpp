#include "link/frames/modbus_frame.h"

#include "link/frames/framebytes.h"

namespace orlo::modbus {

Blocks getBlocks(const quint8 *at)
{
    Blocks blocks;
    for (int i = 0; i < kBlockCount; ++i) {
        const quint8 *p = at + i * kBlockSize;
        Block &b = blocks[std::size_t(i)];
        b.enabled = p[kBlockDevice] != kBlockOff;
        b.device = p[kBlockDevice];
        b.registerAddress = getU16le(p + kBlockRegister);
        b.length = p[kBlockLength];
    }
    return blocks;
}

void putBlocks(quint8 *at, const Blocks &blocks)
{
    for (int i = 0; i < kBlockCount; ++i) {
        quint8 *p = at + i * kBlockSize;
        const Block &b = blocks[std::size_t(i)];
        p[kBlockDevice] = b.enabled ? clampByte(b.device) : kBlockOff;
        putU16le(p + kBlockRegister, quint16(qBound(0, b.registerAddress, 0xFFFF)));
        p[kBlockLength] = clampByte(b.length);
    }
}

int hourItem(int hourByte)
{
    return hourByte >= 0 && hourByte <= kLastHour ? hourByte : -1;
}

quint8 minuteByte(int item, int step, int items)
{
    return clampByte((qBound(0, item, qMax(items - 1, 0)) + 1) * step);
}

int minuteItem(int minuteByte, int step, int items)
{
    if (step <= 0 || minuteByte < step || minuteByte % step != 0)
        return -1;
    const int item = minuteByte / step - 1;
    return item < items ? item : -1;
}

quint8 timeoutByte(double seconds)
{
    return clampByte(truncateTo<int>(seconds * kTimeoutStep), kTimeoutMin, kTimeoutMax);
}

double timeoutSeconds(int timeoutByte)
{
    return qBound(kTimeoutMin, timeoutByte, kTimeoutMax) / kTimeoutStep;
}

int itemOrNone(int item, int items)
{
    return item >= 0 && item < items ? item : -1;
}

const QStringList &speedItems()
{
    static const QStringList items{QStringLiteral("4800"),  QStringLiteral("9600"),  QStringLiteral("19200"),
                                   QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200")};
    return items;
}

// The lists in words are what records and files keep; a page shows them
// translated (context "orlo::modbus") and goes by the item's position.
const QStringList &dataBitItems()
{
    static const QStringList items{QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "7 bits")),
                                   QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "8 bits"))};
    return items;
}

QStringList parityItems(int dataBitsItem)
{
    QStringList items{QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "Odd parity")),
                      QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "Even parity"))};
    if (dataBitsItem != kDataBits7Item)
        items << QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "No parity"));
    return items;
}

const QStringList &stopBitItems()
{
    static const QStringList items{QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "1 stop bit")),
                                   QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "2 stop bits"))};
    return items;
}

const QStringList &functionItems()
{
    static const QStringList items{QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "Read Holding Registers (0x03)")),
                                   QStringLiteral(QT_TRANSLATE_NOOP("orlo::modbus", "Read Inputs Registers (0x04)"))};
    return items;
}

QStringList hourItems()
{
    QStringList items;
    for (int h = 0; h <= kLastHour; ++h)
        items << QString::number(h);
    return items;
}

QStringList minuteItems(int step, int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QString::number(i * step);
    return items;
}

} // namespace orlo::modbus
