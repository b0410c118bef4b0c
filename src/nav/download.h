// Torvi: a download as the windows follow it, and the line a window shows for it.
#pragma once

#include <cstdint>
#include <string>

namespace torvi {

struct Download
{
    enum class State
    {
        Running,
        Done,
        Failed,
        Cancelled
    };
    // Why a download failed, as far as the user can act on it.
    enum class Problem
    {
        None,
        AccessDenied,
        NoSpace,
        File,
        Network,
        Server,
        Other
    };

    std::uint64_t id = 0; // the same for every report of one download
    std::string fileName;
    std::string folder; // where the file goes
    std::int64_t received = 0;
    std::int64_t total = -1; // -1: not known
    State state = State::Running;
    Problem problem = Problem::None;
};

// A size as people read it, in Italian: "512 byte", "34 KB", "1,2 MB", "3,4 GB".
std::string sizeText(std::int64_t bytes);

// The download's line: "archivio.zip: 45 % di 1,2 MB" while it runs, where it went when
// done, what failed when it failed.
std::string downloadText(const Download &download);

} // namespace torvi
