// Torvi window tests: every control can be found and read by assistive technology.
#include "popup/qt/web_form.h"
#include "support/main_window_fixture.h"
#include "support/secondary_windows.h"
#include "tools/qt/frm_about.h"

#include <QAccessible>
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
    void controlsOfEveryWindowAreNamed();
    void pictureButtonsAreNamedByTheirToolTips();
};

void AccessibilityTest::controlsOfEveryWindowAreNamed()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    const std::unique_ptr<webForm> form(secondaryWindows().value(0));
    QVERIFY(form);
    frmAbout about;
    for (QWidget *window : QList<QWidget *>{f.window.get(), form.get(), &about}) {
        const QStringList unnamed = unnamedControls(window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(window->objectName() + ": " + unnamed.join(", ")));
    }
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
