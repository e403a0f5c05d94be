#include "core/canvas/canvas_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "change_log.h"
#include "core/canvas/canvas_menus.h"
#include "core/doc/status_panes.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "recording_context.h"
#include "scripted_ui.h"
#include "test_support.h"

namespace zarvik {
namespace {

class RecordingHost : public HCanvasHost {
public:
    void Redraw() override { ++redraws; }
    void SetCursor(HCursorShape shape) override { cursor = shape; }
    void RequestLeaveNotification() override { ++leaveRequests; }

    int redraws = 0;
    int leaveRequests = 0;
    HCursorShape cursor = HCursorShape::Arrow;
};

// Data functions are 100 x 50: at (100, 100) the top handle is at (150, 100), the left
// one at (100, 125).
class CanvasControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewDocument();
        ctl = std::make_unique<HCanvasController>(doc, host);
    }
    void TearDown() override {
        ctl.reset();
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    }

    HItemObject* AddBox(HPoint position, int32_t kind = kKindFile) {
        std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
        HItemObject* raw = box.get();
        raw->position = position;
        doc.AddItem(std::move(box));
        doc.ResetHistory();
        return raw;
    }

    void Press(HPoint q, int shift = 0) { ctl->LeftPress(q, shift, now); }
    void MoveAfter(uint32_t ms, HPoint q, int32_t flags = 0) {
        now += ms;
        ctl->MouseMove(q, flags, now);
    }
    void Release(HPoint q, int shift = 0) {
        ctl->LeftRelease(q, shift);
        now += 200;
    }
    void Click(HPoint q, int shift = 0) {
        Press(q, shift);
        Release(q, shift);
    }
    void Drag(HPoint from, HPoint to, int shift = 0) {
        Press(from, shift);
        MoveAfter(60, to);
        Release(to, shift);
    }
    // A line from the right side of from to the left side of to, drawn as the user does.
    HItemLine* Join(HItemObject* from, HItemObject* to) {
        doc.Boxes().SetAllSelected(0);
        from->SetSelected(1);
        ctl->RightPress({from->position.x + from->size.cx - 2, from->position.y + 25});
        EXPECT_EQ(ctl->StartLine(), 1);
        Click({to->position.x + 2, to->position.y + 25});
        return static_cast<HItemLine*>(doc.Lines().Tail());
    }
    std::vector<int32_t> Selection() const {
        std::vector<int32_t> states;
        for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
            states.push_back(item->Selected());
        }
        return states;
    }

    test_support::ScriptedUi ui;
    CZarvikDoc doc;
    test_support::ChangeLog log{doc};
    HStatusPanes panes{doc};
    RecordingHost host;
    std::unique_ptr<HCanvasController> ctl;
    uint32_t now = 1000;
};

using Sel = std::vector<int32_t>;

TEST_F(CanvasControllerTest, ClicksSelectAloneDeselectAndShiftToggles) {
    HItemObject* a = AddBox({100, 100});
    AddBox({300, 100});

    log.Clear();
    Click({150, 125});
    EXPECT_EQ(Selection(), (Sel{1, 0}));
    // The item list hears of the selection and shows the box.
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].what, kChangeSelection);
    EXPECT_EQ(log.changes[0].bringIntoView, a);
    Click({350, 125});
    EXPECT_EQ(Selection(), (Sel{0, 1}));
    Click({350, 125});
    EXPECT_EQ(Selection(), (Sel{0, 0}));

    Click({150, 125});
    Click({350, 125}, 1);
    EXPECT_EQ(Selection(), (Sel{1, 1}));
    Click({150, 125}, 1);
    EXPECT_EQ(Selection(), (Sel{0, 1}));
    // A click on empty canvas clears everything, Shift or not.
    Click({50, 400}, 1);
    EXPECT_EQ(Selection(), (Sel{0, 0}));
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);

    // The second press of a double click is no press; its release still counts.
    Click({150, 125});
    ctl->LeftDoubleClick({150, 125});
    Release({150, 125});
    EXPECT_EQ(Selection(), (Sel{0, 0}));
    // Selection is not part of the undo history.
    EXPECT_EQ(doc.History().Count(), 1);
}

