// Torvi: the Windows registry behind the Registry calls (Windows only).
#pragma once

#include "tools/registry.h"

namespace torvi {

// Goes straight to RegOpenKeyExA, RegSetValueExA and RegCloseKey.
class WinRegistry : public Registry
{
public:
    std::optional<RegistryKey> openKey(RegistryKey parent, const std::string &subKey,
                                       std::uint32_t access) override;
    RegistryStatus setValue(RegistryKey key, const std::string &valueName, std::uint32_t type,
                            std::string_view data) override;
    RegistryStatus closeKey(RegistryKey key) override;
};

} // namespace torvi
