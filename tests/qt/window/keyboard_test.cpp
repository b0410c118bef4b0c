// Torvi window tests: the browser keys of both windows.
#include "support/main_window_fixture.h"

#include <QtTest>

using namespace torvi;
using namespace torvi::test;

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSecondaryWindows(); }
    void keysGoThroughTheHub_data();
    void keysGoThroughTheHub();
    void addressKeysSelectTheAddress();
    void tabFollowsTheToolbar();
};

void KeyboardTest::keysGoThroughTheHub_data()
{
    QTest::addColumn<bool>("secondary");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("action");
    for (bool secondary : {false, true}) {
        const char *window = secondary ? "secondary" : "main";
        QTest::addRow("%s Alt+Left", window) << secondary << (Qt::ALT | Qt::Key_Left) << "back";
        QTest::addRow("%s Alt+Right", window) << secondary << (Qt::ALT | Qt::Key_Right) << "next";
        QTest::addRow("%s F5", window) << secondary << QKeyCombination(Qt::Key_F5) << "refresh";
        QTest::addRow("%s Esc", window) << secondary << QKeyCombination(Qt::Key_Escape) << "(stop)";
    }
}

void KeyboardTest::keysGoThroughTheHub()
{
    QFETCH(bool, secondary);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, action);
    MainWindowFixture f;
    const WindowParts t = f.parts(secondary);
    QVERIFY(t.window);
    t.window->show();
    t.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.window));
    f.hub.calls.clear();
    QTest::keyClick(t.window, key.key(), key.keyboardModifiers());
    QCOMPARE(f.hub.calls, (QList<HubCall>{{"", action.toStdString(), t.page, t.box}}));
    // The engine got exactly the one matching call, beside its first page.
    QCOMPARE(t.page->calls.size(), 2);
}

void KeyboardTest::addressKeysSelectTheAddress()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (QKeyCombination key :
         {QKeyCombination(Qt::CTRL | Qt::Key_L), QKeyCombination(Qt::Key_F6)}) {
        w.cmdHome->setFocus();
        w.Text1->deselect();
        f.hub.calls.clear();
        QTest::keyClick(&w, key.key(), key.keyboardModifiers());
        QVERIFY(w.Text1->hasFocus());
        QCOMPARE(w.Text1->selectedText(), w.Text1->text());
        QVERIFY(f.hub.calls.isEmpty());
    }
}

void KeyboardTest::tabFollowsTheToolbar()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    const QList<QWidget *> order = {w.cmdIndietro, w.cmdAvanti, w.cmdRefresh, w.cmdHome, w.Command3,
                                    w.cmdInfo,     w.Command2,  w.Text1,      w.Image1,  w.Image2};
    for (int i = 1; i < order.size(); ++i)
        QCOMPARE(order[i - 1]->nextInFocusChain(), order[i]);
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
