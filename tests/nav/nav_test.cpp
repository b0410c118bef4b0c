// Torvi tests: the decisions of the engine-event handlers and the navigation hub.
#include "nav/addresses.h"
#include "nav/download.h"
#include "nav/endpoints.h"
#include "nav/navigation_hub.h"
#include "nav/page_events.h"
#include "nav/page_questions.h"
#include "nav/windows_path.h"
#include "support/temp_home.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

namespace torvi {
namespace {

// What the status bar and the find bar say: the zoom only when not 100 %, the matches, a
// download's size in Italian (decimal comma) and how the download went.
TEST(NavTest, ZoomFindAndDownloadTexts)
{
    EXPECT_EQ(zoomText(100), "");
    EXPECT_EQ(zoomText(90), "Zoom: 90 %");
    EXPECT_EQ(findResultText("a", 1, 3), "1 di 3");
    EXPECT_EQ(findResultText("a", 0, 0), "Nessun risultato");
    EXPECT_EQ(findResultText("", 0, 0), "") << "nothing looked for, nothing to say";
    EXPECT_EQ(sizeText(1258291), "1,2 MB");
    using D = Download;
    EXPECT_EQ(downloadText({1, "a.zip", "/s", 0, 0, D::State::Running}), "a.zip: 0 byte")
        << "an empty file of known size divides by nothing";
    EXPECT_EQ(downloadText({1, "a.zip", "/s", 100, 400, D::State::Running}),
              "a.zip: 25 % di 400 byte");
}

// Zoom moves a level at a time, from a level between two as well, and stops at the ends.
TEST(NavTest, ZoomStepsThroughItsLevels)
{
    struct Case
    {
        const char *label;
        int from, steps, to;
    };
    for (const Case &c : {Case{"up", 100, 1, 110},
                          {"down", 100, -1, 90},
                          {"two up", 90, 2, 110},
                          {"between, up", 105, 1, 110},
                          {"between, down", 105, -1, 100},
                          {"top stays", 500, 1, 500},
                          {"bottom stays", 25, -1, 25},
                          {"reset", 300, 0, 100}})
        EXPECT_EQ(nextZoomPercent(c.from, c.steps), c.to) << c.label;
}

// Only a failure inside the engine (a negative code) searches, for the address box's text
// (unreserved characters stay, any other byte becomes %XX in upper case); not a download (an
// address ending exactly in .exe, .zip, .rar or .iso), and never a failed search however the
// engine spelt it, which would loop. A page's questions, a word each: "5a" one comes at the
// fifth second and is asked, "5o" asked with the check box that refuses the rest, "5r" refused
// unasked; "+6" the open one is answered at second 6, "x6" with the box ticked; "nav" the page
// goes to another document. The number in is how soon after an answer a question counts as a
// repeat (0: any later one does).
TEST(NavTest, PageEventsSearchOnlyAfterEngineFailuresAndAskOneQuestionAtATime)
{
    EXPECT_EQ(progressText(-1, 0), "-1/ 0") << "the progress panel: zero counts as not negative";
    const std::string search = builtInEndpoints().SearchQueryUrl, host = hostOf(search);
    EXPECT_EQ(searchAfterError(search, "http://a/", -105, "c++ & c#/100%=? a-b.c_d~e caff\xC3\xA8"),
              search + "c%2B%2B%20%26%20c%23%2F100%25%3D%3F%20a-b.c_d~e%20caff%C3%A8");
    std::string upper = host;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    const test::Row<std::pair<std::string, long long>, bool> rows[] = {
        {"server's 404", {"http://a/x", 404}, false},
        {"code zero", {"http://a/x", 0}, false},
        {"download, the whole address", {".iso", -3}, false},
        {"capitals are no download", {"http://a/F.ZIP", -3}, true},
        {"a query hides the download", {"http://a/f.zip?x=1", -3}, true},
        {"shorter than an ending", {"zip", -3}, true},
        {"search spelt by the engine", {"https://" + upper + ":443/search?q=x&c=t", -7}, false},
        {"search over http, final dot", {"http://" + host + "./search#q=x", -105}, false},
        {"other path of the search host", {"https://" + host + "/searching", -105}, true},
        {"search path on another host", {"https://a/search?q=x", -105}, true},
        {"search host on another port", {"https://" + host + ":8443/search", -105}, true},
        {"empty address", {"", -105}, true},
    };
    for (const auto &r : rows)
        EXPECT_EQ(searchAfterError(search, r.in.first, r.in.second, "c"),
                  r.out ? std::optional{search + "c"} : std::nullopt)
            << r.label << ": " << r.in.first;

    using Verdict = PageQuestions::Verdict;
    const std::map<char, Verdict> verdicts{
        {'a', Verdict::Ask}, {'o', Verdict::AskOfferingToRefuseMore}, {'r', Verdict::Refuse}};
    const test::Row<int, const char *> questionRows[] = {
        {"from the second on, the box", 0, "0a +1 100o +101 102o"},
        {"while one is open, refused", 0, "0a 0r 1r +2 3o"},
        {"ticked, all the rest refused", 0, "0a +0 0o x0 0r 500r"},
        {"a navigation starts afresh", 0, "0a +0 0o x0 nav 1a +1 1o"},
        {"the old page's answer is no repeat", 0, "0a nav 1r +2 3a"},
        {"a repeat only within its time", 3, "0a +10 13o +14 18a"},
    };
    for (const auto &r : questionRows) {
        PageQuestions questions(r.in ? std::optional{std::chrono::seconds(r.in)} : std::nullopt);
        std::istringstream words(r.out);
        for (std::string word; words >> word;) {
            const bool arrives = std::isdigit(word[0]);
            const PageQuestions::Clock::time_point at{
                std::chrono::seconds(std::atoi(&word[arrives ? 0 : 1]))};
            if (word == "nav")
                questions.pageNavigated();
            else if (!arrives)
                questions.answered(at, word[0] == 'x' ? RefuseMore::Yes : RefuseMore::No);
            else
                EXPECT_EQ(questions.arrives(at), verdicts.at(word.back()))
                    << r.label << ": " << word;
        }
    }
}

// Paths in the system's own form, a name outside ASCII included. "Read-only" is the file's
// own attribute, even for root, whom the system would let delete it.
TEST(NavTest, OnlyFilesExistAndGoAndReadOnlyOnesOnlyWhenForced)
{
    test::TempHome home;
    const std::string in = home.path().string() + "\\", file = in + "Citt\xC3\xA0.tmp";
    test::writeText(nativePath(file), "x");
    std::filesystem::permissions(nativePath(file), std::filesystem::perms::owner_read);
    std::filesystem::create_directory(nativePath(in + "folder.txt"));
    FileSystem files;
    for (const auto &notAFile : {in + "folder.txt", in + "b.txt", in + "No Such\\a.txt"}) {
        EXPECT_FALSE(files.FileExists(notAFile)) << notAFile;
        EXPECT_FALSE(files.DeleteFile(notAFile, Force::Yes).isOk()) << notAFile;
    }
    EXPECT_TRUE(std::filesystem::is_directory(nativePath(in + "folder.txt")));
    EXPECT_FALSE(files.DeleteFile(file, Force::No).isOk());
    EXPECT_TRUE(isReadOnlyFile(file)) << "a refused delete changes nothing";
    EXPECT_TRUE(files.FileExists(file));
#ifndef _WIN32
    // A link goes as a link, whatever its target's mode; the target stays.
    std::filesystem::create_symlink(nativePath(file), nativePath(in + "link.tmp"));
    EXPECT_TRUE(files.DeleteFile(in + "link.tmp", Force::No).isOk());
#endif
    EXPECT_TRUE(files.DeleteFile(file, Force::Yes).isOk());
}

// Writes down what the hub asks. Its location never follows a request, so the log shows
// whose address it wrote. It is its own address box, which the hub does not read.
class RecordingEngine : public Engine, public AddressBox
{
public:
    bool refuse = false;
    std::string calls;

