// Torvi: the addresses of the endpoints (start page, tools page, counter, home, information,
// search, update). Three layers decide each one, the later winning: the built-in default,
// the packager's CMake cache variable, and the key of the same name in the group
// [Endpoints] of the user's torvi.conf. Read once at start-up and handed to every window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {

struct Endpoints
{
    std::string StartPageUrl;
    std::string DesktopPageUrl;
    std::string CounterUrl;
    std::string HomeUrl;
    std::string InfoUrl;
    std::string SearchHomeUrl;
    std::string SearchQueryUrl;
    std::string UpdateUrl;
    bool operator==(const Endpoints &) const = default;
};

// The endpoints the program was built with.
Endpoints builtInEndpoints();

// What a configuration's text made of the endpoints, and one line per thing it ignored.
struct EndpointsReading
{
    Endpoints endpoints;
    std::vector<std::string> problems;
};

// Applies the [Endpoints] group of an INI text over the given endpoints: a key that is
// present and holds an absolute URL replaces its endpoint. A value that is no absolute URL
// and an unknown key are ignored, each with a problem line; a line that is no group, key,
// comment or blank makes the whole text malformed, and then nothing is applied.
EndpointsReading readEndpointsConfig(std::string_view text, Endpoints endpoints);

// "${XDG_CONFIG_HOME:-$HOME/.config}/torvi/torvi.conf" (on Windows under %APPDATA%).
std::filesystem::path endpointsConfigPath();

// The endpoints of this run: the built-in ones with the user's torvi.conf applied. A missing
// file changes nothing; problems come back, named after the file, for standard error.
EndpointsReading loadEndpoints();

// The address without one final "/": the first text of the main address box.
std::string withoutFinalSlash(std::string_view url);

} // namespace torvi
