// Torvi end-to-end: what a user meets after a crash, a stop, a download or a closed main
// window, and pages that ask again and again.
#include "app/app_texts.h"
#include "endpoints.h"
#include "nav/page_events.h"
#include "nav/windows_path.h"
#include "support/program_pages.h"
#include "support/real_program.h"
#include "support/secondary_windows.h"
#include "support/temp_home.h"
#include "support/test_server.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/status_panels.h"
#include "ui/window_texts.h"

#include <QApplication>
#include <QFileDialog>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <csignal>

using namespace torvi;
using torvi::test::ScriptedMessageBoxes;
using torvi::test::TestServer;
using torvi::test::waitUntil;

namespace {

constexpr int timeout = 30000;

QString pageUrl(const char *path)
{
    return QStringLiteral("https://www.torvi.example") + QString::fromLatin1(path);
}

QByteArray page(const char *title, const QByteArray &body)
{
    return QByteArray("<html><head><title>") + title + "</title></head><body>" + body +
           "</body></html>";
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A modal question runs its own event loop; so does this one, so a question asked while
// another is up would be seen.
class ModalMessageBoxes : public ScriptedMessageBoxes
{
public:
    int depth = 0;
    int deepest = 0;

    MessageAnswer show(QWidget *parent, const QString &text, MessageButtons buttons,
                       MessageIcon icon, const QString &caption) override
    {
        deepest = std::max(deepest, ++depth);
        QTest::qWait(5);
        const MessageAnswer answer =
            ScriptedMessageBoxes::show(parent, text, buttons, icon, caption);
        --depth;
        return answer;
    }
};

using Program = torvi::test::BasicRealProgram<ModalMessageBoxes>;

// Waits for the engine's completion of the address.
bool completes(EngineView *engine, const QString &url, const std::function<void()> &start)
{
    QSignalSpy completed(engine, &EngineView::DocumentComplete);
    start();
    return waitUntil(
        [&] {
            return std::any_of(completed.cbegin(), completed.cend(),
                               [&](const QList<QVariant> &c) { return c.at(0).toString() == url; });
        },
        timeout);
}

} // namespace

class PageTroubleTest : public QObject
{
    Q_OBJECT

private:
    torvi::test::TempHome m_home;
    TestServer m_server;
    const std::string m_searchPrefix{SearchQueryUrl};

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());
        (void)prepareMappedDrive("tester");
        m_server.setPage("/count.php", page("Contatore", "1"));
        m_server.setPage("/torvi/ext-2.2/examples/desktop/desktop.html", page("Strumenti", ""));
        m_server.setPage("/pagina.html", page("Pagina", "ciao"));
        m_server.setPage("/seconda.html", page("Seconda", "due"));
        m_server.setPage("/search", page("Risultati", "risultati"));
        m_server.setPage("/lenta.html",
                         TestServer::Page{200, "text/html", page("Lenta", ""), true});
        m_server.setPage("/FILE.ZIP", TestServer::Page{200, "application/zip", "PK"});
        m_server.setPage("/scarica", TestServer::Page{200, "application/octet-stream", "dati"});
        m_server.setPage("/cornice.html",
                         page("Cornice", "<iframe src=\"https://nonexistent.invalid/\"></iframe>"));
        m_server.setPage("/avvisi.html", page("Avvisi", "<script>setTimeout(function () {"
                                                        "  while (true) alert('ancora');"
                                                        "}, 0);</script>"));
        m_server.setPage("/finestre.html", page("...", "<script>for (var i = 0; i < 200; ++i)"
                                                       "  window.open('/seconda.html?' + i);"
                                                       "document.title = 'fatto';</script>"));
        m_server.setPage("/ticchetta.html", page("Ticchetta", "<script>setInterval(function () {"
                                                              "  fetch('/tic?' + Date.now());"
                                                              "}, 50);</script>"));
        m_server.setPage("/tic", "");
    }

    void cleanup()
    {
        torvi::test::closeSecondaryWindows();
        m_server.releaseHeldAnswers();
    }

    // After a renderer crash an address typed in the box went through location.replace in
    // the dead renderer and never loaded; only Refresh brought a page back.
    void typedAddressLoadsAfterACrash()
    {
        Program program(pageUrl("/pagina.html").toStdString());
        frmMain &w = *program.window;
        auto *adapter = static_cast<WebEngineAdapter *>(w.WebBrowser1);
        QVERIFY(waitUntil([&] { return w.windowTitle() == "Pagina"; }, timeout));
        QCOMPARE(::kill(static_cast<pid_t>(adapter->page()->renderProcessPid()), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(w.StatusBar2->panelText(1), qs(PageCrashedText), timeout);
        QVERIFY(completes(w.WebBrowser1, pageUrl("/seconda.html"),
                          [&] { torvi::test::typeAddress(w, pageUrl("/seconda.html")); }));
        QCOMPARE(w.windowTitle(), QStringLiteral("Seconda"));
    }

    // A load that was stopped, by the user or by becoming a download, is no failure: no
    // search replaces the page, whatever the address ends with, in either window.
    void stoppedLoadStartsNoSearch_data()
    {
        QTest::addColumn<bool>("secondary");
        QTest::addColumn<QString>("address");
        QTest::newRow("Esc") << false << pageUrl("/lenta.html");
        QTest::newRow("download in capitals") << false << pageUrl("/FILE.ZIP");
        QTest::newRow("download without an ending") << true << pageUrl("/scarica");
        QTest::newRow("a frame that fails") << false << pageUrl("/cornice.html");
    }

    void stoppedLoadStartsNoSearch()
    {
        QFETCH(bool, secondary);
        QFETCH(QString, address);
        Program program(pageUrl("/pagina.html").toStdString());
        frmMain &w = *program.window;
        QVERIFY(waitUntil([&] { return w.windowTitle() == "Pagina"; }, timeout));
        QWidget *window = &w;
        EngineView *engine = w.WebBrowser1;
        AddressLineEdit *box = w.Text1;
        if (secondary) {
            QVERIFY(w.newWebBrowser(pageUrl("/pagina.html").toStdString()));
            webForm *form = Program::secondaryWindows().value(0);
            QVERIFY(waitUntil([&] { return form->txtURL->text() == pageUrl("/pagina.html"); },
                              timeout));
            window = form;
            engine = form->WebBrowser1;
            box = form->txtURL;
        }
        // The save dialog is modal: it is answered from inside its own event loop.
        QTimer cancelDownloads;
        connect(&cancelDownloads, &QTimer::timeout, this, [&] {
            if (auto *dialog = window->findChild<QFileDialog *>("downloadDialog"))
                dialog->reject();
        });
        cancelDownloads.start(20);
        QSignalSpy failed(engine, &EngineView::NavigateError);
        const int fetched = m_server.requestCountStartingWith(address.mid(25).toLatin1());

        box->clear();
        QTest::keyClicks(box, address);
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(
            m_server.requestCountStartingWith(address.mid(25).toLatin1()) > fetched, timeout);
        if (address.endsWith("lenta.html"))
            QTest::keyClick(box, Qt::Key_Escape);
        // A later load of the same engine shows the stopped one has had every chance to fail.
        QVERIFY(completes(engine, pageUrl("/seconda.html"), [&] {
            program.hub.NavigateBrowser(pageUrl("/seconda.html").toStdString(), "", *engine, *box);
        }));
        QCOMPARE(failed.count(), 0);
        QCOMPARE(program.searchRequests(m_searchPrefix), 0);
    }

    // A page looping on alert() showed the next one the moment the last was closed; from
    // the second, a check box stops them, and the user can go on to another page.
    void alertLoopIsStoppedByTheCheckBox()
    {
        Program program(pageUrl("/avvisi.html").toStdString());
        program.messageBoxes.tickCheckBoxes = true;
        frmMain &w = *program.window;
        QTRY_COMPARE_WITH_TIMEOUT(program.messageBoxes.shown.size(), 2, timeout);
        QTest::qWait(300);
        QCOMPARE(program.messageBoxes.shown.size(), 2);
        const auto &first = program.messageBoxes.shown[0];
        QCOMPARE(first.text, QStringLiteral("ancora"));
        QCOMPARE(first.caption, QStringLiteral("Messaggio da www.torvi.example"));
        QCOMPARE(first.buttons, MessageButtons::Ok);
        QCOMPARE(first.checkBox, QString());
        QCOMPARE(program.messageBoxes.shown[1].checkBox, qs(RefuseMoreDialogs));

        QVERIFY(completes(w.WebBrowser1, pageUrl("/seconda.html"),
                          [&] { torvi::test::typeAddress(w, pageUrl("/seconda.html")); }));
        QCOMPARE(w.windowTitle(), QStringLiteral("Seconda"));
    }

    // 200 window.open calls in a loop held the main window with 200 questions in a row.
    void windowOpenLoopAsksOneAtATime()
    {
        Program program(pageUrl("/finestre.html").toStdString());
        program.messageBoxes.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel};
        program.messageBoxes.tickCheckBoxes = true;
        QTRY_COMPARE_WITH_TIMEOUT(program.window->windowTitle(), QStringLiteral("fatto"), timeout);
        QCOMPARE(program.messageBoxes.shown.size(), 2);
        QCOMPARE(program.messageBoxes.deepest, 1);
        QCOMPARE(program.messageBoxes.shown[0].checkBox, QString());
        QCOMPARE(program.messageBoxes.shown[1].checkBox, qs(RefuseMoreNewWindows));
        QCOMPARE(program.messageBoxes.shown[1].text, qs(NewWindowQuestion));
        QCOMPARE(Program::secondaryWindows().size(), 0);
    }

    // The closed main window's page went on running its scripts out of sight while a
    // secondary window kept the program open; the secondary window still works.
    void closedMainWindowGoesQuiet()
    {
        Program program(pageUrl("/ticchetta.html").toStdString());
        frmMain &w = *program.window;
        QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCountStartingWith("/tic?") > 3, timeout);
        QVERIFY(w.newWebBrowser(pageUrl("/pagina.html").toStdString()));
        webForm *form = Program::secondaryWindows().value(0);
        QVERIFY(
            waitUntil([&] { return form->txtURL->text() == pageUrl("/pagina.html"); }, timeout));

        w.close();
        QTest::qWait(500);
        const int ticks = m_server.requestCountStartingWith("/tic?");
        QTest::qWait(1000);
        QCOMPARE(m_server.requestCountStartingWith("/tic?"), ticks);

        const int counted = m_server.requestCount("/count.php");
        QVERIFY(completes(form->WebBrowser1, pageUrl("/seconda.html"), [&] {
            program.hub.NavigateBrowser(pageUrl("/seconda.html").toStdString(), "",
                                        *form->WebBrowser1, *form->txtURL);
        }));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCount("/count.php") > counted, timeout);
    }
};

QTEST_MAIN(PageTroubleTest)
#include "page_trouble_test.moc"
