#include "link/frames/rslw_frame.h"

#include "link/frames/framebytes.h"
#include "link/moduletable.h"

namespace orlo::rslw {

namespace {

constexpr double kHundredths = 100.0;
constexpr int kVersionDecimals = 2;

// A list item held to its list before it becomes a byte (nothing chosen: the first).
quint8 itemByte(int item, int items)
{
    return clampByte(item, 0, items - 1);
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
    payload[kRole] = itemByte(record.role, kRoles);
    payload[kInterface] = record.rs485 ? modbus::kRS485 : modbus::kRS232;
    payload[kSpeedItem] = itemByte(record.speedItem, modbus::kSpeedItems);
    payload[kDataBitsItem] = itemByte(record.dataBitsItem, kDataBitsItems);
    payload[kParityItem] = itemByte(record.parityItem, kParityItems);
    payload[kStopBitsItem] = itemByte(record.stopBitsItem, kStopBitsItems);
    payload[kSlaveModem] = clampByte(record.slaveModem, kMinSlaveModem, kMaxSlaveModem);
    payload[kHourItem] = itemByte(record.hourItem, modbus::kHourItems);
    payload[kMinute] = modbus::minuteByte(record.minuteItem, kMinuteStep, kMinuteItems);
    payload[kTimeout] = modbus::timeoutByte(record.timeoutSeconds);
    modbus::Blocks blocks = record.blocks;
    for (modbus::Block &block : blocks)
        block.length = qBound(kMinBlockLength, block.length, kMaxBlockLength);
    modbus::putBlocks(payload + kBlocks, blocks);
    payload[kOtaa] = record.otaa ? 1 : 0;
    payload[kFunctionItem] = itemByte(record.functionItem, kFunctionItems);
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

QString statusText(const Information &information)
{
    return QStringLiteral("sw:v") + QString::number(information.versionTimes100 / kHundredths, 'f', kVersionDecimals)
        + QStringLiteral("    devEui:") + QString::number(information.deviceEui, 16);
}

} // namespace orlo::rslw
