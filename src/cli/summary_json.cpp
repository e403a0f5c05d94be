#include "cli/summary_json.h"

#include "core/doc/count_compare.h"
#include "core/doc/csv_export.h"
#include "core/doc/flow_document.h"
#include "core/fp/fp_rating.h"
#include "core/items/item_kinds.h"

namespace zarvik::cli {
namespace {

using Json = nlohmann::ordered_json;

Json CountAndFp(int32_t count, int32_t fp) {
    return Json{{"count", count}, {"fp", fp}};
}

Json FunctionEntry(const HItemObject& box, const HInfoCore& record, const char* type,
                   int32_t setting, int32_t fp, int32_t det, int32_t second, int32_t level) {
    return Json{{"key", box.GetSectionKey()},
                {"name", record.name},
                {"type", type},
                {"setting", SettingWord(setting)},
                {"fp", fp},
                {"det", det},
                {"ret_or_ftr", second},
                {"level", level < 0 ? Json(nullptr) : Json(LevelWord(level))}};
}

Json Functions(const HDrawList& boxes) {
    Json list = Json::array();
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        if (const auto* file = dynamic_cast<const HItemFile*>(item)) {
            list.push_back(FunctionEntry(*file, *file, CsvFileTypeText(file->typeCode),
                                         file->SelectFpSumType, file->GetFp(), file->GetDetCount(),
                                         file->GetRetCount(), file->GetLevelInForce()));
        } else if (const auto* task = dynamic_cast<const HItemTask*>(item)) {
            list.push_back(FunctionEntry(*task, *task, CsvTransactionTypeText(task->typeCode),
                                         task->SelectFpSumType, task->GetFp(), task->GetDetCount(),
                                         task->GetFtrCount(), task->GetLevelInForce()));
        }
    }
    return list;
}

}  // namespace

const char* SettingWord(int32_t setting) {
    switch (setting) {
        case kSumEstimated:
            return "estimated";
        case kSumUserLevel:
            return "user_level";
        case kSumAutomatic:
            return "automatic";
        case kSumUserFp:
            return "user_fp";
        default:
            return "";
    }
}

const char* LevelWord(int32_t level) {
    switch (level) {
        case kLevelLow:
            return "low";
        case kLevelAverage:
            return "average";
        case kLevelHigh:
            return "high";
        default:
            return "";
    }
}

Json BuildSummary(const HFlowDocument& doc) {
    const HInfoKousuu& e = doc.estimate;
    Json summary;
    summary["ilf"] = CountAndFp(e.ilfCount, e.ilfFp);
    summary["eif"] = CountAndFp(e.eifCount, e.eifFp);
    summary["ei"] = CountAndFp(e.eiCount, e.eiFp);
    summary["eo"] = CountAndFp(e.eoCount, e.eoFp);
    summary["eq"] = CountAndFp(e.eqCount, e.eqFp);
    summary["data_functions"] = e.dataCount;
    summary["transactions"] = e.transactionCount;
    summary["ufp"] = e.ufp;
    summary["nesma_indicative_fp"] = NesmaIndicativeFp(e.ilfCount, e.eifCount);
    summary["adjusted"] = e.adjusted == 1;
    // VAF and productivity as the report shows them; every other real unrounded.
    summary["vaf"] = e.vafX100 * 0.01;
    summary["tdi"] = e.tdi;
    summary["adjusted_fp"] = e.adjustedFp;
    summary["productivity"] = e.productivityX100 * 0.01;
    summary["effort"] = e.effort;
    summary["pages"] = e.pages;
    summary["tests"] = e.tests;
    summary["defects"] = e.defects;
    summary["schedule_fp"] = e.scheduleFromFp;
    summary["schedule_effort"] = e.scheduleFromEffort;
    summary["schedule_min"] = e.scheduleMin;
    summary["functions"] = Functions(doc.Boxes());
    return summary;
}

}  // namespace zarvik::cli
