// An undo step after moving one box: the snapshot of the whole diagram, its comparison
// with the current entry and with the saved state, and the refresh and estimate that
// follow. The memory counter is the heap that each stored step keeps.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <cstdint>

#include "core/doc/zarvik_doc.h"
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
    // The same step as file text, for comparison with the heap it takes.
    state.counters["text_bytes"] =
        benchmark::Counter(static_cast<double>(doc.History().CurrentEntry()->ToBytes().size()));
}
BENCHMARK(BM_RecordStepAfterMove)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

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

}  // namespace

BENCHMARK_MAIN();
