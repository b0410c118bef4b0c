// Torvi tests: the mapped drive and the file writes on POSIX systems.
#include "favorites/favorites_file.h"
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "nav/posix_calls.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace torvi {
namespace {

namespace fs = std::filesystem;

using FileSystemTest = test::ProgramFilesTest;

TEST_F(FileSystemTest, DriveMapsIntoTheUsersDataHome)
{
    const auto root = home.path() / ".local/share/torvi/drive_c";
    const test::Row<const char *, fs::path> rows[] = {
        {"lower-case drive", "c:\\WINDOWS\\preferiti.txt", root / "WINDOWS/preferiti.txt"},
        {"doubled backslash", "C:\\Documents and Settings\\\\Temp",
         root / "Documents and Settings/Temp"},
        {"cannot climb above the drive", "C:\\..\\..\\etc\\passwd", root / "etc/passwd"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(nativePath(r.in), r.out) << r.label;
    EXPECT_EQ(localPageAddress("C:\\Programmi\\Torvi\\test page.html"),
              "file://" + (root / "Programmi/Torvi/test%20page.html").string());

    ::setenv("XDG_DATA_HOME", (home.path() / "elsewhere").c_str(), 1);
    EXPECT_EQ(nativePath("C:\\WINDOWS"), home.path() / "elsewhere/torvi/drive_c/WINDOWS");
    ::setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(nativePath("C:\\WINDOWS"), root / "WINDOWS");
}

enum class Fault
{
    Write,
    FileFlush,
    FolderFlush
};

// The writers' system calls with one giving out as a failing disk would: a write puts a few
// bytes, then finds the disk full; flushing a file, or a folder, fails. Put back when it goes.
struct FailingDisk
{
    static inline Fault fault;
    static inline bool started;
    PosixCalls saved = posixCalls();

    explicit FailingDisk(Fault chosen)
    {
        fault = chosen;
        started = false;
        posixCalls().write = [](int fd, const void *from, size_t size) -> ssize_t {
            if (fault == Fault::Write && std::exchange(started, true))
                return errno = ENOSPC, -1;
            return ::write(fd, from, fault == Fault::Write ? std::min<size_t>(size, 4) : size);
        };
        posixCalls().fsync = [](int fd) {
            struct stat info = {};
            ::fstat(fd, &info);
            if (fault == (S_ISDIR(info.st_mode) ? Fault::FolderFlush : Fault::FileFlush))
                return errno = EIO, -1;
            return ::fsync(fd);
        };
    }
    ~FailingDisk() { posixCalls() = saved; }
};

// A replaced file keeps its mode and owner: a file made private stays private. What a
// crashed write left beside the file goes with the next write, but not another write's file in
// progress. A link stays a link and its target is replaced. A read that fails is no empty file. A
// failing disk fails the change that needed it, and the file stays as it was, with nothing left
// beside it: the history gets no half line for the next one to be glued to.
TEST_F(FileSystemTest, ReplacedFilesKeepModeOwnerAndLinksAndAFailingDiskLeavesThemWhole)
{
    FavoritesFile favorites;
    FavoritesTable table;
    ASSERT_TRUE(favorites.rewrite(table));
    fs::permissions(favoritesPath, fs::perms::owner_read | fs::perms::owner_write);
    const bool givenAway = ::chown(favoritesPath.c_str(), 4321, 4321) == 0; // root only
    const fs::path folder = favoritesPath.parent_path();
    for (const char *name : {".preferiti.txt.crash1", ".preferiti.txt.inwork"})
        test::writeText(folder / name, "old");
    const int inWork = ::open((folder / ".preferiti.txt.inwork").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(inWork, LOCK_EX), 0);
    table.add({"a", "b"});
    ASSERT_TRUE(favorites.rewrite(table));
    ::close(inWork);
    struct stat info = {};
    ASSERT_EQ(::stat(favoritesPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_TRUE(!givenAway || info.st_uid == 4321u) << "owner";
    EXPECT_FALSE(fs::exists(folder / ".preferiti.txt.crash1")) << "a crash's leftover";
    EXPECT_TRUE(fs::exists(folder / ".preferiti.txt.inwork")) << "another write in progress";

    test::removeMadeFile(favoritesPath);
    fs::create_symlink("../../../../../preferiti.txt", favoritesPath); // into the home
    test::writeText(home.path() / "preferiti.txt", "old");
    ASSERT_TRUE(favorites.rewrite(table));
    EXPECT_TRUE(fs::is_symlink(favoritesPath));
    EXPECT_EQ(test::textOf(home.path() / "preferiti.txt"), "a||b\r\n");

    EXPECT_EQ(readWholeFile("/proc/self/mem"), std::nullopt) << "an I/O error";
    SystemClock clock;
    FileSystem files;
    NavigationLog log{NavigationLog::defaultPath(), files, clock};
    HistoryFile history{files};
    bool pending = false;
    const std::function<Status()> writeLog = [&] { return log.WriteHistoryXml("b", pending); },
                                  addHistory = [&] { return history.AddCronologia("b", "", ""); };
    ASSERT_TRUE(writeLog() && addHistory());
    const test::Row<Fault, fs::path> rows[] = {
        {"log, the disk full midway", Fault::Write, logPath},
        {"log, its flush refused", Fault::FileFlush, logPath},
        {"history, the disk full midway", Fault::Write, historyPath},
    };
    for (const auto &[label, fault, file] : rows) {
        const auto &save = file == logPath ? writeLog : addHistory;
        const std::string before = test::textOf(file);
        const auto beside = std::distance(fs::directory_iterator(file.parent_path()), {});
        {
            FailingDisk disk{fault};
            EXPECT_FALSE(save().isOk()) << label;
        }
        EXPECT_EQ(test::textOf(file), before) << label;
        EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), {}), beside) << label;
    }
    // The new file is in place, but the rename may not survive a power cut: no success then.
    FailingDisk disk{Fault::FolderFlush};
    EXPECT_FALSE(writeLog().isOk()) << "the folder's flush refused";
}

} // namespace
} // namespace torvi
