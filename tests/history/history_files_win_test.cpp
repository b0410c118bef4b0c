// Torvi tests: the history and the navigation log at their Windows places, in the ANSI code
// page (Wine's is 1252, as an Italian Windows has it).
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "nav/win32_api.h"

namespace torvi {
namespace {

class FixedClock : public Clock
{
public:
    LocalTime now() const override { return {2026, 3, 7, 9, 5, 2}; }
};

class WindowsHistoryFilesTest : public test::ProgramFileTest
{
protected:
    WindowsHistoryFilesTest() : ProgramFileTest(HistoryFilePath) { test::removeMadeFile(logFile); }
    ~WindowsHistoryFilesTest() override { test::removeMadeFile(logFile); }

    const std::filesystem::path logFile{nativePath(NavigationLog::defaultPath())};
    FileSystem fileSystem;
};

TEST_F(WindowsHistoryFilesTest, HistoryIsWrittenInTheAnsiCodePageAndReadBackAsItWas)
{
    ASSERT_EQ(::GetACP(), 1252u) << "these bytes are Windows-1252's";
    HistoryFile history{fileSystem};
    ASSERT_TRUE(
        history.AddCronologia("http://a.example/", "07/03/2026 09:05:02", "Citt\xC3\xA0").isOk());
    ASSERT_TRUE(history.AddCronologia("http://b.example/", "07/03/2026 09:05:03", "").isOk());

    EXPECT_EQ(readWholeFile(L"C:\\WINDOWS\\cronologia.txt"),
              "http://a.example/||07/03/2026 09:05:02||Citt\xE0\r\n"
              "http://b.example/||07/03/2026 09:05:03||\r\n");
    EXPECT_EQ(
        history.readHistory(),
        (std::vector<HistoryLine>{{"http://b.example/", "07/03/2026 09:05:03", ""},
                                  {"http://a.example/", "07/03/2026 09:05:02", "Citt\xC3\xA0"}}));
}

TEST_F(WindowsHistoryFilesTest, LogIsWrittenBesideTheRunningExecutable)
{
    FixedClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    bool pending = false;
    ASSERT_TRUE(log.WriteHistoryXml("http://a.example/citt\xC3\xA0", pending).isOk());

    // The test executable's own folder, found without asking the code under test.
    EXPECT_TRUE(std::filesystem::exists(logFile.parent_path() / "torvi_unit_tests.exe"));
    const auto text = readWholeFile(logFile);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\t<URL>http://a.example/citt\xE0</URL>\r\n"), std::string::npos) << *text;
}

} // namespace
} // namespace torvi
