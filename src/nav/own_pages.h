// Torvi: the requests of Torvi's own scheme and their answers. Its pages are built into the
// program and need no network; the engine adapter's scheme handler asks an OwnPages for
// every address of the scheme and answers the engine with what comes back.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace torvi {

// "torvi://sito/torvi/index.html": registered with the engine before it starts. Only the
// program, the user and the scheme's own pages reach it; pages of the web do not.
inline constexpr std::string_view OwnScheme = "torvi";

struct OwnRequest
{
    std::string host;
    std::string path;  // "/torvi/index.html"; empty for "torvi://sito"
    std::string query; // without the "?", still encoded
};

struct OwnAnswer
{
    std::string mimeType; // "text/html", "image/svg+xml"
    std::string body;
    std::string redirectTo; // when not empty, the engine goes there instead
};

// The answer to a request, or nothing for an address the scheme has no page for.
using OwnPages = std::function<std::optional<OwnAnswer>(const OwnRequest &)>;

} // namespace torvi
