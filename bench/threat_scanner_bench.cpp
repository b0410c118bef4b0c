// Torvi benchmark: the threat check on large page bodies, one pass against one search per
// keyword.
#include "threats/threat_scanner.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace torvi;

// A body that reads like a news or shop page: markup, attributes, inline script and Italian
// and English prose, with three keywords buried in it (so the check never stops early).
std::string pageBody(std::size_t bytes)
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

void run(benchmark::State &state, bool onePass)
{
    ThreatScanner scanner;
    scanner.InitDanger();
    const std::string body = pageBody(static_cast<std::size_t>(state.range(0)) << 20);
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto result = onePass ? scanner.CheckDanger(body, "http://a.example/")
                                    : scanner.checkDangerPlain(body, "http://a.example/");
        lines = result.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(body.size()));
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_CheckDanger(benchmark::State &state)
{
    run(state, true);
}
void BM_CheckDangerPlain(benchmark::State &state)
{
    run(state, false);
}

// Argument: body size in MiB.
BENCHMARK(BM_CheckDanger)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDangerPlain)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
