#include "cli/compare_json.h"

#include "cli/summary_json.h"

namespace zarvik::cli {
namespace {

using Json = nlohmann::ordered_json;

Json FactsJson(const HFunctionFacts& facts) {
    return Json{{"key", facts.key},
                {"name", facts.name},
                {"type", FunctionTypeOrCode(facts.type)},
                {"det", facts.det},
                {facts.data ? "ret" : "ftr", facts.second},
                {"level", facts.level < 0 ? Json(nullptr) : Json(LevelWord(facts.level))},
                {"fp", facts.fp}};
}

Json ChangeWords(const HFunctionDiff& diff) {
    Json words = Json::array();
    const bool data = diff.base->data;
    const std::pair<uint32_t, const char*> kWords[] = {{kFactKey, "key"},
                                                       {kFactName, "name"},
                                                       {kFactType, "type"},
                                                       {kFactDet, "det"},
                                                       {kFactSecond, data ? "ret" : "ftr"},
                                                       {kFactLevel, "level"},
                                                       {kFactFp, "fp"}};
    for (const auto& [bit, word] : kWords) {
        if (diff.differences & bit) {
            words.push_back(word);
        }
    }
    return words;
}

Json SizeJson(const HDocumentSize& size, const std::string& path) {
    return Json{{"path", path},    {"functions", size.functions},
                {"ufp", size.ufp}, {"adjusted", size.adjusted},
                {"vaf", size.vaf}, {"final_fp", size.finalFp}};
}

}  // namespace

Json BuildCompareJson(const HCountComparison& c, const std::string& basePath,
                      const std::string& nextPath) {
    Json added = Json::array();
    Json deleted = Json::array();
    Json changed = Json::array();
    Json relabelled = Json::array();
    for (const HFunctionDiff& diff : c.functions) {
        switch (diff.change) {
            case HFunctionChange::kAdded:
                added.push_back(FactsJson(*diff.next));
                break;
            case HFunctionChange::kDeleted:
                deleted.push_back(FactsJson(*diff.base));
                break;
            default:
                (diff.change == HFunctionChange::kChanged ? changed : relabelled)
                    .push_back(Json{{"base", FactsJson(*diff.base)},
                                    {"new", FactsJson(*diff.next)},
                                    {"changes", ChangeWords(diff)}});
                break;
        }
    }
    Json result;
    result["base"] = SizeJson(c.base, basePath);
    result["new"] = SizeJson(c.next, nextPath);
    result["difference"] = Json{{"functions", c.next.functions - c.base.functions},
                                {"ufp", static_cast<int64_t>(c.next.ufp) - c.base.ufp},
                                {"final_fp", c.next.finalFp - c.base.finalFp}};
    result["added"] = std::move(added);
    result["deleted"] = std::move(deleted);
    result["changed"] = std::move(changed);
    result["renamed_or_moved"] = std::move(relabelled);
    result["unchanged"] = c.unchanged;
    result["enhancement"] = Json{{"add", c.addFp},        {"chga", c.chgaFp},   {"chgb", c.chgbFp},
                                 {"cfp", c.conversionFp}, {"vafa", c.next.vaf}, {"del", c.delFp},
                                 {"vafb", c.base.vaf},    {"efp", c.efp}};
    return result;
}

}  // namespace zarvik::cli
