// Torvi: file writes on POSIX systems.
#include "nav/text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace torvi {

namespace {

std::string describe(const std::filesystem::path &path, const char *what)
{
    return path.string() + ": " + what + ": " + std::strerror(errno);
}

// Writes all of the content, going on after partial writes.
bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return std::move(content).str();
}

Status writeFileAtomically(const std::filesystem::path &path, std::string_view content)
{
    std::string temp = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Status::failure(describe(path, "cannot create the new file beside it"));

    // mkstemp makes the file private; give it the mode an ordinary new file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    if (!writeAll(fd, content) || ::fsync(fd) != 0) {
        const Status failure = Status::failure(describe(path, "cannot write the new file"));
        ::close(fd);
        ::unlink(temp.c_str());
        return failure;
    }
    if (::close(fd) != 0) {
        const Status failure = Status::failure(describe(path, "cannot close the new file"));
        ::unlink(temp.c_str());
        return failure;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const Status failure = Status::failure(describe(path, "cannot replace the old file"));
        ::unlink(temp.c_str());
        return failure;
    }
    return Status::ok();
}

Status appendToFile(const std::filesystem::path &path, std::string_view content)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return Status::failure(describe(path, "cannot open for appending"));
    const bool written = writeAll(fd, content);
    const Status result = written ? Status::ok() : Status::failure(describe(path, "cannot append"));
    ::close(fd);
    return result;
}

std::string toSystemText(std::string_view utf8)
{
    return std::string{utf8};
}

std::string fromSystemText(std::string_view systemText)
{
    return std::string{systemText};
}

} // namespace torvi
