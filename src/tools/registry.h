// Torvi: the three registry calls the default-browser registration makes. The Windows
// registry implements them (win_registry.h); tests use an in-memory stand-in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvi {

// A key handle as the registration keeps it: 32 bits, 0 for "no key".
using RegistryKey = std::uint32_t;
// A Windows status code: 0 is success.
using RegistryStatus = std::int32_t;

inline constexpr RegistryKey HkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr RegistryStatus RegistrySuccess = 0;
inline constexpr RegistryStatus RegistryFileNotFound = 2;
inline constexpr RegistryStatus RegistryInvalidHandle = 6;
inline constexpr RegistryStatus RegistryInvalidParameter = 87;

class Registry
{
public:
    virtual ~Registry() = default;

    // Opens an existing subkey of an open key with the access mask; never creates one.
    // Nothing when the key is missing or the access is denied.
    virtual std::optional<RegistryKey> openKey(RegistryKey parent, const std::string &subKey,
                                               std::uint32_t access) = 0;

    // Sets one value of an open key. The name and the data are in the system's code page;
    // the data carries its terminating NUL, and its size is the size passed.
    virtual RegistryStatus setValue(RegistryKey key, const std::string &valueName,
                                    std::uint32_t type, std::string_view data) = 0;

    virtual RegistryStatus closeKey(RegistryKey key) = 0;
};

} // namespace torvi
