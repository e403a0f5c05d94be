#include "core/doc/estimate_lists.h"

#include "core/doc/count_compare.h"
#include "core/doc/csv_export.h"
#include "core/fp/estimate.h"
#include "core/fp/info_rule.h"
#include "core/fp/rule_fields.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

template <typename Record>
HFunctionListRow Row(const Record& record, const char* type, int32_t second) {
    return {record.name,
            type,
            FormatInt(record.GetDetCount()),
            FormatInt(second),
            LevelText(record.GetLevelInForce()),
            FormatInt(record.GetFp())};
}

// "name = FP^E × C = value" of a reference estimate.
std::string ReferenceLine(const char* name, int32_t coefficientX100, int32_t exponentX100,
                          double value, const char* unit) {
    return std::string("    ") + name + " = FP^" + FormatDecimalX100(exponentX100) + " × " +
           FormatDecimalX100(coefficientX100) + Format(" = %.2f", value) + unit;
}

std::string UfpLine(const HInfoRule& rule) {
    return rule.IsFpUFPManual != 0 ? Format("    未調整FP値(UFP): 直接指定 %d", rule.FpUFPManual)
                                   : std::string("    未調整FP値(UFP): 機能毎のFP値の合計");
}

std::string VafLine(const HInfoRule& rule) {
    switch (rule.tyousei.SelectTyouseiType) {
        case 1:
            return Format("    調整係数(VAF): 一般システム特性から算出 TDI=%d, VAF=%4.2f",
                          rule.GetTdi(), rule.GetVafX100() * 0.01);
        case 2:
            return "    調整係数(VAF): 直接指定 " + FormatDecimalX100(rule.GetVafX100());
        default:
            return "    調整係数(VAF): 調整なし";
    }
}

}  // namespace

HFunctionListRow TransactionListHead() {
    return {"名称", "種別", "DET", "FTR", "複雑度", "FP"};
}

HFunctionListRow FileListHead() {
    return {"名称", "種別", "DET", "RET", "複雑度", "FP"};
}

std::vector<HFunctionListRow> TransactionListRows(const HDrawList& boxes) {
    std::vector<HFunctionListRow> rows;
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        if (const auto* task = dynamic_cast<const HItemTask*>(item)) {
            rows.push_back(Row(*task, CsvTransactionTypeText(task->typeCode), task->GetFtrCount()));
        }
    }
    return rows;
}

std::vector<HFunctionListRow> FileListRows(const HDrawList& boxes) {
    std::vector<HFunctionListRow> rows;
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        if (const auto* file = dynamic_cast<const HItemFile*>(item)) {
            rows.push_back(Row(*file, CsvFileTypeText(file->typeCode), file->GetRetCount()));
        }
    }
    return rows;
}

std::vector<std::string> RulesInForceLines(const HInfoRule& rule, const HInfoKousuu& e) {
    return {
        "FP計測規則",
        UfpLine(rule),
        VafLine(rule),
        std::string("    トランザクションのDET数: ") +
            (rule.TpCheckDetSameName != 0 ? "同名のDETは1つと数える" : "同名のDETも別に数える"),
        "",
        "FP関連参考値算出規則",
        Format("    生産性(FP数/1人月)=%4.2f", e.productivityX100 * 0.01),
        ReferenceLine("文書総ページ数", rule.FpGaisanPage1X100, rule.FpGaisanPage2X100, e.pages,
                      "P"),
        ReferenceLine("総テストケース数", rule.FpGaisanTest1X100, rule.FpGaisanTest2X100, e.tests,
                      "ケース"),
        ReferenceLine("総欠陥数", rule.FpGaisanBug1X100, rule.FpGaisanBug2X100, e.defects, "個"),
        ReferenceLine("工期", rule.FpGaisanKikan1X100, rule.FpGaisanKikan2X100, e.scheduleFromFp,
                      "月"),
        "    工数からの工期 = 工数^(1/" + FormatDecimalX100(rule.FpKouki2X100) + ") × " +
            FormatDecimalX100(rule.FpKouki1X100) + Format(" = %.2f月", e.scheduleFromEffort),
        "    最小工期 = 工数からの工期 × " + FormatDecimalX100(rule.FpKoukiMinX100) +
            Format(" = %.2f月", e.scheduleMin),
    };
}

}  // namespace zarvik
