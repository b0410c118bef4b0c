// Torvi tests: the XML navigation log.
#include "history/navigation_log.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace torvi {
namespace {

class FixedClock : public Clock
{
public:
    LocalTime when{2026, 3, 7, 9, 5, 2};
    LocalTime now() const override { return when; }
};

class NavigationLogTest : public test::ProgramFileTest
{
protected:
    NavigationLogTest() : ProgramFileTest(NavigationLog::defaultPath()) {}

    std::vector<std::string> fileLines() const { return splitLines(fileText()); }
    std::ptrdiff_t entriesInFolder() const { return test::entriesIn(native.parent_path()); }

    FileSystem fileSystem;
    FixedClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    bool pending = false;
};

TEST_F(NavigationLogTest, FirstRecordMakesEightLinesSecondMakesThirteen)
{
    ASSERT_TRUE(log.WriteHistoryXml("http://a.example/", pending).isOk());
    EXPECT_EQ(fileText(), "<?xml version='1.0'?>\r\n"
                          "<history>\r\n"
                          "<connection>\r\n"
                          "\t<URL>http://a.example/</URL>\r\n"
                          "\t<Data-Ora>07-03-2026|09:05:02</Data-Ora>\r\n"
                          "\t<DownloadFile>False</DownloadFile>\r\n"
                          "</connection>\r\n"
                          "</history>\r\n");

    const auto first = fileLines();
    clock.when = {2026, 12, 31, 23, 59, 58};
    ASSERT_TRUE(log.WriteHistoryXml("http://b.example/", pending).isOk());
    const auto lines = fileLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 7),
              std::vector(first.begin(), first.begin() + 7));
    EXPECT_EQ(lines[8], "\t<URL>http://b.example/</URL>");
    EXPECT_EQ(lines[9], "\t<Data-Ora>31-12-2026|23:59:58</Data-Ora>");
    EXPECT_EQ(lines[12], "</history>");
#ifndef _WIN32
    // The mapped install folder; on Windows it is the executable's (history_files_win_test).
    EXPECT_TRUE(std::filesystem::exists(mappedDriveRoot() / "Programmi" / "Torvi" / "History.xml"));
#endif
}

TEST_F(NavigationLogTest, FlagIsRecordedThenResetAndAnEmptyAddressOnlyResetsIt)
{
    pending = true;
    ASSERT_TRUE(log.WriteHistoryXml("", pending).isOk());
    EXPECT_FALSE(pending);
    EXPECT_FALSE(fileSystem.FileExists(log.path()));

    pending = true;
    ASSERT_TRUE(log.WriteHistoryXml("http://a.example/", pending).isOk());
    EXPECT_FALSE(pending);
    EXPECT_EQ(fileLines()[5], "\t<DownloadFile>True</DownloadFile>");
}

TEST_F(NavigationLogTest, KeptLinesFollowTheClosingLineRule)
{
    struct Case
    {
        const char *label;
        std::string old;
        std::vector<std::string> kept;
    };
    const std::vector<Case> cases = {
        {"no closing line keeps every line",
         "<?xml version='1.0'?>\r\n<history>\r\n<x>\r\n",
         {"<?xml version='1.0'?>", "<history>", "<x>"}},
        {"lines after the closing line are dropped", "a\r\n</history>\r\nafter\r\n", {"a"}},
        {"only the first closing line counts", "a\r\n</history>\r\nb\r\n</history>\r\n", {"a"}},
        {"an indented closing line is not the closing line",
         "a\r\n </history>\r\n",
         {"a", " </history>"}},
        {"CR-only and LF-only line ends", "a\rb\n</history>\rc", {"a", "b"}},
        {"empty file", "", {}},
        {"binary garbage stays as it is",
         std::string("\x01\xff\0z", 4),
         {std::string("\x01\xff\0z", 4)}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(keptLogLines(c.old), c.kept) << c.label;
}

TEST_F(NavigationLogTest, HostileOldFilesNeverCrashAndKeepTheirBytes)
{
    const std::string longLine(1 << 20, 'x');
    const std::string garbage("\0\x01\xfe\xff<\r\r\n\n", 9);
    writeFile(garbage + longLine + "\r\n</history>\r\ntrailing junk\r\n");
    ASSERT_TRUE(log.WriteHistoryXml("http://a.example/", pending).isOk());
    const std::string text = fileText();
    const std::string keptGarbage = garbage.substr(0, 5) + "\r\n\r\n\r\n";
    EXPECT_EQ(text.substr(0, keptGarbage.size()), keptGarbage);
    EXPECT_NE(text.find(longLine + "\r\n<connection>"), std::string::npos);
    EXPECT_EQ(text.find("trailing junk"), std::string::npos);
}

TEST_F(NavigationLogTest, AddressesAreEscapedOnlyWhereXmlNeedsIt)
{
    struct Case
    {
        const char *label;
        std::string address;
        std::string written;
    };
    const std::vector<Case> cases = {
        {"ampersand", "http://a.example/?a=1&b=2", "http://a.example/?a=1&amp;b=2"},
        {"quotes and greater-than stay", "http://a.example/\"'>", "http://a.example/\"'>"},
        {"CDATA end", "http://a.example/]]>", "http://a.example/]]&gt;"},
        {"line ends keep the record on its line", "a\r\nb", "a&#13;&#10;b"},
        {"control character", std::string("a\x01z"), "a\xEF\xBF\xBDz"},
        {"tab stays", "a\tb", "a\tb"},
        {"not UTF-8", "a\xC3(z", "a\xEF\xBF\xBD(z"},
        {"surrogate", "a\xED\xA0\x80z", "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDz"},
        {"non-ASCII stays", "http://a.example/citt\xC3\xA0", "http://a.example/citt\xC3\xA0"},
        {"closing tag cannot end the log", "</history>", "&lt;/history>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(escapeLogAddress(c.address), c.written) << c.label;
}

TEST_F(NavigationLogTest, ReadOnlyLogIsNotReplaced)
{
    ASSERT_TRUE(log.WriteHistoryXml("http://a.example/", pending).isOk());
    const std::string before = fileText();
    std::filesystem::permissions(native, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read);
    EXPECT_FALSE(log.WriteHistoryXml("http://b.example/", pending).isOk());
    EXPECT_EQ(fileText(), before);
}

TEST_F(NavigationLogTest, UnreplaceableLogFailsAndLeavesNothingBehind)
{
    // A folder where the log should be: nobody, root included, can rename a file over it.
    std::filesystem::create_directory(native);
    const auto before = entriesInFolder();
    const auto status = log.WriteHistoryXml("http://a.example/", pending);
    EXPECT_FALSE(status.isOk());
    EXPECT_NE(status.error().find("History.xml"), std::string::npos) << status.error();
    EXPECT_TRUE(std::filesystem::is_directory(native));
    EXPECT_EQ(entriesInFolder(), before) << "no temporary file may be left behind";
}

#ifndef _WIN32
// A write that fails midway must leave the old log whole and no half-written file beside it.
TEST_F(NavigationLogTest, WriteFailingMidwayLeavesTheOldLogWhole)
{
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(log.WriteHistoryXml("http://a.example/" + std::to_string(i), pending).isOk());
    const std::string before = fileText();
    ASSERT_GT(before.size(), 20000u);

    EXPECT_TRUE(test::writeFailsMidway(8192, [&] {
        return log.WriteHistoryXml("http://after.example/", pending).isOk();
    })) << "the failed write must be reported";
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(entriesInFolder(), 1) << "no temporary file may be left behind";
}
#endif

} // namespace
} // namespace torvi
