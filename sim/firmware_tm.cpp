// Firmware model of the temperature modules (TM, TM_r20, TM_868).
#include "sim/firmware.h"

namespace sim {

std::unique_ptr<Firmware> temperatureFirmware(const orlo::ModuleEntry &)
{
    return std::make_unique<GenericFirmware>();
}

} // namespace sim
