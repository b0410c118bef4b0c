// Torvi tests: the decisions of the engine-event handlers.
#include "nav/page_events.h"

#include "nav/addresses.h"

#include "endpoints.h"

#include <cctype>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace torvi {
namespace {

TEST(PageEvents, ProgressTextSignsEachNumber)
{
    struct Case
    {
        const char *label;
        long long progress, max;
        const char *expected;
    };
    const std::vector<Case> cases = {
        {"both positive", 300, 1000, " 300/ 1000"},
        {"negative progress", -1, 1000, "-1/ 1000"},
        {"zero counts as not negative", 0, 0, " 0/ 0"},
        {"both negative", -5, -1, "-5/-1"},
        {"no thousands separators", 1234567, 9876543210, " 1234567/ 9876543210"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(progressText(c.progress, c.max), c.expected) << c.label;
}

TEST(PageEvents, DownloadAddressByItsLastFourCharacters)
{
    struct Case
    {
        const char *label;
        const char *url;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"zip", "http://a.example/f.zip", true},
        {"exe", "http://a.example/setup.exe", true},
        {"rar", "http://a.example/f.rar", true},
        {"iso", "http://a.example/debian.iso", true},
        {"capitals do not count", "http://a.example/F.ZIP", false},
        {"a query after the name hides it", "http://a.example/f.zip?x=1", false},
        {"other extension", "http://a.example/f.tar", false},
        {"without the dot", "http://a.example/fzip", false},
        {"exactly the ending", ".iso", true},
        {"shorter than four", "zip", false},
        {"empty", "", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isDownloadAddress(c.url), c.expected) << c.label;
}

TEST(PageEvents, SearchAddressEncodesTheTextAsAQueryValue)
{
    struct Case
    {
        const char *label;
        const char *text;
        const char *encoded;
    };
    const std::vector<Case> cases = {
        {"reserved characters", "c++ & c#", "c%2B%2B%20%26%20c%23"},
        {"percent itself", "100%", "100%25"},
        {"unreserved stay", "a-b.c_d~e", "a-b.c_d~e"},
        {"equals and slash", "a=b/c?", "a%3Db%2Fc%3F"},
        {"UTF-8 bytes, upper-case hex", "caff\xC3\xA8", "caff%C3%A8"},
        {"control characters", "a\tb", "a%09b"},
        {"empty text gives the prefix alone", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(searchAddressFor(c.text), std::string{SearchQueryUrl} + c.encoded) << c.label;
}

TEST(PageEvents, SearchFollowsOnlyEngineFailuresOfOrdinaryAddresses)
{
    // The search host comes from the build; its path is fixed.
    const std::string search{SearchQueryUrl};
    const std::string host = hostOf(SearchQueryUrl);
    std::string upperHost = host;
    for (auto &c : upperHost)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Case
    {
        const char *label;
        std::string url;
        long long code;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"host not found", "http://nonesiste.example/", -105, true},
        {"server's 404", "http://a.example/x", 404, false},
        {"code zero", "http://a.example/x", 0, false},
        {"failed download", "http://a.example/f.zip", -3, false},
        {"download in capitals searches", "http://a.example/F.ZIP", -3, true},
        {"failed search", search + "torvi", -105, false},
        {"search spelt by the engine", "https://" + upperHost + ":443/search?q=x&client=torvi", -7,
         false},
        {"search over http", "http://" + host + "/search?client=torvi&q=x", -105, false},
        {"search host with a final dot", "https://" + host + "./search?q=x", -105, false},
        {"search with a fragment", "https://" + host + "/search#q=x", -105, false},
        {"search engine's home page", "https://" + host + "/", -105, true},
        {"other path of the search host", "https://" + host + "/searching?q=x", -105, true},
        {"search path on another host", "https://another.example/search?q=x", -105, true},
        {"search host on another port", "https://" + host + ":8443/search?q=x", -105, true},
        {"search host inside another name", "https://" + host + ".example/search?q=x", -105, true},
        {"empty address", "", -105, true},
    };
    // The search is for the address box's text, not for the failed address.
    const auto boxSearch = std::optional{search + "c%2B%2B"};
    for (const auto &c : cases) {
        EXPECT_EQ(shouldSearchAfterError(c.url, c.code), c.expected) << c.label;
        EXPECT_EQ(searchAfterError(c.url, c.code, "c++"), c.expected ? boxSearch : std::nullopt)
            << c.label;
    }
}

TEST(PageEvents, SecondaryCaption)
{
    EXPECT_EQ(secondaryCaption("T", "http://a.example/"),
              "T - http://a.example/ - Torvi Personal Secure Browser");
}

} // namespace
} // namespace torvi
