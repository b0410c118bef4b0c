// Torvi tests: the favorites file and the table the panel keeps in step with it.
#include "favorites/favorites_file.h"
#include "support/temp_home.h"

#include <fstream>

namespace torvi {
namespace {

using Entries = std::vector<FavoriteEntry>;
using FavoritesTest = test::ProgramFilesTest;

// Lines split at the first double bars. The table has no limit of a thousand entries; its
// positions start at 1 and later entries move up. A missing file is an empty list, and what is
// written reads back the same. A file that cannot be read must not look empty, or the next
// change would overwrite the favorites.
TEST_F(FavoritesTest, LinesTableAndFileKeepEveryEntryAndAnUnreadableFileIsAFailure)
{
    const test::Row<const char *, Entries> rows[] = {
        {"name, then address", "A||http://a/\r\nB||b", {{"A", "http://a/"}, {"B", "b"}}},
        {"empty lines skipped, blank ones kept", "\r\n\r\nA||a\r\n \r\n", {{"A", "a"}, {" ", ""}}},
        {"name only; a third piece ignored", "a name\nA||a||x", {{"a name", ""}, {"A", "a"}}},
        {"single bars", "A|B||x|y\r\nC|||c\r\n||", {{"A|B", "x|y"}, {"C", "|c"}, {"", ""}}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(parseFavorites(r.in), r.out) << r.label;

    FavoritesTable table;
    for (int i = 1; i <= 1500; ++i)
        table.add({std::to_string(i), ""});
    table.remove(2);
    table.change(1499, {"last", ""});
    for (const std::size_t outside : {std::size_t{0}, std::size_t{1500}}) {
        table.change(outside, {"x", ""});
        table.remove(outside);
    }
    ASSERT_EQ(table.count(), 1499u);
    EXPECT_EQ(table.at(2), (FavoriteEntry{"3", ""}));
    EXPECT_EQ(table.at(1499), (FavoriteEntry{"last", ""}));

    FavoritesFile file;
    EXPECT_TRUE(file.load(table).isOk()) << "missing file";
    const Entries entries = {{"Rossi, Bianchi", "http://a.example/?q=1,2"},
                             {"", "http://a.example/"},
                             {"Solo nome", ""},
                             {"Citt\xC3\xA0", "http://c.example/\tx"}};
    for (const auto &entry : entries)
        table.add(entry);
    ASSERT_TRUE(file.rewrite(table).isOk());
    EXPECT_TRUE(test::textOf(favoritesPath)
                    .starts_with("Rossi, Bianchi||http://a.example/?q=1,2\r\n"
                                 "||http://a.example/\r\n"
                                 "Solo nome||\r\n"));
    ASSERT_TRUE(file.load(table).isOk());
    EXPECT_EQ(table.entries(), entries);

    // A pasted line break would split the favorite in two and shift every later one.
    table.clear();
    table.add({"c\r\nd", "e\nf"});
    ASSERT_TRUE(file.rewrite(table).isOk());
    ASSERT_TRUE(file.load(table).isOk());
    EXPECT_EQ(table.entries(), (Entries{{"c  d", "e f"}}));

    test::removeMadeFile(favoritesPath);
    std::filesystem::create_directory(favoritesPath);
    EXPECT_NE(file.load(table).error().find("preferiti.txt"), std::string::npos);
    EXPECT_FALSE(file.rewrite(table).isOk());

#ifdef __linux__
    // A file that is there but cannot be opened, by root either: a kernel switch that is
    // write-only, reached through a link in the file's place.
    test::removeMadeFile(favoritesPath);
    for (const char *writeOnly : {"/proc/sys/vm/drop_caches", "/proc/sys/vm/compact_memory"})
        if (std::filesystem::is_regular_file(writeOnly) && !std::ifstream(writeOnly)) {
            std::filesystem::create_symlink(writeOnly, favoritesPath);
            break;
        }
    if (!std::filesystem::is_symlink(favoritesPath))
        GTEST_SKIP() << "no write-only file to read here";
    EXPECT_NE(file.load(table).error().find("preferiti.txt"), std::string::npos);
    std::filesystem::remove(favoritesPath);
#endif
}

} // namespace
} // namespace torvi
