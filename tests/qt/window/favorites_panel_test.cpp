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
#include <memory>

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

} // namespace

class FavoritesPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlsCarryTheirDesignedTexts();
    void openingPrefillsReloadsThenHidesThePage_data();
    void openingPrefillsReloadsThenHidesThePage();
    void reopeningReplacesTheListWithTheFile();
    void buttonsUpdateListAndFile_data();
    void buttonsUpdateListAndFile();
    void deleteLeavesNothingSelected();
    void nameWithItemSeparatorRoundTripsExactly();
    void doubleClickOpensTheExactAddress_data();
    void doubleClickOpensTheExactAddress();
    void closeButtonAsksTheHostToClose();
    void failedRewriteIsReportedAndKeepsTheChange();
    void unreadableFileIsReportedAndNotOverwritten();

private:
    void open(const std::string &content);
    void clickItem(int row);
    void doubleClickItem(int row);

    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<RecordingHost> m_host;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<FavoritesPanel> m_panel;
};

void FavoritesPanelTest::init()
{
    m_home = std::make_unique<TempHome>();
    QVERIFY(prepareMappedDrive("tester").isOk());
    m_host = std::make_unique<RecordingHost>();
    m_boxes = std::make_unique<ScriptedMessageBoxes>();
    m_panel = std::make_unique<FavoritesPanel>(*m_host, *m_boxes);
    m_host->panel = m_panel.get();
}

void FavoritesPanelTest::cleanup()
{
    m_panel.reset();
    m_boxes.reset();
    m_host.reset();
    m_home.reset();
}

void FavoritesPanelTest::open(const std::string &content)
{
    writeFavorites(content);
    m_panel->InitPreferiti();
    m_host->calls.clear();
}

