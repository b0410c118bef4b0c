// Torvi: the services of the running program.
#include "app/qt/program_services.h"

#include "app/qt/app_lifecycle.h"
#include "nav/qt/browser_profile.h"
#include "tools/default_browser.h"
#include "ui/qt/resources.h"

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <iostream>

namespace torvi {

Endpoints endpointsOfThisRun()
{
    EndpointsReading reading = loadEndpoints();
    for (const std::string &problem : reading.problems)
        std::cerr << "torvi: " << problem << '\n';
    return std::move(reading.endpoints);
}

void serveOwnSite(const OwnSite &site)
{
    BrowserProfile::instance().serveOwnPages([&site](const OwnRequest &request) {
        const QPalette palette = QApplication::palette();
        return site.answer(
            request,
            PageColours{
                palette.color(QPalette::Window).name().toStdString(),
                palette.color(QPalette::Disabled, QPalette::WindowText).name().toStdString()});
    });
}

std::string emblemSvg()
{
    initTorviResources();
    QFile file(Icons::Logo);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

ProgramServices::ProgramServices()
    : m_log{NavigationLog::defaultPath(), m_fileSystem, m_clock},
      m_historyFile{m_fileSystem}, m_records{m_log, m_historyFile}, m_hub{m_records},
      m_endpoints{endpointsOfThisRun()}, m_site{m_endpoints, m_checkedPages, m_historyFile,
                                                FavoritesFile{}, emblemSvg()}
{
    serveOwnSite(m_site);
}

// The profile outlives these services: it must not ask a site that is gone.
ProgramServices::~ProgramServices()
{
    BrowserProfile::instance().serveOwnPages({});
}

MainServices ProgramServices::services()
{
    return MainServices{{m_hub, m_messageBoxes, makeWebEngineFactory(), m_endpoints},
                        m_fileSystem,
                        m_threatScanner,
                        m_historyFile,
                        m_clock,
                        [] { (void)registerAsDefaultBrowser(); },
                        endProgram,
                        m_checkedPages};
}

} // namespace torvi
