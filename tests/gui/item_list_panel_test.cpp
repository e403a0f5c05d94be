// The item list panel driven with real mouse and key events over a real document and
// canvas controller.

#include "gui/panels/item_list_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <memory>
#include <vector>

#include "core/app/system.h"
#include "core/canvas/canvas_controller.h"
#include "core/command/command_ids.h"
#include "core/doc/item_list.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "gui_test_support.h"

namespace zarvik::gui {
namespace {

class StillHost : public HCanvasHost {};

void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

class ItemListPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewDocument();
        panel = std::make_unique<HItemListPanel>(doc, canvas);
        panel->resize(700, 300);
        panel->show();
    }
    void TearDown() override {
        panel.reset();
        System().ClearProfileSection(kItemListSection);
    }

    HItemObject* AddBox(int32_t kind, const char* name, HPoint position = {0, 0}) {
        std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
        HItemObject* raw = box.get();
        raw->Record()->name = name;
        raw->position = position;
        doc.AddItem(std::move(box));
        doc.ResetHistory();
        return raw;
    }
    QTableView* View() const { return panel->View(); }
    // The open line editor; closed ones are deleted first.
    QLineEdit* LineEditor() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return View()->findChild<QLineEdit*>();
    }
    QString Cell(int row, int column) const {
        return View()->model()->index(row, column).data().toString();
    }
    QPoint CellPoint(int row, int column) const {
        return View()->visualRect(View()->model()->index(row, column)).center();
    }
    void ClickHeader(int column) {
        QHeaderView* header = View()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        gui_support::Click(header->viewport(), at);
    }

    CZarvikDoc doc;
    StillHost host;
    HCanvasController canvas{doc, host};
    std::unique_ptr<HItemListPanel> panel;
};

TEST_F(ItemListPanelTest, HeaderClicksSortNamesByTheirCp932Bytes) {
    AddBox(kKindFile, "遙");
    AddBox(kKindFile, "ｱ");
    AddBox(kKindTask, "B");
    ASSERT_EQ(3, View()->model()->rowCount());
    EXPECT_EQ(18, View()->rowHeight(0));
    EXPECT_EQ("B", Cell(0, kListColName));  // the top box first

    ClickHeader(kListColName);
    EXPECT_EQ("ｱ", Cell(1, kListColName));
    EXPECT_EQ("遙", Cell(2, kListColName));
    EXPECT_EQ(Qt::AscendingOrder, View()->horizontalHeader()->sortIndicatorOrder());
    ClickHeader(kListColName);
    EXPECT_EQ("遙", Cell(0, kListColName));
    EXPECT_EQ(Qt::DescendingOrder, View()->horizontalHeader()->sortIndicatorOrder());
}

TEST_F(ItemListPanelTest, TheFilterShowsMeasuredOrUnmeasuredBoxes) {
    AddBox(kKindFile, "a");
    AddBox(kKindView, "b");
    AddBox(kKindTask, "c");
    panel->FilterBox()->setCurrentIndex(kListShowFpOnly);
    ASSERT_EQ(2, View()->model()->rowCount());
    EXPECT_EQ("3", Cell(1, kListColNumber));
    panel->FilterBox()->setCurrentIndex(kListShowNonFpOnly);
    ASSERT_EQ(1, View()->model()->rowCount());
    EXPECT_EQ("2", Cell(0, kListColNumber));
}

TEST_F(ItemListPanelTest, RowClicksToggleTheBoxOnTheCanvas) {
    HItemObject* file = AddBox(kKindFile, "a");
    gui_support::Click(View()->viewport(), CellPoint(0, kListColName));
    EXPECT_EQ(1, file->Selected());
    EXPECT_EQ(QColor(0, 0, 255),
              View()->model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color());
    gui_support::Click(View()->viewport(), CellPoint(0, kListColName));
    EXPECT_EQ(0, file->Selected());
}

TEST_F(ItemListPanelTest, EditingXInPlaceMovesTheBoxAndUndoRestoresIt) {
    HItemObject* file = AddBox(kKindFile, "a", {40, 60});
    QWidget* viewport = View()->viewport();
    const QPoint cell = CellPoint(0, kListColX);
    gui_support::Click(viewport, cell);
    gui_support::Mouse(viewport, QEvent::MouseButtonDblClick, cell, Qt::LeftButton);
    gui_support::Mouse(viewport, QEvent::MouseButtonRelease, cell, Qt::LeftButton);
    ASSERT_TRUE(panel->IsEditorOpen());
    EXPECT_EQ(1, file->Selected());  // the double click's own release jumps nowhere
    QLineEdit* editor = LineEditor();
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ("40", editor->selectedText());

    Key(editor, Qt::Key_2, "2");
    Key(editor, Qt::Key_5, "5");
    Key(editor, Qt::Key_A, "a");  // not a digit: refused
    Key(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits after the editor saw the key
    EXPECT_FALSE(panel->IsEditorOpen());
    EXPECT_EQ(25, file->position.x);
    EXPECT_EQ(0, file->Selected());
    EXPECT_EQ("25", Cell(0, kListColX));

    doc.UndoStep();
    EXPECT_EQ("40", Cell(0, kListColX));
}

TEST_F(ItemListPanelTest, EscapeAndHeaderPressesDropTheEdit) {
    AddBox(kKindFile, "a");
    View()->edit(View()->model()->index(0, kListColName));
    ASSERT_TRUE(panel->IsEditorOpen());
    Key(LineEditor(), Qt::Key_Z, "z");
    Key(LineEditor(), Qt::Key_Escape);
    EXPECT_FALSE(panel->IsEditorOpen());
    EXPECT_EQ("a", Cell(0, kListColName));

    View()->edit(View()->model()->index(0, kListColName));
    ASSERT_TRUE(panel->IsEditorOpen());
    Key(LineEditor(), Qt::Key_Z, "z");
    ClickHeader(kListColX);
    EXPECT_FALSE(panel->IsEditorOpen());
    EXPECT_EQ("a", Cell(0, kListColName));
}

TEST_F(ItemListPanelTest, RowMenuAndShortcutsReachTheWindowAsCommands) {
    HItemObject* file = AddBox(kKindFile, "a");
    AddBox(kKindTask, "b");
    std::vector<int> chosen;
    QObject::connect(panel.get(), &HItemListPanel::CommandChosen,
                     [&chosen](int id) { chosen.push_back(id); });

    std::unique_ptr<QMenu> menu(panel->BuildRowMenu(1));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(1, file->Selected());
    QList<QAction*> actions = menu->actions();
    ASSERT_EQ(7, actions.size());  // no link submenu
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_TRUE(actions[6]->isEnabled());
    actions[6]->trigger();

    Key(View(), Qt::Key_Delete);
    EXPECT_EQ((std::vector<int>{kCmdItemDelete, kCmdItemDelete}), chosen);
}

TEST_F(ItemListPanelTest, TheColumnLayoutOutlivesThePanel) {
    View()->horizontalHeader()->resizeSection(kListColName, 150);
    View()->horizontalHeader()->moveSection(kListColName, 0);
    panel.reset();
    EXPECT_EQ("16384,150,0",
              System().GetProfileString(kItemListSection, ItemListLayoutKey(kListColName)));
    panel = std::make_unique<HItemListPanel>(doc, canvas);
    EXPECT_EQ(150, View()->horizontalHeader()->sectionSize(kListColName));
    EXPECT_EQ(0, View()->horizontalHeader()->visualIndex(kListColName));
}

}  // namespace
}  // namespace zarvik::gui
