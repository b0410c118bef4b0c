// Torvi: the default-browser registration on freedesktop systems: a desktop entry for the
// program, made the default handler of http and https addresses.
#pragma once

#include "nav/status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torvi {

// The desktop entry that starts `command` with the address (" %u").
std::string desktopEntryText(std::string_view command);

// A program's path as the first word of a desktop entry's Exec: quoted and escaped when it
// holds a blank or another character the entry's format reserves.
std::string execArgument(std::string_view program);

// An existing desktop entry with its Exec set to `command` " %u" and its MIME types holding
// ours (the user's own kept); every other byte as it was.
std::string withOurEntryKeys(std::string_view entry, std::string_view command);

enum class MissingKeys
{
    Add,
    Leave
};

// mimeapps.list with desktopId first in the x-scheme-handler/http and https lists of its
// [Default Applications] group, the handlers named before kept after it. Every other byte
// stays as it was: comments, other keys, other groups, their order and line ends. A key is
// changed wherever it stands in such a group; a missing one is added at the end of the first
// such group, or of a new one at the file's end, unless missing keys are to be left out.
std::string withDefaultHandlers(std::string_view mimeapps, std::string_view desktopId,
                                MissingKeys missing = MissingKeys::Add);

// The command the desktop entry runs: the installed program when that is the one running,
// otherwise the running program itself (a build folder), so that links never open a program
// that is not there.
std::string desktopCommand(const std::filesystem::path &running,
                           const std::filesystem::path &installed);

// ${XDG_DATA_HOME:-$HOME/.local/share}/applications/torvi.desktop
std::filesystem::path desktopEntryPath();
// ${XDG_CONFIG_HOME:-$HOME/.config}/mimeapps.list
std::filesystem::path mimeappsListPath();
// The lists of the desktops named in XDG_CURRENT_DESKTOP, which a desktop reads before
// mimeapps.list: ${XDG_CONFIG_HOME}/<desktop, in lower case>-mimeapps.list
std::vector<std::filesystem::path> desktopMimeappsListPaths();

// Writes the desktop entry for `command` (an existing one only when its Exec or MIME types
// differ, keeping the rest) and makes it the http/https default: in mimeapps.list, and in
// every desktop's own list that names a handler for them, since that one takes precedence.
// Each file is replaced atomically, keeping its mode and links. A file that exists but cannot
// be read is left alone and the failure reported. Running it again changes nothing.
Status registerXdgDefaultBrowser(std::string_view command);

} // namespace torvi
