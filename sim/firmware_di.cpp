// Firmware model of the digital-input modules (DI, DI_r2x, DI4_r2x).
#include "sim/firmware.h"

namespace sim {

std::unique_ptr<Firmware> digitalInputFirmware(const orlo::ModuleEntry &)
{
    return std::make_unique<GenericFirmware>();
}

} // namespace sim