TEST_F(CanvasControllerTest, PressWithoutShiftOnOneOfSeveralSelectedDragsNothing) {
    HItemObject* a = AddBox({100, 100});
    HItemObject* b = AddBox({300, 100});
    HItemObject* c = AddBox({500, 100});
    doc.Boxes().SetAllSelected(1);

    Press({350, 125});
    EXPECT_EQ(Selection(), (Sel{0, 0, 0}));
    EXPECT_EQ(ctl->State(), HCanvasState::Pressed);
    MoveAfter(60, {390, 145});
    EXPECT_EQ(a->position, (HPoint{100, 100}));
    EXPECT_EQ(b->position, (HPoint{300, 100}));
    EXPECT_EQ(c->position, (HPoint{500, 100}));
    Release({390, 145});
    EXPECT_EQ(Selection(), (Sel{0, 1, 0}));
    EXPECT_EQ(doc.History().Count(), 1);
}

TEST_F(CanvasControllerTest, ShiftPressDragMovesEverySelectedBoxAndRecordsOneStep) {
    HItemObject* a = AddBox({100, 100});
    HItemObject* b = AddBox({300, 100});
    a->SetSelected(1);
    b->SetSelected(1);

    Press({150, 125}, 1);
    MoveAfter(60, {170, 135});
    MoveAfter(10, {190, 155});
    EXPECT_EQ(a->position, (HPoint{140, 130}));
    EXPECT_EQ(b->position, (HPoint{340, 130}));
    Release({190, 155}, 1);
    EXPECT_EQ(Selection(), (Sel{1, 1}));
    EXPECT_EQ(doc.History().Count(), 2);
    EXPECT_TRUE(log.All() & kChangeGeometry);
}

TEST_F(CanvasControllerTest, DragWaitsForTheDelayEvenAcrossATickWrap) {
    HItemObject* a = AddBox({100, 100});
    a->SetSelected(1);

    Press({150, 125});
    MoveAfter(30, {180, 125});
    EXPECT_EQ(a->position, (HPoint{100, 100}));
    MoveAfter(30, {180, 125});
    EXPECT_EQ(a->position, (HPoint{130, 100}));
    Release({180, 125});

    // The tick count wraps between press and move.
    now = std::numeric_limits<uint32_t>::max() - 9;
    Press({180, 125});
    MoveAfter(30, {200, 125});
    EXPECT_EQ(a->position, (HPoint{130, 100}));
    MoveAfter(25, {200, 125});
    EXPECT_EQ(a->position, (HPoint{150, 100}));
    Release({200, 125});

    // A press delivered at tick 0 still counts as a press.
    now = 0;
    Press({200, 125});
    EXPECT_EQ(ctl->State(), HCanvasState::Pressed);
    Release({200, 125});
}

TEST_F(CanvasControllerTest, HandleDragResizesRefusesBelowMinimumAndResumes) {
    HItemObject* a = AddBox({100, 100});
    a->SetSelected(1);

    ctl->MouseMove({150, 100}, 0, now);
    EXPECT_EQ(host.cursor, HCursorShape::SizeVertical);
    ctl->MouseMove({100, 125}, 0, now);
    EXPECT_EQ(host.cursor, HCursorShape::SizeHorizontal);

    Press({150, 100});
    MoveAfter(60, {150, 80});
    EXPECT_EQ(host.cursor, HCursorShape::SizeVertical);
    EXPECT_EQ(a->position, (HPoint{100, 80}));
    EXPECT_EQ(a->size, (HSize{100, 70}));
    // Height 10 is under the minimum of 30: the last accepted geometry stays.
    MoveAfter(10, {150, 140});
    EXPECT_EQ(a->position, (HPoint{100, 80}));
    EXPECT_EQ(a->size, (HSize{100, 70}));
    MoveAfter(10, {150, 110});
    EXPECT_EQ(a->position, (HPoint{100, 110}));
    EXPECT_EQ(a->size, (HSize{100, 40}));
    Release({150, 110});
    // Only a move counts as moved: the release over the resized box is a click on the
    // only selected box, which deselects it. The resize is one step.
    EXPECT_EQ(a->Selected(), 0);
    EXPECT_EQ(doc.History().Count(), 2);
}

