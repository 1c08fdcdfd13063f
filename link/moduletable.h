// The module family: USB identity and the product identifiers in the order
// detection tries them. Plain C++ so the simulator shares it.
#pragma once

#include <array>
#include <cstdint>

namespace orlo {

constexpr std::uint16_t kVendorId = 0x04D8;
constexpr const wchar_t *kManufacturer = L"Velka Radiocommunication";
constexpr const wchar_t *kSerialNumber = L"(c)Velka";

enum class ModuleType {
    TM, TM_r20, TM_868, TM2D_r10, TH_r10, TH_868, DI, DI_r2x, DI4_r2x,
    DI2_868_r_10, DA, IOD_PS_r20, DIO_LoRa, RS_r00, RPT_r00, RSLW_r00, DA_r20
};

struct ModuleEntry {
    std::uint16_t productId;
    ModuleType type;
    const char *name;       // module type as the maker names it
    int reportsPerFrame;    // every exchange with this type is this many reports
    bool stamped;           // its configuration frame carries the computer's clock
};

// Detection order: the first listed identifier present on the bus wins.
constexpr std::array<ModuleEntry, 19> kModules{{
    {0x0240, ModuleType::TM, "TM", 3, true},
    {0x0244, ModuleType::TM, "TM", 3, true},
    {0x0314, ModuleType::TM_r20, "TM_r20", 3, true},
    {0x02AE, ModuleType::TM_868, "TM_868", 4, true},
    {0x0324, ModuleType::TM2D_r10, "TM2D_r10", 5, true},
    {0x02A9, ModuleType::TH_r10, "TH_r10", 3, true},
    {0x027C, ModuleType::TH_868, "TH_868", 4, true},
    {0x01C7, ModuleType::DI, "DI", 2, true},
    {0x02E3, ModuleType::DI_r2x, "DI_r2x", 3, true},
    {0x0317, ModuleType::DI4_r2x, "DI4_r2x", 3, true},
    {0x0372, ModuleType::DI2_868_r_10, "DI2_868_r_10", 4, true},
    {0x0222, ModuleType::DA, "DA", 5, true},
    {0x0235, ModuleType::DA, "DA", 5, true},
    {0x0390, ModuleType::IOD_PS_r20, "IOD_PS_r20", 3, true},
    {0x0344, ModuleType::DIO_LoRa, "DIO_LoRa", 3, true},
    {0x02B1, ModuleType::RS_r00, "RS_r00", 5, false},
    {0x0302, ModuleType::RPT_r00, "RPT_r00", 5, false},
    {0x0354, ModuleType::RSLW_r00, "RSLW_r00", 5, false},
    {0x0293, ModuleType::DA_r20, "DA_r20", 5, true},
}};

// The entry of a product identifier, or nullptr when it is not of the family.
constexpr const ModuleEntry *findModule(std::uint16_t productId)
{
    for (const ModuleEntry &entry : kModules)
        if (entry.productId == productId)
            return &entry;
    return nullptr;
}

// Commands: first payload byte of every request, the same on all types.
namespace command {
constexpr std::uint8_t WriteConfiguration = 1;
constexpr std::uint8_t ReadConfiguration = 2;
constexpr std::uint8_t ReadLive = 3;
constexpr std::uint8_t WriteAndClearCounters = 4;
constexpr std::uint8_t RestoreDefaults = 5;
} // namespace command

// Frame geometry: report identifier then 8 payload bytes per report.
constexpr int kReportPayload = 8;
constexpr int kReportSize = 1 + kReportPayload;
constexpr int kMaxReports = 5;
constexpr int kFrameBufferSize = 1 + kReportPayload * kMaxReports;  // 41

} // namespace orlo
