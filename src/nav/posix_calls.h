// Torvi: the few system calls the file writers and the temporary-file cleaner make, reached
// through one table so that a test can make one of them fail as a disk would (a read error
// midway, a short write, a refused fsync). POSIX systems only.
#pragma once

#include <sys/types.h>

namespace torvi {

struct PosixCalls
{
    int (*openat)(int folder, const char *path, int flags, mode_t mode);
    ssize_t (*read)(int fd, void *buffer, size_t size);
    ssize_t (*write)(int fd, const void *buffer, size_t size);
    ssize_t (*pwrite)(int fd, const void *buffer, size_t size, off_t offset);
    int (*fsync)(int fd);
    int (*renameat)(int fromFolder, const char *from, int toFolder, const char *to);
    int (*unlinkat)(int folder, const char *path, int flags);
};

// The table every caller goes through: the system's own calls, unless a test put others in.
PosixCalls &posixCalls();

} // namespace torvi
