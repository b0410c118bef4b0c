// Torvi window tests: the favorites panel against a host that records what it is asked.
#include "favorites/favorites_texts.h"
#include "favorites/qt/favorites_panel.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_home.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <optional>

using namespace torvi;
using namespace torvi::test;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Records the panel's requests, with what the panel showed at the moment of each.
class RecordingHost : public FavoritesHost
{
public:
    QString caption = QStringLiteral("Pagina di prova");
    QString address = QStringLiteral("https://www.torvi.example/prova");
    QPoint topLeft{8, 56};
    FavoritesPanel *panel = nullptr;
    QStringList calls;

    QString pageCaption() const override { return caption; }
    QString pageAddressText() const override { return address; }
    QPoint pageTopLeft() const override { return topLeft; }
    void hidePageForPanel() override { record("hidePageForPanel"); }
    void showPageAfterOpen() override { record("showPageAfterOpen"); }
    void closePanels() override
    {
        record("closePanels");
        panel->hide();
    }
    void openAddress(const std::string &url) override
    {
        record("openAddress " + QString::fromStdString(url));
    }

private:
    void record(const QString &call)
    {
        calls << QStringLiteral("%1 [panel %2, %3 items]")
                     .arg(call, panel->isVisible() ? "shown" : "hidden")
                     .arg(panel->ListView1->count());
    }
};

std::filesystem::path favoritesPath()
{
    return nativePath(FavoritesFile::defaultPath());
}

void writeFavorites(const std::string &content)
{
    std::ofstream(favoritesPath(), std::ios::binary) << content;
}

QString fileText()
{
    return QString::fromStdString(readWholeFile(favoritesPath()).value_or("<none>"));
}

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// A panel in a fresh home, on the mapped drive.
struct Panel
{
    Panel() { host.panel = &panel; }

    TempHome home;
    bool drive = prepareMappedDrive("tester").isOk();
    RecordingHost host;
    ScriptedMessageBoxes boxes;
    FavoritesPanel panel{host, boxes};
};

} // namespace

class FavoritesPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m.emplace(); }
    void cleanup() { m.reset(); }
    void controlsCarryTheirDesignedTexts();
    void openingPrefillsReloadsThenHidesThePage_data();
    void openingPrefillsReloadsThenHidesThePage();
    void reopeningReplacesTheListWithTheFile();
    void buttonsUpdateListAndFile_data();
    void buttonsUpdateListAndFile();
    void deleteLeavesNothingSelected();
    void entriesShowAndOpenExactly_data();
    void entriesShowAndOpenExactly();
    void closeButtonAsksTheHostToClose();
    void pastedLineBreaksBecomeBlanks();
    void failedRewriteIsReportedAndKeepsTheChange();
    void unreadableFileIsReportedAndNotOverwritten();

private:
    void open(const std::string &content);
    void clickItem(int row, bool twice = false);

    std::optional<Panel> m;
};

void FavoritesPanelTest::open(const std::string &content)
{
    writeFavorites(content);
    m->panel.InitPreferiti();
    m->host.calls.clear();
}

