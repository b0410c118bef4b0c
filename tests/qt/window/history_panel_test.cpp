// Torvi window tests: the history panel and the temporary-file cleaner it hosts.
#include "history/history_file.h"
#include "history/qt/history_panel.h"
#include "nav/windows_path.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_home.h"
#include "tools/temp_cleaner.h"
#include "ui/qt/twip_geometry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace torvi;
using namespace torvi::test;
namespace fs = std::filesystem;

namespace {

const QPoint PageTopLeft{37, 53};

// Stands in for the main window: answers the page's place and records every request in order,
// with whether the panel was showing at that moment.
class RecordingHost : public HistoryHost
{
public:
    QStringList calls;
    const QWidget *panel = nullptr;

    QPoint pageTopLeft() const override { return PageTopLeft; }
    void hidePageForPanel() override { record("hidePageForPanel"); }
    void showPageAfterOpen() override { record("showPageAfterOpen"); }
    void closePanels() override { record("closePanels"); }
    void openAddress(const std::string &url) override
    {
        record("openAddress " + QString::fromStdString(url));
    }

private:
    void record(const QString &call)
    {
        calls << call + (panel && !panel->isHidden() ? " (panel shown)" : " (panel hidden)");
    }
};

struct Panel
{
    Panel()
    {
        (void)prepareMappedDrive("tester");
        window.resize(1200, 900);
        window.show();
        host.panel = panel.get();
    }

    void writeHistory(const QByteArray &content)
    {
        std::ofstream(historyPath(), std::ios::binary)
            .write(content.constData(), static_cast<std::streamsize>(content.size()));
    }
    static fs::path historyPath() { return nativePath(HistoryFilePath); }

    QList<QStringList> rows() const
    {
        QList<QStringList> all;
        for (int i = 0; i < panel->ListView2->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = panel->ListView2->topLevelItem(i);
            all.append({item->text(0), item->text(1), item->text(2)});
        }
        return all;
    }

    QStringList filesListed() const
    {
        QStringList names;
        for (int i = 0; i < panel->File1->count(); ++i)
            names << panel->File1->item(i)->text();
        return names;
    }

    TempHome home;
    FileSystem fileSystem;
    ScriptedMessageBoxes messageBoxes;
    RecordingHost host;
    std::string userName = "tester";
    QWidget window;
    std::unique_ptr<HistoryPanel> panel = std::make_unique<HistoryPanel>(
        host, fileSystem, messageBoxes, [this] { return userName; }, &window);
};

void makeFile(const fs::path &path, fs::perms perms)
{
    std::ofstream(path) << "x";
    fs::permissions(path, perms);
}

} // namespace

class HistoryPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void startsHiddenWithItsDesignedControls();
    void listsTheFileNewestFirst_data();
    void listsTheFileNewestFirst();
    void deleteEmptiesTheListAndRemovesTheFileWithThePanelOpen();
    void choosingAnEntryClosesThePanelThenOpensItsAddress_data();
    void choosingAnEntryClosesThePanelThenOpensItsAddress();
    void closeButtonClosesThePanels();
    void cleanerCountsWhatWentAndWhatIsLeft();
    void cleanerOnAMissingFolderReportsNothingAndListsNothing();
};