TEST_F(CanvasControllerTest, LabelDragMovesOnlyThePressedSelectedBoxLabel) {
    HItemObject* a = AddBox({100, 100});
    HItemObject* b = AddBox({300, 100});
    for (HItemObject* box : {a, b}) {
        box->text.freePoint = 1;
        box->text.labelOffset = HPoint{0, 80};
    }
    const HRect labelA = a->LabelRect();
    const HRect labelB = b->LabelRect();
    const HPoint onA{labelA.left + 1, labelA.top + 1};
    const HPoint onB{labelB.left + 1, labelB.top + 1};
    ASSERT_EQ(a->HitTest(onA), kHitLabel);

    a->SetSelected(1);
    Drag(onA, {onA.x + 15, onA.y + 5});
    EXPECT_EQ(a->text.labelOffset, (HPoint{15, 85}));
    EXPECT_EQ(a->position, (HPoint{100, 100}));

    // A label press on another box must not drag the selected box's label, with Shift
    // (the selected box moves instead) or without (nothing stays selected to drag).
    a->SetSelected(1);
    Drag(onB, {onB.x + 20, onB.y}, 1);
    EXPECT_EQ(a->text.labelOffset, (HPoint{15, 85}));
    EXPECT_EQ(b->text.labelOffset, (HPoint{0, 80}));
    EXPECT_EQ(a->position, (HPoint{120, 100}));
    Drag(onB, {onB.x + 20, onB.y});
    EXPECT_EQ(b->text.labelOffset, (HPoint{0, 80}));
    EXPECT_EQ(a->position, (HPoint{120, 100}));
}

TEST_F(CanvasControllerTest, AbsurdPointsStayWithinTheCoordinateLimit) {
    HItemObject* a = AddBox({100, 100});
    a->SetSelected(1);
    const int32_t big = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 3; ++i) {
        Press({a->position.x + 50, a->position.y + 25});
        MoveAfter(60, {big, -big});
        Release({big, -big});
        a->SetSelected(1);
    }
    EXPECT_LE(a->position.x, kCoordinateLimit);
    EXPECT_GE(a->position.y, -kCoordinateLimit);

    // Resize toward the far bottom, repeatedly: the size stays bounded.
    for (int i = 0; i < 3; ++i) {
        const HPoint bottom{a->position.x + a->size.cx / 2, a->position.y + a->size.cy};
        Press(bottom);
        MoveAfter(60, {bottom.x, big});
        Release({bottom.x, big});
        a->SetSelected(1);
    }
    EXPECT_LE(a->size.cy, kCoordinateLimit);
    EXPECT_GE(a->size.cy, a->minSize.cy);
}

TEST_F(CanvasControllerTest, LinesSelectAloneAndBoxPressesWaitForTheRelease) {
    HItemObject* a = AddBox({100, 100});
    HItemObject* b = AddBox({300, 100});
    HItemLine* line = Join(a, b);
    ASSERT_EQ(doc.Lines().Count(), 1);

    a->SetSelected(1);
    b->SetSelected(1);
    Click({250, 125});
    EXPECT_EQ(line->Selected(), 1);
    EXPECT_EQ(Selection(), (Sel{0, 0}));

    // While the line is selected a box press changes nothing until the release.
    Press({150, 125});
    EXPECT_EQ(line->Selected(), 1);
    EXPECT_EQ(Selection(), (Sel{0, 0}));
    Release({150, 125});
    EXPECT_EQ(line->Selected(), 0);
    EXPECT_EQ(Selection(), (Sel{1, 0}));

    // An end drag slides the end along the outline; its release applies the click
    // rules, so released off the line and off every box it leaves nothing selected.
    a->SetSelected(0);
    line->SetSelected(1);
    ctl->MouseMove({301, 125}, 0, now);
    EXPECT_EQ(host.cursor, HCursorShape::Cross);
    Drag({300, 125}, {320, 90});
    EXPECT_EQ(line->toOffset, (HPoint{20, 0}));
    EXPECT_EQ(line->fromOffset, (HPoint{100, 25}));
    EXPECT_EQ(line->Selected(), 0);
    EXPECT_EQ(Selection(), (Sel{0, 0}));
    EXPECT_EQ(doc.History().Count(), 3);
}