// A double click comes as the system delivers it: a click first, then the double click.
void FavoritesPanelTest::clickItem(int row, bool twice)
{
    QListWidget *list = m->panel.ListView1;
    const QRect place = list->visualItemRect(list->item(row));
    QVERIFY(place.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

void FavoritesPanelTest::controlsCarryTheirDesignedTexts()
{
    QCOMPARE(m->panel.objectName(), "Frame1");
    QCOMPARE(m->panel.title(), "Preferiti");
    QVERIFY(!m->panel.isVisible());
    const std::pair<const char *, QString> texts[] = {
        {"Command1", "&Chiudi Preferiti"},
        {"cmdNuovoPreferiti", "&Aggiungi"},
        {"cmdModificaPreferiti", "&Modifica"},
        {"cmdEliminaPreferiti", "Elimina"}, // no access key
        {"Label1", "NOME:"},
        {"Label2", "INDIRIZZO:"}};
    for (const auto &[name, text] : texts) {
        QWidget *control = m->panel.findChild<QWidget *>(name);
        QVERIFY2(control, name);
        if (auto *button = qobject_cast<QPushButton *>(control)) {
            QCOMPARE(button->text(), text);
            continue;
        }
        auto *label = qobject_cast<QLabel *>(control);
        QVERIFY2(label, name);
        QCOMPARE(label->text(), text);
        QVERIFY(label->font().bold());
        QVERIFY(label->fontMetrics().horizontalAdvance(text) <= label->width()); // not cut off
        QVERIFY(label->buddy());
        QCOMPARE(label->buddy()->accessibleName(), text.chopped(1));
    }
}

void FavoritesPanelTest::openingPrefillsReloadsThenHidesThePage_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("no file") << QString() << QStringList{};
    QTest::newRow("two favorites, CR LF")
        << "Uno||http://uno.example/\r\nDue||http://due.example/\r\n"
        << QStringList{"Uno - http://uno.example/", "Due - http://due.example/"};
}

void FavoritesPanelTest::openingPrefillsReloadsThenHidesThePage()
{
    QFETCH(QString, content);
    QFETCH(QStringList, items);
    if (!content.isNull())
        writeFavorites(content.toStdString());
    m->panel.txtNomePreferiti->setText("vecchio");

    m->panel.InitPreferiti();

    QCOMPARE(m->panel.pos(), m->host.topLeft);
    QCOMPARE(m->panel.txtNomePreferiti->text(), m->host.caption);
    QCOMPARE(m->panel.txtUrlPreferiti->text(), m->host.address);
    QCOMPARE(itemTexts(m->panel.ListView1), items);
    for (int i = 0; i < m->panel.ListView1->count(); ++i)
        QVERIFY(!m->panel.ListView1->item(i)->icon().isNull());
    // The list is filled before the page goes, and the panel shows only after it.
    QCOMPARE(
        m->host.calls,
        QStringList{QStringLiteral("hidePageForPanel [panel hidden, %1 items]").arg(items.size())});
    QVERIFY(m->panel.isVisible());
    QVERIFY(m->boxes.shown.isEmpty());
}

void FavoritesPanelTest::reopeningReplacesTheListWithTheFile()
{
    open("Uno||1\r\nDue||2\r\n");
    writeFavorites("Tre||3\r\n");
    m->panel.InitPreferiti();
    QCOMPARE(itemTexts(m->panel.ListView1), QStringList{"Tre - 3"});
    m->panel.ListView1->setCurrentRow(0);
    QTest::mouseClick(m->panel.cmdEliminaPreferiti, Qt::LeftButton);
    // The table was rebuilt too, not appended to.
    QCOMPARE(fileText(), "");
}

void FavoritesPanelTest::buttonsUpdateListAndFile_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selectedRow"); // -1: nothing selected
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("file");

    const QString start = "Uno||1\r\nDue||2\r\nTre||3\r\n";
    const QStringList three{"Uno - 1", "Due - 2", "Tre - 3"};
    const auto row = [](const char *label, const char *button, int selectedRow, const char *name,
                        const char *address, const QStringList &items, const QString &file) {
        QTest::newRow(label) << QString(button) << selectedRow << QString(name) << QString(address)
                             << items << file;
    };
    const char *add = "cmdNuovoPreferiti", *change = "cmdModificaPreferiti",
               *erase = "cmdEliminaPreferiti";
    row("add appends", add, 1, "Quattro, 4", "http://4.example/",
        three + QStringList{"Quattro, 4 - http://4.example/"},
        start + "Quattro, 4||http://4.example/\r\n");
    row("add with empty boxes", add, -1, "", "", three + QStringList{" - "}, start + "||\r\n");
    row("add a duplicate", add, -1, "Uno", "1", three + QStringList{"Uno - 1"},
        start + "Uno||1\r\n");
    row("change the second", change, 1, "Due bis", "2b", {"Uno - 1", "Due bis - 2b", "Tre - 3"},
        "Uno||1\r\nDue bis||2b\r\nTre||3\r\n");
    row("change, nothing selected", change, -1, "X", "x", three, start);
    row("delete the second", erase, 1, "", "", {"Uno - 1", "Tre - 3"}, "Uno||1\r\nTre||3\r\n");
    row("delete, nothing selected", erase, -1, "", "", three, start);
}

void FavoritesPanelTest::buttonsUpdateListAndFile()
{
    QFETCH(QString, button);
    QFETCH(int, selectedRow);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QStringList, items);
    QFETCH(QString, file);

    open("Uno||1\r\nDue||2\r\nTre||3\r\n");
    if (selectedRow >= 0)
        m->panel.ListView1->setCurrentRow(selectedRow);
    else
        m->panel.ListView1->clearSelection();
    m->panel.txtNomePreferiti->setText(name);
    m->panel.txtUrlPreferiti->setText(address);

    QTest::mouseClick(m->panel.findChild<QPushButton *>(button), Qt::LeftButton);

    QCOMPARE(itemTexts(m->panel.ListView1), items);
    QCOMPARE(fileText(), file);
    QCOMPARE(m->panel.txtNomePreferiti->text(), name); // the boxes keep what they hold
    QVERIFY(m->host.calls.isEmpty());
    QVERIFY(m->boxes.shown.isEmpty());
}

void FavoritesPanelTest::deleteLeavesNothingSelected()
{
    open("Uno||1\r\nDue||2\r\nTre||3\r\n");
    m->panel.ListView1->setCurrentRow(1);
    QTest::mouseClick(m->panel.cmdEliminaPreferiti, Qt::LeftButton);
    QTest::mouseClick(m->panel.cmdEliminaPreferiti, Qt::LeftButton);
    QCOMPARE(fileText(), "Uno||1\r\nTre||3\r\n");

    // Then the entry now at position 2 is the third one, and changing it changes that.
    m->panel.ListView1->setCurrentRow(1);
    m->panel.txtNomePreferiti->setText("Tre bis");
    m->panel.txtUrlPreferiti->setText("3");
    QTest::mouseClick(m->panel.cmdModificaPreferiti, Qt::LeftButton);
    QCOMPARE(fileText(), "Uno||1\r\nTre bis||3\r\n");
}

