// Recomputing the estimate of a large document: refreshing the records from 10 000
// relation lines and computing the estimate over 10 000 boxes (half data functions, half
// transactions).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "core/fp/info_rule.h"
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
        file->typeCode = i % 3 == 0 ? kFpTypeEIF : kFpTypeILF;
        file->SelectFpSumType = kSumAutomatic;
        for (int d = 0; d < 5; ++d) {
            file->detList.push_back(HInfoCol{file.get(), Format("項目%d", d), "備考", 0});
        }
        files.push_back(file.get());
        doc.Boxes().Append(std::move(file));
        auto task = std::make_unique<HItemTask>();
        task->name = Format("受注登録[%d]", i);
        task->position = {(i % 100) * 150 + 60, (i / 100) * 120 + 60};
        task->typeCode = kFpTypeEI + i % 3;
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
}

void BM_RefreshAndEstimate(benchmark::State& state) {
    HFlowDocument doc;
    BuildDocument(doc);
    HInfoRule rule;
    rule.FirstUse({"", ""});
    rule.tyousei.SelectTyouseiType = 1;
    HInfoKousuu result;
    for (auto _ : state) {
        doc.RefreshItems();
        ComputeEstimate(doc.Boxes(), rule, result);
        benchmark::DoNotOptimize(result.effort);
    }
    state.counters["ufp"] = result.ufp;
}
BENCHMARK(BM_RefreshAndEstimate)->Unit(benchmark::kMillisecond);

void BM_EstimateOnly(benchmark::State& state) {
    HFlowDocument doc;
    BuildDocument(doc);
    doc.RefreshItems();
    HInfoRule rule;
    rule.FirstUse({"", ""});
    HInfoKousuu result;
    for (auto _ : state) {
        ComputeEstimate(doc.Boxes(), rule, result);
        benchmark::DoNotOptimize(result.effort);
    }
}
BENCHMARK(BM_EstimateOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
