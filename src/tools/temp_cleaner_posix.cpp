// Torvi: listing the temporary folder on POSIX systems.
#include "tools/temp_cleaner.h"

#include "nav/windows_path.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace torvi {

std::vector<std::string> listTmpFiles(const std::string &folder)
{
    const auto native = nativePath(folder);
    std::unique_ptr<DIR, int (*)(DIR *)> dir{::opendir(native.c_str()), ::closedir};
    if (!dir)
        return {};
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() == '.' || !matchesTmpPattern(name))
            continue;
        // lstat: a link is judged as a link, whatever it points to.
        struct stat info
        {};
        if (::lstat((native / name).c_str(), &info) != 0)
            continue;
        if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
            names.push_back(name);
    }
    sortAsListed(names);
    return names;
}

} // namespace torvi
