// Torvi tests: a fresh home per test.
#include "support/temp_home.h"

#include "history/navigation_log.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <utility>

namespace torvi::test {

namespace fs = std::filesystem;

TempHome::TempHome()
{
    std::random_device random;
    do
        m_path = fs::temp_directory_path() / ("torvi-test-" + std::to_string(random()));
    while (!fs::create_directory(m_path));
    const std::pair<const char *, fs::path> variables[] = {
        {"HOME", m_path},
        {"XDG_DATA_HOME", m_path / ".local" / "share"},
        {"XDG_CONFIG_HOME", m_path / ".config"},
        {"XDG_CACHE_HOME", m_path / ".cache"}};
    for (const auto &[name, value] : variables)
#ifdef _WIN32
        _putenv_s(name, value.string().c_str());
#else
        ::setenv(name, value.c_str(), 1);
#endif
}

TempHome::~TempHome()
{
    std::error_code error;
    // Read-only files and folders made by a test must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(m_path, error);
         it != fs::recursive_directory_iterator(); it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_path, error);
}

std::string textOf(const fs::path &path)
{
    return readWholeFile(path).value_or("<none>");
}

void writeText(const fs::path &path, std::string_view text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void removeMadeFile(const fs::path &path)
{
    std::error_code error;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove_all(path, error);
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

} // namespace torvi::test
