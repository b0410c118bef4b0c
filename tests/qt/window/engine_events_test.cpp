// Torvi window tests: how the main and secondary windows follow their engines' events.
#include "nav/endpoints.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/main_window_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace torvi;
using namespace torvi::test;

namespace {

int logRecords(const MainWindowFixture &f)
{
    const auto text = readWholeFile(nativePath(f.log.path())).value_or("");
    int n = 0;
    for (const auto &line : splitLines(text))
        n += line == "<connection>";
    return n;
}

std::vector<std::string> historyLines()
{
    return splitLines(readWholeFile(nativePath("C:\\WINDOWS\\cronologia.txt")).value_or(""));
}

// A file where a folder should be: nothing can be written into it, even by root.
void blockFolder(const std::string &windowsFolder)
{
    std::filesystem::remove_all(nativePath(windowsFolder));
    std::ofstream(nativePath(windowsFolder)) << "in the way";
}

} // namespace

class EngineEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSecondaryWindows(); }
    void documentCompleteInOrder();
    void unwritableFilesDoNotSkipTheCheck();
    void documentWithoutBodyEmptiesTheVerdict();
    void otherEnginesChangeNothing();
    void searchRule_data();
    void searchRule();
    void progressAndStatusTexts_data() { addWindowRows(); }
    void progressAndStatusTexts();
    void newWindowQuestionCancelAndOk_data();
    void newWindowQuestionCancelAndOk();
    void secondaryDocumentComplete();
    void listDangerClickClosesTheMenu();
};

void EngineEventsTest::documentCompleteInOrder()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    FakeEngine *page = f.fake(w.WebBrowser1);
    FakeEngine *counter = f.fake(w.WebBrowser3);
    page->location = "http://top.example/";
    w.List1->show();
    const int recordsBefore = logRecords(f);
    counter->calls.clear();

    page->completeDocument("http://frame.example/", "<p>ciao</p>", "Titolo || della pagina");

    QVERIFY(w.List1->isHidden());
    QCOMPARE(w.Text1->text(), QString("http://frame.example/"));
    QCOMPARE(logRecords(f), recordsBefore + 1);
    const QString log = QString::fromStdString(readWholeFile(nativePath(f.log.path())).value());
    QVERIFY2(log.endsWith("<URL>http://top.example/</URL>\r\n\t<Data-Ora>" +
                          log.section("<Data-Ora>", -1)),
             "the record carries the page's own address");
    QCOMPARE(w.PageSource(), std::string("<p>ciao</p>"));
    QCOMPARE(w.windowTitle(), QString("Titolo || della pagina"));
    const auto lines = historyLines();
    QCOMPARE(lines.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(lines[0]).startsWith("http://frame.example/||"));
    QVERIFY(QString::fromStdString(lines[0]).endsWith("||Titolo || della pagina"));
    QCOMPARE(w.StatusBar2->panelText(2), QString("Certificato"));
    QVERIFY(w.StatusBar2->panel(2)->alignment() & Qt::AlignHCenter);
    QCOMPARE(counter->calls, QStringList{"Refresh2"});
}

void EngineEventsTest::unwritableFilesDoNotSkipTheCheck()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    FakeEngine *page = f.fake(w.WebBrowser1);
    FakeEngine *counter = f.fake(w.WebBrowser3);
    page->completeDocument("http://a.example/", "pulita", "A");
    blockFolder("C:\\WINDOWS");
    blockFolder(applicationDirectory());
    counter->calls.clear();
    page->completeDocument("http://b.example/", "an exploit here", "B");
    QCOMPARE(w.windowTitle(), QString("B"));
    QCOMPARE(w.PageSource(), std::string("an exploit here"));
    QCOMPARE(w.StatusBar2->panelText(2), QString("Dati Sensibili"));
    QCOMPARE(counter->calls, QStringList{"Refresh2"});
}

