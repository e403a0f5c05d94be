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
#include "large_document.h"

namespace {

using namespace zarvik;

constexpr int kPairs = 5000;

void BuildDocument(HFlowDocument& doc) {
    BuildLargeDocument(doc, kPairs);
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
        ComputeEstimate(doc.FunctionRecords(), rule, result);
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
        ComputeEstimate(doc.FunctionRecords(), rule, result);
        benchmark::DoNotOptimize(result.effort);
    }
}
BENCHMARK(BM_EstimateOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
