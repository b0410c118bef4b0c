// Torvi: what the windows need from the rest of the program, made once at start-up.
#pragma once

#include "history/history_file.h"
#include "nav/clock.h"
#include "nav/file_system.h"
#include "nav/navigation_hub.h"
#include "threats/threat_scanner.h"
#include "ui/qt/engine_view.h"
#include "ui/qt/message_boxes.h"

#include <functional>

namespace torvi {

struct MainServices
{
    NavigationHub &hub;
    FileSystem &fileSystem;
    MessageBoxes &messageBoxes;
    EngineFactory engineFactory;
    ThreatScanner &threatScanner;
    HistoryFile &historyFile;
    const Clock &clock;
    // Makes the program the system's default web browser.
    std::function<void()> registerDefaultBrowser;
    // Ends the program at once, every window included, running no window's handlers.
    std::function<void()> endProgram;
};

} // namespace torvi
