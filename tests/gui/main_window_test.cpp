// The main window driven as a user drives it: menu actions and real mouse events on the
// canvas.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <memory>

#include "core/command/command_ids.h"
#include "core/fp/info_task.h"
#include "core/items/item_object.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"

namespace zarvik::gui {
namespace {

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Click(QWidget* target, QPoint at) {
    Mouse(target, QEvent::MouseMove, at, Qt::NoButton);
    Mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Mouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

std::vector<QString> StatusTexts(HMainWindow& window) {
    std::vector<QString> texts;
    for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) {
        texts.push_back(label->text());
    }
    return texts;
}

bool Shows(HMainWindow& window, const QString& text) {
    const std::vector<QString> texts = StatusTexts(window);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(MainWindow, PlacingATransactionShowsInTheEstimateAndUndoes) {
    HMainWindow window;
    window.show();
    QWidget* canvas = window.Canvas().viewport();
    ASSERT_TRUE(window.Action(kCmdPlaceTask)->isEnabled());
    window.Action(kCmdPlaceTask)->trigger();
    Click(canvas, QPoint(120, 90));
    ASSERT_EQ(1, window.Document().Boxes().Count());
    EXPECT_TRUE(Shows(window, "TRAN=1"));
    EXPECT_TRUE(Shows(window, "UFP=4"));
    EXPECT_TRUE(window.isWindowModified());

    window.Action(kCmdUndo)->trigger();
    EXPECT_EQ(0, window.Document().Boxes().Count());
    EXPECT_TRUE(Shows(window, "TRAN=0"));
    window.Action(kCmdRedo)->trigger();
    EXPECT_EQ(1, window.Document().Boxes().Count());
}

// A relation line is started from a box's context menu and completed with a click on a
// transaction, which then references the data function.
TEST(MainWindow, ALineFromTheContextMenuJoinsADataFunctionToATransaction) {
    HMainWindow window;
    window.show();
    QWidget* canvas = window.Canvas().viewport();
    window.Action(kCmdPlaceFile)->trigger();
    Click(canvas, QPoint(40, 40));
    window.Action(kCmdPlaceTask)->trigger();
    Click(canvas, QPoint(300, 40));
    ASSERT_EQ(2, window.Document().Boxes().Count());

    Click(canvas, QPoint(60, 60));  // select the data function
    Mouse(canvas, QEvent::MouseButtonPress, QPoint(60, 60), Qt::RightButton);
    Mouse(canvas, QEvent::MouseButtonRelease, QPoint(60, 60), Qt::RightButton);
    std::unique_ptr<QMenu> menu(window.Canvas().BuildContextMenu());
    EXPECT_EQ("ITEM-Draw", menu->objectName());
    QAction* start = nullptr;
    for (QAction* action : menu->actions()) {
        start = action->data().toInt() == kCmdLineStart ? action : start;
    }
    ASSERT_NE(nullptr, start);
    ASSERT_TRUE(start->isEnabled());
    start->trigger();
    Click(canvas, QPoint(340, 80));
    EXPECT_EQ(1, window.Document().Lines().Count());
    const auto* task = dynamic_cast<const HInfoTask*>(window.Document().Boxes().Tail());
    ASSERT_NE(nullptr, task);
    EXPECT_EQ(1, task->GetFtrCount());
}

TEST(MainWindow, AClickAtHalfZoomLandsOnTheCanvasPointUnderIt) {
    HMainWindow window;
    window.show();
    window.Canvas().SetZoom(0.5f);
    const HPoint under = window.Canvas().ToCanvas(QPoint(100, 60));
    window.Action(kCmdPlaceFile)->trigger();
    Click(window.Canvas().viewport(), QPoint(100, 60));
    ASSERT_EQ(1, window.Document().Boxes().Count());
    const auto* box = dynamic_cast<const HItemObject*>(window.Document().Boxes().Head());
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(under, box->position);
    const HPoint scroll{window.Canvas().horizontalScrollBar()->value(),
                        window.Canvas().verticalScrollBar()->value()};
    EXPECT_EQ((HPoint{200 + 2 * scroll.x, 120 + 2 * scroll.y}), under);
}

}  // namespace
}  // namespace zarvik::gui
