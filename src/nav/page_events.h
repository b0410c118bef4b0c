// Torvi: the decisions of the browser windows' engine-event handlers, free of any window, so
// the main window and the secondary windows answer the same events the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvi {

inline constexpr std::string_view SecondaryCaptionSuffix = " - Torvi Personal Secure Browser";

// The status text while an engine's page has lost its renderer process, until it loads again.
inline constexpr std::string_view PageCrashedText = "La pagina si è interrotta in modo anomalo.";

// Panel 3's progress: each number with a leading blank when not negative, joined by "/"
// (300 of 1000 gives " 300/ 1000", -1 of 1000 gives "-1/ 1000").
std::string progressText(long long progress, long long progressMax);

// Whether the address ends exactly in ".exe", ".zip", ".rar" or ".iso" (case counts).
bool isDownloadAddress(std::string_view url);

// The text as a URL query value: RFC 3986 unreserved characters stay, every other byte
// becomes %XX with upper-case hex.
std::string percentEncodeQueryValue(std::string_view text);

// The search engine's query address (SearchQueryUrl) followed by the address box text,
// encoded as the query value.
std::string searchAddressFor(std::string_view searchQueryUrl, std::string_view addressBoxText);

// Whether a failed address is a page of the search engine's query path, however the engine
// spelt it (scheme, host case, default port, a final dot on the host).
bool isSearchAddress(std::string_view searchQueryUrl, std::string_view url);

// Whether a failed navigation turns into a search: only failures inside the engine
// (negative code), not downloads, and never a failed search itself, which would loop.
bool shouldSearchAfterError(std::string_view searchQueryUrl, std::string_view url,
                            long long statusCode);

// The search to open after a failed navigation, if any.
std::optional<std::string> searchAfterError(std::string_view searchQueryUrl, std::string_view url,
                                            long long statusCode, std::string_view addressBoxText);

// A secondary window's caption: title, " - ", address, " - Torvi Personal Secure Browser".
std::string secondaryCaption(std::string_view title, std::string_view url);

} // namespace torvi