    bool Navigate2(const std::string &u, int f) override { return call(u + std::to_string(f)); }
    bool GoBack() override { return call("GoBack"); }
    bool GoForward() override { return call("GoForward"); }
    bool Refresh2() override { return call("Refresh2"); }
    std::string LocationURL() const override { return "http://engine/"; }
    std::string addressText() const override { return {}; }
    bool call(const std::string &what)
    {
        calls += what + "; ";
        return !refuse;
    }
};

using HubTest = test::ProgramFilesTest;

// Only the exact action words move the engine, and they log nothing. Any other action opens
// the address in place of the current entry (flag 2) and, unless the engine refuses, logs
// where the engine stands.
TEST_F(HubTest, ActionWordsMoveTheEngineAnythingElseNavigatesAndLogs)
{
    FileSystem files;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), files, clock};
    HistoryFile history{files};
    RecordWriter records{log, history};
    NavigationHub hub{records};
    RecordingEngine engine;
    for (const char *action : {"back", "next", "refresh", "Back", " next", "", "!"}) {
        engine.refuse = *action == '!';
        hub.NavigateBrowser("http://a/", action, engine, engine);
    }
    EXPECT_EQ(engine.calls,
              "GoBack; GoForward; Refresh2; http://a/2; http://a/2; http://a/2; http://a/2; ");
    EXPECT_TRUE(records.finish().empty());
    const std::string text = test::textOf(logPath);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 3 * 5) << "three records:\n" << text;
    EXPECT_NE(text.find("<URL>http://engine/</URL>"), std::string::npos);
}

} // namespace
} // namespace torvi
