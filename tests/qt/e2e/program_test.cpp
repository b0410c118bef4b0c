// Torvi end-to-end: the program's start-up on the real engine against the local test server.
#include "nav/windows_path.h"
#include "support/engine_home.h"
#include "support/real_program.h"
#include "support/test_server.h"
#include "ui/qt/address_line_edit.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

using torvi::frmMain;
using torvi::test::RealProgram;
using torvi::test::TestServer;

namespace {

constexpr int timeout = RealProgram::timeout;

const QString startAddress = QStringLiteral("https://www.torvi.example/inizio.html");
const std::string testPage = "C:\\Programmi\\Torvi\\myModule\\test.html";

QByteArray readFile(const std::string &windowsPath)
{
    QFile file(QString::fromStdString(torvi::nativePath(windowsPath).string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putTestPage()
{
    const auto path = torvi::nativePath(testPage);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "<html><head><title>Pagina locale</title></head><body>locale</body>"
                           "</html>";
}

} // namespace

class ProgramTest : public QObject
{
    Q_OBJECT

private:
    // One home for the whole run: the engine's profile is made once, inside it.
    torvi::test::EngineHome m_home;
    TestServer m_server;

    // Which host asked for the path; empty when nobody did.
    QByteArray hostOf(const QByteArray &path) const
    {
        for (const auto &request : m_server.requests())
            if (request.path == path)
                return request.host.split(':').constFirst();
        return {};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());
        m_server.setPage("/inizio.html",
                         "<html><head><title>Pagina di prova</title></head><body>ciao</body>"
                         "</html>");
        m_server.setPage("/torvi/index.html",
                         "<html><head><title>Inizio</title></head><body>inizio</body></html>");
        m_server.setPage("/torvi/ext-2.2/examples/desktop/desktop.html",
                         "<html><head><title>Desktop</title></head><body>strumenti</body></html>");
        m_server.setPage("/count.php", "<html><body>1</body></html>");
        m_server.setPage("/finestra.html",
                         "<html><head><title>Finestra</title></head><body>nuova</body></html>");
    }

    void init()
    {
        (void)torvi::prepareMappedDrive("tester");
        for (const char *file :
             {"C:\\Programmi\\Torvi\\History.xml", "C:\\WINDOWS\\cronologia.txt", testPage.c_str()})
            std::filesystem::remove(torvi::nativePath(file));
        m_server.clearRequests();
    }

    // The address on the command line is what the page engine shows, and nothing of the
    // start page or the local test page comes up.
    void commandLineAddressIsLoadedAndLogged()
    {
        putTestPage();
        RealProgram program(startAddress.toStdString());
        frmMain &w = *program.window;

        QTRY_COMPARE_WITH_TIMEOUT(w.Text1->text(), startAddress, timeout);
        QCOMPARE(w.windowTitle(), QStringLiteral("Pagina di prova"));
        QCOMPARE(w.WebBrowser1->LocationURL(), startAddress.toStdString());

        const QByteArray log = readFile("C:\\Programmi\\Torvi\\History.xml");
        QVERIFY2(log.startsWith("<?xml version='1.0'?>\r\n<history>\r\n"), log.constData());
        QVERIFY2(log.endsWith("</history>\r\n"), log.constData());
        const QRegularExpression record(
            "<connection>\r\n\t<URL>" + QRegularExpression::escape(startAddress) +
            "</URL>\r\n\t<Data-Ora>[^<|]+\\|[^<|]+</Data-Ora>\r\n\t<DownloadFile>False"
            "</DownloadFile>\r\n</connection>\r\n");
        QVERIFY2(record.match(QString::fromUtf8(log)).hasMatch(), log.constData());

        const QByteArray history = readFile("C:\\WINDOWS\\cronologia.txt");
        QVERIFY2(history.startsWith(startAddress.toUtf8() + "||"), history.constData());
        QVERIFY2(history.endsWith("||Pagina di prova\r\n"), history.constData());

        // The other two engines have had their chance to start meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCount("/count.php") > 0, timeout);
        QCOMPARE(m_server.requestCount("/torvi/index.html"), 0);
        QCOMPARE(RealProgram::secondaryWindows().size(), 0);
    }

    // Without an address the three engines each fetch their own page from their own host.
    void withoutAddressEachEngineLoadsItsPage()
    {
        RealProgram program({});
        frmMain &w = *program.window;

        QTRY_COMPARE_WITH_TIMEOUT(w.WebBrowser1->LocationURL(),
                                  torvi::test::serverEndpoints().StartPageUrl, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(w.WebBrowser2->LocationURL(),
                                  torvi::test::serverEndpoints().DesktopPageUrl, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(w.WebBrowser3->LocationURL(),
                                  torvi::test::serverEndpoints().CounterUrl, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(
            w.Text1->text(), QString::fromStdString(torvi::test::serverEndpoints().StartPageUrl),
            timeout);
        QCOMPARE(w.windowTitle(), QStringLiteral("Inizio"));

        QCOMPARE(hostOf("/torvi/index.html"), QByteArray("www.torvi.example"));
        QCOMPARE(hostOf("/torvi/ext-2.2/examples/desktop/desktop.html"),
                 QByteArray("desktop.torvi.example"));
        QCOMPARE(hostOf("/count.php"), QByteArray("www.torvi.example"));
        // The tools and counter pages are not the user's: no history line of theirs.
        const QByteArray history = readFile("C:\\WINDOWS\\cronologia.txt");
        QVERIFY2(!history.contains("desktop.html") && !history.contains("count.php"),
                 history.constData());
        QCOMPARE(RealProgram::secondaryWindows().size(), 0);
    }

    // The tools and counter engines start once the first page has loaded, so their pages
    // do not compete with it; then both load, and the counter counts that first page too.
    void toolsAndCounterWaitForTheFirstPage()
    {
        m_server.setPage("/lenta.html", {200, "text/html; charset=utf-8",
                                         "<html><head><title>Lenta</title></head><body>ok</body>"
                                         "</html>",
                                         true});
        const std::string slowPage = "https://www.torvi.example/lenta.html";
        RealProgram program(slowPage);
        frmMain &w = *program.window;

        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/lenta.html"), 1, timeout);
        QTest::qWait(500);
        // Counted from this program's page on: the previous case's counter may still have
        // had a request on its way when its program went.
        const auto askedSincePage = [this](const QByteArray &path) {
            const auto &requests = m_server.requests();
            auto it = std::find_if(requests.begin(), requests.end(),
                                   [](const auto &r) { return r.path == "/lenta.html"; });
            return std::count_if(it, requests.end(), [&](const auto &r) { return r.path == path; });
        };
        QCOMPARE(askedSincePage("/count.php"), 0);
        QCOMPARE(askedSincePage("/torvi/ext-2.2/examples/desktop/desktop.html"), 0);
        m_server.releaseHeldAnswers();
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Lenta"), timeout);
        // The page's completion reloads the counter: its first load and that reload both
        // reach the server.
        QTRY_VERIFY_WITH_TIMEOUT(askedSincePage("/count.php") >= 2, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(w.WebBrowser2->LocationURL(),
                                  torvi::test::serverEndpoints().DesktopPageUrl, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(askedSincePage("/torvi/ext-2.2/examples/desktop/desktop.html"), 1,
                                  timeout);
    }

    // The local test page takes the first of the seven places of newWebBrowser.
    void localTestPageOpensInTheFirstPlace()
    {
        putTestPage();
        RealProgram program({});
        frmMain &w = *program.window;

        QTRY_COMPARE_WITH_TIMEOUT(RealProgram::secondaryWindows().size(), 1, timeout);
        const auto local = RealProgram::secondaryWindows().constFirst();
        const std::string address = torvi::localPageAddress(testPage);
        QVERIFY(address.starts_with("file://"));
        QTRY_COMPARE_WITH_TIMEOUT(local->WebBrowser1->LocationURL(), address, timeout);
        QTRY_VERIFY_WITH_TIMEOUT(local->windowTitle().startsWith("Pagina locale - "), timeout);

        const std::string page = startAddress.toStdString();
        for (int place = 2; place <= 7; ++place)
            QVERIFY2(w.newWebBrowser(page), qPrintable(QString::number(place)));
        QCOMPARE(program.messageBoxes.shown.size(), 0);
        QVERIFY(!w.newWebBrowser(page));
        QCOMPARE(program.messageBoxes.shown.size(), 1);
        QCOMPARE(program.messageBoxes.shown[0].text,
                 QStringLiteral("Impossibile Creare una nuova finestra"));
        QCOMPARE(RealProgram::secondaryWindows().size(), 7);
        // Every window that opened loads its page.
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/inizio.html"), 6, timeout);
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
