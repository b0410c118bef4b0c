// Torvi: making Torvi the program the system starts for web addresses. The menu command
// "Browser Predefinito" calls registerAsDefaultBrowser().
#pragma once

#include "nav/status.h"
#include "tools/registry.h"

#include <cstdint>
#include <string>

namespace torvi {

// The subkey whose default value is the http open command.
inline constexpr std::string_view HttpOpenCommandKey = "HTTP\\shell\\open\\command";
// The access asked for when opening it.
inline constexpr std::uint32_t RegisterAccessMask = 0x3F;

// Writes WindowsBrowserCommand as the default value of HttpOpenCommandKey under
// HKEY_CLASSES_ROOT. Reports nothing: a missing key or a refused write leaves the
// registry as it was.
void RegisterDefaultBrowser(Registry &registry);

// Opens the existing subkey, writes one value and closes the key, ignoring every result.
// When the open fails, the write and the close are still made, with the null key.
void SaveKeyValue(Registry &registry, RegistryKey root, const std::string &subKey,
                  const std::string &valueName, const std::string &value, std::uint32_t type);

// Writes one value into an open key and returns the write's status code. Only REG_SZ is
// written (the text and its NUL); any other type is refused with "invalid parameter".
RegistryStatus WriteKeyValue(Registry &registry, RegistryKey key, const std::string &valueName,
                             std::uint32_t type, const std::string &value);

// The registration on this system: the registry write on Windows; elsewhere the desktop
// entry and the http/https default handlers (xdg_default_browser.h). Windows reports
// success whatever the registry did, as the write's results are ignored there.
Status registerAsDefaultBrowser();

} // namespace torvi
