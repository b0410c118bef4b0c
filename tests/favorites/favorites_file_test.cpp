// Torvi tests: the favorites file and the table the panel keeps in step with it.
#include "favorites/favorites_file.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace torvi {
namespace {

using Entries = std::vector<FavoriteEntry>;

class FavoritesFileTest : public test::ProgramFileTest
{
protected:
    FavoritesFileTest() : ProgramFileTest(FavoritesFile::defaultPath()) {}

    Entries reloaded() const
    {
        FavoritesTable fresh;
        EXPECT_TRUE(file.load(fresh).isOk());
        return fresh.entries();
    }

    FavoritesFile file;
    FavoritesTable table;
};

TEST_F(FavoritesFileTest, LinesAreReadAsDesigned)
{
    struct Case
    {
        const char *label;
        std::string content;
        Entries expected;
    };
    const std::vector<Case> cases = {
        {"CR LF, LF, CR and a last line without end",
         "A||http://a/\r\nB||b\nC||c\rD||d",
         {{"A", "http://a/"}, {"B", "b"}, {"C", "c"}, {"D", "d"}}},
        {"empty lines skipped", "\r\n\r\nA||a\r\n\n\r\nB||b\r\n\r\n", {{"A", "a"}, {"B", "b"}}},
        {"no separator: name only", "just a name\r\n", {{"just a name", ""}}},
        {"further pieces ignored", "A||a||extra||more\r\n", {{"A", "a"}}},
        {"separator alone: empty pair", "||\r\n", {{"", ""}}},
        {"single bar is text", "A|B||x|y\r\n", {{"A|B", "x|y"}}},
        {"three bars split at the first pair", "A|||b\r\n", {{"A", "|b"}}},
        {"blank line is not empty", " \r\n", {{" ", ""}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseFavorites(c.content), c.expected) << c.label;
}

TEST_F(FavoritesFileTest, MissingOrEmptyFileGivesAnEmptyTable)
{
    for (const char *label : {"missing file", "zero-length file"}) {
        table.add({"stale", "entry"});
        EXPECT_TRUE(file.load(table).isOk()) << label;
        EXPECT_EQ(table.count(), 0u) << label;
        writeFile("");
    }
}

TEST_F(FavoritesFileTest, UnreadableFileIsAFailureNotAnEmptyList)
{
    // An empty list here would let the next change overwrite the user's favorites.
    std::filesystem::create_directory(native);
    const auto status = file.load(table);
    EXPECT_FALSE(status.isOk());
    EXPECT_NE(status.error().find("preferiti.txt"), std::string::npos) << status.error();
}

TEST_F(FavoritesFileTest, FieldsSurviveARewriteUnchanged)
{
    struct Case
    {
        const char *label;
        FavoriteEntry entry;
    };
    const std::vector<Case> cases = {
        {"commas", {"Rossi, Bianchi, Verdi", "http://a.example/?q=1,2,3"}},
        {"empty name", {"", "http://a.example/"}},
        {"empty address", {"Solo nome", ""}},
        {"both empty", {"", ""}},
        {"name with the item separator", {"Notizie - Italia - Oggi", "http://n.example/"}},
        {"accents", {"Citt\xC3\xA0 e perch\xC3\xA9", "http://c.example/caff\xC3\xA8"}},
        {"tabs kept in the file", {"A\tB", "http://t.example/\tx"}},
    };
    for (const auto &c : cases)
        table.add(c.entry);
    table.add(cases[0].entry); // a duplicate is kept as a second line

    ASSERT_TRUE(file.rewrite(table).isOk());
    EXPECT_TRUE(fileText().starts_with("Rossi, Bianchi, Verdi||http://a.example/?q=1,2,3\r\n"
                                       "||http://a.example/\r\n"
                                       "Solo nome||\r\n"
                                       "||\r\n"));
    const auto back = reloaded();
    ASSERT_EQ(back.size(), cases.size() + 1);
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(back[i], cases[i].entry) << cases[i].label;
    EXPECT_EQ(back.back(), cases[0].entry) << "duplicate";
}

TEST_F(FavoritesFileTest, FirstAddWithoutAFileCreatesOneLineInTheWindowsFolder)
{
    EXPECT_EQ(file.path(), "C:\\WINDOWS\\preferiti.txt");
    table.add({"Primo", "http://primo.example/"});
    ASSERT_TRUE(file.rewrite(table).isOk());
    EXPECT_EQ(fileText(), "Primo||http://primo.example/\r\n");
}

TEST_F(FavoritesFileTest, DeleteMovesLaterEntriesUpAndAddAppends)
{
    writeFile("Uno||1\r\nDue||2\r\nTre||3\r\n");
    ASSERT_TRUE(file.load(table).isOk());

    table.remove(2);
    ASSERT_TRUE(file.rewrite(table).isOk());
    EXPECT_EQ(fileText(), "Uno||1\r\nTre||3\r\n");

    table.change(2, {"Tre bis", "3b"});
    ASSERT_TRUE(file.rewrite(table).isOk());
    EXPECT_EQ(fileText(), "Uno||1\r\nTre bis||3b\r\n") << "position 2 is now the third";

    table.add({"Quattro", "4"});
    ASSERT_TRUE(file.rewrite(table).isOk());
    EXPECT_EQ(fileText(), "Uno||1\r\nTre bis||3b\r\nQuattro||4\r\n");
}

TEST_F(FavoritesFileTest, PositionsOutsideTheTableChangeNothing)
{
    table.add({"Uno", "1"});
    for (const auto position : {std::size_t{0}, std::size_t{2}}) { // zero, and one past the end
        table.change(position, {"x", "y"});
        table.remove(position);
        EXPECT_EQ(table.entries(), (Entries{{"Uno", "1"}})) << position;
    }
}

// No limit of a thousand entries: the last ones load, change and are written back.
TEST_F(FavoritesFileTest, FifteenHundredFavoritesLoadEditAndRewriteWhole)
{
    std::string content;
    for (int i = 1; i <= 1500; ++i)
        content += "Sito " + std::to_string(i) + "||http://s" + std::to_string(i) + ".example/\r\n";
    writeFile(content);

    ASSERT_TRUE(file.load(table).isOk());
    ASSERT_EQ(table.count(), 1500u);
    EXPECT_EQ(table.at(1500), (FavoriteEntry{"Sito 1500", "http://s1500.example/"}));
    table.change(1200, {"Cambiato", "http://c.example/"});
    table.add({"Ultimo", "http://u.example/"});
    ASSERT_TRUE(file.rewrite(table).isOk());
    const auto back = reloaded();
    ASSERT_EQ(back.size(), 1501u);
    EXPECT_EQ(back, table.entries());
    EXPECT_EQ(back[1199].name, "Cambiato");
}

TEST_F(FavoritesFileTest, RewriteThatCannotBeWrittenIsReported)
{
    // A folder where the file should be: the new file cannot replace it, even for root,
    // and no folder of the system is touched on either platform.
    const std::string blocked = "C:\\WINDOWS\\torvi-test-blocked.txt";
    std::filesystem::create_directories(nativePath(blocked));
    FavoritesFile blockedFile{blocked};
    table.add({"Uno", "1"});

    const auto status = blockedFile.rewrite(table);
    EXPECT_FALSE(status.isOk());
    EXPECT_NE(status.error().find("torvi-test-blocked.txt"), std::string::npos) << status.error();
    EXPECT_TRUE(std::filesystem::is_directory(nativePath(blocked)));
    EXPECT_EQ(table.entries(), (Entries{{"Uno", "1"}}));
    std::filesystem::remove(nativePath(blocked));
}

#ifndef _WIN32
// A write that fails midway must leave the old file whole and no half-written file beside it.
TEST_F(FavoritesFileTest, RewriteFailingMidwayLeavesTheOldFileWhole)
{
    for (int i = 0; i < 400; ++i)
        table.add({"Sito " + std::to_string(i), "http://s" + std::to_string(i) + ".example/"});
    ASSERT_TRUE(file.rewrite(table).isOk());
    const std::string before = fileText();
    ASSERT_GT(before.size(), 10000u);

    table.add({"Nuovo", "http://nuovo.example/"});
    EXPECT_TRUE(test::writeFailsMidway(4096, [&] { return file.rewrite(table).isOk(); }))
        << "the failed rewrite must be reported";
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(test::entriesIn(native.parent_path()), 1) << "no temporary file may be left behind";
}
#endif

} // namespace
} // namespace torvi