TEST_F(CanvasControllerTest, LineStartsAtTheRightPressAndNeverEndsOnItsOwnBox) {
    HItemObject* a = AddBox({100, 100});
    HItemObject* b = AddBox({300, 100});
    EXPECT_EQ(ctl->StartLine(), 0);
    a->SetSelected(1);
    b->SetSelected(1);
    EXPECT_EQ(ctl->StartLine(), 0);
    b->SetSelected(0);

    ctl->RightPress({103, 120});
    ASSERT_EQ(ctl->StartLine(), 1);
    EXPECT_EQ(ctl->State(), HCanvasState::DrawingLine);
    EXPECT_EQ(Selection(), (Sel{0, 0}));
    auto* line = dynamic_cast<HItemLine*>(ctl->PendingItem());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fromItem, a);
    EXPECT_EQ(line->fromOffset, (HPoint{0, 20}));

    // The free end follows the mouse.
    MoveAfter(10, {250, 300});
    HPoint from, to;
    line->GetEndPoints(from, to);
    EXPECT_EQ(from, (HPoint{100, 120}));
    EXPECT_EQ(to, (HPoint{250, 300}));

    Click({150, 125});
    Click({250, 300});
    EXPECT_EQ(ctl->State(), HCanvasState::DrawingLine);
    EXPECT_EQ(doc.Lines().Count(), 0);
    EXPECT_EQ(doc.History().Count(), 1);

    Click({305, 140});
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    ASSERT_EQ(doc.Lines().Count(), 1);
    EXPECT_EQ(doc.Lines().Tail(), line);
    EXPECT_EQ(line->toItem, b);
    EXPECT_EQ(line->toOffset, (HPoint{0, 40}));
    EXPECT_EQ(Selection(), (Sel{0, 0}));
    EXPECT_EQ(doc.History().Count(), 2);
}

TEST_F(CanvasControllerTest, PlacementAddsTheBoxAtTheClickAndOneUndoStep) {
    const struct {
        int32_t command;
        int32_t kind;
    } commands[] = {{kCmdPlaceFile, kKindFile},         {kCmdPlaceTask, kKindTask},
                    {kCmdPlaceBorder, kKindBorder},     {kCmdPlaceOther, kKindOther},
                    {kCmdPlaceFunction, kKindFunction}, {kCmdPlaceView, kKindView},
                    {kCmdPlaceImage, kKindImageBox}};
    int32_t expected = 0;
    for (const auto& c : commands) {
        ASSERT_EQ(ctl->PlaceItem(c.command), 1) << c.command;
        MoveAfter(10, {40, 60});
        const HPoint at{250 + 10 * expected, 300};
        Click(at);
        ++expected;
        ASSERT_EQ(doc.Boxes().Count(), expected);
        const auto* box = static_cast<const HItemObject*>(doc.Boxes().Tail());
        EXPECT_EQ(box->kind, c.kind);
        EXPECT_EQ(box->position, at);
        EXPECT_EQ(box->Selected(), 0);
        EXPECT_EQ(doc.History().Count(), expected + 1);
        EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    }
    EXPECT_EQ(doc.UndoStep(), 1);
    EXPECT_EQ(doc.Boxes().Count(), expected - 1);
}

