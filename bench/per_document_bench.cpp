// Torvi benchmark: the work Torvi adds to every completed document: the history line, the
// log record and the threat check, each alone and the three together; then what the
// document handler itself does on the window's thread, the records queued for the worker.
#include "bench_support.h"
#include "history/history_file.h"
#include "history/navigation_log.h"
#include "history/record_writer.h"
#include "nav/text_file.h"
#include "threats/threat_scanner.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace torvi;
using torvi::bench::BenchHome;
using torvi::bench::pageBody;
using torvi::bench::startingLog;

constexpr std::int64_t LogRecords = 10000;
constexpr std::size_t PageBytes = std::size_t{1} << 20;
const std::string Address = "https://www.torvi.example/notizie/articolo.html?id=4711";
const std::string Title = "Notizie del giorno - Torvi";

// Everything a document-complete handler touches, set up as after a day of browsing.
struct DocumentWork
{
    explicit DocumentWork(benchmark::State &state)
        : history(fileSystem), log(NavigationLog::defaultPath(), fileSystem, clock),
          body(pageBody(PageBytes))
    {
        scanner.InitDanger();
        if (!writeFileAtomically(nativePath(log.path()), startingLog(LogRecords)))
            state.SkipWithError("cannot write the starting log");
    }

    bool appendHistoryLine()
    {
        return history.AddCronologia(Address, defaultDateTimeText(clock.now()), Title).isOk();
    }
    bool appendLogRecord()
    {
        bool pending = false;
        return log.WriteHistoryXml(Address, pending).isOk();
    }
    bool threatCheck() const { return scanner.CheckDanger(body, Address).clean; }

    BenchHome home;
    FileSystem fileSystem;
    SystemClock clock;
    HistoryFile history;
    NavigationLog log;
    ThreatScanner scanner;
    std::string body;
};

void BM_HistoryLine(benchmark::State &state)
{
    DocumentWork work{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(work.appendHistoryLine());
}
BENCHMARK(BM_HistoryLine)->Unit(benchmark::kMicrosecond);

void BM_LogRecord10000(benchmark::State &state)
{
    DocumentWork work{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(work.appendLogRecord());
}
BENCHMARK(BM_LogRecord10000)->Unit(benchmark::kMillisecond);

void BM_ThreatCheck1MiB(benchmark::State &state)
{
    DocumentWork work{state};
    for (auto _ : state)
        benchmark::DoNotOptimize(work.threatCheck());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(PageBytes));
}
BENCHMARK(BM_ThreatCheck1MiB)->Unit(benchmark::kMillisecond);

void BM_WholeDocument(benchmark::State &state)
{
    DocumentWork work{state};
    for (auto _ : state) {
        benchmark::DoNotOptimize(work.appendHistoryLine());
        benchmark::DoNotOptimize(work.appendLogRecord());
        benchmark::DoNotOptimize(work.threatCheck());
    }
}
BENCHMARK(BM_WholeDocument)->Unit(benchmark::kMillisecond);

// The handler's own share with a log of 100 000 records: the log record and the history line
// queued, the body checked. The worker writes meanwhile, as it does beside the window.
void handlerOnUiThread(benchmark::State &state, bool check)
{
    DocumentWork work{state};
    if (!writeFileAtomically(nativePath(work.log.path()), startingLog(100000)))
        state.SkipWithError("cannot write the starting log");
    RecordWriter records{work.log, work.history};
    bool pending = false;
    for (auto _ : state) {
        records.WriteHistoryXml(Address, pending);
        records.AddCronologia(Address, defaultDateTimeText(work.clock.now()), Title);
        if (check)
            benchmark::DoNotOptimize(work.threatCheck());
    }
    // After the timed loop: the worker's backlog is no part of the handler's time.
    state.counters["failures"] = static_cast<double>(records.finish().size());
}

void BM_HandlerRecordsQueued(benchmark::State &state)
{
    handlerOnUiThread(state, false);
}
BENCHMARK(BM_HandlerRecordsQueued)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_HandlerWithThreatCheck1MiB(benchmark::State &state)
{
    handlerOnUiThread(state, true);
}
BENCHMARK(BM_HandlerWithThreatCheck1MiB)->Iterations(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
