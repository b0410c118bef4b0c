// Torvi benchmark: the program as main() runs it on the address it is given; once that page
// is in, it opens secondary windows on the same address one after the other, each as soon
// as the last one's page is in, as a user clicking the new-window button would.
// Usage: open_windows ADDRESS COUNT
#include "app/qt/app_lifecycle.h"
#include "app/qt/frm_main.h"
#include "app/qt/program_services.h"
#include "popup/qt/web_form.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <functional>

using namespace torvi;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const std::string address = argv[1];
    const int count = std::atoi(argv[2]);
    setUpApplication();
    ProgramServices program;
    auto *window = new frmMain(program.services(), address);
    window->show();

    int opened = 0;
    std::function<void()> openNext = [&] {
        if (opened++ >= count)
            return;
        QList<QWidget *> before = QApplication::topLevelWidgets();
        (void)window->newWebBrowser(address);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *form = qobject_cast<webForm *>(w); form && !before.contains(w))
                QObject::connect(form->WebBrowser1, &EngineView::DocumentComplete, form,
                                 [&openNext, done = std::make_shared<bool>(false)] {
                                     if (!std::exchange(*done, true))
                                         QTimer::singleShot(0, openNext);
                                 });
    };
    bool started = false;
    QObject::connect(window->WebBrowser1, &EngineView::DocumentComplete, window, [&] {
        if (!std::exchange(started, true))
            QTimer::singleShot(0, openNext);
    });
    return runUntilEnd();
}
