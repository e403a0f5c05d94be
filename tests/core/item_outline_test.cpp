// The outlines of the file item list and the transaction item list: which rows a double
// click opens, what they say, and how they are coloured.

#include <gtest/gtest.h>

#include <memory>

#include "core/doc/item_outline.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"

namespace zarvik {
namespace {

template <class Item>
Item& AddBox(HDrawList& boxes, const char* name) {
    auto item = std::make_unique<Item>();
    item->name = name;
    Item& raw = *item;
    boxes.Append(std::move(item));
    return raw;
}

class ItemOutlineTest : public ::testing::Test {
protected:
    void SetUp() override {
        customer.detList = {{&customer, "顧客ID", "主キー", 0}, {&customer, "氏名", "", 0}};
        // Two relation lines to the customer file and one to the empty order file.
        entry.RebuildLinks({&customer, &order, &customer});
    }

    std::vector<std::string> Column0(const HItemOutline& outline) {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < outline.Rows().size(); ++i) {
            texts.push_back(outline.CellText(i, 0));
        }
        return texts;
    }

    HDrawList boxes;
    HItemFile& customer = AddBox<HItemFile>(boxes, "顧客");
    HItemFile& order = AddBox<HItemFile>(boxes, "注文");
    HItemTask& entry = AddBox<HItemTask>(boxes, "受注登録");
    HItemOther& other = AddBox<HItemOther>(boxes, "外部");
};

TEST_F(ItemOutlineTest, FileListStartsCollapsedFromTheTopOfTheBoxList) {
    HItemOutline outline(HOutlineList::Files, kOutlineViewDet);
    outline.Build(boxes);
    EXPECT_EQ((std::vector<std::string>{"注文", "顧客"}), Column0(outline));
    EXPECT_EQ(kOutlineImageEmpty, outline.ImageIndex(0));
    EXPECT_EQ(kOutlineNoEntries, outline.CellText(0, 1));
    EXPECT_EQ(kOutlineImageCollapsed, outline.ImageIndex(1));
    EXPECT_EQ("", outline.CellText(1, 1));

    ASSERT_EQ(1, outline.ToggleRow(1));
    EXPECT_EQ((std::vector<std::string>{"注文", "顧客", "1 ： 顧客ID", "2 ： 氏名"}),
              Column0(outline));
    EXPECT_EQ(kOutlineImageExpanded, outline.ImageIndex(1));
    EXPECT_EQ("主キー", outline.CellText(2, 1));
    EXPECT_EQ(kOutlineImageNone, outline.ImageIndex(2));
    EXPECT_EQ(1, outline.Rows()[2].parent);
    EXPECT_EQ(0, outline.ToggleRow(3));  // an entry row
    EXPECT_EQ(4u, outline.Rows().size());
}

TEST_F(ItemOutlineTest, DataFunctionWithoutRetsOpensToNothingInTheRetView) {
    HItemOutline outline(HOutlineList::Files, kOutlineViewRet);
    outline.Build(boxes);
    outline.ToggleRow(1);  // the customer: DETs but no RETs
    ASSERT_EQ(2u, outline.Rows().size());
    EXPECT_EQ(kOutlineImageEmpty, outline.ImageIndex(1));
    EXPECT_EQ(kOutlineNoEntries, outline.CellText(1, 1));
}

TEST_F(ItemOutlineTest, TransactionOpensToItsFilesWhichKeepTheirState) {
    HItemOutline outline(HOutlineList::Transactions, kOutlineViewDet);
    outline.Build(boxes);
    ASSERT_EQ((std::vector<std::string>{"受注登録"}), Column0(outline));

    outline.ToggleRow(0);
    EXPECT_EQ((std::vector<std::string>{"受注登録", "顧客", "注文", "顧客"}), Column0(outline));
    EXPECT_EQ(kOutlineImageCollapsed, outline.ImageIndex(1));
    EXPECT_EQ(kOutlineImageEmpty, outline.ImageIndex(2));
    EXPECT_EQ(kOutlineNoEntries, outline.CellText(2, 1));

    // The second line to the customer is a row of its own.
    outline.ToggleRow(3);
    EXPECT_EQ(
        (std::vector<std::string>{"受注登録", "顧客", "注文", "顧客", "1 ： 顧客ID", "2 ： 氏名"}),
        Column0(outline));
    EXPECT_EQ(2, outline.Rows()[4].level);
    EXPECT_EQ(3, outline.Rows()[4].parent);

    outline.ToggleRow(1);
    EXPECT_EQ(8u, outline.Rows().size());
    EXPECT_EQ("顧客", outline.CellText(5, 0));
    EXPECT_EQ(1, outline.Rows()[5].expanded);

    // Closing and opening the transaction again finds the files as they were.
    outline.ToggleRow(0);
    ASSERT_EQ(1u, outline.Rows().size());
    outline.ToggleRow(0);
    EXPECT_EQ(8u, outline.Rows().size());
}

TEST_F(ItemOutlineTest, TransactionWithoutFilesShowsNoEntriesAndImageTwo) {
    entry.ClearLinks();
    HItemOutline outline(HOutlineList::Transactions, kOutlineViewRet);
    outline.Build(boxes);
    outline.ToggleRow(0);
    ASSERT_EQ(1u, outline.Rows().size());
    EXPECT_EQ(kOutlineImageEmpty, outline.ImageIndex(0));
    EXPECT_EQ(kOutlineNoEntries, outline.CellText(0, 1));
}

TEST_F(ItemOutlineTest, RowColours) {
    customer.penNormal = SolidPen(1, Rgb(10, 20, 30));
    customer.text.textColor = Rgb(1, 2, 3);
    customer.brush = SolidBrush(Rgb(200, 210, 220));
    entry.penNormal = SolidPen(1, Rgb(40, 50, 60));
    entry.text.textColor = Rgb(70, 80, 90);
    entry.brush = SolidBrush(Rgb(0, 0, 0));
    entry.brush->style = kBrushHollow;

    HItemOutline files(HOutlineList::Files, kOutlineViewDet);
    files.Build(boxes);
    files.ToggleRow(1);
    EXPECT_EQ(Rgb(10, 20, 30), files.Colors(1).text);
    EXPECT_EQ(Rgb(200, 210, 220), files.Colors(1).back);
    EXPECT_EQ(Rgb(0, 0, 0), files.Colors(2).text);
    EXPECT_EQ(Rgb(255, 255, 255), files.Colors(2).back);

    // File rows take the transaction's colours; a hollow fill shows white.
    HItemOutline tasks(HOutlineList::Transactions, kOutlineViewDet);
    tasks.Build(boxes);
    tasks.ToggleRow(0);
    for (std::size_t row : {0u, 1u}) {
        EXPECT_EQ(Rgb(70, 80, 90), tasks.Colors(row).text);
        EXPECT_EQ(Rgb(255, 255, 255), tasks.Colors(row).back);
    }
}

}  // namespace
}  // namespace zarvik
