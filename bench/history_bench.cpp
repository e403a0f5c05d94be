// An undo step after moving one box: the snapshot of the whole diagram, its comparison
// with the current entry, and the refresh and estimate that follow. The memory counter is
// the heap that each stored step keeps.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <cstdint>

#include "core/canvas/history.h"
#include "core/doc/flow_document.h"
#include "core/items/item_object.h"
#include "large_document.h"

namespace {

using namespace zarvik;

// Steps kept before the history is cleared, so that long runs do not exhaust memory.
constexpr int32_t kKeptSteps = 16;

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void BM_RecordStepAfterMove(benchmark::State& state) {
    HFlowDocument doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    HHistoryStack history;
    RecordStep(doc, history);
    auto* moved = static_cast<HItemObject*>(doc.Boxes().Tail());
    int64_t keptBytes = 0;
    int64_t stored = 0;
    for (auto _ : state) {
        // Reading the heap walks it, which costs more than the step: it stays untimed.
        state.PauseTiming();
        moved->position.x += 10;
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        benchmark::DoNotOptimize(RecordStep(doc, history));
        state.PauseTiming();
        keptBytes += static_cast<int64_t>(HeapInUse()) - static_cast<int64_t>(before);
        ++stored;
        if (history.Count() >= kKeptSteps) {
            history.Clear();
            RecordStep(doc, history);
        }
        state.ResumeTiming();
    }
    state.counters["bytes_per_step"] =
        benchmark::Counter(static_cast<double>(keptBytes) / static_cast<double>(stored));
    // The same step as file text, for comparison with the heap it takes.
    state.counters["text_bytes"] =
        benchmark::Counter(static_cast<double>(history.CurrentEntry()->ToBytes().size()));
}
BENCHMARK(BM_RecordStepAfterMove)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A release that changed nothing: the snapshot is taken, compared and dropped.
void BM_RecordStepUnchanged(benchmark::State& state) {
    HFlowDocument doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    HHistoryStack history;
    RecordStep(doc, history);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecordStep(doc, history));
    }
}
BENCHMARK(BM_RecordStepUnchanged)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Undo and redo in turn: each rebuilds the whole diagram from a snapshot.
void BM_UndoRebuild(benchmark::State& state) {
    HFlowDocument doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    HHistoryStack history;
    RecordStep(doc, history);
    static_cast<HItemObject*>(doc.Boxes().Tail())->position.x += 10;
    RecordStep(doc, history);
    bool back = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(back ? Undo(doc, history) : Redo(doc, history));
        back = !back;
    }
}
BENCHMARK(BM_UndoRebuild)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
