// Torvi benchmark: one append to History.xml, for logs of growing size: the CPU time of an
// append must not grow with the log.
#include "bench_support.h"
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
using torvi::bench::BenchHome;
using torvi::bench::startingLog;

void BM_WriteHistoryXml(benchmark::State &state)
{
    BenchHome home;
    FileSystem fileSystem;
    SystemClock clock;
    NavigationLog log{NavigationLog::defaultPath(), fileSystem, clock};

    const std::string content = startingLog(state.range(0));
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
BENCHMARK(BM_WriteHistoryXml)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
