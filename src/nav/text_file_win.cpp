// Torvi: file reads and writes on Windows, and the ANSI code page of its text files.
#include "nav/text_file.h"

#include "nav/win32_api.h"

#include <algorithm>
#include <utility>

namespace torvi {

namespace {

std::string describe(const std::filesystem::path &path, const char *what)
{
    return path.string() + ": " + what + " (Windows error " + std::to_string(::GetLastError()) +
           ")";
}

// Closes the handle when it goes out of scope.
class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close()
    {
        const HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle);
    }

private:
    HANDLE m_handle;
};

// Writes all of the content, going on after partial writes.
bool writeAll(HANDLE file, std::string_view content)
{
    while (!content.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &path)
{
    FileHandle file{::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file.isOpen())
        return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
            return std::nullopt;
        if (read == 0)
            return content;
        content.append(buffer, read);
    }
}

Status writeFileAtomically(const std::filesystem::path &path, std::string_view content)
{
    // A new, uniquely named file beside the old one, so the rename never crosses a volume.
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = L".";
    wchar_t tempName[MAX_PATH];
    if (::GetTempFileNameW(folder.c_str(), L"trv", 0, tempName) == 0)
        return Status::failure(describe(path, "cannot create the new file beside it"));

    FileHandle file{::CreateFileW(tempName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr)};
    if (!file.isOpen()) {
        const Status failure = Status::failure(describe(path, "cannot open the new file"));
        ::DeleteFileW(tempName);
        return failure;
    }
    if (!writeAll(file.get(), content) || !::FlushFileBuffers(file.get())) {
        const Status failure = Status::failure(describe(path, "cannot write the new file"));
        file.close();
        ::DeleteFileW(tempName);
        return failure;
    }
    if (!file.close()) {
        const Status failure = Status::failure(describe(path, "cannot close the new file"));
        ::DeleteFileW(tempName);
        return failure;
    }
    if (!::MoveFileExW(tempName, path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const Status failure = Status::failure(describe(path, "cannot replace the old file"));
        ::DeleteFileW(tempName);
        return failure;
    }
    return Status::ok();
}

Status appendToFile(const std::filesystem::path &path, std::string_view content)
{
    // Append-only access: every write lands at the file's end, even with another writer.
    FileHandle file{::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file.isOpen())
        return Status::failure(describe(path, "cannot open for appending"));
    if (!writeAll(file.get(), content))
        return Status::failure(describe(path, "cannot append"));
    return Status::ok();
}

std::string toSystemText(std::string_view utf8)
{
    return win::fromWide(win::toWide(utf8, CP_UTF8), ::GetACP());
}

std::string fromSystemText(std::string_view systemText)
{
    return win::fromWide(win::toWide(systemText, ::GetACP()), CP_UTF8);
}

} // namespace torvi
