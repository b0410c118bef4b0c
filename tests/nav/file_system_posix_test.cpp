// Torvi tests: the file-system service and the mapped drive on POSIX systems.
#include "nav/file_system.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <fstream>
#include <gtest/gtest.h>

namespace torvi {
namespace {

using test::TempHomeTest;

class FileSystemTest : public TempHomeTest
{
protected:
    FileSystemTest() { EXPECT_TRUE(prepareMappedDrive("mario").isOk()); }

    static void make(const std::string &windowsPath, const char *content = "x")
    {
        std::ofstream(nativePath(windowsPath)) << content;
    }

    FileSystem fs;
};

TEST_F(FileSystemTest, DriveMapsIntoTheUsersDataHome)
{
    struct Case
    {
        const char *label;
        const char *windows;
        std::filesystem::path native;
    };
    const auto root = home.path() / ".local/share/torvi/drive_c";
    const std::vector<Case> cases = {
        {"history file", "C:\\WINDOWS\\cronologia.txt", root / "WINDOWS/cronologia.txt"},
        {"lower-case drive", "c:\\WINDOWS\\preferiti.txt", root / "WINDOWS/preferiti.txt"},
        {"doubled backslash (empty user name)", "C:\\Documents and Settings\\\\Temp",
         root / "Documents and Settings/Temp"},
        {"names keep their spelling", "C:\\Programmi\\Torvi\\History.xml",
         root / "Programmi/Torvi/History.xml"},
        {"cannot climb above the drive", "C:\\..\\..\\etc\\passwd", root / "etc/passwd"},
        {"the drive itself", "C:\\", root},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nativePath(c.windows), c.native) << c.label;
}

TEST_F(FileSystemTest, XdgDataHomeWinsOverHome)
{
    ::setenv("XDG_DATA_HOME", (home.path() / "elsewhere").c_str(), 1);
    EXPECT_EQ(nativePath("C:\\WINDOWS"), home.path() / "elsewhere/torvi/drive_c/WINDOWS");
    ::setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(nativePath("C:\\WINDOWS"), home.path() / ".local/share/torvi/drive_c/WINDOWS");
}

TEST_F(FileSystemTest, StartUpCreatesTheWindowsFoldersOnly)
{
    const auto root = mappedDriveRoot();
    EXPECT_TRUE(std::filesystem::is_directory(root / "WINDOWS"));
    EXPECT_TRUE(std::filesystem::is_directory(root / "Programmi/Torvi"));
    EXPECT_TRUE(std::filesystem::is_directory(
        root / "Documents and Settings/mario/Impostazioni locali/Temp"));
    make("C:\\WINDOWS\\keep.txt");
    EXPECT_TRUE(prepareMappedDrive("mario").isOk());
    EXPECT_TRUE(fs.FileExists("C:\\WINDOWS\\keep.txt"));
}

TEST_F(FileSystemTest, FileExistsAndDeleteTakeOnlyFiles)
{
    make("C:\\WINDOWS\\a.txt");
    EXPECT_TRUE(fs.FileExists("C:\\WINDOWS\\a.txt"));
    for (const char *notAFile :
         {"C:\\WINDOWS\\b.txt", "C:\\No Such Folder\\At All\\a.txt", "C:\\WINDOWS"}) {
        EXPECT_FALSE(fs.FileExists(notAFile)) << notAFile;
        EXPECT_FALSE(fs.DeleteFile(notAFile, Force::No).isOk()) << notAFile;
    }
    EXPECT_TRUE(std::filesystem::is_directory(nativePath("C:\\WINDOWS")));
    EXPECT_TRUE(fs.DeleteFile("C:\\WINDOWS\\a.txt", Force::No).isOk());
    EXPECT_FALSE(fs.FileExists("C:\\WINDOWS\\a.txt"));
}

TEST_F(FileSystemTest, NonForcingDeleteRefusesReadOnlyFilesEvenForRoot)
{
    make("C:\\WINDOWS\\ro.tmp");
    std::filesystem::permissions(nativePath("C:\\WINDOWS\\ro.tmp"),
                                 std::filesystem::perms::owner_read);
    const auto refused = fs.DeleteFile("C:\\WINDOWS\\ro.tmp", Force::No);
    EXPECT_FALSE(refused.isOk());
    EXPECT_NE(refused.error().find("read-only"), std::string::npos);
    EXPECT_TRUE(fs.FileExists("C:\\WINDOWS\\ro.tmp"));
    EXPECT_TRUE(fs.DeleteFile("C:\\WINDOWS\\ro.tmp", Force::Yes).isOk());
    EXPECT_FALSE(fs.FileExists("C:\\WINDOWS\\ro.tmp"));
}

TEST_F(FileSystemTest, DeletingALinkLeavesItsTarget)
{
    make("C:\\WINDOWS\\target.txt", "precious");
    std::filesystem::permissions(nativePath("C:\\WINDOWS\\target.txt"),
                                 std::filesystem::perms::owner_read);
    std::filesystem::create_symlink(nativePath("C:\\WINDOWS\\target.txt"),
                                    nativePath("C:\\WINDOWS\\link.tmp"));
    EXPECT_TRUE(fs.DeleteFile("C:\\WINDOWS\\link.tmp", Force::No).isOk());
    EXPECT_FALSE(std::filesystem::is_symlink(nativePath("C:\\WINDOWS\\link.tmp")));
    EXPECT_EQ(readWholeFile(nativePath("C:\\WINDOWS\\target.txt")), "precious");
}

TEST_F(FileSystemTest, LocalPagesOpenAsFileAddressesOfTheMappedDrive)
{
    const std::string address = localPageAddress("C:\\Programmi\\Torvi\\myModule\\test page.html");
    EXPECT_EQ(address,
              "file://" + (home.path() /
                           ".local/share/torvi/drive_c/Programmi/Torvi/myModule/test%20page.html")
                              .string());
}

} // namespace
} // namespace torvi
