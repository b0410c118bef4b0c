// Torvi window tests: the main window's controls and its start-up.
#include "nav/endpoints.h"
#include "nav/windows_path.h"
#include "support/main_window_fixture.h"
#include "ui/qt/twip_geometry.h"

#include <QListWidget>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

class FrmMainStartupTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSecondaryWindows(); }
    void startsWithTheDesignedTexts();
    void stackingOrderBottomToTop();
    void startupOpensThePagesInOrder_data();
    void startupOpensThePagesInOrder();
    void startupSizesThePageAreaBeforeTheCounterPage();
};

void FrmMainStartupTest::startsWithTheDesignedTexts()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    QCOMPARE(w.windowTitle(), QString("Torvi - Personal Secure Browser"));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.Text1->text(), QString("torvi://sito"));

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
    QCOMPARE(w.StatusBar2->panelText(4), QString("Preferiti"));

    QCOMPARE(w.List1->count(), 15);
    QCOMPARE(w.List1->item(0)->text(), QString("_______| Settaggi |________"));
    QCOMPARE(w.List1->item(4)->text(), QString(24, '_'));
    QCOMPARE(w.List1->item(5)->text(), QString("_______| Strumenti |_______"));
    QCOMPARE(w.List1->item(14)->text(), QString("Informazioni sul software"));

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

void FrmMainStartupTest::startupOpensThePagesInOrder_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("testPage"); // the local test page in the application folder
    QTest::addColumn<QString>("first");
    const QString start = QString::fromStdString(torvi::builtInEndpoints().StartPageUrl);
    QTest::newRow("no command line") << "" << false << start;
    QTest::newRow("command line taken unchanged")
        << "  \"http://a.example/x y\" " << false << "  \"http://a.example/x y\" ";
    QTest::newRow("local test page before the tools page") << "" << true << start;
}

void FrmMainStartupTest::startupOpensThePagesInOrder()
{
    QFETCH(QString, commandLine);
    QFETCH(bool, testPage);
    QFETCH(QString, first);
    MainWindowFixture f(commandLine.toStdString(),
                        testPage ? LocalTestPage::Present : LocalTestPage::Absent);
    frmMain &w = *f.window;
    QList<HubCall> expected{{first.toStdString(), "", w.WebBrowser1, w.Text1}};
    QCOMPARE(secondaryWindows().size(), testPage ? 1 : 0);
    if (testPage)
        expected.append({localPageAddress("C:\\Programmi\\Torvi\\myModule\\test.html"), "",
                         secondaryWindows()[0]->WebBrowser1, secondaryWindows()[0]->txtURL});
    expected.append({torvi::builtInEndpoints().DesktopPageUrl, "", w.WebBrowser2, w.Text2});
    expected.append({torvi::builtInEndpoints().CounterUrl, "", w.WebBrowser3, w.Text2});
    QCOMPARE(f.hub.calls, expected);
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
