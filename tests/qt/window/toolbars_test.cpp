// Torvi window tests: both toolbars, the address boxes and the new-window routine.
#include "app/qt/address_line_edit.h"
#include "app/qt/picture_button.h"
#include "app/qt/status_panels.h"
#include "app/qt/twip_geometry.h"
#include "endpoints.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "popup/popup_texts.h"
#include "popup/qt/web_form.h"
#include "support/main_window_fixture.h"
#include "support/secondary_windows.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <fstream>

using namespace torvi;
using namespace torvi::test;

class ToolbarsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSecondaryWindows(); }
    void mainButtonsMakeOneHubCallAndCloseTheMenu_data();
    void mainButtonsMakeOneHubCallAndCloseTheMenu();
    void enterAndGoPictureUseTheTypedTextAndLeaveTheMenu();
    void otherKeysDoNotNavigate();
    void newWindowButtonOpensTheSearchHomePage();
    void eighthNewWindowIsRefusedEvenAfterClosingOthers();
    void secondaryButtonsDriveTheirOwnEngine_data();
    void secondaryButtonsDriveTheirOwnEngine();
    void secondaryEnterAndLogo();
    void secondaryStartsWithTheSearchHost();
    void secondaryLayoutFollowsTheWindowSize();
    void secondaryLayoutStopsInAWindowTooLow();
    void localTestPageOpensAtStartUpInTheFirstPlace();
    void localTestPageIsNotOpenedWithACommandLine();
};

void ToolbarsTest::mainButtonsMakeOneHubCallAndCloseTheMenu_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("url");
    QTest::newRow("back") << "cmdIndietro"
                          << "back"
                          << "";
    QTest::newRow("forward") << "cmdAvanti"
                             << "next"
                             << "";
    QTest::newRow("refresh") << "cmdRefresh"
                             << "refresh"
                             << "";
    QTest::newRow("home") << "cmdHome"
                          << "" << QString::fromUtf8(HomeUrl.data(), HomeUrl.size());
    QTest::newRow("search") << "Command3"
                            << "" << QString::fromUtf8(SearchHomeUrl.data(), SearchHomeUrl.size());
    QTest::newRow("info") << "cmdInfo"
                          << "" << QString::fromUtf8(InfoUrl.data(), InfoUrl.size());
}

void ToolbarsTest::mainButtonsMakeOneHubCallAndCloseTheMenu()
{
    QFETCH(QString, button);
    QFETCH(QString, action);
    QFETCH(QString, url);
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.List1->show();
    f.hub.calls.clear();
    QTest::mouseClick(w.findChild<PictureButton *>(button), Qt::LeftButton);
    QCOMPARE(f.hub.calls.size(), 1);
    QCOMPARE(QString::fromStdString(f.hub.calls[0].action), action);
    QCOMPARE(QString::fromStdString(f.hub.calls[0].url), url);
    QCOMPARE(f.hub.calls[0].browser, static_cast<Engine *>(w.WebBrowser1));
    QCOMPARE(f.hub.calls[0].addressBox, static_cast<AddressBox *>(w.Text1));
    QVERIFY(w.List1->isHidden());
}

void ToolbarsTest::enterAndGoPictureUseTheTypedTextAndLeaveTheMenu()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.List1->show();
    f.hub.calls.clear();
    w.Text1->setText("  www.esempio.it ");
    QTest::keyClick(w.Text1, Qt::Key_Return);
    QTest::mouseClick(w.Image1, Qt::LeftButton);
    w.Text1->clear();
    QTest::keyClick(w.Text1, Qt::Key_Enter);
    QCOMPARE(f.hub.calls.size(), 3);
    QCOMPARE(f.hub.calls[0].url, std::string("  www.esempio.it "));
    QCOMPARE(f.hub.calls[1].url, std::string("  www.esempio.it "));
    QCOMPARE(f.hub.calls[2].url, std::string());
    for (const auto &call : f.hub.calls) {
        QCOMPARE(call.action, std::string());
        QCOMPARE(call.browser, static_cast<Engine *>(w.WebBrowser1));
    }
    QVERIFY(!w.List1->isHidden());
}

void ToolbarsTest::otherKeysDoNotNavigate()
{
    MainWindowFixture f;
    f.hub.calls.clear();
    QTest::keyClicks(f.window->Text1, "abc");
    QTest::keyClick(f.window->Text1, Qt::Key_Tab);
    QCOMPARE(f.hub.calls.size(), 0);
}

void ToolbarsTest::newWindowButtonOpensTheSearchHomePage()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.List1->show();
    f.hub.calls.clear();
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    QVERIFY(w.List1->isHidden());
    const auto forms = secondaryWindows();
    QCOMPARE(forms.size(), 1);
    QCOMPARE(f.hub.calls.size(), 1);
    QCOMPARE(f.hub.calls[0].url, std::string(SearchHomeUrl));
    QCOMPARE(f.hub.calls[0].browser, static_cast<Engine *>(forms[0]->WebBrowser1));
    QCOMPARE(f.hub.calls[0].addressBox, static_cast<AddressBox *>(forms[0]->txtURL));
    QVERIFY(forms[0]->isVisible());
    QVERIFY(forms[0]->windowState() & Qt::WindowMaximized);
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

void ToolbarsTest::secondaryButtonsDriveTheirOwnEngine_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("url");
    QTest::newRow("back") << "cmdIndietro"
                          << "back"
                          << "";
    QTest::newRow("forward") << "cmdAvanti"
                             << "next"
                             << "";
    QTest::newRow("refresh") << "cmdRefresh"
                             << "refresh"
                             << "";
    QTest::newRow("home") << "cmdHome"
                          << "" << QString::fromUtf8(HomeUrl.data(), HomeUrl.size());
    QTest::newRow("search, with its trailing slash")
        << "cmdCerca"
        << "" << QString::fromUtf8(SearchHomeUrl.data(), SearchHomeUrl.size()) + "/";
    QTest::newRow("info") << "cmdInfo"
                          << "" << QString::fromUtf8(InfoUrl.data(), InfoUrl.size());
}

