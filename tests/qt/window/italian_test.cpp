// Torvi window tests: Italian whatever the system's locale.
#include "app/qt/italian.h"
#include "support/main_window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <cstdlib>

using namespace torvi;
using namespace torvi::test;

class ItalianTest : public QObject
{
    Q_OBJECT

private slots:
    void newWindowQuestionHasItalianButtons();
    void datesAndNumbersFollowItalian();
};

void ItalianTest::newWindowQuestionHasItalianButtons()
{
    MainWindowFixture f;
    QtMessageBoxes realBoxes;
    frmMain window({{f.hub, realBoxes, f.engines.factory()},
                    f.fileSystem,
                    f.scanner,
                    f.historyFile,
                    f.clock,
                    nullptr,
                    nullptr,
                    f.checkedPages},
                   "http://a.example/");
    auto *page = static_cast<FakeEngine *>(window.WebBrowser1);

    QStringList buttons;
    QString text;
    // Answer the real box once it is up: read its buttons, then press Annulla.
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        text = box->text();
        for (QAbstractButton *b : box->buttons())
            buttons << b->text().remove('&');
        box->button(QMessageBox::Cancel)->click();
    });
    QCOMPARE(page->requestNewWindow(), nullptr);
    QCOMPARE(text, QString("Richiesta nuova pagina vuoi aprirla con torvi ?"));
    QVERIFY2(buttons.contains("Annulla"), qPrintable(buttons.join(", ")));
    QVERIFY2(buttons.contains("OK"), qPrintable(buttons.join(", ")));
}

void ItalianTest::datesAndNumbersFollowItalian()
{
    QCOMPARE(QLocale().language(), QLocale::Italian);
    QCOMPARE(QLocale().toString(1234.5, 'f', 1), QString("1.234,5"));
}

// The system speaks English here; the program must speak Italian all the same.
int main(int argc, char *argv[])
{
    ::setenv("LANG", "en_US.UTF-8", 1);
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    ::setenv("LANGUAGE", "en", 1);
    QApplication app(argc, argv);
    if (!useItalian(app)) {
        qCritical("Qt's Italian translations are missing");
        return 1;
    }
    ItalianTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "italian_test.moc"
