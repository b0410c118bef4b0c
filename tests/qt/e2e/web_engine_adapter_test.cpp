// Torvi end-to-end: the WebEngine adapter against the local test server.
#include "nav/qt/browser_profile.h"
#include "nav/qt/web_engine_adapter.h"
#include "support/engine_home.h"
#include "support/test_server.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <memory>

using torvi::DocumentSnapshot;
using torvi::WebEngineAdapter;
using torvi::test::TestServer;

namespace {

constexpr int timeout = 20000;

const QByteArray simplePage =
    "<html><head><title>Prima pagina</title></head><body><p id=\"p\">Ciao &amp; benvenuto</p>"
    "</body></html>";

QString pageUrl(const char *path)
{
    return QStringLiteral("https://www.torvi.example") + QString::fromLatin1(path);
}

} // namespace

class WebEngineAdapterTest : public QObject
{
    Q_OBJECT

private:
    // The home is in place before the profile is made, on the first adapter.
    torvi::test::EngineHome m_home;
    TestServer m_server;

    std::unique_ptr<WebEngineAdapter> makeAdapter()
    {
        auto adapter =
            std::make_unique<WebEngineAdapter>(torvi::BrowserProfile::instance().profile());
        adapter->resize(800, 600);
        adapter->show();
        return adapter;
    }

    // Loads the address and waits for the top document's completion.
    static bool load(WebEngineAdapter &adapter, const QString &url)
    {
        QSignalSpy completed(&adapter, &WebEngineAdapter::DocumentComplete);
        if (!adapter.Navigate2(url.toStdString(), 0))
            return false;
        while (completed.wait(timeout))
            if (completed.last().at(0).toString() == url)
                return true;
        return false;
    }

    static QVariant runScript(WebEngineAdapter &adapter, const QString &script)
    {
        QVariant result;
        bool done = false;
        adapter.page()->runJavaScript(script, [&](const QVariant &v) {
            result = v;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, timeout))
            return QStringLiteral("<no answer>");
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "the test server needs a free port and TLS");
        torvi::test::mapTestHostsTo(m_server.serverPort());

        m_server.setPage("/prima.html", simplePage);
        m_server.setPage("/seconda.html",
                         "<html><head><title>Seconda</title></head><body>due</body></html>");
        m_server.setPage("/terza.html",
                         "<html><head><title>Terza</title></head><body>tre</body></html>");
        m_server.setPage("/cornice.html",
                         "<html><head><title>Cornice</title></head><body>"
                         "<iframe src=\"/riquadro1.html\"></iframe>"
                         "<iframe src=\"/riquadro2.html\"></iframe></body></html>");
        m_server.setPage("/riquadro1.html", "<html><body>uno</body></html>");
        m_server.setPage("/riquadro2.html", "<html><body>due</body></html>");
        m_server.setPage("/apri.html",
                         "<html><head><title>Apri</title></head><body></body></html>");
        m_server.setPage("/finestra.html",
                         "<html><head><title>Finestra</title></head><body>nuova</body></html>");
        m_server.setPage("/falso.html",
                         "<html><head><title>Falso</title><script>"
                         "console.log('" +
                             QByteArray(WebEngineAdapter::completionMarker) +
                             "https://falso.torvi.example/');"
                             "window.addEventListener('load', function () { console.log('" +
                             QByteArray(WebEngineAdapter::completionMarker) +
                             "https://falso.torvi.example/load'); });"
                             "</script></head><body>falso</body></html>");
        m_server.setPage("/scarica.html",
                         "<html><head><title>Scarica</title></head><body>"
                         "<a id=\"zip\" href=\"/archivio.zip\">zip</a></body></html>");
        m_server.setPage("/archivio.zip",
                         TestServer::Page{200, "application/zip",
                                          QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')});
        m_server.setPage("/lenta.html", TestServer::Page{200, "text/html",
                                                         "<html><body>lenta</body></html>", true});
        m_server.setPage("/figura.svg",
                         TestServer::Page{200, "image/svg+xml",
                                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" "
                                          "height=\"10\"><title>Figura</title></svg>"});
        m_server.setPage("/collegamento.html",
                         "<html><body style=\"margin:0\"><a href=\"/seconda.html\" "
                         "style=\"display:block;height:200px\">vai</a></body></html>");
        m_server.setPage("/errore.html",
                         TestServer::Page{500, "text/html", "<html><body>guasto</body></html>"});
    }

    void documentCompleteCarriesBodyAndTitle_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("https") << pageUrl("/prima.html");
        QTest::newRow("plain http") << QStringLiteral("http://www.torvi.example/prima.html");
        QTest::newRow("other mapped host") << QStringLiteral("https://www.google.it/prima.html");
    }

