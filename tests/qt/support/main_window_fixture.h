// Torvi tests: a main window on fake engines, with everything it writes in a fresh home.
#pragma once

#include "app/qt/frm_main.h"
#include "fake_engine.h"
#include "recording_hub.h"
#include "scripted_message_boxes.h"
#include "secondary_windows.h"
#include "support/temp_home.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/status_panels.h"

#include "history/history_file.h"
#include "history/navigation_log.h"
#include "nav/clock.h"
#include "nav/file_system.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "threats/threat_scanner.h"

#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

namespace torvi::test {

// Hub calls compare whole, so a case states each one it expects in a single line.
inline bool operator==(const HubCall &a, const HubCall &b)
{
    return a.url == b.url && a.action == b.action && a.browser == b.browser &&
           a.addressBox == b.addressBox;
}

inline char *toString(const HubCall &call)
{
    const auto name = [](auto *part) {
        const auto *object = dynamic_cast<const QObject *>(part);
        return object ? object->objectName() + '@' + QString::number(quintptr(object), 16)
                      : QStringLiteral("null");
    };
    return QTest::toString(QStringLiteral("\"%1\" \"%2\" on %3, %4")
                               .arg(QString::fromStdString(call.url),
                                    QString::fromStdString(call.action), name(call.browser),
                                    name(call.addressBox)));
}

// One window's toolbar, page and status bar: the main window's, or a secondary window's.
struct WindowParts
{
    QWidget *window = nullptr;
    FakeEngine *page = nullptr;
    AddressLineEdit *box = nullptr;
    PictureButton *go = nullptr;
    StatusPanels *status = nullptr;
};

// Rows "main" and "secondary" of a case run in either window.
inline void addWindowRows()
{
    QTest::addColumn<bool>("secondary");
    QTest::newRow("main") << false;
    QTest::newRow("secondary") << true;
}

// Whether the application folder holds the local test page when the window starts.
enum class LocalTestPage
{
    Absent,
    Present
};

struct MainWindowFixture
{
    explicit MainWindowFixture(const std::string &commandLine = {},
                               LocalTestPage testPage = LocalTestPage::Absent)
    {
        (void)prepareMappedDrive("tester");
        if (testPage == LocalTestPage::Present) {
            std::filesystem::create_directories(nativePath("C:\\Programmi\\Torvi\\myModule"));
            std::ofstream(nativePath("C:\\Programmi\\Torvi\\myModule\\test.html"))
                << "<p>prova</p>";
        }
        window = std::make_unique<frmMain>(services(), commandLine);
    }

    MainServices services()
    {
        return MainServices{{hub, messageBoxes, engines.factory()},
                            fileSystem,
                            scanner,
                            historyFile,
                            clock,
                            [this] { ++registrations; },
                            [this] { ++endRequests; },
                            checkedPages};
    }

    FakeEngine *fake(EngineView *engine) const { return static_cast<FakeEngine *>(engine); }

    // The main window's parts, or those of a secondary window opened for the case (all null
    // if it cannot open).
    WindowParts parts(bool secondary)
    {
        frmMain &w = *window;
        if (!secondary)
            return {&w, fake(w.WebBrowser1), w.Text1, w.Image1, w.StatusBar2};
        webForm *form =
            w.newWebBrowser("http://a.example/") ? secondaryWindows().value(0) : nullptr;
        if (!form)
            return {};
        return {form, fake(form->WebBrowser1), form->txtURL, form->Image1, form->StatusBar1};
    }

    TempHome home;
    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    RecordingHub hub{log};
    ThreatScanner scanner;
    CheckedPages checkedPages;
    HistoryFile historyFile{fileSystem};
    ScriptedMessageBoxes messageBoxes;
    FakeEngineFactory engines;
    int registrations = 0;
    int endRequests = 0;
    std::unique_ptr<frmMain> window;
};

} // namespace torvi::test
