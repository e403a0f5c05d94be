#include "core/doc/item_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/canvas/item_list_menu.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/fp_rating.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "scripted_ui.h"

namespace zarvik {
namespace {

class ItemListTest : public ::testing::Test {
protected:
    void SetUp() override { doc.NewDocument(); }

    HItemObject* AddBox(int32_t kind, HPoint position = {0, 0}) {
        std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
        HItemObject* raw = box.get();
        raw->position = position;
        doc.AddItem(std::move(box));
        return raw;
    }
    std::vector<std::string> Column(int filter, HItemListSort sort, int column) const {
        std::vector<std::string> texts;
        for (const HItemListRow& row : BuildItemListRows(doc.Boxes(), filter, sort)) {
            texts.push_back(ItemListCellText(row, column));
        }
        return texts;
    }
    HItemListRow RowOf(HItemObject* box) const {
        const std::vector<HItemListRow> rows = BuildItemListRows(doc.Boxes(), kListShowAll, {});
        return rows.at(FindItemListRow(rows, box));
    }
    HItemObject* TopBox() { return static_cast<HItemObject*>(doc.Boxes().Tail()); }

    test_support::ScriptedUi ui;
    CZarvikDoc doc;
};

TEST_F(ItemListTest, NumbersCountAllBoxesFromTheTopSoFilteredRowsLeaveGaps) {
    AddBox(kKindFile);
    AddBox(kKindView);
    AddBox(kKindTask);
    AddBox(kKindFile);
    EXPECT_EQ((std::vector<std::string>{"1", "2", "4"}),
              Column(kListShowFpOnly, {}, kListColNumber));
    EXPECT_EQ((std::vector<std::string>{"3"}), Column(kListShowNonFpOnly, {}, kListColNumber));
    EXPECT_EQ((std::vector<std::string>{"ILF", "EI", "-", "ILF"}),
              Column(kListShowAll, {}, kListColFpType));
}

TEST_F(ItemListTest, HeaderClicksAlternateTheDirectionOfTheFpColumn) {
    AddBox(kKindView);  // 0
    AddBox(kKindTask);  // 4
    AddBox(kKindFile);  // 7
    HItemListSort sort;
    sort.Click(kListColFp);
    EXPECT_EQ((std::vector<std::string>{"0", "4", "7"}), Column(kListShowAll, sort, kListColFp));
    sort.Click(kListColFp);
    EXPECT_EQ((std::vector<std::string>{"7", "4", "0"}), Column(kListShowAll, sort, kListColFp));
    sort.Click(kListColName);
    EXPECT_EQ(kListColName, sort.column);
    EXPECT_EQ(1, sort.ascending);
}

TEST_F(ItemListTest, NamesSortByTheirCp932Bytes) {
    // cp932 puts half-width katakana (0xB1) before this kanji (0xEA); UTF-8 does not.
    AddBox(kKindFile)->Record()->name = "遙";
    AddBox(kKindFile)->Record()->name = "ｱ";
    AddBox(kKindFile)->Record()->name = "B";
    HItemListSort sort;
    sort.Click(kListColName);
    EXPECT_EQ((std::vector<std::string>{"B", "ｱ", "遙"}), Column(kListShowAll, sort, kListColName));
}

TEST_F(ItemListTest, WidthBelowTheMinimumIsKeptAndUndoRestoresIt) {
    HItemObject* file = AddBox(kKindFile);
    HItemObject* task = AddBox(kKindTask, {300, 0});
    auto line = std::make_unique<HItemLine>();
    line->fromItem = file;
    line->toItem = task;
    line->fromOffset = {100, 25};
    line->toOffset = {0, 50};
    doc.AddLine(std::move(line));
    file->SetSelected(1);
    doc.ResetHistory();

    ASSERT_EQ(1, ApplyItemListEdit(doc, file, kListColWidth, "20"));
    EXPECT_EQ(20, file->size.cx);
    EXPECT_EQ(0, file->Selected());
    const auto* joined = static_cast<HItemLine*>(doc.Lines().Head());
    EXPECT_LE(joined->fromOffset.x, 20);  // the end followed the shrunken side
    EXPECT_EQ(1, doc.IsChanged());

    doc.UndoStep();
    const std::vector<HItemListRow> rows = BuildItemListRows(doc.Boxes(), kListShowAll, {});
    EXPECT_EQ("100", ItemListCellText(rows.at(1), kListColWidth));
}

TEST_F(ItemListTest, ChangingEiToEqKeepsATransactionAndTheEstimateFollows) {
    HItemObject* task = AddBox(kKindTask);
    ASSERT_EQ(1, doc.estimate.eiCount);
    HItemListChoices choices;
    ASSERT_EQ(1, ItemListChoicesOf(RowOf(task), choices));
    EXPECT_EQ((std::vector<std::string>{"EI", "EO", "EQ"}), choices.entries);
    EXPECT_EQ(0, choices.selected);

    ASSERT_EQ(1, ApplyItemListEdit(doc, task, kListColFpType, "2"));
    EXPECT_EQ(kFpTypeEQ, task->Record()->typeCode);
    EXPECT_EQ(0, doc.estimate.eiCount);
    EXPECT_EQ(1, doc.estimate.eqCount);

    // An index past the family's types and an unmeasured item are refused.
    ApplyItemListEdit(doc, task, kListColFpType, "3");
    EXPECT_EQ(kFpTypeEQ, task->Record()->typeCode);
    EXPECT_EQ(0, ItemListChoicesOf(RowOf(AddBox(kKindView)), choices));
}

TEST_F(ItemListTest, EmptyAndUnwritableTextsKeepTheOldValues) {
    HItemObject* file = AddBox(kKindFile, {40, 60});
    file->Record()->name = "顧客";
    ApplyItemListEdit(doc, file, kListColName, "");
    ApplyItemListEdit(doc, file, kListColName, "😀");
    ApplyItemListEdit(doc, file, kListColX, "");
    EXPECT_EQ("顧客", file->Record()->name);
    EXPECT_EQ(40, file->position.x);
    EXPECT_EQ(1, ApplyItemListEdit(doc, file, kListColY, "250"));
    EXPECT_EQ(250, file->position.y);
    EXPECT_EQ(0, ApplyItemListEdit(doc, file, kListColFp, "9"));
}

TEST_F(ItemListTest, RowColoursShowSelectionAndFadeUnmeasuredItems) {
    HItemObject* screen = AddBox(kKindView);
    HItemObject* file = AddBox(kKindFile);
    const HItemListColors screenColors = ItemListRowColors(RowOf(screen));
    EXPECT_EQ(Rgb(126, 126, 126), screenColors.background);
    EXPECT_EQ(Rgb(255, 255, 255), ItemListRowColors(RowOf(file)).background);
    EXPECT_EQ(0, ItemListRowColors(RowOf(file)).bold);

    file->SetSelected(1);
    const HItemListColors selected = ItemListRowColors(RowOf(file));
    EXPECT_EQ(Rgb(0, 0, 255), selected.text);
    EXPECT_EQ(1, selected.bold);
}

TEST_F(ItemListTest, RowMenuCannotStartALineNorOfferLinks) {
    HCanvasMenu menu;
    menu.entries = {HMenuEntry{kCmdLineStart, "関係線", 1, 0, {}}, HMenuEntry{},
                    HMenuEntry{0, kLinkSubmenuText, 1, 0, {HMenuEntry{32831, "To: a", 1, 0, {}}}}};
    const HCanvasMenu row = ItemListRowMenu(menu);
    ASSERT_EQ(1u, row.entries.size());
    EXPECT_EQ(0, row.entries[0].enabled);
}

TEST(ItemListLayout, AppliesOnlyWhenEveryColumnIsWellFormed) {
    std::vector<HListColumnLayout> layouts;
    ASSERT_EQ(1, ParseColumnLayouts({"16385,30,1", "16384,120,0"}, layouts));
    EXPECT_EQ((HListColumnLayout{16385, 30, 1}), layouts[0]);
    EXPECT_EQ("16384,120,0", FormatColumnLayout(layouts[1]));

    std::vector<HListColumnLayout> untouched = layouts;
    EXPECT_EQ(0, ParseColumnLayouts({"1,30,1", "1,120"}, untouched));    // one comma
    EXPECT_EQ(0, ParseColumnLayouts({"1,30,1", ""}, untouched));         // missing
    EXPECT_EQ(0, ParseColumnLayouts({"1,30,1", "1,2,3,4"}, untouched));  // three commas
    EXPECT_EQ(0, ParseColumnLayouts({"1,30,0", "1,120,0"}, untouched));  // order twice
    EXPECT_EQ(0, ParseColumnLayouts({"1,30,0", "1,120,7"}, untouched));  // order too big
    EXPECT_EQ(layouts, untouched);
}

}  // namespace
}  // namespace zarvik
