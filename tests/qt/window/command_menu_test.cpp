// Torvi window tests: the command list, the page-source window and the about box.
#include "app/qt/frm_source.h"
#include "support/main_window_fixture.h"
#include "tools/qt/frm_about.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace torvi;
using namespace torvi::test;

namespace {

void chooseRow(frmMain &w, int row)
{
    w.List1->show();
    const QRect place = w.List1->visualItemRect(w.List1->item(row));
    w.List1->setCurrentRow(row);
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {}, place.center());
}

void choose(frmMain &w, const QString &item)
{
    const auto found = w.List1->findItems(item, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(item));
    chooseRow(w, w.List1->row(found.first()));
}

} // namespace

class CommandMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void menuPictureTogglesTheListWithoutFocusAndLosingFocusHidesIt();
    void headingsAndSeparatorsOnlyCloseTheList_data();
    void headingsAndSeparatorsOnlyCloseTheList();
    void viewSwitchTouchesOnlyTheThreeViews_data();
    void viewSwitchTouchesOnlyTheThreeViews();
    void updatePageOpensInASecondaryWindow();
    void pageSourceWindowIsSharedAndReplacesItsText();
    void aboutBoxShowsTheVersionInformation();
    void favoritesPanelOpensPrefilled();
    void historyPanelListsCompletedPagesNewestFirst();
    void arrowsOnlyMoveEnterRuns();
};

void CommandMenuTest::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (qobject_cast<webForm *>(widget) || qobject_cast<frmSource *>(widget) ||
            qobject_cast<frmAbout *>(widget))
            widget->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CommandMenuTest::menuPictureTogglesTheListWithoutFocusAndLosingFocusHidesIt()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.List1->isHidden());
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QVERIFY(!w.List1->isHidden());
    QVERIFY(!w.List1->hasFocus());
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    QVERIFY(w.List1->isHidden());

    w.List1->show();
    w.List1->setFocus();
    w.Text1->setFocus();
    QTRY_VERIFY(w.List1->isHidden());
}

void CommandMenuTest::headingsAndSeparatorsOnlyCloseTheList_data()
{
    QTest::addColumn<int>("row");
    for (int row : {0, 4, 5, 9, 13})
        QTest::newRow(qPrintable(QString::number(row))) << row;
}

void CommandMenuTest::headingsAndSeparatorsOnlyCloseTheList()
{
    QFETCH(int, row);
    MainWindowFixture f;
    frmMain &w = *f.window;
    f.hub.calls.clear();
    chooseRow(w, row);
    QVERIFY(w.List1->isHidden());
    QVERIFY(f.hub.calls.isEmpty());
    QCOMPARE(f.endRequests, 0);
    QCOMPARE(f.registrations, 0);
    QVERIFY(!w.WebBrowser1->isHidden());
    QVERIFY(w.listDanger->isHidden());
    QVERIFY(w.WebBrowser2->isHidden());
    QVERIFY(secondaryWindows().isEmpty());
    // The chosen item stays selected while the list is hidden.
    QCOMPARE(w.List1->currentRow(), row);
}

void CommandMenuTest::viewSwitchTouchesOnlyTheThreeViews_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("shown"); // the one view of the three left showing
    QTest::newRow("page") << "Visualizza Browser"
                          << "WebBrowser1";
    QTest::newRow("site information") << "Visualizza Informazioni sul sito"
                                      << "listDanger";
    QTest::newRow("tools") << "Visualizza Strumenti"
                           << "WebBrowser2";
}

void CommandMenuTest::viewSwitchTouchesOnlyTheThreeViews()
{
    QFETCH(QString, item);
    QFETCH(QString, shown);
    MainWindowFixture f;
    frmMain &w = *f.window;
    choose(w, "Visualizza Preferiti");
    QVERIFY(!w.Frame1->isHidden());
    QVERIFY(w.WebBrowser3->isHidden());
    choose(w, "Visualizza Strumenti"); // start from another view
    choose(w, item);
    for (QWidget *view : QList<QWidget *>{w.WebBrowser1, w.listDanger, w.WebBrowser2})
        QCOMPARE(view->isHidden(), view->objectName() != shown);
    QVERIFY2(!w.Frame1->isHidden(), "the open panel stays where it is");
    QVERIFY2(w.WebBrowser3->isHidden(), "the counter engine keeps its visibility");
    QVERIFY(w.List1->isHidden());
}

void CommandMenuTest::updatePageOpensInASecondaryWindow()
{
    MainWindowFixture f;
    f.hub.calls.clear();
    choose(*f.window, "Aggiornamenti");
    QCOMPARE(secondaryWindows().size(), 1);
    const webForm *form = secondaryWindows()[0];
    QCOMPARE(f.hub.calls,
             (QList<HubCall>{{"torvi://sito/TorviUpdate.php?client=Torvi&version=1.0.5", "",
                              form->WebBrowser1, form->txtURL}}));
    QVERIFY(f.window->List1->isHidden());
}

