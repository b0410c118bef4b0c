// Torvi: taking addresses apart and encoding their pieces.
#pragma once

#include <string>
#include <string_view>

namespace torvi {

// The host name of an address ("https://www.google.it/x" gives "www.google.it").
std::string hostOf(std::string_view url);

// Percent-encodes every byte but RFC 3986's unreserved characters and those in alsoKeep,
// with upper-case hex.
std::string percentEncode(std::string_view text, std::string_view alsoKeep);

} // namespace torvi
