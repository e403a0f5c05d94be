#include <gtest/gtest.h>

#include <memory>

#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/items/outline_geometry.h"
#include "recording_context.h"

namespace zarvik {
namespace {

using testing::RecordedCall;
using testing::RecordingContext;

HPoint OnOutline(const HItemObject& box, HPoint target) {
    HPoint out;
    EXPECT_EQ(box.GetPointOnObject(target, out), 1);
    return out;
}

HPoint Shortcut(const HItemObject& box, HPoint target) {
    HPoint out;
    EXPECT_EQ(box.GetShorcutPointOnObject(target, out), 1);
    return out;
}

TEST(LineOutline, NearestPointOnRectangle) {
    HItemFile file;  // (0, 0) to (100, 50)
    EXPECT_EQ(OnOutline(file, {150, 20}), (HPoint{100, 20}));
    EXPECT_EQ(OnOutline(file, {150, 80}), (HPoint{100, 50}));
    EXPECT_EQ(OnOutline(file, {-10, -10}), (HPoint{0, 0}));
    EXPECT_EQ(OnOutline(file, {50, -30}), (HPoint{50, 0}));
    EXPECT_EQ(OnOutline(file, {30, 60}), (HPoint{30, 50}));
    EXPECT_EQ(OnOutline(file, {-20, 30}), (HPoint{0, 30}));
    EXPECT_EQ(OnOutline(file, {70, 200}), (HPoint{70, 50}));
    // From inside: the nearer left edge, not the top.
    EXPECT_EQ(OnOutline(file, {10, 25}), (HPoint{0, 25}));
    // A point on the outline stays where it is.
    EXPECT_EQ(OnOutline(file, {100, 30}), (HPoint{100, 30}));

    // The walk is relative to the box position.
    file.position = {200, 300};
    EXPECT_EQ(OnOutline(file, {350, 320}), (HPoint{300, 320}));
    EXPECT_EQ(NearestPointOnRect({200, 300}, {100, 50}, {190, 290}), (HPoint{200, 300}));
}

TEST(LineOutline, ShortcutPointOnRectangle) {
    HItemFile file;                                           // centre (50, 25)
    EXPECT_EQ(Shortcut(file, {300, 25}), (HPoint{100, 25}));  // the top edge is parallel
    EXPECT_EQ(Shortcut(file, {50, -100}), (HPoint{50, 0}));
    EXPECT_EQ(Shortcut(file, {-200, 25}), (HPoint{0, 25}));
    EXPECT_EQ(Shortcut(file, {50, 300}), (HPoint{50, 50}));
    // Toward (200, 125) the path leaves through the bottom edge, not the right one.
    EXPECT_EQ(Shortcut(file, {200, 125}), (HPoint{87, 50}));
    // Toward the box's own centre: the nearest corner, top-left on ties.
    EXPECT_EQ(Shortcut(file, {50, 25}), (HPoint{0, 0}));

    file.position = {100, 100};
    EXPECT_EQ(Shortcut(file, {400, 125}), (HPoint{200, 125}));
    EXPECT_EQ(Shortcut(file, {150, 125}), (HPoint{100, 100}));
}

TEST(LineOutline, TransactionUsesTheEllipseForBoth) {
    HItemTask task;  // 100 x 100 at (0, 0)
    EXPECT_EQ(OnOutline(task, {200, 50}), (HPoint{100, 50}));
    EXPECT_EQ(Shortcut(task, {200, 50}), (HPoint{100, 50}));
    EXPECT_EQ(OnOutline(task, {50, 200}), (HPoint{50, 100}));
    EXPECT_EQ(Shortcut(task, {-100, 50}), (HPoint{0, 50}));
    // 45 degrees, truncated: 50 + 50 cos 45° = 85.36.
    EXPECT_EQ(OnOutline(task, {200, 200}), (HPoint{85, 85}));

    task.position = {10, 10};
    task.size = {200, 100};
    EXPECT_EQ(OnOutline(task, {500, 60}), (HPoint{210, 60}));
    EXPECT_EQ(OnOutline(task, {-100, 60}), (HPoint{10, 60}));
}

class LineGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        right.position = {200, 0};
        line.fromItem = &left;
        line.toItem = &right;
        line.fromOffset = {100, 25};  // (100, 25)
        line.toOffset = {0, 25};      // (200, 25)
    }

    HItemFile left;   // (0, 0) to (100, 50)
    HItemFile right;  // (200, 0) to (300, 50)
    HItemLine line;
};

