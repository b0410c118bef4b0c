// Torvi: the decisions of the browser windows' engine-event handlers.
#include "nav/page_events.h"

#include "nav/addresses.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace torvi {

namespace {

std::string signedNumber(long long n)
{
    return (n < 0 ? "" : " ") + std::to_string(n);
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerAscii(std::string_view text)
{
    std::string out{text};
    for (auto &c : out)
        c = lowerAscii(c);
    return out;
}

// The parts of an address that say which page it is, in one spelling.
struct PageKey
{
    std::string scheme;
    std::string host;
    std::string path;
    bool operator==(const PageKey &) const = default;
};

PageKey pageKeyOf(std::string_view url)
{
    PageKey key;
    const auto schemeEnd = url.find("://");
    if (schemeEnd != std::string_view::npos) {
        key.scheme = lowerAscii(url.substr(0, schemeEnd));
        url.remove_prefix(schemeEnd + 3);
    }
    const auto authorityEnd = url.find_first_of("/?#");
    std::string_view authority = url.substr(0, authorityEnd);
    url = authorityEnd == std::string_view::npos ? std::string_view{} : url.substr(authorityEnd);
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string_view port;
    if (const auto colon = authority.rfind(':');
        colon != std::string_view::npos && authority.find(']') == std::string_view::npos) {
        port = authority.substr(colon + 1);
        authority = authority.substr(0, colon);
    }
    if (!authority.empty() && authority.back() == '.')
        authority.remove_suffix(1);
    key.host = lowerAscii(authority);
    if ((key.scheme == "https" && port != "" && port != "443") ||
        (key.scheme == "http" && port != "" && port != "80"))
        key.host += ":" + std::string{port};
    key.path = std::string{url.substr(0, url.find_first_of("?#"))};
    // An engine may upgrade http to https, or the reverse, on its way to failing; a bare
    // host is typed text an engine completes with either.
    if (key.scheme == "http" || key.scheme.empty())
        key.scheme = "https";
    return key;
}

} // namespace

int nextZoomPercent(int currentPercent, int steps)
{
    if (steps == 0)
        return NormalZoom;
    int level = currentPercent;
    for (; steps > 0; --steps) {
        const auto *up = std::upper_bound(std::begin(ZoomLevels), std::end(ZoomLevels), level);
        level = up == std::end(ZoomLevels) ? ZoomLevels[std::size(ZoomLevels) - 1] : *up;
    }
    for (; steps < 0; ++steps) {
        const auto *down = std::lower_bound(std::begin(ZoomLevels), std::end(ZoomLevels), level);
        level = down == std::begin(ZoomLevels) ? ZoomLevels[0] : *(down - 1);
    }
    return level;
}

std::string zoomText(int percent)
{
    return percent == NormalZoom ? std::string{} : "Zoom: " + std::to_string(percent) + " %";
}

std::string findResultText(std::string_view searched, int activeMatch, int matches)
{
    if (searched.empty())
        return {};
    if (matches <= 0)
        return std::string{FindNoMatches};
    return std::to_string(activeMatch) + " di " + std::to_string(matches);
}

std::string progressText(long long progress, long long progressMax)
{
    return signedNumber(progress) + "/" + signedNumber(progressMax);
}

bool isDownloadAddress(std::string_view url)
{
    constexpr std::array<std::string_view, 4> endings = {".exe", ".zip", ".rar", ".iso"};
    if (url.size() < 4)
        return false;
    const auto last = url.substr(url.size() - 4);
    for (const auto ending : endings) {
        if (last == ending)
            return true;
    }
    return false;
}

std::string percentEncodeQueryValue(std::string_view text)
{
    return percentEncode(text, "");
}

std::string searchAddressFor(std::string_view searchQueryUrl, std::string_view addressBoxText)
{
    // Encoded, unlike a bare concatenation: "c++ & c#" would otherwise search for "c",
    // split the query at "&" and cut it at "#".
    return std::string{searchQueryUrl} + percentEncodeQueryValue(addressBoxText);
}

bool isSearchAddress(std::string_view searchQueryUrl, std::string_view url)
{
    const PageKey key = pageKeyOf(url);
    return !key.host.empty() && key == pageKeyOf(searchQueryUrl);
}

bool shouldSearchAfterError(std::string_view searchQueryUrl, std::string_view url,
                            long long statusCode)
{
    return statusCode < 0 && !isDownloadAddress(url) && !isSearchAddress(searchQueryUrl, url);
}

std::optional<std::string> searchAfterError(std::string_view searchQueryUrl, std::string_view url,
                                            long long statusCode, std::string_view addressBoxText)
{
    if (!shouldSearchAfterError(searchQueryUrl, url, statusCode))
        return std::nullopt;
    return searchAddressFor(searchQueryUrl, addressBoxText);
}

std::string secondaryCaption(std::string_view title, std::string_view url)
{
    std::string caption{title};
    caption += " - ";
    caption += url;
    caption += SecondaryCaptionSuffix;
    return caption;
}

} // namespace torvi