void FavoritesPanelTest::clickItem(int row)
{
    QListWidget *list = m_panel->ListView1;
    const QRect place = list->visualItemRect(list->item(row));
    QVERIFY(place.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

void FavoritesPanelTest::doubleClickItem(int row)
{
    QListWidget *list = m_panel->ListView1;
    const QRect place = list->visualItemRect(list->item(row));
    QVERIFY(place.isValid());
    // As the system delivers it: a click first, then the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

void FavoritesPanelTest::controlsCarryTheirDesignedTexts()
{
    QCOMPARE(m_panel->objectName(), "Frame1");
    QCOMPARE(m_panel->title(), "Preferiti");
    QVERIFY(!m_panel->isVisible());
    const std::pair<const char *, QString> texts[] = {
        {"Command1", "&Chiudi Preferiti"},
        {"cmdNuovoPreferiti", "&Aggiungi"},
        {"cmdModificaPreferiti", "&Modifica"},
        {"cmdEliminaPreferiti", "Elimina"}, // no access key
        {"Label1", "NOME:"},
        {"Label2", "INDIRIZZO:"}};
    for (const auto &[name, text] : texts) {
        QWidget *control = m_panel->findChild<QWidget *>(name);
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
    m_panel->txtNomePreferiti->setText("vecchio");

    m_panel->InitPreferiti();

    QCOMPARE(m_panel->pos(), m_host->topLeft);
    QCOMPARE(m_panel->txtNomePreferiti->text(), m_host->caption);
    QCOMPARE(m_panel->txtUrlPreferiti->text(), m_host->address);
    QCOMPARE(itemTexts(m_panel->ListView1), items);
    for (int i = 0; i < m_panel->ListView1->count(); ++i)
        QVERIFY(!m_panel->ListView1->item(i)->icon().isNull());
    // The list is filled before the page goes, and the panel shows only after it.
    QCOMPARE(
        m_host->calls,
        QStringList{QStringLiteral("hidePageForPanel [panel hidden, %1 items]").arg(items.size())});
    QVERIFY(m_panel->isVisible());
    QVERIFY(m_boxes->shown.isEmpty());
}

void FavoritesPanelTest::reopeningReplacesTheListWithTheFile()
{
    open("Uno||1\r\nDue||2\r\n");
    writeFavorites("Tre||3\r\n");
    m_panel->InitPreferiti();
    QCOMPARE(itemTexts(m_panel->ListView1), QStringList{"Tre - 3"});
    m_panel->ListView1->setCurrentRow(0);
    QTest::mouseClick(m_panel->cmdEliminaPreferiti, Qt::LeftButton);
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
        m_panel->ListView1->setCurrentRow(selectedRow);
    else
        m_panel->ListView1->clearSelection();
    m_panel->txtNomePreferiti->setText(name);
    m_panel->txtUrlPreferiti->setText(address);

    QTest::mouseClick(m_panel->findChild<QPushButton *>(button), Qt::LeftButton);

    QCOMPARE(itemTexts(m_panel->ListView1), items);
    QCOMPARE(fileText(), file);
    QCOMPARE(m_panel->txtNomePreferiti->text(), name); // the boxes keep what they hold
    QVERIFY(m_host->calls.isEmpty());
    QVERIFY(m_boxes->shown.isEmpty());
}

void FavoritesPanelTest::deleteLeavesNothingSelected()
{
    open("Uno||1\r\nDue||2\r\nTre||3\r\n");
    m_panel->ListView1->setCurrentRow(1);
    QTest::mouseClick(m_panel->cmdEliminaPreferiti, Qt::LeftButton);
    QTest::mouseClick(m_panel->cmdEliminaPreferiti, Qt::LeftButton);
    QCOMPARE(fileText(), "Uno||1\r\nTre||3\r\n");

    // Then the entry now at position 2 is the third one, and changing it changes that.
    m_panel->ListView1->setCurrentRow(1);
    m_panel->txtNomePreferiti->setText("Tre bis");
    m_panel->txtUrlPreferiti->setText("3");
    QTest::mouseClick(m_panel->cmdModificaPreferiti, Qt::LeftButton);
    QCOMPARE(fileText(), "Uno||1\r\nTre bis||3\r\n");
}

void FavoritesPanelTest::nameWithItemSeparatorRoundTripsExactly()
{
    const std::string content = "Notizie - Italia - Oggi||http://n.example/a - b\r\n"
                                "Tab||\thttp://t.example/\tx\r\n";
    open(content);

    clickItem(0);
    QCOMPARE(m_panel->txtNomePreferiti->text(), "Notizie - Italia - Oggi");
    QCOMPARE(m_panel->txtUrlPreferiti->text(), "http://n.example/a - b");
    QTest::mouseClick(m_panel->cmdModificaPreferiti, Qt::LeftButton);
    // An unchanged entry is written back unchanged.
    QCOMPARE(fileText(), QString::fromStdString(content));

    clickItem(1);
    QCOMPARE(m_panel->txtNomePreferiti->text(), "Tab");
    QCOMPARE(m_panel->txtUrlPreferiti->text(), "http://t.example/x"); // tabs removed
    QVERIFY(m_host->calls.isEmpty());
}

void FavoritesPanelTest::doubleClickOpensTheExactAddress_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("opened");
    const auto row = [](const char *name, const QString &line, const QString &opened) {
        QTest::newRow(name) << line << opened;
    };
    row("separators in name and address", "A - B||http://c.example/p - q",
        "http://c.example/p - q");
    row("tabs removed", "T||\thttp://t.example/\t", "http://t.example/");
    row("empty address", "Solo nome", "");
}

void FavoritesPanelTest::doubleClickOpensTheExactAddress()
{
    QFETCH(QString, line);
    QFETCH(QString, opened);
    open("Primo||http://primo.example/\r\n" + line.toStdString() + "\r\n");

    doubleClickItem(1);

    QCOMPARE(m_host->calls, (QStringList{"openAddress " + opened + " [panel shown, 2 items]",
                                         "showPageAfterOpen [panel hidden, 2 items]"}));
    QVERIFY(!m_panel->isVisible());
}

void FavoritesPanelTest::closeButtonAsksTheHostToClose()
{
    open("Uno||1\r\n");
    QTest::mouseClick(m_panel->Command1, Qt::LeftButton);
    QCOMPARE(m_host->calls, QStringList{"closePanels [panel shown, 1 items]"});
    QCOMPARE(fileText(), "Uno||1\r\n");
}

void FavoritesPanelTest::failedRewriteIsReportedAndKeepsTheChange()
{
    open("Uno||1\r\n");
    // A file where the folder should be: cannot be written into, even by root.
    std::filesystem::remove_all(nativePath("C:\\WINDOWS"));
    std::ofstream(nativePath("C:\\WINDOWS")) << "in the way";
    m_panel->txtNomePreferiti->setText("Due");
    m_panel->txtUrlPreferiti->setText("2");

    QTest::mouseClick(m_panel->cmdNuovoPreferiti, Qt::LeftButton);

    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown[0].text, qs(FavoritesNotSaved));
    QCOMPARE(m_boxes->shown[0].icon, MessageIcon::Critical);
    QCOMPARE(m_boxes->shown[0].caption, "Torvi");
    QCOMPARE(itemTexts(m_panel->ListView1), (QStringList{"Uno - 1", "Due - 2"}));
    QVERIFY(m_panel->isVisible());
}

void FavoritesPanelTest::unreadableFileIsReportedAndNotOverwritten()
{
    std::filesystem::create_directory(favoritesPath());
    m_panel->InitPreferiti();

    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown[0].text, qs(FavoritesNotRead));
    QVERIFY(m_panel->isVisible());
    QVERIFY(!m_panel->cmdNuovoPreferiti->isEnabled());
    QVERIFY(!m_panel->cmdModificaPreferiti->isEnabled());
    QVERIFY(!m_panel->cmdEliminaPreferiti->isEnabled());
    QVERIFY(std::filesystem::is_directory(favoritesPath()));

    // Once the file reads again, editing comes back.
    std::filesystem::remove(favoritesPath());
    m_panel->InitPreferiti();
    QVERIFY(m_panel->cmdNuovoPreferiti->isEnabled());
}

QTEST_MAIN(FavoritesPanelTest)
#include "favorites_panel_test.moc"
