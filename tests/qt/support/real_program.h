// Torvi tests: the main window on the real engine, with the real hub (recorded) and files
// in the test's home; message boxes are answered by the test.
#pragma once

#include "app/own_site.h"
#include "app/qt/frm_main.h"
#include "app/qt/program_services.h"
#include "recording_hub.h"
#include "scripted_message_boxes.h"

#include "history/history_file.h"
#include "history/navigation_log.h"
#include "nav/clock.h"
#include "nav/endpoints.h"
#include "nav/file_system.h"
#include "nav/qt/browser_profile.h"
#include "nav/qt/own_scheme.h"
#include "nav/qt/web_engine_adapter.h"
#include "popup/qt/web_form.h"
#include "threats/threat_scanner.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWebEnginePage>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace torvi::test {

// QTest::qWaitFor only spins processEvents(), which leaves the engine's own work waiting
// for seconds (Qt 6.4); a short real event loop between looks does not.
template <typename Predicate> bool waitUntil(Predicate predicate, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!predicate()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

// The endpoints on the local test server, whose hosts mapTestHostsTo() maps there.
inline Endpoints serverEndpoints()
{
    return Endpoints{"https://www.torvi.example/torvi/index.html",
                     "https://desktop.torvi.example/torvi/ext-2.2/examples/desktop/desktop.html",
                     "https://www.torvi.example/count.php",
                     "https://www.torvi.example/",
                     "https://consulenza.torvi.example",
                     "https://www.google.it",
                     "https://www.google.it/search?client=torvi&q=",
                     "https://www.torvi.example/TorviUpdate.php?client=Torvi&version="};
}

// Writes the user's torvi.conf with this text, or removes it when there is none.
inline void writeEndpointsConfig(const std::optional<std::string> &text)
{
    const std::filesystem::path path = endpointsConfigPath();
    std::filesystem::remove(path);
    if (!text)
        return;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << *text;
}

// torvi.conf naming every endpoint, as a user would write it.
inline std::string endpointsConfigText(const Endpoints &e)
{
    return "[Endpoints]\nStartPageUrl=" + e.StartPageUrl + "\nDesktopPageUrl=" + e.DesktopPageUrl +
           "\nCounterUrl=" + e.CounterUrl + "\nHomeUrl=" + e.HomeUrl + "\nInfoUrl=" + e.InfoUrl +
           "\nSearchHomeUrl=" + e.SearchHomeUrl + "\nSearchQueryUrl=" + e.SearchQueryUrl +
           "\nUpdateUrl=" + e.UpdateUrl + "\n";
}

// The program as main() makes it; the test answers its questions with Boxes.
template <typename Boxes = ScriptedMessageBoxes> struct BasicRealProgram
{
    static constexpr int timeout = 30000;

    // Starts the program as main() does, with this command line and this torvi.conf (by
    // default every endpoint on the test server).
    explicit BasicRealProgram(
        const std::string &commandLine,
        const std::optional<std::string> &endpointsConfig = endpointsConfigText(serverEndpoints()))
    {
        registerOwnScheme();
        writeEndpointsConfig(endpointsConfig);
        endpoints = endpointsOfThisRun();
        serveOwnSite(site);
        window = std::make_unique<frmMain>(
            MainServices{{hub, messageBoxes, makeWebEngineFactory(), endpoints},
                         fileSystem,
                         scanner,
                         historyFile,
                         clock,
                         [] {},
                         [this] { ++endRequests; },
                         checkedPages},
            commandLine);
        window->show();
    }

    // Secondary windows report to the main window: they go first. The engine's profile
    // outlives the program: it must not ask a site that is gone.
    ~BasicRealProgram()
    {
        for (const QPointer<webForm> &form : secondaryWindows())
            delete form.data();
        window.reset();
        BrowserProfile::instance().serveOwnPages({});
    }

    static QList<QPointer<webForm>> secondaryWindows()
    {
        QList<QPointer<webForm>> forms;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *form = qobject_cast<webForm *>(widget))
                forms.append(form);
        return forms;
    }

    // Search navigations asked of the hub so far, failed or not.
    int searchRequests(const std::string &searchPrefix) const
    {
        int count = 0;
        for (const HubCall &call : hub.calls)
            if (call.url.starts_with(searchPrefix))
                ++count;
        return count;
    }

    static QVariant runScript(EngineView *engine, const QString &script)
    {
        QVariant result;
        bool done = false;
        static_cast<WebEngineAdapter *>(engine)->page()->runJavaScript(script,
                                                                       [&](const QVariant &value) {
                                                                           result = value;
                                                                           done = true;
                                                                       });
        if (!waitUntil([&] { return done; }, timeout))
            return QStringLiteral("<no answer>");
        return result;
    }

    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    RecordingHub hub{log};
    ThreatScanner scanner;
    HistoryFile historyFile{fileSystem};
    CheckedPages checkedPages;
    Endpoints endpoints;
    OwnSite site{endpoints, checkedPages, historyFile, FavoritesFile{}, emblemSvg()};
    Boxes messageBoxes;
    int endRequests = 0;
    std::unique_ptr<frmMain> window;
};

using RealProgram = BasicRealProgram<>;

} // namespace torvi::test
