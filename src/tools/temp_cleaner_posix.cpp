// Torvi: the temporary folder on POSIX systems, worked on through one directory handle.
#include "tools/temp_cleaner.h"

#include "nav/posix_calls.h"
#include "nav/windows_path.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace torvi {

namespace {

constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Opens the folder a name at a time from the mapped drive's root, refusing a link at every
// step: the folder the user sees under the drive is the only one worked on.
int openBelowDrive(const std::string &windowsPath)
{
    const std::filesystem::path below =
        nativePath(windowsPath).lexically_relative(mappedDriveRoot());
    if (below.empty() || *below.begin() == "..")
        return -1;
    int folder = posixCalls().openat(AT_FDCWD, mappedDriveRoot().c_str(), FolderFlags, 0);
    for (const auto &name : below) {
        if (folder < 0)
            break;
        const int next = posixCalls().openat(folder, name.c_str(), FolderFlags | O_NOFOLLOW, 0);
        ::close(folder);
        folder = next;
    }
    return folder;
}

} // namespace

TempFolder::TempFolder(const std::string &windowsPath)
    : m_path(windowsPath), m_handle(openBelowDrive(windowsPath))
{}

TempFolder::~TempFolder()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

std::vector<std::string> TempFolder::listTmpFiles() const
{
    // The listing gets a handle of its own: closing it closes the handle it was made from.
    const int listing = m_handle < 0 ? -1 : ::dup(m_handle);
    if (listing < 0)
        return {};
    std::unique_ptr<DIR, int (*)(DIR *)> dir{::fdopendir(listing), ::closedir};
    if (!dir) {
        ::close(listing);
        return {};
    }
    ::rewinddir(dir.get());
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name.front() == '.' || !matchesTmpPattern(name))
            continue;
        // A link is judged as a link, whatever it points to.
        struct stat info
        {};
        if (::fstatat(m_handle, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
            names.push_back(name);
    }
    sortAsListed(names);
    return names;
}

Status TempFolder::deleteFile(const std::string &name)
{
    const std::string path = m_path + "\\" + name;
    struct stat info
    {};
    if (m_handle < 0 || ::fstatat(m_handle, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return Status::failure(path + ": file not found");
    if (S_ISDIR(info.st_mode))
        return Status::failure(path + ": is a folder, not a file");
    // "Read-only" is the file's own attribute, even for root.
    if (S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return Status::failure(path + ": file is read-only");
    if (posixCalls().unlinkat(m_handle, name.c_str(), 0) != 0)
        return Status::failure(path + ": " + std::strerror(errno));
    return Status::ok();
}

} // namespace torvi
