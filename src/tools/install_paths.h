// Torvi: where the installed program lives, as the default-browser registration names it.
#pragma once

#include <string_view>

namespace torvi {

// The open command written for http addresses on Windows: the fixed install folder, never
// the folder the running program was started from.
inline constexpr std::string_view WindowsBrowserCommand = "C:\\Programmi\\Torvi\\Torvi.exe %1";

// The installed program on Linux, where the package puts it. The desktop entry runs this
// path whatever copy registered it; the install step must put the executable here.
inline constexpr std::string_view LinuxInstalledCommand = "/usr/bin/torvi";

// The desktop entry's file name, which is also the desktop-file id named in mimeapps.list.
inline constexpr std::string_view DesktopEntryName = "torvi.desktop";

} // namespace torvi
