// Torvi: the temporary folder on Windows.
#include "tools/temp_cleaner.h"

#include "nav/file_system.h"
#include "nav/windows_path.h"

#include "nav/win32_api.h"

namespace torvi {

TempFolder::TempFolder(const std::string &windowsPath) : m_path(windowsPath) {}

TempFolder::~TempFolder() = default;

std::vector<std::string> TempFolder::listTmpFiles() const
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(nativePath(m_path + "\\*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    constexpr DWORD NotListed =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<std::string> names;
    do {
        const std::string name = win::fromWide(found.cFileName, CP_UTF8);
        // The search also matches by short names ("x.tmpl" is "X~1.TMP"); keep only what
        // the pattern names by the long name.
        if ((found.dwFileAttributes & NotListed) == 0 && matchesTmpPattern(name))
            names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    sortAsListed(names);
    return names;
}

Status TempFolder::deleteFile(const std::string &name)
{
    return FileSystem{}.DeleteFile(m_path + "\\" + name, Force::No);
}

} // namespace torvi
