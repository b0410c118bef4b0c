// Torvi tests: the registry routines of the default-browser registration.
#include "support/fake_registry.h"
#include "tools/default_browser.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

using test::FakeRegistry;

const std::string CommandKey = std::to_string(HkeyClassesRoot) + "\\http\\shell\\open\\command";

TEST(DefaultBrowserTest, WritesTheCommandAsTheDefaultValueWithItsNulTwiceTheSame)
{
    FakeRegistry registry;
    registry.createKey(HkeyClassesRoot, "http\\Shell\\Open\\Command"); // keys ignore case
    const FakeRegistry::Keys expected = {
        {CommandKey, {{"", {RegSz, std::string{"C:\\Programmi\\Torvi\\Torvi.exe %1\0", 32}}}}}};
    for (const char *run : {"once", "twice"}) {
        RegisterDefaultBrowser(registry);
        EXPECT_EQ(registry.keys(), expected) << run;
        EXPECT_EQ(registry.openKeys(), 0u) << run << ": the key is closed again";
    }
}

TEST(DefaultBrowserTest, MissingKeyIsNotCreatedAndNothingIsWritten)
{
    struct Case
    {
        const char *label;
        std::vector<std::string> existing; // keys under HKEY_CLASSES_ROOT
    };
    const std::vector<Case> cases = {
        {"empty registry", {}},
        {"only the parent exists", {"HTTP\\shell\\open"}},
        {"a sibling exists", {"HTTPS\\shell\\open\\command"}},
    };
    for (const auto &c : cases) {
        FakeRegistry registry;
        for (const auto &key : c.existing)
            registry.createKey(HkeyClassesRoot, key);
        const auto before = registry.keys();
        RegisterDefaultBrowser(registry);
        EXPECT_EQ(registry.keys(), before) << c.label;
        // The write and the close still go out, with the null key, and fail harmlessly.
        const std::vector<std::string> calls = {"open HTTP\\shell\\open\\command", "set 0 ",
                                                "close 0"};
        EXPECT_EQ(registry.calls, calls) << c.label;
    }
}

TEST(DefaultBrowserTest, WriteKeyValueReportsTheStatusAndWritesOnlyStrings)
{
    FakeRegistry registry;
    registry.createKey(HkeyClassesRoot, "k");
    const RegistryKey key = *registry.openKey(HkeyClassesRoot, "k", RegisterAccessMask);

    EXPECT_EQ(WriteKeyValue(registry, key, "Nome", RegSz, "testo"), RegistrySuccess);
    EXPECT_EQ(WriteKeyValue(registry, 0, "Nome", RegSz, "altro"), RegistryInvalidHandle);
    EXPECT_EQ(WriteKeyValue(registry, key, "Numero", 4, "7"), RegistryInvalidParameter);

    const std::string k = std::to_string(HkeyClassesRoot) + "\\k";
    const FakeRegistry::Keys expected = {{k, {{"nome", {RegSz, std::string{"testo\0", 6}}}}}};
    EXPECT_EQ(registry.keys(), expected);
}

} // namespace
} // namespace torvi
