// Torvi tests: an in-memory registry that behaves as Windows does for the calls Torvi makes.
#pragma once

#include "tools/registry.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace torvi::test {

class FakeRegistry : public Registry
{
public:
    struct Value
    {
        std::uint32_t type;
        std::string data;
        bool operator==(const Value &) const = default;
    };
    // Values by name, under each key's full path "root\sub\key".
    using Keys = std::map<std::string, std::map<std::string, Value>>;

    std::vector<std::string> calls; // "open <path>", "set <key> <name>", "close <key>"

    // Only keys a test creates exist; opening never creates one.
    void createKey(RegistryKey root, const std::string &path) { m_keys[fold(root, path)]; }

    const Keys &keys() const { return m_keys; }
    std::size_t openKeys() const { return m_open.size(); }

    std::optional<RegistryKey> openKey(RegistryKey parent, const std::string &subKey,
                                       std::uint32_t) override
    {
        calls.push_back("open " + subKey);
        const auto path = fold(parent, subKey);
        if (!m_keys.contains(path))
            return std::nullopt;
        const RegistryKey key = m_nextKey++;
        m_open[key] = path;
        return key;
    }

    RegistryStatus setValue(RegistryKey key, const std::string &valueName, std::uint32_t type,
                            std::string_view data) override
    {
        calls.push_back("set " + std::to_string(key) + " " + valueName);
        const auto open = m_open.find(key);
        if (open == m_open.end())
            return RegistryInvalidHandle;
        // Value names, like key names, compare without regard to case.
        m_keys[open->second][lower(valueName)] = Value{type, std::string{data}};
        return RegistrySuccess;
    }

    RegistryStatus closeKey(RegistryKey key) override
    {
        calls.push_back("close " + std::to_string(key));
        return m_open.erase(key) == 1 ? RegistrySuccess : RegistryInvalidHandle;
    }

private:
    static std::string lower(std::string text)
    {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }
    static std::string fold(RegistryKey root, const std::string &path)
    {
        return std::to_string(root) + "\\" + lower(path);
    }

    Keys m_keys;
    std::map<RegistryKey, std::string> m_open;
    RegistryKey m_nextKey = 0x1000;
};

} // namespace torvi::test
