// The function lists and the rules in force as the estimate report document shows them.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/doc/estimate_lists.h"
#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "core/fp/info_rule.h"
#include "core/items/item_kinds.h"

namespace zarvik {
namespace {

TEST(EstimateListsTest, RowsTakeTheRatedCountsLevelAndFpOfEachKind) {
    HFlowDocument doc;
    auto file = std::make_unique<HItemFile>();
    file->name = "会員";
    file->typeCode = kFpTypeEIF;
    file->SelectFpSumType = kSumUserLevel;
    file->FpLevel = kLevelHigh;
    doc.Boxes().Append(std::move(file));
    auto task = std::make_unique<HItemTask>();
    task->name = "登録";
    task->typeCode = kFpTypeEO;
    task->SelectFpSumType = kSumUserFp;
    task->FpUser = 9;
    doc.Boxes().Append(std::move(task));
    doc.RefreshItems();

    const auto files = FileListRows(doc.Boxes());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0][0], "会員");
    EXPECT_EQ(files[0][1], "EIF");
    EXPECT_EQ(files[0][4], "高");
    EXPECT_EQ(files[0][5], "10");
    const auto tasks = TransactionListRows(doc.Boxes());
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0][1], "EO");
    EXPECT_EQ(tasks[0][4], "-");  // a typed FP has no level
    EXPECT_EQ(tasks[0][5], "9");
    EXPECT_EQ(TransactionListHead()[3], "FTR");
    EXPECT_EQ(FileListHead()[3], "RET");
}

TEST(EstimateListsTest, RulesLinesFollowHowUfpAndVafAreTaken) {
    HInfoRule rule;
    rule.FirstUse({"", ""});
    HInfoKousuu result;
    ComputeEstimate({}, rule, result);
    auto has = [&](const std::string& line) {
        const auto lines = RulesInForceLines(rule, result);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("    未調整FP値(UFP): 機能毎のFP値の合計"));
    EXPECT_TRUE(has("    調整係数(VAF): 調整なし"));

    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 100;
    rule.tyousei.SelectTyouseiType = 2;
    rule.tyousei.FpTyouseiManual = 110;
    ComputeEstimate({}, rule, result);
    EXPECT_TRUE(has("    未調整FP値(UFP): 直接指定 100"));
    EXPECT_TRUE(has("    調整係数(VAF): 直接指定 1.10"));
    EXPECT_TRUE(has("    工期 = FP^0.40 × 1.00 = 6.55月"));  // 110^0.4

    rule.tyousei.SelectTyouseiType = 1;
    EXPECT_TRUE(has("    調整係数(VAF): 一般システム特性から算出 TDI=42, VAF=1.07"));
}

}  // namespace
}  // namespace zarvik
