// Torvi: listing the temporary folder on Windows.
#include "tools/temp_cleaner.h"

#include "nav/text_file.h"

#include "nav/win32_api.h"

namespace torvi {

std::vector<std::string> listTmpFiles(const std::string &folder)
{
    WIN32_FIND_DATAA found{};
    const std::string pattern = toSystemText(folder + "\\*.tmp");
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    constexpr DWORD NotListed =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::vector<std::string> names;
    do {
        const std::string name = fromSystemText(found.cFileName);
        // The search also matches by short names ("x.tmpl" is "X~1.TMP"); keep only what
        // the pattern names by the long name.
        if ((found.dwFileAttributes & NotListed) == 0 && matchesTmpPattern(name))
            names.push_back(name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    sortAsListed(names);
    return names;
}

} // namespace torvi
