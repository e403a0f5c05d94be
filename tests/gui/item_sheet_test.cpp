// The common tabbed sheet: pages by id, its remembered rectangles and its OK and Esc.

#include "gui/sheets/item_sheet.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "dialog_events.h"
#include "gui_test_support.h"

namespace zarvik::gui {
namespace {

using namespace test_events;

class ItemSheet : public ::testing::Test {
protected:
    void SetUp() override { HItemSheet::ForgetRects(); }
    void TearDown() override { HItemSheet::ForgetRects(); }

    static void AddPages(HItemSheet& sheet) {
        sheet.AddPage(1548, "基本設定", new QLabel("basic"));
        sheet.AddPage(1550, "DET設定", new QLabel("det"));
        sheet.AddPage(1549, "RET設定", new QLabel("ret"));
    }
};

TEST_F(ItemSheet, PagesAreChosenByIdAndADisabledOneCannotBe) {
    HItemSheet sheet(HSheetKind::ItemSettings);
    AddPages(sheet);
    sheet.show();
    EXPECT_EQ(1548, sheet.CurrentPageId());
    EXPECT_EQ("RET設定", sheet.Tabs().tabText(2));

    EXPECT_TRUE(sheet.SelectPage(1549));
    EXPECT_EQ(1549, sheet.CurrentPageId());
    EXPECT_TRUE(sheet.Page(1549)->isVisible());
    EXPECT_FALSE(sheet.Page(1548)->isVisible());

    sheet.SelectPage(1548);
    sheet.SetPageEnabled(1550, false);
    EXPECT_FALSE(sheet.SelectPage(1550));
    EXPECT_FALSE(sheet.SelectPage(9999));
    EXPECT_EQ(1548, sheet.CurrentPageId());

    // Neither a click on its tab chooses it.
    QTabBar* bar = sheet.Tabs().tabBar();
    gui_support::Click(bar, bar->tabRect(1).center());
    EXPECT_EQ(1548, sheet.CurrentPageId());

    sheet.SetPageEnabled(1550, true);
    gui_support::Click(bar, bar->tabRect(1).center());
    EXPECT_EQ(1550, sheet.CurrentPageId());
}

TEST_F(ItemSheet, LaysOutItsButtonsFromTheBottomRight) {
    HItemSheet sheet(HSheetKind::ItemSettings);
    AddPages(sheet);
    sheet.show();
    sheet.resize(500, 400);
    EXPECT_EQ(QRect(10, 10, 480, 345), sheet.Tabs().geometry());
    EXPECT_EQ(QRect(410, 365, 80, 25), sheet.OkButton().geometry());
    EXPECT_EQ(QRect(320, 365, 80, 25), sheet.CancelButton().geometry());
}

TEST_F(ItemSheet, TheRectangleIsRememberedForTheNextSheetOfTheSameKindOnly) {
    const QRect placed(120, 90, 520, 410);
    {
        HItemSheet sheet(HSheetKind::ItemSettings);
        AddPages(sheet);
        sheet.show();
        sheet.setGeometry(placed);
        Click(&sheet.CancelButton());
    }
    EXPECT_EQ(placed, HItemSheet::RememberedRect(HSheetKind::ItemSettings));

    HItemSheet same(HSheetKind::ItemSettings);
    AddPages(same);
    same.show();
    EXPECT_EQ(placed, same.geometry());

    HItemSheet other(HSheetKind::Format);
    AddPages(other);
    other.show();
    EXPECT_NE(placed.size(), other.size());
    EXPECT_TRUE(HItemSheet::RememberedRect(HSheetKind::Format).isEmpty());
}

TEST_F(ItemSheet, OkRefusedByTheCheckKeepsTheSheetOpenEscCancels) {
    HItemSheet sheet(HSheetKind::ItemSettings);
    AddPages(sheet);
    bool allow = false;
    int asked = 0;
    sheet.SetAcceptCheck([&] {
        ++asked;
        return allow;
    });
    sheet.show();
    Click(&sheet.OkButton());
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(sheet.isVisible());

    allow = true;
    Click(&sheet.OkButton());
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(QDialog::Accepted, sheet.result());

    sheet.show();
    Key(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(QDialog::Rejected, sheet.result());
    EXPECT_EQ(2, asked);
}

}  // namespace
}  // namespace zarvik::gui
