#include "core/doc/count_compare.h"

#include <map>
#include <unordered_map>
#include <utility>

#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "core/items/item_kinds.h"

namespace zarvik {
namespace {

template <typename Record>
HFunctionFacts FactsOf(const HItemCore& box, const Record& record, bool data, int32_t second) {
    HFunctionFacts facts;
    facts.key = box.GetSectionKey();
    facts.name = record.name;
    facts.type = record.typeCode;
    facts.data = data;
    facts.det = record.GetDetCount();
    facts.second = second;
    facts.level = record.GetLevelInForce();
    facts.fp = record.GetFp();
    return facts;
}

uint32_t Differences(const HFunctionFacts& a, const HFunctionFacts& b) {
    uint32_t bits = 0;
    bits |= a.type != b.type ? kFactType : 0;
    bits |= a.det != b.det ? kFactDet : 0;
    bits |= a.second != b.second ? kFactSecond : 0;
    bits |= a.level != b.level ? kFactLevel : 0;
    bits |= a.fp != b.fp ? kFactFp : 0;
    bits |= a.name != b.name ? kFactName : 0;
    bits |= a.key != b.key ? kFactKey : 0;
    return bits;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// For each base function the index of its partner among the new ones, or kNone.
std::vector<std::size_t> MatchFunctions(const std::vector<HFunctionFacts>& base,
                                        const std::vector<HFunctionFacts>& next) {
    std::vector<std::size_t> partner(base.size(), kNone);
    std::vector<bool> taken(next.size(), false);
    std::unordered_map<std::string_view, std::size_t> byKey;
    byKey.reserve(next.size());
    for (std::size_t j = 0; j < next.size(); ++j) {
        // A key given twice keeps its first holder; the other is matched by name.
        byKey.emplace(next[j].key, j);
    }
    for (std::size_t i = 0; i < base.size(); ++i) {
        const auto found = byKey.find(base[i].key);
        if (found != byKey.end() && !taken[found->second]) {
            partner[i] = found->second;
            taken[found->second] = true;
        }
    }
    // What is left on the new side, by type and name, in diagram order.
    std::map<std::pair<int32_t, std::string_view>, std::vector<std::size_t>> byName;
    for (std::size_t j = next.size(); j-- > 0;) {
        if (!taken[j]) {
            byName[{next[j].type, next[j].name}].push_back(j);
        }
    }
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (partner[i] != kNone) {
            continue;
        }
        const auto found = byName.find({base[i].type, base[i].name});
        if (found != byName.end() && !found->second.empty()) {
            partner[i] = found->second.back();
            taken[partner[i]] = true;
            found->second.pop_back();
        }
    }
    return partner;
}

HFunctionDiff OneSided(HFunctionChange change, const HFunctionFacts& facts) {
    HFunctionDiff diff;
    diff.change = change;
    (change == HFunctionChange::kAdded ? diff.next : diff.base) = facts;
    return diff;
}

}  // namespace

int32_t HCountComparison::Count(HFunctionChange change) const {
    if (change == HFunctionChange::kUnchanged) {
        return unchanged;
    }
    int32_t count = 0;
    for (const HFunctionDiff& diff : functions) {
        count += diff.change == change ? 1 : 0;
    }
    return count;
}

std::vector<HFunctionFacts> CollectFunctionFacts(const HFlowDocument& doc) {
    std::vector<HFunctionFacts> list;
    for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
        if (const auto* file = dynamic_cast<const HItemFile*>(item)) {
            list.push_back(FactsOf(*file, *file, true, file->GetRetCount()));
        } else if (const auto* task = dynamic_cast<const HItemTask*>(item)) {
            list.push_back(FactsOf(*task, *task, false, task->GetFtrCount()));
        }
    }
    return list;
}

HDocumentSize MeasureDocument(const HFlowDocument& doc) {
    const HInfoKousuu& e = doc.estimate;
    HDocumentSize size;
    size.functions = e.dataCount + e.transactionCount;
    size.ilfCount = e.ilfCount;
    size.eifCount = e.eifCount;
    size.ufp = e.ufp;
    size.adjusted = e.adjusted == 1;
    // Without an adjustment the final count is the UFP: a factor of one.
    size.vaf = size.adjusted ? e.vafX100 * 0.01 : 1.0;
    size.finalFp = e.GetFinalFp();
    return size;
}

HCountComparison CompareCounts(const HFlowDocument& base, const HFlowDocument& next,
                               int64_t conversionFp) {
    const std::vector<HFunctionFacts> before = CollectFunctionFacts(base);
    const std::vector<HFunctionFacts> after = CollectFunctionFacts(next);
    const std::vector<std::size_t> partner = MatchFunctions(before, after);

    HCountComparison result;
    result.base = MeasureDocument(base);
    result.next = MeasureDocument(next);
    result.conversionFp = conversionFp;
    std::vector<HFunctionDiff> added, deleted, changed, relabelled;
    std::vector<bool> matched(after.size(), false);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (partner[i] == kNone) {
            deleted.push_back(OneSided(HFunctionChange::kDeleted, before[i]));
            result.delFp += before[i].fp;
            continue;
        }
        matched[partner[i]] = true;
        HFunctionDiff diff{HFunctionChange::kUnchanged, before[i], after[partner[i]],
                           Differences(before[i], after[partner[i]])};
        if ((diff.differences & kMeasuredFacts) != 0) {
            diff.change = HFunctionChange::kChanged;
            result.chgaFp += diff.next->fp;
            result.chgbFp += diff.base->fp;
            changed.push_back(std::move(diff));
        } else {
            ++result.unchanged;
            if (diff.differences != 0) {
                relabelled.push_back(std::move(diff));
            }
        }
    }
    for (std::size_t j = 0; j < after.size(); ++j) {
        if (!matched[j]) {
            added.push_back(OneSided(HFunctionChange::kAdded, after[j]));
            result.addFp += after[j].fp;
        }
    }
    for (auto* group : {&added, &deleted, &changed, &relabelled}) {
        for (HFunctionDiff& diff : *group) {
            result.functions.push_back(std::move(diff));
        }
    }
    result.efp =
        static_cast<double>(result.addFp + result.chgaFp + result.conversionFp) * result.next.vaf +
        static_cast<double>(result.delFp) * result.base.vaf;
    return result;
}

int64_t NesmaIndicativeFp(int32_t ilfCount, int32_t eifCount) {
    return 35 * static_cast<int64_t>(ilfCount) + 15 * static_cast<int64_t>(eifCount);
}

}  // namespace zarvik