TEST_F(CanvasControllerTest, ReplacingTheItemsCancelsThePendingLine) {
    HItemObject* a = AddBox({100, 100});
    AddBox({300, 100});
    a->SetSelected(1);
    Drag({150, 125}, {170, 125});
    ASSERT_EQ(doc.History().Count(), 2);

    a->SetSelected(1);
    ASSERT_EQ(ctl->StartLine(), 1);
    ASSERT_EQ(doc.UndoStep(), 1);
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    EXPECT_EQ(ctl->PendingItem(), nullptr);
    // Nothing left refers to the destroyed boxes.
    MoveAfter(10, {310, 125});
    Click({310, 125});
    testing::RecordingContext dc;
    ctl->PaintItems(dc, 0);
    EXPECT_EQ(doc.Lines().Count(), 0);

    // A press in progress ends with the items it started on.
    auto* b = static_cast<HItemObject*>(doc.Boxes().Tail());
    b->SetSelected(1);
    Press({350, 125});
    ASSERT_EQ(doc.RedoStep(), 1);
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);

    // Deleting the start box by a command drops the line before the box goes.
    auto* c = static_cast<HItemObject*>(doc.Boxes().Head());
    c->SetSelected(1);
    ASSERT_EQ(ctl->StartLine(), 1);
    c->SetSelected(1);
    ASSERT_EQ(doc.DeleteSelectedBoxes(), 1);
    EXPECT_EQ(ctl->PendingItem(), nullptr);
    ctl->PaintItems(dc, 0);
}

TEST_F(CanvasControllerTest, EscapeRightPressAndCancelEndPendingItems) {
    HItemObject* a = AddBox({100, 100});
    EXPECT_EQ(ctl->PlaceItem(12345), 0);
    EXPECT_EQ(ctl->StartLine(), 0);
    const auto startLine = [&] {
        a->SetSelected(1);
        ASSERT_EQ(ctl->StartLine(), 1);
    };
    startLine();
    ctl->EscapeReleased();
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    startLine();
    ctl->RightPress({400, 400});
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    startLine();
    ctl->CancelInteraction();
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);

    // A placement replaces a pending line or box; a box outlives a right press.
    startLine();
    ASSERT_EQ(ctl->PlaceItem(kCmdPlaceBorder), 1);
    EXPECT_EQ(ctl->PendingItem()->kind, kKindBorder);
    ctl->RightPress({400, 400});
    EXPECT_EQ(ctl->State(), HCanvasState::PlacingItem);
    a->SetSelected(1);
    ASSERT_EQ(ctl->PlaceItem(kCmdPlaceView), 1);
    EXPECT_EQ(ctl->PendingItem()->kind, kKindView);
    EXPECT_EQ(a->Selected(), 0);
    ctl->EscapeReleased();
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    ASSERT_EQ(ctl->PlaceItem(kCmdPlaceTask), 1);
    ctl->CancelInteraction();
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);

    a->SetSelected(1);
    Press({150, 125});
    ctl->CancelInteraction();
    EXPECT_EQ(ctl->State(), HCanvasState::Idle);
    EXPECT_EQ(a->Selected(), 0);
    EXPECT_EQ(doc.Boxes().Count(), 1);
    EXPECT_EQ(doc.Lines().Count(), 0);
}

TEST_F(CanvasControllerTest, PendingItemIsPaintedAtTheMouseOnlyWhileInside) {
    ASSERT_EQ(ctl->PlaceItem(kCmdPlaceFile), 1);
    {
        testing::RecordingContext dc;
        ctl->PaintItems(dc, 0);
        EXPECT_TRUE(dc.Shapes().empty());
    }
    MoveAfter(10, {70, 80});
    EXPECT_EQ(ctl->IsMouseInside(), 1);
    EXPECT_EQ(host.leaveRequests, 1);
    EXPECT_EQ(ui.panes[1], "(70,80)");
    MoveAfter(10, {75, 85});
    EXPECT_EQ(host.leaveRequests, 1);
    {
        testing::RecordingContext dc;
        ctl->PaintItems(dc, 0);
        ASSERT_FALSE(dc.Shapes().empty());
        EXPECT_EQ(dc.Shapes().front().rect.left, 75);
        EXPECT_EQ(dc.Shapes().front().rect.top, 85);
    }
    ctl->MouseLeave();
    EXPECT_EQ(ctl->IsMouseInside(), 0);
    {
        testing::RecordingContext dc;
        ctl->PaintItems(dc, 0);
        EXPECT_TRUE(dc.Shapes().empty());
    }
}

