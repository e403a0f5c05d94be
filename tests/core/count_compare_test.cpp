// Comparing two versions of a document: matching, what changed, and the enhancement count
// worked out by hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "core/doc/count_compare.h"
#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "core/fp/info_rule.h"
#include "core/items/item_kinds.h"

namespace zarvik {
namespace {

// Functions rated by the matrix from typed counts, or at their fixed level.
void AddFile(HFlowDocument& doc, int32_t id, const char* name, int32_t type, int32_t det,
             int32_t ret) {
    auto file = std::make_unique<HItemFile>();
    file->id = id;
    file->name = name;
    file->typeCode = type;
    file->SelectFpSumType = det < 0 ? kSumEstimated : kSumAutomatic;
    file->AutoDET = file->AutoRET = 0;
    file->UserDET = det;
    file->UserRET = ret;
    doc.Boxes().Append(std::move(file));
}

void AddTask(HFlowDocument& doc, int32_t id, const char* name, int32_t type, int32_t det = -1,
             int32_t ftr = 0) {
    auto task = std::make_unique<HItemTask>();
    task->id = id;
    task->name = name;
    task->typeCode = type;
    task->SelectFpSumType = det < 0 ? kSumEstimated : kSumAutomatic;
    task->AutoDET = task->AutoFTR = 0;
    task->UserDET = det;
    task->UserFTR = ftr;
    doc.Boxes().Append(std::move(task));
}

class CountCompareTest : public ::testing::Test {
protected:
    void SetUp() override {
        plain.FirstUse({"", ""});
        adjusting.FirstUse({"", ""});
        adjusting.tyousei.SelectTyouseiType = 1;  // fourteen factors of 3: VAF 1.07

        AddFile(base, 1, "顧客", kFpTypeILF, 3, 1);     // low 7, unchanged
        AddFile(base, 2, "商品", kFpTypeEIF, -1, 0);    // 5, deleted
        AddFile(base, 3, "在庫", kFpTypeILF, 5, 2);     // low 7 -> DET 25: average 10
        AddFile(base, 4, "受注", kFpTypeILF, 25, 1);    // low 7 -> RET 2: average 10
        AddTask(base, 5, "受注登録", kFpTypeEI, 5, 1);  // low 3 -> FTR 2: average 4
        AddTask(base, 6, "月次集計", kFpTypeEO);        // 5 -> EQ 4
        AddTask(base, 7, "在庫照会", kFpTypeEQ);        // renamed
        AddTask(base, 8, "顧客登録", kFpTypeEI);        // moved to TASK_012

        AddFile(next, 1, "顧客", kFpTypeILF, 3, 1);
        AddFile(next, 3, "在庫", kFpTypeILF, 25, 2);
        AddFile(next, 4, "受注", kFpTypeILF, 25, 2);
        AddTask(next, 5, "受注登録", kFpTypeEI, 5, 2);
        AddTask(next, 6, "月次集計", kFpTypeEQ);
        AddTask(next, 7, "在庫検索", kFpTypeEQ);
        AddTask(next, 9, "出荷指示", kFpTypeEO);       // added, 5
        AddFile(next, 10, "税率", kFpTypeEIF, -1, 0);  // added, 5
        AddTask(next, 12, "顧客登録", kFpTypeEI);
    }
    void Estimate(HFlowDocument& doc, const HInfoRule& rule) {
        doc.RefreshItems();
        ComputeEstimate(doc.FunctionRecords(), rule, doc.estimate);
    }
    const HFunctionDiff* Find(const HCountComparison& c, const std::string& key) {
        for (const HFunctionDiff& diff : c.functions) {
            if ((diff.base ? diff.base->key : diff.next->key) == key) {
                return &diff;
            }
        }
        return nullptr;
    }

