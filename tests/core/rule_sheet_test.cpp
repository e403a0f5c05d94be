#include <gtest/gtest.h>

#include "core/app/rule_sheet_session.h"
#include "core/app/system.h"
#include "core/fp/estimate.h"
#include "core/fp/rule_fields.h"
#include "core/fp/rule_sheet_rows.h"
#include "scripted_ui.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::ScriptedUi;
using test_support::TempDir;

// A settings holder whose system rules are filled from default files in dir.
void FillSystemRules(HSystem& system, const TempDir& dir) {
    system.SetDefaultFolders({dir.Path().string(), ""});
    system.SystemRules().FirstUse(system.DefaultFolders());
}

TEST(RuleDecimalField, TypedTextIsStoredTimesHundredAndShownWithTwoDecimals) {
    EXPECT_EQ(150, ParseDecimalX100("1.5"));
    EXPECT_EQ(100, ParseDecimalX100("1"));
    EXPECT_EQ(125, ParseDecimalX100("1.25"));
    EXPECT_EQ(101, ParseDecimalX100("1.005"));  // rounded as typed, not as a double
    EXPECT_EQ(0, ParseDecimalX100("."));
    EXPECT_EQ(INT32_MAX, ParseDecimalX100("99999999999"));
    EXPECT_EQ("1.50", FormatDecimalX100(150));
    EXPECT_EQ("0.05", FormatDecimalX100(5));
    EXPECT_EQ("100.00", FormatDecimalX100(10000));
    EXPECT_FALSE(DecimalTextToShow("1.50", 150));
    EXPECT_EQ("1.50", DecimalTextToShow("1.5", 150).value_or(""));
}

TEST(RuleDecimalField, OutOfRangeIsToldButKept) {
    ScriptedUi ui;
    HInfoRule rule;
    const HRuleFieldRange* page1 = FindRuleFieldRange("FpGaisanPage1X100");
    ASSERT_NE(nullptr, page1);
    EXPECT_EQ(0, TakeTypedField(rule, *page1, "5000"));
    EXPECT_EQ(500000, rule.FpGaisanPage1X100);
    EXPECT_EQ(1, TakeTypedField(rule, *page1, "100"));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("文書総ページ数への変換比には、0～100まで設定可能です。\r\n※ 初期値は1です。",
              ui.messages[0].text);
    EXPECT_EQ("文書総ページ数への変換式について", ui.messages[0].caption);

    const HRuleFieldRange* root = FindRuleFieldRange("FpKouki2X100");
    ASSERT_NE(nullptr, root);
    EXPECT_TRUE(CheckTypedField(*root, "0.49"));
    EXPECT_FALSE(CheckTypedField(*root, "0.5"));
    // Every default the rule resets to passes its own check.
    TempDir dir;
    HInfoRule fresh;
    fresh.FirstUse({dir.Path().string(), ""});
    for (const HRuleFieldRange& range : RuleFieldRanges()) {
        EXPECT_FALSE(CheckTypedField(range, FormatDecimalX100(fresh.*range.field))) << range.key;
    }
}

TEST(RuleSheet, OkAsksWithWhereTheRulesGoAndCancelRestores) {
    ScriptedUi ui;
    TempDir dir;
    HSystem system;
    FillSystemRules(system, dir);
    {
        HRuleSheetSession sheet(system, HRuleSheetKind::Measurement);
        EXPECT_EQ("FP計測規則の設定 (現在、システムの設定を使用)", sheet.Title());
        EXPECT_EQ(1, sheet.ConfirmOk());
        EXPECT_TRUE(ui.messages.empty());
        sheet.Rules().TpCheckDetSameName = 1;
        ui.answers = {HMsgAnswer::Cancel};
        EXPECT_EQ(0, sheet.ConfirmOk());
        sheet.Cancel();
        EXPECT_EQ(0, system.CurrentRules().TpCheckDetSameName);
    }
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(
        "FP算出規則の設定情報が変更されています。\r\n\r\n変更を保存してダイアログを閉じますか？"
        "\r\n※ "
        "アプリケーション終了時に、インストールディレクトリのZarvik.iniに自動的に保存します。",
        ui.messages[0].text);

    system.SetDocumentRules(0);
    HRuleSheetSession sheet(system, HRuleSheetKind::Reference);
    EXPECT_EQ("FP関連参考値算出規則の設定 (現在、フローの設定を使用)", sheet.Title());
    sheet.Rules().FpKoukiMinX100 = 50;
    ui.answers = {HMsgAnswer::Ok};
    EXPECT_EQ(1, sheet.ConfirmOk());
    EXPECT_EQ(
        "FP関連参考値算出規則の設定情報が変更されています。\r\n\r\n"
        "変更を保存してダイアログを閉じますか？\r\n※ "
        "フローファイルの保存時に、フローファイルに保存します。",
        ui.messages[1].text);
    EXPECT_EQ(50, system.CurrentRules().FpKoukiMinX100);
}

