// Torvi: the system's own calls behind the writers' table.
#include "nav/posix_calls.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace torvi {

PosixCalls &posixCalls()
{
    static PosixCalls calls{
        [](int folder, const char *path, int flags, mode_t mode) {
            return ::openat(folder, path, flags, mode);
        },
        ::read,
        ::write,
        ::pwrite,
        ::fsync,
        ::renameat,
        ::unlinkat,
    };
    return calls;
}

} // namespace torvi