void ToolbarsTest::secondaryButtonsDriveTheirOwnEngine()
{
    QFETCH(QString, button);
    QFETCH(QString, action);
    QFETCH(QString, url);
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    QVERIFY(form);
    f.hub.calls.clear();
    QTest::mouseClick(form->findChild<PictureButton *>(button), Qt::LeftButton);
    QCOMPARE(f.hub.calls.size(), 1);
    QCOMPARE(QString::fromStdString(f.hub.calls[0].action), action);
    QCOMPARE(QString::fromStdString(f.hub.calls[0].url), url);
    QCOMPARE(f.hub.calls[0].browser, static_cast<Engine *>(form->WebBrowser1));
    QCOMPARE(f.hub.calls[0].addressBox, static_cast<AddressBox *>(form->txtURL));
}

void ToolbarsTest::secondaryEnterAndLogo()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    f.hub.calls.clear();
    form->txtURL->setText("parola");
    QTest::keyClick(form->txtURL, Qt::Key_Return);
    QTest::mouseClick(form->Image1, Qt::LeftButton);
    form->txtURL->clear();
    QTest::keyClick(form->txtURL, Qt::Key_Return);
    QCOMPARE(f.hub.calls.size(), 3);
    QCOMPARE(f.hub.calls[0].url, std::string("parola"));
    QCOMPARE(f.hub.calls[1].url, std::string("parola"));
    QCOMPARE(f.hub.calls[2].url, std::string());
    QCOMPARE(f.hub.calls[2].browser, static_cast<Engine *>(form->WebBrowser1));

    // Its new-window button counts against the main window's seven places.
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(secondaryWindows().size(), 2);
}

void ToolbarsTest::secondaryStartsWithTheSearchHost()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    QCOMPARE(form->txtURL->text(), QString("www.google.it"));
    QCOMPARE(form->windowTitle(), QString());
    QCOMPARE(form->Label1->text(), QString("Indirizzo da visitare:"));
    QCOMPARE(form->StatusBar1->panelCount(), 3);
    const QList<std::pair<QString, QString>> tips = {
        {"cmdIndietro", "Vai Indietro"},      {"cmdAvanti", "Vai Avanti"},
        {"cmdRefresh", "Aggiorna la pagina"}, {"cmdCerca", "Cerca con google"},
        {"cmdHome", "Vai alla Home"},         {"cmdInfo", "Informazioni"},
        {"Command2", "Nuova Finestra"}};
    for (const auto &[name, tip] : tips) {
        auto *b = form->findChild<PictureButton *>(name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->toolTip(), tip);
        QCOMPARE(b->accessibleName(), tip);
        QVERIFY2(!b->icon().isNull(), qPrintable(name));
    }
}

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
    QCOMPARE(form->layoutState().txtUrlWidth, W - 5215.0f);
    QCOMPARE(form->txtURL->width(), px(W - 5215.0f));
    QCOMPARE(form->txtURL->x(), px(4320));
    QCOMPARE(form->WebBrowser1->geometry(),
             QRect(px(100), px(600), px(W - 300), px(H - (600 + 375 + 500))));
    QCOMPARE(form->Picture1->geometry(), QRect(px(120), 0, px(W - 350), px(615)));
    QCOMPARE(form->Image1->x(), px(W - 795));
}

void ToolbarsTest::secondaryLayoutStopsInAWindowTooLow()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = secondaryWindows().value(0);
    form->showNormal();
    form->resize(1000, 700);
    QCoreApplication::processEvents();
    const QRect logo = form->Image1->geometry();
    const int address = form->txtURL->width();
    form->resize(900, 60); // below the engine's top, the status bar and 500 twips
    QCoreApplication::processEvents();
    QCOMPARE(form->Image1->geometry(), logo);
    QCOMPARE(form->txtURL->width(), address);
    QCOMPARE(form->WebBrowser1->width(), px(twipsOf(form->frameGeometry().width()) - 300));
}

void ToolbarsTest::localTestPageOpensAtStartUpInTheFirstPlace()
{
    MainWindowFixture f("", LocalTestPage::Present);
    const auto forms = secondaryWindows();
    QCOMPARE(forms.size(), 1);
    QCOMPARE(f.hub.calls.size(), 4);
    QCOMPARE(f.hub.calls[0].url, std::string(StartPageUrl));
    QCOMPARE(f.hub.calls[1].url, localPageAddress("C:\\Programmi\\Torvi\\myModule\\test.html"));
    QCOMPARE(f.hub.calls[1].browser, static_cast<Engine *>(forms[0]->WebBrowser1));
    QCOMPARE(f.hub.calls[2].url, std::string(DesktopPageUrl));
    // It took the first of the seven places: six more fit, the eighth call does not.
    for (int i = 0; i < 6; ++i)
        QVERIFY(f.window->newWebBrowser());
    QVERIFY(!f.window->newWebBrowser());
}

void ToolbarsTest::localTestPageIsNotOpenedWithACommandLine()
{
    MainWindowFixture f("http://a.example/", LocalTestPage::Present);
    QCOMPARE(secondaryWindows().size(), 0);
    QCOMPARE(f.hub.calls.size(), 3);
}

QTEST_MAIN(ToolbarsTest)
#include "toolbars_test.moc"