TEST_F(LineGeometry, EndsFollowAMovedBox) {
    HPoint from, to;
    line.GetEndPoints(from, to);
    EXPECT_EQ(from, (HPoint{100, 25}));
    EXPECT_EQ(to, (HPoint{200, 25}));

    right.position = {250, 80};
    line.GetEndPoints(from, to);
    EXPECT_EQ(to, (HPoint{250, 105}));
    EXPECT_EQ(line.toOffset, (HPoint{0, 25}));
    EXPECT_EQ(from, (HPoint{100, 25}));

    HRect bound;
    EXPECT_EQ(line.GetBoundRect(bound), 1);
    EXPECT_EQ(bound, (HRect{95, 20, 255, 110}));
    line.Reverse();
    line.GetBoundRect(bound);
    EXPECT_EQ(bound, (HRect{95, 20, 255, 110}));
}

TEST_F(LineGeometry, FreeEndFollowsThePointer) {
    HItemMouseCursor cursor;
    cursor.position = {500, 500};
    cursor.lineHide = 1;  // the cursor never hides the line
    cursor.pointer = {40, 300};
    line.toItem = &cursor;
    HPoint from, to;
    line.GetEndPoints(from, to);
    EXPECT_EQ(from, (HPoint{100, 25}));
    EXPECT_EQ(to, (HPoint{40, 300}));
    EXPECT_EQ(line.IsHidden(), 0);
}

TEST_F(LineGeometry, HitTestTolerancesAndEnds) {
    EXPECT_EQ(line.HitTest({150, 25}), kHitBody);
    EXPECT_EQ(line.HitTest({150, 28}), kHitBody);
    EXPECT_EQ(line.HitTest({150, 22}), kHitBody);
    EXPECT_EQ(line.HitTest({150, 29}), 0);
    EXPECT_EQ(line.HitTest({150, 21}), 0);
    // The end test comes first, even on the segment.
    EXPECT_EQ(line.HitTest({104, 26}), kHitLineFrom);
    EXPECT_EQ(line.HitTest({105, 25}), kHitLineFrom);
    EXPECT_EQ(line.HitTest({106, 25}), kHitBody);
    EXPECT_EQ(line.HitTest({196, 22}), kHitLineTo);
    EXPECT_EQ(line.HitTest({194, 25}), kHitBody);
    // Past the ends the bounding rectangle limits the body: left edge in, right edge out.
    EXPECT_EQ(line.HitTest({95, 28}), kHitBody);
    EXPECT_EQ(line.HitTest({94, 25}), 0);
    EXPECT_EQ(line.HitTest({205, 28}), 0);
    EXPECT_EQ(line.HitTest({260, 25}), 0);

    // A slanted line: distance measured perpendicular to it.
    line.toOffset = {0, 125};                      // (100, 25) to (200, 125)
    EXPECT_EQ(line.HitTest({152, 73}), kHitBody);  // 2.83 from the line
    EXPECT_EQ(line.HitTest({153, 72}), 0);         // 4.24 from the line
}

TEST_F(LineGeometry, HiddenLinesAreHitOnlyAtTheEnds) {
    right.lineHide = 1;
    EXPECT_EQ(line.IsHidden(), 1);
    EXPECT_EQ(line.HitTest({150, 25}), 0);
    EXPECT_EQ(line.HitTest({100, 25}), kHitLineFrom);
    EXPECT_EQ(line.HitTest({200, 25}), kHitLineTo);
    right.lineHide = 0;
    left.lineHide = 1;
    EXPECT_EQ(line.IsHidden(), 1);
    EXPECT_EQ(line.HitTest({150, 25}), 0);
    left.lineHide = 0;
    EXPECT_EQ(line.IsHidden(), 0);

    RecordingContext dc;
    right.lineHide = 1;
    EXPECT_EQ(line.Draw(dc, 1), 1);
    EXPECT_TRUE(dc.calls.empty());
}

TEST_F(LineGeometry, DegenerateLineIsHitOnlyAtItsEnds) {
    line.toItem = &left;
    line.toOffset = line.fromOffset;
    EXPECT_EQ(line.HitTest({103, 25}), kHitLineFrom);
    EXPECT_EQ(line.HitTest({106, 25}), 0);
    EXPECT_EQ(line.HitTest({100, 31}), 0);
}

