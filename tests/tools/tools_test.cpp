// Torvi tests: the registry routine and the freedesktop texts of the default-browser
// registration.
#include "nav/text_file.h"
#include "support/temp_home.h"
#include "tools/default_browser.h"
#include "tools/install_paths.h"
#include "tools/xdg_default_browser.h"

namespace torvi {
namespace {

// Writes down every call; the key it is asked to open exists or not, as it is told.
class RecordingRegistry : public Registry
{
public:
    bool keyExists = true;
    std::string calls;

    std::optional<RegistryKey> openKey(RegistryKey root, const std::string &key,
                                       std::uint32_t access) override
    {
        calls += std::to_string(root) + " " + key + " " + std::to_string(access) + "; ";
        return keyExists ? std::optional{RegistryKey{7}} : std::nullopt;
    }
    RegistryStatus setValue(RegistryKey key, const std::string &name, std::uint32_t type,
                            std::string_view data) override
    {
        calls += std::to_string(key) + " '" + name + "' " + std::to_string(type) + " " +
                 std::string{data} + "; ";
        return RegistrySuccess;
    }
    RegistryStatus closeKey(RegistryKey key) override
    {
        calls += "close " + std::to_string(key);
        return RegistrySuccess;
    }
};

// The command goes, NUL included, into the default value of HKEY_CLASSES_ROOT's http command
// key, which is closed again. A missing key is not made: the write and the close go to the
// null key, and fail harmlessly.
TEST(DefaultBrowserTest, WritesTheCommandIntoTheExistingKeyOnly)
{
    const std::string open = "2147483648 HTTP\\shell\\open\\command 63; ";
    const std::string value = std::string{" '' 1 C:\\Programmi\\Torvi\\Torvi.exe %1"} + '\0' + "; ";
    RecordingRegistry registry;
    RegisterDefaultBrowser(registry);
    EXPECT_EQ(registry.calls, open + "7" + value + "close 7");
    RecordingRegistry missing;
    missing.keyExists = false;
    RegisterDefaultBrowser(missing);
    EXPECT_EQ(missing.calls, open + "0" + value + "close 0");
}

// Only the two keys of the default section change, ours first and every handler named before
// kept after it. The registration's desktop entry has the same id as the packaged one and
// shadows it in the user's data folder: the two must agree, or registering would quietly
// change the menu entry.
TEST(XdgTextTest, OnlyTheTwoKeysOfTheDefaultSectionChangeAndTheEntryIsThePackagedOne)
{
    EXPECT_EQ(readWholeFile(TORVI_DATA_DIR "/torvi.desktop"),
              desktopEntryText(LinuxInstalledCommand));
    const std::string s = "[Default Applications]\n", other = "[Added Associations]\n";
    const std::string http = "x-scheme-handler/http=torvi.desktop\n";
    const std::string https = "x-scheme-handler/https=torvi.desktop\n";
    const std::string oldHttp = "x-scheme-handler/http=ff.desktop\n";
    const std::string oldHttps = "x-scheme-handler/https=ff.desktop\n", html = "text/html=ff\n";
    const std::string newHttp = "x-scheme-handler/http=torvi.desktop;ff.desktop\n";
    const std::string newHttps = "x-scheme-handler/https=torvi.desktop;ff.desktop\n";
    const test::Row<std::string, std::string> rows[] = {
        {"empty file", "", s + http + https},
        {"no section: appended after a blank line", other + html,
         other + html + "\n" + s + http + https},
        {"keys changed in place, others kept in order", s + "#\n" + oldHttps + html + oldHttp,
         s + "#\n" + newHttps + html + newHttp},
        {"ours moved first, not named twice", s + "x-scheme-handler/http=a;torvi.desktop\n",
         s + "x-scheme-handler/http=torvi.desktop;a\n" + https},
        {"https does not count as http", s + oldHttps, s + newHttps + http},
        {"keys of other sections untouched", other + oldHttp + s + oldHttp + other + oldHttps,
         other + oldHttp + s + newHttp + https + other + oldHttps},
        {"two default sections: missing keys go into the first", s + html + other + s + oldHttp,
         s + html + http + https + other + s + newHttp},
        {"missing key after the last entry, before the blank line", s + html + "\n" + other,
         s + html + http + https + "\n" + other},
        {"commented-out key stays, spaces around =",
         s + "#" + oldHttp + "x-scheme-handler/http = f\n",
         s + "#" + oldHttp + "x-scheme-handler/http=torvi.desktop;f\n" + https},
        {"last line without its end", s + "k=v", s + "k=v\n" + http + https},
        {"CR LF file keeps CR LF", "[Default Applications]\r\nk=v\r\n",
         "[Default Applications]\r\nk=v\r\nx-scheme-handler/http=torvi.desktop\r\n"
         "x-scheme-handler/https=torvi.desktop\r\n"},
    };
    for (const auto &r : rows) {
        const auto once = withDefaultHandlers(r.in, "torvi.desktop");
        EXPECT_EQ(once, r.out) << r.label;
        EXPECT_EQ(withDefaultHandlers(once, "torvi.desktop"), once) << r.label << " (twice)";
    }
}

// An entry the user changed keeps every change but Exec and the MIME types it lacks; a path
// with characters the entry's format reserves is quoted and escaped, so it stays one word.
TEST(XdgTextTest, TheEntryKeepsTheUsersChangesAndItsCommandStaysOneWord)
{
    EXPECT_EQ(withOurEntryKeys("[Desktop Entry]\nName=Mio\nExec=/usr/bin/torvi %u\nMimeType=a/b;",
                               "/opt/torvi"),
              "[Desktop Entry]\nName=Mio\nExec=/opt/torvi %u\nMimeType=a/b;x-scheme-handler/http;"
              "x-scheme-handler/https;text/html;");
    EXPECT_EQ(execArgument("/a b/1%$\"\\\n"), "\"/a b/1%%\\$\\\"\\\\\\\\\\n\"");
}

} // namespace
} // namespace torvi
