// Torvi: the registry routines of the default-browser registration.
#include "tools/default_browser.h"

#include "nav/text_file.h"
#include "tools/install_paths.h"

namespace torvi {

void RegisterDefaultBrowser(Registry &registry)
{
    SaveKeyValue(registry, HkeyClassesRoot, std::string{HttpOpenCommandKey}, "",
                 std::string{WindowsBrowserCommand}, RegSz);
}

void SaveKeyValue(Registry &registry, RegistryKey root, const std::string &subKey,
                  const std::string &valueName, const std::string &value, std::uint32_t type)
{
    RegistryKey key = 0;
    if (const auto opened = registry.openKey(root, toSystemText(subKey), RegisterAccessMask))
        key = *opened;
    // Results deliberately ignored: with the null key both calls fail and change nothing.
    static_cast<void>(WriteKeyValue(registry, key, valueName, type, value));
    static_cast<void>(registry.closeKey(key));
}

RegistryStatus WriteKeyValue(Registry &registry, RegistryKey key, const std::string &valueName,
                             std::uint32_t type, const std::string &value)
{
    if (type != RegSz)
        return RegistryInvalidParameter;
    std::string data = toSystemText(value);
    data.push_back('\0');
    return registry.setValue(key, toSystemText(valueName), type, data);
}

} // namespace torvi
