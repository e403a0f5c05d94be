// An undo step after moving one box: the snapshot of the diagram (only the moved box is
// written again), its comparison with the current entry and with the saved state, and the
// refresh and estimate that follow. The memory counter is the heap that each stored step
// keeps. Then undo and redo, and a session of edits on a document read from its file.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/doc/zarvik_doc.h"
#include "core/items/item_object.h"
#include "core/store/ini_store.h"
#include "large_document.h"

namespace {

using namespace zarvik;

// Steps kept before the history is cleared, so that long runs do not exhaust memory.
constexpr int32_t kKeptSteps = 16;

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// The heap that each stored step keeps, measured apart from the timed steps: reading the
// heap walks it, which costs more than a step and leaves the caches cold.
double HeapPerStep(CZarvikDoc& doc, HItemObject& moved) {
    constexpr int kSteps = 8;
    doc.ResetHistory();
    const std::size_t before = HeapInUse();
    for (int i = 0; i < kSteps; ++i) {
        moved.position.x += 10;
        doc.RecordStep();
    }
    return (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / kSteps;
}

void BM_RecordStepAfterMove(benchmark::State& state) {
    CZarvikDoc doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    auto* moved = static_cast<HItemObject*>(doc.Boxes().Tail());
    const double heapPerStep = HeapPerStep(doc, *moved);
    doc.ResetHistory();
    for (auto _ : state) {
        moved->position.x += 10;
        benchmark::DoNotOptimize(doc.RecordStep());
        if (doc.History().Count() >= kKeptSteps) {
            state.PauseTiming();
            doc.ResetHistory();
            state.ResumeTiming();
        }
    }
    state.counters["bytes_per_step"] = benchmark::Counter(heapPerStep);
    // The whole diagram as file text and as a snapshot, for comparison with a step.
    state.counters["snapshot_bytes"] =
        benchmark::Counter(static_cast<double>(doc.History().CurrentEntry()->MemoryBytes()));
    HInfoIniFile store;
    doc.History().CurrentEntry()->ShareInto(store);
    state.counters["text_bytes"] = benchmark::Counter(static_cast<double>(store.ToBytes().size()));
}
BENCHMARK(BM_RecordStepAfterMove)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// A release that changed nothing: the snapshot is taken, compared and dropped.
void BM_RecordStepUnchanged(benchmark::State& state) {
    CZarvikDoc doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    doc.ResetHistory();
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.RecordStep());
    }
}
BENCHMARK(BM_RecordStepUnchanged)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Undo and redo in turn: each rebuilds the whole diagram from a snapshot.
void BM_UndoRebuild(benchmark::State& state) {
    CZarvikDoc doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    doc.ResetHistory();
    static_cast<HItemObject*>(doc.Boxes().Tail())->position.x += 10;
    doc.RecordStep();
    bool back = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(back ? doc.UndoStep() : doc.RedoStep());
        back = !back;
    }
}
BENCHMARK(BM_UndoRebuild)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

std::size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    std::size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// The median time of RefreshItems and the estimate, in milliseconds.
double RefreshMilliseconds(CZarvikDoc& doc) {
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        doc.RefreshItems();
        doc.RecomputeEstimate();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// A session: the 10 000-box document opened from its file, then 200 rounds of moving one
// box, undo and redo. The refresh after it is timed against the refresh after opening, and
// the resident memory against that after opening.
void BM_EditSession(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zarvik_bench_" + std::to_string(::getpid()) + "_session.zvk"))
                                 .string();
    {
        CZarvikDoc doc;
        BuildLargeDocument(doc, 5000);
        doc.SaveDocument(path);
    }
    double fresh = 0;
    double after = 0;
    double residentOpen = 0;
    double residentAfter = 0;
    for (auto _ : state) {
        CZarvikDoc doc;
        doc.LoadDocument(path);
        doc.ResetHistory();
        state.PauseTiming();
        fresh = RefreshMilliseconds(doc);
        residentOpen = static_cast<double>(ResidentBytes());
        state.ResumeTiming();
        for (int round = 0; round < 200; ++round) {
            HItemCore* item = doc.Boxes().Head();
            for (int skip = round * 37 % doc.Boxes().Count(); skip > 0; --skip) {
                item = item->next;
            }
            static_cast<HItemObject*>(item)->position.x += 10;
            doc.RecordStep();
            doc.UndoStep();
            doc.RedoStep();
        }
        state.PauseTiming();
        after = RefreshMilliseconds(doc);
        residentAfter = static_cast<double>(ResidentBytes());
        state.ResumeTiming();
    }
    std::filesystem::remove(path);
    state.counters["refresh_open_ms"] = fresh;
    state.counters["refresh_after_ms"] = after;
    state.counters["refresh_ratio"] = after / fresh;
    state.counters["rss_open_MB"] = residentOpen / (1 << 20);
    state.counters["rss_after_MB"] = residentAfter / (1 << 20);
    state.counters["rss_ratio"] = residentAfter / residentOpen;
}
BENCHMARK(BM_EditSession)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
