// Torvi window tests: the main window's controls and its start-up.
#include "app/app_texts.h"
#include "app/main_geometry.h"
#include "app/qt/address_line_edit.h"
#include "app/qt/picture_button.h"
#include "app/qt/status_panels.h"
#include "app/qt/twip_geometry.h"
#include "endpoints.h"
#include "support/main_window_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

class FrmMainStartupTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsSitAtTheirDesignedPlaces_data();
    void controlsSitAtTheirDesignedPlaces();
    void startsWithTheDesignedTexts();
    void stackingOrderBottomToTop();
    void startupWithoutCommandLine();
    void startupWithCommandLineTakesItUnchanged();
    void startupSizesThePageAreaBeforeTheCounterPage();
    void startupWritesTheLog();
};

void FrmMainStartupTest::controlsSitAtTheirDesignedPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const auto row = [](const char *name, TwipRect r) {
        QTest::newRow(name) << QString(name) << r.left << r.top << r.width << r.height;
    };
    row("cmdIndietro", MainDesign::cmdIndietro);
    row("cmdAvanti", MainDesign::cmdAvanti);
    row("cmdRefresh", MainDesign::cmdRefresh);
    row("cmdHome", MainDesign::cmdHome);
    row("Command3", MainDesign::Command3);
    row("cmdInfo", MainDesign::cmdInfo);
    row("Command2", MainDesign::Command2);
    row("Text1", MainDesign::Text1);
    row("Image1", MainDesign::Image1);
    row("Image2", MainDesign::Image2);
    row("List1", MainDesign::List1);
    row("Shape1", MainDesign::Shape1);
    row("WebBrowser3", MainDesign::WebBrowser3);
    row("Text2", MainDesign::Text2);
    row("Frame1", MainDesign::Frame1);
    row("Frame2", MainDesign::Frame2);
}

void FrmMainStartupTest::controlsSitAtTheirDesignedPlaces()
{
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    MainWindowFixture f;
    auto *control = f.window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), QRect(px(left), px(top), px(width), px(height)));
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
    QCOMPARE(w.List1->item(0)->text().size(), 27);
    QCOMPARE(w.List1->item(5)->text().size(), 27);
    QCOMPARE(w.List1->item(4)->text(), QString(24, '_'));
    QCOMPARE(w.List1->item(14)->text(), QString("Informazioni sul software"));

    // Shown and hidden at start, as designed.
    for (QWidget *hidden : {static_cast<QWidget *>(w.List1), static_cast<QWidget *>(w.WebBrowser2),
                            static_cast<QWidget *>(w.listDanger), static_cast<QWidget *>(w.Text2),
                            static_cast<QWidget *>(w.Frame1), static_cast<QWidget *>(w.Frame2)})
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    for (QWidget *shown : {static_cast<QWidget *>(w.WebBrowser1),
                           static_cast<QWidget *>(w.WebBrowser3), static_cast<QWidget *>(w.Text1)})
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
    for (const auto &call : calls)
        QVERIFY(call.url != std::string(StartPageUrl));
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

void FrmMainStartupTest::startupWritesTheLog()
{
    MainWindowFixture f;
    // Each address request logs the engine's address right after the request.
    const QString log =
        QString::fromStdString(readWholeFile(nativePath(f.log.path())).value_or(std::string()));
    QCOMPARE(log.count("<connection>"), 3);
    QVERIFY(log.contains(QString::fromUtf8(StartPageUrl.data(), StartPageUrl.size())));
}

QTEST_MAIN(FrmMainStartupTest)
#include "frm_main_startup_test.moc"
