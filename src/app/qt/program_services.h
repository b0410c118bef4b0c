// Torvi: the services of the running program, made once in main() (and by the tests that run
// the program's whole lifecycle).
#pragma once

#include "app/own_site.h"
#include "app/qt/main_services.h"
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "history/record_writer.h"
#include "nav/clock.h"
#include "nav/endpoints.h"
#include "nav/file_system.h"
#include "nav/navigation_hub.h"
#include "threats/checked_pages.h"
#include "threats/threat_scanner.h"
#include "ui/qt/message_boxes.h"

namespace torvi {

class ProgramServices
{
public:
    // Reads the endpoints of this run (torvi.conf), telling standard error what it ignored,
    // and serves Torvi's own pages to the engine.
    ProgramServices();
    ~ProgramServices();
    ProgramServices(const ProgramServices &) = delete;
    ProgramServices &operator=(const ProgramServices &) = delete;

    // Real engines, real message boxes, "Esci" ending the process (app_lifecycle.h).
    MainServices services();

private:
    FileSystem m_fileSystem;
    SystemClock m_clock;
    NavigationLog m_log;
    HistoryFile m_historyFile;
    // Made after the log and the history it writes, so it goes first, writing what is queued.
    RecordWriter m_records;
    NavigationHub m_hub;
    QtMessageBoxes m_messageBoxes;
    ThreatScanner m_threatScanner;
    Endpoints m_endpoints;
    CheckedPages m_checkedPages;
    OwnSite m_site;
};

// The endpoints of this run; what torvi.conf held that was ignored goes to standard error,
// a line each.
Endpoints endpointsOfThisRun();

// Serves the site's pages to the engine's profile, the counter in the window's colours.
void serveOwnSite(const OwnSite &site);

// Torvi's emblem, the picture the start page shows.
std::string emblemSvg();

} // namespace torvi
