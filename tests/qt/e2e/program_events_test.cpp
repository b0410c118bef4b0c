// Torvi end-to-end: the windows' answers to the real engine's events.
#include "nav/windows_path.h"
#include "support/engine_home.h"
#include "support/program_pages.h"
#include "support/real_program.h"
#include "support/test_server.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/status_panels.h"

#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>

using torvi::EngineView;
using torvi::frmMain;
using torvi::webForm;
using torvi::test::RealProgram;
using torvi::test::TestServer;
using torvi::test::typeAddress;

namespace {

constexpr int timeout = RealProgram::timeout;

QString pageUrl(const char *path)
{
    return QStringLiteral("https://www.torvi.example") + QString::fromLatin1(path);
}

QByteArray page(const char *title, const char *body)
{
    return QByteArray("<html><head><title>") + title + "</title></head><body>" + body +
           "</body></html>";
}

const QString blank = pageUrl("/vuota.html");
const std::string searchPrefix = torvi::test::serverEndpoints().SearchQueryUrl;

QList<QByteArray> historyLines()
{
    QFile file(QString::fromStdString(torvi::nativePath("C:\\WINDOWS\\cronologia.txt").string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

} // namespace

class ProgramEventsTest : public QObject
{
    Q_OBJECT

private:
    torvi::test::EngineHome m_home;
    TestServer m_server;
    std::unique_ptr<RealProgram> m_program;

    // A program started on the blank page, its counter page settled: every refresh asked
    // for so far has reached the server (the engine may repeat a request whose connection
    // closed, so at least that many). Null when it did not get there.
    frmMain *start()
    {
        // The previous case's program goes first: its counter engine could otherwise still
        // reach the server after the count below has started.
        m_program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_server.clearRequests();
        m_program = std::make_unique<RealProgram>(blank.toStdString());
        frmMain &w = *m_program->window;
        const auto counterRequests = [&] {
            int refreshes = 0;
            for (const auto &call : m_program->hub.calls)
                if (call.action == "refresh" && call.browser == w.WebBrowser3)
                    ++refreshes;
            return 1 + refreshes;
        };
        if (!torvi::test::waitUntil([&] { return w.Text1->text() == blank; }, timeout) ||
            !torvi::test::waitUntil(
                [&] { return m_server.requestCount("/count.php") >= counterRequests(); }, timeout))
            return nullptr;
        std::filesystem::remove(torvi::nativePath("C:\\WINDOWS\\cronologia.txt"));
        m_server.clearRequests();
        return &w;
    }

    // Loads the address through the address box and waits for its top document.
    static bool load(frmMain &w, const QString &url)
    {
        QSignalSpy completed(w.WebBrowser1, &EngineView::DocumentComplete);
        typeAddress(w, url);
        while (completed.wait(timeout))
            if (completed.last().at(0).toString() == url)
                return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());
        (void)torvi::prepareMappedDrive("tester");
        m_server.setPage("/vuota.html", page("Vuota", "vuota"));
        m_server.setPage("/count.php", "<html><body>1</body></html>");
        m_server.setPage("/torvi/ext-2.2/examples/desktop/desktop.html", page("Strumenti", ""));
        m_server.setPage("/cornice.html",
                         page("Cornice", "<iframe src=\"/riquadro1.html\"></iframe>"
                                         "<iframe src=\"/riquadro2.html\"></iframe>"));
        m_server.setPage("/riquadro1.html", page("Uno", "uno"));
        m_server.setPage("/riquadro2.html", page("Due", "due"));
        m_server.setPage("/pericolo.html", page("Pericolo", "<p>un Exploit per tutti</p>"));
        m_server.setPage("/pulita.html", page("Pulita", "<p>niente da vedere</p>"));
        m_server.setPage("/apri.html", page("Apri", ""));
        m_server.setPage("/finestra.html", page("Finestra", "nuova"));
        m_server.setPage("/search", page("Risultati", "risultati"));
    }

    void cleanup() { m_program.reset(); }

    // Every document of a frame page counts: a history line and a counter reload each, the
    // line pairing the document's address with the top page's title.
    void framePageCountsEveryDocument()
    {
        QVERIFY(start());
        frmMain &w = *m_program->window;
        QSignalSpy completed(w.WebBrowser1, &EngineView::DocumentComplete);
        typeAddress(w, pageUrl("/cornice.html"));
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 3, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/count.php"), 3, timeout);

        const QList<QByteArray> lines = historyLines();
        QCOMPARE(lines.size(), 3);
        QStringList addresses;
        for (const QByteArray &line : lines) {
            QVERIFY2(line.endsWith("||Cornice\r"), line.constData());
            addresses << QString::fromUtf8(line.left(line.indexOf("||")));
        }
        addresses.sort();
        QCOMPARE(addresses, (QStringList{pageUrl("/cornice.html"), pageUrl("/riquadro1.html"),
                                         pageUrl("/riquadro2.html")}));
        QCOMPARE(w.windowTitle(), QStringLiteral("Cornice"));
    }

    // The verdict follows the page: a keyword (in any case) flags it and lists it, the next
    // clean page is certified again and adds nothing to the list.
    void threatVerdictFollowsThePage()
    {
        QVERIFY(start());
        frmMain &w = *m_program->window;
        QCOMPARE(w.listDanger->count(), 0);
        QVERIFY(load(w, pageUrl("/pericolo.html")));
        QCOMPARE(w.StatusBar2->panelText(2), QStringLiteral("Dati Sensibili"));
        // One line for the one keyword, naming the page it was found on.
        QCOMPARE(w.listDanger->count(), 1);
        const QString line = w.listDanger->item(0)->text();
        QVERIFY2(line.startsWith(pageUrl("/pericolo.html")) &&
                     line.endsWith(QStringLiteral("exploit"), Qt::CaseInsensitive),
                 qPrintable(line));
        const int listed = w.listDanger->count();

        QVERIFY(load(w, pageUrl("/pulita.html")));
        QCOMPARE(w.StatusBar2->panelText(2), QStringLiteral("Certificato"));
        QCOMPARE(w.listDanger->count(), listed);
    }

    void pageAsksForANewWindow_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK opens it") << true;
        QTest::newRow("Cancel refuses it") << false;
    }

    void pageAsksForANewWindow()
    {
        QFETCH(bool, accept);
        QVERIFY(start());
        frmMain &w = *m_program->window;
        QVERIFY(load(w, pageUrl("/apri.html")));
        m_program->messageBoxes.answers = {accept ? torvi::MessageAnswer::Ok
                                                  : torvi::MessageAnswer::Cancel};
        RealProgram::runScript(w.WebBrowser1, "window.open('/finestra.html'); true");
        QTRY_COMPARE_WITH_TIMEOUT(m_program->messageBoxes.shown.size(), 1, timeout);
        QCOMPARE(m_program->messageBoxes.shown[0].text,
                 QStringLiteral("Richiesta nuova pagina vuoi aprirla con torvi ?"));

        if (accept) {
            QTRY_COMPARE_WITH_TIMEOUT(RealProgram::secondaryWindows().size(), 1, timeout);
            const QPointer<webForm> form = RealProgram::secondaryWindows().constFirst();
            QTRY_COMPARE_WITH_TIMEOUT(form->WebBrowser1->LocationURL(),
                                      pageUrl("/finestra.html").toStdString(), timeout);
            QTRY_COMPARE_WITH_TIMEOUT(form->windowTitle(),
                                      "Finestra - " + pageUrl("/finestra.html") +
                                          " - Torvi Personal Secure Browser",
                                      timeout);
            QVERIFY(form->isVisible());
        } else {
            // A later load of the same engine shows the refused request had its chance.
            QVERIFY(load(w, pageUrl("/vuota.html")));
            QCOMPARE(RealProgram::secondaryWindows().size(), 0);
            QCOMPARE(m_server.requestCount("/finestra.html"), 0);
        }
        QCOMPARE(w.WebBrowser1->LocationURL(),
                 (accept ? pageUrl("/apri.html") : blank).toStdString());
    }

    // A page that its own script opened may close its window; no question is asked.
    void pageClosesItsSecondaryWindow()
    {
        QVERIFY(start());
        frmMain &w = *m_program->window;
        QVERIFY(load(w, pageUrl("/apri.html")));
        RealProgram::runScript(w.WebBrowser1, "window.open('/finestra.html'); true");
        QTRY_COMPARE_WITH_TIMEOUT(RealProgram::secondaryWindows().size(), 1, timeout);
        const QPointer<webForm> form = RealProgram::secondaryWindows().constFirst();
        QTRY_COMPARE_WITH_TIMEOUT(form->WebBrowser1->LocationURL(),
                                  pageUrl("/finestra.html").toStdString(), timeout);

        RealProgram::runScript(form->WebBrowser1, "window.close(); true");
        QTRY_VERIFY_WITH_TIMEOUT(form.isNull(), timeout);
        QCOMPARE(m_program->messageBoxes.shown.size(), 1); // the opening question only
        QVERIFY(w.isVisible());
    }

    // A failure inside the engine becomes a search for the typed text; a server's error
    // answer and a failed download do not.
    void failedAddressBecomesASearch_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("searchPath"); // empty: no search
        QTest::newRow("unknown host")
            << "sito.inesistente" << QByteArray("/search?client=torvi&q=sito.inesistente");
        QTest::newRow("words") << "due parole" << QByteArray("/search?client=torvi&q=due%20parole");
        QTest::newRow("ZIP in capitals")
            << "https://sito.inesistente/A.ZIP"
            << QByteArray("/search?client=torvi&q=https%3A%2F%2Fsito.inesistente%2FA.ZIP");
        QTest::newRow("zip") << "https://sito.inesistente/a.zip" << QByteArray();
        QTest::newRow("404") << pageUrl("/mancante.html") << QByteArray();
    }

    void failedAddressBecomesASearch()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, searchPath);
        QVERIFY(start());
        frmMain &w = *m_program->window;
        QSignalSpy failed(w.WebBrowser1, &EngineView::NavigateError);
        typeAddress(w, typed);
        QVERIFY(failed.wait(timeout));

        if (searchPath.isEmpty()) {
            // The handler has run by now: a search would have been asked for already.
            QCOMPARE(m_program->searchRequests(searchPrefix), 0);
            QCOMPARE(m_server.requestCountStartingWith("/search"), 0);
            return;
        }
        QCOMPARE(m_program->searchRequests(searchPrefix), 1);
        QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Risultati"), timeout);
        const auto &requests = m_server.requests();
        const auto search = std::find_if(requests.begin(), requests.end(), [](const auto &r) {
            return r.path.startsWith("/search");
        });
        QVERIFY(search != requests.end());
        QCOMPARE(search->path, searchPath);
        QVERIFY2(search->host.startsWith("www.google.it"), search->host.constData());
    }
};

QTEST_MAIN(ProgramEventsTest)
#include "program_events_test.moc"
