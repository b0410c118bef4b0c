// Torvi window tests: every control can be found and read by assistive technology.
#include "support/main_window_fixture.h"
#include "tools/qt/frm_about.h"

#include <QAccessible>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

namespace {

// Every visible or hidden control below the window, walked through the accessibility
// tree's own names; containers that only hold others are skipped. A picture button is named
// by its tool tip.
QStringList misnamedControls(QWidget *window)
{
    QStringList misnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue; // Qt's own inner parts (scroll bars, viewports) name themselves
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        const QString name = iface ? iface->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty() || (!w->toolTip().isEmpty() &&
                               (name != w->toolTip() || iface->role() != QAccessible::Button)))
            misnamed << w->objectName();
    }
    return misnamed;
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsOfEveryWindowAreNamed();
};

void AccessibilityTest::controlsOfEveryWindowAreNamed()
{
    MainWindowFixture f;
    QVERIFY(f.window->newWebBrowser("http://a.example/"));
    const std::unique_ptr<webForm> form(secondaryWindows().value(0));
    QVERIFY(form);
    frmAbout about;
    for (QWidget *window : QList<QWidget *>{f.window.get(), form.get(), &about}) {
        const QStringList misnamed = misnamedControls(window);
        QVERIFY2(misnamed.isEmpty(), qPrintable(window->objectName() + ": " + misnamed.join(", ")));
    }
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
