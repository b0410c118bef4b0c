// Torvi: what the main window needs from the rest of the program, made once at start-up:
// the services every browser window has, and those only the main window uses.
#pragma once

#include "history/history_file.h"
#include "nav/clock.h"
#include "nav/file_system.h"
#include "threats/checked_pages.h"
#include "threats/threat_scanner.h"
#include "ui/qt/window_services.h"

#include <functional>

namespace torvi {

struct MainServices : WindowServices
{
    FileSystem &fileSystem;
    ThreatScanner &threatScanner;
    HistoryFile &historyFile;
    const Clock &clock;
    // Makes the program the system's default web browser.
    std::function<void()> registerDefaultBrowser;
    // Ends the program at once, every window included, running no window's handlers.
    std::function<void()> endProgram;
    // Every threat check of this run, for Torvi's own pages (the tools view, the counter).
    CheckedPages &checkedPages;
};

} // namespace torvi
