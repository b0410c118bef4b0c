// Torvi end-to-end: "Esci" with secondary windows open ends the program cleanly, and the
// cookie a page set survives it: the shipped program sends it back on its next run.
//
// Nothing outside a process can choose a menu item of the program, so the first run is
// this executable started again with "--as-program": it builds the program exactly as
// main() does (the same services, lifecycle and tear-down) and plays the user.
#include "app/qt/app_lifecycle.h"
#include "app/qt/frm_main.h"
#include "app/qt/program_services.h"
#include "popup/qt/web_form.h"
#include "support/engine_home.h"
#include "support/test_server.h"
#include "ui/qt/picture_button.h"

#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <cstring>

using torvi::EngineView;
using torvi::frmMain;
using torvi::test::TestServer;

namespace {

constexpr int timeout = 60000;
const char *const asProgram = "--as-program";

QString pageUrl(const char *path)
{
    return QStringLiteral("https://www.torvi.example") + QString::fromLatin1(path);
}

// As a user would: open the command menu, pick "Esci" and press Enter.
void chooseEsci(frmMain &window)
{
    window.Image2->click();
    const auto items = window.List1->findItems(QStringLiteral("Esci"), Qt::MatchExactly);
    if (items.size() != 1)
        qFatal("no single \"Esci\" in the command menu");
    window.List1->setCurrentItem(items.constFirst());
    QTest::keyClick(window.List1, Qt::Key_Return);
}

// The program with the page on its command line; once the page is in, it opens two
// secondary windows on the window page and, when both show it, chooses "Esci".
int runAsProgram(int argc, char *argv[])
{
    QApplication app(argc, argv);
    torvi::setUpApplication();
    torvi::ProgramServices program;
    const QString page = QString::fromLocal8Bit(argv[2]);
    const std::string windowPage = argv[3];

    auto *window = new frmMain(program.services(), page.toStdString());
    window->show();
    int shown = 0;
    QObject::connect(
        window->WebBrowser1, &EngineView::DocumentComplete, window, [&](const QString &url) {
            if (url != page || shown > 0)
                return;
            shown = -1;
            (void)window->newWebBrowser(windowPage);
            (void)window->newWebBrowser(windowPage);
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *form = qobject_cast<torvi::webForm *>(top))
                    QObject::connect(form->WebBrowser1, &EngineView::DocumentComplete, window, [&] {
                        if (++shown == 1)
                            chooseEsci(*window);
                    });
        });
    return torvi::runUntilEnd();
}

QProcessEnvironment programEnvironment()
{
    // HOME, the XDG folders and the host mapping are this process's own by now.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return environment;
}

} // namespace

class ProgramExitTest : public QObject
{
    Q_OBJECT

private:
    torvi::test::EngineHome m_home;
    TestServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());
        m_server.setPage("/biscotto.html",
                         "<html><head><title>Biscotto</title><script>"
                         "document.cookie = 'torvi_prova=resta; max-age=86400; path=/';"
                         "</script></head><body>biscotto</body></html>");
        m_server.setPage("/finestra.html",
                         "<html><head><title>Finestra</title></head><body>nuova</body></html>");
        m_server.setPage("/eco.html", "<html><head><title>Eco</title></head><body></body></html>");
        m_server.setPage("/count.php", "<html><body>1</body></html>");
    }

    void esciKeepsTheCookiesOfTheRun()
    {
        QProcess first;
        first.setProcessEnvironment(programEnvironment());
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QCoreApplication::applicationFilePath(),
                    {asProgram, pageUrl("/biscotto.html"), pageUrl("/finestra.html")});
        // The server answers from this thread's event loop: wait in it, not in QProcess.
        QSignalSpy finished(&first, &QProcess::finished);
        QVERIFY(first.waitForStarted(timeout));
        const bool ended = finished.wait(timeout);
        if (!ended) {
            first.kill();
            first.waitForFinished();
        }
        QVERIFY2(ended, "the program did not end on \"Esci\"");
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        // "Esci" came while both secondary windows were open on their page.
        QCOMPARE(m_server.requestCount("/biscotto.html"), 1);
        QCOMPARE(m_server.requestCount("/finestra.html"), 2);

        QProcess second;
        second.setProcessEnvironment(programEnvironment());
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(QStringLiteral(TORVI_EXECUTABLE), {pageUrl("/eco.html")});
        QVERIFY(second.waitForStarted(timeout));
        QSignalSpy requested(&m_server, &TestServer::requestReceived);
        const bool asked = [&] {
            while (requested.wait(timeout))
                if (m_server.requestCount("/eco.html") > 0)
                    return true;
            return false;
        }();
        second.kill();
        second.waitForFinished(timeout);
        QVERIFY2(asked, "the shipped program did not ask for its command-line page");
        QByteArray cookie;
        for (const auto &request : m_server.requests())
            if (request.path == "/eco.html")
                cookie = request.cookie;
        QCOMPARE(cookie, QByteArray("torvi_prova=resta"));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], asProgram) == 0)
        return runAsProgram(argc, argv);
    QApplication app(argc, argv);
    ProgramExitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "program_exit_test.moc"
