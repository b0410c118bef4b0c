// Torvi: addresses derived from the fixed endpoints.
#include "nav/addresses.h"

#include "endpoints.h"

namespace torvi {

std::string homeUrlWithoutSlash()
{
    std::string url{HomeUrl};
    if (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

std::string hostOf(std::string_view url)
{
    const auto scheme = url.find("://");
    if (scheme != std::string_view::npos)
        url.remove_prefix(scheme + 3);
    const auto end = url.find_first_of("/?#");
    if (end != std::string_view::npos)
        url = url.substr(0, end);
    const auto at = url.rfind('@');
    if (at != std::string_view::npos)
        url.remove_prefix(at + 1);
    const auto colon = url.rfind(':');
    if (colon != std::string_view::npos && url.find(']') == std::string_view::npos)
        url = url.substr(0, colon);
    return std::string{url};
}

} // namespace torvi
