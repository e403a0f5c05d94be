// An undo step after moving one box: the snapshot of the whole diagram, its comparison
// with the current entry, and the refresh and estimate that follow. The memory counter is
// the heap that each stored step keeps.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <cstdint>

#include "core/doc/flow_document.h"
#include "core/doc/history.h"
#include "core/items/item_object.h"
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
double HeapPerStep(HFlowDocument& doc, HHistoryStack& history, HItemObject& moved) {
    constexpr int kSteps = 8;
    history.Clear();
    RecordStep(doc, history);
    const std::size_t before = HeapInUse();
    for (int i = 0; i < kSteps; ++i) {
        moved.position.x += 10;
        RecordStep(doc, history);
    }
    return (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / kSteps;
}

void BM_RecordStepAfterMove(benchmark::State& state) {
    HFlowDocument doc;
    BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
    HHistoryStack history;
    auto* moved = static_cast<HItemObject*>(doc.Boxes().Tail());
    const double heapPerStep = HeapPerStep(doc, history, *moved);
    history.Clear();
    RecordStep(doc, history);
    for (auto _ : state) {
        moved->position.x += 10;
        benchmark::DoNotOptimize(RecordStep(doc, history));
        if (history.Count() >= kKeptSteps) {
            state.PauseTiming();
            history.Clear();
            RecordStep(doc, history);
            state.ResumeTiming();
        }
    }
    state.counters["bytes_per_step"] = benchmark::Counter(heapPerStep);
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
