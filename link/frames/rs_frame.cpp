#include "link/frames/rs_frame.h"

#include "link/frames/framebytes.h"

#include <QCoreApplication>
#include <algorithm>

namespace orlo::rs {

namespace {

// The stored bytes a list may send back: those of the stored role only.
using Kept = const quint8 *;

Serial getSerial(const quint8 *payload, int interface, int speed)
{
    Serial serial;
    serial.rs485 = payload[interface] != modbus::kRS232;
    serial.speedItem = modbus::itemOrNone(payload[speed] - kSpeedCodeOfFirstItem, modbus::kSpeedItems);
    return serial;
}

// The byte of a list item; nothing chosen sends the stored byte of the
// stored role, or the first item's on another role's tab.
quint8 listByte(int item, quint8 itemByte, const Kept &kept, int at)
{
    return item < 0 && kept ? kept[at] : itemByte;
}

void putSerial(quint8 *payload, int interface, int speed, const Serial &serial, const Kept &kept)
{
    payload[interface] = serial.rs485 ? modbus::kRS485 : modbus::kRS232;
    const int item = qBound(0, serial.speedItem, modbus::kSpeedItems - 1);
    payload[speed] = listByte(serial.speedItem, quint8(item + kSpeedCodeOfFirstItem), kept, speed);
}

Radio getRadio(const quint8 *payload, int code, int channel)
{
    Radio radio;
    radio.code = payload[code];
    radio.channel = getU16be(payload + channel);
    return radio;
}

void putRadio(quint8 *payload, int code, int channel, const Radio &radio)
{
    payload[code] = clampByte(radio.code);
    putU16be(payload + channel, radio.channel);
}

int dataBitsItemOf(quint8 code)
{
    return code == kDataBits7 ? modbus::kDataBits7Item : modbus::kDataBits8Item;
}

int parityItemOf(quint8 code)
{
    switch (code) {
    case kParityOdd:
        return modbus::kParityOddItem;
    case kParityEven:
        return modbus::kParityEvenItem;
    default:
        return modbus::kParityNoneItem;
    }
}

quint8 parityCodeOf(int item)
{
    switch (item) {
    case modbus::kParityOddItem:
        return kParityOdd;
    case modbus::kParityEvenItem:
        return kParityEven;
    default:
        return kParityNone;
    }
}

Master decodeMaster(const quint8 *payload)
{
    Master m;
    m.functionItem = payload[kMasterFunction] & kFunctionBit;
    m.serial = getSerial(payload, kMasterInterface, kMasterSpeed);
    m.hourItem = modbus::hourItem(payload[kMasterHour]);
    m.minuteItem = modbus::minuteItem(payload[kMasterMinute], kMinuteStep, kMinuteItems);
    m.timeout = modbus::timeoutSeconds(payload[kMasterTimeout]);
    m.blocks = modbus::getBlocks(payload + kMasterBlocks);
    m.blocks[0].enabled = true;            // block 1 is always polled
    return m;
}

Slave decodeSlave(const quint8 *payload)
{
    Slave s;
    s.modemAddress = payload[kSlaveModem];
    s.serial = getSerial(payload, kSlaveInterface, kSlaveSpeed);
    s.radio = getRadio(payload, kSlaveRadioCode, kSlaveChannel);
    s.radio.modem = kSlaveModemSent;
    s.radio.remote = kSlaveRemoteSent;
    return s;
}

Bridge decodeBridge(const quint8 *payload)
{
    Bridge b;
    b.mode = payload[kBridgeMode];
    b.serial = getSerial(payload, kBridgeInterface, kBridgeSpeed);
    b.radio = getRadio(payload, kBridgeRadioCode, kBridgeChannel);
    b.radio.modem = payload[kBridgeModem];
    b.radio.remote = payload[kBridgeRemote];
    b.energySaving = payload[kBridgeEnergySaving];
    b.dataBitsItem = dataBitsItemOf(payload[kBridgeDataBits]);
    b.parityItem = parityItemOf(payload[kBridgeParity]);
    b.stopBitsItem = payload[kBridgeStopBits] == kStopBits2 ? modbus::kStopBits2Item : modbus::kStopBits1Item;
    return b;
}

void encodeMaster(quint8 *payload, const Master &m, const Kept &kept)
{
    putSerial(payload, kMasterInterface, kMasterSpeed, m.serial, kept);
    payload[kMasterHour] = listByte(m.hourItem, clampByte(m.hourItem, 0, modbus::kLastHour), kept, kMasterHour);
    payload[kMasterMinute] = listByte(m.minuteItem, modbus::minuteByte(m.minuteItem, kMinuteStep, kMinuteItems),
                                      kept, kMasterMinute);
    payload[kMasterTimeout] = modbus::timeoutByte(m.timeout);
    modbus::Blocks blocks = m.blocks;
    blocks[0].enabled = true;
    modbus::putBlocks(payload + kMasterBlocks, blocks);
    payload[kMasterFunction] = m.functionItem == modbus::kFunctionInputsItem ? kFunctionBit : 0;
}

void encodeSlave(quint8 *payload, const Slave &s, const Kept &kept)
{
    payload[kSlaveModem] = clampByte(s.modemAddress);
    putSerial(payload, kSlaveInterface, kSlaveSpeed, s.serial, kept);
    putRadio(payload, kSlaveRadioCode, kSlaveChannel, s.radio);
    payload[kSlaveModemField] = kSlaveModemSent;
    payload[kSlaveRemoteField] = kSlaveRemoteSent;
}

void encodeBridge(quint8 *payload, const Bridge &b, const Kept &kept)
{
    payload[kBridgeMode] = clampByte(b.mode, kModeSigfox, kModeAdvanced);
    putSerial(payload, kBridgeInterface, kBridgeSpeed, b.serial, kept);
    putRadio(payload, kBridgeRadioCode, kBridgeChannel, b.radio);
    payload[kBridgeModem] = clampByte(b.radio.modem);
    payload[kBridgeRemote] = clampByte(b.radio.remote);
    payload[kBridgeEnergySaving] = clampByte(b.energySaving, kSavingDisabled, kSavingMaster);
    payload[kBridgeDataBits] = b.dataBitsItem == modbus::kDataBits7Item ? kDataBits7 : kDataBits8;
    payload[kBridgeParity] = parityCodeOf(b.parityItem);
    payload[kBridgeStopBits] = b.stopBitsItem == modbus::kStopBits2Item ? kStopBits2 : kStopBits1;
}

} // namespace

Record decode(const quint8 *payload)
{
    Record record;
    std::copy(payload, payload + kPayloadSize, record.stored.begin());
    record.read = true;
    record.role = payload[kRole];
    switch (record.role) {
    case kRoleMaster:
        record.master = decodeMaster(payload);
        break;
    case kRoleSlave:
        record.slave = decodeSlave(payload);
        break;
    case kRoleBridge:
        record.bridge = decodeBridge(payload);
        break;
    default:
        break;
    }
    return record;
}

void encode(quint8 *payload, quint8 command, const Record &record)
{
    payload[kCommand] = command;
    payload[kRole] = clampByte(record.role);
    const Kept kept = record.read && record.stored[kRole] == record.role ? record.stored.data() : nullptr;
    switch (record.role) {
    case kRoleMaster:
        encodeMaster(payload, record.master, kept);
        break;
    case kRoleSlave:
        encodeSlave(payload, record.slave, kept);
        break;
    case kRoleBridge:
        encodeBridge(payload, record.bridge, kept);
        break;
    default:
        break;
    }
}

Information decodeInformation(const quint8 *payload, int size)
{
    Information information;
    if (size >= kIdentifier + 4)
        information.identifier = getU32le(payload + kIdentifier);
    QByteArray text;
    for (int i = kVersion; i < size && payload[i] != 0; ++i)
        text.append(char(payload[i]));
    information.version = QString::fromLatin1(text);
    return information;
}

bool hasSigfoxIdentifier(quint32 identifier)
{
    return identifier != 0 && identifier != kNoIdentifier;
}

QString statusText(const Information &information)
{
    QString text = QStringLiteral("sw:v") + information.version;
    if (information.identifier != kNoIdentifier)
        text += QStringLiteral(" Sigfox id: 0x") + QString::number(information.identifier, 16);
    return text;
}

Features featuresOf(const QString &version)
{
    bool ok = false;
    const float v = version.toFloat(&ok);
    Features features;
    if (!ok)
        return features;
    features.energySaving = v >= 1.5f;
    features.master = v >= 1.6f;
    features.serialFormat = v >= 1.9f;
    features.functionCode = v >= 2.3f;
    return features;
}

// The lines are shown in the window's invalid-configuration box: translated
// as they are made (orlo-cli installs no translator and keeps them as written).
QStringList lockedFeatures(const Record &record, const std::optional<Information> &information)
{
    const auto translated = [](const char *source) { return QCoreApplication::translate("orlo::rs", source); };
    const Features features = information ? featuresOf(information->version) : Features{};
    const QString version = information
                                ? translated(QT_TRANSLATE_NOOP("orlo::rs", "version %1")).arg(information->version)
                                : translated(QT_TRANSLATE_NOOP("orlo::rs", "a version not yet known"));
    QStringList lines;
    const auto need = [&](bool asked, bool offered, const char *feature, const char *since) {
        if (asked && !offered)
            lines << translated(QT_TRANSLATE_NOOP("orlo::rs", "\t%1 needs firmware %2 or later; the module has %3\n"))
                         .arg(translated(feature), QLatin1String(since), version);
    };
    const bool master = record.role == kRoleMaster;
    const bool bridge = record.role == kRoleBridge;
    const Bridge &b = record.bridge;
    need(master, features.master, QT_TRANSLATE_NOOP("orlo::rs", "The Master role"), "1.6");
    need(master && record.master.functionItem != modbus::kFunctionHoldingItem, features.functionCode,
         QT_TRANSLATE_NOOP("orlo::rs", "A function code other than the first"), "2.3");
    need(bridge && (b.dataBitsItem != modbus::kDataBits8Item || b.parityItem != modbus::kParityNoneItem
                    || b.stopBitsItem != modbus::kStopBits1Item),
         features.serialFormat,
         QT_TRANSLATE_NOOP("orlo::rs", "A serial format other than 8 bits, no parity, 1 stop bit"), "1.9");
    need(bridge && b.energySaving != kSavingDisabled, features.energySaving,
         QT_TRANSLATE_NOOP("orlo::rs", "The energy saving mode"), "1.5");
    if (bridge && b.mode == kModeSigfox && !(information && hasSigfoxIdentifier(information->identifier)))
        lines << translated(QT_TRANSLATE_NOOP(
                     "orlo::rs", "\tThe Sigfox bridge mode needs a Sigfox identifier; the module has %1\n"))
                     .arg(information ? translated(QT_TRANSLATE_NOOP("orlo::rs", "none"))
                                      : translated(QT_TRANSLATE_NOOP("orlo::rs", "not told its own yet")));
    return lines;
}

} // namespace orlo::rs
