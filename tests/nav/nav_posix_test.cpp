// Torvi tests: the mapped drive, the atomic writes and torvi.conf on POSIX systems.
#include "favorites/favorites_file.h"
#include "history/navigation_log.h"
#include "nav/endpoints.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs the write a second time in a child process whose files cannot grow past 4 KiB, so it
// stops midway as on a full disk. It must say so, and leave the old file whole with nothing
// beside it.
void expectWriteFailingMidwayToKeepTheFile(const std::string &file,
                                           const std::function<bool()> &write)
{
    const auto path = nativePath(file);
    ASSERT_TRUE(write()) << file;
    const std::string before = test::textOf(path);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::_Exit(write() ? 0 : 3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << file << ": a reported failure";
    EXPECT_EQ(test::textOf(path), before) << file;
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), {}), 1) << file;
}

TEST_F(FileSystemTest, FilesReplacedWholeSurviveAWriteFailingMidway)
{
    FavoritesFile favorites;
    FavoritesTable table;
    for (int i = 0; i < 400; ++i)
        table.add({"Sito " + std::to_string(i), "http://s.example/" + std::to_string(i)});
    expectWriteFailingMidwayToKeepTheFile(FavoritesFile::defaultPath(),
                                          [&] { return favorites.rewrite(table).isOk(); });
    SystemClock clock;
    FileSystem files;
    NavigationLog log{NavigationLog::defaultPath(), files, clock};
    bool pending = false;
    expectWriteFailingMidwayToKeepTheFile(NavigationLog::defaultPath(), [&] {
        return log.WriteHistoryXml("http://a/" + std::string(9000, 'x'), pending).isOk();
    });
}

// The file is the user's config folder's torvi/torvi.conf; a missing one is no problem, one
// that cannot be read is ignored and named.
TEST(EndpointsTest, TheFileInTheUsersConfigFolder)
{
    test::TempHome home;
    const auto path = home.path() / ".config" / "torvi" / "torvi.conf";
    EXPECT_EQ(endpointsConfigPath(), path);
    EXPECT_EQ(loadEndpoints().endpoints, builtInEndpoints());
    EXPECT_TRUE(loadEndpoints().problems.empty());

    fs::create_directories(path.parent_path());
    test::writeText(path, "[Endpoints]\nHomeUrl=https://h.example/\n");
    EXPECT_EQ(loadEndpoints().endpoints.HomeUrl, "https://h.example/");
    test::writeText(path, "[Endpoints]\nHomeUrl=h.example\n");
    EXPECT_EQ(loadEndpoints().problems.at(0).rfind(path.string() + ", line 2: HomeUrl", 0), 0u);

    fs::remove(path);
    fs::create_directory(path);
    const EndpointsReading folder = loadEndpoints();
    EXPECT_EQ(folder.endpoints, builtInEndpoints());
    EXPECT_EQ(folder.problems,
              std::vector<std::string>{path.string() + ": cannot be read; the file is ignored"});

    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(endpointsConfigPath(), path) << "a relative XDG_CONFIG_HOME does not count";
    EXPECT_EQ(withoutFinalSlash("torvi://sito/"), "torvi://sito");
    EXPECT_EQ(withoutFinalSlash("torvi://sito"), "torvi://sito");
}

} // namespace
} // namespace torvi
