// Torvi window tests: both toolbars, the address boxes and the new-window routine.
#include "nav/endpoints.h"
#include "support/main_window_fixture.h"
#include "ui/qt/twip_geometry.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

class ToolbarsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSecondaryWindows(); }
    void buttonsMakeOneHubCallOnTheirOwnEngine_data();
    void buttonsMakeOneHubCallOnTheirOwnEngine();
    void enterAndGoPictureSendTheTypedText_data() { addWindowRows(); }
    void enterAndGoPictureSendTheTypedText();
    void newWindowButtonsOpenTheSearchHomePage();
    void eighthNewWindowIsRefusedEvenAfterClosingOthers();
    void secondaryStartsWithTheSearchHost();
    void secondaryLayoutFollowsTheWindowSize();
};

void ToolbarsTest::buttonsMakeOneHubCallOnTheirOwnEngine_data()
{
    QTest::addColumn<bool>("secondary");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("url");
    const auto row = [](bool secondary, const char *button, const char *action,
                        std::string_view url) {
        QTest::addRow("%s %s", secondary ? "secondary" : "main", button)
            << secondary << QString(button) << QString(action)
            << QString::fromUtf8(url.data(), url.size());
    };
    const torvi::Endpoints endpoints = torvi::builtInEndpoints();
    for (bool secondary : {false, true}) {
        row(secondary, "cmdIndietro", "back", {});
        row(secondary, "cmdAvanti", "next", {});
        row(secondary, "cmdRefresh", "refresh", {});
        row(secondary, "cmdHome", "", endpoints.HomeUrl);
        row(secondary, "cmdInfo", "", endpoints.InfoUrl);
    }
    row(false, "Command3", "", endpoints.SearchHomeUrl);
    row(true, "cmdCerca", "", endpoints.SearchHomeUrl + "/"); // with its trailing slash
}

void ToolbarsTest::buttonsMakeOneHubCallOnTheirOwnEngine()
{
    QFETCH(bool, secondary);
    QFETCH(QString, button);
    QFETCH(QString, action);
    QFETCH(QString, url);
    MainWindowFixture f;
    const WindowParts t = f.parts(secondary);
    QVERIFY(t.window);
    f.window->List1->show();
    f.hub.calls.clear();
    QTest::mouseClick(t.window->findChild<PictureButton *>(button), Qt::LeftButton);
    QCOMPARE(f.hub.calls,
             (QList<HubCall>{{url.toStdString(), action.toStdString(), t.page, t.box}}));
    // The main window's buttons close its command list first.
    QCOMPARE(f.window->List1->isHidden(), !secondary);
}

// Enter (either key) and the go picture send the text as it stands, other keys nothing; the
// command list stays open.
void ToolbarsTest::enterAndGoPictureSendTheTypedText()
{
    QFETCH(bool, secondary);
    MainWindowFixture f;
    const WindowParts t = f.parts(secondary);
    QVERIFY(t.window);
    f.window->List1->show();
    f.hub.calls.clear();
    t.box->clear();
    QTest::keyClicks(t.box, "abc");
    QTest::keyClick(t.box, Qt::Key_Tab);
    QVERIFY(f.hub.calls.isEmpty());

    t.box->setText("  www.esempio.it ");
    QTest::keyClick(t.box, Qt::Key_Return);
    QTest::mouseClick(t.go, Qt::LeftButton);
    t.box->clear();
    QTest::keyClick(t.box, Qt::Key_Enter);
    const HubCall typed{"  www.esempio.it ", "", t.page, t.box};
    QCOMPARE(f.hub.calls, (QList<HubCall>{typed, typed, {"", "", t.page, t.box}}));
    QVERIFY(!f.window->List1->isHidden());
}

