// Torvi: the endpoints of this run and the reader of torvi.conf.
#include "nav/endpoints.h"

#include "endpoint_defaults.h"
#include "nav/text_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <system_error>

namespace torvi {

namespace {

// The keys of [Endpoints]: the endpoints' own names.
struct EndpointKey
{
    std::string_view name;
    std::string Endpoints::*member;
};

constexpr std::array<EndpointKey, 8> EndpointKeys{{
    {"StartPageUrl", &Endpoints::StartPageUrl},
    {"DesktopPageUrl", &Endpoints::DesktopPageUrl},
    {"CounterUrl", &Endpoints::CounterUrl},
    {"HomeUrl", &Endpoints::HomeUrl},
    {"InfoUrl", &Endpoints::InfoUrl},
    {"SearchHomeUrl", &Endpoints::SearchHomeUrl},
    {"SearchQueryUrl", &Endpoints::SearchQueryUrl},
    {"UpdateUrl", &Endpoints::UpdateUrl},
}};

constexpr std::string_view EndpointsGroup = "Endpoints";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A scheme, "://" and something after it, with no blank or control character anywhere:
// what every endpoint is, and what the engine can load without guessing.
bool isAbsoluteUrl(std::string_view url)
{
    const auto colon = url.find("://");
    if (colon == std::string_view::npos || colon == 0 || !isAsciiLetter(url[0]) ||
        colon + 3 == url.size())
        return false;
    for (const char c : url.substr(1, colon - 1))
        if (!isAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    for (const char c : url)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f')
            return false;
    return true;
}

std::string lineLabel(std::size_t number)
{
    return "line " + std::to_string(number) + ": ";
}

} // namespace

Endpoints builtInEndpoints()
{
    return Endpoints{std::string{defaults::StartPageUrl},   std::string{defaults::DesktopPageUrl},
                     std::string{defaults::CounterUrl},     std::string{defaults::HomeUrl},
                     std::string{defaults::InfoUrl},        std::string{defaults::SearchHomeUrl},
                     std::string{defaults::SearchQueryUrl}, std::string{defaults::UpdateUrl}};
}

EndpointsReading readEndpointsConfig(std::string_view text, Endpoints endpoints)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    EndpointsReading reading{endpoints, {}};
    std::string_view group;
    std::size_t number = 0;
    for (const std::string &rawLine : splitLines(text)) {
        ++number;
        const std::string_view line = trimmed(rawLine);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() > 2) {
            group = trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = trimmed(line.substr(0, equals));
        if (line.front() == '[' || equals == std::string_view::npos || key.empty()) {
            // Whatever the rest says was written by a hand that slipped: trust none of it.
            return {std::move(endpoints),
                    {lineLabel(number) + "not a [group], key = value or comment line; the "
                                         "whole file is ignored"}};
        }
        if (group != EndpointsGroup)
            continue;
        std::string_view value = trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const auto known = std::find_if(EndpointKeys.begin(), EndpointKeys.end(),
                                        [&](const EndpointKey &k) { return k.name == key; });
        if (known == EndpointKeys.end()) {
            reading.problems.push_back(lineLabel(number) + "unknown key \"" + std::string{key} +
                                       "\" in [Endpoints]; ignored");
        } else if (!isAbsoluteUrl(value)) {
            reading.problems.push_back(lineLabel(number) + std::string{key} + " \"" +
                                       std::string{value} +
                                       "\" is not an absolute URL; the default stays");
        } else {
            reading.endpoints.*(known->member) = std::string{value};
        }
    }
    return reading;
}

std::filesystem::path endpointsConfigPath()
{
#ifdef _WIN32
    const char *appData = std::getenv("APPDATA");
    const std::filesystem::path config = appData && *appData ? appData : ".";
#else
    // The XDG rule: an unset, empty or relative XDG_CONFIG_HOME does not count.
    std::filesystem::path config;
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        const char *home = std::getenv("HOME");
        config = std::filesystem::path{home && *home ? home : "/tmp"} / ".config";
    }
#endif
    return config / "torvi" / "torvi.conf";
}

EndpointsReading loadEndpoints()
{
    const std::filesystem::path path = endpointsConfigPath();
    std::error_code error;
    const auto type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found)
        return {builtInEndpoints(), {}};
    const std::optional<std::string> text =
        type == std::filesystem::file_type::regular ? readWholeFile(path) : std::nullopt;
    if (!text)
        return {builtInEndpoints(), {path.string() + ": cannot be read; the file is ignored"}};
    EndpointsReading reading = readEndpointsConfig(*text, builtInEndpoints());
    for (std::string &problem : reading.problems)
        problem = path.string() + ", " + problem;
    return reading;
}

std::string withoutFinalSlash(std::string_view url)
{
    if (url.ends_with('/'))
        url.remove_suffix(1);
    return std::string{url};
}

} // namespace torvi
