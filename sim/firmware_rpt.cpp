// Firmware models of the two modules whose pages are widgets of their own:
// the repeater / gateway (RPT_r00) and the LoRaWAN serial module (RSLW_r00).
// Each holds a stored configuration out of the box and answers command 3
// with module information the tests and the bench can set (the repeater's
// as the radio bridge's: setModuleInformation).
#include "sim/firmware.h"

#include <algorithm>

namespace sim {

namespace {

// Repeater record (payload offsets; 0 is the command / status byte).
constexpr std::size_t kRptBaudCode = 1;
constexpr std::size_t kRptChannel = 2;      // big-endian
constexpr std::size_t kRptModem = 4;
constexpr std::size_t kRptMaxFrames = 5;
constexpr std::size_t kRptIdentifiers = 7;

// LoRaWAN serial record.
constexpr std::size_t kLwRole = 1;
constexpr std::size_t kLwSpeed = 3;
constexpr std::size_t kLwDataBits = 4;
constexpr std::size_t kLwParity = 5;
constexpr std::size_t kLwSlaveModem = 7;
constexpr std::size_t kLwHour = 8;
constexpr std::size_t kLwMinute = 9;
constexpr std::size_t kLwTimeout = 10;
constexpr std::size_t kLwFrames = 11;       // 6 x (device, register u16le, length)
constexpr std::size_t kLwFrameSize = 4;
constexpr std::size_t kLwOtaa = 35;
// LoRaWAN serial information: version x 100 u16le, device EUI u64le.
constexpr std::size_t kLwVersion = 1;
constexpr std::size_t kLwEui = 3;

class RepeaterFirmware : public GenericFirmware {
public:
    void attach(Module &module) override
    {
        // 868 parameters: 1200 bps on channel 522, modem 1, 140 Sigfox
        // frames a day; two modules listed.
        Bytes &r = module.defaults;
        r[kRptBaudCode] = 1;
        r[kRptChannel] = 0x02;
        r[kRptChannel + 1] = 0x0A;
        r[kRptModem] = 1;
        r[kRptMaxFrames] = 140;
        const std::uint8_t ids[] = {0x00, 0x1D, 0x4A, 0x21, 0x00, 0x1D, 0x4B, 0x07};
        std::copy(std::begin(ids), std::end(ids), r.begin() + kRptIdentifiers);
        module.stored = module.defaults;
        setModuleInformation(module, 0x001D4C9A, "1.4");
    }
};

class LoRaWanSerialFirmware : public GenericFirmware {
public:
    void attach(Module &module) override
    {
        // Modbus master on RS232 at 19200 bps, statement every 1 h 15 min,
        // 1 s timeout, two register blocks; OTAA join.
        Bytes &r = module.defaults;
        r[kLwRole] = 0;
        r[kLwSpeed] = 2;
        r[kLwDataBits] = 1;
        r[kLwParity] = 2;
        r[kLwSlaveModem] = 1;
        r[kLwHour] = 1;
        r[kLwMinute] = 15;
        r[kLwTimeout] = 10;
        const std::uint8_t blocks[] = {1, 0x00, 0x00, 2, 7, 0x64, 0x00, 4};
        std::copy(std::begin(blocks), std::end(blocks), r.begin() + kLwFrames);
        for (std::size_t f = 2; f < 6; ++f)
            r[kLwFrames + f * kLwFrameSize + 3] = 1;
        r[kLwOtaa] = 1;
        module.stored = module.defaults;
        setLoRaWanInformation(module, 230, 0x70B3D57ED0012345ULL);
    }
};

} // namespace

std::unique_ptr<Firmware> repeaterFirmware()
{
    return std::make_unique<RepeaterFirmware>();
}

std::unique_ptr<Firmware> loRaWanSerialFirmware()
{
    return std::make_unique<LoRaWanSerialFirmware>();
}

void setLoRaWanInformation(Module &module, std::uint16_t versionTimes100, std::uint64_t deviceEui)
{
    Bytes &live = module.live;
    std::fill(live.begin(), live.end(), 0);
    live.resize(std::max<std::size_t>(live.size(), kLwEui + 8), 0);
    putLe(live, kLwVersion, versionTimes100, 2);
    putLe(live, kLwEui, deviceEui, 8);
}

} // namespace sim