void HistoryPanelTest::startsHiddenWithItsDesignedControls()
{
    Panel p;
    HistoryPanel &w = *p.panel;
    QCOMPARE(w.objectName(), QString("Frame2"));
    QCOMPARE(w.title(), QString("Cronologia"));
    QVERIFY(w.isHidden());
    const std::pair<QPushButton *, QString> buttons[] = {
        {w.Command5, "&Chiudi Preferiti"},
        {w.cmdEliminaCronologia, "&Elimina Cronologia"},
        {w.Command4, "&Cancella e Pulisci anche Internet Explorer (COOKIE e File Temporanei)"}};
    for (const auto &[button, text] : buttons) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->accessibleName(), QString(text).remove('&'));
    }

    // Three columns of equal width.
    QStringList headers;
    for (int column = 0; column < w.ListView2->columnCount(); ++column) {
        headers << w.ListView2->headerItem()->text(column);
        QCOMPARE(w.ListView2->columnWidth(column), w.ListView2->columnWidth(0));
    }
    QCOMPARE(headers, QStringList({"URL", "Data e Ora", "Titolo"}));
    QVERIFY(w.ListView2->columnWidth(0) > 0);

    // Nothing is listed before the first run, whatever folder the process started in.
    QCOMPARE(w.File1->count(), 0);
    QVERIFY(w.lblElementiEliminati->text().isEmpty());
    QVERIFY(w.lblElementiRimasti->text().isEmpty());

    // Spot checks that the controls sit inside the panel where they were designed.
    QCOMPARE(w.File1->geometry(), QRect(px(240, &w), px(8520, &w), px(3375, &w), px(2430, &w)));
    QCOMPARE(w.lblElementiRimasti->geometry().topLeft(), QPoint(px(3600, &w), px(9000, &w)));
}

void HistoryPanelTest::listsTheFileNewestFirst_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    QTest::addColumn<QList<QStringList>>("expected");
    QTest::newRow("newest first")
        << QByteArray("http://a/||01/02/2026 10:00:00||Uno\r\nhttp://b/||01/02/2026 "
                      "10:05:00||Due\r\n")
        << QList<QStringList>{{"http://b/", "01/02/2026 10:05:00", "Due"},
                              {"http://a/", "01/02/2026 10:00:00", "Uno"}};
    QTest::newRow("no file") << QByteArray() << QList<QStringList>{};
}

void HistoryPanelTest::listsTheFileNewestFirst()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QStringList>, expected);
    Panel p;
    if (!content.isNull())
        p.writeHistory(content);

    // Opened twice in a row: the list is rebuilt, never added to.
    p.panel->InitCronologia();
    p.panel->InitCronologia();
    QCOMPARE(p.rows(), expected);
    QVERIFY(!p.panel->isHidden());
    QCOMPARE(p.panel->pos(), PageTopLeft);
    // The page goes away before the panel appears in its place.
    QCOMPARE(p.host.calls,
             QStringList({"hidePageForPanel (panel hidden)", "hidePageForPanel (panel shown)"}));
}

void HistoryPanelTest::deleteEmptiesTheListAndRemovesTheFileWithThePanelOpen()
{
    Panel p;
    HistoryFile history(p.fileSystem);
    QVERIFY(history.AddCronologia("http://a/", "01/02/2026 10:00:00", "Uno").isOk());
    p.panel->InitCronologia();
    QCOMPARE(p.rows().size(), 1);
    p.host.calls.clear();

    QTest::mouseClick(p.panel->cmdEliminaCronologia, Qt::LeftButton);
    QCOMPARE(p.panel->ListView2->topLevelItemCount(), 0);
    QVERIFY(!fs::exists(Panel::historyPath()));
    QVERIFY(!p.panel->isHidden());
    QVERIFY(p.host.calls.isEmpty());

    // Deleting a history that is already gone is no failure; reopening finds it empty.
    QTest::mouseClick(p.panel->cmdEliminaCronologia, Qt::LeftButton);
    p.panel->InitCronologia();
    QCOMPARE(p.panel->ListView2->topLevelItemCount(), 0);
}

void HistoryPanelTest::choosingAnEntryClosesThePanelThenOpensItsAddress_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("click") << false;
    QTest::newRow("Enter") << true;
}