TEST_F(LineGeometry, DragEndSlidesAlongTheBox) {
    EXPECT_EQ(line.DragEnd(kHitLineFrom, {60, 90}), 1);
    EXPECT_EQ(line.fromOffset, (HPoint{60, 50}));
    EXPECT_EQ(line.DragEnd(kHitLineTo, {350, 10}), 1);
    EXPECT_EQ(line.toOffset, (HPoint{100, 10}));
    EXPECT_EQ(line.DragEnd(kHitBody, {0, 0}), 0);
    EXPECT_EQ(line.DragEnd(kHitLineFrom | kHitLineTo, {0, 0}), 0);
    line.fromItem = nullptr;
    EXPECT_EQ(line.DragEnd(kHitLineFrom, {0, 0}), 0);
    EXPECT_EQ(line.RerouteEnds(), 0);
}

TEST_F(LineGeometry, ResizeReprojectsOnlyTheEndsOnTheBox) {
    HDrawList lines;
    HItemFile third;
    third.position = {0, 200};
    auto onLeftEdge = std::make_unique<HItemLine>();
    onLeftEdge->fromItem = &third;
    onLeftEdge->toItem = &left;
    onLeftEdge->fromOffset = {100, 25};
    onLeftEdge->toOffset = {0, 25};
    HItemLine* second = onLeftEdge.get();
    auto elsewhere = std::make_unique<HItemLine>();
    elsewhere->fromItem = &third;
    elsewhere->toItem = &right;
    elsewhere->fromOffset = {100, 25};
    elsewhere->toOffset = {50, 50};
    HItemLine* third_line = elsewhere.get();
    lines.Append(std::make_unique<HItemLine>());  // a line without ends is passed over
    lines.Append(std::move(onLeftEdge));
    lines.Append(std::move(elsewhere));

    // The test line itself is not in the list; widen left through the list.
    left.dragOrigin = left.position;
    left.dragOriginSize = left.size;
    ASSERT_EQ(left.DragPart(kHitRight, {50, 0}, lines), 1);
    line.ReprojectEndsOn(left);
    // (100, 25) now lies inside: the top edge wins the tie with the bottom one.
    EXPECT_EQ(line.fromOffset, (HPoint{100, 0}));
    EXPECT_EQ(line.toOffset, (HPoint{0, 25}));
    EXPECT_EQ(second->toOffset, (HPoint{0, 25}));
    EXPECT_EQ(second->fromOffset, (HPoint{100, 25}));
    EXPECT_EQ(third_line->fromOffset, (HPoint{100, 25}));
    EXPECT_EQ(third_line->toOffset, (HPoint{50, 50}));

    // Narrowing pulls an end on the far edge onto the new edge.
    second->toOffset = {150, 40};
    left.dragOrigin = left.position;
    left.dragOriginSize = left.size;
    ASSERT_EQ(left.DragPart(kHitRight, {-90, 0}, lines), 1);
    EXPECT_EQ(second->toOffset, (HPoint{60, 40}));

    // A refused drag leaves the ends alone.
    second->toOffset = {200, 200};
    EXPECT_EQ(left.DragPart(kHitRight, {-200, 0}, lines), 0);
    EXPECT_EQ(second->toOffset, (HPoint{200, 200}));
}

TEST_F(LineGeometry, RerouteJoinsTheCentres) {
    line.fromOffset = {1, 1};
    line.toOffset = {2, 2};
    EXPECT_EQ(line.RerouteEnds(), 1);
    EXPECT_EQ(line.fromOffset, (HPoint{100, 25}));
    EXPECT_EQ(line.toOffset, (HPoint{0, 25}));

    HItemTask task;
    task.position = {100, 300};  // centre (150, 350), straight below the gap
    line.toItem = &task;
    EXPECT_EQ(line.RerouteEnds(), 1);
    // From (50, 25) toward (150, 350) the path leaves the bottom edge at x = 57.
    EXPECT_EQ(line.fromOffset, (HPoint{57, 50}));
    HPoint expected;
    task.GetShorcutPointOnObject(left.Centre(), expected);
    EXPECT_EQ(line.toOffset, (HPoint{expected.x - 100, expected.y - 300}));
}

TEST_F(LineGeometry, ReverseAndArrowStyles) {
    line.Reverse();
    EXPECT_EQ(line.fromItem, &right);
    EXPECT_EQ(line.toItem, &left);
    EXPECT_EQ(line.fromOffset, (HPoint{0, 25}));
    EXPECT_EQ(line.toOffset, (HPoint{100, 25}));

    line.ToggleBothArrows();
    EXPECT_EQ(line.lineType, kLineArrowBoth);
    line.ToggleBothArrows();
    EXPECT_EQ(line.lineType, kLineArrowTo);
    line.ToggleBothArrows();
    line.ToggleNoArrow();  // from both to none
    EXPECT_EQ(line.lineType, kLineNoArrow);
    line.ToggleNoArrow();
    EXPECT_EQ(line.lineType, kLineArrowTo);
    line.ToggleNoArrow();
    line.ToggleBothArrows();  // from none to both
    EXPECT_EQ(line.lineType, kLineArrowBoth);
}

