// Torvi tests: Torvi's own pages.
#include "app/own_site.h"
#include "nav/file_system.h"
#include "support/temp_home.h"

namespace torvi {
namespace {

class OwnSiteTest : public test::ProgramFilesTest
{
protected:
    std::optional<OwnAnswer> ask(std::string host, std::string path, std::string query = {},
                                 PageColours colours = {"#102030", "#405060"}) const
    {
        return site.answer(OwnRequest{std::move(host), std::move(path), std::move(query)}, colours);
    }

    Endpoints endpoints = builtInEndpoints();
    CheckedPages checked;
    FileSystem fileSystem;
    HistoryFile history{fileSystem};
    OwnSite site{endpoints, checked, history, FavoritesFile{}, "<svg/>"};
};

// Each endpoint's fixed path on its host has its page; the search box's form turns into the
// search engine's address; anything else is no page.
TEST_F(OwnSiteTest, EveryAddressHasItsPage)
{
    const test::Row<std::array<std::string, 3>, std::string> rows[] = {
        {"home page", {"sito", "", ""}, "<title>Pagina iniziale di Torvi</title>"},
        {"start page",
         {"sito", "/torvi/index.html", ""},
         "<title>Pagina iniziale di Torvi</title>"},
        {"tools view",
         {"strumenti", "/torvi/ext-2.2/examples/desktop/desktop.html", ""},
         "<title>Strumenti di Torvi</title>"},
        {"counter", {"sito", "/count.php", ""}, "<title>Contatore di Torvi</title>"},
        {"information", {"consulenza", "/", ""}, "<title>Che cosa fa Torvi</title>"},
        {"update",
         {"sito", "/TorviUpdate.php", "client=Torvi&version=1.0.5"},
         "<title>Aggiornamenti di Torvi</title>"},
        {"update's version", {"sito", "/TorviUpdate.php", ""}, "installata: 1.0.5</h2>"},
        {"emblem", {"sito", "/emblema.svg", ""}, "image/svg+xml <svg/>"},
        {"search, form-encoded",
         {"sito", "/cerca", "x=1&q=c%2B%2B+e+c%23&y"},
         "redirect " + endpoints.SearchQueryUrl + "c%2B%2B%20e%20c%23"},
        {"search for nothing", {"sito", "/cerca", "q=+%20"}, "redirect " + endpoints.SearchHomeUrl},
        {"a path on the wrong host", {"strumenti", "/count.php", ""}, "none"},
        {"an unknown path", {"sito", "/index.html", ""}, "none"},
    };
    for (const auto &r : rows) {
        const auto answer = ask(r.in[0], r.in[1], r.in[2]);
        const std::string got = !answer                      ? "none"
                                : answer->redirectTo.empty() ? answer->mimeType + " " + answer->body
                                                             : "redirect " + answer->redirectTo;
        EXPECT_TRUE(r.out == "none" ? got == r.out : got.find(r.out) != std::string::npos)
            << r.label << ": " << got;
    }
}

// The user's files reach the start page as text: escaped, and linked only to web addresses.
// The latest visits come newest first, each address once, ten at most.
TEST_F(OwnSiteTest, StartPageShowsTheUsersFilesAsTextOnly)
{
    test::writeText(favoritesPath, "<b>&\"'</b>||javascript:alert(1)\r\n"
                                   "Debian||www.debian.org\r\n"
                                   "||https://a.example/?x=1&y=<2>\r\n");
    std::string lines;
    for (int i = 1; i <= 12; ++i)
        lines += "https://p" + std::to_string(i) + ".example/||0" + std::to_string(i % 10) +
                 "/12/2026 10:00:00||Pagina " + std::to_string(i) + "\r\n";
    lines += "https://p12.example/||01/12/2026 11:00:00||<script>alert(1)</script>\r\n";
    test::writeText(historyPath, lines);

    const std::string start = ask("sito", "/")->body;
    for (const char *part : {"<li>&lt;b&gt;&amp;&quot;&#39;&lt;/b&gt;</li>",
                             "<a href=\"http://www.debian.org\">Debian</a>",
                             "<a href=\"https://a.example/?x=1&amp;y=&lt;2&gt;\">"
                             "https://a.example/?x=1&amp;y=&lt;2&gt;</a>",
                             "&lt;script&gt;alert(1)&lt;/script&gt;", "p3.example"})
        EXPECT_NE(start.find(part), std::string::npos) << part;
    for (const char *part : {"javascript", "<script", "p2.example" /* ten visits at most */})
        EXPECT_EQ(start.find(part), std::string::npos) << part;
    EXPECT_EQ(start.find("https://p12.example/"), start.rfind("https://p12.example/"));
    EXPECT_LT(start.find("p12.example"), start.find("p11.example"));
}

// The counter shows the documents checked in this run in the window's colours (a colour that
// is none falls back); the tools view lists the latest checks with their verdicts and words.
TEST_F(OwnSiteTest, CounterAndToolsViewTellWhatWasChecked)
{
    checked.record("https://pulita.example/", CheckResult{});
    for (int i = 0; i < 60; ++i)
        checked.record("https://altra.example/", CheckResult{});
    checked.record("https://b.example/?a=<1>", CheckResult{false, {}, {"exploit", "worm"}});

    const std::string counter = ask("sito", "/count.php")->body;
    EXPECT_NE(counter.find(">62</span>"), std::string::npos);
    EXPECT_NE(counter.find("background:#102030;color:#405060"), std::string::npos);
    EXPECT_NE(ask("sito", "/count.php", "", {"red;}", "#405060"})
                  ->body.find("background:#ffffff;color:#405060"),
              std::string::npos);

    const std::string tools =
        ask("strumenti", "/torvi/ext-2.2/examples/desktop/desktop.html")->body;
    EXPECT_NE(tools.find("<b>62</b>; con parole sospette: <b>1</b>"), std::string::npos);
    EXPECT_NE(tools.find("Qui sotto gli ultimi 50, dal pi"), std::string::npos);
    EXPECT_NE(tools.find("https://b.example/?a=&lt;1&gt;</a></td><td class=\"pericolo\">Dati "
                         "Sensibili</td><td>exploit, worm</td>"),
              std::string::npos);
    EXPECT_EQ(tools.find("pulita.example"), std::string::npos) << "older than the latest 50";
}

} // namespace
} // namespace torvi
