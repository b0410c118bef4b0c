// Torvi window tests: what assistive technology reads of the status bar.
#include "support/main_window_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

namespace {

QString readName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

} // namespace

class StatusReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void panelsReadTheirRoleAndText_data() { addWindowRows(); }

    // The panels read only their fixed role: "Dati Sensibili" never reached a screen reader.
    void panelsReadTheirRoleAndText()
    {
        QFETCH(bool, secondary);
        MainWindowFixture f;
        const WindowParts s = f.parts(secondary);
        QVERIFY(s.page);
        s.page->completeDocument("http://b.example/", "an exploit here", "B");
        emit s.page->StatusTextChange("http://c.example/");
        emit s.page->ProgressChange(30, 100);
        QCOMPARE(readName(s.status->panel(1)), QString("Stato della pagina: http://c.example/"));
        QCOMPARE(readName(s.status->panel(2)), QString("Sicurezza della pagina: Dati Sensibili"));
        QCOMPARE(readName(s.status->panel(3)), QString("Avanzamento:  30/ 100"));
        emit s.page->StatusTextChange({});
        QCOMPARE(readName(s.status->panel(1)), QString("Stato della pagina"));
    }
};

QTEST_MAIN(StatusReadingTest)
#include "status_reading_test.moc"