TEST(RuleSheet, ResetToDefaultsIsUndoneByCancelAndChangedValuesAreRed) {
    TempDir dir;
    HSystem system;
    FillSystemRules(system, dir);
    HInfoSysMgrSeisan& seisan = system.CurrentRules().seisan;
    seisan.rows[1].values[2] = 1234;
    seisan.rows.push_back(HInfoSeisan{});
    seisan.Bunya = 2;

    std::vector<HSeisanListRow> rows = SeisanListRows(seisan);
    ASSERT_EQ(8u, rows.size());
    EXPECT_EQ("12.34", rows[1].values[2]);
    EXPECT_EQ(1, rows[1].changed[2]);
    EXPECT_EQ(0, rows[1].changed[1]);
    EXPECT_EQ(kDefaultRowBack, rows[0].back);
    EXPECT_EQ(kSelectedFieldBack, rows[2].back);
    EXPECT_EQ(kAddedRowBack, rows[7].back);

    HRuleSheetSession sheet(system, HRuleSheetKind::Reference);
    sheet.Rules().seisan.ResetToDefaults();
    EXPECT_EQ(7u, seisan.rows.size());
    EXPECT_EQ(2857, seisan.rows[1].values[2]);
    sheet.Cancel();
    EXPECT_EQ(8u, seisan.rows.size());
    EXPECT_EQ(1234, seisan.rows[1].values[2]);
    EXPECT_EQ(2, seisan.Bunya);
}

TEST(RuleSheet, DegreeKeysAndRowNameCheck) {
    ScriptedUi ui;
    HInfoSysMgrTyousei table;
    table.rows.resize(2);
    EXPECT_EQ(1, SetTyouseiDegree(table, 1, DegreeForKey('5')));
    EXPECT_EQ(-1, DegreeForKey('6'));
    EXPECT_EQ(0, SetTyouseiDegree(table, 2, 3));
    EXPECT_EQ("影響度重大", TyouseiListRows(table)[1].degreeLabel);
    EXPECT_EQ("現在値=0.70", TyouseiCurrentValueText(table));

    EXPECT_EQ(1, AcceptEditedRowName("新分野"));
    EXPECT_EQ(0, AcceptEditedRowName(""));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("項目名称は必須項目です", ui.messages[0].text);
    EXPECT_EQ("Error", ui.messages[0].caption);
}

TEST(RuleSheet, DevelopmentItemsShareTheEstimate) {
    TempDir dir;
    HSystem system;
    FillSystemRules(system, dir);
    HInfoKousuu estimate;
    estimate.ufp = 200;
    estimate.effort = 10.0;
    const HInfoSysMgrHiritu& hiritu = system.CurrentRules().hiritu;
    const std::vector<HDevelopmentItemRow> rows = DevelopmentItemRows(hiritu, 0, estimate);
    ASSERT_EQ(25u, rows.size());
    EXPECT_EQ("コーディング", rows[7].name);
    EXPECT_EQ("35.00", rows[7].ratio);
    EXPECT_EQ("70.00", rows[7].fp);
    EXPECT_EQ("3.50", rows[7].effort);
    EXPECT_TRUE(DevelopmentItemRows(hiritu, 6, estimate).empty());
    EXPECT_EQ("100.00%", HirituTotalText(hiritu.rows[0]));
}

}  // namespace
}  // namespace zarvik