void CommandMenuTest::pageSourceWindowIsSharedAndReplacesItsText()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    choose(w, "Visualizza Sorgente");
    frmSource *source = w.sourceWindow();
    QVERIFY(source);
    QVERIFY(source->isVisible());
    QCOMPARE(source->windowTitle(), QString("Source"));
    QCOMPARE(source->Text1->toPlainText(), QString());

    f.fake(w.WebBrowser1)->completeDocument("http://a.example/", "<p>corpo</p>", "A");
    QVERIFY(w.newWebBrowser());
    f.fake(secondaryWindows()[0]->WebBrowser1)
        ->completeDocument("http://b.example/", "<p>altro</p>", "B");
    choose(w, "Visualizza Sorgente");
    QCOMPARE(w.sourceWindow(), source);
    QCOMPARE(source->Text1->toPlainText(), QString("<p>corpo</p>"));
    int sourceWindows = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        sourceWindows += qobject_cast<frmSource *>(widget) != nullptr;
    QCOMPARE(sourceWindows, 1);
}

void CommandMenuTest::aboutBoxShowsTheVersionInformation()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    choose(w, "Informazioni sul software");
    QPointer<frmAbout> about = w.aboutBox();
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QString("About Torvi"));
    QCOMPARE(about->lblTitle->text(), QString("Torvi"));
    QCOMPARE(about->lblVersion->text(), QString("Version 1.0.5"));
    QCOMPARE(about->lblDescription->text(), QString("Personal Secure Browser"));
    QVERIFY(!about->lblAuthor->text().isEmpty());
    QVERIFY(!about->lblDisclaimer->text().isEmpty());
    QVERIFY(!about->picIcon->pixmap().isNull());
    for (const QString design :
         {"Application Title", "App Description", "Warning: ...", "About MyApp", "Version"})
        for (QLabel *label : about->findChildren<QLabel *>())
            QVERIFY2(label->text() != design, qPrintable(design));

    choose(w, "Informazioni sul software");
    QCOMPARE(w.aboutBox(), about.data()); // brought forward, not loaded again

    // Esc closes it, and so does Enter on OK.
    for (bool escape : {true, false}) {
        choose(w, "Informazioni sul software");
        about = w.aboutBox();
        QVERIFY(about);
        QTest::keyClick(escape ? static_cast<QWidget *>(about) : about->cmdOK,
                        escape ? Qt::Key_Escape : Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }
}

void CommandMenuTest::favoritesPanelOpensPrefilled()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    f.fake(w.WebBrowser1)->completeDocument("http://a.example/pagina", "x", "Una pagina");
    choose(w, "Visualizza Preferiti");
    QVERIFY(!w.Frame1->isHidden());
    QCOMPARE(w.Frame1->pos(), w.WebBrowser1->pos());
    QCOMPARE(w.Frame1->findChild<QLineEdit *>("txtNomePreferiti")->text(), QString("Una pagina"));
    QCOMPARE(w.Frame1->findChild<QLineEdit *>("txtUrlPreferiti")->text(),
             QString("http://a.example/pagina"));
    QVERIFY(w.WebBrowser1->isHidden());
    QVERIFY(w.WebBrowser3->isHidden());
    QTest::mouseClick(w.Frame1->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QVERIFY(w.Frame1->isHidden());
    QVERIFY(!w.WebBrowser1->isHidden());
    QVERIFY(!w.WebBrowser3->isHidden());
}

void CommandMenuTest::historyPanelListsCompletedPagesNewestFirst()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    f.fake(w.WebBrowser1)->completeDocument("http://a.example/", "x", "Prima");
    f.fake(w.WebBrowser1)->completeDocument("http://b.example/", "x", "Seconda");
    choose(w, "Visualizza Cronologia");
    QVERIFY(!w.Frame2->isHidden());
    QCOMPARE(w.Frame2->pos(), w.WebBrowser1->pos());
    auto *list = w.Frame2->findChild<QTreeWidget *>("ListView2");
    QCOMPARE(list->topLevelItemCount(), 2);
    QVERIFY(w.WebBrowser1->isHidden());
    f.hub.calls.clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(1)).center());
    QVERIFY(w.Frame2->isHidden());
    QVERIFY(!w.WebBrowser1->isHidden());
    QCOMPARE(f.hub.calls, (QList<HubCall>{{"http://a.example/", "", w.WebBrowser1, w.Text1}}));
}

void CommandMenuTest::arrowsOnlyMoveEnterRuns()
{
    MainWindowFixture f;
    frmMain &w = *f.window;
    w.show();
    w.List1->show();
    w.List1->setFocus();
    w.List1->setCurrentRow(0);
    QTest::keyClick(w.List1, Qt::Key_Down); // "Esci"
    QCOMPARE(f.endRequests, 0);
    QTest::keyClick(w.List1, Qt::Key_Down); // "Aggiornamenti"
    QTest::keyClick(w.List1, Qt::Key_Down); // "Browser Predefinito"
    QTest::keyClick(w.List1, Qt::Key_Return);
    QCOMPARE(f.registrations, 1);
    QVERIFY(w.List1->isHidden());
}

QTEST_MAIN(CommandMenuTest)
#include "command_menu_test.moc"
