// Torvi: the services of the running program.
#include "app/qt/program_services.h"

#include "app/qt/app_lifecycle.h"
#include "nav/qt/browser_profile.h"
#include "tools/default_browser.h"

namespace torvi {

ProgramServices::ProgramServices()
    : m_log{NavigationLog::defaultPath(), m_fileSystem, m_clock},
      m_historyFile{m_fileSystem}, m_records{m_log, m_historyFile}, m_hub{m_records}
{}

MainServices ProgramServices::services()
{
    return MainServices{{m_hub, m_messageBoxes, makeWebEngineFactory()},
                        m_fileSystem,
                        m_threatScanner,
                        m_historyFile,
                        m_clock,
                        [] { (void)registerAsDefaultBrowser(); },
                        endProgram};
}

} // namespace torvi
