// Torvi window tests: the main window's controls and its start-up.
#include "app/main_geometry.h"
#include "app/qt/address_line_edit.h"
#include "app/qt/picture_button.h"
#include "app/qt/status_panels.h"
#include "app/qt/twip_geometry.h"
#include "endpoints.h"
#include "support/main_window_fixture.h"

#include <QGroupBox>
#include <QListWidget>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

class FrmMainStartupTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsSitAtTheirDesignedPlaces();
    void startsWithTheDesignedTexts();
    void stackingOrderBottomToTop();
    void startupWithoutCommandLine();
    void startupWithCommandLineTakesItUnchanged();
    void startupSizesThePageAreaBeforeTheCounterPage();
};

// The views of the page area are sized by the start-up, below; the rest keep their twips.
void FrmMainStartupTest::controlsSitAtTheirDesignedPlaces()
{
    MainWindowFixture f;
    namespace D = MainDesign;
    const std::pair<const char *, TwipRect> designed[] = {
        {"cmdIndietro", D::cmdIndietro}, {"cmdAvanti", D::cmdAvanti}, {"cmdRefresh", D::cmdRefresh},
        {"cmdHome", D::cmdHome},         {"Command3", D::Command3},   {"cmdInfo", D::cmdInfo},
        {"Command2", D::Command2},       {"Text1", D::Text1},         {"Image1", D::Image1},
        {"Image2", D::Image2},           {"List1", D::List1},         {"Shape1", D::Shape1},
        {"WebBrowser3", D::WebBrowser3}, {"Text2", D::Text2},         {"Frame1", D::Frame1},
        {"Frame2", D::Frame2},
    };
    for (const auto &[name, r] : designed) {
        auto *control = f.window->findChild<QWidget *>(name);
        QVERIFY2(control, name);
        QCOMPARE(std::pair(QString(name), control->geometry()),
                 std::pair(QString(name), QRect(px(r.left), px(r.top), px(r.width), px(r.height))));
    }
}

void FrmMainStartupTest::startsWithTheDesignedTexts()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    QCOMPARE(w.windowTitle(), QString("Torvi - Personal Secure Browser"));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.Text1->text(), QString("https://www.torvi.example"));
    QCOMPARE(w.Text1->font().pointSize(), 12);
    QCOMPARE(w.Text2->text(), QString("Text2"));

    const QList<std::pair<PictureButton *, QString>> tips = {{w.cmdIndietro, "Vai indietro"},
                                                             {w.cmdAvanti, "Vai avanti"},
                                                             {w.cmdRefresh, "Aggiorna la pagina"},
                                                             {w.cmdHome, "Vai alla home"},
                                                             {w.Command3, "Cerca con google"},
                                                             {w.cmdInfo, "Informazioni"},
                                                             {w.Command2, "Nuova Finestra"},
                                                             {w.Image1, "Vai"},
                                                             {w.Image2, "Menu"}};
    for (const auto &[button, tip] : tips)
        QCOMPARE(button->accessibleName(), tip);
    QCOMPARE(w.cmdIndietro->toolTip(), QString("Vai indietro"));

    QCOMPARE(w.StatusBar2->panelCount(), 4);
    QCOMPARE(w.StatusBar2->panelText(4), QString("Preferiti"));
    QCOMPARE(w.StatusBar1->panelCount(), 1);
    QCOMPARE(w.Frame1->title(), QString("Preferiti"));
    QCOMPARE(w.Frame2->title(), QString("Cronologia"));

    QCOMPARE(w.List1->count(), 15);
    QCOMPARE(w.List1->item(0)->text(), QString("_______| Settaggi |________"));
    QCOMPARE(w.List1->item(5)->text().size(), 27);
    QCOMPARE(w.List1->item(4)->text(), QString(24, '_'));
    QCOMPARE(w.List1->item(14)->text(), QString("Informazioni sul software"));

    // Shown and hidden at start, as designed.
    for (QWidget *hidden :
         QList<QWidget *>{w.List1, w.WebBrowser2, w.listDanger, w.Text2, w.Frame1, w.Frame2})
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    for (QWidget *shown : QList<QWidget *>{w.WebBrowser1, w.WebBrowser3, w.Text1})
        QVERIFY2(!shown->isHidden(), qPrintable(shown->objectName()));
}

void FrmMainStartupTest::stackingOrderBottomToTop()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    const QObjectList &children = w.children();
    const QList<QWidget *> order = {w.WebBrowser3, w.WebBrowser1, w.WebBrowser2, w.listDanger,
                                    w.Frame1,      w.Frame2,      w.List1};
    for (int i = 1; i < order.size(); ++i)
        QVERIFY2(children.indexOf(order[i - 1]) < children.indexOf(order[i]),
                 qPrintable(order[i]->objectName()));
}

void FrmMainStartupTest::startupWithoutCommandLine()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    const auto &calls = f.hub.calls;
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].url, std::string(StartPageUrl));
    QCOMPARE(calls[0].browser, static_cast<Engine *>(w.WebBrowser1));
    QCOMPARE(calls[0].addressBox, static_cast<AddressBox *>(w.Text1));
    QCOMPARE(calls[1].url, std::string(DesktopPageUrl));
    QCOMPARE(calls[1].browser, static_cast<Engine *>(w.WebBrowser2));
    QCOMPARE(calls[1].addressBox, static_cast<AddressBox *>(w.Text2));
    QCOMPARE(calls[2].url, std::string(CounterUrl));
    QCOMPARE(calls[2].browser, static_cast<Engine *>(w.WebBrowser3));
    QCOMPARE(calls[2].addressBox, static_cast<AddressBox *>(w.Text2));
    for (const auto &call : calls)
        QCOMPARE(call.action, std::string());
}

void FrmMainStartupTest::startupWithCommandLineTakesItUnchanged()
{
    MainWindowFixture f("  \"http://a.example/x y\" ");
    const auto &calls = f.hub.calls;
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].url, std::string("  \"http://a.example/x y\" "));
    QCOMPARE(calls[0].browser, static_cast<Engine *>(f.window->WebBrowser1));
    QCOMPARE(calls[1].url, std::string(DesktopPageUrl));
    QCOMPARE(calls[2].url, std::string(CounterUrl));
}

void FrmMainStartupTest::startupSizesThePageAreaBeforeTheCounterPage()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    // The outer size at load time is the restored one; W - W/20 by H - H/20.
    const float W = twipsOf(w.frameGeometry().width());
    const float H = twipsOf(w.frameGeometry().height());
    const QSize page(px(W - W / 20.0f), px(H - H / 20.0f));
    QCOMPARE(w.WebBrowser1->size(), page);
    QCOMPARE(w.listDanger->size(), page);
    QCOMPARE(w.WebBrowser2->size(), page);
    QCOMPARE(w.WebBrowser1->pos(), QPoint(px(120), px(840)));
}

QTEST_MAIN(FrmMainStartupTest)
#include "frm_main_startup_test.moc"
