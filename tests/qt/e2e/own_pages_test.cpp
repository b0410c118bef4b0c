// Torvi end-to-end: Torvi's own pages in the real engine, and torvi.conf sending the
// endpoints elsewhere.
#include "nav/windows_path.h"
#include "support/engine_home.h"
#include "support/real_program.h"
#include "support/test_server.h"
#include "ui/qt/picture_button.h"

#include <QSignalSpy>
#include <QtTest>
#include <optional>
#include <set>

using torvi::EngineView;
using torvi::frmMain;
using torvi::test::RealProgram;
using torvi::test::TestServer;

namespace {

constexpr int timeout = RealProgram::timeout;
const QString startTitle = QStringLiteral("Pagina iniziale di Torvi");

using Config = std::optional<std::string>;

} // namespace

Q_DECLARE_METATYPE(Config)

class OwnPagesTest : public QObject
{
    Q_OBJECT

private:
    torvi::test::EngineHome m_home;
    TestServer m_server;

    // What a script in the engine's page answers, or "" when it does not answer at once: a
    // page being replaced drops its scripts' answers, and the checks below try again.
    static QString text(EngineView *engine, const char *script)
    {
        QWebEnginePage *page = static_cast<torvi::WebEngineAdapter *>(engine)->page();
        QString answer;
        bool answered = false;
        if (page)
            page->runJavaScript(QString::fromLatin1(script), [&](const QVariant &value) {
                answer = value.toString();
                answered = true;
            });
        (void)torvi::test::waitUntil([&] { return answered; }, 1000);
        return answer;
    }

    // The three engines have loaded their pages: whatever they were to ask, they have.
    static void waitForTheThreePages(RealProgram &program)
    {
        const frmMain &w = *program.window;
        for (EngineView *engine : {w.WebBrowser1, w.WebBrowser2, w.WebBrowser3})
            QTRY_VERIFY_WITH_TIMEOUT(!engine->LocationURL().empty() &&
                                         text(engine, "document.readyState") == "complete",
                                     timeout);
    }

    // What the engines asked the server for, the icon it asks of every site aside.
    std::set<QByteArray> requestedPaths() const
    {
        std::set<QByteArray> paths;
        for (const auto &request : m_server.requests())
            if (request.path != "/favicon.ico")
                paths.insert(request.path);
        return paths;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());
        (void)torvi::prepareMappedDrive("tester");
        m_server.setPage("/torvi/index.html",
                         "<html><head><title>Inizio</title></head><body>inizio</body></html>");
        m_server.setPage("/count.php", "<html><body>1</body></html>");
        m_server.setPage("/search", "<html><head><title>Ricerca</title></head><body></body>"
                                    "</html>");
    }

    void init() { m_server.clearRequests(); }

    void endpointsComeFromTheConfiguration_data()
    {
        QTest::addColumn<Config>("config");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<QByteArray>>("asked");
        const std::string server = "https://www.torvi.example";
        QTest::newRow("no file: own pages, no request at all")
            << Config{} << startTitle << QList<QByteArray>{};
        QTest::newRow("start page and counter on the server")
            << Config{"[Endpoints]\nStartPageUrl=" + server +
                      "/torvi/index.html\nCounterUrl=" + server + "/count.php\n"}
            << QStringLiteral("Inizio") << QList<QByteArray>{"/count.php", "/torvi/index.html"};
        QTest::newRow("a malformed file is ignored")
            << Config{"[Endpoints]\nStartPageUrl=" + server + "/torvi/index.html\nnonsense\n"}
            << startTitle << QList<QByteArray>{};
    }

    void endpointsComeFromTheConfiguration()
    {
        QFETCH(Config, config);
        QFETCH(QString, title);
        QFETCH(QList<QByteArray>, asked);
        RealProgram program({}, config);
        QTRY_COMPARE_WITH_TIMEOUT(program.window->windowTitle(), title, timeout);
        waitForTheThreePages(program);
        QCOMPARE(program.window->WebBrowser2->LocationURL(),
                 torvi::builtInEndpoints().DesktopPageUrl);
        QStringList paths;
        for (const QByteArray &path : requestedPaths())
            paths << QString::fromLatin1(path);
        QCOMPARE(paths.join(' '), QString::fromLatin1(asked.join(' ')));
    }

    // The start page shows its emblem and searches; the counter counts the documents that
    // completed in this run, the start page and the search's page; back leads home again.
    void startPageSearchesAndTheCounterCounts()
    {
        RealProgram program({}, std::nullopt);
        frmMain &w = *program.window;
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), startTitle, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(text(w.WebBrowser3, "document.body.innerText"),
                                  QStringLiteral("1 documenti completati"), timeout);
        QTRY_COMPARE_WITH_TIMEOUT(
            text(w.WebBrowser1, "String(document.images[0].naturalWidth > 0)"),
            QStringLiteral("true"), timeout);

        text(w.WebBrowser1, "document.querySelector('input[name=q]').value = 'c++ e c#';"
                            "document.forms[0].submit()");
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Ricerca"), timeout);
        QCOMPARE(requestedPaths(),
                 std::set<QByteArray>{"/search?client=torvi&q=c%2B%2B%20e%20c%23"});
        QTRY_COMPARE_WITH_TIMEOUT(text(w.WebBrowser3, "document.body.innerText"),
                                  QStringLiteral("2 documenti completati"), timeout);
        // Back is the user's own step: the start page comes back.
        QTest::mouseClick(w.cmdIndietro, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), startTitle, timeout);
    }

    // A page of the web can neither frame, fetch nor open an own page: the start page lists
    // the user's favorites and visits. Its attempt to go there fails like any unreachable
    // address, into a search.
    void webPagesCannotReachOwnPages()
    {
        m_server.setPage("/curiosa.html",
                         "<html><head><title>Curiosa</title></head><body>"
                         "<iframe src='torvi://sito/torvi/index.html'></iframe><script>"
                         "fetch('torvi://sito/count.php').then(() => document.title = 'letta',"
                         "  () => document.title = 'rifiutata');"
                         "</script></body></html>");
        RealProgram program("https://www.torvi.example/curiosa.html");
        frmMain &w = *program.window;
        QSignalSpy completed(w.WebBrowser1, &EngineView::DocumentComplete);
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("rifiutata"), timeout);
        text(w.WebBrowser1, "location.href = 'torvi://sito/torvi/index.html'");
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Ricerca"), timeout);
        for (const QList<QVariant> &event : completed)
            QVERIFY2(!event[0].toString().startsWith("torvi:"), qPrintable(event[0].toString()));
    }
};

QTEST_MAIN(OwnPagesTest)
#include "own_pages_test.moc"
