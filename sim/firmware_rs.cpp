// Firmware model of the radio and serial bridge RS_r00: a Modbus master
// record out of the box, a slave record after a restore of the defaults, and
// a module information answer (radio identifier, firmware version text) the
// bench can set.
#include "sim/firmware.h"

namespace sim {

namespace {

// Payload offsets of the record (offset 0 is the command / status byte).
constexpr std::size_t kRole = 1;
constexpr std::uint8_t kRoleSlave = 0;
constexpr std::uint8_t kRoleMaster = 2;
constexpr std::size_t kIdentifier = 1;      // information answer: u32le
constexpr std::size_t kIdentifierSize = 4;
constexpr std::size_t kVersion = 6;         // then the version text

constexpr std::uint32_t kDemoIdentifier = 0x001A2B3C;
const char *const kDemoVersion = "1.9";

class BridgeFirmware : public GenericFirmware {
public:
    void attach(Module &module) override
    {
        // Master: RS485 at 9600 bps, statement every 0 h 30, timeout 1.0 s,
        // polling two blocks of holding registers.
        const Bytes master{0, kRoleMaster, 1, 3, 0, 30, 10,
                           1, 0x00, 0x00, 2,
                           2, 0x10, 0x00, 4};
        module.stored = fitted(module, master);
        // Slave at modem address 1, RS232 at 19200 bps, radio 9600 bps on
        // channel 522.
        const Bytes slave{0, kRoleSlave, 1, 0, 4, 4, 0x02, 0x0A, 0, 0, 0, 0xFF};
        module.defaults = fitted(module, slave);
        setModuleInformation(module, kDemoIdentifier, kDemoVersion);
    }
};

} // namespace

std::unique_ptr<Firmware> bridgeFirmware()
{
    return std::make_unique<BridgeFirmware>();
}

void setModuleInformation(Module &module, std::uint32_t identifier, const std::string &version)
{
    const std::size_t size = module.frameSize();
    module.live.assign(size, 0);
    putLe(module.live, kIdentifier, identifier, kIdentifierSize);
    // Cut to the answer; a text that fills it has no terminating zero.
    for (std::size_t i = 0; i < version.size() && kVersion + i < size; ++i)
        module.live[kVersion + i] = std::uint8_t(version[i]);
}

} // namespace sim
