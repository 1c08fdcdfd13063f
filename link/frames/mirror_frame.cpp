#include "link/frames/mirror_frame.h"

#include "link/clockstamp.h"
#include "link/frames/framebytes.h"

namespace orlo::mirror {

namespace {
constexpr int kInput2Shift = di::kInput2Shift;
constexpr int kChannelMax = 0xFFFF;
} // namespace

Record decode(const quint8 *payload, Variant variant)
{
    const Layout layout = layoutOf(variant);
    Record record;
    const quint8 mode = payload[kMode];
    record.role = mode & kRoleMask;
    record.compatibility = mode & kCompatibility;
    record.input1 = di::decodeInput(payload[kInputs] & di::kInputBits);
    record.input2 = di::decodeInput(quint8(payload[kInputs] >> kInput2Shift));
    record.minute = payload[kMinute];
    record.hour = payload[kHour];
    record.channel = getU16le(payload + kChannel);
    record.speed = payload[kSpeed];
    record.remote = payload[kRemote];
    record.modem = payload[kModem];
    if (layout.timeOut)
        record.timeOut = payload[kTimeOut];
    if (layout.counters) {
        record.counter1 = getU32le(payload + kCounter1);
        record.counter2 = getU32le(payload + kCounter2);
    }
    return record;
}

void encode(quint8 *payload, quint8 command, const QDateTime &stamp, const Record &record, Variant variant)
{
    payload[kCommand] = command;
    putClockStamp(payload + kStamp, stamp);
    payload[kMode] = quint8((clampByte(record.role, Slave, MasterMirror) & kRoleMask)
                            | (record.compatibility ? kCompatibility : 0));
    payload[kInputs] = record.role == Slave
        ? kSlaveInputs
        : quint8(di::encodeInput(record.input1) | (di::encodeInput(record.input2) << kInput2Shift));
    payload[kMinute] = clampByte(record.minute);
    payload[kHour] = clampByte(record.hour);
    putU16le(payload + kChannel, quint16(qBound(0, record.channel, kChannelMax)));
    payload[kSpeed] = clampByte(record.speed);
    payload[kRemote] = clampByte(record.remote);
    payload[kModem] = clampByte(record.modem);
    if (layoutOf(variant).timeOut)
        payload[kTimeOut] = clampByte(record.timeOut);
}

} // namespace orlo::mirror
