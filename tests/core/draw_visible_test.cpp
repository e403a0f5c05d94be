// Painting only what reaches into an area: the canvas repaints a small part of a large
// diagram without drawing every item, and leaves out nothing that shows there.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "core/canvas/canvas_controller.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "recording_context.h"

namespace zarvik {
namespace {

// The box rectangles drawn, by their left edge.
std::set<int32_t> DrawnBoxLefts(const testing::RecordingContext& dc) {
    std::set<int32_t> lefts;
    for (const testing::RecordedCall& call : dc.Shapes()) {
        if (call.op == "Rectangle" && call.rect.Width() == 100) {
            lefts.insert(call.rect.left);
        }
    }
    return lefts;
}

TEST(DrawVisible, DrawsTheItemsThatReachIntoTheAreaOnly) {
    HDrawList boxes;
    HDrawList lines;
    std::vector<HItemFile*> files;
    for (int32_t left : {0, 200, 400, 600}) {
        auto file = std::make_unique<HItemFile>();
        file->position = {left, 0};
        file->size = {100, 50};
        files.push_back(file.get());
        boxes.Append(std::move(file));
    }
    auto line = std::make_unique<HItemLine>();
    line->fromItem = files[0];
    line->toItem = files[3];
    line->fromOffset = {100, 25};
    line->toOffset = {0, 25};
    lines.Append(std::move(line));

    testing::RecordingContext dc;
    boxes.DrawVisible(dc, 0, HRect{250, 10, 450, 40});
    EXPECT_EQ((std::set<int32_t>{200, 400}), DrawnBoxLefts(dc));

    // The handles of the only selected box stand past its edge and still count.
    files[2]->SetSelected(1);
    dc.calls.clear();
    boxes.DrawVisible(dc, 0, HRect{503, 10, 590, 40});
    EXPECT_EQ((std::set<int32_t>{400}), DrawnBoxLefts(dc));

    // A wide pen paints past the line's ends.
    dc.calls.clear();
    lines.DrawVisible(dc, 0, HRect{300, 45, 320, 60});
    EXPECT_TRUE(dc.Shapes().empty());
    lines.Head()->Attributes()->penNormal = SolidPen(40, Rgb(0, 0, 0));
    lines.DrawVisible(dc, 0, HRect{300, 45, 320, 60});
    EXPECT_FALSE(dc.Shapes().empty());
}

// A drag repaints where the boxes were and where they are, with the lines at them.
TEST(DrawVisible, ADragRedrawsTheOldAndNewPlacesOnly) {
    struct AreaHost : HCanvasHost {
        void Redraw() override { ++full; }
        void RedrawArea(const HRect& area) override { areas.push_back(area); }
        int full = 0;
        std::vector<HRect> areas;
    } host;
    CZarvikDoc doc;
    auto file = std::make_unique<HItemFile>();
    file->position = {100, 100};
    file->size = {100, 50};
    HItemFile* box = file.get();
    doc.Boxes().Append(std::move(file));
    auto far = std::make_unique<HItemFile>();
    far->position = {1000, 100};
    auto line = std::make_unique<HItemLine>();
    line->fromItem = box;
    line->toItem = far.get();
    line->fromOffset = {100, 25};
    doc.Boxes().Append(std::move(far));
    doc.Lines().Append(std::move(line));
    HCanvasController controller(doc, host);

    box->SetSelected(1);
    controller.LeftPress({120, 120}, 0, 1000);
    controller.MouseMove({140, 130}, kMouseFlagLeft, 1000 + kDragDelayMs);
    ASSERT_EQ(1u, host.areas.size());
    const HRect area = host.areas[0];
    EXPECT_LE(area.left, 100 - kHandleHalf);  // the old place with its handles
    EXPECT_LE(area.top, 100 - kHandleHalf);
    EXPECT_GE(area.bottom, 160 + kHandleHalf);  // the new place
    EXPECT_GE(area.right, 1000);                // the line to the far box
    EXPECT_EQ(0, host.full);
}

}  // namespace
}  // namespace zarvik
