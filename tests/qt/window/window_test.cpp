// Torvi window tests: each window's buttons, keys and engine events reach the right hub call,
// panel or box (a row per window); the main window's command list and panels.
#include "app/qt/app_lifecycle.h"
#include "app/qt/frm_source.h"
#include "support/program.h"
#include "tools/qt/frm_about.h"
#include "tools/temp_cleaner.h"
#include "ui/qt/download_notices.h"
#include "ui/qt/find_bar.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

using namespace torvi;
using namespace torvi::test;

namespace {

// No torvi.conf in the tests' homes: the program's own endpoints.
const Endpoints defaults = builtInEndpoints();

// From the menu picture, down the list with the arrows (which only move), then a click.
void choose(frmMain &w, const QString &item)
{
    QTest::mouseClick(w.Image2, Qt::LeftButton);
    w.List1->setCurrentRow(0);
    while (w.List1->currentItem()->text() != item && w.List1->currentRow() < w.List1->count() - 1)
        QTest::keyClick(w.List1, Qt::Key_Down);
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {},
                      w.List1->visualItemRect(w.List1->currentItem()).center());
}

QStringList texts(const QAbstractItemView *list, int column = 0)
{
    QStringList all;
    const QAbstractItemModel &m = *list->model();
    for (int i = 0; i < m.rowCount(); ++i)
        all << m.data(m.index(i, column)).toString();
    return all;
}

