// Torvi benchmark: the threat check on large page bodies, one pass against one search per
// keyword.
#include "bench_support.h"
#include "threats/threat_scanner.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace torvi;
using torvi::bench::pageBody;

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