void EngineEventsTest::documentWithoutBodyEmptiesTheVerdict()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    FakeEngine *page = f.fake(w.WebBrowser1);
    FakeEngine *counter = f.fake(w.WebBrowser3);
    page->completeDocument("http://a.example/", "pulita", "A");
    counter->calls.clear();
    page->completeDocumentWithoutBody("http://a.example/image.png");
    QCOMPARE(w.Text1->text(), QString("http://a.example/image.png"));
    QCOMPARE(w.StatusBar2->panelText(2), QString());
    QCOMPARE(w.windowTitle(), QString("A"));
    QCOMPARE(w.PageSource(), std::string("pulita"));
    QCOMPARE(historyLines().size(), std::size_t{1});
    QVERIFY(counter->calls.isEmpty());
}

void EngineEventsTest::otherEnginesChangeNothing()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    const QString caption = w.windowTitle();
    const QString address = w.Text1->text();
    f.fake(w.WebBrowser2)->completeDocument("http://tools.example/", "exploit", "Tools");
    f.fake(w.WebBrowser3)->completeDocument("http://count.example/", "exploit", "Count");
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.Text1->text(), address);
    QCOMPARE(w.StatusBar2->panelText(2), QString());
    QVERIFY(historyLines().empty());
    QCOMPARE(w.listDanger->count(), 0);
}

void EngineEventsTest::searchRule_data()
{
    QTest::addColumn<bool>("secondary");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("search"); // empty: no search
    const QString prefix = QString::fromStdString(torvi::builtInEndpoints().SearchQueryUrl);
    const auto row = [](bool secondary, const char *name, const QString &url, int status,
                        const QString &typed, const QString &search) {
        QTest::addRow("%s: %s", secondary ? "secondary" : "main", name)
            << secondary << url << status << typed << search;
    };
    row(false, "unresolvable host", "http://parola/", -105, "parola", prefix + "parola");
    row(false, "typed text, not the failed address", "http://x.example/", -105, "c++ & c#",
        prefix + "c%2B%2B%20%26%20c%23");
    row(false, "empty box: the prefix alone", "http://x.example/", -2, "", prefix);
    row(false, "server answer 404", "http://x.example/", 404, "x", {});
    row(false, "failed download", "http://x.example/a.zip", -3, "x", {});
    row(false, ".ZIP is not a download", "http://x.example/a.ZIP", -3, "x", prefix + "x");
    row(false, "a failed search does not search again", prefix + "x", -105, "x", {});
    // A secondary window searches for what its own box holds, in its own engine.
    row(true, "unresolvable host", "http://parola/", -105, "parola", prefix + "parola");
    row(true, "failed download", "http://x.example/a.zip", -3, "parola", {});
    row(true, "server answer 404", "http://x.example/", 404, "parola", {});
}

void EngineEventsTest::searchRule()
{
    QFETCH(bool, secondary);
    QFETCH(QString, url);
    QFETCH(int, status);
    QFETCH(QString, typed);
    QFETCH(QString, search);
    MainWindowFixture f;
    const WindowParts s = f.parts(secondary);
    QVERIFY(s.page);
    f.window->Text1->setText("altro");
    s.box->setText(typed);
    f.hub.calls.clear();
    s.page->failNavigation(url, status);
    QList<HubCall> expected;
    if (!search.isEmpty())
        expected.append({search.toStdString(), "", s.page, s.box});
    QCOMPARE(f.hub.calls, expected);
}

void EngineEventsTest::progressAndStatusTexts()
{
    QFETCH(bool, secondary);
    MainWindowFixture f;
    const WindowParts s = f.parts(secondary);
    QVERIFY(s.page);
    emit s.page->ProgressChange(300, 1000);
    QCOMPARE(s.status->panelText(3), QString(" 300/ 1000"));
    emit s.page->ProgressChange(-1, 1000);
    QCOMPARE(s.status->panelText(3), QString("-1/ 1000"));
    emit s.page->StatusTextChange("http://link.example/");
    QCOMPARE(s.status->panelText(1), QString("http://link.example/"));
    emit s.page->StatusTextChange("");
    QCOMPARE(s.status->panelText(1), QString());
}

