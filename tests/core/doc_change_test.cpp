// Whatever route a change takes, the document's observers hear what changed, once, and
// hear of items about to go while those items still stand.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "change_log.h"
#include "core/app/system.h"
#include "core/canvas/auto_graph_step.h"
#include "core/canvas/canvas_controller.h"
#include "core/doc/clipboard.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "scripted_ui.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::ChangeLog;

class DocChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewDocument();
        log.Clear();
    }

    // Places a box of kind at q with the canvas, as the user does: command, click.
    HItemObject* PlaceWithTheMouse(int32_t command, HPoint q) {
        EXPECT_EQ(canvas.PlaceItem(command), 1);
        canvas.MouseMove(q, 0, Tick());
        canvas.LeftPress(q, 0, Tick());
        canvas.LeftRelease(q, 0);
        return dynamic_cast<HItemObject*>(doc.Boxes().Tail());
    }
    uint32_t Tick() { return now += 100; }

    test_support::TempDir dir;
    test_support::ScriptedUi ui;
    CZarvikDoc doc;
    ChangeLog log{doc};
    HCanvasHost host;
    HCanvasController canvas{doc, host};
    HClipboard clipboard;
    uint32_t now = 1000;
};

TEST_F(DocChangeTest, GesturesTellWhatTheyChanged) {
    HItemObject* file = PlaceWithTheMouse(kCmdPlaceFile, {100, 100});
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(log.All() & kChangeStructure);
    EXPECT_TRUE(log.All() & kChangeEstimate);
    EXPECT_TRUE(log.All() & kChangeModified);  // the first edit since the new document
    EXPECT_EQ(doc.IsChanged(), 1);
    HItemObject* task = PlaceWithTheMouse(kCmdPlaceTask, {300, 100});

    // A click selects: the selection alone, with the box to show.
    log.Clear();
    canvas.LeftPress({150, 125}, 0, Tick());
    canvas.LeftRelease({150, 125}, 0);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].what, kChangeSelection);
    EXPECT_EQ(log.changes[0].bringIntoView, file);

    // A drag of the selected box: geometry, recorded once at the release.
    log.Clear();
    canvas.LeftPress({150, 125}, 0, Tick());
    canvas.MouseMove({170, 145}, 0, Tick());
    EXPECT_TRUE(log.changes.empty());
    canvas.LeftRelease({170, 145}, 0);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_TRUE(log.changes[0].Has(kChangeGeometry));
    EXPECT_FALSE(log.changes[0].Has(kChangeStructure));

    // A completed line: structure and records (the transaction gains its FTR).
    canvas.RightPress({250, 140});
    ASSERT_EQ(canvas.StartLine(), 1);
    log.Clear();
    canvas.LeftPress({310, 125}, 0, Tick());
    canvas.LeftRelease({310, 125}, 0);
    EXPECT_EQ(doc.Lines().Count(), 1);
    EXPECT_TRUE(log.All() & kChangeStructure);
    EXPECT_TRUE(log.All() & kChangeRecords);
    EXPECT_EQ(static_cast<HItemTask*>(task)->ftrList.size(), 1u);
}

TEST_F(DocChangeTest, CommandsUndoAndSheetsTellWhatTheyChanged) {
    HItemObject* file = PlaceWithTheMouse(kCmdPlaceFile, {100, 100});
    PlaceWithTheMouse(kCmdPlaceTask, {300, 100});

    // A command that destroys items says so first, while the items stand.
    file->SetSelected(1);
    log.Clear();
    ASSERT_EQ(doc.RunCommand(kCmdItemDelete, clipboard), 1);
    ASSERT_EQ(log.events, (std::vector<std::string>{"about to destroy 1", "changed"}));
    EXPECT_TRUE(log.changes[0].Has(kChangeStructure | kChangeEstimate));

    log.Clear();
    ASSERT_EQ(doc.UndoStep(), 1);
    ASSERT_EQ(log.events, (std::vector<std::string>{"about to replace 1", "changed"}));
    EXPECT_TRUE(log.changes[0].Has(kChangeStructure));

    // The sheets' OK: an item sheet's edit is recorded, a settings change recomputes.
    static_cast<HItemObject*>(doc.Boxes().Tail())->Record()->name = "登録";
    log.Clear();
    doc.AfterItemSheetOk();
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_TRUE(log.changes[0].Has(kChangeRecords | kChangeEstimate));
    log.Clear();
    doc.AfterSettingsChanged();
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_TRUE(log.changes[0].Has(kChangeRules));
    EXPECT_TRUE(log.changes[0].Has(kChangeEstimate));
}

TEST_F(DocChangeTest, OpeningTellsEverythingAndAFailedOpenNothing) {
    PlaceWithTheMouse(kCmdPlaceFile, {100, 100});
    ui.chosen = {dir / "flow.zvk"};
    ASSERT_EQ(doc.OnFileSaveAs(), 1);
    EXPECT_TRUE(log.All() & kChangeTitle);

    // A document with a line to a box it lacks.
    const std::string broken = dir / "broken.zvk";
    std::ofstream(broken, std::ios::binary)
        << "[FILE_001]\r\nGuiPoint=0,0\r\nGuiSize=100,50\r\nGuiMinSize=30,30\r\n"
           "[LINE_002]\r\nGuiPointFrom=0,0\r\nGuiPointTo=0,0\r\nFrom=FILE_001\r\nTo=FILE_009\r\n";
    log.Clear();
    ui.messages.clear();
    EXPECT_EQ(doc.OpenDocumentPath(broken), 0);
    EXPECT_EQ(ui.Texts(),
              std::vector<std::string>{"ファイル(" + broken + ")の読み込みに失敗しました。"});
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(doc.PathName(), dir / "flow.zvk");
    EXPECT_EQ(doc.IsChanged(), 0);

    log.Clear();
    ASSERT_EQ(doc.OpenDocumentPath(dir / "flow.zvk"), 1);
    ASSERT_GE(log.events.size(), 2u);
    EXPECT_EQ(log.events.front(), "about to replace 1");
    EXPECT_TRUE(log.All() & (kChangeStructure | kChangeRules | kChangeTitle));
}

TEST_F(DocChangeTest, TheChangedStateTurnsWithStepsSavesAndUndo) {
    ui.chosen = {dir / "flow.zvk"};
    ASSERT_EQ(doc.OnFileSaveAs(), 1);
    log.Clear();
    PlaceWithTheMouse(kCmdPlaceFile, {100, 100});
    EXPECT_TRUE(log.All() & kChangeModified);
    EXPECT_EQ(doc.IsChanged(), 1);

    log.Clear();
    ASSERT_EQ(doc.OnFileSave(), 1);
    EXPECT_EQ(log.All(), kChangeModified);
    EXPECT_EQ(doc.IsChanged(), 0);

    log.Clear();
    ASSERT_EQ(doc.UndoStep(), 1);
    EXPECT_TRUE(log.All() & kChangeModified);
    EXPECT_EQ(doc.IsChanged(), 1);
    log.Clear();
    ASSERT_EQ(doc.RedoStep(), 1);
    EXPECT_TRUE(log.All() & kChangeModified);
    EXPECT_EQ(doc.IsChanged(), 0);

    // The layout moves boxes without a step; the changed state still sees the move.
    HAutoGraphOptions options;
    options.canvasSize = [] { return HSize{2000, 2000}; };
    log.Clear();
    ASSERT_EQ(AutoLayoutStep(doc, 0, 0, 10, options), 1);
    EXPECT_TRUE(log.All() & kChangeGeometry);
    EXPECT_EQ(doc.IsChanged(), 1);
}

}  // namespace
}  // namespace zarvik
