// Torvi benchmark: one append to History.xml, for logs of growing size.
#include "history/navigation_log.h"
#include "nav/text_file.h"
#include "nav/windows_path.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace torvi;

// A throw-away home for the run, so the benchmark never touches the user's files.
struct BenchHome
{
    BenchHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvi-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::setenv("XDG_DATA_HOME", path.c_str(), 1);
        (void)prepareMappedDrive("bench");
    }
    ~BenchHome() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

void BM_WriteHistoryXml(benchmark::State &state)
{
    BenchHome home;
    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};

    std::string content = "<?xml version='1.0'?>\r\n<history>\r\n";
    const LocalTime when{2026, 12, 6, 10, 0, 0};
    for (int64_t i = 0; i < state.range(0); ++i)
        content += logRecord("https://www.torvi.example/pagina/" + std::to_string(i), when, false);
    content += "</history>\r\n";
    if (!writeFileAtomically(nativePath(log.path()), content)) {
        state.SkipWithError("cannot write the starting log");
        return;
    }

    bool pending = false;
    for (auto _ : state) {
        const auto status = log.WriteHistoryXml("https://www.torvi.example/nuova", pending);
        benchmark::DoNotOptimize(status.isOk());
    }
    state.counters["log_bytes"] = static_cast<double>(content.size());
}
BENCHMARK(BM_WriteHistoryXml)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
