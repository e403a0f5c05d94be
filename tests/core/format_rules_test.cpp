// The rules behind the drawing page of the format sheets and its previews.

#include <gtest/gtest.h>

#include "core/items/item_kinds.h"
#include "core/items/item_preview.h"
#include "core/records/info_item.h"
#include "core/records/pen_edit.h"
#include "recording_context.h"

namespace zarvik {
namespace {

using testing::RecordingContext;

TEST(PenEdit, WidthStepsTypingAndStyleEnabling) {
    EXPECT_EQ(1, PenWidthShown(0));
    EXPECT_EQ(1, PenWidthUp(0));
    EXPECT_EQ(4, PenWidthUp(3));
    EXPECT_EQ(1, PenWidthDown(1));
    EXPECT_EQ(1, PenWidthDown(0));
    EXPECT_EQ(2, PenWidthDown(3));
    EXPECT_EQ(kPenWidthMax, PenWidthUp(kPenWidthMax));
    EXPECT_EQ(0, PenWidthFromText(""));
    EXPECT_EQ(0, PenWidthFromText("x"));
    EXPECT_EQ(12, PenWidthFromText("12"));
    EXPECT_EQ(kPenWidthMax, PenWidthFromText("99999999999"));
    EXPECT_TRUE(PenStyleEditable(0));
    EXPECT_TRUE(PenStyleEditable(1));
    EXPECT_FALSE(PenStyleEditable(2));
}

TEST(PenEdit, ChoicesEditTheirOwnPenAndOnlyTheNormalOneTheFill) {
    HInfoItemCore attributes;
    const HLogPen normal = *attributes.penNormal;
    HLogPen dashed = ChosenPen(attributes, PenChoiceOfIndex(2));
    dashed.style = PenStyleOfIndex(1);
    ReplaceChosenPen(attributes, HPenChoice::Guide, dashed);
    EXPECT_EQ(kPenDash, attributes.penGuide->style);
    EXPECT_EQ(normal, *attributes.penNormal);

    attributes.penSelected.reset();
    EXPECT_EQ(kStockBlackPen, ChosenPen(attributes, HPenChoice::Selected));

    attributes.brush = kStockHollowBrush;
    ReplaceFill(attributes, Rgb(0, 255, 0));
    EXPECT_EQ(SolidBrush(Rgb(0, 255, 0)), *attributes.brush);
    EXPECT_TRUE(FillEditable(HPenChoice::Normal));
    EXPECT_FALSE(FillEditable(HPenChoice::Selected));
    EXPECT_EQ((HPreviewLook{1, 1}), PreviewLookOf(HPenChoice::Guide));

    EXPECT_STREQ("外枠（補助）", PenChoiceTexts(HFormatTarget::Line)[2]);
    EXPECT_EQ(-1, PenStyleIndex(6));  // a style from a file the list does not offer
    EXPECT_EQ(5, PenStyleIndex(kPenNull));
}

TEST(ItemPreview, BoxCentredWhenItFitsWithRoomElseAtTheMargin) {
    EXPECT_EQ((HPoint{50, 25}), BoxPreviewPosition({200, 100}, {100, 50}));
    EXPECT_EQ((HPoint{5, 5}), BoxPreviewPosition({110, 60}, {100, 50}));
    EXPECT_EQ((HPoint{5, 6}), BoxPreviewPosition({100, 62}, {120, 50}));
}

TEST(ItemPreview, ScratchBoxUsesNoNumbersAndShowsTheEditedLook) {
    HItemFile edited;
    edited.penNormal = HLogPen{kPenDash, {1, 0}, Rgb(255, 0, 0)};
    edited.size = {80, 40};
    const int32_t ids = ItemIdCounter();
    const int32_t names = NextNameNumber(kKindTask);
    const int32_t selections = SelectionChangeCount();

    RecordingContext dc;
    EXPECT_EQ(1, DrawBoxPreview(dc, {200, 100}, kKindTask, edited, "受注", 1, 1));
    EXPECT_EQ(ids, ItemIdCounter());
    EXPECT_EQ(names, NextNameNumber(kKindTask));
    EXPECT_EQ(selections, SelectionChangeCount());

    const auto shapes = dc.Shapes();
    ASSERT_EQ(6u, shapes.size());  // body, selection outline, four handles
    EXPECT_EQ("Ellipse", shapes[0].op);
    EXPECT_EQ((HRect{60, 30, 140, 70}), shapes[0].rect);
    EXPECT_EQ(edited.penNormal, shapes[0].pen);
    EXPECT_EQ(edited.penGuide, shapes[5].pen);
    EXPECT_EQ(0, DrawBoxPreview(dc, {200, 100}, kKindLine, edited, "", 0, 0));
}

TEST(ItemPreview, LineFromMarginToMarginOnlyInRoomEnough) {
    HInfoItemCore attributes;
    attributes.penNormal = SolidPen(2, Rgb(255, 0, 0));
    RecordingContext dc;
    EXPECT_EQ(0, DrawLinePreview(dc, {9, 50}, attributes, 0));
    EXPECT_TRUE(dc.calls.empty());

    EXPECT_EQ(1, DrawLinePreview(dc, {100, 60}, attributes, 1));
    const auto shapes = dc.Shapes();
    ASSERT_FALSE(shapes.empty());
    EXPECT_EQ("Line", shapes[0].op);
    EXPECT_EQ((std::vector<HPoint>{{5, 5}, {95, 55}}), shapes[0].points);
    EXPECT_EQ(attributes.penSelected, shapes[0].pen);  // shown selected: end circles follow
    EXPECT_EQ("Ellipse", shapes.back().op);
    EXPECT_EQ(attributes.penGuide, shapes.back().pen);
}

}  // namespace
}  // namespace zarvik
