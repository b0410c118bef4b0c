// Torvi fuzz targets: a failed property stops the run with a message libFuzzer keeps.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace torvi::fuzz {

// Not assert: the fuzz build may define NDEBUG, and a property must never be compiled out.
inline void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", what);
        std::abort();
    }
}

inline bool hasLineEnd(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace torvi::fuzz
