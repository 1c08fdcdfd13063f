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

// A little-endian field of `size` bytes at `at`, written and read.
void putLe(Bytes &bytes, std::size_t at, std::uint64_t value, std::size_t size);
std::uint64_t getLe(const Bytes &bytes, std::size_t at, std::size_t size);
// The live answer (command 3) sized to the module's frame, status 0, with a
// 16-bit little-endian reading at `at`.
void setLiveWord(Module &module, std::size_t at, std::uint16_t value);

// The models of the types that have one, each in its own source.
std::unique_ptr<Firmware> temperatureFirmware(const orlo::ModuleEntry &entry);
std::unique_ptr<Firmware> digitalInputFirmware(const orlo::ModuleEntry &entry);
std::unique_ptr<Firmware> bridgeFirmware();
std::unique_ptr<Firmware> analogFirmware(const orlo::ModuleEntry &entry);
std::unique_ptr<Firmware> mirrorFirmware(const orlo::ModuleEntry &entry);

// The two input counters a DI2_868_r_10 module keeps in its stored record
// (nothing on a module without them).
void setInputCounters(Module &module, std::uint32_t counter1, std::uint32_t counter2);
void advanceInputCounters(Module &module, std::uint32_t pulses1, std::uint32_t pulses2);

// The probe reading a temperature module answers to command 3, raw or in
// degrees (converted as its probe type counts).
void setTemperatureRaw(Module &module, std::uint16_t raw);
void setTemperatureCelsius(Module &module, double celsius);

// The radio bridge's answer to command 3: its radio identifier and firmware
// version text (zero-terminated when it fits in the answer).
void setModuleInformation(Module &module, std::uint32_t identifier, const std::string &version);
// The analog input a digital-and-analog module answers to command 3: a raw
// converter count, or the current (mA) of a 4-20 mA module and the voltage
// (V) of a 0-10 V one, whichever it is wired to.
void setAnalogRaw(Module &module, std::uint16_t raw);
void setAnalogReading(Module &module, double milliamps, double volts);

// The repeater (its module information as the radio bridge's, set with
// setModuleInformation) and the LoRaWAN serial module, whose information is
// its firmware version x 100 and its LoRaWAN device EUI.
std::unique_ptr<Firmware> repeaterFirmware();
std::unique_ptr<Firmware> loRaWanSerialFirmware();
void setLoRaWanInformation(Module &module, std::uint16_t versionTimes100, std::uint64_t deviceEui);
// Temperature-and-humidity modules (TH_r10, TH_868; their model is the
// temperature one) and the two-probe module (TM2D_r10): how their sensors
// count, and the readings and options the tests and the bench set.
std::unique_ptr<Firmware> twoProbeFirmware(const orlo::ModuleEntry &entry);
std::uint16_t humidityModuleCount(double celsius);
std::uint16_t twoProbeRaw(double celsius);
// The humidity a TH module reads; a module without the sensor answers 0.
void setHumidityRaw(Module &module, std::uint16_t count);
void setHumidity(Module &module, double percent);
void removeHumiditySensor(Module &module);
// The second probe of a TM2D module, or none fitted.
void setSecondProbeRaw(Module &module, std::uint16_t raw);
void setSecondProbeCelsius(Module &module, double celsius);
void removeSecondProbe(Module &module);
// Options byte of the stored TM2D record: a LoRaWAN module, and low
// thresholds unused in periodic mode.
void setTwoProbeOptions(Module &module, bool loRaWan, bool lowUnusedWhenPeriodic);

} // namespace sim
