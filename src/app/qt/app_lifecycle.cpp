// Torvi: start and end of the running program.
#include "app/qt/app_lifecycle.h"

#include "app/qt/italian.h"
#include "nav/windows_path.h"
#include "tools/user_name.h"
#include "tools/version_info.h"
#include "ui/qt/resources.h"

#include <QApplication>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace torvi {

void setUpApplication()
{
    // Names the data folders (the engine's profile); not a display name, which Qt would
    // append to every window caption.
    QCoreApplication::setApplicationName("torvi");
    QCoreApplication::setApplicationVersion(QString::fromStdString(versionText()));
    // Before any engine exists: the engine takes its language when it starts.
    (void)useItalian(*QCoreApplication::instance());
    initTorviResources();
    QApplication::setWindowIcon(QIcon(Icons::Logo));
    // Without these folders the first history line and log record of a new user would be
    // lost; a failure here is no reason not to browse.
    (void)prepareMappedDrive(currentUserName());
}

void endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

int runUntilEnd()
{
    const int status = QApplication::exec();

    // The windows and their pages go first; the engine's profile goes with the application
    // afterwards, and only then are its cookies on disk.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    return status;
}

} // namespace torvi
