// Torvi benchmark: building Torvi's own pages, as the engine's scheme handler asks for them:
// the start page over a long history and a list of favorites, the tools view after many
// checks, the counter.
#include "app/own_site.h"
#include "bench_support.h"
#include "nav/text_file.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace torvi;
using torvi::bench::BenchHome;

constexpr int Favorites = 30;

struct Site
{
    explicit Site(benchmark::State &state, std::int64_t historyLines) : history(fileSystem)
    {
        std::string favorites;
        for (int i = 0; i < Favorites; ++i)
            favorites += "Sito preferito numero " + std::to_string(i) + "||https://sito" +
                         std::to_string(i) + ".example/pagina?x=1&y=2\r\n";
        std::string lines;
        for (std::int64_t i = 0; i < historyLines; ++i)
            lines += "https://www.torvi.example/notizie/articolo.html?id=" + std::to_string(i) +
                     "||06/12/2026 10:00:00||Notizie del giorno <" + std::to_string(i) +
                     "> - Torvi\r\n";
        if (!writeFileAtomically(nativePath(FavoritesFile::defaultPath()), favorites) ||
            !writeFileAtomically(nativePath(history.path()), lines))
            state.SkipWithError("cannot write the user's files");
        for (int i = 0; i < 200; ++i)
            checked.record("https://www.torvi.example/" + std::to_string(i),
                           CheckResult{i % 3 != 0, {}, {"exploit", "worm"}});
    }

    std::size_t bytesOf(const char *host, const char *path) const
    {
        return site.answer(OwnRequest{host, path, {}}, PageColours{"#efefef", "#808080"})
            ->body.size();
    }

    BenchHome home;
    FileSystem fileSystem;
    HistoryFile history;
    Endpoints endpoints = builtInEndpoints();
    CheckedPages checked;
    OwnSite site{endpoints, checked, history, FavoritesFile{}, "<svg/>"};
};

void BM_StartPage(benchmark::State &state)
{
    Site site{state, state.range(0)};
    for (auto _ : state)
        benchmark::DoNotOptimize(site.bytesOf("sito", "/torvi/index.html"));
    state.counters["page bytes"] = static_cast<double>(site.bytesOf("sito", "/"));
}
BENCHMARK(BM_StartPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ToolsView(benchmark::State &state)
{
    Site site{state, 0};
    const char *path = "/torvi/ext-2.2/examples/desktop/desktop.html";
    for (auto _ : state)
        benchmark::DoNotOptimize(site.bytesOf("strumenti", path));
    state.counters["page bytes"] = static_cast<double>(site.bytesOf("strumenti", path));
}
BENCHMARK(BM_ToolsView)->Unit(benchmark::kMicrosecond);

void BM_Counter(benchmark::State &state)
{
    Site site{state, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(site.bytesOf("sito", "/count.php"));
}
BENCHMARK(BM_Counter)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
