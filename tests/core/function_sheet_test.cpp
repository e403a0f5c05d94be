#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/fp/col_list_page.h"
#include "core/fp/complexity_table.h"
#include "core/fp/function_sheet.h"
#include "core/fp/info_file.h"
#include "core/fp/info_task.h"

namespace zarvik {
namespace {

TEST(FunctionSheet, BasicPageEnablingFollowsTheSetting) {
    EXPECT_EQ(BasicPageEnabling(0), (HFpBasicEnabling{false, false, false}));
    EXPECT_EQ(BasicPageEnabling(1), (HFpBasicEnabling{true, false, false}));
    EXPECT_EQ(BasicPageEnabling(2), (HFpBasicEnabling{false, false, true}));
    EXPECT_EQ(BasicPageEnabling(3), (HFpBasicEnabling{false, true, false}));
    EXPECT_EQ(BasicPageEnabling(7), HFpBasicEnabling{});

    EXPECT_EQ(FpTypeOfComboIndex(true, 2), kFpTypeEQ);
    EXPECT_EQ(FpTypeOfComboIndex(false, 2), -1);
    EXPECT_EQ(FpTypeComboIndex(false, kFpTypeEIF), 1);
    EXPECT_EQ(FpTypeComboIndex(false, kFpTypeEI), -1);
    EXPECT_EQ(UnadjustedFpText(10), "未調整FP値=10");
    EXPECT_EQ(DigitsEditValue(""), 0);
}

std::vector<std::string> Names(const HInfoFile& file) {
    std::vector<std::string> names;
    for (const HInfoCol& c : file.detList) {
        names.push_back(c.name);
    }
    return names;
}

TEST(FunctionSheet, ListCommandsEditTheCopyAndFollowTheSelection) {
    HInfoFile original;
    original.detList = {{&original, "A", "", 0}, {&original, "B", "", 0}};
    HInfoFile copy;
    copy.CopyFrom(original);
    HColListPage page(copy, HColListKind::Det);

    // With nothing or the summary row selected only Add is offered, and it appends.
    page.Select(2);
    EXPECT_TRUE(page.IsEnabled(HColListCommand::Add));
    EXPECT_FALSE(page.IsEnabled(HColListCommand::Change));
    EXPECT_FALSE(page.Delete());
    EXPECT_TRUE(page.Add("C", ""));
    EXPECT_EQ(Names(copy), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(page.SelectedRow(), 2);
    EXPECT_FALSE(page.IsEnabled(HColListCommand::MoveDown));

    // Add after a selected entry; moves keep the entry selected.
    page.Select(0);
    EXPECT_FALSE(page.MoveUp());
    EXPECT_TRUE(page.Add("X", ""));
    EXPECT_EQ(page.SelectedRow(), 1);
    EXPECT_TRUE(page.MoveDown());
    EXPECT_EQ(page.SelectedRow(), 2);
    EXPECT_EQ(Names(copy), (std::vector<std::string>{"A", "B", "X", "C"}));
    EXPECT_EQ(page.EditSetup(HColListCommand::Change)->title, "項目編集(第3項)");
    EXPECT_FALSE(page.Change("", "r"));
    EXPECT_TRUE(page.Change("Y", "r"));
    EXPECT_TRUE(page.Delete());
    EXPECT_EQ(Names(copy), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(copy.detList[0].owner, &copy);

    EXPECT_EQ(page.Rows().back().cells[1], "(計 DET=3)");
    EXPECT_EQ(original.detList.size(), 2u);

    page.Select(-1);
    copy.detList.resize(kMaxListEntries, HInfoCol{&copy, "n", "", 0});
    EXPECT_FALSE(page.Add("one too many", ""));
    EXPECT_EQ(copy.detList.size(), static_cast<std::size_t>(kMaxListEntries));
}

TEST(FunctionSheet, KeysRunTheListCommands) {
    EXPECT_EQ(ColListCommandForKey('I'), HColListCommand::Add);
    EXPECT_EQ(ColListCommandForKey(kListKeyInsert), HColListCommand::Add);
    EXPECT_EQ(ColListCommandForKey(kListKeyDelete), HColListCommand::Delete);
    EXPECT_EQ(ColListCommandForKey('D'), HColListCommand::MoveDown);
    EXPECT_EQ(ColListCommandForKey('X'), std::nullopt);
}

TEST(FunctionSheet, EmptyRetListCountsAsOneInSummaryAndTable) {
    HInfoFile file;
    file.SelectFpSumType = kSumAutomatic;
    file.detList = {{&file, "A", "", 0}};
    HColListPage page(file, HColListKind::Ret);
    EXPECT_EQ(page.Rows().back().cells[1], "(計 RET=1)");
    EXPECT_EQ(HColListPage(file, HColListKind::Det).Rows().back().cells[1], "(計 DET=1)");

    const HComplexityTable table = BuildComplexityTable(ComplexityInputOf(file), 300);
    EXPECT_EQ(table.cells[3 * kTableColumns + 0].text, "1");  // RET count
    EXPECT_EQ(table.cells[0 * kTableColumns + 3].text, "1");  // DET count
}

TEST(FunctionSheet, RemarksKeepTheirLineBreaks) {
    EXPECT_EQ(RemarksForStore("one\r\ntwo"), "one\\ntwo");
    EXPECT_EQ(RemarksForStore("one\ntwo"), "one\\ntwo");
    EXPECT_EQ(RemarksForEdit("one\\ntwo"), "one\ntwo");
    EXPECT_EQ(RemarksForEdit("one\\r\\ntwo"), "one\ntwo");

    HInfoFile file;
    HColListPage page(file, HColListKind::Det);
    ASSERT_TRUE(page.Add("A", "one\ntwo"));
    EXPECT_EQ(file.detList[0].info, "one\\ntwo");
    EXPECT_EQ(page.EditSetup(HColListCommand::Change)->remarks, "one\ntwo");
}

std::vector<int> HighlightedCells(const HComplexityTable& table) {
    std::vector<int> cells;
    for (const HTableCell& c : table.cells) {
        if (c.fill == HTableFill::Highlight) {
            cells.push_back(10 * c.column + c.row);
        }
    }
    return cells;
}

TEST(FunctionSheet, TableHighlightsTheCellsTheSettingUses) {
    // Estimated: every low cell of a data function, every average cell of a transaction.
    EXPECT_EQ(HighlightedCells(BuildComplexityTable({kFpTypeILF, 0, 0, 0, 0}, 300)),
              (std::vector<int>{22, 32, 23}));
    EXPECT_EQ(HighlightedCells(BuildComplexityTable({kFpTypeEI, 0, 0, 0, 0}, 300)),
              (std::vector<int>{42, 33, 24}));
    // An unknown level highlights the low cells.
    EXPECT_EQ(HighlightedCells(BuildComplexityTable({kFpTypeEO, 1, 9, 0, 0}, 300)),
              (std::vector<int>{22, 32, 23}));
    // Automatic: EQ with 20 DETs and 2 FTRs is the third DET range, second FTR range.
    const HComplexityTable eq = BuildComplexityTable({kFpTypeEQ, 2, 0, 20, 2}, 300);
    EXPECT_EQ(HighlightedCells(eq), (std::vector<int>{43}));
    EXPECT_EQ(eq.cells[3 * kTableColumns + 4].text, "高");
    EXPECT_EQ(eq.note, "※ FP値は、低は3、中は4、高は6。");

    const HComplexityTable user = BuildComplexityTable({kFpTypeEIF, 3, 0, 0, 0}, 300);
    EXPECT_TRUE(HighlightedCells(user).empty());
    EXPECT_EQ(user.ink, kTableGreyInkColor);
    EXPECT_EQ(user.cells[0 * kTableColumns + 3].text, "");
    EXPECT_FALSE(BuildComplexityTable({300, 2, 0, 0, 0}, 300).drawn);
}

TEST(FunctionSheet, TransactionRowsGreyPlaceholdersAndSumCounts) {
    HInfoFile typed;
    typed.name = "T";
    typed.AutoDET = 0;
    typed.UserDET = 2;
    HInfoFile listed;
    listed.name = "L";
    listed.typeCode = kFpTypeEIF;
    listed.detList = {{&listed, "A", "", 0}, {&listed, "A", "", 0}};
    HInfoTask task;
    task.checkDetSameName = 1;
    task.RebuildLinks({&typed, &listed});

    const std::vector<HSheetRow> dets = TaskDetRows(task);
    ASSERT_EQ(dets.size(), 5u);
    EXPECT_TRUE(dets[0].grey);
    EXPECT_FALSE(dets[2].grey);
    EXPECT_EQ(dets[2].cells[2], "L");
    EXPECT_EQ(dets.back().cells[1], "(計 DET=3)");

    const std::vector<HSheetRow> ftrs = TaskFtrRows(task);
    EXPECT_EQ(ftrs[1].cells, (std::vector<std::string>{"2", "L", "外部IF-F(EIF)", "2"}));
    EXPECT_EQ(ftrs.back().cells[1], "(計 FTR=2)");
}

}  // namespace
}  // namespace zarvik
