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

// On Windows the command goes, NUL included, into the default value of HKEY_CLASSES_ROOT's
// http command key, which is closed again. A missing key is not made: the write and the close
// go to the null key, and fail harmlessly. On a freedesktop system only the two keys of the
// default section change, ours first and every handler named before kept after it. The
// registration's desktop entry has the same id as the packaged one and shadows it in the
// user's data folder: the two must agree, or registering would quietly change the menu entry.
TEST(RegistrationTest, OnlyOurCommandAndKeysChangeAndTheEntryIsThePackagedOne)
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

    EXPECT_EQ(readWholeFile(TORVI_DATA_DIR "/torvi.desktop"),
              desktopEntryText(LinuxInstalledCommand));
    const std::string s = "[Default Applications]\n", other = "[Added Associations]\n";
    const std::string h = "x-scheme-handler/http", html = "text/html=ff\n";
    const std::string http = h + "=torvi.desktop\n", https = h + "s=torvi.desktop\n";
    const std::string oldHttp = h + "=ff.desktop\n", oldHttps = h + "s=ff.desktop\n";
    const std::string newHttp = h + "=torvi.desktop;ff.desktop\n";
    const test::Row<std::string, std::string> rows[] = {
        {"no section: appended after a blank line", other + html,
         other + html + "\n" + s + http + https},
        {"keys changed in place, in order, not in other sections",
         other + oldHttp + s + "#\n" + oldHttps + html + oldHttp + other + oldHttps,
         other + oldHttp + s + "#\n" + h + "s=torvi.desktop;ff.desktop\n" + html + newHttp + other +
             oldHttps},
        {"ours moved first, not named twice, a commented-out key stays, spaces around =",
         s + "#" + oldHttp + h + " = a;torvi.desktop\n",
         s + "#" + oldHttp + h + "=torvi.desktop;a\n" + https},
        {"missing keys go into the first section, after its last entry",
         s + html + "\n" + other + s + oldHttp,
         s + html + http + https + "\n" + other + s + newHttp},
        {"last line without its end", s + "k=v", s + "k=v\n" + http + https},
        {"CR LF file keeps CR LF", "[Default Applications]\r\nk=v\r\n",
         "[Default Applications]\r\nk=v\r\n" + h + "=torvi.desktop\r\n" + h +
             "s=torvi.desktop\r\n"},
    };
    for (const auto &r : rows) {
        const auto once = withDefaultHandlers(r.in, "torvi.desktop");
        EXPECT_EQ(once, r.out) << r.label;
        EXPECT_EQ(withDefaultHandlers(once, "torvi.desktop"), once) << r.label << " (twice)";
    }
    // An entry the user changed keeps every change but Exec and the MIME types it lacks; a path
    // with characters the entry's format reserves is quoted and escaped, so it stays one word.
    EXPECT_EQ(withOurEntryKeys("[Desktop Entry]\nName=Mio\nExec=/usr/bin/torvi %u\nMimeType=a/b;",
                               "/opt/torvi"),
              "[Desktop Entry]\nName=Mio\nExec=/opt/torvi %u\nMimeType=a/b;x-scheme-handler/http;"
              "x-scheme-handler/https;text/html;");
    EXPECT_EQ(execArgument("/a b/1%$\"\\\n"), "\"/a b/1%%\\$\\\"\\\\\\\\\\n\"");
}

} // namespace
} // namespace torvi