TEST_F(CanvasControllerTest, TheRoadOfOneEdit) {
    ASSERT_EQ(ctl->PlaceItem(kCmdPlaceTask), 1);
    MoveAfter(10, {100, 100});
    Click({100, 100});
    EXPECT_EQ(ui.panes[2], "DATA=0");
    EXPECT_EQ(ui.panes[3], "TRAN=1");
    EXPECT_EQ(ui.panes[4], "UFP=4");
    auto* task = dynamic_cast<HItemTask*>(doc.Boxes().Tail());
    ASSERT_NE(task, nullptr);

    ASSERT_EQ(ctl->PlaceItem(kCmdPlaceFile), 1);
    Click({400, 125});
    auto* file = dynamic_cast<HItemFile*>(doc.Boxes().Tail());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ui.panes[2], "DATA=1");
    Click({450, 150});
    ASSERT_EQ(file->Selected(), 1);
    file->detList.push_back(HInfoCol{file, "顧客番号", "", 0});
    file->detList.push_back(HInfoCol{file, "氏名", "", 0});

    ctl->RightPress({402, 150});
    ASSERT_EQ(ctl->StartLine(), 1);
    MoveAfter(10, {150, 150});
    Click({150, 150});
    ASSERT_EQ(doc.Lines().Count(), 1);
    const auto* line = static_cast<const HItemLine*>(doc.Lines().Head());
    EXPECT_EQ(line->fromItem, file);
    EXPECT_EQ(line->toItem, task);
    ASSERT_EQ(task->ftrList.size(), 1u);
    EXPECT_EQ(task->ftrList.front(), static_cast<HInfoFile*>(file));
    EXPECT_EQ(task->GetDetCount(), 2);  // the data function's DETs came along
    EXPECT_EQ(ui.panes[4], "UFP=" + std::to_string(doc.estimate.ufp));
    EXPECT_EQ(doc.History().Count(), 4);

    test_support::TempDir dir;
    const std::string path = dir / "road.zvk";
    ASSERT_EQ(doc.SaveDocument(path), 1);
    const std::string bytes = test_support::FileBytes(path);
    const auto taskAt = bytes.find("[" + task->GetSectionKey() + "]");
    const auto fileAt = bytes.find("[" + file->GetSectionKey() + "]");
    const auto lineAt = bytes.find("[" + line->GetSectionKey() + "]");
    const auto headerAt = bytes.find("[Zarvik]");
    ASSERT_NE(taskAt, std::string::npos);
    EXPECT_LT(taskAt, fileAt);
    EXPECT_LT(fileAt, lineAt);
    EXPECT_LT(lineAt, headerAt);
    EXPECT_NE(headerAt, std::string::npos);
    // The document uses the system rules, so none are written.
    EXPECT_EQ(bytes.find("[RULE]"), std::string::npos);

    ASSERT_EQ(doc.UndoStep(), 1);
    EXPECT_EQ(doc.Lines().Count(), 0);
    EXPECT_EQ(doc.Boxes().Count(), 2);
    ASSERT_EQ(doc.UndoStep(), 1);
    EXPECT_EQ(doc.Boxes().Count(), 1);
    ASSERT_EQ(doc.UndoStep(), 1);
    EXPECT_EQ(doc.Boxes().Count(), 0);
    EXPECT_EQ(ui.panes[3], "TRAN=0");
    EXPECT_EQ(doc.UndoStep(), 0);
}

}  // namespace
}  // namespace zarvik
