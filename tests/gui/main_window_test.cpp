// The main window driven as a user drives it: menu actions and real mouse events on the
// canvas.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>

#include "core/command/command_ids.h"
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
