// The automatic layout run by its timers on a real canvas.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <memory>
#include <vector>

#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "gui/canvas/auto_layout_driver.h"
#include "gui/canvas/canvas_widget.h"

namespace zarvik::gui {
namespace {

// Two boxes on top of each other and a line between them: the layout must move them.
class AutoLayoutDriverTest : public ::testing::Test {
protected:
    AutoLayoutDriverTest() {
        doc.NewDocument();
        auto file = std::make_unique<HItemFile>();
        file->position = {200, 200};
        auto task = std::make_unique<HItemTask>();
        task->position = {210, 210};
        auto line = std::make_unique<HItemLine>();
        line->fromItem = file.get();
        line->toItem = task.get();
        doc.Boxes().Append(std::move(file));
        doc.Boxes().Append(std::move(task));
        doc.Lines().Append(std::move(line));
        doc.ResetHistory();
        canvas.resize(800, 600);
        QObject::connect(&driver, &HAutoLayoutDriver::RunningChanged,
                         [this](bool running) { told.push_back(running); });
    }

    HPoint Position(const HItemCore* item) const {
        return dynamic_cast<const HItemObject*>(item)->position;
    }

    // Lets the timers run until the layout ends or ms have passed.
    void RunFor(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (driver.IsRunning() && clock.elapsed() < ms) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    CZarvikDoc doc;
    HCanvasWidget canvas{doc};
    HAutoLayoutDriver driver{doc, canvas, nullptr};
    std::vector<bool> told;
};

TEST_F(AutoLayoutDriverTest, RunsToTheEndAsOneUndoStep) {
    const HPoint before = Position(doc.Boxes().Head());
    driver.Start();
    EXPECT_TRUE(driver.IsRunning());
    RunFor(5000);
    ASSERT_FALSE(driver.IsRunning());
    EXPECT_EQ((std::vector<bool>{true, false}), told);
    EXPECT_NE(before, Position(doc.Boxes().Head()));
    EXPECT_EQ(1, doc.IsChanged());

    ASSERT_EQ(1, doc.UndoStep());
    EXPECT_EQ(before, Position(doc.Boxes().Head()));
    ASSERT_EQ(1, doc.RedoStep());
    EXPECT_NE(before, Position(doc.Boxes().Head()));
}

TEST_F(AutoLayoutDriverTest, WaitsWhileABoxIsSelectedAndStopsOnRequest) {
    const HPoint before = Position(doc.Boxes().Head());
    driver.Start();
    doc.Boxes().Head()->SetSelected(1);  // after the start, which clears the selection
    RunFor(100);
    EXPECT_TRUE(driver.IsRunning());
    EXPECT_EQ(before, Position(doc.Boxes().Head()));

    driver.Stop();
    EXPECT_FALSE(driver.IsRunning());
    EXPECT_EQ((std::vector<bool>{true, false}), told);
    EXPECT_EQ(0, doc.IsChanged());  // nothing moved, nothing recorded
    EXPECT_FALSE(doc.History().CanUndo());
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(AutoLayoutDriverTest, StoppedInTheSeparationPassItsMovesSoFarAreOneUndoStep) {
    // Forty more transactions on one spot, and a separation pass cut after every
    // repetition: the pass takes many steps.
    for (int i = 0; i < 40; ++i) {
        auto task = std::make_unique<HItemTask>();
        task->position = {300, 300};
        doc.Boxes().Append(std::move(task));
    }
    doc.ResetHistory();
    auto positions = [this] {
        std::vector<HPoint> now;
        for (HItemCore* box = doc.Boxes().Head(); box != nullptr; box = box->next) {
            now.push_back(Position(box));
        }
        return now;
    };
    const std::vector<HPoint> before = positions();
    PaintCounter counter;
    canvas.viewport()->installEventFilter(&counter);
    canvas.show();
    driver.SetStepWork(1);
    driver.Start();
    QElapsedTimer clock;
    clock.start();
    int paintsAtSeparation = -1;  // when the pass was first seen going on
    while (driver.IsRunning() && clock.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!driver.Run().separation.InProgress()) {
            continue;
        }
        if (paintsAtSeparation < 0) {
            paintsAtSeparation = counter.paints;
        } else if (driver.Run().separation.done >= 10 && counter.paints > paintsAtSeparation) {
            break;
        }
    }
    ASSERT_TRUE(driver.IsRunning());
    ASSERT_TRUE(driver.Run().separation.InProgress());
    EXPECT_GT(counter.paints, paintsAtSeparation);  // the canvas shows the pass as it goes

    driver.Stop();
    const std::vector<HPoint> stopped = positions();
    EXPECT_NE(before, stopped);
    ASSERT_EQ(1, doc.UndoStep());
    EXPECT_EQ(before, positions());
    EXPECT_FALSE(doc.History().CanUndo());
    ASSERT_EQ(1, doc.RedoStep());
    EXPECT_EQ(stopped, positions());
}

}  // namespace
}  // namespace zarvik::gui