    HInfoRule plain;
    HInfoRule adjusting;
    HFlowDocument base;
    HFlowDocument next;
};

TEST_F(CountCompareTest, ClassifiesEachFunctionAndNamesWhatChanged) {
    Estimate(base, plain);
    Estimate(next, plain);
    const HCountComparison c = CompareCounts(base, next);
    EXPECT_EQ(c.Count(HFunctionChange::kAdded), 2);
    EXPECT_EQ(c.Count(HFunctionChange::kDeleted), 1);
    EXPECT_EQ(c.Count(HFunctionChange::kChanged), 4);
    EXPECT_EQ(c.unchanged, 3);  // FILE_001, the renamed and the moved transaction

    EXPECT_EQ(Find(c, "FILE_002")->change, HFunctionChange::kDeleted);
    EXPECT_EQ(Find(c, "FILE_010")->change, HFunctionChange::kAdded);
    EXPECT_EQ(Find(c, "FILE_003")->differences, kFactDet | kFactLevel | kFactFp);
    EXPECT_EQ(Find(c, "FILE_004")->differences, kFactSecond | kFactLevel | kFactFp);
    EXPECT_EQ(Find(c, "TASK_005")->differences, kFactSecond | kFactLevel | kFactFp);
    EXPECT_EQ(Find(c, "TASK_006")->differences, kFactType | kFactFp);
    const HFunctionDiff* renamed = Find(c, "TASK_007");
    EXPECT_EQ(renamed->change, HFunctionChange::kUnchanged);
    EXPECT_EQ(renamed->differences, kFactName);
    const HFunctionDiff* moved = Find(c, "TASK_008");
    EXPECT_EQ(moved->change, HFunctionChange::kUnchanged);
    EXPECT_EQ(moved->next->key, "TASK_012");
    EXPECT_EQ(moved->differences, kFactKey);
    EXPECT_EQ(Find(c, "FILE_001"), nullptr);  // unchanged functions are only counted
}

TEST_F(CountCompareTest, EnhancementCountWeighsEachSideByItsOwnAdjustment) {
    Estimate(base, plain);
    Estimate(next, adjusting);
    const HCountComparison c = CompareCounts(base, next, 3);
    EXPECT_EQ(c.addFp, 5 + 5);
    EXPECT_EQ(c.chgaFp, 10 + 10 + 4 + 4);
    EXPECT_EQ(c.chgbFp, 7 + 7 + 3 + 5);
    EXPECT_EQ(c.delFp, 5);
    EXPECT_DOUBLE_EQ(c.base.vaf, 1.0);
    EXPECT_DOUBLE_EQ(c.next.vaf, 1.07);
    // (ADD + CHGA + CFP) × VAFA + DEL × VAFB = (10 + 28 + 3) × 1.07 + 5 × 1.00
    EXPECT_NEAR(c.efp, 48.87, 1e-9);
    EXPECT_EQ(c.base.ufp, 42);
    EXPECT_EQ(c.next.ufp, 53);
    EXPECT_NEAR(c.next.finalFp, 56.71, 1e-9);

    const std::string text = BuildCompareText(c, "a.zvk", "b.zvk");
    EXPECT_NE(text.find("    ILF FILE_003 在庫: DET 5→25, 複雑度 低→中, FP 7→10\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    EI  TASK_008 顧客登録: キー TASK_008→TASK_012\n"), std::string::npos);
    EXPECT_NE(text.find("    未調整合計FP値(UFP)=42→53(+11)\n"), std::string::npos);
    EXPECT_NE(text.find("\nEFP=(10+28+3)×1.07+5×1.00=48.87\n"), std::string::npos);
}

TEST_F(CountCompareTest, SameNameMatchesOnlyLeftoverFunctionsOfTheSameType) {
    // Two documents that share no key: same-named functions pair off once each, and a
    // name under another type is not the same function.
    HFlowDocument a;
    HFlowDocument b;
    AddTask(a, 1, "照会", kFpTypeEQ);
    AddTask(a, 2, "照会", kFpTypeEQ);
    AddTask(a, 3, "出力", kFpTypeEO);
    AddTask(b, 11, "照会", kFpTypeEQ);
    AddTask(b, 13, "出力", kFpTypeEQ);
    Estimate(a, plain);
    Estimate(b, plain);
    const HCountComparison c = CompareCounts(a, b);
    EXPECT_EQ(c.unchanged, 1);
    EXPECT_EQ(Find(c, "TASK_001")->next->key, "TASK_011");
    EXPECT_EQ(Find(c, "TASK_002")->change, HFunctionChange::kDeleted);
    EXPECT_EQ(Find(c, "TASK_003")->change, HFunctionChange::kDeleted);
    EXPECT_EQ(Find(c, "TASK_013")->change, HFunctionChange::kAdded);
}

TEST(NesmaIndicative, WeighsIlfAndEif) {
    EXPECT_EQ(NesmaIndicativeFp(4, 2), 35 * 4 + 15 * 2);
    EXPECT_EQ(NesmaIndicativeFp(INT32_MAX, INT32_MAX), 50LL * INT32_MAX);
}

}  // namespace
}  // namespace zarvik
