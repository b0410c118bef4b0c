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

TEST_F(TempCleanerTest, CountsWhatWasReallyDeletedAndListsWhatIsLeft)
{
    for (const char *name : {"a.tmp", "B.tmp", "c.TMP", "d.tmp", "~e.tmp"})
        make(folder / name);
    for (const char *name : {"locked1.tmp", "Locked2.tmp"})
        make(folder / name, fs::perms::owner_read | fs::perms::group_read);

    const auto first = runCleaner(fileSystem, "mario");
    EXPECT_EQ(deletedLabelText(first.deleted), "Elementi Eliminati: 5");
    EXPECT_EQ(remainingLabelText(first.remaining), "Elementi Rimasti: 2");
    EXPECT_EQ(first.listedAfter, (Names{"locked1.tmp", "Locked2.tmp"}));
    EXPECT_EQ(fileSystem.asked.size(), 7u) << "one delete per listed file";

    const auto second = runCleaner(fileSystem, "mario");
    EXPECT_EQ(second.deleted, 0) << "a second run counts only what is left";
    EXPECT_EQ(second.remaining, 2);
    EXPECT_EQ(second.listedAfter, first.listedAfter);
}

TEST_F(TempCleanerTest, DeletesInListOrderAndDoesNotCountARefusedDelete)
{
    for (const char *name : {"b.tmp", "C.tmp", "a.tmp"})
        make(folder / name);
    fileSystem.inUse = {"C.tmp"};

    const auto result = runCleaner(fileSystem, "mario");
    const std::string base = "C:\\Documents and Settings\\mario\\Impostazioni locali\\Temp\\";
    EXPECT_EQ(fileSystem.asked, (Names{base + "a.tmp", base + "b.tmp", base + "C.tmp"}));
    EXPECT_EQ(result.deleted, 2);
    EXPECT_EQ(result.listedAfter, (Names{"C.tmp"}));
}

TEST_F(TempCleanerTest, LeavesAloneWhatThePatternDoesNotName)
{
    const auto outside = home.path() / "target.tmp";
    make(outside);
    enum class Kind
    {
        File,
        Folder,
        LinkOutside,
        DanglingLink,
        Existing
    };
    struct Case
    {
        const char *label;
        fs::path path;
        Kind kind;
        bool survives;
    };
    const std::vector<Case> cases = {
        {"other extension", folder / "note.txt", Kind::File, true},
        {"longer extension", folder / "x.tmpl", Kind::File, true},
        {".tmp inside the name", folder / "x.tmp.bak", Kind::File, true},
        {"no dot", folder / "xtmp", Kind::File, true},
        {"hidden", folder / ".hidden.tmp", Kind::File, true},
        {"subfolder named *.tmp", folder / "sub.tmp", Kind::Folder, true},
        {"file in a subfolder", folder / "sub.tmp" / "inner.tmp", Kind::File, true},
        {"backslash name that would reach a subfolder", folder / "sub.tmp\\inner.tmp", Kind::File,
         true},
        {"link target outside the folder", outside, Kind::Existing, true},
        {"the link itself", folder / "link.tmp", Kind::LinkOutside, false},
        {"dangling link", folder / "dangling.tmp", Kind::DanglingLink, false},
        {"upper-case extension", folder / "UPPER.TMP", Kind::File, false},
    };
    for (const auto &c : cases) {
        switch (c.kind) {
        case Kind::File:
            make(c.path);
            break;
        case Kind::Folder:
            fs::create_directories(c.path);
            break;
        case Kind::LinkOutside:
            fs::create_symlink(outside, c.path);
            break;
        case Kind::DanglingLink:
            fs::create_symlink(folder / "nowhere", c.path);
            break;
        case Kind::Existing:
            break;
        }
    }

    const auto result = runCleaner(fileSystem, "mario");
    for (const auto &c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(c.path)), c.survives) << c.label;
    EXPECT_EQ(result.deleted, 3);
    EXPECT_EQ(result.remaining, 0);
    EXPECT_EQ(readWholeFile(outside), "x") << "the link's target keeps its content";
}

TEST_F(TempCleanerTest, EmptyOrMissingFolderGivesNothing)
{
    struct Case
    {
        const char *label;
        std::string user;
    };
    make(folder / "x.txt");
    const std::vector<Case> cases = {
        {"empty folder", "mario"},
        {"missing folder", "nobody"},
        {"empty user name: folder missing", ""},
    };
    for (const auto &c : cases) {
        RecordingFileSystem recording;
        const auto result = runCleaner(recording, c.user);
        EXPECT_EQ(deletedLabelText(result.deleted), "Elementi Eliminati: 0") << c.label;
        EXPECT_EQ(result.remaining, 0) << c.label;
        EXPECT_TRUE(result.listedAfter.empty()) << c.label;
        EXPECT_TRUE(recording.asked.empty()) << c.label;
    }
    EXPECT_FALSE(fs::exists(nativePath(tempFolderPath("nobody")))) << "not created";
}

} // namespace
} // namespace torvi