QPoint centre(const QAbstractItemView *list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

// A file where a folder should be: nothing can be written into it, even by root.
void blockFolder(const std::string &windowsPath)
{
    std::filesystem::remove_all(nativePath(windowsPath));
    std::ofstream(nativePath(windowsPath)) << "in the way";
}

// Stands in for the desktop's programs that open files and folders.
class UrlOpened : public QObject
{
    Q_OBJECT

public:
    QStringList urls;
    Q_INVOKABLE void open(const QUrl &url) { urls << url.toString(); }
};

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void browserWindow_data()
    {
        QTest::addColumn<bool>("secondary");
        QTest::newRow("main") << false;
        QTest::newRow("secondary") << true;
    }

    // A browser window's buttons and keys, then its engine's events.
    void browserWindow()
    {
        QFETCH(bool, secondary);
        const QString question = secondary ? "Popup Richiesto Aprirlo ?"
                                           : "Richiesta nuova pagina vuoi aprirla con torvi ?";
        TempHome home;
        Program p(fakeEngines(), " \"http://a.example/x y\" ");
        frmMain &w = *p.window;
        // The command line goes to the page as it stands.
        QCOMPARE(p.hub.calls.value(w.WebBrowser1).value(0), " \"http://a.example/x y\"  ");
        webForm *f =
            secondary && w.newWebBrowser("http://a.example/") ? secondaryWindows()[0] : nullptr;
        QWidget *window = f ? static_cast<QWidget *>(f) : &w;
        FakeEngine *page = FakeEngine::of(f ? f->WebBrowser1 : w.WebBrowser1);
        AddressLineEdit *box = f ? f->txtURL : w.Text1;
        StatusPanels *status = f ? f->StatusBar1 : w.StatusBar2;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        p.hub.calls.clear();
        // The main window's toolbar commands close its command list; the go picture does not.
        for (const QString name : {"cmdIndietro", "cmdAvanti", "cmdRefresh", "cmdHome", "Command3",
                                   "cmdCerca", "cmdInfo", "Image1"})
            if (auto *button = window->findChild<PictureButton *>(name)) {
                w.List1->show();
                box->setText(" www.esempio.it ");
                QTest::mouseClick(button, Qt::LeftButton);
                QCOMPARE(w.List1->isHidden(), !secondary && name != "Image1");
            }
        QTest::keyClick(box, Qt::Key_Return);
        for (const QKeyCombination key :
             {Qt::ALT | Qt::Key_Left, Qt::ALT | Qt::Key_Right, QKeyCombination(Qt::Key_F5),
              QKeyCombination(Qt::Key_Escape)})
            QTest::keyClick(window, key.key(), key.keyboardModifiers());
        QCOMPARE(p.hub.calls.value(page),
                 (QStringList{" back", " next", " refresh", qs(defaults.HomeUrl) + ' ',
                              qs(defaults.SearchHomeUrl) + (secondary ? "/ " : " "),
                              qs(defaults.InfoUrl) + ' ', " www.esempio.it  ", " www.esempio.it  ",
                              " back", " next", " refresh", " (stop)"}));

        QTest::mouseClick(window->findChild<PictureButton *>("Command2"), Qt::LeftButton);
        QCOMPARE(secondaryWindows().size(), secondary ? 2 : 1);
        for (webForm *other : secondaryWindows())
            QVERIFY(other == window ||
                    FakeEngine::of(other->WebBrowser1)->location == defaults.SearchHomeUrl);

        // Zoom by keys and by the wheel; the level shows while it is not the normal size.
        QStringList zoom;
        for (const QKeyCombination key : {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Plus,
                                          Qt::CTRL | Qt::Key_0, Qt::CTRL | Qt::Key_Minus}) {
            QTest::keyClick(window, key.key(), key.keyboardModifiers());
            zoom << QString::number(page->zoomPercent()) + status->note();
        }
        emit page->ZoomWheel(2);
        zoom << QString::number(page->zoomPercent()) + status->note();
        QCOMPARE(zoom, (QStringList{"110Zoom: 110 %", "125Zoom: 125 %", "100", "90Zoom: 90 %",
                                    "110Zoom: 110 %"}));

        // Find: typing looks, F3 and Shift+F3 step, Esc closes the bar, clears the marks and
        // stops no page.
        FindBar *find = window->findChild<FindBar *>("findBar");
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(find->isVisible() && find->txtCerca->hasFocus());
        QTest::keyClicks(find->txtCerca, "ab");
        QTest::keyClick(window, Qt::Key_F3);
        QTest::keyClick(window, Qt::Key_F3, Qt::ShiftModifier);
        p.hub.calls.clear();
        QTest::keyClick(find->txtCerca, Qt::Key_Escape);
        QVERIFY(find->isHidden());
        QCOMPARE(page->finds, (QStringList{"a", "ab", "ab", "ab <", ""}));
        QCOMPARE(p.hub.calls.value(page), QStringList());

        // Two downloads, a line each; one ends and opens with the desktop's program, the
        // other fails and says why.
        UrlOpened desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        using D = Download;
        emit page->DownloadChange({1, "a.zip", "/scaricati", 50, 200, D::State::Running});
        emit page->DownloadChange({2, "b.iso", "/scaricati", 3000, -1, D::State::Running});
        QCOMPARE(status->panelText(1), "b.iso: 3 KB");
        emit page->DownloadChange({1, "a.zip", "/scaricati", 200, 200, D::State::Done});
        emit page->DownloadChange(
            {2, "b.iso", "/scaricati", 3000, -1, D::State::Failed, D::Problem::Network});
        auto *downloads = window->findChild<DownloadNotices *>("downloads");
        QVERIFY(downloads->isVisible());
        QCOMPARE(downloads->line(1)->accessibleName(), "a.zip scaricato in /scaricati");
        QCOMPARE(downloads->line(2)->accessibleName(),
                 "Download di b.iso non riuscito: la connessione si è interrotta");
        const auto canOpen = [&](int line) {
            return downloads->line(line)->findChild<QPushButton *>("cmdApri")->isVisible();
        };
        QVERIFY(canOpen(1) && !canOpen(2));
        QTest::mouseClick(downloads->line(1)->findChild<QPushButton *>("cmdApri"), Qt::LeftButton);
        QTest::mouseClick(downloads->line(1)->findChild<QPushButton *>("cmdApriCartella"),
                          Qt::LeftButton);
        QCOMPARE(desktop.urls, (QStringList{"file:///scaricati/a.zip", "file:///scaricati"}));

        emit page->ProgressChange(300, 1000);
        emit page->StatusTextChange("http://link.example/");
        QCOMPARE(status->panelText(3), " 300/ 1000");
        QCOMPARE(status->panelText(1), "http://link.example/");

        // A failure inside the engine searches for what this window's own box holds.
        w.Text1->setText("altro");
        box->setText("parola");
        p.hub.calls.clear();
        emit page->NavigateError("http://parola/", -105);
        QCOMPARE(p.hub.calls.value(page), QStringList{qs(defaults.SearchQueryUrl) + "parola "});

        p.hub.calls.clear();
        page->location = "http://a/p";
        emit page->DocumentComplete("http://a/p", {true, "<p>an exploit</p>", "Pagina"});
        QCOMPARE(box->text(), "http://a/p");
        QCOMPARE(window->windowTitle(),
                 secondary ? "Pagina - http://a/p - Torvi Personal Secure Browser" : "Pagina");
        QCOMPARE(status->panelText(2), "Dati Sensibili");
        QCOMPARE(w.listDanger->count(), 1);
        QCOMPARE(p.hub.calls.value(w.WebBrowser3), QStringList{" refresh"});
        QVERIFY(p.records.finish().empty());
        QCOMPARE(fileText(NavigationLog::defaultPath()).count("<URL>http://a/p</URL>"), 1);
        // Only the main window's pages go to the history.
        QCOMPARE(fileText("C:\\WINDOWS\\cronologia.txt").count("http://a/p||"), secondary ? 0 : 1);

        // Files that cannot be written stop neither the check nor the counter.
        blockFolder("C:\\WINDOWS");
        blockFolder(applicationDirectory());
        emit page->DocumentComplete("http://a.example/q", {true, "pulita", "Pulita"});
        QCOMPARE(status->panelText(2), "Certificato");
        QCOMPARE(p.hub.calls.value(w.WebBrowser3), (QStringList{" refresh", " refresh"}));
        emit page->DocumentComplete("http://a.example/i.png", {});
        QCOMPARE(status->panelText(2), QString());
        // Each write lost says which file it missed; only the main window writes the history.
        QString lost;
        for (const std::string &failure : p.records.finish())
            lost += QString::fromStdString(failure) + '\n';
        QVERIFY(lost.contains("History.xml"));
        QCOMPARE(lost.contains("cronologia.txt"), !secondary);
        // The page's context menu shows the body of the last page that had one.
        emit page->ViewSourceRequested();
        frmSource *source = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<frmSource *>(top))
                source = found;
        QVERIFY(source && source->isVisible());
        QCOMPARE(source->Text1->toPlainText(), "pulita");

        // A page's new window: Cancel gives it none, OK a shown one.
        p.boxes.answers = {MessageAnswer::Cancel};
        QCOMPARE(page->requestNewWindow(), nullptr);
        const EngineView *opened = page->requestNewWindow();
        QCOMPARE(secondaryWindows().size(), secondary ? 3 : 2);
        QVERIFY(opened && opened->window()->isVisible() && opened->window() != window);
        QCOMPARE(p.boxes.shown, (QStringList{question, question}));
    }

    void commandList_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("after"); // what shows then, and what was asked for
        const QString page = "WebBrowser3 WebBrowser1";
        const QString tools = "asked " + qs(defaults.DesktopPageUrl);
        for (const auto &[items, after] : QList<std::pair<QString, QString>>{
                 {"_______| Settaggi |________", page},
                 {"Esci", page + " List1 end"}, // the program is gone by then
                 {"Aggiornamenti",
                  page + " webForm torvi://sito/TorviUpdate.php?client=Torvi&version=1.0.5"},
                 {"Browser Predefinito", page + " registered"},
                 {"Visualizza Preferiti", "Frame1"},
                 {"Visualizza Cronologia", "Frame2"},
                 {"Visualizza Sorgente", page + " frmSource <p>corpo</p>"},
                 {"Informazioni sul software",
                  page + " frmAbout Personal Secure Browser Torvi Software"},
                 {"Visualizza Informazioni sul sito", "WebBrowser3 listDanger"},
                 // The tools page comes afresh: what was checked so far.
                 {"Visualizza Strumenti", "WebBrowser3 WebBrowser2 " + tools},
                 {"Visualizza Strumenti+Visualizza Browser", page + " " + tools},
                 // Closed like a menu, the focus back where it was and the page not stopped.
                 {"Esc", "Text1 " + page},
                 {"a click in the page", page}})
            QTest::newRow(qPrintable(items)) << items << after;
    }

    void commandList()
    {
        QFETCH(QString, items);
        QFETCH(QString, after);
        TempHome home;
        Program p(fakeEngines());
        frmMain &w = *p.window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        emit w.WebBrowser1->DocumentComplete("http://a.example/", {true, "<p>corpo</p>", "A"});
        p.hub.calls.remove(w.WebBrowser2);
        QStringList shown;
        for (const QString &item : items.split('+')) {
            if (item == "Esc") {
                QTest::mouseClick(w.Image2, Qt::LeftButton);
                w.Text1->setFocus();
                w.List1->setFocus();
                QTest::keyClick(w.List1, Qt::Key_Escape);
                shown << QApplication::focusWidget()->objectName()
                      << p.hub.calls.value(w.WebBrowser1).filter("(stop)");
            } else if (item == "a click in the page") {
                QTest::mouseClick(w.Image2, Qt::LeftButton);
                QTest::mouseClick(w.WebBrowser1, Qt::LeftButton);
            } else {
                choose(w, item);
            }
        }
        for (QWidget *view : QList<QWidget *>{w.WebBrowser3, w.WebBrowser1, w.WebBrowser2,
                                              w.listDanger, w.Frame1, w.Frame2, w.List1})
            if (!view->isHidden())
                shown << view->objectName();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top == &w || !top->isVisible())
                continue;
            shown << top->objectName();
            if (auto *form = qobject_cast<webForm *>(top))
                shown << qs(FakeEngine::of(form->WebBrowser1)->location);
            if (auto *source = qobject_cast<frmSource *>(top)) {
                QTest::keyClicks(source->Text1, "x"); // the source is not to be changed
                shown << source->Text1->toPlainText();
            }
            if (auto *about = qobject_cast<frmAbout *>(top))
                shown << about->lblDescription->text() << about->lblAuthor->text();
        }
        if (p.endRequests || p.registrations)
            shown << (p.endRequests ? "end" : "registered");
        if (p.hub.calls.contains(w.WebBrowser2))
            shown << "asked" << p.hub.calls.value(w.WebBrowser2).join(' ').trimmed();
        QCOMPARE(shown.join(' '), after);
    }

    // With the list focused, the button's click took the focus (hiding the list) and then
    // opened it again; a right click moved the selection. Closing the main window ended the
    // program under the page-source window, a tool window Qt does not count among those that
    // keep a program running.
    void menuButtonAndLastWindow()
    {
        TempHome home;
        Program p(fakeEngines());
        frmMain &w = *p.window;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.Image2, Qt::LeftButton);
        w.List1->setCurrentRow(0);
        w.List1->setFocus();
        const QPoint update = w.List1->visualItemRect(w.List1->item(2)).center();
        QTest::mouseClick(w.List1->viewport(), Qt::RightButton, {}, update);
        QCOMPARE(w.List1->currentRow(), 0);
        QTest::mouseClick(w.Image2, Qt::LeftButton);
        QVERIFY(w.List1->isHidden());
        QVERIFY(secondaryWindows().isEmpty());
        choose(w, "Visualizza Sorgente");
        QTimer::singleShot(0, &w, &QWidget::close); // Qt ends a program only in its loop
        QTimer::singleShot(500, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 1);
    }

    void panels()
    {
        TempHome home;
        Program p(fakeEngines());
        frmMain &w = *p.window;
        // A line far wider than any column is shown cut; choosing it opens the whole address.
        const std::string wide = "http://a.example/" + std::string(100000, 'x');
        emit w.WebBrowser1->DocumentComplete(qs(wide), {true, "x", "Prima"});
        emit w.WebBrowser1->DocumentComplete("http://b.example/", {true, "x", "Seconda"});
        (void)p.records.finish();
        const QString written = fileText("C:\\WINDOWS\\cronologia.txt");
        choose(w, "Visualizza Cronologia");
        HistoryPanel &h = *w.Frame2;
        QTRY_VERIFY(!h.isLoading());
        QCOMPARE(texts(h.ListView2, 2), (QStringList{"Seconda", "Prima"}));
        QVERIFY(texts(h.ListView2)[1].size() < 1000);
        p.hub.calls.clear();
        QTest::mouseClick(h.ListView2->viewport(), Qt::LeftButton, {}, centre(h.ListView2, 1));
        QCOMPARE(p.hub.calls.value(w.WebBrowser1), QStringList{qs(wide) + ' '});
        QVERIFY(h.isHidden() && w.WebBrowser1->isVisible());
        QCOMPARE(fileText("C:\\WINDOWS\\cronologia.txt"), written);

        // Deleting while the file is still being read: the read must not bring the lines back.
        choose(w, "Visualizza Cronologia");
        QTest::mouseClick(h.cmdEliminaCronologia, Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(h.ListView2->model()->rowCount(), 0);

        choose(w, "Visualizza Cronologia");
        const auto temp = nativePath(tempFolderPath(currentUserName()));
        std::ofstream(temp / "via.tmp") << "x";
        std::ofstream(temp / "resta.tmp") << "x";
        std::filesystem::permissions(temp / "resta.tmp", std::filesystem::perms::owner_read);
        QCOMPARE(h.Command4->text(), "&Cancella e Pulisci i File Temporanei");
        QTest::mouseClick(h.Command4, Qt::LeftButton);
        QCOMPARE(h.lblElementiEliminati->text(), "Elementi Eliminati: 1");
        QCOMPARE(h.lblElementiRimasti->text(), "Elementi Rimasti: 1");
        QCOMPARE(texts(h.File1), QStringList{"resta.tmp"});
        QCOMPARE(p.boxes.shown.last(), "Fatto");
        QCOMPARE(fileText("C:\\WINDOWS\\cronologia.txt"), QString());

        std::ofstream(nativePath("C:\\WINDOWS\\preferiti.txt"))
            << "Uno||http://uno.example/\r\nDue||2\r\nTre||3\r\n";
        emit w.WebBrowser1->DocumentComplete("http://a.example/", {true, "x", "Una pagina"});
        choose(w, "Visualizza Preferiti");
        FavoritesPanel &f = *w.Frame1;
        const QString start = fileText("C:\\WINDOWS\\preferiti.txt");
        // Before the file is read, a change would rewrite it from an empty list.
        QTest::mouseClick(f.cmdNuovoPreferiti, Qt::LeftButton);
        QCOMPARE(fileText("C:\\WINDOWS\\preferiti.txt"), start);
        QTRY_VERIFY(!f.isLoading());
        QTest::mouseClick(f.cmdNuovoPreferiti, Qt::LeftButton); // the page, prefilled
        QCOMPARE(fileText("C:\\WINDOWS\\preferiti.txt"),
                 start + "Una pagina||http://a.example/\r\n");
        f.ListView1->setCurrentIndex(f.ListView1->model()->index(1, 0));
        QTest::mouseClick(f.cmdEliminaPreferiti, Qt::LeftButton);
        QCOMPARE(texts(f.ListView1), (QStringList{"Uno - http://uno.example/", "Tre - 3",
                                                  "Una pagina - http://a.example/"}));
        f.ListView1->setCurrentIndex(f.ListView1->model()->index(1, 0));
        f.txtNomePreferiti->setText("Tre bis");
        QTest::mouseClick(f.cmdModificaPreferiti, Qt::LeftButton);
        QCOMPARE(fileText("C:\\WINDOWS\\preferiti.txt"), "Uno||http://uno.example/\r\n"
                                                         "Tre bis||http://a.example/\r\n"
                                                         "Una pagina||http://a.example/\r\n");
        p.hub.calls.clear();
        const QPoint first = centre(f.ListView1, 0);
        QTest::mouseClick(f.ListView1->viewport(), Qt::LeftButton, {}, first); // as delivered
        QTest::mouseDClick(f.ListView1->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(p.hub.calls.value(w.WebBrowser1), QStringList{"http://uno.example/ "});
        QVERIFY(f.isHidden() && w.WebBrowser1->isVisible());

        choose(w, "Visualizza Preferiti");
        QTRY_VERIFY(!f.isLoading());
        f.txtNomePreferiti->insert("\r"); // pasted, a line break would split the favorite in two
        f.txtUrlPreferiti->insert("\n");
        QCOMPARE(f.txtNomePreferiti->text().count('\r') + f.txtUrlPreferiti->text().count('\n'), 0);
        blockFolder("C:\\WINDOWS");
        QTest::mouseClick(f.cmdNuovoPreferiti, Qt::LeftButton);
        QCOMPARE(p.boxes.shown.size(), 2); // "Fatto", then that the change was not saved
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        QVERIFY(f.isHidden() && w.WebBrowser1->isVisible() && w.WebBrowser3->isVisible());
    }
};

// The system speaks English here; the program speaks Italian all the same.
int main(int argc, char *argv[])
{
    qputenv("LANGUAGE", "en");
    qputenv("LC_ALL", "en_US.UTF-8");
    QApplication app(argc, argv);
    setUpApplication();
    if (QMessageBox(QMessageBox::Question, {}, {}, QMessageBox::Cancel)
            .button(QMessageBox::Cancel)
            ->text() != "Annulla")
        qFatal("the message boxes do not speak Italian");
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
