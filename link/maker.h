// The maker: the names the programs give themselves (where the user data
// folder lies), and its addresses, opened in the desktop's browser or mail program.
#pragma once

namespace maker {
constexpr const char *kOrganisationName = "Velka Radiocommunications";
constexpr const char *kOrganisationDomain = "velka-radio.example";
constexpr const char *kApplicationName = "Configurateur modules Orlo";
// The desktop entry's id (its file name less ".desktop"): Wayland compositors
// and docks match the window to its menu entry and icon by it.
constexpr const char *kDesktopEntryId = "example.velka_radio.orlo_configurator";
constexpr const char *kWebSite = "https://www.velka-radio.example/";
constexpr const char *kSupportPage = "https://www.velka-radio.example/support/";
constexpr const char *kDownloadPage = "https://www.velka-radio.example/downloads/orlo-configurator/";
constexpr const char *kSupportMail = "support@velka-radio.example";
constexpr const char *kPlatformSite = "https://orlo.velka-radio.example/";
} // namespace maker
