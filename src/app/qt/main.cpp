// Torvi: the program starts with its main window; building it runs the start-up.
#include "app/qt/app_lifecycle.h"
#include "app/qt/frm_main.h"
#include "app/qt/program_services.h"
#include "nav/qt/own_scheme.h"

#include <QApplication>
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

} // namespace

int main(int argc, char *argv[])
{
    // The engine learns its schemes once, before it starts.
    torvi::registerOwnScheme();
    QApplication app(argc, argv);
    torvi::setUpApplication();
    torvi::ProgramServices program;

    // The main window is never deleted while the program runs: secondary windows still
    // report to it (the counter page, the site list) after the user has closed it.
    auto *mainWindow =
        new torvi::frmMain(program.services(), commandLineText(QCoreApplication::arguments()));
    mainWindow->show();
    return torvi::runUntilEnd();
}
