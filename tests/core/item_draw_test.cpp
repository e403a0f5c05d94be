#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/platform.h"
#include "recording_context.h"

namespace zarvik {
namespace {

using testing::RecordedCall;
using testing::RecordingContext;

// The drawing calls as "op" names. Items never set a clip, which would replace the one a
// printout draws within, so listing every call pins that too.
std::vector<std::string> Ops(const RecordingContext& dc) {
    std::vector<std::string> ops;
    for (const RecordedCall& call : dc.calls) {
        ops.push_back(call.op);
    }
    return ops;
}

const RecordedCall& Find(const RecordingContext& dc, const std::string& op, int nth = 0) {
    for (const RecordedCall& call : dc.calls) {
        if (call.op == op && nth-- == 0) {
            return call;
        }
    }
    static const RecordedCall none;
    ADD_FAILURE() << "no call " << op;
    return none;
}

// Fixed metrics with this font: 10 units a byte, 20 a line.
void UseTwentyUnitFont(HItemObject& item) {
    item.text.font->height = -20;
}

TEST(ItemDraw, SelectedTransactionWithHandles) {
    HItemTask task;
    task.position = {10, 20};  // box (10, 20) to (110, 120)
    task.SetSelected(1);
    RecordingContext dc;
    const auto penBefore = dc.CurrentPen();
    const auto brushBefore = dc.CurrentBrush();
    EXPECT_EQ(task.Draw(dc, 1), 1);

    ASSERT_EQ(Ops(dc), (std::vector<std::string>{"Ellipse", "Ellipse", "Rectangle", "Rectangle",
                                                 "Rectangle", "Rectangle", "DrawText"}));
    const HRect box{10, 20, 110, 120};
    const std::vector<RecordedCall> shapes = dc.Shapes();
    EXPECT_EQ(shapes[0].rect, box);
    EXPECT_EQ(shapes[0].pen, task.penNormal);
    EXPECT_EQ(shapes[0].brushStyle, kBrushSolid);
    EXPECT_EQ(shapes[1].rect, box);
    EXPECT_EQ(shapes[1].pen, task.penSelected);
    EXPECT_EQ(shapes[1].brushStyle, kBrushHollow);
    const HRect handles[4] = {{55, 15, 65, 25},
                              {55, 115, 65, 125},
                              {5, 65, 15, 75},
                              {105, 65, 115, 75}};  // top, bottom, left, right
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shapes[2 + i].rect, handles[i]);
        EXPECT_EQ(shapes[2 + i].pen, task.penGuide);
        EXPECT_EQ(shapes[2 + i].brushStyle, kBrushHollow);
    }
    EXPECT_EQ(Find(dc, "DrawText").text, task.name);
    EXPECT_EQ(dc.CurrentPen(), penBefore);
    EXPECT_EQ(dc.CurrentBrush(), brushBefore);
}

TEST(ItemDraw, OutlineAndHandlesFollowSelectionAndRequest) {
    HItemTask task;
    RecordingContext dc;
    task.Draw(dc, 0);
    EXPECT_EQ(Ops(dc), (std::vector<std::string>{"Ellipse", "DrawText"}));

    // Handles are drawn when asked, even for an unselected item.
    dc.calls.clear();
    task.Draw(dc, 1);
    EXPECT_EQ(Ops(dc), (std::vector<std::string>{"Ellipse", "Rectangle", "Rectangle", "Rectangle",
                                                 "Rectangle", "DrawText"}));

    dc.calls.clear();
    HItemFile file;
    file.SetSelected(1);
    file.Draw(dc, 0);
    ASSERT_EQ(Ops(dc), (std::vector<std::string>{"Rectangle", "Rectangle", "DrawText"}));
    EXPECT_EQ(dc.calls[0].pen, file.penNormal);
    EXPECT_EQ(dc.calls[1].pen, file.penSelected);
    EXPECT_EQ(dc.calls[1].rect, (HRect{0, 0, 100, 50}));
}

