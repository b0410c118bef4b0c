// Torvi tests: the core against Windows itself: the registry, the user name and the listing
// of a temporary folder.
#include "nav/file_system.h"
#include "nav/text_file.h"
#include "support/temp_home.h"
#include "tools/default_browser.h"
#include "tools/temp_cleaner.h"
#include "tools/user_name.h"

#include "nav/win32_api.h"

namespace torvi {
namespace {

constexpr const char *CommandKey = "HTTP\\shell\\open\\command";

// The key's default value; empty when the key or the value is missing.
std::string command()
{
    char data[1024] = {};
    DWORD size = sizeof data;
    ::RegGetValueA(HKEY_CLASSES_ROOT, CommandKey, "", RRF_RT_REG_SZ, nullptr, data, &size);
    return data;
}

// The fixed command goes into the existing key; a missing key is not made. The system's own
// http command (Wine has one) is put back afterwards.
TEST(WindowsTest, RegistrationWritesTheFixedCommandIntoAnExistingKeyOnly)
{
    const std::string before = command();
    ASSERT_NE(before, "") << "an http command to replace";
    EXPECT_TRUE(registerAsDefaultBrowser().isOk());
    EXPECT_EQ(command(), "C:\\Programmi\\Torvi\\Torvi.exe %1");

    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, CommandKey);
    static_cast<void>(registerAsDefaultBrowser());
    EXPECT_EQ(command(), "");
    ::RegSetKeyValueA(HKEY_CLASSES_ROOT, CommandKey, "", REG_SZ, before.c_str(),
                      static_cast<DWORD>(before.size() + 1));
}

// GetUserNameA's length counts the closing NUL; a failed call leaves no name.
TEST(WindowsTest, UserNameIsTheOneTheSystemReports)
{
    char expected[256] = {};
    const DWORD length = ::GetEnvironmentVariableA("USERNAME", expected, sizeof expected);
    EXPECT_EQ(currentUserName(), std::string(expected, length));
    EXPECT_EQ(userNameFromBuffer(std::string{"mario"} + '\0' + "  ", 0), "");
}

// Neither hidden files nor folders; the search for "*.tmp" also matches short names, but
// "x.tmpl" (short name "X~1.TMP") is not listed. The folder's name is outside the code page,
// as a user's may be: every file call finds its files all the same.
TEST(WindowsTest, TemporaryFilesListedAreNeitherHiddenNorFolders)
{
    test::TempHome home;
    const auto folder = home.path() / u8"\u4e2d\u6587";
    std::filesystem::create_directories(folder / "sub.tmp");
    for (const char *name : {"a.tmp", "B.TMP", "x.tmpl", "ro.tmp", "hidden.tmp"})
        test::writeText(folder / name, "x");
    ::SetFileAttributesW((folder / "ro.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW((folder / "hidden.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    TempFolder temp{pathText(folder)};
    EXPECT_EQ(temp.listTmpFiles(), (std::vector<std::string>{"a.tmp", "B.TMP", "ro.tmp"}));
    EXPECT_TRUE(FileSystem{}.FileExists(pathText(folder / "B.TMP")));
    EXPECT_TRUE(isReadOnlyFile(pathText(folder / "ro.tmp")));
    EXPECT_TRUE(temp.deleteFile("a.tmp").isOk());
    EXPECT_FALSE(temp.deleteFile("ro.tmp").isOk());
    EXPECT_EQ(temp.listTmpFiles(), (std::vector<std::string>{"B.TMP", "ro.tmp"}));
}

} // namespace
} // namespace torvi
