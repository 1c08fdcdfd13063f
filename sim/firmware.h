// Firmware models of the simulated modules. GenericFirmware answers the five
// commands every type shares; a type's own model derives from it and
// overrides the step that differs (what a write stores, what live data is).
#pragma once

#include "link/moduletable.h"
#include "sim/simbench.h"

namespace sim {

class GenericFirmware : public Firmware {
public:
    Bytes answer(Module &module, const Bytes &request) override;

protected:
    // Command 2: the stored record, status byte 0 in front.
    virtual Bytes readStored(Module &module);
    // Commands 1 and 4: keep the request as the stored record.
    virtual void write(Module &module, const Bytes &request);
    // Command 3: the live data as the test set it.
    virtual Bytes readLive(Module &module);
    // Command 5.
    virtual void restoreDefaults(Module &module);
    // Any other command: refused.
    virtual Bytes unknown(Module &module, const Bytes &request);

    // A zero answer of the module's frame length with this first byte.
    static Bytes status(const Module &module, std::uint8_t first);
    // `bytes` cut or zero-padded to the module's frame length.
    static Bytes fitted(const Module &module, Bytes bytes);
};

// The models of the types that have one, each in its own source.
std::unique_ptr<Firmware> temperatureFirmware(const orlo::ModuleEntry &entry);
std::unique_ptr<Firmware> digitalInputFirmware(const orlo::ModuleEntry &entry);
std::unique_ptr<Firmware> mirrorFirmware(const orlo::ModuleEntry &entry);

// The two input counters a DI2_868_r_10 module keeps in its stored record
// (nothing on a module without them).
void setInputCounters(Module &module, std::uint32_t counter1, std::uint32_t counter2);
void advanceInputCounters(Module &module, std::uint32_t pulses1, std::uint32_t pulses2);

// The probe reading a temperature module answers to command 3, raw or in
// degrees (converted as its probe type counts).
void setTemperatureRaw(Module &module, std::uint16_t raw);
void setTemperatureCelsius(Module &module, double celsius);

} // namespace sim