void ToolbarsTest::newWindowButtonsOpenTheSearchHomePage()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.List1->show();
    f.hub.calls.clear();
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.List1->isHidden());
    QCOMPARE(secondaryWindows().size(), 1);
    webForm *first = secondaryWindows()[0];
    QVERIFY(first->isVisible());
    QVERIFY(first->windowState() & Qt::WindowMaximized);

    // A secondary window's button opens the next one through the main window.
    QTest::mouseClick(first->Command2, Qt::LeftButton);
    QCOMPARE(secondaryWindows().size(), 2);
    webForm *second = secondaryWindows()[secondaryWindows()[0] == first ? 1 : 0];
    const std::string home = torvi::builtInEndpoints().SearchHomeUrl;
    QCOMPARE(f.hub.calls, (QList<HubCall>{{home, "", first->WebBrowser1, first->txtURL},
                                          {home, "", second->WebBrowser1, second->txtURL}}));
    QVERIFY(f.messageBoxes.shown.isEmpty());
}

void ToolbarsTest::eighthNewWindowIsRefusedEvenAfterClosingOthers()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    for (int i = 0; i < 7; ++i) {
        QVERIFY(w.newWebBrowser("http://a.example/" + std::to_string(i)));
        closeSecondaryWindows();
    }
    QVERIFY(f.messageBoxes.shown.isEmpty());
    f.hub.calls.clear();
    QVERIFY(!w.newWebBrowser());
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QCOMPARE(secondaryWindows().size(), 0);
    QCOMPARE(f.hub.calls.size(), 0);
    QCOMPARE(f.messageBoxes.shown.size(), 2);
    const ShownMessage &m = f.messageBoxes.shown[0];
    QCOMPARE(m.text, QString("Impossibile Creare una nuova finestra"));
    QCOMPARE(m.icon, MessageIcon::Critical);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.caption, QString("Torvi"));
}

void ToolbarsTest::secondaryStartsWithTheSearchHost()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    QCOMPARE(form->txtURL->text(), QString("www.google.it"));
    QCOMPARE(form->windowTitle(), QString());
    QCOMPARE(form->Label1->text(), QString("Indirizzo da visitare:"));
    const QList<std::pair<QString, QString>> tips = {
        {"cmdIndietro", "Vai Indietro"},      {"cmdAvanti", "Vai Avanti"},
        {"cmdRefresh", "Aggiorna la pagina"}, {"cmdCerca", "Cerca con google"},
        {"cmdHome", "Vai alla Home"},         {"cmdInfo", "Informazioni"},
        {"Command2", "Nuova Finestra"}};
    for (const auto &[name, tip] : tips) {
        auto *b = form->findChild<PictureButton *>(name);
        QVERIFY2(b && !b->icon().isNull(), qPrintable(name));
        QCOMPARE(b->toolTip(), tip);
    }
}

// The figures themselves are the layout's own tests; here, that the window applies them on
// a resize, and that a window too low keeps all but the engine's width.
void ToolbarsTest::secondaryLayoutFollowsTheWindowSize()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    form->showNormal();
    form->resize(1000, 700);
    QCoreApplication::processEvents();
    const float W = twipsOf(form->frameGeometry().width());
    const float H = twipsOf(form->frameGeometry().height());
    QCOMPARE(form->txtURL->geometry(),
             QRect(px(4320), form->txtURL->y(), px(W - 5215.0f), form->txtURL->height()));
    QCOMPARE(form->WebBrowser1->geometry(),
             QRect(px(100), px(600), px(W - 300), px(H - (600 + 375 + 500))));
    QCOMPARE(form->Picture1->geometry(), QRect(px(120), 0, px(W - 350), px(615)));
    QCOMPARE(form->Image1->x(), px(W - 795));

    const QRect logo = form->Image1->geometry();
    const int address = form->txtURL->width();
    form->resize(900, 60);
    QCoreApplication::processEvents();
    QCOMPARE(form->Image1->geometry(), logo);
    QCOMPARE(form->txtURL->width(), address);
    QCOMPARE(form->WebBrowser1->width(), px(twipsOf(form->frameGeometry().width()) - 300));
}

QTEST_MAIN(ToolbarsTest)
#include "toolbars_test.moc"
