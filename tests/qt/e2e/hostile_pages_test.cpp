// Torvi end-to-end: the whole program on the real engine against pages that try to break it.
#include "nav/page_events.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/engine_home.h"
#include "support/real_program.h"
#include "support/test_server.h"
#include "threats/danger_words.h"
#include "ui/qt/address_line_edit.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/status_panels.h"

#include <QApplication>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <algorithm>
#include <csignal>
#include <memory>
#include <string>

using namespace torvi;
using torvi::test::ScriptedMessageBoxes;
using torvi::test::TestServer;

namespace {

constexpr int timeout = 30000;
// The 50 MB body crosses from the renderer as one string and is then checked whole.
constexpr int bigBodyTimeout = 120000;

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString pageUrl(const char *path)
{
    return QStringLiteral("https://www.torvi.example") + QString::fromLatin1(path);
}

// A modal question runs its own event loop; so does this one, so a page that asks again
// while the first question is up would be seen doing so.
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

struct Program : torvi::test::BasicRealProgram<ModalMessageBoxes>
{
    explicit Program(const QString &commandLine) : BasicRealProgram(commandLine.toStdString()) {}

    WebEngineAdapter *page() const { return static_cast<WebEngineAdapter *>(window->WebBrowser1); }
    QString panel(int number) const { return window->StatusBar2->panelText(number); }
};

int shownSecondaryWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<webForm *>(w) != nullptr && w->isVisible();
    return n;
}

// Waits for the page engine's completion of the address (its verdict is set in the same
// handler).
bool waitForDocument(QSignalSpy &completed, const QString &url, int ms = timeout)
{
    return QTest::qWaitFor(
        [&] {
            return std::any_of(completed.cbegin(), completed.cend(),
                               [&](const QList<QVariant> &c) { return c.at(0).toString() == url; });
        },
        ms);
}

// Paragraphs of a kilobyte: with some 600 000 short ones instead, the renderer under this
// harness runs out of memory while still parsing (Qt 6.4, offscreen), before Torvi has seen
// the page; the program itself, started on the same page, handles it.
QByteArray bigBody()
{
    QByteArray html = "<html><head><title>Grande</title></head><body>";
    const QByteArray paragraph =
        "<p>" +
        QByteArray("Un paragrafo qualunque, ripetuto fino a cinquanta megabyte. ").repeated(16) +
        "</p>\n";
    html.reserve(50 * 1024 * 1024 + 2048);
    while (html.size() < 50 * 1024 * 1024)
        html += paragraph;
    // Only at the very end: a verdict of danger shows the whole body was checked.
    return html + "<p>exploit</p></body></html>";
}

} // namespace

