// Torvi: file reads and writes on POSIX systems.
#include "nav/text_file.h"

#include "nav/posix_calls.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace torvi {

namespace fs = std::filesystem;

namespace {

// Reads errno at once: the clean-up after a failure may change it.
Status failure(const fs::path &path, const char *what)
{
    return Status::failure(pathText(path) + ": " + what + ": " + std::strerror(errno));
}

// Closes the descriptor when it goes out of scope, keeping errno for the caller's message.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        const int saved = errno;
        if (m_fd >= 0)
            ::close(m_fd);
        errno = saved;
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    // Closes now; a failed close can mean a failed write, so it is reported.
    bool close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

// Writes all of the content, going on after partial writes.
bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = posixCalls().write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a write to the path replaces: the path itself, or where its links lead, followed
// even when the last target does not exist yet. Nothing for a loop of links.
std::optional<fs::path> replacedFile(fs::path path)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

// The prefix of the new files made beside the file: ".name." and six random characters.
std::string tempPrefix(const fs::path &file)
{
    return "." + file.filename().string() + ".";
}

// Removes the new files an earlier write left beside the file when it crashed. A write in
// progress holds a lock on its new file, so another copy of the program never loses its own.
void removeLeftovers(const fs::path &folder, const fs::path &file)
{
    const std::string prefix = tempPrefix(file);
    std::unique_ptr<DIR, int (*)(DIR *)> dir{::opendir(folder.c_str()), ::closedir};
    if (!dir)
        return;
    const int folderFd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + 6 || !name.starts_with(prefix))
            continue;
        struct stat info
        {};
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        Descriptor leftover{posixCalls().openat(folderFd, entry->d_name,
                                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0)};
        if (leftover.get() >= 0 && ::flock(leftover.get(), LOCK_EX | LOCK_NB) == 0)
            posixCalls().unlinkat(folderFd, entry->d_name, 0);
    }
}

// Makes a new file beside the file, with the mode any new file gets (the umask applies),
// and names it in `temp`.
int createBeside(const fs::path &folder, const fs::path &file, std::string &temp)
{
    thread_local std::mt19937 random{std::random_device{}()};
    constexpr std::string_view Letters =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = tempPrefix(file);
        for (int i = 0; i < 6; ++i)
            name += Letters[random() % Letters.size()];
        temp = (folder / name).string();
        const int fd = posixCalls().openat(AT_FDCWD, temp.c_str(),
                                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the new file the old one's owner and mode.
void keepOwnerAndMode(int fd, const fs::path &old)
{
    struct stat info
    {};
    if (::stat(old.c_str(), &info) != 0)
        return;
    // Only root may give a file away; a refused owner leaves ours, the mode still applies.
    [[maybe_unused]] const int owned = ::fchown(fd, info.st_uid, info.st_gid);
    ::fchmod(fd, info.st_mode & 07777);
}

// Flushes the folder, so the rename itself survives a power cut.
bool syncFolder(const fs::path &folder)
{
    Descriptor fd{
        posixCalls().openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0)};
    // Some file systems cannot flush a folder (EINVAL); they have nothing to flush then.
    return fd.get() >= 0 && (posixCalls().fsync(fd.get()) == 0 || errno == EINVAL);
}

// Whether the file's last byte ends a line.
bool endsWithLineEnd(int fd, off_t size)
{
    char last = '\n';
    if (::pread(fd, &last, 1, size - 1) != 1)
        return true; // unknown: better no extra line end than a wrong one
    return last == '\n' || last == '\r';
}

} // namespace

std::optional<std::string> readWholeFile(const fs::path &path)
{
    // Not blocking: a pipe in the file's place must not hang the program.
    Descriptor fd{
        posixCalls().openat(AT_FDCWD, path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0)};
    struct stat info
    {};
    // Only a plain file has an end: a folder or a device has none worth reading.
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = posixCalls().read(fd.get(), buffer, sizeof buffer);
        if (got == 0)
            return content;
        if (got > 0)
            content.append(buffer, static_cast<std::size_t>(got));
        else if (errno != EINTR)
            return std::nullopt;
    }
}

Status writeFileAtomically(const fs::path &path, std::string_view content)
{
    const auto target = replacedFile(path);
    if (!target)
        return Status::failure(pathText(path) + ": its symbolic links lead nowhere or in a loop");
    const fs::path folder = target->has_parent_path() ? target->parent_path() : fs::path{"."};
    removeLeftovers(folder, *target);

    std::string temp;
    Descriptor fd{createBeside(folder, *target, temp)};
    if (fd.get() < 0)
        return failure(path, "cannot create the new file beside it");
    // Held until the descriptor closes: a write in progress is no crash's leftover.
    ::flock(fd.get(), LOCK_EX);
    keepOwnerAndMode(fd.get(), *target);

    const auto discard = [&](const char *what) {
        const Status result = failure(path, what);
        ::unlink(temp.c_str());
        return result;
    };
    if (!writeAll(fd.get(), content) || posixCalls().fsync(fd.get()) != 0)
        return discard("cannot write the new file");
    if (!fd.close())
        return discard("cannot close the new file");
    if (posixCalls().renameat(AT_FDCWD, temp.c_str(), AT_FDCWD, target->c_str()) != 0)
        return discard("cannot replace the old file");
    if (!syncFolder(folder))
        return failure(path, "replaced, but its folder could not be flushed to disk");
    return Status::ok();
}

Status appendLine(const fs::path &path, std::string_view line)
{
    Descriptor fd{
        posixCalls().openat(AT_FDCWD, path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666)};
    struct stat info
    {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0)
        return failure(path, "cannot open for appending");
    std::string record;
    if (info.st_size > 0 && !endsWithLineEnd(fd.get(), info.st_size))
        record += CrLf;
    record += line;
    if (!writeAll(fd.get(), record)) {
        const Status result = failure(path, "cannot append");
        // What got in is cut off again, or the next line would be glued to half of this one.
        [[maybe_unused]] const int cut = ::ftruncate(fd.get(), info.st_size);
        return result;
    }
    return Status::ok();
}

std::string toSystemText(std::string_view utf8)
{
    return std::string{utf8};
}

std::string fromSystemText(std::string_view systemText)
{
    return std::string{systemText};
}

std::string fromSystemText(std::string &&systemText)
{
    return std::move(systemText);
}

} // namespace torvi
