// The item list dialogs on a small document, driven with real mouse events.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTableView>
#include <memory>

#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "gui/panels/item_list_dialog.h"
#include "gui_test_support.h"

namespace zarvik::gui {
namespace {

void DoubleClickRow(QTableView* table, int row) {
    const QPoint at = table->visualRect(table->model()->index(row, 0)).center();
    QWidget* viewport = table->viewport();
    gui_support::Mouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton);
    gui_support::Mouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton);
    gui_support::Mouse(viewport, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    gui_support::Mouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

QString Cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

class ItemListDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewDocument();
        auto file = std::make_unique<HItemFile>();
        file->name = "顧客";
        file->detList = {{file.get(), "顧客ID", "", 0}};
        auto task = std::make_unique<HItemTask>();
        task->name = "受注登録";
        auto line = std::make_unique<HItemLine>();
        line->fromItem = file.get();
        line->toItem = task.get();
        doc.AddItem(std::move(file));
        doc.AddItem(std::move(task));
        doc.AddLine(std::move(line));
        doc.RecordStep();
    }

    CZarvikDoc doc;
};

TEST_F(ItemListDialogTest, DoubleClickOpensTheTransactionToItsFilesAndEntries) {
    HItemListDialog dialog(doc, HItemListDialog::Kind::Transactions);
    dialog.show();
    EXPECT_EQ(QStringLiteral("トランザクション項目一覧"), dialog.windowTitle());
    QTableView* table = dialog.Table();
    ASSERT_EQ(1, table->model()->rowCount());
    EXPECT_EQ(QStringLiteral("受注登録"), Cell(table, 0, 0));

    DoubleClickRow(table, 0);
    ASSERT_EQ(2, table->model()->rowCount());
    EXPECT_EQ(QStringLiteral("顧客"), Cell(table, 1, 0));
    DoubleClickRow(table, 1);
    ASSERT_EQ(3, table->model()->rowCount());
    EXPECT_EQ(QStringLiteral("1 ： 顧客ID"), Cell(table, 2, 0));

    // The RET view has its own, still closed, outline; the DET view is kept.
    dialog.ViewCombo()->setCurrentIndex(1);
    ASSERT_EQ(1, table->model()->rowCount());
    DoubleClickRow(table, 0);
    DoubleClickRow(table, 1);
    EXPECT_EQ(2, table->model()->rowCount());
    EXPECT_EQ(QStringLiteral("項目が存在しません"), Cell(table, 1, 1));
    dialog.ViewCombo()->setCurrentIndex(0);
    EXPECT_EQ(3, table->model()->rowCount());
}

TEST_F(ItemListDialogTest, FileListShowsTheViewChoicesAndTheColumns) {
    HItemListDialog dialog(doc, HItemListDialog::Kind::Files);
    EXPECT_EQ(QStringLiteral("ファイル項目一覧"), dialog.windowTitle());
    EXPECT_EQ(QStringLiteral("レコード種類(RET)項目を表示する。"), dialog.ViewCombo()->itemText(1));
    EXPECT_EQ(200, dialog.Table()->columnWidth(0));
    EXPECT_EQ(250, dialog.Table()->columnWidth(1));
    EXPECT_EQ(QStringLiteral("項目名"), dialog.Table()->model()->headerData(0, Qt::Horizontal));
}

}  // namespace
}  // namespace zarvik::gui