TEST(ItemDraw, BodyShapeOfEachKind) {
    struct Case {
        int32_t kind;
        std::vector<std::string> ops;
    };
    const Case cases[] = {
        {kKindFile, {"Rectangle", "DrawText"}},
        {kKindOther, {"Rectangle", "DrawText"}},
        {kKindBorder, {"Rectangle", "DrawText"}},
        {kKindFunction, {"RoundRect", "DrawText"}},
        {kKindView, {"RoundRect", "RoundRect", "DrawText"}},
        {kKindImageBox, {"Rectangle", "DrawText"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::unique_ptr<HItemObject> item = MakeBoxItem(c.kind);
        item->position = {10, 20};
        item->size = {100, 40};
        RecordingContext dc;
        EXPECT_EQ(item->Draw(dc, 0), 1);
        EXPECT_EQ(Ops(dc), c.ops);
        // The box as a rectangle whose right and bottom edges lie just outside it.
        EXPECT_EQ(dc.calls[0].rect, (HRect{10, 20, 110, 60}));
        EXPECT_EQ(dc.calls[0].pen, item->penNormal);
        EXPECT_EQ(dc.calls[0].brushStyle, kBrushSolid);
    }

    // Rounded corners are ellipses 20 wide and high, not radii.
    HItemView view;
    view.position = {10, 20};
    view.size = {100, 40};
    RecordingContext dc;
    view.Draw(dc, 0);
    EXPECT_EQ(Find(dc, "RoundRect", 0).corner, (HSize{20, 20}));
    EXPECT_EQ(Find(dc, "RoundRect", 1).rect, (HRect{15, 25, 105, 55}));
    EXPECT_EQ(Find(dc, "RoundRect", 1).corner, (HSize{20, 20}));
    EXPECT_EQ(Find(dc, "RoundRect", 1).pen, SolidPen(1, Rgb(128, 128, 255)));
    HItemFunction function;
    dc.calls.clear();
    function.Draw(dc, 0);
    EXPECT_EQ(Find(dc, "RoundRect").corner, (HSize{20, 20}));
}

TEST(ItemDraw, PensReachTheContextAsStored) {
    // Width 0 and dash styles mean something to the context (one device pixel; no dashes
    // past width 1), so items pass pens on untouched.
    const HLogPen dashHairline{kPenDash, {0, 0}, Rgb(1, 2, 3)};
    const HLogPen wideDots{kPenDot, {3, 0}, Rgb(4, 5, 6)};
    HItemFile a, b;
    b.position = {200, 0};
    a.penNormal = dashHairline;
    HItemLine line;
    line.fromItem = &a;
    line.toItem = &b;
    line.penNormal = wideDots;
    RecordingContext dc;
    a.Draw(dc, 0);
    line.Draw(dc, 0);
    EXPECT_EQ(Find(dc, "Rectangle").pen, dashHairline);
    EXPECT_EQ(Find(dc, "Line").pen, wideDots);
    EXPECT_EQ(Find(dc, "Polygon").pen, wideDots);
}

TEST(ItemDraw, ImagePictureStretchedToTheBox) {
    HItemImageBox image;
    image.position = {5, 5};
    image.size = {300, 40};
    HBitmap picture;
    picture.header.width = 10;
    picture.header.height = 10;
    image.picture = picture;
    image.SetSelected(1);
    RecordingContext dc;
    image.Draw(dc, 0);
    // Body, selection outline, picture, then the label with its frame.
    EXPECT_EQ(Ops(dc), (std::vector<std::string>{"Rectangle", "Rectangle", "StretchBitmap",
                                                 "Rectangle", "DrawText"}));
    EXPECT_EQ(Find(dc, "StretchBitmap").rect, (HRect{5, 5, 305, 45}));
}

TEST(ItemDraw, FunctionLabelAtItsFreePointFramedWhileSelected) {
    HItemFunction function;
    function.name = "AB";
    function.position = {100, 100};
    function.text.textColor = Rgb(1, 2, 3);
    UseTwentyUnitFont(function);
    RecordingContext dc;
    function.Draw(dc, 0);
    ASSERT_EQ(Ops(dc), (std::vector<std::string>{"RoundRect", "DrawText"}));
    EXPECT_EQ(dc.calls[0].pen, SolidPen(2, Rgb(128, 0, 128)));
    const RecordedCall& label = Find(dc, "DrawText");
    EXPECT_EQ(label.rect, (HRect{100, 100, 120, 120}));
    EXPECT_EQ(label.text, "AB");
    EXPECT_EQ(label.format, kDtCenter | kDtNoPrefix);  // the vertical bits are dropped
    EXPECT_EQ(label.fontHeight, -20);
    EXPECT_EQ(label.textColor, Rgb(1, 2, 3));

    // Selected: the frame is drawn with the pen then current, hollow.
    function.SetSelected(1);
    function.text.labelOffset = {-30, 120};
    dc.calls.clear();
    function.Draw(dc, 0);
    ASSERT_EQ(Ops(dc),
              (std::vector<std::string>{"RoundRect", "Rectangle", "Rectangle", "DrawText"}));
    EXPECT_EQ(dc.calls[1].rect, (HRect{100, 100, 200, 200}));
    const HRect labelRect{70, 220, 90, 240};
    EXPECT_EQ(dc.Shapes()[2].rect, labelRect);
    EXPECT_EQ(dc.Shapes()[2].pen, function.penSelected);
    EXPECT_EQ(dc.Shapes()[2].brushStyle, kBrushHollow);
    EXPECT_EQ(Find(dc, "DrawText").rect, labelRect);

    dc.calls.clear();
    function.Draw(dc, 1);
    const std::vector<RecordedCall> shapes = dc.Shapes();
    ASSERT_EQ(shapes.size(), 7u);
    EXPECT_EQ(shapes[6].rect, labelRect);
    EXPECT_EQ(shapes[6].pen, function.penGuide);
}

class ItemDrawLabel : public ::testing::Test {
protected:
    void SetUp() override { UseTwentyUnitFont(file); }  // box (0, 0) to (100, 50)

    // The rectangle the label text was drawn into.
    HRect Draw() {
        dc.calls.clear();
        dc.measures.clear();
        file.Draw(dc, 0);
        return Find(dc, "DrawText").rect;
    }

    HItemFile file;
    RecordingContext dc;
};

TEST_F(ItemDrawLabel, MultiLineNameCentredAsABlock) {
    file.name = "A\\nB";
    const HRect rect = Draw();
    const RecordedCall& text = Find(dc, "DrawText");
    EXPECT_EQ(text.text, "A\nB");
    EXPECT_EQ(text.format, kDtCenter | kDtNoPrefix | kDtEditControl);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(rect.top, 5);  // 25 - 40 / 2
}

TEST_F(ItemDrawLabel, TopAndBottomLayouts) {
    file.name = "AB";
    EXPECT_EQ(Draw().top, 15);  // 25 - 20 / 2

    file.text.textFormat = kDtCenter | kDtNoPrefix;
    EXPECT_EQ(Draw(), (HRect{0, 0, 100, 50}));
    EXPECT_EQ(Find(dc, "DrawText").format, kDtCenter | kDtNoPrefix | kDtEditControl);

    file.text.textFormat = kDtCenter | kDtBottom | kDtNoPrefix;
    const HRect bottom = Draw();
    EXPECT_EQ(bottom.top, 30);  // 50 - 20
    EXPECT_EQ(Find(dc, "DrawText").format, kDtCenter | kDtNoPrefix | kDtEditControl);
}

TEST_F(ItemDrawLabel, FormatFlagsTheContextIsGiven) {
    file.name = "AB";
    struct Case {
        int32_t stored;
        int32_t inBox;        // drawing and measuring inside the box
        int32_t atFreePoint;  // at the free point
    };
    // The label places itself vertically; in its box it breaks like an edit control, at
    // its free point it is neither broken nor cut short.
    const Case cases[] = {
        {kDefaultTextFormat, kDtCenter | kDtNoPrefix | kDtEditControl, kDtCenter | kDtNoPrefix},
        {kDtRight | kDtBottom | kDtWordBreak, kDtRight | kDtWordBreak | kDtEditControl, kDtRight},
        {kDtLeft | kDtTop | kDtEndEllipsis, kDtEndEllipsis | kDtEditControl, kDtLeft},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        file.text.textFormat = c.stored;
        file.text.freePoint = 0;
        Draw();
        EXPECT_EQ(Find(dc, "DrawText").format, c.inBox);
        EXPECT_TRUE(Find(dc, "DrawText").transparentBackground);
        // Only a label placed vertically is measured first.
        ASSERT_EQ(dc.measures.size(), (c.stored & kDtVerticalAlign) ? 1u : 0u);
        for (const RecordedCall& measure : dc.measures) {
            EXPECT_EQ(measure.format, c.inBox | kDtCalcRect);
        }

        file.text.freePoint = 1;
        Draw();
        EXPECT_EQ(Find(dc, "DrawText").format, c.atFreePoint);
        ASSERT_EQ(dc.measures.size(), 1u);
        EXPECT_EQ(dc.measures[0].format, c.atFreePoint | kDtCalcRect);
    }
}

// A platform whose screen is the recording context the test paints with.
class RecordingScreen : public HPlatform {
public:
    HDrawContext& ScreenContext() const override { return dc; }
    mutable RecordingContext dc;
};

class ItemDrawFreeLabel : public ::testing::Test {
protected:
    void SetUp() override { SetPlatform(&screen); }
    void TearDown() override { SetPlatform(nullptr); }
    RecordingScreen screen;
};

// Hit tests measure a free label on the screen context, drawing measures it on the context
// it draws with: the same measurement, so the label is hit exactly where it is drawn.
TEST_F(ItemDrawFreeLabel, IsHitWhereItIsDrawn) {
    struct Case {
        const char* name;
        HPoint offset;
        int32_t fontHeight;
        int32_t format;
    };
    const Case cases[] = {
        {"AB", {0, 0}, -20, kDefaultTextFormat},
        {"機能\\r\\nlonger line\\nC", {-30, 120}, -20, kDtRight | kDtWordBreak},
        {"x", {5, -7}, 12, kDtBottom | kDtEndEllipsis | kDtEditControl},
    };
    RecordingContext& dc = screen.dc;
    HItemFile file;
    file.position = {40, 30};
    file.text.freePoint = 1;
    file.SetSelected(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        file.name = c.name;
        file.text.labelOffset = c.offset;
        file.text.font->height = c.fontHeight;
        file.text.textFormat = c.format;
        dc.calls.clear();
        dc.measures.clear();
        file.Draw(dc, 0);
        const HRect drawn = Find(dc, "DrawText").rect;
        EXPECT_EQ(Find(dc, "Rectangle", 2).rect, drawn);  // the frame of the selected label

        EXPECT_EQ(file.LabelRect(), drawn);
        ASSERT_EQ(dc.measures.size(), 2u);
        EXPECT_EQ(dc.measures[1].text, dc.measures[0].text);
        EXPECT_EQ(dc.measures[1].format, dc.measures[0].format);
        EXPECT_EQ(dc.measures[1].fontHeight, dc.measures[0].fontHeight);
    }
}

}  // namespace
}  // namespace zarvik
