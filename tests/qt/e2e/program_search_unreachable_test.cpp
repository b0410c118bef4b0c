// Torvi end-to-end: the search fallback when the search engine itself cannot be reached.
#include "nav/windows_path.h"
#include "support/engine_home.h"
#include "support/program_pages.h"
#include "support/real_program.h"
#include "support/test_server.h"

#include <QSignalSpy>
#include <QtTest>

using torvi::EngineView;
using torvi::test::RealProgram;
using torvi::test::TestServer;

class ProgramSearchUnreachableTest : public QObject
{
    Q_OBJECT

private:
    torvi::test::EngineHome m_home;
    TestServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort(), torvi::test::SearchHost::Unreachable);
        (void)torvi::prepareMappedDrive("tester");
        m_server.setPage("/vuota.html",
                         "<html><head><title>Vuota</title></head><body></body></html>");
    }

    // The failed search is itself a failed navigation; searching for it again would loop
    // for ever.
    void failedSearchIsNotSearchedAgain()
    {
        const QString blank = QStringLiteral("https://www.torvi.example/vuota.html");
        RealProgram program(blank.toStdString());
        torvi::frmMain &w = *program.window;
        QTRY_COMPARE_WITH_TIMEOUT(w.Text1->text(), blank, RealProgram::timeout);

        QSignalSpy failed(w.WebBrowser1, &EngineView::NavigateError);
        torvi::test::typeAddress(w, "sito.inesistente");
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, RealProgram::timeout);
        QVERIFY2(failed[1][0].toString().startsWith("https://www.google.it/search"),
                 qPrintable(failed[1][0].toString()));
        QVERIFY(failed[1][1].toInt() < 0);
        const std::string searchPrefix = torvi::test::serverEndpoints().SearchQueryUrl;
        QCOMPARE(program.searchRequests(searchPrefix), 1);

        // A later page loads normally, and nothing else failed meanwhile.
        QSignalSpy completed(w.WebBrowser1, &EngineView::DocumentComplete);
        torvi::test::typeAddress(w, blank);
        QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), RealProgram::timeout);
        QCOMPARE(failed.count(), 2);
        QCOMPARE(program.searchRequests(searchPrefix), 1);
        QCOMPARE(m_server.requestCountStartingWith("/search"), 0);
    }
};

QTEST_MAIN(ProgramSearchUnreachableTest)
#include "program_search_unreachable_test.moc"
