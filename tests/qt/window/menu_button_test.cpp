// Torvi window tests: the menu button and the command list under the mouse.
#include "support/main_window_fixture.h"

#include <QListWidget>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

class MenuButtonTest : public QObject
{
    Q_OBJECT

private slots:
    // The list took the focus from the button's click, hid, and the click opened it again.
    void secondClickClosesTheFocusedList()
    {
        MainWindowFixture f;
        frmMain &w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.Image2, Qt::LeftButton);
        w.List1->setFocus();
        QVERIFY(w.List1->hasFocus());
        QTest::mouseClick(w.Image2, Qt::LeftButton);
        QVERIFY(w.List1->isHidden());
    }

    void rightClickChangesNothing()
    {
        MainWindowFixture f;
        frmMain &w = *f.window;
        w.show();
        QTest::mouseClick(w.Image2, Qt::LeftButton);
        w.List1->setCurrentRow(0);
        f.hub.calls.clear();
        const int row = 2; // "Aggiornamenti", which would open a window
        const QPoint place = w.List1->visualItemRect(w.List1->item(row)).center();
        QTest::mouseClick(w.List1->viewport(), Qt::RightButton, {}, place);
        QTest::mouseDClick(w.List1->viewport(), Qt::RightButton, {}, place);
        QCOMPARE(w.List1->currentRow(), 0);
        QVERIFY(!w.List1->isHidden());
        QVERIFY(f.hub.calls.isEmpty());
    }
};

QTEST_MAIN(MenuButtonTest)
#include "menu_button_test.moc"
