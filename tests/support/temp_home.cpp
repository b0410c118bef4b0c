// Torvi tests: a fresh home per test.
#include "support/temp_home.h"

#include "history/navigation_log.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace torvi::test {

namespace {

void setEnv(const char *name, const std::filesystem::path &value)
{
#ifdef _WIN32
    _putenv_s(name, value.string().c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

} // namespace

TempHome::TempHome()
{
    std::random_device random;
    do
        m_path =
            std::filesystem::temp_directory_path() / ("torvi-test-" + std::to_string(random()));
    while (!std::filesystem::create_directory(m_path));
    setEnv("HOME", m_path);
    setEnv("XDG_DATA_HOME", m_path / ".local" / "share");
    setEnv("XDG_CONFIG_HOME", m_path / ".config");
    setEnv("XDG_CACHE_HOME", m_path / ".cache");
}

TempHome::~TempHome()
{
    std::error_code error;
    // Read-only files and folders made by a test must not stop the clean-up.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::string textOf(const std::filesystem::path &path)
{
    return readWholeFile(path).value_or("<none>");
}

void writeText(const std::filesystem::path &path, std::string_view text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void removeMadeFile(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path, error);
}

std::ptrdiff_t entriesIn(const std::filesystem::path &folder)
{
    const std::filesystem::directory_iterator entries(folder);
    return std::distance(begin(entries), end(entries));
}

#ifndef _WIN32
bool writeFailsMidway(std::size_t fileSizeLimit, const std::function<bool()> &write)
{
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::_Exit(write() ? 0 : 3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 3;
}
#endif

ProgramFileTest::ProgramFileTest(std::string_view windowsPath) : native(nativePath(windowsPath))
{
    EXPECT_TRUE(prepareMappedDrive("tester").isOk());
    removeMadeFile(native);
}

ProgramFileTest::~ProgramFileTest()
{
    removeMadeFile(native);
}

std::string ProgramFileTest::fileText() const
{
    return readWholeFile(native).value_or("<none>");
}

void ProgramFileTest::writeFile(const std::string &content) const
{
    std::ofstream(native, std::ios::binary) << content;
}

ProgramFilesTest::ProgramFilesTest()
    : historyPath(nativePath("C:\\WINDOWS\\cronologia.txt")),
      favoritesPath(nativePath("C:\\WINDOWS\\preferiti.txt")),
      logPath(nativePath(NavigationLog::defaultPath()))
{
    EXPECT_TRUE(prepareMappedDrive("mario").isOk());
    for (const auto &path : {historyPath, favoritesPath, logPath})
        removeMadeFile(path);
}

ProgramFilesTest::~ProgramFilesTest()
{
    for (const auto &path : {historyPath, favoritesPath, logPath})
        removeMadeFile(path);
}

} // namespace torvi::test
