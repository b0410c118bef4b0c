// Torvi: file reads and writes on Windows, and the ANSI code page of its text files.
#include "nav/text_file.h"

#include "nav/win32_api.h"

#include <algorithm>
#include <random>
#include <utility>

namespace torvi {

namespace {

std::string describe(const std::filesystem::path &path, const char *what)
{
    const DWORD error = ::GetLastError();
    return pathText(path) + ": " + what + " (Windows error " + std::to_string(error) + ")";
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
    void reset(HANDLE handle)
    {
        close();
        m_handle = handle;
    }
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

// The prefix of the new files made beside the file: ".name." and six random characters.
std::wstring tempPrefix(const std::filesystem::path &file)
{
    return L"." + file.filename().wstring() + L".";
}

std::wstring randomSuffix()
{
    thread_local std::mt19937 random{std::random_device{}() ^ ::GetCurrentProcessId()};
    constexpr std::wstring_view Letters = L"0123456789abcdefghijklmnopqrstuvwxyz";
    std::wstring suffix(6, L'0');
    for (wchar_t &c : suffix)
        c = Letters[random() % Letters.size()];
    return suffix;
}

// Removes the new files an earlier write left beside the file when it crashed. A write in
// progress shares its new file with nobody, so it cannot be removed from under it.
void removeLeftovers(const std::filesystem::path &folder, const std::filesystem::path &file)
{
    const std::wstring prefix = tempPrefix(file);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder / (prefix + L"??????")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring_view name = found.cFileName;
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ::DeleteFileW((folder / found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// Whether the file's last byte ends a line.
bool endsWithLineEnd(HANDLE file, LARGE_INTEGER size)
{
    LARGE_INTEGER last{};
    last.QuadPart = size.QuadPart - 1;
    char byte = '\n';
    DWORD read = 0;
    if (!::SetFilePointerEx(file, last, nullptr, FILE_BEGIN) ||
        !::ReadFile(file, &byte, 1, &read, nullptr) || read != 1)
        return true; // unknown: better no extra line end than a wrong one
    return byte == '\n' || byte == '\r';
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
    // A new file beside the old one, so the rename never crosses a volume.
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = L".";
    removeLeftovers(folder, path);
    std::filesystem::path temp;
    FileHandle file{INVALID_HANDLE_VALUE};
    // Shared with nobody: no other writer's clean-up can remove it while it is written.
    for (int attempt = 0; attempt < 100 && !file.isOpen(); ++attempt) {
        temp = folder / (tempPrefix(path) + randomSuffix());
        file.reset(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        if (!file.isOpen() && ::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!file.isOpen())
        return Status::failure(describe(path, "cannot create the new file beside it"));

    const auto discard = [&](const char *what) {
        const Status failure = Status::failure(describe(path, what));
        file.close();
        ::DeleteFileW(temp.c_str());
        return failure;
    };
    if (!writeAll(file.get(), content) || !::FlushFileBuffers(file.get()))
        return discard("cannot write the new file");
    if (!file.close())
        return discard("cannot close the new file");
    // The old file's hidden, system or archive marks stay with its content.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        ::SetFileAttributesW(temp.c_str(), attributes);
    if (!::MoveFileExW(temp.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return discard("cannot replace the old file");
    return Status::ok();
}

Status appendLine(const std::filesystem::path &path, std::string_view line)
{
    FileHandle file{::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    LARGE_INTEGER size{};
    if (!file.isOpen() || !::GetFileSizeEx(file.get(), &size))
        return Status::failure(describe(path, "cannot open for appending"));
    std::string record;
    if (size.QuadPart > 0 && !endsWithLineEnd(file.get(), size))
        record += CrLf;
    record += line;
    // At the end as it stands now, even after another writer's line.
    if (!::SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_END) ||
        !writeAll(file.get(), record)) {
        const Status failure = Status::failure(describe(path, "cannot append"));
        // What got in is cut off again, or the next line would be glued to half of this one.
        if (::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN))
            ::SetEndOfFile(file.get());
        return failure;
    }
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

std::string fromSystemText(std::string &&systemText)
{
    return fromSystemText(std::string_view{systemText});
}

} // namespace torvi
