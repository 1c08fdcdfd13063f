// Digital-input, mirror, bridge, repeater and LoRaWAN-serial records as named fields.
#include "link/records/recordfields.h"

#include "link/frames/di_frame.h"
#include "link/frames/mirror_frame.h"
#include "link/frames/modbus_frame.h"
#include "link/frames/rpt_frame.h"
#include "link/frames/rs_frame.h"
#include "link/frames/rslw_frame.h"
#include "link/limits.h"
#include "link/moduletable.h"

#include <QStringList>

namespace orlo::records {

namespace {

using Shown = std::function<bool(const quint8 *payload)>;

// ---- Rows ---------------------------------------------------------------------

Field byteNumber(const QString &name, int offset, double minimum, double maximum)
{
    return number(name, offset, Storage::Byte, 1, minimum, maximum);
}

// Meter reading lists: hours "00" ... the last hour, minutes "00" ... by
// ten. The minute list holds only tens, so it is a list and not a range.
constexpr int kLastHourDI = limits::kLastReadingHourDI;
constexpr int kLastHour = limits::kLastReadingHour;
constexpr int kLastMinute = limits::kLastReadingMinute;
constexpr int kLastPeriodMinute = limits::kLastPeriodMinute;
constexpr int kMinuteStep = 10;

QVector<Item> readingMinutes(int lastMinute)
{
    QVector<Item> items;
    for (int minute = 0; minute <= lastMinute; minute += kMinuteStep)
        items.append({minute, QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'))});
    return items;
}

// The LoRa widget: data-rate indexes and the channels of its two plans.
const QStringList kLoRaRates = limits::loRaRateTexts();
using limits::kFirstLoRaChannel;
using limits::kLastLoRaChannel;

constexpr int kLastAddress = 255;
constexpr int kLastByte = 255;

// ---- Digital-input modules ----------------------------------------------------

struct InputTexts {
    QString digital;
    QString counter;
};

// One input of an inputs byte at `at`: in use, mode, and the edge of a digital input.
void addInput(QVector<Field> &fields, int at, int number, const di::InputMasks &masks, const InputTexts &texts)
{
    const QString input = QStringLiteral("input %1 ").arg(number);
    fields << flag(input + QStringLiteral("in use"), at, masks.inUse)
           << choice(input + QStringLiteral("mode"), at, {{0, texts.digital}, {1, texts.counter}}, masks.counter)
           << shownWhen(choice(input + QStringLiteral("edge"), at, edgeItems(), masks.edge),
                        [at, counter = masks.counter](const quint8 *p) { return !(p[at] & counter); });
}

const InputTexts kInputTextsEnglish{QStringLiteral("Digital input"), QStringLiteral("Counter")};

// What DI (a French page) and DI_r2x show differently.
struct TwoInputPage {
    QVector<Item> keepAlive;        // flags bit 7 clear, set
    InputTexts texts;
    int lastHour;
};

const TwoInputPage kPageDI{listItems(limits::lifeTextsFrench()),
                           {QStringLiteral("Entrée numérique"), QStringLiteral("Compteur")},
                           kLastHourDI};
const TwoInputPage kPageDI_r2x{listItems(limits::lifeTextsEnglish()),
                               kInputTextsEnglish,
                               kLastHour};

QVector<Field> twoInputFields(const TwoInputPage &page)
{
    QVector<Field> fields{choice(QStringLiteral("keep alive"), di::kFlags, page.keepAlive, di::kFlagKeepAlive),
                          flag(QStringLiteral("cable break detection"), di::kFlags, di::kFlagCableBreak)};
    addInput(fields, di::kInputs, 1, di::kInput1Masks, page.texts);
    addInput(fields, di::kInputs, 2, di::kInput2Masks, page.texts);
    fields << byteNumber(QStringLiteral("meter reading hour"), di::kHour, 0, page.lastHour)
           << choice(QStringLiteral("meter reading minute"), di::kMinute, readingMinutes(kLastMinute));
    return fields;
}

QVector<Field> fourInputFields()
{
    // The join-mode list exists only on a module reporting a radio variant
    // with a LoRaWAN join mode.
    const auto joinModeShown = [](const quint8 *p) {
        const di::Record4 r = di::decode4(p);
        return r.radioVariant != 0 && r.joinMode;
    };
    return {choice(QStringLiteral("keep alive"), di::kFlags, kPageDI_r2x.keepAlive, di::kFlagKeepAlive),
            flag(QStringLiteral("cable break detection"), di::kFlags, di::kFlagCableBreak),
            shownWhen(choice(QStringLiteral("join mode"), di::kFlags,
                             listItems(limits::joinModeTexts()),
                             di::kFlagRadioBit0),
                      joinModeShown),
            flag(QStringLiteral("counter 1 in use"), di::kInputs, di::kCounter1InUse),
            flag(QStringLiteral("counter 2 in use"), di::kInputs, di::kCounter2InUse),
            flag(QStringLiteral("digital input 3 in use"), di::kInputs, di::kInput3InUse),
            choice(QStringLiteral("digital input 3 edge"), di::kInputs, edgeItems(), di::kEdge3Bits),
            flag(QStringLiteral("digital input 4 in use"), di::kInputs, di::kInput4InUse),
            choice(QStringLiteral("digital input 4 edge"), di::kInputs, edgeItems(), di::kEdge4Bits),
            byteNumber(QStringLiteral("meter reading hour"), di::kHour, 0, kLastHour),
            choice(QStringLiteral("meter reading minute"), di::kMinute, readingMinutes(kLastPeriodMinute))};
}

// ---- Mirror modules -----------------------------------------------------------

Shown mirrorRoleIn(std::initializer_list<int> roles)
{
    const QVector<int> shown(roles);
    return [shown](const quint8 *p) { return shown.contains(p[mirror::kMode] & mirror::kRoleMask); };
}

QVector<Field> mirrorFields(mirror::Variant variant)
{
    const bool lora = variant == mirror::Variant::DIO_LoRa;
    const bool twoTabs = variant == mirror::Variant::DI2_868_r_10;
    QVector<Item> roles{{mirror::Slave, QStringLiteral("Slave")}, {mirror::Master, QStringLiteral("Master")}};
    if (!twoTabs)
        roles << Item{mirror::SlaveMirror, limits::mirrorModeTexts().at(0)}
              << Item{mirror::MasterMirror, limits::mirrorModeTexts().at(1)};
    const Shown master = mirrorRoleIn({mirror::Master});

    QVector<Field> fields{choice(QStringLiteral("role"), mirror::kMode, roles, mirror::kRoleMask)};
    if (!lora)
        fields << flag(QStringLiteral("radio compatibility"), mirror::kMode, mirror::kCompatibility);
    QVector<Field> inputs;
    addInput(inputs, mirror::kInputs, 1, di::kInput1Masks, kInputTextsEnglish);
    addInput(inputs, mirror::kInputs, 2, di::kInput2Masks, kInputTextsEnglish);
    inputs << byteNumber(QStringLiteral("meter reading hour"), mirror::kHour, 0, kLastHour)
           << choice(QStringLiteral("meter reading minute"), mirror::kMinute, readingMinutes(kLastMinute));
    for (Field &f : inputs) {
        // An edge is shown on the Master tab only, and there for a digital input only.
        const Shown own = f.shownWhen;
        f.shownWhen = own ? Shown([master, own](const quint8 *p) { return master(p) && own(p); }) : master;
        fields << f;
    }

    if (lora)
        fields << choice(QStringLiteral("radio data rate (bps)"), mirror::kSpeed, listItems(kLoRaRates))
               << number(QStringLiteral("radio channel"), mirror::kChannel, Storage::Unsigned16le, 1,
                         kFirstLoRaChannel, kLastLoRaChannel);
    else
        fields << choice(QStringLiteral("radio rate (bps)"), mirror::kSpeed, radioRateItems())
               << number(QStringLiteral("radio channel"), mirror::kChannel, Storage::Unsigned16le, 1, 0,
                         kLastRadioChannel);
    // Master mirror uses the peer's address only, Slave and Master their own.
    using limits::kLastAddress;
    fields << shownWhen(belongingTo(byteNumber(QStringLiteral("modem address"), mirror::kModem, 0, kLastAddress),
                                    Belongs::OwnAddress),
                        mirrorRoleIn({mirror::Slave, mirror::Master, mirror::SlaveMirror}))
           << shownWhen(byteNumber(QStringLiteral("remote address"), mirror::kRemote, 0,
                                   twoTabs ? limits::kLastRemoteAddressDI2 : kLastAddress),
                        mirrorRoleIn({mirror::Master, mirror::MasterMirror}));
    constexpr int kLastTimeOut = 10;
    if (mirror::layoutOf(variant).timeOut)
        fields << byteNumber(QStringLiteral("time-out (s)"), mirror::kTimeOut, 0, kLastTimeOut);
    return fields;
}

// ---- Serial modules -------------------------------------------------------------

const QVector<Item> kInterfaces = {{modbus::kRS232, QStringLiteral("RS232")},
                                   {modbus::kRS485, QStringLiteral("RS485")}};

// The six register blocks from `at`: frame 1 is always polled, a device of
// 0 leaves a later one unpolled.
void addBlocks(QVector<Field> &fields, int at, int lastLength, const Shown &shown)
{
    for (int i = 0; i < modbus::kBlockCount; ++i) {
        const int block = at + i * modbus::kBlockSize;
        const QString frame = QStringLiteral("frame %1 ").arg(i + 1);
        const int firstDevice = i == 0 ? modbus::kDeviceMin : modbus::kBlockOff;
        fields << shownWhen(byteNumber(frame + QStringLiteral("device"), block + modbus::kBlockDevice, firstDevice,
                                       modbus::kDeviceMax),
                            shown)
               << shownWhen(number(frame + QStringLiteral("register"), block + modbus::kBlockRegister,
                                   Storage::Unsigned16le, 1, modbus::kRegisterMin, modbus::kRegisterMax),
                            shown)
               << shownWhen(byteNumber(frame + QStringLiteral("length"), block + modbus::kBlockLength,
                                       modbus::kLengthMin, lastLength),
                            shown);
    }
}

// The statement period lists. A stored byte neither list shows goes back
// as stored, so they are lists (a code they lack stays a number) rather than
// ranges a file could not hold it in.
QVector<Item> hourItems()
{
    return listItems(modbus::hourItems());
}

QVector<Item> minuteItems(int step, int count)
{
    QVector<Item> items;
    const QStringList texts = modbus::minuteItems(step, count);
    for (int item = 0; item < count; ++item)
        items.append({modbus::minuteByte(item, step, count), texts.at(item)});
    return items;
}

Field timeout(int offset)
{
    return number(QStringLiteral("timeout (s)"), offset, Storage::Byte, 1 / modbus::kTimeoutStep,
                  modbus::timeoutSeconds(modbus::kTimeoutMin), modbus::timeoutSeconds(modbus::kTimeoutMax));
}

Shown rsRole(quint8 role)
{
    return [role](const quint8 *p) { return p[rs::kRole] == role; };
}

QVector<Field> bridgeFields()
{
    const Shown master = rsRole(rs::kRoleMaster);
    const Shown slave = rsRole(rs::kRoleSlave);
    const Shown bridge = rsRole(rs::kRoleBridge);
    const QVector<Item> speeds = listItems(modbus::speedItems(), rs::kSpeedCodeOfFirstItem);
    constexpr int kLastLength = 4;
    constexpr int kFirstModem = 1;
    constexpr int kLastModem = limits::kLastAddress;

    QVector<Field> fields{
        choice(QStringLiteral("role"), rs::kRole,
               {{rs::kRoleMaster, QStringLiteral("Master")},
                {rs::kRoleSlave, QStringLiteral("Slave")},
                {rs::kRoleBridge, QStringLiteral("Bridge")}}),
        // Master.
        shownWhen(choice(QStringLiteral("master serial interface"), rs::kMasterInterface, kInterfaces), master),
        shownWhen(choice(QStringLiteral("master serial speed (bps)"), rs::kMasterSpeed, speeds), master),
        shownWhen(choice(QStringLiteral("statement period hour"), rs::kMasterHour, hourItems()), master),
        shownWhen(choice(QStringLiteral("statement period minute"), rs::kMasterMinute,
                         minuteItems(rs::kMinuteStep, rs::kMinuteItems)),
                  master),
        shownWhen(timeout(rs::kMasterTimeout), master),
        shownWhen(choice(QStringLiteral("function code"), rs::kMasterFunction, listItems(modbus::functionItems()),
                         rs::kFunctionBit),
                  master)};
    addBlocks(fields, rs::kMasterBlocks, kLastLength, master);
    // Slave: the radio widget's addresses are hidden, the tab has its own.
    fields << shownWhen(belongingTo(byteNumber(QStringLiteral("modem address"), rs::kSlaveModem, kFirstModem,
                                               kLastModem),
                                    Belongs::OwnAddress),
                        slave)
           << shownWhen(choice(QStringLiteral("slave serial interface"), rs::kSlaveInterface, kInterfaces), slave)
           << shownWhen(choice(QStringLiteral("slave serial speed (bps)"), rs::kSlaveSpeed, speeds), slave)
           << shownWhen(choice(QStringLiteral("slave radio rate (bps)"), rs::kSlaveRadioCode,
                               radioRateItems()),
                        slave)
           << shownWhen(number(QStringLiteral("slave radio channel"), rs::kSlaveChannel, Storage::Unsigned16be, 1, 0,
                               kLastRadioChannel),
                        slave);
    // Bridge.
    const QStringList parities = modbus::parityItems(modbus::kDataBits8Item);
    fields << shownWhen(choice(QStringLiteral("bridge mode"), rs::kBridgeMode,
                               {{rs::kModeSigfox, QStringLiteral("Sigfox")},
                                {rs::kModeLocal, QStringLiteral("Short range radio")},
                                {rs::kModeAdvanced, QStringLiteral("Advanced")}}),
                        bridge)
           << shownWhen(choice(QStringLiteral("bridge serial interface"), rs::kBridgeInterface, kInterfaces), bridge)
           << shownWhen(choice(QStringLiteral("bridge serial speed (bps)"), rs::kBridgeSpeed, speeds), bridge)
           << shownWhen(choice(QStringLiteral("data bits"), rs::kBridgeDataBits,
                               {{rs::kDataBits7, modbus::dataBitItems().at(modbus::kDataBits7Item)},
                                {rs::kDataBits8, modbus::dataBitItems().at(modbus::kDataBits8Item)}}),
                        bridge)
           << shownWhen(choice(QStringLiteral("parity"), rs::kBridgeParity,
                               {{rs::kParityOdd, parities.at(modbus::kParityOddItem)},
                                {rs::kParityEven, parities.at(modbus::kParityEvenItem)},
                                {rs::kParityNone, parities.at(modbus::kParityNoneItem)}}),
                        bridge)
           << shownWhen(choice(QStringLiteral("stop bits"), rs::kBridgeStopBits,
                               {{rs::kStopBits1, modbus::stopBitItems().at(modbus::kStopBits1Item)},
                                {rs::kStopBits2, modbus::stopBitItems().at(modbus::kStopBits2Item)}}),
                        bridge)
           << shownWhen(choice(QStringLiteral("bridge radio rate (bps)"), rs::kBridgeRadioCode,
                               radioRateItems()),
                        bridge)
           << shownWhen(number(QStringLiteral("bridge radio channel"), rs::kBridgeChannel, Storage::Unsigned16be, 1, 0,
                               kLastRadioChannel),
                        bridge)
           << shownWhen(belongingTo(byteNumber(QStringLiteral("radio modem address"), rs::kBridgeModem, 0,
                                               kLastAddress),
                                    Belongs::OwnAddress),
                        bridge)
           << shownWhen(byteNumber(QStringLiteral("radio remote address"), rs::kBridgeRemote, 0, kLastAddress),
                        bridge)
           << shownWhen(choice(QStringLiteral("energy saving mode"), rs::kBridgeEnergySaving,
                               {{rs::kSavingDisabled, QStringLiteral("Disable")},
                                {rs::kSavingMaster, QStringLiteral("Master")},
                                {rs::kSavingSlave, QStringLiteral("Slave")}}),
                        bridge);
    return fields;
}

QVector<Field> repeaterFields()
{
    // In SF8 mode the radio widget shows the Sigfox settings, not the stored ones.
    const Shown radio868 = [](const quint8 *p) { return !rpt::decode(p).sf8; };
    constexpr int kSf8 = 1;
    QVector<Field> fields{
        choice(QStringLiteral("mode"), rpt::kMode,
               {{0, QStringLiteral("ORLO 868 parameters")}, {kSf8, QStringLiteral("ORLO SF8 parameters")}}),
        shownWhen(choice(QStringLiteral("radio rate (bps)"), rpt::kBaudCode,
                         listItems(limits::fourRateTexts(), rpt::kModbusBaudCode)),
                  radio868),
        shownWhen(number(QStringLiteral("radio channel"), rpt::kChannel, Storage::Unsigned16be, 1, 0,
                         kLastRadioChannel),
                  radio868),
        belongingTo(byteNumber(QStringLiteral("modem address"), rpt::kModemAddress, rpt::kMinModemAddress,
                               rpt::kMaxModemAddress),
                    Belongs::OwnAddress),
        byteNumber(QStringLiteral("max sigfox frames per day"), rpt::kMaxFrames, rpt::kMinFrames,
                   rpt::kMaxFramesPerDay)};
    for (int m = 0; m < rpt::kModules; ++m)
        for (int b = 0; b < rpt::kIdentifierSize; ++b)
            fields << belongingTo(byteNumber(QStringLiteral("orlo %1 identifier byte %2").arg(m + 1).arg(b + 1),
                                             rpt::kIdentifiers + m * rpt::kIdentifierSize + b, 0, kLastByte),
                                  Belongs::OwnUnit);
    return fields;
}

QVector<Field> loRaWanSerialFields()
{
    constexpr int kTabMaster = 0;
    constexpr int kTabSlave = 1;
    constexpr int kTabBridge = 2;
    const Shown master = [](const quint8 *p) { return p[rslw::kRole] == kTabMaster; };
    const Shown slave = [](const quint8 *p) { return p[rslw::kRole] == kTabSlave; };
    QVector<Field> fields{
        choice(QStringLiteral("role"), rslw::kRole,
               {{kTabMaster, QStringLiteral("Master")},
                {kTabSlave, QStringLiteral("Slave")},
                {kTabBridge, QStringLiteral("Bridge")}}),
        choice(QStringLiteral("serial interface"), rslw::kInterface, kInterfaces),
        choice(QStringLiteral("serial speed (bps)"), rslw::kSpeedItem, listItems(modbus::speedItems())),
        choice(QStringLiteral("data bits"), rslw::kDataBitsItem, listItems(modbus::dataBitItems())),
        choice(QStringLiteral("parity"), rslw::kParityItem, listItems(modbus::parityItems(modbus::kDataBits8Item))),
        choice(QStringLiteral("stop bits"), rslw::kStopBitsItem, listItems(modbus::stopBitItems())),
        flag(QStringLiteral("otaa"), rslw::kOtaa, rslw::kOtaaOn),
        shownWhen(belongingTo(byteNumber(QStringLiteral("modem address"), rslw::kSlaveModem, rslw::kMinSlaveModem,
                                         rslw::kMaxSlaveModem),
                              Belongs::OwnAddress),
                  slave),
        shownWhen(choice(QStringLiteral("statement period hour"), rslw::kHourItem, hourItems()), master),
        shownWhen(choice(QStringLiteral("statement period minute"), rslw::kMinute,
                         minuteItems(rslw::kMinuteStep, rslw::kMinuteItems)),
                  master),
        shownWhen(timeout(rslw::kTimeout), master),
        shownWhen(choice(QStringLiteral("function code"), rslw::kFunctionItem, listItems(modbus::functionItems())),
                  master)};
    addBlocks(fields, rslw::kBlocks, rslw::kMaxBlockLength, master);
    return fields;
}

} // namespace

QVector<Field> diFields(int)
{
    return twoInputFields(kPageDI);
}

QVector<Field> diR2xFields(int)
{
    return twoInputFields(kPageDI_r2x);
}

QVector<Field> di4Fields(int)
{
    return fourInputFields();
}

QVector<Field> iodFields(int)
{
    return mirrorFields(mirror::Variant::IOD_PS_r20);
}

QVector<Field> dioLoRaFields(int)
{
    return mirrorFields(mirror::Variant::DIO_LoRa);
}

QVector<Field> di2Fields(int)
{
    return mirrorFields(mirror::Variant::DI2_868_r_10);
}

QVector<Field> rsFields(int)
{
    return bridgeFields();
}

QVector<Field> rptFields(int)
{
    return repeaterFields();
}

QVector<Field> rslwFields(int)
{
    return loRaWanSerialFields();
}

} // namespace orlo::records
