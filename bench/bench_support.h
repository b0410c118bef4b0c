// Torvi benchmarks: what several benchmarks share, a throw-away home and a page body.
#pragma once

#include "history/navigation_log.h"
#include "nav/windows_path.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace torvi::bench {

// A throw-away home for the run, so the benchmark never touches the user's files.
struct BenchHome
{
    BenchHome()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "torvi-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::setenv("XDG_DATA_HOME", path.c_str(), 1);
        (void)prepareMappedDrive("bench");
    }
    ~BenchHome() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// A body that reads like a news or shop page: markup, attributes, inline script and Italian
// and English prose, with three keywords buried in it (so the check never stops early).
inline std::string pageBody(std::size_t bytes)
{
    const std::vector<std::string> words = {
        "notizie",  "della",   "giornata", "the",       "weather",  "forecast",   "per",
        "domani",   "Milano",  "Roma",     "prezzo",    "offerta",  "spedizione", "gratuita",
        "carrello", "account", "privacy",  "cookie",    "settings", "update",     "news",
        "sport",    "calcio",  "partita",  "risultati", "video",    "foto",       "commenti",
        "leggi",    "tutto",   "Torino",   "Napoli",    "economia", "borsa",      "lavoro"};
    const std::vector<std::string> blocks = {
        "<div class=\"card\"><a href=\"/articolo/",
        "\"><img src=\"/img/thumb.jpg\" alt=\"",
        "\"></a></div>\n",
        "<script>window.dataLayer=window.dataLayer||[];dataLayer.push({page:'",
        "'});</script>\n",
        "<p style=\"margin:0 0 1em\">",
        "</p>\n",
        "<li><span>",
        "</span></li>\n"};
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> word(0, words.size() - 1);
    std::uniform_int_distribution<std::size_t> block(0, blocks.size() - 1);
    std::uniform_int_distribution<int> coin(0, 5);
    std::string body;
    body.reserve(bytes + 64);
    while (body.size() < bytes) {
        if (coin(random) == 0)
            body += blocks[block(random)];
        body += words[word(random)];
        body += ' ';
    }
    body.resize(bytes);
    const std::vector<std::string> hits = {"Serial", "EXPLOIT", "worm"};
    for (std::size_t i = 0; i < hits.size(); ++i)
        body.replace(bytes / 4 * (i + 1), hits[i].size(), hits[i]);
    return body;
}

// A History.xml of that many records, as the program writes it.
inline std::string startingLog(std::int64_t records)
{
    std::string content = "<?xml version='1.0'?>\r\n<history>\r\n";
    const LocalTime when{2026, 12, 6, 10, 0, 0};
    for (std::int64_t i = 0; i < records; ++i)
        content += logRecord("https://www.torvi.example/pagina/" + std::to_string(i), when, false);
    content += "</history>\r\n";
    return content;
}

} // namespace torvi::bench