class HostilePagesTest : public QObject
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
        (void)prepareMappedDrive("tester");
        const QByteArray small = "<html><head><title>Piccola</title></head><body>ok</body></html>";
        m_server.setPage("/torvi/ext-2.2/examples/desktop/desktop.html", small);
        m_server.setPage("/count.php", small);
        m_server.setPage("/pagina.html",
                         "<html><head><title>Pagina</title></head><body><p>Ciao</p></body></html>");
        m_server.setPage("/figlia.html", small);
        m_server.setPage("/finestre.html", "<html><head><title>...</title></head><body><script>"
                                           "for (var i = 0; i < 50; ++i)"
                                           "  window.open('/figlia.html?' + i);"
                                           "document.title = 'fatto';"
                                           "</script></body></html>");
        m_server.setPage("/chiude.html", "<html><head><title>Chiude</title></head><body>"
                                         "<script>window.close();</script></body></html>");
        m_server.setPage("/grande.html", bigBody());
        m_server.setPage("/lungo.html",
                         "<html><head><title>Lungo</title></head><body>lungo</body></html>");
    }

    // Each window.open asks once, after the previous answer; Cancel gives the page nothing.
    void fiftyWindowOpensCancelled()
    {
        Program program(pageUrl("/finestre.html"));
        program.messageBoxes.answers = QList<MessageAnswer>(50, MessageAnswer::Cancel);
        QTRY_COMPARE_WITH_TIMEOUT(program.window->windowTitle(), QStringLiteral("fatto"), timeout);
        QCOMPARE(program.messageBoxes.shown.size(), 50);
        for (const auto &shown : program.messageBoxes.shown)
            QCOMPARE(shown.buttons, MessageButtons::OkCancel);
        QCOMPARE(program.messageBoxes.deepest, 1);
        QCOMPARE(shownSecondaryWindows(), 0);
        QVERIFY(program.window->isVisible());
    }

    void fiftyMegabyteBodyIsChecked()
    {
        const QString address = pageUrl("/grande.html");
        Program program(address);
        QSignalSpy completed(program.window->WebBrowser1, &EngineView::DocumentComplete);
        QVERIFY(waitForDocument(completed, address, bigBodyTimeout));
        QCOMPARE(program.panel(2), qs(VerdictDanger));
        QVERIFY(program.window->listDanger->count() > 0);
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Grande"));
        QVERIFY(program.window->PageSource().size() > std::size_t(50 * 1000 * 1000));
        // Still answering: a queued call runs, and typed keys reach the address box.
        bool ran = false;
        QTimer::singleShot(0, program.window.get(), [&] { ran = true; });
        QTRY_VERIFY_WITH_TIMEOUT(ran, timeout);
        program.window->Text1->clear();
        QTest::keyClicks(program.window->Text1, QStringLiteral("ancora vivo"));
        QCOMPARE(program.window->Text1->text(), QStringLiteral("ancora vivo"));
    }

    void killedRendererIsReportedAndRefreshed()
    {
        Program program(pageUrl("/pagina.html"));
        QSignalSpy completed(program.window->WebBrowser1, &EngineView::DocumentComplete);
        QVERIFY(waitForDocument(completed, pageUrl("/pagina.html")));
        const qint64 pid = program.page()->page()->renderProcessPid();
        QVERIFY(pid > 0);
        const int fetched = m_server.requestCount("/pagina.html");

        QCOMPARE(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(program.panel(1), qs(PageCrashedText), timeout);
        QVERIFY(program.window->isVisible());

        completed.clear();
        program.window->cmdRefresh->click();
        QVERIFY(waitForDocument(completed, pageUrl("/pagina.html")));
        QVERIFY(m_server.requestCount("/pagina.html") > fetched);
        QCOMPARE(program.panel(1), QString());
        QCOMPARE(program.panel(2), qs(VerdictClean));
        QVERIFY(program.page()->page()->renderProcessPid() > 0);
    }

    // The main window has no handler for its page's close request.
    void windowCloseInMainWindowIgnored()
    {
        Program program(pageUrl("/chiude.html"));
        QSignalSpy closing(program.window->WebBrowser1, &EngineView::WindowClosing);
        QTRY_VERIFY_WITH_TIMEOUT(!closing.isEmpty(), timeout);
        QVERIFY(program.window->isVisible());
        QVERIFY(program.window->WebBrowser1->isVisible());
    }

    // The next pages of the site still load, through the hub as the user's do.
    void navigatingAfterWindowCloseInMainWindow()
    {
        Program program(pageUrl("/chiude.html"));
        QSignalSpy closing(program.window->WebBrowser1, &EngineView::WindowClosing);
        QSignalSpy completed(program.window->WebBrowser1, &EngineView::DocumentComplete);
        QTRY_VERIFY_WITH_TIMEOUT(!closing.isEmpty(), timeout);
        program.hub.NavigateBrowser(pageUrl("/pagina.html").toStdString(), "",
                                    *program.window->WebBrowser1, *program.window->Text1);
        QVERIFY(waitForDocument(completed, pageUrl("/pagina.html")));
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Pagina"));
        // Once more: the page that closes itself again, then the site's page again.
        program.hub.NavigateBrowser(pageUrl("/chiude.html").toStdString(), "",
                                    *program.window->WebBrowser1, *program.window->Text1);
        QTRY_COMPARE_WITH_TIMEOUT(closing.count(), 2, timeout);
        completed.clear();
        program.hub.NavigateBrowser(pageUrl("/pagina.html").toStdString(), "",
                                    *program.window->WebBrowser1, *program.window->Text1);
        QVERIFY(waitForDocument(completed, pageUrl("/pagina.html")));
        QVERIFY(program.window->isVisible());
    }

    // Marks the log must escape, in an address well past any field a user would type.
    void tenThousandCharacterAddress()
    {
        QString address = pageUrl("/lungo.html?q=");
        while (address.size() < 10000)
            address += QStringLiteral("a&b=c");
        address.truncate(10000);
        Program program(address);
        QSignalSpy completed(program.window->WebBrowser1, &EngineView::DocumentComplete);
        QVERIFY(waitForDocument(completed, address));
        QCOMPARE(program.window->Text1->text(), address);
        QCOMPARE(program.panel(2), qs(VerdictClean));

        const std::string log = readWholeFile(nativePath(program.log.path())).value_or("");
        QVERIFY(log.find(escapeLogAddress(address.toStdString())) != std::string::npos);
        QVERIFY(log.find("a&b") == std::string::npos);
        const std::string history =
            readWholeFile(nativePath("C:\\WINDOWS\\cronologia.txt")).value_or("");
        QVERIFY(history.find(address.toStdString()) != std::string::npos);
    }
};

QTEST_MAIN(HostilePagesTest)
#include "hostile_pages_test.moc"
