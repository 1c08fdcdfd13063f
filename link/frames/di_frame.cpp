#include "link/frames/di_frame.h"

#include "link/clockstamp.h"
#include "link/frames/framebytes.h"

namespace orlo::di {

namespace {

quint8 edgeBits(int edge, int shift)
{
    return quint8((clampByte(edge, kEdgeNone, kEdgeBoth) & kEdgeMask) << shift);
}

constexpr int kRadioVariantShift = 3;

void putHeader(quint8 *payload, quint8 command, const QDateTime &stamp)
{
    payload[kCommand] = command;
    putClockStamp(payload + kStamp, stamp);
}

} // namespace

Input decodeInput(quint8 nibble)
{
    Input input;
    input.inUse = nibble & kInUse;
    input.counter = nibble & kCounterMode;
    input.edge = (nibble >> kEdgeShift) & kEdgeMask;
    return input;
}

quint8 encodeInput(const Input &input)
{
    return quint8((input.inUse ? kInUse : 0) | (input.counter ? kCounterMode : 0)
                  | edgeBits(input.edge, kEdgeShift));
}

Record decode(const quint8 *payload, bool withCounters)
{
    Record record;
    const quint8 flags = payload[kFlags];
    const quint8 inputs = payload[kInputs];
    record.keepAliveBit = flags & kFlagKeepAlive;
    record.cableBreak = flags & kFlagCableBreak;
    record.input1 = decodeInput(inputs & kInputBits);
    record.input2 = decodeInput(quint8(inputs >> kInput2Shift));
    record.minute = payload[kMinute];
    record.hour = payload[kHour];
    if (withCounters) {
        record.counter1 = getU32le(payload + kCounter1);
        record.counter2 = getU32le(payload + kCounter2);
    }
    return record;
}

Record4 decode4(const quint8 *payload)
{
    Record4 record;
    const quint8 flags = payload[kFlags];
    const quint8 inputs = payload[kInputs];
    record.keepAliveBit = flags & kFlagKeepAlive;
    record.cableBreak = flags & kFlagCableBreak;
    record.radioVariant = (flags & kFlagRadioVariant) >> kRadioVariantShift;
    record.joinMode = flags & kFlagJoinMode;
    record.radioBit0 = flags & kFlagRadioBit0;
    record.counter1InUse = inputs & kCounter1InUse;
    record.input3InUse = inputs & kInput3InUse;
    record.edge3 = (inputs >> kEdge3Shift) & kEdgeMask;
    record.counter2InUse = inputs & kCounter2InUse;
    record.input4InUse = inputs & kInput4InUse;
    record.edge4 = (inputs >> kEdge4Shift) & kEdgeMask;
    record.minute = payload[kMinute];
    record.hour = payload[kHour];
    record.counter1 = getU32le(payload + kCounter1);
    record.counter2 = getU32le(payload + kCounter2);
    return record;
}

void encode(quint8 *payload, quint8 command, const QDateTime &stamp, const Record &record)
{
    putHeader(payload, command, stamp);
    payload[kFlags] = quint8((record.keepAliveBit ? kFlagKeepAlive : 0)
                             | (record.cableBreak ? kFlagCableBreak : 0));
    payload[kInputs] = quint8(encodeInput(record.input1) | (encodeInput(record.input2) << kInput2Shift));
    payload[kMinute] = clampByte(record.minute);
    payload[kHour] = clampByte(record.hour);
}

void encode4(quint8 *payload, quint8 command, const QDateTime &stamp, const Record4 &record)
{
    putHeader(payload, command, stamp);
    const quint8 variant = quint8((clampByte(record.radioVariant, 0, kFlagRadioVariant >> kRadioVariantShift)
                                   << kRadioVariantShift) & kFlagRadioVariant);
    payload[kFlags] = quint8((record.keepAliveBit ? kFlagKeepAlive : 0)
                             | (record.cableBreak ? kFlagCableBreak : 0) | variant
                             | (record.joinMode ? kFlagJoinMode : 0)
                             | (record.radioBit0 ? kFlagRadioBit0 : 0));
    payload[kInputs] = quint8((record.counter1InUse ? kCounter1InUse : 0)
                              | (record.input3InUse ? kInput3InUse : 0) | edgeBits(record.edge3, kEdge3Shift)
                              | (record.counter2InUse ? kCounter2InUse : 0)
                              | (record.input4InUse ? kInput4InUse : 0) | edgeBits(record.edge4, kEdge4Shift));
    payload[kMinute] = clampByte(record.minute);
    payload[kHour] = clampByte(record.hour);
}

} // namespace orlo::di
