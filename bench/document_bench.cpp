// Saving, loading and refreshing a large document: 10 000 boxes (half data functions,
// half transactions) and 10 000 relation lines.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "core/doc/flow_document.h"
#include "core/doc/ini_file.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/text/number_text.h"

namespace {

using namespace zarvik;

constexpr int kPairs = 5000;

void BuildDocument(HFlowDocument& doc) {
    std::vector<HItemFile*> files;
    std::vector<HItemTask*> tasks;
    for (int i = 0; i < kPairs; ++i) {
        auto file = std::make_unique<HItemFile>();
        file->name = Format("顧客マスタ[%d]", i);
        file->position = {(i % 100) * 150, (i / 100) * 120};
        for (int d = 0; d < 5; ++d) {
            file->detList.push_back(HInfoCol{file.get(), Format("項目%d", d), "備考", 0});
        }
        files.push_back(file.get());
        doc.Boxes().Append(std::move(file));
        auto task = std::make_unique<HItemTask>();
        task->name = Format("受注登録[%d]", i);
        task->position = {(i % 100) * 150 + 60, (i / 100) * 120 + 60};
        task->SelectFpSumType = kSumAutomatic;
        tasks.push_back(task.get());
        doc.Boxes().Append(std::move(task));
    }
    // Each transaction reads two data functions.
    for (int i = 0; i < kPairs; ++i) {
        for (int k = 0; k < 2; ++k) {
            auto line = std::make_unique<HItemLine>();
            line->fromItem = files[(i + k * 37) % kPairs];
            line->toItem = tasks[i];
            line->fromOffset = {100, 25};
            line->toOffset = {0, 50};
            doc.Lines().Append(std::move(line));
        }
    }
    doc.RefreshItems();
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

// The in-memory snapshot an undo step takes.
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