void FavoritesPanelTest::entriesShowAndOpenExactly_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("separators in name and address")
        << "Notizie - Italia - Oggi||http://n.example/a - b"
        << "Notizie - Italia - Oggi"
        << "http://n.example/a - b";
    QTest::newRow("tabs removed") << "Tab||\thttp://t.example/\tx"
                                  << "Tab"
                                  << "http://t.example/x";
    QTest::newRow("empty address") << "Solo nome"
                                   << "Solo nome"
                                   << "";
}

// A click fills the boxes, a double click opens the address, each exactly as the file holds.
void FavoritesPanelTest::entriesShowAndOpenExactly()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, address);
    const std::string content = "Primo||http://primo.example/\r\n" + line.toStdString() + "\r\n";
    open(content);

    clickItem(1);
    QCOMPARE(m->panel.txtNomePreferiti->text(), name);
    QCOMPARE(m->panel.txtUrlPreferiti->text(), address);
    if (line == name + "||" + address) {
        // An unchanged entry is written back unchanged.
        QTest::mouseClick(m->panel.cmdModificaPreferiti, Qt::LeftButton);
        QCOMPARE(fileText(), QString::fromStdString(content));
    }
    QVERIFY(m->host.calls.isEmpty());

    clickItem(1, true);
    QCOMPARE(m->host.calls, (QStringList{"openAddress " + address + " [panel shown, 2 items]",
                                         "showPageAfterOpen [panel hidden, 2 items]"}));
    QVERIFY(!m->panel.isVisible());
}

// A line break pasted into a box would split the favorite in the list and in the file.
void FavoritesPanelTest::pastedLineBreaksBecomeBlanks()
{
    open("");
    m->panel.txtNomePreferiti->clear();
    m->panel.txtNomePreferiti->insert("c\r\nd");
    m->panel.txtUrlPreferiti->clear();
    m->panel.txtUrlPreferiti->insert("e\nf");
    QCOMPARE(m->panel.txtNomePreferiti->text() + m->panel.txtUrlPreferiti->text(), "c  de f");
}

void FavoritesPanelTest::closeButtonAsksTheHostToClose()
{
    open("Uno||1\r\n");
    QTest::mouseClick(m->panel.Command1, Qt::LeftButton);
    QCOMPARE(m->host.calls, QStringList{"closePanels [panel shown, 1 items]"});
    QCOMPARE(fileText(), "Uno||1\r\n");
}

void FavoritesPanelTest::failedRewriteIsReportedAndKeepsTheChange()
{
    open("Uno||1\r\n");
    // A file where the folder should be: cannot be written into, even by root.
    std::filesystem::remove_all(nativePath("C:\\WINDOWS"));
    std::ofstream(nativePath("C:\\WINDOWS")) << "in the way";
    m->panel.txtNomePreferiti->setText("Due");
    m->panel.txtUrlPreferiti->setText("2");

    QTest::mouseClick(m->panel.cmdNuovoPreferiti, Qt::LeftButton);

    QCOMPARE(m->boxes.shown.size(), 1);
    QCOMPARE(m->boxes.shown[0].text, qs(FavoritesNotSaved));
    QCOMPARE(m->boxes.shown[0].icon, MessageIcon::Critical);
    QCOMPARE(m->boxes.shown[0].caption, "Torvi");
    QCOMPARE(itemTexts(m->panel.ListView1), (QStringList{"Uno - 1", "Due - 2"}));
    QVERIFY(m->panel.isVisible());
}

void FavoritesPanelTest::unreadableFileIsReportedAndNotOverwritten()
{
    std::filesystem::create_directory(favoritesPath());
    m->panel.InitPreferiti();

    QCOMPARE(m->boxes.shown.size(), 1);
    QCOMPARE(m->boxes.shown[0].text, qs(FavoritesNotRead));
    QVERIFY(m->panel.isVisible());
    QVERIFY(!m->panel.cmdNuovoPreferiti->isEnabled());
    QVERIFY(!m->panel.cmdModificaPreferiti->isEnabled());
    QVERIFY(!m->panel.cmdEliminaPreferiti->isEnabled());
    QVERIFY(std::filesystem::is_directory(favoritesPath()));

    // Once the file reads again, editing comes back.
    std::filesystem::remove(favoritesPath());
    m->panel.InitPreferiti();
    QVERIFY(m->panel.cmdNuovoPreferiti->isEnabled());
}

QTEST_MAIN(FavoritesPanelTest)
#include "favorites_panel_test.moc"
