// Torvi: the default-browser registration on freedesktop systems: a desktop entry for the
// installed program, made the default handler of http and https addresses.
#pragma once

#include "nav/status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace torvi {

// The desktop entry that starts `command` with the address (" %u").
std::string desktopEntryText(std::string_view command);

// mimeapps.list with x-scheme-handler/http and x-scheme-handler/https set to desktopId in
// its [Default Applications] section. Every other byte stays as it was: comments, other
// keys, other sections, their order and line ends. Only those two keys' values change,
// wherever they stand in the section; a missing key is added at the section's end and a
// missing section at the file's end.
std::string withDefaultHandlers(std::string_view mimeapps, std::string_view desktopId);

// ${XDG_DATA_HOME:-$HOME/.local/share}/applications/torvi.desktop
std::filesystem::path desktopEntryPath();
// ${XDG_CONFIG_HOME:-$HOME/.config}/mimeapps.list
std::filesystem::path mimeappsListPath();

// Writes the desktop entry for `command` and makes it the http/https default, each file
// replaced atomically. A mimeapps.list that exists but cannot be read is left alone and
// the failure reported. Running it again changes nothing.
Status registerXdgDefaultBrowser(std::string_view command);

} // namespace torvi
