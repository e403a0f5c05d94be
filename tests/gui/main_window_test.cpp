// The main window driven as a user drives it: menu actions and real mouse events on the
// canvas.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "core/command/command_ids.h"
#include "core/fp/estimate.h"
#include "core/fp/info_task.h"
#include "core/items/item_object.h"
#include "draw/qt_text.h"
#include "gui/canvas/auto_layout_driver.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"
#include "gui/panels/estimate_panel.h"
#include "gui_test_support.h"
#include "test_support.h"

namespace zarvik::gui {
namespace {

using gui_support::Click;
using gui_support::Mouse;
using gui_support::WindowScriptedUi;

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

// Presses the tool bar button of a command.
void PressToolButton(HMainWindow& window, int32_t id) {
    QWidget* button = nullptr;
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        button = button != nullptr ? button : bar->widgetForAction(window.Action(id));
    }
    ASSERT_NE(nullptr, button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// One edit from start to end: place a transaction and a data function, draw a line from
// the data function's context menu, undo and redo by keyboard, save through the chooser
// and open the file again from the recent files.
TEST(MainWindow, TheRoadOfOneEdit) {
    test_support::TempDir dir;
    HMainWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    WindowScriptedUi ui(window.UiPortOfWindow());
    QWidget* canvas = window.Canvas().viewport();
    CZarvikDoc& doc = window.Document();

    PressToolButton(window, kCmdPlaceTask);
    Click(canvas, QPoint(300, 40));
    ASSERT_EQ(1, doc.Boxes().Count());
    EXPECT_TRUE(Shows(window, "TRAN=1"));
    EXPECT_TRUE(Shows(window, "UFP=4"));
    EXPECT_TRUE(window.isWindowModified());

    window.Action(kCmdPlaceFile)->trigger();
    Click(canvas, QPoint(40, 40));
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
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == kCmdItemProperties) {
            EXPECT_TRUE(action->isEnabled());  // the data function's sheet
        }
        if (action->data().toInt() == kCmdItemFormat) {
            EXPECT_TRUE(action->isEnabled());
        }
    }
    start->trigger();
    Click(canvas, QPoint(340, 80));
    ASSERT_EQ(1, doc.Lines().Count());
    const auto* task = dynamic_cast<const HInfoTask*>(doc.Boxes().Head());
    ASSERT_NE(nullptr, task);
    EXPECT_EQ(1, task->GetFtrCount());
    EXPECT_EQ(draw::ToQString(BuildReportText(doc.estimate)).replace("\r\n", "\n"),
              window.EstimatePanel().toPlainText());
    const QString withLine = window.EstimatePanel().toPlainText();

    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(0, doc.Lines().Count());
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(1, doc.Lines().Count());
    EXPECT_EQ(withLine, window.EstimatePanel().toPlainText());

    const std::string path = dir / "edit.zvk";
    ui.chosen.push_back(path);
    EXPECT_FALSE(window.Action(kCmdFileSave)->isEnabled());  // no name yet
    window.Action(kCmdFileSaveAs)->trigger();
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_TRUE(window.windowTitle().startsWith("edit.zvk"));

