// Torvi tests: the plain-text history.
#include "history/history_file.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace torvi {
namespace {

using Lines = std::vector<HistoryLine>;

class HistoryFileTest : public test::ProgramFileTest
{
protected:
    HistoryFileTest() : ProgramFileTest(HistoryFilePath) {}

    FileSystem fileSystem;
    HistoryFile history{fileSystem};
};

TEST_F(HistoryFileTest, AppendsWholeLinesEndedByCrLfTrimmingOnlyTheDate)
{
    ASSERT_TRUE(history.AddCronologia("http://a.example/", "06/12/2026 10:00:00", "A").isOk());
    ASSERT_TRUE(
        history.AddCronologia(" http://b.example/ ", "  06/12/2026 10:00:01 ", " B  ").isOk());
    ASSERT_TRUE(history.AddCronologia("http://c.example/", "06/12/2026 10:00:02", "").isOk());
    EXPECT_EQ(fileText(), "http://a.example/||06/12/2026 10:00:00||A\r\n"
                          " http://b.example/ ||06/12/2026 10:00:01|| B  \r\n"
                          "http://c.example/||06/12/2026 10:00:02||\r\n");
    EXPECT_TRUE(std::filesystem::exists(mappedDriveRoot() / "WINDOWS" / "cronologia.txt"));
}

TEST_F(HistoryFileTest, ReadsNewestFirstInThreeColumns)
{
    struct Case
    {
        const char *label;
        std::string content;
        Lines expected;
    };
    const std::vector<Case> cases = {
        {"last line first", "a||d1||t1\r\nb||d2||t2\r\n", {{"b", "d2", "t2"}, {"a", "d1", "t1"}}},
        {"one field", "a\r\n", {{"a", "", ""}}},
        {"two fields", "a||d\r\n", {{"a", "d", ""}}},
        {"empty title", "a||d||\r\n", {{"a", "d", ""}}},
        {"a title holding || keeps only its first piece",
         "a||d||Tom || Jerry||x\r\n",
         {{"a", "d", "Tom "}}},
        {"empty lines skipped", "\r\na||d||t\r\n\r\n\r\n", {{"a", "d", "t"}}},
        {"LF and CR ends read as well",
         "a||1||x\nb||2||y\rc||3||z",
         {{"c", "3", "z"}, {"b", "2", "y"}, {"a", "1", "x"}}},
        {"blanks of address and title kept", " a ||d|| t \r\n", {{" a ", "d", " t "}}},
        {"single | is no separator", "a|b||d|x||t\r\n", {{"a|b", "d|x", "t"}}},
        {"empty file", "", {}},
    };
    // One reading after another: none may keep records of the one before.
    for (const auto &c : cases) {
        writeFile(c.content);
        EXPECT_EQ(history.readHistory(), c.expected) << c.label;
    }
}

TEST_F(HistoryFileTest, DeleteThenNextPageRecreatesOneLine)
{
    ASSERT_TRUE(history.AddCronologia("http://a.example/", "d", "t").isOk());
    ASSERT_TRUE(history.AddCronologia("http://b.example/", "d", "t").isOk());
    ASSERT_TRUE(history.DeleteCronologia().isOk());
    EXPECT_FALSE(std::filesystem::exists(native));
    EXPECT_TRUE(history.readHistory().empty()) << "a missing file reads as empty";
    EXPECT_TRUE(history.DeleteCronologia().isOk()) << "and deletes without failure";

    ASSERT_TRUE(history.AddCronologia("http://c.example/", "d", "t").isOk());
    EXPECT_EQ(fileText(), "http://c.example/||d||t\r\n");
}

TEST_F(HistoryFileTest, ReadOnlyFileIsNotDeleted)
{
    writeFile("a||d||t\r\n");
    std::filesystem::permissions(native, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read);
    EXPECT_FALSE(history.DeleteCronologia().isOk());
    EXPECT_TRUE(std::filesystem::exists(native));
}

// A folder where the file should be: no user, root included, can append to it.
TEST_F(HistoryFileTest, UnwritableFileIsReportedAndNothingThrows)
{
    std::filesystem::create_directory(native);
    const auto status = history.AddCronologia("http://a.example/", "d", "t");
    EXPECT_FALSE(status.isOk());
    EXPECT_NE(status.error().find("cronologia.txt"), std::string::npos) << status.error();
    EXPECT_TRUE(history.readHistory().empty());
}

TEST(HistoryText, TrimBlanksTouchesOnlyTheEnds)
{
    struct Case
    {
        const char *label;
        const char *text;
        const char *expected;
    };
    const std::vector<Case> cases = {
        {"inner blanks stay", "06/12/2026  10:00:00", "06/12/2026  10:00:00"},
        {"only blanks", "   ", ""},
        {"tabs are not blanks", "\t1\t", "\t1\t"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(trimBlanks(c.text), c.expected) << c.label;
}

TEST(HistoryText, DateAndTimeInItalianShortForm)
{
    struct Case
    {
        const char *label;
        LocalTime when;
        const char *expected;
    };
    const std::vector<Case> cases = {
        {"day before month, zero-padded", {2026, 3, 7, 9, 5, 2}, "07/03/2026 09:05:02"},
        {"24-hour clock", {2026, 12, 31, 23, 59, 58}, "31/12/2026 23:59:58"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(defaultDateTimeText(c.when), c.expected) << c.label;
}

} // namespace
} // namespace torvi
