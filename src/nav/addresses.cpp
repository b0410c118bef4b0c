// Torvi: taking addresses apart and encoding their pieces.
#include "nav/addresses.h"

namespace torvi {

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

std::string percentEncode(std::string_view text, std::string_view alsoKeep)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved || alsoKeep.find(ch) != std::string_view::npos) {
            out += ch;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        }
    }
    return out;
}

} // namespace torvi