    doc.NewDocument();
    ASSERT_EQ(0, doc.Boxes().Count());
    QAction* recent = window.Action(kCmdRecentFileFirst);
    ASSERT_TRUE(recent->isEnabled());
    recent->trigger();
    EXPECT_EQ(2, doc.Boxes().Count());
    EXPECT_EQ(1, doc.Lines().Count());
    EXPECT_EQ(withLine, window.EstimatePanel().toPlainText());
}

// A file that cannot be read leaves the open document as it was, with the message.
TEST(MainWindow, AFailedOpenKeepsTheDocument) {
    test_support::TempDir dir;
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    window.Action(kCmdPlaceTask)->trigger();
    Click(window.Canvas().viewport(), QPoint(100, 100));
    ui.answers.push_back(HMsgAnswer::No);  // do not save the changes
    { std::ofstream(dir / "bad.zvk") << "not a document"; }
    ui.chosen.push_back(dir / "bad.zvk");
    window.Action(kCmdFileOpen)->trigger();
    EXPECT_EQ(1, window.Document().Boxes().Count());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(std::string::npos, ui.messages.back().text.find("bad.zvk"));
}

// Closing while the layout runs: the layout ends as a step of its own, then the questions.
TEST(MainWindow, ClosingStopsTheLayoutBeforeTheQuestions) {
    HMainWindow window;
    WindowScriptedUi ui(window.UiPortOfWindow());
    for (const QPoint at : {QPoint(40, 40), QPoint(60, 200), QPoint(300, 60)}) {
        window.Action(kCmdPlaceTask)->trigger();
        Click(window.Canvas().viewport(), at);
    }
    window.Action(kCmdAutoLayout)->trigger();
    ASSERT_TRUE(window.Layout().IsRunning());
    EXPECT_FALSE(window.Action(kCmdAutoLayout)->isEnabled());

    ui.answers = {HMsgAnswer::Yes, HMsgAnswer::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_FALSE(window.Layout().IsRunning());
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ("終了しますか？", ui.messages[0].text);
    EXPECT_EQ(3, window.Document().Boxes().Count());
    EXPECT_TRUE(window.Action(kCmdAutoLayout)->isEnabled());
}

// A key pressed on the canvas while the separation pass goes on over many steps ends the
// layout there; undo takes the boxes back to where they were placed.
TEST(MainWindow, AKeyStopsTheLayoutDuringTheSeparationPass) {
    HMainWindow window;
    for (int i = 0; i < 30; ++i) {
        window.Action(kCmdPlaceTask)->trigger();
        Click(window.Canvas().viewport(), QPoint(100, 100));
    }
    auto positions = [&window] {
        std::vector<HPoint> now;
        for (HItemCore* box = window.Document().Boxes().Head(); box != nullptr; box = box->next) {
            now.push_back(dynamic_cast<const HItemObject*>(box)->position);
        }
        return now;
    };
    const std::vector<HPoint> placed = positions();
    window.Layout().SetStepWork(1);  // one repetition a step
    window.Action(kCmdAutoLayout)->trigger();
    QElapsedTimer clock;
    clock.start();
    while (window.Layout().IsRunning() && window.Layout().Run().separation.done < 3 &&
           clock.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    ASSERT_TRUE(window.Layout().Run().separation.InProgress());

    QTest::keyClick(window.Canvas().viewport(), Qt::Key_Shift);
    EXPECT_FALSE(window.Layout().IsRunning());
    EXPECT_NE(placed, positions());
    window.Action(kCmdUndo)->trigger();
    EXPECT_EQ(placed, positions());
}

// A selected box dragged with the mouse in the whole window (panels and all) moves with it.
TEST(MainWindow, DraggingABoxMovesIt) {
    HMainWindow window;
    window.show();
    QWidget* canvas = window.Canvas().viewport();
    window.Action(kCmdPlaceFile)->trigger();
    Click(canvas, QPoint(40, 40));
    const auto* box = dynamic_cast<const HItemObject*>(window.Document().Boxes().Head());
    ASSERT_NE(nullptr, box);
    const HPoint before = box->position;
    Click(canvas, QPoint(60, 60));  // a drag moves what is selected
    QTest::qWait(80);               // no double click
    Mouse(canvas, QEvent::MouseButtonPress, QPoint(60, 60), Qt::LeftButton);
    QTest::qWait(80);  // past the drag delay
    for (int step = 1; step <= 4; ++step) {
        Mouse(canvas, QEvent::MouseMove, QPoint(60 + 10 * step, 60 + 5 * step), Qt::LeftButton);
    }
    Mouse(canvas, QEvent::MouseButtonRelease, QPoint(100, 80), Qt::LeftButton);
    EXPECT_EQ((HPoint{before.x + 40, before.y + 20}), box->position);
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
