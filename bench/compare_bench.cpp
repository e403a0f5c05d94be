// Comparing two versions of a large document: 10 000 boxes each, the second with a few
// hundred functions changed, renamed, moved, added and deleted.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/doc/count_compare.h"
#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/text/number_text.h"
#include "large_document.h"

namespace {

using namespace zarvik;

constexpr int kPairs = 5000;

// Every 25th data function gains a DET, every 40th transaction changes its type, every
// 50th is renamed, every 60th moves to a new id; 100 transactions are added and the last
// 100 data functions deleted.
void ChangeDocument(HFlowDocument& doc) {
    std::vector<std::unique_ptr<HItemCore>> removed;
    int index = 0;
    int32_t nextId = 100000;
    HItemCore* item = doc.Boxes().Head();
    while (item != nullptr) {
        HItemCore* following = item->next;
        if (auto* file = dynamic_cast<HItemFile*>(item)) {
            if (index / 2 >= kPairs - 100) {
                removed.push_back(doc.Boxes().Detach(file));
            } else if (index % 50 == 0) {
                file->detList.push_back(HInfoCol{file, "追加項目", "", 0});
            }
        } else if (auto* task = dynamic_cast<HItemTask*>(item)) {
            if (index % 80 == 1) {
                task->typeCode = task->typeCode == kFpTypeEI ? kFpTypeEQ : kFpTypeEI;
            } else if (index % 100 == 3) {
                task->name += "(改)";
            } else if (index % 120 == 5) {
                task->id = nextId++;
            }
        }
        ++index;
        item = following;
    }
    // Lines to a deleted box go with it.
    for (HItemCore* line = doc.Lines().Head(); line != nullptr;) {
        HItemCore* following = line->next;
        const auto* relation = static_cast<HItemLine*>(line);
        for (const auto& box : removed) {
            if (relation->fromItem == box.get() || relation->toItem == box.get()) {
                doc.Lines().Detach(line);
                break;
            }
        }
        line = following;
    }
    for (int i = 0; i < 100; ++i) {
        auto task = std::make_unique<HItemTask>();
        task->id = nextId++;
        task->name = Format("新規照会[%d]", i);
        task->typeCode = kFpTypeEQ;
        doc.Boxes().Append(std::move(task));
    }
    doc.RefreshItems();
    doc.RecomputeEstimate();
}

void BM_CompareLargeDocuments(benchmark::State& state) {
    // Both versions number their items alike, as two saves of one document do.
    HFlowDocument base;
    ResetItemCounters();
    BuildLargeDocument(base, kPairs);
    base.RecomputeEstimate();
    HFlowDocument next;
    ResetItemCounters();
    BuildLargeDocument(next, kPairs);
    ChangeDocument(next);
    HCountComparison result;
    for (auto _ : state) {
        result = CompareCounts(base, next);
        benchmark::DoNotOptimize(result.efp);
    }
    state.counters["changed"] = result.Count(HFunctionChange::kChanged);
    state.counters["added"] = result.Count(HFunctionChange::kAdded);
    state.counters["deleted"] = result.Count(HFunctionChange::kDeleted);
}
BENCHMARK(BM_CompareLargeDocuments)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
