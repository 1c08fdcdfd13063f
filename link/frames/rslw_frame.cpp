#include "link/frames/rslw_frame.h"

#include "link/frames/framebytes.h"
#include "link/moduletable.h"

#include <algorithm>

namespace orlo::rslw {

namespace {

constexpr double kHundredths = 100.0;
constexpr int kVersionDecimals = 2;

// A list item held to its list before it becomes a byte; nothing chosen
// sends the stored byte, or the first item's when nothing was read.
quint8 itemByte(int item, int items)
{
    return clampByte(item, 0, items - 1);
}

quint8 listByte(const Record &record, int item, quint8 itemByte, int at)
{
    return item < 0 && record.read ? record.stored[std::size_t(at)] : itemByte;
}

} // namespace

int minuteItem(int minuteByte)
{
    // Integer division toward zero: bytes 1 to 4 read as the first item.
    return modbus::itemOrNone((minuteByte - kMinuteStep) / kMinuteStep, kMinuteItems);
}

Record decode(const quint8 *payload)
{
    Record record;
    std::copy(payload, payload + kPayloadSize, record.stored.begin());
    record.read = true;
    record.role = modbus::itemOrNone(payload[kRole], kRoles);
    record.rs485 = payload[kInterface] != 0;
    record.speedItem = modbus::itemOrNone(payload[kSpeedItem], modbus::kSpeedItems);
    record.dataBitsItem = modbus::itemOrNone(payload[kDataBitsItem], kDataBitsItems);
    record.parityItem = modbus::itemOrNone(payload[kParityItem], kParityItems);
    record.stopBitsItem = modbus::itemOrNone(payload[kStopBitsItem], kStopBitsItems);
    record.slaveModem = payload[kSlaveModem];
    record.hourItem = modbus::hourItem(payload[kHourItem]);
    record.minuteItem = minuteItem(payload[kMinute]);
    record.timeoutSeconds = modbus::timeoutSeconds(payload[kTimeout]);
    record.blocks = modbus::getBlocks(payload + kBlocks);
    record.otaa = payload[kOtaa] != 0;
    record.functionItem = modbus::itemOrNone(payload[kFunctionItem], kFunctionItems);
    return record;
}

void encode(quint8 *payload, const Record &record)
{
    payload[kCommand] = command::WriteConfiguration;
    const auto list = [&](int item, int items, int at) {
        return listByte(record, item, itemByte(item, items), at);
    };
    payload[kRole] = list(record.role, kRoles, kRole);
    payload[kInterface] = record.rs485 ? modbus::kRS485 : modbus::kRS232;
    payload[kSpeedItem] = list(record.speedItem, modbus::kSpeedItems, kSpeedItem);
    payload[kDataBitsItem] = list(record.dataBitsItem, kDataBitsItems, kDataBitsItem);
    payload[kParityItem] = list(record.parityItem, kParityItems, kParityItem);
    payload[kStopBitsItem] = list(record.stopBitsItem, kStopBitsItems, kStopBitsItem);
    payload[kSlaveModem] = clampByte(record.slaveModem, kMinSlaveModem, kMaxSlaveModem);
    payload[kHourItem] = list(record.hourItem, modbus::kHourItems, kHourItem);
    payload[kMinute] = listByte(record, record.minuteItem,
                                modbus::minuteByte(record.minuteItem, kMinuteStep, kMinuteItems), kMinute);
    payload[kTimeout] = modbus::timeoutByte(record.timeoutSeconds);
    modbus::Blocks blocks = record.blocks;
    for (modbus::Block &block : blocks)
        block.length = qBound(kMinBlockLength, block.length, kMaxBlockLength);
    modbus::putBlocks(payload + kBlocks, blocks);
    payload[kOtaa] = record.otaa ? 1 : 0;
    payload[kFunctionItem] = list(record.functionItem, kFunctionItems, kFunctionItem);
}

Information decodeInformation(const quint8 *payload, int size)
{
    Information information;
    if (size >= kVersion + 2)
        information.versionTimes100 = getU16le(payload + kVersion);
    if (size >= kDeviceEui + kDeviceEuiSize)
        for (int i = kDeviceEuiSize - 1; i >= 0; --i)
            information.deviceEui = (information.deviceEui << 8) | payload[kDeviceEui + i];
    return information;
}

QString versionText(const Information &information)
{
    return QString::number(information.versionTimes100 / kHundredths, 'f', kVersionDecimals);
}

QString deviceEuiText(const Information &information)
{
    return QString::number(information.deviceEui, 16);
}

QString statusText(const Information &information)
{
    return QStringLiteral("sw:v") + versionText(information) + QStringLiteral("    devEui:")
        + deviceEuiText(information);
}

} // namespace orlo::rslw
