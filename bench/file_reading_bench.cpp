// Torvi benchmark: reading a large history file (and favorites file) into its panel's
// entries, as the panels do each time they open.
#include "bench_support.h"
#include "history/history_file.h"
#include "nav/text_file.h"

#include <benchmark/benchmark.h>
#include <string>

#if __has_include("favorites/favorites_file.h")
#include "favorites/favorites_file.h"
#define TORVI_BENCH_FAVORITES 1
#endif

namespace {

using namespace torvi;
using torvi::bench::BenchHome;

constexpr int FileLines = 100000;

void BM_ReadHistory(benchmark::State &state)
{
    BenchHome home;
    FileSystem fileSystem;
    HistoryFile history{fileSystem};
    std::string content;
    for (int i = 0; i < FileLines; ++i)
        content += historyRecord("https://www.torvi.example/pagina/" + std::to_string(i),
                                 "06/12/2026 10:00:00", "Pagina " + std::to_string(i));
    if (!writeFileAtomically(nativePath(history.path()), content)) {
        state.SkipWithError("cannot write the history file");
        return;
    }
    std::size_t lines = 0;
    for (auto _ : state) {
        lines = history.readHistory().size();
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(content.size()));
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadHistory)->Unit(benchmark::kMillisecond);

#ifdef TORVI_BENCH_FAVORITES
void BM_ReadFavorites(benchmark::State &state)
{
    BenchHome home;
    FavoritesFile favorites;
    std::string content;
    for (int i = 0; i < FileLines; ++i)
        content += "Preferito " + std::to_string(i) + "||https://www.torvi.example/pagina/" +
                   std::to_string(i) + "\r\n";
    if (!writeFileAtomically(nativePath(favorites.path()), content)) {
        state.SkipWithError("cannot write the favorites file");
        return;
    }
    std::size_t entries = 0;
    for (auto _ : state) {
        FavoritesTable table;
        const bool loaded = favorites.load(table).isOk();
        entries = table.count();
        benchmark::DoNotOptimize(loaded);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(content.size()));
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ReadFavorites)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
