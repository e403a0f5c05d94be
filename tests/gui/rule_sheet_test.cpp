// The rule sheets driven with real keys and clicks over the rules in force.

#include "gui/sheets/rule_sheets.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "../core/scripted_ui.h"
#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "dialog_events.h"
#include "draw/qt_text.h"
#include "gui/sheets/ratio_list_dialog.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

class RuleSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        Rules().FirstUse({"", ""});
        kept.CopyFrom(Rules());
    }
    void TearDown() override {
        sheet.reset();
        System().UseSystemRules();
        Rules().CopyFrom(kept);
    }

    static HInfoRule& Rules() { return System().CurrentRules(); }

    void Open(HSheetKind kind, std::vector<int> pages = {}) {
        sheet = std::make_unique<HRuleSheet>(doc, kind, std::move(pages), nullptr);
        sheet->show();
    }

    template <typename T>
    T* Child(const char* name) {
        T* child = sheet->findChild<T*>(name);
        EXPECT_NE(nullptr, child) << name;
        return child;
    }

    HInfoRule kept;
    CZarvikDoc doc;
    test_support::ScriptedUi ui;
    std::unique_ptr<HRuleSheet> sheet;
};

TEST_F(RuleSheetTest, OutOfRangeValueIsStoredToldOnLeavingAndKeepsTheFocus) {
    Open(HSheetKind::ReferenceRules, {kRulePageFromEffort});
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
    auto* minimum = Child<QLineEdit>("FpKoukiMinX100");
    minimum->setFocus();
    TypeOver(minimum, "5000");
    EXPECT_EQ(500000, Rules().FpKoukiMinX100);

    Key(minimum, Qt::Key_Tab);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("最小工期への変換比には、0～1まで設定可能です。\r\n※ 初期値は0.7です。",
              ui.messages[0].text);
    EXPECT_EQ("最小工期の算出式について", ui.messages[0].caption);
    QTRY_VERIFY(minimum->hasFocus());

    // A value in range leaves quietly.
    TypeOver(minimum, "0.5");
    Key(minimum, Qt::Key_Tab);
    EXPECT_EQ(1u, ui.messages.size());
    EXPECT_EQ(50, Rules().FpKoukiMinX100);
}

TEST_F(RuleSheetTest, CancelPutsTheRuleBack) {
    const int32_t before = Rules().tyousei.FpTyouseiManual;
    Open(HSheetKind::MeasurementRules);
    EXPECT_FALSE(sheet->IsPageEnabled(kRulePageFile));
    ASSERT_TRUE(sheet->SelectPage(kRulePageAdjustment));
    Click(Child<QRadioButton>("vafTypedRadio"));
    EXPECT_EQ(2, Rules().tyousei.SelectTyouseiType);
    TypeOver(Child<QLineEdit>("vafEdit"), "1.25");
    EXPECT_EQ(125, Rules().tyousei.FpTyouseiManual);
    Click(&sheet->CancelButton());
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(before, Rules().tyousei.FpTyouseiManual);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RuleSheetTest, OkOverAChangeAsksAndItsCancelKeepsTheSheetOpen) {
    ASSERT_TRUE(System().IsUsingSystemRules());
    Open(HSheetKind::MeasurementRules);
    EXPECT_EQ("FP計測規則の設定 (現在、システムの設定を使用)",
              draw::ToStdString(sheet->windowTitle()));
    auto* factors = Child<QTreeWidget>("factorList");
    ASSERT_GT(factors->topLevelItemCount(), 1);
    factors->setCurrentItem(factors->topLevelItem(1));
    Key(factors, Qt::Key_5, Qt::NoModifier, "5");
    EXPECT_EQ(5, Rules().tyousei.rows[1].degree);
    EXPECT_EQ("5", draw::ToStdString(factors->topLevelItem(1)->text(3)));

    ui.answers = {HMsgAnswer::Cancel, HMsgAnswer::Ok};
    Click(&sheet->OkButton());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(
        "FP算出規則の設定情報が変更されています。\r\n\r\n変更を保存してダイアログを閉じますか？"
        "\r\n※ アプリケーション終了時に、インストールディレクトリのZarvik.iniに自動的に保存し"
        "ます。",
        ui.messages[0].text);
    EXPECT_TRUE(sheet->isVisible());

    Click(&sheet->OkButton());
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(5, Rules().tyousei.rows[1].degree);
}

TEST_F(RuleSheetTest, DocumentRulesAreSaidToGoWithTheFlowFile) {
    System().SetDocumentRules(0);
    Open(HSheetKind::ReferenceRules, {kRulePageProductivity});
    EXPECT_EQ("FP関連参考値算出規則の設定 (現在、フローの設定を使用)",
              draw::ToStdString(sheet->windowTitle()));
    Click(Child<QRadioButton>("productivityTypedRadio"));
    ui.answers = {HMsgAnswer::Ok};
    Click(&sheet->OkButton());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(
        "FP関連参考値算出規則の設定情報が変更されています。\r\n\r\n変更を保存してダイアログを閉じ"
        "ますか？\r\n※ フローファイルの保存時に、フローファイルに保存します。",
        ui.messages[0].text);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(1, Rules().seisan.SeisanManual);
}

TEST_F(RuleSheetTest, ResetButtonPutsTheDefaultProductivityTableBack) {
    Open(HSheetKind::ReferenceRules, {kRulePageProductivityTable});
    auto* list = Child<QTreeWidget>("productivityList");
    ASSERT_GT(list->topLevelItemCount(), 0);
    const int rows = list->topLevelItemCount();
    list->setCurrentItem(list->topLevelItem(0));
    Key(list, Qt::Key_Delete);
    EXPECT_EQ(rows - 1, list->topLevelItemCount());
    Rules().seisan.rows[0].values[2] += 100;
    sheet->Refresh();
    EXPECT_EQ(QColor(255, 0, 0), list->topLevelItem(0)->foreground(4).color());

    Click(Child<QPushButton>("productivityResetButton"));
    EXPECT_EQ(rows, list->topLevelItemCount());
    EXPECT_EQ(Rules().seisan.Defaults()[0].values, Rules().seisan.rows[0].values);
    EXPECT_NE(QColor(255, 0, 0), list->topLevelItem(0)->foreground(4).color());
}

TEST_F(RuleSheetTest, DevelopmentItemListShowsTheChosenFieldsItemsWithTheirShare) {
    doc.estimate.effort = 10.0;
    HRatioListDialog dialog(doc);
    const HInfoSysMgrHiritu& ratios = Rules().hiritu;
    ASSERT_GE(ratios.rows.size(), 2u);
    EXPECT_EQ(ratios.SelectHirituType, dialog.FieldCombo().currentIndex());
    dialog.FieldCombo().setCurrentIndex(1);
    QTreeWidget& list = dialog.List();
    ASSERT_EQ(25, list.topLevelItemCount());
    EXPECT_EQ(draw::ToQString(ratios.itemNames[0]), list.topLevelItem(0)->text(1));
    // The effort's share of an item is its ratio (x100 percent) of ten person-months.
    const int32_t ratio = ratios.GetValue(1, 0);
    EXPECT_EQ(QString::number(ratio * 0.01, 'f', 2), list.topLevelItem(0)->text(2));
    EXPECT_EQ(QString::number(10.0 * ratio * 0.0001, 'f', 2), list.topLevelItem(0)->text(4));
}

}  // namespace
}  // namespace zarvik::gui
