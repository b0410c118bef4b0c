// Torvi tests: a fresh home per test.
#include "support/temp_home.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
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
#ifdef _WIN32
    std::string pattern = (std::filesystem::temp_directory_path() / "torvi-test-").string() +
                          std::to_string(_getpid()) + "-" + std::to_string(std::rand());
    m_path = pattern;
    std::filesystem::create_directories(m_path);
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "torvi-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary home");
    m_path = pattern;
#endif
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

void removeMadeFile(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path, error);
}

} // namespace torvi::test
