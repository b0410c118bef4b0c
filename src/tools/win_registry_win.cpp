// Torvi: the Windows registry calls.
#include "tools/win_registry.h"

#include "nav/win32_api.h"

#include <limits>

namespace torvi {

namespace {

// Registry handles, predefined ones included, fit in 32 bits even in 64-bit processes;
// Windows sign-extends them, which is how HKEY_CLASSES_ROOT is defined.
HKEY toHkey(RegistryKey key)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
}

RegistryKey fromHkey(HKEY key)
{
    return static_cast<RegistryKey>(reinterpret_cast<ULONG_PTR>(key));
}

} // namespace

std::optional<RegistryKey> WinRegistry::openKey(RegistryKey parent, const std::string &subKey,
                                                std::uint32_t access)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(toHkey(parent), subKey.c_str(), 0, static_cast<REGSAM>(access), &opened) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return fromHkey(opened);
}

RegistryStatus WinRegistry::setValue(RegistryKey key, const std::string &valueName,
                                     std::uint32_t type, std::string_view data)
{
    if (data.size() > std::numeric_limits<DWORD>::max())
        return ERROR_INVALID_PARAMETER;
    return static_cast<RegistryStatus>(::RegSetValueExA(
        toHkey(key), valueName.c_str(), 0, static_cast<DWORD>(type),
        reinterpret_cast<const BYTE *>(data.data()), static_cast<DWORD>(data.size())));
}

RegistryStatus WinRegistry::closeKey(RegistryKey key)
{
    return static_cast<RegistryStatus>(::RegCloseKey(toHkey(key)));
}

} // namespace torvi
