// Painting only what reaches into an area: the canvas repaints a small part of a large
// diagram without drawing every item, and leaves out nothing that shows there.

#include <gtest/gtest.h>

#include <memory>
#include <set>

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

}  // namespace
}  // namespace zarvik
