// Torvi window tests: which windows keep the program running.
#include "support/main_window_fixture.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

namespace {

// Closes the window inside the program's event loop, the only place Qt ends a program whose
// last window has closed; answers whether the program ended.
bool programEndsOnClosing(QWidget *window)
{
    QTimer::singleShot(0, window, &QWidget::close);
    QTimer::singleShot(500, qApp, [] { QCoreApplication::exit(1); });
    return QApplication::exec() == 0;
}

} // namespace

class WindowLifecycleTest : public QObject
{
    Q_OBJECT

private slots:
    // Closing the main window closes no other window; the program ends with the last one.
    void programEndsWithItsLastWindow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("page source") << "Visualizza Sorgente";
        QTest::newRow("about box") << "Informazioni sul software";
        QTest::newRow("update page") << "Aggiornamenti";
    }

    void programEndsWithItsLastWindow()
    {
        QFETCH(QString, item);
        MainWindowFixture f;
        frmMain &w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.List1->show();
        w.List1->setCurrentItem(w.List1->findItems(item, Qt::MatchExactly).value(0));
        QTest::keyClick(w.List1, Qt::Key_Return);
        QWidget *other = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &w && top->isVisible())
                other = top;
        QVERIFY(other);

        QVERIFY(!programEndsOnClosing(&w));
        QVERIFY(other->isVisible());
        QVERIFY(programEndsOnClosing(other));
    }
};

QTEST_MAIN(WindowLifecycleTest)
#include "window_lifecycle_test.moc"
