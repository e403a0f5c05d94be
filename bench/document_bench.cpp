// Saving, loading and refreshing a large document: 10 000 boxes (half data functions,
// half transactions) and 10 000 relation lines.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"
#include "large_document.h"

namespace {

using namespace zarvik;

constexpr int kPairs = 5000;

void BuildDocument(HFlowDocument& doc) {
    BuildLargeDocument(doc, kPairs);
}

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("zarvik_bench_") + std::to_string(::getpid()) + "_" + name))
        .string();
}

void BM_SaveDocument(benchmark::State& state) {
    HFlowDocument doc;
    BuildDocument(doc);
    const std::string path = TempPath("save.zvk");
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.SaveDocument(path));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

// Every item written into a fresh store: what a save falls back on when the sections the
// items remember cannot be written as they are. Its figure depends on whether the heap
// has just given its pages back to the system.
void BM_SaveItemsSnapshot(benchmark::State& state) {
    HFlowDocument doc;
    BuildDocument(doc);
    for (auto _ : state) {
        HInfoIniFile store;
        HIniFile ini(store, 0);
        benchmark::DoNotOptimize(doc.SaveItems(ini));
        state.PauseTiming();
        store.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveItemsSnapshot)->Unit(benchmark::kMillisecond);

void BM_LoadDocument(benchmark::State& state) {
    const std::string path = TempPath("load.zvk");
    {
        HFlowDocument doc;
        BuildDocument(doc);
        doc.SaveDocument(path);
    }
    for (auto _ : state) {
        HFlowDocument doc;
        benchmark::DoNotOptimize(doc.LoadDocument(path));
        state.PauseTiming();  // destroying the document is not part of loading
        doc.Boxes().Clear();
        doc.Lines().Clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

void BM_RefreshItems(benchmark::State& state) {
    HFlowDocument doc;
    BuildDocument(doc);
    for (auto _ : state) {
        doc.RefreshItems();
    }
}
BENCHMARK(BM_RefreshItems)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