    void documentCompleteCarriesBodyAndTitle()
    {
        QFETCH(QString, url);
        auto adapter = makeAdapter();
        QCOMPARE(adapter->LocationURL(), std::string());
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QSignalSpy committed(adapter.get(), &WebEngineAdapter::NavigateComplete2);
        QSignalSpy progress(adapter.get(), &WebEngineAdapter::ProgressChange);
        QSignalSpy failed(adapter.get(), &WebEngineAdapter::NavigateError);

        QVERIFY(adapter->Navigate2(url.toStdString(), 0));
        QVERIFY(completed.wait(timeout));

        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed[0][0].toString(), url);
        const auto snapshot = completed[0][1].value<DocumentSnapshot>();
        QVERIFY(snapshot.hasBody);
        QCOMPARE(snapshot.bodyHtml, std::string("<p id=\"p\">Ciao &amp; benvenuto</p>"));
        QCOMPARE(snapshot.title, std::string("Prima pagina"));
        QCOMPARE(adapter->LocationURL(), url.toStdString());
        QVERIFY(!committed.isEmpty());
        QCOMPARE(committed.last()[0].toString(), url);
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last()[0].toInt() == 100, timeout);
        QCOMPARE(progress.last()[1].toInt(), 100);
        QVERIFY(failed.isEmpty());
        // The host names reach the local server unchanged, each scheme as itself.
        const QUrl asked(url);
        QVERIFY(std::any_of(m_server.requests().begin(), m_server.requests().end(),
                            [&](const TestServer::Request &r) {
                                return r.path == "/prima.html" &&
                                       r.host.startsWith(asked.host().toLatin1()) &&
                                       r.tls == (asked.scheme() == QLatin1String("https"));
                            }));
    }

    // The address the hub reads back right after Navigate2 is still the old one while the
    // new page has not answered; NavigateComplete2 comes with the answer.
    void navigationCommitsWithTheAnswer()
    {
        auto adapter = makeAdapter();
        QVERIFY(load(*adapter, pageUrl("/prima.html")));
        QSignalSpy committed(adapter.get(), &WebEngineAdapter::NavigateComplete2);
        QVERIFY(adapter->Navigate2(pageUrl("/lenta.html").toStdString(), 0));
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/lenta.html"), 1, timeout);
        QCOMPARE(committed.count(), 0);

        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        m_server.releaseHeldAnswers();
        QVERIFY(completed.wait(timeout));
        QCOMPARE(committed.count(), 1);
        QCOMPARE(committed[0][0].toString(), pageUrl("/lenta.html"));
        QCOMPARE(adapter->LocationURL(), pageUrl("/lenta.html").toStdString());
    }

    void documentWithoutBodySaysSo()
    {
        auto adapter = makeAdapter();
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->Navigate2(pageUrl("/figura.svg").toStdString(), 0));
        QVERIFY(completed.wait(timeout));
        const auto snapshot = completed[0][1].value<DocumentSnapshot>();
        QVERIFY(!snapshot.hasBody);
        QCOMPARE(snapshot.bodyHtml, std::string());
    }

    void hoveredLinkIsTheStatusText()
    {
        auto adapter = makeAdapter();
        QVERIFY(load(*adapter, pageUrl("/collegamento.html")));
        QSignalSpy status(adapter.get(), &WebEngineAdapter::StatusTextChange);
        // The view draws the page on a child widget that takes the mouse.
        QWidget *surface = adapter->findChild<QWebEngineView *>()->focusProxy();
        QVERIFY(surface);
        QTest::mouseMove(surface, QPoint(40, 40));
        QTRY_VERIFY_WITH_TIMEOUT(!status.isEmpty(), timeout);
        QCOMPARE(status.last()[0].toString(), pageUrl("/seconda.html"));
        QTest::mouseMove(surface, QPoint(40, 400));
        QTRY_COMPARE_WITH_TIMEOUT(status.last()[0].toString(), QString(), timeout);
    }

    void refreshFetchesThePageAgain()
    {
        auto adapter = makeAdapter();
        QVERIFY(load(*adapter, pageUrl("/terza.html")));
        const int before = m_server.requestCount("/terza.html");
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->Refresh2());
        QVERIFY(completed.wait(timeout));
        // At least once more: the engine may repeat a request whose connection closed.
        QVERIFY(m_server.requestCount("/terza.html") > before);
    }

    // An engine made to wait for a gate has no page (so no renderer) until the gate opens;
    // then it loads the newest address it was given, and a reload asked for meanwhile by a
    // counter-like engine still reaches the server after that load.
    void waitingEngineStartsWhenTheGateOpens()
    {
        torvi::StartGate gate(60000);
        WebEngineAdapter adapter(torvi::BrowserProfile::instance().profile(), nullptr,
                                 WebEngineAdapter::ReloadWhileLoading::Waits, &gate);
        adapter.resize(800, 600);
        adapter.show();
        const int firstBefore = m_server.requestCount("/prima.html");
        const int secondBefore = m_server.requestCount("/seconda.html");

        QVERIFY(adapter.Navigate2(pageUrl("/prima.html").toStdString(), 0));
        QVERIFY(adapter.Navigate2(pageUrl("/seconda.html").toStdString(), 0));
        QVERIFY(adapter.Refresh2());
        QVERIFY(!adapter.GoBack());
        QCOMPARE(adapter.LocationURL(), std::string());
        QTest::qWait(300);
        QVERIFY(adapter.page() == nullptr);
        QCOMPARE(m_server.requestCount("/seconda.html"), secondBefore);

        gate.open();
        QVERIFY(adapter.page() != nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/seconda.html"), secondBefore + 2,
                                  timeout);
        QCOMPARE(adapter.LocationURL(), pageUrl("/seconda.html").toStdString());
        QCOMPARE(m_server.requestCount("/prima.html"), firstBefore);

        // A gate nobody opens opens by itself after its longest wait.
        torvi::StartGate late(50);
        QSignalSpy opened(&late, &torvi::StartGate::opened);
        QVERIFY(opened.wait(timeout));
        QVERIFY(late.isOpen());
    }

    // What the search fallback relies on: every failure is one NavigateError, HTTP answers
    // positive, everything else negative.
    void failuresRaiseNavigateError_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("expected"); // 0: any negative code
        QTest::newRow("unknown host") << QStringLiteral("https://nonexistent.invalid/") << -105;
        QTest::newRow("http 404") << pageUrl("/mancante.html") << 404;
        QTest::newRow("http 500") << pageUrl("/errore.html") << 500;
        QTest::newRow("plain word") << QStringLiteral("ciao") << 0;
        QTest::newRow("words with spaces") << QStringLiteral("a b c") << 0;
        QTest::newRow("unsafe port") << QStringLiteral("http://127.0.0.1:1/") << 0;
    }

    void failuresRaiseNavigateError()
    {
        QFETCH(QString, address);
        QFETCH(int, expected);
        auto adapter = makeAdapter();
        QSignalSpy failed(adapter.get(), &WebEngineAdapter::NavigateError);
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->Navigate2(address.toStdString(), 0));
        QVERIFY(failed.wait(timeout));
        QCOMPARE(failed.count(), 1);
        // The engine's own error page is not a document of the address.
        for (const auto &event : completed)
            QVERIFY2(!event[0].toString().startsWith(QStringLiteral("chrome-error:")),
                     qPrintable(event[0].toString()));
        const int code = failed[0][1].toInt();
        if (expected == 0)
            QVERIFY2(code < 0, qPrintable(QString::number(code)));
        else
            QCOMPARE(code, expected);
    }

    void refusedCallsAnswerFalse()
    {
        auto adapter = makeAdapter();
        QVERIFY(!adapter->Navigate2("", 0));
        QVERIFY(!adapter->GoBack());
        QVERIFY(!adapter->GoForward());
        QVERIFY(load(*adapter, pageUrl("/prima.html")));
        QVERIFY(!adapter->GoBack());
        QVERIFY(load(*adapter, pageUrl("/seconda.html")));
        QVERIFY(!adapter->GoForward());

        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->GoBack());
        QVERIFY(completed.wait(timeout));
        QCOMPARE(completed.last()[0].toString(), pageUrl("/prima.html"));
        QVERIFY(adapter->GoForward());
        QVERIFY(completed.wait(timeout));
        QCOMPARE(completed.last()[0].toString(), pageUrl("/seconda.html"));
    }

    // One completion per document, the top one last, each with the top's snapshot.
    void framesCompleteOncePerDocument()
    {
        auto adapter = makeAdapter();
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->Navigate2(pageUrl("/cornice.html").toStdString(), 0));
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 3, timeout);

        QStringList urls;
        for (const auto &event : completed) {
            urls << event[0].toString();
            const auto snapshot = event[1].value<DocumentSnapshot>();
            QCOMPARE(snapshot.title, std::string("Cornice"));
            QVERIFY(snapshot.bodyHtml.find("<iframe") != std::string::npos);
        }
        QCOMPARE(urls.last(), pageUrl("/cornice.html"));
        urls.sort();
        QCOMPARE(urls, (QStringList{pageUrl("/cornice.html"), pageUrl("/riquadro1.html"),
                                    pageUrl("/riquadro2.html")}));

        // The next page's completion comes fourth: no frame reported twice in between.
        QVERIFY(load(*adapter, pageUrl("/prima.html")));
        QCOMPARE(completed.count(), 4);
    }

    void pageCannotForgeCompletions()
    {
        auto adapter = makeAdapter();
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(load(*adapter, pageUrl("/falso.html")));
        QCOMPARE(completed.count(), 1);
        QCOMPARE(completed[0][0].toString(), pageUrl("/falso.html"));
    }

    // Flag 2 swaps the current back/forward entry; the address reaches the page's script
    // only as a string literal, quotes and all.
    void navNoHistoryReplacesTheCurrentEntry_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("requestedPath");
        QTest::newRow("same origin") << pageUrl("/terza.html") << QByteArray("/terza.html");
        QTest::newRow("other origin")
            << QStringLiteral("http://altro.torvi.example/terza.html") << QByteArray("/terza.html");
        QTest::newRow("quotes in the address")
            << pageUrl("/terza.html?q=\"');document.title='x';//\\")
            << QByteArray("/terza.html?q=");
    }

    void navNoHistoryReplacesTheCurrentEntry()
    {
        QFETCH(QString, address);
        QFETCH(QByteArray, requestedPath);
        auto adapter = makeAdapter();
        QVERIFY(load(*adapter, pageUrl("/prima.html")));
        QVERIFY(load(*adapter, pageUrl("/seconda.html")));
        QCOMPARE(adapter->page()->history()->count(), 2);

        m_server.clearRequests();
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->Navigate2(address.toStdString(), torvi::Engine::navNoHistory));
        QVERIFY(completed.wait(timeout));
        // Not necessarily the last request: a new origin's icon may be asked for after it.
        QCOMPARE(m_server.requestCountStartingWith(requestedPath), 1);
        QCOMPARE(completed.last()[1].value<DocumentSnapshot>().title, std::string("Terza"));
        QCOMPARE(adapter->page()->history()->count(), 2);

        QVERIFY(adapter->GoBack());
        QVERIFY(completed.wait(timeout));
        QCOMPARE(completed.last()[0].toString(), pageUrl("/prima.html"));
    }

    void navNoHistoryOnAFreshEngineLoads()
    {
        auto adapter = makeAdapter();
        QVERIFY(
            adapter->Navigate2(pageUrl("/prima.html").toStdString(), torvi::Engine::navNoHistory));
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(completed.wait(timeout));
        QCOMPARE(adapter->page()->history()->count(), 1);
    }

    void windowOpenCancelledByTheHandler()
    {
        auto adapter = makeAdapter();
        int asked = 0;
        adapter->setNewWindowHandler([&]() -> torvi::EngineView * {
            ++asked;
            return nullptr;
        });
        QVERIFY(load(*adapter, pageUrl("/apri.html")));
        m_server.clearRequests();
        runScript(*adapter, "window.open('/finestra.html')");
        QCOMPARE(asked, 1);
        // A later load of the same engine is the sign that the refused one had its chance.
        QVERIFY(load(*adapter, pageUrl("/seconda.html")));
        QCOMPARE(m_server.requestCount("/finestra.html"), 0);
    }

    void windowOpenLoadsInTheHandlersEngineAndCloses()
    {
        auto adapter = makeAdapter();
        std::unique_ptr<WebEngineAdapter> opened;
        adapter->setNewWindowHandler([&]() -> torvi::EngineView * {
            opened = makeAdapter();
            return opened.get();
        });
        QVERIFY(load(*adapter, pageUrl("/apri.html")));
        QCOMPARE(
            runScript(*adapter, "window.popup = window.open('/finestra.html'); !!window.popup"),
            QVariant(true));
        QVERIFY(opened);
        QSignalSpy completed(opened.get(), &WebEngineAdapter::DocumentComplete);
        QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), timeout);
        QCOMPARE(completed[0][0].toString(), pageUrl("/finestra.html"));
        QCOMPARE(completed[0][1].value<DocumentSnapshot>().title, std::string("Finestra"));

        QSignalSpy closing(opened.get(), &WebEngineAdapter::WindowClosing);
        runScript(*opened, "window.close()");
        QTRY_COMPARE_WITH_TIMEOUT(closing.count(), 1, timeout);
    }

    // A window that stays after its first document asked to close it (the main window)
    // goes on in a fresh page: the closing page refuses script navigations, so the hub's
    // replace-the-entry navigation, a refresh and later pages must all still work.
    void windowThatStaysAfterACloseRequestGoesOn()
    {
        auto adapter = makeAdapter();
        QVERIFY(load(*adapter, pageUrl("/prima.html")));
        QSignalSpy closing(adapter.get(), &WebEngineAdapter::WindowClosing);
        runScript(*adapter, "window.close()");
        QTRY_COMPARE_WITH_TIMEOUT(closing.count(), 1, timeout);
        const QWebEnginePage *closingPage = adapter->page();

        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);
        QVERIFY(adapter->Navigate2(pageUrl("/seconda.html").toStdString(),
                                   torvi::Engine::navNoHistory));
        QVERIFY(adapter->page() != closingPage);
        QVERIFY(completed.wait(timeout));
        QCOMPARE(completed.last().at(0).toString(), pageUrl("/seconda.html"));
        QCOMPARE(completed.last().at(1).value<DocumentSnapshot>().title, std::string("Seconda"));

        QVERIFY(
            adapter->Navigate2(pageUrl("/terza.html").toStdString(), torvi::Engine::navNoHistory));
        QVERIFY(completed.wait(timeout));
        QCOMPARE(completed.last().at(0).toString(), pageUrl("/terza.html"));
        QCOMPARE(adapter->page()->history()->count(), 1);

        // A refresh of a page that asked to close reloads it in a fresh page as well.
        runScript(*adapter, "window.close()");
        QTRY_COMPARE_WITH_TIMEOUT(closing.count(), 2, timeout);
        const int fetched = m_server.requestCount("/terza.html");
        QVERIFY(adapter->Refresh2());
        QVERIFY(completed.wait(timeout));
        QCOMPARE(completed.last().at(0).toString(), pageUrl("/terza.html"));
        QVERIFY(m_server.requestCount("/terza.html") > fetched);
        QCOMPARE(closing.count(), 2);
    }

    // Qt 6.4 hands a .zip link to the downloads and stops the navigation with -3. The save
    // dialog proposes the download folder; the engine saves once it is answered.
    void zipLinkGoesToDownloads_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("saved") << true;
        QTest::newRow("cancelled") << false;
    }

    void zipLinkGoesToDownloads()
    {
        QFETCH(bool, save);
        auto adapter = makeAdapter();
        QVERIFY(load(*adapter, pageUrl("/scarica.html")));
        QSignalSpy failed(adapter.get(), &WebEngineAdapter::NavigateError);
        QSignalSpy completed(adapter.get(), &WebEngineAdapter::DocumentComplete);

        // The dialog is modal: it is answered from inside its own event loop.
        const QString downloads =
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        const QString target = QString::fromStdString((m_home.path() / "salvato.zip").string());
        QString proposed;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto *dialog = adapter->findChild<QFileDialog *>(QStringLiteral("downloadDialog"));
            if (!dialog || !dialog->isVisible())
                return;
            answer.stop();
            proposed = dialog->selectedFiles().value(0);
            if (save) {
                // Typed as a user does: selectFile() races the dialog's folder listing.
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                QVERIFY(name);
                name->setText(target);
                static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides it; same slot
            } else {
                dialog->reject();
            }
        });
        answer.start(20);

        runScript(*adapter, "document.getElementById('zip').click()");
        QTRY_VERIFY_WITH_TIMEOUT(!failed.isEmpty(), timeout);
        QCOMPARE(failed[0][0].toString(), pageUrl("/archivio.zip"));
        QCOMPARE(failed[0][1].toInt(), -3);
        QTRY_VERIFY_WITH_TIMEOUT(!answer.isActive(), timeout);
        QCOMPARE(proposed, downloads + QStringLiteral("/archivio.zip"));
        if (save)
            QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(target).size(), qint64(22), timeout);
        QCOMPARE(adapter->LocationURL(), pageUrl("/scarica.html").toStdString());
        QVERIFY(completed.isEmpty());
        QVERIFY(!QFileInfo::exists(downloads + QStringLiteral("/archivio.zip")));
        QFile::remove(target);
    }
};

QTEST_MAIN(WebEngineAdapterTest)
#include "web_engine_adapter_test.moc"
