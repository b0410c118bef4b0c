// Torvi: the file-system service on Windows: the files' own attributes decide.
#include "nav/file_system.h"

#include "nav/windows_path.h"

#include "nav/win32_api.h"

namespace torvi {

namespace {

// Wide calls with the one path conversion every file call uses: the ANSI ones would lose
// the characters the code page lacks and look for another file.
DWORD attributesOf(const std::string &path)
{
    return ::GetFileAttributesW(nativePath(path).c_str());
}

bool isFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string failure(const std::string &path, const char *what)
{
    const DWORD error = ::GetLastError();
    return path + ": " + what + " (Windows error " + std::to_string(error) + ")";
}

} // namespace

bool FileSystem::FileExists(const std::string &path) const
{
    return isFile(attributesOf(path));
}

bool isReadOnlyFile(const std::string &path)
{
    const DWORD attributes = attributesOf(path);
    return isFile(attributes) && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

Status FileSystem::DeleteFile(const std::string &path, Force force)
{
    const auto native = nativePath(path);
    const DWORD attributes = ::GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Status::failure(path + ": file not found");
    if (!isFile(attributes))
        return Status::failure(path + ": is a folder, not a file");
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        if (force == Force::No)
            return Status::failure(path + ": file is read-only");
        // DeleteFileW refuses a read-only file even when forced; clear the attribute first.
        const DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        if (!::SetFileAttributesW(native.c_str(), writable == 0 ? FILE_ATTRIBUTE_NORMAL : writable))
            return Status::failure(failure(path, "cannot clear the read-only attribute"));
    }
    if (!::DeleteFileW(native.c_str()))
        return Status::failure(failure(path, "cannot delete"));
    return Status::ok();
}

} // namespace torvi
