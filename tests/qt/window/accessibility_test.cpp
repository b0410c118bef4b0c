// Torvi window tests: every control can be found and read by assistive technology.
#include "popup/qt/web_form.h"
#include "support/main_window_fixture.h"
#include "tools/qt/frm_about.h"

#include <QAccessible>
#include <QApplication>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

namespace {

// Every visible or hidden control below the window, walked through the accessibility
// tree's own names; containers that only hold others are skipped.
QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue; // Qt's own inner parts (scroll bars, viewports) name themselves
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName();
    }
    return unnamed;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowControlsAreNamed();
    void secondaryWindowControlsAreNamed();
    void aboutBoxControlsAreNamed();
    void pictureButtonsAreNamedByTheirToolTips();
};

void AccessibilityTest::mainWindowControlsAreNamed()
{
    MainWindowFixture f;
    const QStringList unnamed = unnamedControls(f.window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
}

void AccessibilityTest::secondaryWindowControlsAreNamed()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    webForm *form = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if ((form = qobject_cast<webForm *>(w)))
            break;
    QVERIFY(form);
    const QStringList unnamed = unnamedControls(form);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    delete form;
}

void AccessibilityTest::aboutBoxControlsAreNamed()
{
    frmAbout about;
    const QStringList unnamed = unnamedControls(&about);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
}

void AccessibilityTest::pictureButtonsAreNamedByTheirToolTips()
{
    MainWindowFixture f;
    for (QWidget *w : f.window->findChildren<QWidget *>()) {
        if (w->toolTip().isEmpty())
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        QCOMPARE(iface->text(QAccessible::Name), w->toolTip());
        QCOMPARE(iface->role(), QAccessible::Button);
    }
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
