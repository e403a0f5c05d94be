#include "core/fp/estimate_sheet_menus.h"

#include <utility>

#include "core/command/command_ids.h"
#include "core/fp/estimate_sheet.h"

namespace zarvik {
namespace {

using A = HKantanAction;

// The rule sheets' pages a box's property command opens.
constexpr int32_t kPageUfp = 1582;
constexpr int32_t kPageAdjustment = 1581;
constexpr int32_t kPageFactors = 1561;
constexpr int32_t kPageTransaction = 1552;
constexpr int32_t kPageProductivity = 1559;
constexpr int32_t kPageProductivityTable = 1556;
constexpr int32_t kPageRatios = 1568;
constexpr int32_t kPageFromFp = 1583;
constexpr int32_t kPageFromEffort = 1584;

HKantanMenuEntry Help(std::string_view text, std::string_view target) {
    return {A::Help, text, 0, {}, target};
}
HKantanMenuEntry Measurement(std::string_view text, std::vector<int32_t> pages) {
    return {A::MeasurementRules, text, 0, std::move(pages), {}};
}
HKantanMenuEntry Reference(std::string_view text, std::vector<int32_t> pages) {
    return {A::ReferenceRules, text, 0, std::move(pages), {}};
}
HKantanMenuEntry Command(std::string_view text, int32_t id) {
    return {A::Command, text, id, {}, {}};
}
HKantanMenuEntry Separator() {
    return {};
}

std::vector<HKantanMenu> BuildMenus() {
    return {
        {"計測ﾀｲﾌﾟ", kKantanType, {Help("FP法入門：計測ﾀｲﾌﾟのﾍﾙﾌﾟ", "FP法入門：計測ﾀｲﾌﾟのﾍﾙﾌﾟ")}},
        {"計測範囲", kKantanScope, {Help("FP法入門：計測範囲のﾍﾙﾌﾟ", "FP法入門：計測範囲のﾍﾙﾌﾟ")}},
        {"DF",
         kKantanData,
         // The measurement rules have no page for data functions yet.
         {{A::Unavailable, "DF(データ ファンクション)のプロパティ...", 0, {}, {}},
          Command("データ一覧の表示", kCmdFileItemList),
          Separator(),
          Help("FP法入門：DFのﾍﾙﾌﾟ", "fp_intro.html#functions"),
          Help("データ一覧のﾍﾙﾌﾟ", "item_lists.html#file")}},
        {"TF",
         kKantanTransaction,
         {Measurement("TF(トランザクション ファンクション)のプロパティ...", {kPageTransaction}),
          Command("トランザクション一覧の表示", kCmdTaskItemList), Separator(),
          Help("FP法入門：TFのﾍﾙﾌﾟ", "fp_intro.html#functions"),
          Help("トランザクション一覧のﾍﾙﾌﾟ", "item_lists.html#task")}},
        {"未調整FP",
         kKantanUfp,
         {Measurement("未調整FPのプロパティ...", {kPageUfp}), Separator(),
          Help("FP法入門：未調整FPのﾍﾙﾌﾟ", "fp_intro.html#ufp"),
          Help("未調整FPの指定のﾍﾙﾌﾟ", "rules.html#ufp")}},
        {"ﾌﾛｰ図",
         0,
         {{A::Close, "フロー図編集モードへ戻る", 0, {}, {}},
          Separator(),
          Help("かんたん見積シートのﾍﾙﾌﾟ", "CKantanFrame"),
          Help("FP法入門：よくある質問", "fp_intro.html#faq"),
          Separator(),
          {A::Close, "閉じる(F5)", 0, {}, {}}}},
        {"調整係数",
         kKantanAdjustment,
         {Measurement("調整係数のプロパティ...", {kPageAdjustment, kPageFactors}), Separator(),
          Help("FP法入門：調整係数のﾍﾙﾌﾟ", "fp_intro.html#vaf"),
          Help("調整係数一覧のﾍﾙﾌﾟ", "rules.html#factors")}},
        {"調整FP", kKantanFp, {Help("FP法入門：調整FPのﾍﾙﾌﾟ", "FP法入門：調整FPのﾍﾙﾌﾟ")}},
        {"工数",
         kKantanEffort,
         {Reference("生産性のプロパティ...", {kPageProductivity, kPageProductivityTable}),
          Separator(), Help("生産性のﾍﾙﾌﾟ", "reference.html#productivity"),
          Help("分野別生産性のﾍﾙﾌﾟ", "reference.html#seisan")}},
        {"工期",
         kKantanSchedule,
         {Reference("工数からの工期概算のプロパティ...", {kPageFromEffort}), Separator(),
          Help("工数からの工期概算のﾍﾙﾌﾟ", "reference.html#kouki")}},
        {"各種概算",
         kKantanEstimates,
         {Reference("FP値からの概算のプロパティ...", {kPageFromFp}), Separator(),
          Help("FP値からの概算のﾍﾙﾌﾟ", "reference.html#gaisan")}},
        {"開発項目一覧",
         kKantanDevItems,
         {Reference("分野別の標準的開発項目と概略工数比率のプロパティ...", {kPageRatios}),
          Command("標準的開発項目と概略工数一覧...", kCmdRatioList), Separator(),
          Help("分野別概略工数のﾍﾙﾌﾟ", "reference.html#koumoku"),
          Help("標準的開発項目と概略工数一覧のﾍﾙﾌﾟ", "reference.html#hiritu")}},
    };
}

}  // namespace

const std::vector<HKantanMenu>& KantanMenus() {
    static const std::vector<HKantanMenu> kMenus = BuildMenus();
    return kMenus;
}

const HKantanMenu& KantanMenuOf(int32_t id) {
    const HKantanMenu* flow = nullptr;
    for (const HKantanMenu& menu : KantanMenus()) {
        if (id != 0 && menu.boxId == id) {
            return menu;
        }
        flow = menu.boxId == 0 ? &menu : flow;
    }
    return *flow;
}

}  // namespace zarvik
