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

// The page's zoom, in percent of its normal size, goes through these levels one step at a
// time, as far as the engine allows (a quarter to five times).
inline constexpr int ZoomLevels[] = {25,  33,  50,  67,  75,  80,  90,  100, 110,
                                     125, 150, 175, 200, 250, 300, 400, 500};
inline constexpr int NormalZoom = 100;

// The next level up (steps > 0) or down (steps < 0) from the current one, which may lie
// between two levels; it stays at the last level. Zero steps give the normal size.
int nextZoomPercent(int currentPercent, int steps);

// What the status bar says of the zoom: nothing at the normal size, else "Zoom: 110 %".
std::string zoomText(int percent);

// What the find bar says of its search: "2 di 5", or "Nessun risultato" when the page has
// none; nothing while there is nothing to look for.
inline constexpr std::string_view FindNoMatches = "Nessun risultato";
std::string findResultText(std::string_view searched, int activeMatch, int matches);

// A secondary window's caption: title, " - ", address, " - Torvi Personal Secure Browser".
std::string secondaryCaption(std::string_view title, std::string_view url);

} // namespace torvi
