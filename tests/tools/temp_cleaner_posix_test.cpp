// Torvi tests: the temporary-file cleaner on a real folder of the mapped drive.
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"
#include "tools/temp_cleaner.h"

#include <fstream>
#include <gtest/gtest.h>

namespace torvi {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// Deletes for real, remembers every path asked for, and refuses the names it is told to,
// as Windows refuses a file another program holds open.
class RecordingFileSystem : public FileSystem
{
public:
    std::vector<std::string> asked;
    std::vector<std::string> inUse;

    Status DeleteFile(const std::string &path, Force force) override
    {
        asked.push_back(path);
        for (const auto &name : inUse)
            if (path.ends_with("\\" + name))
                return Status::failure(path + ": in use");
        return FileSystem::DeleteFile(path, force);
    }
};

class TempCleanerTest : public test::TempHomeTest
{
protected:
    TempCleanerTest() : folder(nativePath(tempFolderPath("mario")))
    {
        fs::create_directories(folder);
    }

    void make(const fs::path &path,
              fs::perms perms = fs::perms::owner_read | fs::perms::owner_write)
    {
        std::ofstream(path) << "x";
        fs::permissions(path, perms);
    }

    const fs::path folder;
    RecordingFileSystem fileSystem;
};

TEST_F(TempCleanerTest, DeletesInListOrderAndCountsOnlyWhatWasReallyDeleted)
{
    for (const char *name : {"~e.tmp", "c.TMP", "a.tmp", "d.tmp", "B.tmp"})
        make(folder / name);
    for (const char *name : {"locked1.tmp", "Locked2.tmp"})
        make(folder / name, fs::perms::owner_read | fs::perms::group_read);
    fileSystem.inUse = {"d.tmp"};

    const auto first = runCleaner(fileSystem, "mario");
    Names asked;
    for (const char *name :
         {"a.tmp", "B.tmp", "c.TMP", "d.tmp", "locked1.tmp", "Locked2.tmp", "~e.tmp"})
        asked.push_back("C:\\Documents and Settings\\mario\\Impostazioni locali\\Temp\\" +
                        std::string{name});
    EXPECT_EQ(fileSystem.asked, asked) << "one delete per listed file, in list order";
    EXPECT_EQ(deletedLabelText(first.deleted), "Elementi Eliminati: 4");
    EXPECT_EQ(remainingLabelText(first.remaining), "Elementi Rimasti: 3");
    EXPECT_EQ(first.listedAfter, (Names{"d.tmp", "locked1.tmp", "Locked2.tmp"}));

    const auto second = runCleaner(fileSystem, "mario");
    EXPECT_EQ(second.deleted, 0) << "a second run counts only what is left";
    EXPECT_EQ(second.remaining, 3);
    EXPECT_EQ(second.listedAfter, first.listedAfter);
}

TEST_F(TempCleanerTest, LeavesAloneWhatThePatternDoesNotName)
{
    const auto outside = home.path() / "target.tmp";
    make(outside);
    fs::create_directories(folder / "sub.tmp");
    for (const char *name : {"note.txt", "x.tmpl", "x.tmp.bak", "xtmp", ".hidden.tmp",
                             "sub.tmp/inner.tmp", "sub.tmp\\inner.tmp", "UPPER.TMP"})
        make(folder / name);
    fs::create_symlink(outside, folder / "link.tmp");
    fs::create_symlink(folder / "nowhere", folder / "dangling.tmp");
    const struct
    {
        const char *label;
        fs::path path;
        bool survives;
    } cases[] = {
        {"other extension", folder / "note.txt", true},
        {"longer extension", folder / "x.tmpl", true},
        {".tmp inside the name", folder / "x.tmp.bak", true},
        {"no dot", folder / "xtmp", true},
        {"hidden", folder / ".hidden.tmp", true},
        {"subfolder named *.tmp", folder / "sub.tmp", true},
        {"file in a subfolder", folder / "sub.tmp" / "inner.tmp", true},
        {"backslash name that would reach a subfolder", folder / "sub.tmp\\inner.tmp", true},
        {"link target outside the folder", outside, true},
        {"the link itself", folder / "link.tmp", false},
        {"dangling link", folder / "dangling.tmp", false},
        {"upper-case extension", folder / "UPPER.TMP", false},
    };

    const auto result = runCleaner(fileSystem, "mario");
    for (const auto &c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(c.path)), c.survives) << c.label;
    EXPECT_EQ(result.deleted, 3);
    EXPECT_EQ(result.remaining, 0);
    EXPECT_EQ(readWholeFile(outside), "x") << "the link's target keeps its content";
}

TEST_F(TempCleanerTest, EmptyOrMissingFolderGivesNothing)
{
    make(folder / "x.txt");
    // An empty user name names a folder that is missing too.
    for (const char *user : {"mario", "nobody", ""}) {
        RecordingFileSystem recording;
        const auto result = runCleaner(recording, user);
        EXPECT_EQ(deletedLabelText(result.deleted), "Elementi Eliminati: 0") << user;
        EXPECT_EQ(result.remaining, 0) << user;
        EXPECT_TRUE(result.listedAfter.empty()) << user;
        EXPECT_TRUE(recording.asked.empty()) << user;
    }
    EXPECT_FALSE(fs::exists(nativePath(tempFolderPath("nobody")))) << "not created";
}

} // namespace
} // namespace torvi
