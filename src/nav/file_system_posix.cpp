// Torvi: the file-system service on POSIX systems.
#include "nav/file_system.h"

#include "nav/windows_path.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace torvi {

bool FileSystem::FileExists(const std::string &path) const
{
    struct stat info
    {};
    return ::stat(nativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isReadOnlyFile(const std::string &path)
{
    struct stat info
    {};
    return ::lstat(nativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

Status FileSystem::DeleteFile(const std::string &path, Force force)
{
    const auto native = nativePath(path);
    struct stat info
    {};
    if (::lstat(native.c_str(), &info) != 0)
        return Status::failure(native.string() + ": file not found");
    if (S_ISDIR(info.st_mode))
        return Status::failure(native.string() + ": is a folder, not a file");
    if (force == Force::No && isReadOnlyFile(path))
        return Status::failure(native.string() + ": file is read-only");
    if (::unlink(native.c_str()) != 0)
        return Status::failure(native.string() + ": " + std::strerror(errno));
    return Status::ok();
}

} // namespace torvi
