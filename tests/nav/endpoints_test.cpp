// Torvi tests: the endpoints of a run and the reader of torvi.conf.
#include "nav/endpoints.h"
#include "support/temp_home.h"

namespace torvi {
namespace {

// What a text makes of two endpoints, and the lines it has for standard error.
struct Outcome
{
    std::string start, counter;
    std::vector<std::string> problems;
    bool operator==(const Outcome &) const = default;
};

TEST(EndpointsTest, ConfigurationRules)
{
    const Endpoints d = builtInEndpoints();
    const std::string malformed =
        ": not a [group], key = value or comment line; the whole file is ignored";
    const test::Row<std::string, Outcome> rows[] = {
        {"no text changes nothing", "", {d.StartPageUrl, d.CounterUrl, {}}},
        {"a key replaces its default, the others stay",
         "[Endpoints]\nStartPageUrl=https://a.example/i.html\n",
         {"https://a.example/i.html", d.CounterUrl, {}}},
        {"blanks, quotes, CR LF, a byte-order mark, comments",
         "\xEF\xBB\xBF; mine\r\n# also\r\n\r\n [Endpoints] \r\n CounterUrl =  \"torvi://x/c\" \r\n",
         {d.StartPageUrl, "torvi://x/c", {}}},
        {"the last of two wins, its = and ; kept",
         "[Endpoints]\nCounterUrl=https://a.example/\nCounterUrl=https://c.example/?a=1;b=2\n",
         {d.StartPageUrl, "https://c.example/?a=1;b=2", {}}},
        {"keys of no group or another group are not endpoints",
         "StartPageUrl=https://a.example/\n[endpoints]\nCounterUrl=https://b.example/\n",
         {d.StartPageUrl, d.CounterUrl, {}}},
        {"what is no absolute URL keeps the default, one line each",
         "[Endpoints]\nStartPageUrl=www.a.example\nCounterUrl=https://b.example/\n"
         "StartPageUrl=\nStartPageUrl=javascript:alert(1)\nStartPageUrl=https://a b/\n",
         {d.StartPageUrl,
          "https://b.example/",
          {"line 2: StartPageUrl \"www.a.example\" is not an absolute URL; the default stays",
           "line 4: StartPageUrl \"\" is not an absolute URL; the default stays",
           "line 5: StartPageUrl \"javascript:alert(1)\" is not an absolute URL; the default "
           "stays",
           "line 6: StartPageUrl \"https://a b/\" is not an absolute URL; the default stays"}}},
        {"an unknown key is named; names are case-sensitive",
         "[Endpoints]\nstartpageurl=https://a.example/\n",
         {d.StartPageUrl,
          d.CounterUrl,
          {"line 2: unknown key \"startpageurl\" in [Endpoints]; ignored"}}},
        {"a line of no kind ignores the whole file, good keys before it too",
         "[Endpoints]\nStartPageUrl=https://a.example/\nCounterUrl https://b.example/\n",
         {d.StartPageUrl, d.CounterUrl, {"line 3" + malformed}}},
        {"an unclosed group is such a line",
         "[Endpoints\nStartPageUrl=https://a.example/\n",
         {d.StartPageUrl, d.CounterUrl, {"line 1" + malformed}}},
    };
    for (const auto &r : rows) {
        const EndpointsReading reading = readEndpointsConfig(r.in, d);
        const Outcome got{reading.endpoints.StartPageUrl, reading.endpoints.CounterUrl,
                          reading.problems};
        EXPECT_EQ(got, r.out) << r.label;
        Endpoints rest = reading.endpoints;
        rest.StartPageUrl = d.StartPageUrl;
        rest.CounterUrl = d.CounterUrl;
        EXPECT_EQ(rest, d) << r.label << ": no other endpoint changes";
    }
}

} // namespace
} // namespace torvi
