#include "sim/firmware.h"

#include "link/moduletable.h"

namespace sim {

namespace {
constexpr int kDefaultReportsPerFrame = 3;
constexpr std::uint8_t kRefused = 0xFF;
} // namespace

int reportsPerFrameFor(std::uint16_t productId)
{
    const orlo::ModuleEntry *entry = orlo::findModule(productId);
    return entry ? entry->reportsPerFrame : kDefaultReportsPerFrame;
}

std::unique_ptr<Firmware> firmwareFor(std::uint16_t productId)
{
    const orlo::ModuleEntry *entry = orlo::findModule(productId);
    if (!entry)
        return std::make_unique<GenericFirmware>();
    // One case per type, each with a model of its own.
    switch (entry->type) {
    case orlo::ModuleType::TM:
    case orlo::ModuleType::TM_r20:
    case orlo::ModuleType::TM_868:
    case orlo::ModuleType::TH_r10:
    case orlo::ModuleType::TH_868:
        return temperatureFirmware(*entry);
    case orlo::ModuleType::DI:
    case orlo::ModuleType::DI_r2x:
    case orlo::ModuleType::DI4_r2x:
        return digitalInputFirmware(*entry);
    case orlo::ModuleType::RS_r00:
        return bridgeFirmware();
    case orlo::ModuleType::DA:
    case orlo::ModuleType::DA_r20:
        return analogFirmware(*entry);
    case orlo::ModuleType::RPT_r00:
        return repeaterFirmware();
    case orlo::ModuleType::RSLW_r00:
        return loRaWanSerialFirmware();
    case orlo::ModuleType::TM2D_r10:
        return twoProbeFirmware(*entry);
    case orlo::ModuleType::DI2_868_r_10:
    case orlo::ModuleType::IOD_PS_r20:
    case orlo::ModuleType::DIO_LoRa:
        return mirrorFirmware(*entry);
    }
    return std::make_unique<GenericFirmware>();
}

void putLe(Bytes &bytes, std::size_t at, std::uint64_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        bytes[at + i] = std::uint8_t(value >> (8 * i));
}

std::uint64_t getLe(const Bytes &bytes, std::size_t at, std::size_t size)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= std::uint64_t(bytes[at + i]) << (8 * i);
    return value;
}

void setLiveWord(Module &module, std::size_t at, std::uint16_t value)
{
    if (module.live.size() < module.frameSize())
        module.live.resize(module.frameSize(), 0);
    module.live[0] = 0;
    putLe(module.live, at, value, 2);
}

Bytes GenericFirmware::answer(Module &module, const Bytes &request)
{
    const std::uint8_t command = request.empty() ? 0 : request.front();
    switch (command) {
    case orlo::command::ReadConfiguration:
        return fitted(module, readStored(module));
    case orlo::command::WriteConfiguration:
    case orlo::command::WriteAndClearCounters:
        write(module, request);
        return status(module, module.writeStatus);
    case orlo::command::ReadLive:
        return fitted(module, readLive(module));
    case orlo::command::RestoreDefaults:
        restoreDefaults(module);
        return status(module, module.writeStatus);
    default:
        return fitted(module, unknown(module, request));
    }
}

Bytes GenericFirmware::readStored(Module &module)
{
    Bytes answer = fitted(module, module.stored);
    answer[0] = 0;
    return answer;
}

void GenericFirmware::write(Module &module, const Bytes &request)
{
    module.stored = fitted(module, request);
}

Bytes GenericFirmware::readLive(Module &module)
{
    return module.live;
}

void GenericFirmware::restoreDefaults(Module &module)
{
    module.stored = fitted(module, module.defaults);
}

Bytes GenericFirmware::unknown(Module &module, const Bytes &)
{
    return status(module, kRefused);
}

Bytes GenericFirmware::status(const Module &module, std::uint8_t first)
{
    Bytes answer = fitted(module, {});
    answer[0] = first;
    return answer;
}

Bytes GenericFirmware::fitted(const Module &module, Bytes bytes)
{
    bytes.resize(module.frameSize(), 0);
    return bytes;
}

} // namespace sim
