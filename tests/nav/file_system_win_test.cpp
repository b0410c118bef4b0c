// Torvi tests: the file-system service and the text files on Windows, where paths stand as
// they are and reach the ANSI entry points in the ANSI code page.
#include "nav/file_system.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "nav/win32_api.h"

namespace torvi {
namespace {

class WindowsFileSystemTest : public test::TempHomeTest
{
protected:
    // The core's own form of a path in the scratch folder: UTF-8, backslashes.
    std::string pathOf(const std::string &name) const { return folder + "\\" + name; }
    void make(const std::string &name) const { std::ofstream(nativePath(pathOf(name))) << "x"; }

    const std::string folder = home.path().string();
    FileSystem fs;
};

TEST_F(WindowsFileSystemTest, FileExistsAndDeleteTakeOnlyFiles)
{
    make("a.txt");
    make("Citt\xC3\xA0.txt");
    std::filesystem::create_directory(nativePath(pathOf("folder.txt")));
    struct Case
    {
        const char *label;
        std::string path;
        bool exists;
    };
    const std::vector<Case> cases = {
        {"a file", pathOf("a.txt"), true},
        {"a name outside ASCII, through the ANSI code page", pathOf("Citt\xC3\xA0.txt"), true},
        {"a folder", pathOf("folder.txt"), false},
        {"a missing file", pathOf("b.txt"), false},
        {"a missing folder", pathOf("No Such Folder\\a.txt"), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fs.FileExists(c.path), c.exists) << c.label;
    // Files go without forcing; folders stay even when forced.
    for (const auto &c : cases) {
        EXPECT_EQ(fs.DeleteFile(c.path, c.exists ? Force::No : Force::Yes).isOk(), c.exists)
            << c.label;
        EXPECT_FALSE(fs.FileExists(c.path)) << c.label;
    }
    EXPECT_TRUE(std::filesystem::is_directory(nativePath(pathOf("folder.txt"))));
}

TEST_F(WindowsFileSystemTest, NonForcingDeleteRefusesTheReadOnlyAttribute)
{
    make("ro.tmp");
    ASSERT_TRUE(
        ::SetFileAttributesW(nativePath(pathOf("ro.tmp")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(isReadOnlyFile(pathOf("ro.tmp")));

    const auto refused = fs.DeleteFile(pathOf("ro.tmp"), Force::No);
    EXPECT_FALSE(refused.isOk());
    EXPECT_NE(refused.error().find("read-only"), std::string::npos) << refused.error();
    EXPECT_TRUE(fs.FileExists(pathOf("ro.tmp")));
    EXPECT_TRUE(isReadOnlyFile(pathOf("ro.tmp"))) << "a refused delete changes nothing";

    EXPECT_TRUE(fs.DeleteFile(pathOf("ro.tmp"), Force::Yes).isOk());
    EXPECT_FALSE(fs.FileExists(pathOf("ro.tmp")));
}

TEST_F(WindowsFileSystemTest, TextGoesToTheAnsiCodePageAndBack)
{
    ASSERT_EQ(::GetACP(), 1252u) << "these bytes are Windows-1252's";
    struct Case
    {
        const char *label;
        std::string utf8;
        std::string ansi;
        std::string back;
    };
    const std::vector<Case> cases = {
        {"ASCII unchanged", "http://a.example/?q=1", "http://a.example/?q=1",
         "http://a.example/?q=1"},
        {"accented letter", "Citt\xC3\xA0", "Citt\xE0", "Citt\xC3\xA0"},
        {"euro sign", "\xE2\x82\xAC", "\x80", "\xE2\x82\xAC"},
        {"a letter the code page lacks", "\xD0\x96", "?", "?"},
        {"NUL kept", std::string("a\0b", 3), std::string("a\0b", 3), std::string("a\0b", 3)},
        {"empty", "", "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(toSystemText(c.utf8), c.ansi) << c.label;
        EXPECT_EQ(fromSystemText(toSystemText(c.utf8)), c.back) << c.label;
    }
}

TEST_F(WindowsFileSystemTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile)
{
    const auto path = nativePath(pathOf("f.txt"));
    ASSERT_TRUE(writeFileAtomically(path, "old content, longer than the new").isOk());
    ASSERT_TRUE(writeFileAtomically(path, "new\r\n").isOk());
    EXPECT_EQ(readWholeFile(path), "new\r\n");
    EXPECT_EQ(test::entriesIn(home.path()), 1) << "no temporary file is left";
}

TEST(WindowsPathTest, PathsStandAsTheyAre)
{
    EXPECT_EQ(nativePath("C:\\WINDOWS\\cronologia.txt"),
              std::filesystem::path{L"C:\\WINDOWS\\cronologia.txt"});
    EXPECT_EQ(nativePath("C:\\Citt\xC3\xA0"), std::filesystem::path{L"C:\\Citt\u00E0"});
    EXPECT_EQ(localPageAddress("C:\\Programmi\\Torvi\\myModule\\test.html"),
              "C:\\Programmi\\Torvi\\myModule\\test.html");
}

} // namespace
} // namespace torvi
