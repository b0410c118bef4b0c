// Torvi: the services the running program hands its windows, made once in main() (and by
// the tests that run the program's whole lifecycle).
#pragma once

#include "app/qt/main_services.h"
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "history/record_writer.h"
#include "nav/clock.h"
#include "nav/file_system.h"
#include "nav/navigation_hub.h"
#include "threats/threat_scanner.h"
#include "ui/qt/message_boxes.h"

namespace torvi {

class ProgramServices
{
public:
    ProgramServices();
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
};

} // namespace torvi
