// Torvi: the file-system service on Windows: the files' own attributes decide.
#include "nav/file_system.h"

#include "nav/text_file.h"

#include "nav/win32_api.h"

namespace torvi {

namespace {

// The ANSI entry points take paths in the ANSI code page; the core's are UTF-8.
DWORD attributesOf(const std::string &ansiPath)
{
    return ::GetFileAttributesA(ansiPath.c_str());
}

bool isFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string failure(const std::string &path, const char *what)
{
    return path + ": " + what + " (Windows error " + std::to_string(::GetLastError()) + ")";
}

} // namespace

bool FileSystem::FileExists(const std::string &path) const
{
    return isFile(attributesOf(toSystemText(path)));
}

bool isReadOnlyFile(const std::string &path)
{
    const DWORD attributes = attributesOf(toSystemText(path));
    return isFile(attributes) && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

Status FileSystem::DeleteFile(const std::string &path, Force force)
{
    const std::string ansi = toSystemText(path);
    const DWORD attributes = attributesOf(ansi);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Status::failure(path + ": file not found");
    if (!isFile(attributes))
        return Status::failure(path + ": is a folder, not a file");
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        if (force == Force::No)
            return Status::failure(path + ": file is read-only");
        // DeleteFileA refuses a read-only file even when forced; clear the attribute first.
        const DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        if (!::SetFileAttributesA(ansi.c_str(), writable == 0 ? FILE_ATTRIBUTE_NORMAL : writable))
            return Status::failure(failure(path, "cannot clear the read-only attribute"));
    }
    if (!::DeleteFileA(ansi.c_str()))
        return Status::failure(failure(path, "cannot delete"));
    return Status::ok();
}

} // namespace torvi
