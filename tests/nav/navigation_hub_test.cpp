// Torvi tests: the navigation hub.
#include "nav/navigation_hub.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"
#include "support/fake_core_engine.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

class HubTest : public test::ProgramFileTest
{
protected:
    HubTest() : ProgramFileTest(NavigationLog::defaultPath()) {}

    std::string loggedUrls() const
    {
        std::string urls;
        for (const auto &line : splitLines(fileText()))
            if (line.starts_with("\t<URL>"))
                urls += line.substr(6, line.size() - 12) + ";";
        return urls;
    }

    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};
    NavigationHub hub{log};
    test::RecordingEngine engine;
    test::PlainAddressBox box;
};

TEST_F(HubTest, OnlyTheExactActionWordsMoveTheEngineAndLogNothing)
{
    struct Case
    {
        const char *action;
        const char *call;
    };
    const char *navigate = "Navigate2 http://a.example/ 2";
    for (const auto &c :
         {Case{"back", "GoBack"}, Case{"next", "GoForward"}, Case{"refresh", "Refresh2"},
          Case{"Back", navigate}, Case{"NEXT", navigate}, Case{"Refresh", navigate},
          Case{" back", navigate}, Case{"forward", navigate}}) {
        engine.calls.clear();
        hub.NavigateBrowser("http://a.example/", c.action, engine, box);
        EXPECT_EQ(engine.calls, std::vector<std::string>{c.call}) << c.action;
    }
    EXPECT_EQ(loggedUrls(), "http://a.example/;http://a.example/;http://a.example/;"
                            "http://a.example/;http://a.example/;")
        << "the five addresses, not the actions";
}

TEST_F(HubTest, AddressRequestLogsTheEngineLocationAtOnce)
{
    engine.locationFollowsRequest = false;
    engine.location = "http://previous.example/";
    hub.NavigateBrowser("http://requested.example/", "", engine, box);
    EXPECT_EQ(loggedUrls(), "http://previous.example/;");
}

TEST_F(HubTest, RefusedNavigationOrAnEmptyLocationLogsNothing)
{
    hub.NavigateBrowser("", "", engine, box);
    EXPECT_EQ(engine.calls, std::vector<std::string>{"Navigate2  2"});
    engine.refuse = true;
    hub.NavigateBrowser("http://a.example/", "", engine, box);
    engine.refuse = false;
    engine.locationFollowsRequest = false;
    hub.NavigateBrowser("http://b.example/", "", engine, box);
    EXPECT_EQ(engine.calls.size(), 3u);
    EXPECT_EQ(loggedUrls(), "");
}

TEST_F(HubTest, FailingLogDoesNotStopTheHub)
{
    // A folder where the log should be: it cannot be replaced.
    std::filesystem::create_directory(native);
    hub.DownloadPending() = true;
    hub.NavigateBrowser("http://a.example/", "", engine, box);
    EXPECT_EQ(engine.calls.size(), 1u);
    EXPECT_FALSE(hub.DownloadPending());
}

} // namespace
} // namespace torvi