void HistoryPanelTest::choosingAnEntryClosesThePanelThenOpensItsAddress()
{
    QFETCH(bool, keyboard);
    Panel p;
    p.writeHistory(
        "http://vecchia.example/a b||d1||Vecchia\r\nhttp://nuova.example/||d2||Nuova\r\n");
    p.panel->InitCronologia();
    p.host.calls.clear();

    QTreeWidget *list = p.panel->ListView2;
    QTreeWidgetItem *older = list->topLevelItem(1);
    if (keyboard) {
        p.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.window));
        list->setFocus();
        list->setCurrentItem(older);
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        // A click on the title column still opens the address of its line.
        const QRect cell = list->visualRect(list->indexFromItem(older, 2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        // Styles that activate an item on a single click send this as well: still one opening.
        emit list->itemActivated(older, 2);
    }

    QVERIFY(p.panel->isHidden());
    QCOMPARE(p.host.calls, QStringList({"showPageAfterOpen (panel hidden)",
                                        "openAddress http://vecchia.example/a b (panel hidden)"}));
}

void HistoryPanelTest::closeButtonClosesThePanels()
{
    Panel p;
    p.writeHistory("http://a/||d||t\r\n");
    p.panel->InitCronologia();
    p.host.calls.clear();
    QTest::mouseClick(p.panel->Command5, Qt::LeftButton);
    QCOMPARE(p.host.calls, QStringList({"closePanels (panel shown)"}));
    QVERIFY(fs::exists(Panel::historyPath()));
}

void HistoryPanelTest::cleanerCountsWhatWentAndWhatIsLeft()
{
    Panel p;
    const fs::path folder = nativePath(tempFolderPath("tester"));
    const auto writable = fs::perms::owner_read | fs::perms::owner_write;
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read;
    for (const char *name : {"a.tmp", "b.tmp", "C.TMP", "d.tmp", "~e.tmp"})
        makeFile(folder / name, writable);
    for (const char *name : {"bloccato.tmp", "Ferma.tmp"})
        makeFile(folder / name, readOnly);
    makeFile(folder / "nota.txt", writable);

    // The second run counts only what is left.
    for (const QString deleted : {"Elementi Eliminati: 5", "Elementi Eliminati: 0"}) {
        QTest::mouseClick(p.panel->Command4, Qt::LeftButton);
        QCOMPARE(p.panel->lblElementiEliminati->text(), deleted);
        QCOMPARE(p.panel->lblElementiRimasti->text(), QString("Elementi Rimasti: 2"));
        QCOMPARE(p.filesListed(), QStringList({"bloccato.tmp", "Ferma.tmp"}));
        QVERIFY(!p.messageBoxes.shown.isEmpty());
        const ShownMessage &done = p.messageBoxes.shown.last();
        QCOMPARE(done.text, QString("Fatto"));
        QCOMPARE(done.buttons, MessageButtons::Ok);
        QCOMPARE(done.icon, MessageIcon::None);
        QCOMPARE(done.caption, QString("Torvi"));
    }
    QCOMPARE(p.messageBoxes.shown.size(), 2);
    QVERIFY(fs::exists(folder / "nota.txt"));
    QVERIFY(!fs::exists(folder / "a.tmp"));
}

void HistoryPanelTest::cleanerOnAMissingFolderReportsNothingAndListsNothing()
{
    Panel p;
    makeFile(nativePath(tempFolderPath("tester")) / "resta.tmp",
             fs::perms::owner_read | fs::perms::group_read);
    QTest::mouseClick(p.panel->Command4, Qt::LeftButton);
    QCOMPARE(p.filesListed(), QStringList({"resta.tmp"}));

    // Another user without a temporary folder: the list does not keep the previous one.
    p.userName = "ospite";
    QTest::mouseClick(p.panel->Command4, Qt::LeftButton);
    QCOMPARE(p.panel->lblElementiEliminati->text(), QString("Elementi Eliminati: 0"));
    QCOMPARE(p.panel->lblElementiRimasti->text(), QString("Elementi Rimasti: 0"));
    QCOMPARE(p.panel->File1->count(), 0);
    QCOMPARE(p.messageBoxes.shown.size(), 2);
    QCOMPARE(p.messageBoxes.shown.last().text, QString("Fatto"));
}

QTEST_MAIN(HistoryPanelTest)
#include "history_panel_test.moc"