void EngineEventsTest::newWindowQuestionCancelAndOk_data()
{
    QTest::addColumn<bool>("secondary");
    QTest::addColumn<QString>("question");
    QTest::newRow("main window") << false << "Richiesta nuova pagina vuoi aprirla con torvi ?";
    QTest::newRow("secondary window") << true << "Popup Richiesto Aprirlo ?";
}

void EngineEventsTest::newWindowQuestionCancelAndOk()
{
    QFETCH(bool, secondary);
    QFETCH(QString, question);
    MainWindowFixture f;
    FakeEngine *page = f.parts(secondary).page;
    QVERIFY(page);
    const qsizetype before = secondaryWindows().size();
    f.messageBoxes.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    QCOMPARE(page->requestNewWindow(), nullptr);
    QCOMPARE(secondaryWindows().size(), before);
    EngineView *engine = page->requestNewWindow();
    QVERIFY(engine);
    const auto forms = secondaryWindows();
    QCOMPARE(forms.size(), before + 1);
    QVERIFY(std::any_of(forms.begin(), forms.end(),
                        [&](const webForm *form) { return form->WebBrowser1 == engine; }));
    QCOMPARE(f.messageBoxes.shown.size(), 2);
    QCOMPARE(f.messageBoxes.shown[0].text, question);
    QCOMPARE(f.messageBoxes.shown[0].buttons, MessageButtons::OkCancel);
    QCOMPARE(f.messageBoxes.shown[0].icon, MessageIcon::None);
    QCOMPARE(f.messageBoxes.shown[0].caption, QString("Torvi"));
    // Such windows do not use up newWebBrowser's seven places.
    for (qsizetype i = before; i < 7; ++i)
        QVERIFY(f.window->newWebBrowser());
}

void EngineEventsTest::secondaryDocumentComplete()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    QVERIFY(w.newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    FakeEngine *engine = f.fake(form->WebBrowser1);
    FakeEngine *counter = f.fake(w.WebBrowser3);
    counter->calls.clear();
    const std::string source = w.PageSource();
    const int recordsBefore = logRecords(f);

    engine->completeDocument("http://a.example/p", "an exploit", "Pagina");
    QCOMPARE(form->txtURL->text(), QString("http://a.example/p"));
    QCOMPARE(form->windowTitle(),
             QString("Pagina - http://a.example/p - Torvi Personal Secure Browser"));
    QCOMPARE(form->StatusBar1->panelText(2), QString("Dati Sensibili"));
    QVERIFY(form->StatusBar1->panel(2)->alignment() & Qt::AlignHCenter);
    QCOMPARE(w.listDanger->count(), 1);
    QCOMPARE(w.listDanger->item(0)->text(), QString("http://a.example/p - 1 - Minaccia : exploit"));
    QCOMPARE(logRecords(f), recordsBefore + 1);
    QCOMPARE(counter->calls, QStringList{"Refresh2"});
    QCOMPARE(w.PageSource(), source);
    QVERIFY(historyLines().empty());

    engine->completeDocument("http://a.example/q", "pulita", "");
    QCOMPARE(form->windowTitle(), QString(" - http://a.example/q - Torvi Personal Secure Browser"));
    QCOMPARE(form->StatusBar1->panelText(2), QString("Certificato"));
}

void EngineEventsTest::listDangerClickClosesTheMenu()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    f.fake(w.WebBrowser1)->completeDocument("http://a.example/", "sex", "A");
    w.listDanger->show();
    w.List1->show();
    w.listDanger->setCurrentRow(0);
    QVERIFY(w.List1->isHidden());
    QCOMPARE(w.listDanger->count(), 1);
}

QTEST_MAIN(EngineEventsTest)
#include "engine_events_test.moc"
