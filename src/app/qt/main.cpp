// Torvi: the program starts with its main window; building it runs the start-up.
#include "app/qt/frm_main.h"
#include "app/qt/italian.h"
#include "app/qt/message_boxes.h"
#include "app/qt/resources.h"
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "nav/clock.h"
#include "nav/file_system.h"
#include "nav/navigation_hub.h"
#include "nav/qt/browser_profile.h"
#include "nav/windows_path.h"
#include "threats/threat_scanner.h"
#include "tools/default_browser.h"
#include "tools/user_name.h"
#include "tools/version_info.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QStringList>

namespace {

// Everything after the program name, joined by single blanks and otherwise unchanged. Qt
// has already taken its own options; the engine's own come after "--webEngineArgs".
std::string commandLineText(QStringList arguments)
{
    arguments.removeFirst();
    const qsizetype engineArgs = arguments.indexOf("--webEngineArgs");
    if (engineArgs >= 0)
        arguments = arguments.mid(0, engineArgs);
    return arguments.join(' ').toStdString();
}

// "Esci": every window goes at once and no window's handlers run; the windows and then the
// engine's profile are torn down in order after the event loop, so cookies reach the disk.
void endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the data folders (the engine's profile); not a display name, which Qt would
    // append to every window caption.
    QCoreApplication::setApplicationName("torvi");
    QCoreApplication::setApplicationVersion(QString::fromStdString(torvi::versionText()));
    (void)torvi::useItalian(app);
    torvi::initTorviResources();
    QApplication::setWindowIcon(QIcon(torvi::Icons::Logo));

    using namespace torvi;
    // Without these folders the first history line and log record of a new user would be
    // lost; a failure here is no reason not to browse.
    (void)prepareMappedDrive(currentUserName());

    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    NavigationHub hub{log};
    QtMessageBoxes messageBoxes;
    ThreatScanner threatScanner;
    HistoryFile historyFile{fileSystem};

    MainServices services{
        hub,           fileSystem,  messageBoxes, makeWebEngineFactory(),
        threatScanner, historyFile, clock,        [] { (void)registerAsDefaultBrowser(); },
        endProgram};

    // The main window is never deleted while the program runs: secondary windows still
    // report to it (the counter page, the site list) after the user has closed it.
    auto *mainWindow = new frmMain(services, commandLineText(QCoreApplication::arguments()));
    mainWindow->show();

    const int status = QApplication::exec();

    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    return status;
}
