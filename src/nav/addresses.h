// Torvi: addresses derived from the fixed endpoints.
#pragma once

#include <string>
#include <string_view>

namespace torvi {

// HomeUrl without its final "/": the first text of the main address box.
std::string homeUrlWithoutSlash();

// The host name of an address ("https://www.google.it/x" gives "www.google.it").
std::string hostOf(std::string_view url);

} // namespace torvi
