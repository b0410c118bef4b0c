// Torvi tests: the tools against the Windows system itself: the registry, the user name
// and the user's temporary folder.
#include "nav/windows_path.h"
#include "support/temp_home.h"
#include "tools/default_browser.h"
#include "tools/temp_cleaner.h"
#include "tools/user_name.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "nav/win32_api.h"

namespace torvi {
namespace {

constexpr const char *CommandKey = "HTTP\\shell\\open\\command";

// The key's default value, or nothing when the key or the value is missing.
std::optional<std::string> defaultValue()
{
    char data[1024] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(HKEY_CLASSES_ROOT, CommandKey, "", RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data, size > 0 ? size - 1 : 0); // without its final NUL
}

bool commandKeyExists()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, CommandKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// The system's own http command (Wine has one) is put back after each test.
class RegistrationTest : public ::testing::Test
{
protected:
    RegistrationTest() : m_hadKey(commandKeyExists()), m_oldValue(defaultValue()) {}
    ~RegistrationTest() override
    {
        if (m_hadKey)
            setCommand(m_oldValue);
        else
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, CommandKey);
    }

    // Creates the key when missing and sets its default value when given one.
    static void setCommand(const std::optional<std::string> &value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, CommandKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (value)
            ::RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE *>(value->c_str()),
                             static_cast<DWORD>(value->size() + 1));
        ::RegCloseKey(key);
    }

private:
    bool m_hadKey;
    std::optional<std::string> m_oldValue;
};

TEST_F(RegistrationTest, WritesTheFixedCommandAsTheDefaultValueTwiceTheSame)
{
    setCommand("winebrowser \"%1\"");
    for (const char *run : {"once", "twice"}) {
        ASSERT_TRUE(registerAsDefaultBrowser().isOk()) << run;
        EXPECT_EQ(defaultValue(), "C:\\Programmi\\Torvi\\Torvi.exe %1") << run;
    }
}

TEST_F(RegistrationTest, MissingKeyIsNotCreated)
{
    if (commandKeyExists()) {
        ASSERT_EQ(::RegDeleteKeyA(HKEY_CLASSES_ROOT, CommandKey), ERROR_SUCCESS);
    }
    static_cast<void>(registerAsDefaultBrowser());
    EXPECT_FALSE(commandKeyExists());
}

TEST(WindowsUserNameTest, IsTheNameTheSystemReports)
{
    char expected[256] = {};
    const DWORD length = ::GetEnvironmentVariableA("USERNAME", expected, sizeof expected);
    ASSERT_GT(length, 0u) << "Wine and Windows both set USERNAME";
    EXPECT_EQ(currentUserName(), std::string(expected, length));
}

// Makes the user's temporary folder when the system lacks it, and removes only what it made.
class WindowsCleanerTest : public test::TempHomeTest
{
protected:
    WindowsCleanerTest()
    {
        std::filesystem::path made = folder;
        while (!made.parent_path().empty() && made.parent_path() != made &&
               !std::filesystem::exists(made.parent_path()))
            made = made.parent_path();
        if (!std::filesystem::exists(folder))
            m_madeFrom = made;
        std::filesystem::create_directories(folder);
    }
    ~WindowsCleanerTest() override
    {
        for (const char *name : {"a.tmp", "B.TMP", "ro.tmp", "hidden.tmp", "keep.txt"}) {
            ::SetFileAttributesW((folder / name).c_str(), FILE_ATTRIBUTE_NORMAL);
            test::removeMadeFile(folder / name);
        }
        test::removeMadeFile(folder / "sub.tmp");
        if (!m_madeFrom.empty())
            std::filesystem::remove_all(m_madeFrom);
    }
    void make(const char *name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const
    {
        std::ofstream(folder / name) << "x";
        ::SetFileAttributesW((folder / name).c_str(), attributes);
    }

    FileSystem fileSystem;
    const std::string user = currentUserName();
    const std::filesystem::path folder = nativePath(tempFolderPath(user));

private:
    std::filesystem::path m_madeFrom;
};

TEST_F(WindowsCleanerTest, ReadOnlyFileIsRefusedAndCountedAsRemaining)
{
    make("a.tmp");
    make("B.TMP");
    make("ro.tmp", FILE_ATTRIBUTE_READONLY);
    make("hidden.tmp", FILE_ATTRIBUTE_HIDDEN);
    make("keep.txt");
    std::filesystem::create_directory(folder / "sub.tmp");

    const CleanResult result = runCleaner(fileSystem, user);
    EXPECT_EQ(result.deleted, 2);
    EXPECT_EQ(result.remaining, 1);
    EXPECT_EQ(result.listedAfter, std::vector<std::string>{"ro.tmp"});
    for (const char *survivor : {"ro.tmp", "hidden.tmp", "keep.txt", "sub.tmp"})
        EXPECT_TRUE(std::filesystem::exists(folder / survivor)) << survivor;
    EXPECT_FALSE(std::filesystem::exists(folder / "a.tmp"));
}

} // namespace
} // namespace torvi