TEST_F(LineGeometry, DescribeLine) {
    HItemTask task;
    task.name = "受注登録";
    left.name = "顧客";
    line.toItem = &task;
    EXPECT_EQ(line.DescribeLine(), "関係線\r\nFrom [ﾌｧｲﾙ] 顧客\r\nTo [ﾄﾗﾝｻﾞｸｼｮﾝ] 受注登録");

    HItemMouseCursor cursor;
    line.toItem = &cursor;
    EXPECT_EQ(line.DescribeLine(), "関係線\r\nFrom [ﾌｧｲﾙ] 顧客");
    line.fromItem = nullptr;
    EXPECT_EQ(line.DescribeLine(), "関係線");
}

TEST(LineArrowhead, CornersForEachDirection) {
    HPoint first, second;
    ArrowheadCorners({0, 0}, {100, 0}, first, second);
    EXPECT_EQ(first, (HPoint{90, -5}));
    EXPECT_EQ(second, (HPoint{90, 5}));
    ArrowheadCorners({100, 0}, {0, 0}, first, second);
    EXPECT_EQ(first, (HPoint{10, 5}));
    EXPECT_EQ(second, (HPoint{10, -5}));
    ArrowheadCorners({0, 0}, {0, 100}, first, second);
    EXPECT_EQ(first, (HPoint{5, 90}));
    EXPECT_EQ(second, (HPoint{-5, 90}));
    // Diagonal: 10 back along the line and 5 to each side, truncated toward zero.
    ArrowheadCorners({0, 0}, {100, 100}, first, second);
    EXPECT_EQ(first, (HPoint{96, 89}));
    EXPECT_EQ(second, (HPoint{89, 96}));
}

class LineDraw : public LineGeometry {
protected:
    std::vector<RecordedCall> Polygons() const {
        std::vector<RecordedCall> polygons;
        for (const RecordedCall& call : dc.calls) {
            if (call.op == "Polygon") {
                polygons.push_back(call);
            }
        }
        return polygons;
    }
    RecordingContext dc;
};

TEST_F(LineDraw, ArrowheadsByLineType) {
    line.brush = SolidBrush(Rgb(10, 20, 30));
    EXPECT_EQ(line.Draw(dc, 0), 1);
    ASSERT_EQ(dc.calls.size(), 2u);
    EXPECT_EQ(dc.calls[0].op, "Line");
    EXPECT_EQ(dc.calls[0].points, (std::vector<HPoint>{{100, 25}, {200, 25}}));
    EXPECT_EQ(dc.calls[0].pen, line.penNormal);
    EXPECT_EQ(dc.calls[1].op, "Polygon");
    EXPECT_EQ(dc.calls[1].points, (std::vector<HPoint>{{200, 25}, {190, 20}, {190, 30}}));
    EXPECT_EQ(dc.calls[1].brushStyle, kBrushSolid);

    dc.calls.clear();
    line.lineType = kLineArrowBoth;
    line.Draw(dc, 0);
    const auto both = Polygons();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].points, (std::vector<HPoint>{{100, 25}, {110, 30}, {110, 20}}));
    EXPECT_EQ(both[1].points[0], (HPoint{200, 25}));

    dc.calls.clear();
    line.lineType = kLineNoArrow;
    line.Draw(dc, 0);
    EXPECT_TRUE(Polygons().empty());
    EXPECT_EQ(dc.calls.size(), 1u);
}

TEST_F(LineDraw, SelectedLineShowsEndHandlesWithTheGuidePen) {
    const auto penBefore = dc.CurrentPen();
    const auto brushBefore = dc.CurrentBrush();
    line.SetSelected(1);
    line.Draw(dc, 0);  // showHandles does not matter for lines
    ASSERT_EQ(dc.calls.size(), 4u);
    EXPECT_EQ(dc.calls[0].pen, line.penSelected);
    EXPECT_EQ(dc.calls[1].pen, line.penSelected);
    EXPECT_EQ(dc.calls[2].op, "Ellipse");
    EXPECT_EQ(dc.calls[2].rect, (HRect{95, 20, 105, 30}));
    EXPECT_EQ(dc.calls[2].pen, line.penGuide);
    EXPECT_EQ(dc.calls[3].rect, (HRect{195, 20, 205, 30}));
    EXPECT_EQ(dc.CurrentPen(), penBefore);
    EXPECT_EQ(dc.CurrentBrush(), brushBefore);
}

}  // namespace
}  // namespace zarvik
