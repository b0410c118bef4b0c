// Torvi tests: the plain-text history and the XML navigation log.
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "history/record_writer.h"
#include "support/temp_home.h"

namespace torvi {
namespace {

using Lines = std::vector<HistoryLine>;
namespace fs = std::filesystem;

class FixedClock : public Clock
{
public:
    LocalTime when{2026, 3, 7, 9, 5, 2};
    LocalTime now() const override { return when; }
};

class HistoryTest : public test::ProgramFilesTest
{
protected:
    FileSystem files;
    HistoryFile history{files};
    FixedClock clock;
    NavigationLog log{NavigationLog::defaultPath(), files, clock};
    bool pending = true;
};

// The system's code page: Windows-1252 (Wine's, as an Italian Windows has it) or UTF-8.
#ifdef _WIN32
const std::string euroInFiles = "\x80";
#else
const std::string euroInFiles = "\xE2\x82\xAC";
#endif

// Whole lines ended by CR LF, appended; only the date loses its blanks, and only its blanks.
TEST_F(HistoryTest, AppendsReadsBackNewestFirstAndDeletes)
{
    ASSERT_TRUE(history.AddCronologia("http://a.example/", "  07/03/2026 09:05:02 ", " A ").isOk());
    ASSERT_TRUE(history.AddCronologia(" b ", " \t1  2 ", "").isOk());
    ASSERT_TRUE(history.AddCronologia("c", "   ", "\xE2\x82\xAC").isOk());
    EXPECT_EQ(test::textOf(historyPath), "http://a.example/||07/03/2026 09:05:02|| A \r\n"
                                         " b ||\t1  2||\r\n"
                                         "c||||" +
                                             euroInFiles + "\r\n");
    EXPECT_EQ(history.readHistory(), (Lines{{"c", "", "\xE2\x82\xAC"},
                                            {" b ", "\t1  2", ""},
                                            {"http://a.example/", "07/03/2026 09:05:02", " A "}}));
    EXPECT_EQ(defaultDateTimeText({2026, 3, 7, 19, 5, 2}), "07/03/2026 19:05:02");

    // A record starts a line of its own, whatever the last one lacks (a crash, another writer's
    // file), and a line break in a field cannot end it early and forge another entry.
    test::writeText(historyPath, "d||d||t"); // its line end lost
    ASSERT_TRUE(history.AddCronologia("e\nf", "d", "evil\r\nhttp://forged/||x").isOk());
    EXPECT_EQ(test::textOf(historyPath), "d||d||t\r\ne f||d||evil  http://forged/||x\r\n");

    // Deleting a missing file succeeds; a read-only one stays.
    ASSERT_TRUE(history.DeleteCronologia().isOk());
    EXPECT_TRUE(history.DeleteCronologia().isOk()) << "already gone";
    ASSERT_TRUE(history.AddCronologia("d", "d", "t").isOk());
    EXPECT_EQ(test::textOf(historyPath), "d||d||t\r\n") << "a new file";
    fs::permissions(historyPath, fs::perms::owner_read);
    EXPECT_FALSE(history.DeleteCronologia().isOk()) << "read-only";

    // A folder in the file's place: no user, root included, can append to it.
    test::removeMadeFile(historyPath);
    fs::create_directory(historyPath);
    EXPECT_NE(history.AddCronologia("a", "d", "t").error().find("cronologia.txt"),
              std::string::npos);
}

// The latest lines come from the file's end whatever its length: the same as the whole
// file's first lines, also when a line is longer than the piece first read.
TEST_F(HistoryTest, LatestLinesAreTheWholeFilesLastOnes)
{
    EXPECT_EQ(history.readLatest(10), Lines{}) << "no file";
    std::string text = "http://first/||d||" + std::string(40000, 't') + "\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "http://a.example/" + std::to_string(i) + "||07/03/2026 09:05:02||T\r\n";
    text += "http://last/||d||" + std::string(70000, 'u') + "\r\n";
    test::writeText(historyPath, text);
    const Lines all = history.readHistory();
    for (std::size_t count :
         {std::size_t{0}, std::size_t{1}, std::size_t{200}, all.size(), all.size() + 5})
        EXPECT_EQ(history.readLatest(count),
                  Lines(all.begin(), all.begin() + std::min(count, all.size())))
            << count << " lines";
}

TEST(HistoryText, LinesSplitAtEveryDoubleBar)
{
    const test::Row<const char *, Lines> rows[] = {
        {"missing fields stay empty, a single | is text",
         "a|b\r\nc||d|x\r\n",
         {{"c", "d|x", ""}, {"a|b", "", ""}}},
        {"a title holding || keeps its first piece", "a||d||T || J", {{"a", "d", "T "}}},
        {"empty lines skipped", "\r\na||d||t\r\n\r\n", {{"a", "d", "t"}}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(parseHistory(r.in), r.out) << r.label;
}

// One record of the log as its reader sees it: five lines, each ended by CR LF.
std::string record(const std::string &url, const std::string &when, const std::string &flag)
{
    return "<connection>\r\n\t<URL>" + url + "</URL>\r\n\t<Data-Ora>" + when +
           "</Data-Ora>\r\n\t<DownloadFile>" + flag + "</DownloadFile>\r\n</connection>\r\n";
}

// Each record goes before the closing line and carries the download flag, which it resets; an
// empty address writes nothing but resets the flag too. A log that cannot be replaced is left as
// it was, and nothing is left beside it.
TEST_F(HistoryTest, LogRecordsGoBeforeTheClosingLineAndFailuresLeaveTheLog)
{
    ASSERT_TRUE(log.WriteHistoryXml("http://a/\xE2\x82\xAC", pending).isOk());
    const std::string first = "<?xml version='1.0'?>\r\n<history>\r\n" +
                              record("http://a/" + euroInFiles, "07-03-2026|09:05:02", "True");
    EXPECT_EQ(test::textOf(logPath), first + "</history>\r\n");
#ifdef _WIN32
    EXPECT_TRUE(fs::exists(logPath.parent_path() / "torvi_unit_tests.exe")) << "beside the program";
#endif

    clock.when = {2026, 12, 31, 23, 59, 58};
    pending = true;
    ASSERT_TRUE(log.WriteHistoryXml("", pending).isOk());
    ASSERT_TRUE(log.WriteHistoryXml("b", pending).isOk());
    EXPECT_EQ(test::textOf(logPath),
              first + record("b", "31-12-2026|23:59:58", "False") + "</history>\r\n");

    const std::string before = test::textOf(logPath);
    fs::permissions(logPath, fs::perms::owner_read);
    EXPECT_FALSE(log.WriteHistoryXml("http://b.example/", pending).isOk()) << "read-only";
    EXPECT_EQ(test::textOf(logPath), before);

    // A folder where the log should be: nobody, root included, can rename a file over it.
    test::removeMadeFile(logPath);
    fs::create_directory(logPath);
    const auto inFolder = std::distance(fs::directory_iterator(logPath.parent_path()), {});
    EXPECT_NE(log.WriteHistoryXml("a", pending).error().find("History.xml"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(logPath.parent_path()), {}), inFolder)
        << "no temporary file left behind";
}

// A log as the writer leaves it takes each record in place of its closing line; what a write
// cut short left after the last whole record goes, so the log parses again.
TEST_F(HistoryTest, TheNextRecordRepairsATornLogEnd)
{
    const std::string head = "<?xml version='1.0'?>\r\n<history>\r\n";
    const std::string a = record("a", "d", "False"),
                      b = record("b", "07-03-2026|09:05:02", "False");
    pending = false;
    const test::Row<std::string, std::string> rows[] = {
        {"a whole log", head + a + "</history>\r\n", head + a},
        {"killed inside a record", head + a + "<connection>\r\n\t<URL>ht", head + a},
        {"the closing line half overwritten", head + a + "<connecry>\r\n", head + a},
        {"zeros of a power cut", head + a + std::string(5, '\0'), head + a},
        {"a whole record, its closing line cut", head + a + a + "</hi", head + a + a},
        {"no record yet, its closing line cut", head + "</hist", head},
        {"lines after the closing line", head + a + "</history>\r\nx\r\n", head + a},
    };
    for (const auto &r : rows) {
        test::writeText(logPath, r.in);
        ASSERT_TRUE(log.WriteHistoryXml("b", pending).isOk()) << r.label;
        EXPECT_EQ(test::textOf(logPath), r.out + b + "</history>\r\n") << r.label;
    }
}

// The worker writes the records in the order asked for, and all of them before it goes; a
// record that cannot be written is reported, and the next one is written all the same.
TEST_F(HistoryTest, QueuedRecordsAreWrittenInOrderAndAllBeforeTheWriterGoes)
{
    std::string logged = "<?xml version='1.0'?>\r\n<history>\r\n", lines;
    {
        RecordWriter records{log, history};
        for (int i = 0; i < 50; ++i) {
            const std::string n = std::to_string(i);
            pending = i == 0;
            records.WriteHistoryXml("u" + n, pending);
            EXPECT_FALSE(pending) << "reset when queued";
            records.WriteHistoryXml("v" + n, pending);
            records.AddCronologia("h" + n, "d", "t");
            logged += record("u" + n, "07-03-2026|09:05:02", i == 0 ? "True" : "False") +
                      record("v" + n, "07-03-2026|09:05:02", "False");
            lines += "h" + n + "||d||t\r\n";
        }
    }
    EXPECT_EQ(test::textOf(logPath), logged + "</history>\r\n");
    EXPECT_EQ(test::textOf(historyPath), lines);

    fs::permissions(logPath, fs::perms::owner_read);
    RecordWriter records{log, history};
    records.WriteHistoryXml("x", pending);
    records.AddCronologia("after", "d", "t");
    const auto failures = records.finish();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("History.xml"), std::string::npos);
    EXPECT_TRUE(test::textOf(historyPath).ends_with("after||d||t\r\n"));
}

// An existing log keeps every line before its first exact closing line, byte for byte.
TEST_F(HistoryTest, OldLogLinesAreKeptUpToTheFirstClosingLine)
{
    // Without a root line the log would never parse again: it goes before the first record.
    const std::string garbage("\x01\xff\0<\r\n", 6), root = "<history>\r\n";
    const std::string a = record("a", "d", "False");
    const test::Row<std::string, std::string> rows[] = {
        {"no closing line: every line, LF CR being two ends", "a\n\rb", "a\r\n\r\nb\r\n" + root},
        {"all after the first closing line go", "a\r</history>\nb\r\n</history>\r\n",
         "a\r\n" + root},
        {"an indented closing line is none", "a\r\n </history>\r\n", "a\r\n </history>\r\n" + root},
        {"garbage kept as it is", garbage, garbage + root},
        {"only the declaration", "<?xml version='1.0'?>", "<?xml version='1.0'?>\r\n" + root},
        {"first lines lost", a + "</history>\r\n", root + a},
    };
    for (const auto &r : rows) {
        test::writeText(logPath, r.in);
        ASSERT_TRUE(log.WriteHistoryXml("u", pending).isOk()) << r.label;
        EXPECT_TRUE(test::textOf(logPath).starts_with(r.out + "<connection>\r\n\t<URL>u</URL>"))
            << r.label;
    }
}

TEST(HistoryText, LogAddressesAreEscapedOnlyWhereXmlNeedsIt)
{
    const std::string bad = "\xEF\xBF\xBD"; // U+FFFD
    const test::Row<std::string, std::string> rows[] = {
        {"ampersand", "a?b=1&c=2", "a?b=1&amp;c=2"},
        {"the closing tag cannot end the log", "</history>", "&lt;/history>"},
        {"quotes, greater-than and non-ASCII stay", "a\"'>\xC3\xA0", "a\"'>\xC3\xA0"},
        {"CDATA end", "a]]>", "a]]&gt;"},
        {"line ends keep the record on its line", "a\r\nb", "a&#13;&#10;b"},
        {"tab stays, control character replaced", "a\t\x01z", "a\t" + bad + "z"},
        {"not UTF-8, a surrogate", "a\xC3(\xED\xA0\x80", "a" + bad + "(" + bad + bad + bad},
        {"the last surrogate", "\xED\xBF\xBF", bad + bad + bad},
        {"overlong forms, U+FFFE", "\xC0\xBC\xE0\x83\xA9\xEF\xBF\xBE",
         bad + bad + bad + bad + bad + bad},
    };
    for (const auto &r : rows)
        EXPECT_EQ(escapeLogAddress(r.in), r.out) << r.label;
}

} // namespace
} // namespace torvi
