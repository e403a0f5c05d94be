#include <gtest/gtest.h>

#include <memory>

#include "core/doc/clipboard.h"
#include "core/doc/flow_document.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"

namespace zarvik {
namespace {

// Gives the item an appearance unlike the defaults.
void Dress(HInfoItemCore& item, HColorRef color) {
    item.penNormal = SolidPen(3, color);
    item.penSelected = SolidPen(5, color + 1);
    item.penGuide = SolidPen(1, color + 2);
    item.brush = HLogBrush{kBrushSolid, color + 3, 0};
    item.text.textColor = color + 4;
    item.text.textFormat = kDtCenter | kDtWordBreak;
    item.text.freePoint = 1;
    item.text.labelOffset = {12, -20};
    item.text.SetTextFont(140, MakePointFont(140, "ＭＳ 明朝"));
}

void ExpectSameAppearance(const HInfoItemCore& a, const HInfoItemCore& b) {
    EXPECT_EQ(a.penNormal, b.penNormal);
    EXPECT_EQ(a.penSelected, b.penSelected);
    EXPECT_EQ(a.penGuide, b.penGuide);
    EXPECT_EQ(a.brush, b.brush);
    EXPECT_EQ(a.text.textColor, b.text.textColor);
    EXPECT_EQ(a.text.textFormat, b.text.textFormat);
    EXPECT_EQ(a.text.freePoint, b.text.freePoint);
    EXPECT_EQ(a.text.labelOffset, b.text.labelOffset);
    EXPECT_EQ(a.text.pointSize, b.text.pointSize);
    ASSERT_EQ(a.text.font.has_value(), b.text.font.has_value());
    if (a.text.font) {
        EXPECT_EQ(a.text.font->height, b.text.font->height);
        EXPECT_EQ(a.text.font->weight, b.text.font->weight);
    }
}

class ClipboardTest : public ::testing::Test {
protected:
    template <class Item>
    Item* Place(HPoint at) {
        auto item = std::make_unique<Item>();
        item->position = at;
        Item* placed = item.get();
        doc.Boxes().Append(std::move(item));
        return placed;
    }

    HItemLine* Join(HItemObject* from, HItemObject* to) {
        auto line = std::make_unique<HItemLine>();
        line->fromItem = from;
        line->toItem = to;
        HItemLine* joined = line.get();
        doc.Lines().Append(std::move(line));
        return joined;
    }

    HFlowDocument doc;
    HClipboard clipboard;
};

TEST_F(ClipboardTest, ABoxFormatGoesOnceToAnotherKindOfBox) {
    auto* file = Place<HItemFile>({10, 10});
    file->size = {120, 60};
    Dress(*file, 0x102030);
    file->SetSelected(1);
    ASSERT_EQ(CopyBoxFormat(doc, clipboard), 1);
    EXPECT_EQ(clipboard.sourceKind, kKindFile);
    EXPECT_EQ(clipboard.HoldsBoxFormat(), 1);

    auto* view = Place<HItemView>({300, 10});
    view->name = "受注画面";
    view->size = {90, 40};
    view->text.labelDragStart = {7, 7};  // its label sits inside the box (free point 0)
    doc.Boxes().SetAllSelected(0);
    view->SetSelected(1);
    ASSERT_EQ(PasteBoxFormat(doc, clipboard), 1);
    ExpectSameAppearance(*view, *file);
    EXPECT_EQ(view->kind, kKindView);
    EXPECT_EQ(view->name, "受注画面");
    EXPECT_EQ(view->size, (HSize{90, 40}));
    EXPECT_EQ(view->position, (HPoint{300, 10}));
    EXPECT_EQ(view->text.labelDragStart, (HPoint{7, 7}));
    // The paste drew its own copy: changing the source afterwards leaves the screen alone.
    file->penNormal->color = 0;
    EXPECT_EQ(view->penNormal->color, HColorRef{0x102030});

    EXPECT_EQ(clipboard.IsEmpty(), 1);
    auto* other = Place<HItemOther>({500, 10});
    doc.Boxes().SetAllSelected(0);
    other->SetSelected(1);
    HInfoItemCore defaults;
    EXPECT_EQ(PasteBoxFormat(doc, clipboard), 0);
    ExpectSameAppearance(*other, defaults);
}

TEST_F(ClipboardTest, WhatTheSourceLacksIsRemovedFromTheTarget) {
    auto* source = Place<HItemFunction>({10, 10});
    source->penGuide.reset();
    source->brush.reset();
    auto* target = Place<HItemTask>({200, 10});
    Dress(*target, 0x405060);
    ASSERT_EQ(clipboard.Copy(*source), 1);
    ASSERT_EQ(clipboard.Paste(*target), 1);
    EXPECT_FALSE(target->penGuide.has_value());
    EXPECT_FALSE(target->brush.has_value());
    EXPECT_EQ(target->penNormal, source->penNormal);
}

TEST_F(ClipboardTest, FormatsStayInTheirFamily) {
    auto* a = Place<HItemFile>({10, 10});
    auto* b = Place<HItemTask>({200, 10});
    HItemLine* line = Join(a, b);
    Dress(*line, 0x112233);
    line->SetSelected(1);
    b->SetSelected(1);

    ASSERT_EQ(CopyLineFormat(doc, clipboard), 1);
    EXPECT_EQ(clipboard.HoldsLineFormat(), 1);
    // A line's kind code is neither 0 nor 100, yet it is no box format.
    EXPECT_EQ(clipboard.HoldsBoxFormat(), 0);
    EXPECT_EQ(PasteBoxFormat(doc, clipboard), 0);
    EXPECT_EQ(clipboard.sourceKind, kKindLine);
    EXPECT_NE(b->penNormal, line->penNormal);

    HItemLine* second = Join(b, a);
    doc.Lines().SetAllSelected(0);
    second->SetSelected(1);
    ASSERT_EQ(PasteLineFormat(doc, clipboard), 1);
    ExpectSameAppearance(*second, *line);

    Dress(*a, 0x445566);
    doc.Boxes().SetAllSelected(0);
    a->SetSelected(1);
    ASSERT_EQ(CopyBoxFormat(doc, clipboard), 1);
    EXPECT_EQ(PasteLineFormat(doc, clipboard), 0);
    EXPECT_EQ(clipboard.HoldsBoxFormat(), 1);

    // The mouse-cursor kind and an empty clipboard hold neither family.
    clipboard.sourceKind = kKindCore;
    EXPECT_EQ(clipboard.HoldsBoxFormat(), 0);
    EXPECT_EQ(clipboard.HoldsLineFormat(), 0);
}

TEST_F(ClipboardTest, OnlyTheTopmostSelectedBoxIsTouched) {
    auto* source = Place<HItemOther>({0, 0});
    Dress(*source, 0x778899);
    auto* low = Place<HItemFile>({100, 0});
    auto* middle = Place<HItemFile>({200, 0});
    auto* top = Place<HItemFile>({300, 0});
    clipboard.Copy(*source);

    // Nothing selected: the paste does nothing and the clipboard keeps its format.
    EXPECT_EQ(PasteBoxFormat(doc, clipboard), 0);
    EXPECT_EQ(clipboard.sourceKind, kKindOther);
    EXPECT_EQ(CopyBoxFormat(doc, clipboard), 0);
    EXPECT_EQ(clipboard.sourceKind, kKindOther);

    low->SetSelected(1);
    middle->SetSelected(1);
    top->SetSelected(1);
    ASSERT_EQ(PasteBoxFormat(doc, clipboard), 1);
    ExpectSameAppearance(*top, *source);
    EXPECT_NE(middle->penNormal, source->penNormal);
    EXPECT_NE(low->penNormal, source->penNormal);
}

TEST(ClipboardCommands, APasteIsOneUndoStepAndCopyingNone) {
    CZarvikDoc doc;
    doc.NewDocument();
    HClipboard clipboard;
    auto file = std::make_unique<HItemFile>();
    Dress(*file, 0x202020);
    HItemFile* source = file.get();
    doc.AddItem(std::move(file));
    doc.AddItem(std::make_unique<HItemTask>());
    auto* target = static_cast<HItemTask*>(doc.Boxes().Tail());
    const HLogPen before = *target->penNormal;
    doc.RecordStep();
    source->SetSelected(1);
    ASSERT_EQ(doc.RunCommand(kCmdItemFormatCopy, clipboard), 1);
    EXPECT_EQ(doc.History().Count(), 2);  // copying records nothing

    source->SetSelected(0);
    target->SetSelected(1);
    ASSERT_EQ(doc.RunCommand(kCmdItemFormatPaste, clipboard), 1);
    EXPECT_EQ(doc.History().Count(), 3);
    const HLogPen pasted = *source->penNormal;
    ASSERT_EQ(doc.UndoStep(), 1);  // the rebuild replaces every item
    auto* restored = dynamic_cast<HItemTask*>(doc.Boxes().Tail());
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->penNormal, before);
    ASSERT_EQ(doc.RedoStep(), 1);
    EXPECT_EQ(static_cast<HItemTask*>(doc.Boxes().Tail())->penNormal, pasted);
}

TEST(ClipboardProcess, TheFormatOutlivesTheDocument) {
    HClipboard& shared = Clipboard();
    EXPECT_EQ(&shared, &Clipboard());
    HInfoItemCore expected;
    {
        HFlowDocument first;
        auto file = std::make_unique<HItemFile>();
        Dress(*file, 0x303030);
        expected.CopyFrom(*file);
        file->SetSelected(1);
        first.Boxes().Append(std::move(file));
        ASSERT_EQ(CopyBoxFormat(first), 1);
    }
    HFlowDocument second;
    auto view = std::make_unique<HItemView>();
    view->SetSelected(1);
    HItemView* target = view.get();
    second.Boxes().Append(std::move(view));
    ASSERT_EQ(PasteBoxFormat(second), 1);
    ExpectSameAppearance(*target, expected);
    EXPECT_EQ(shared.IsEmpty(), 1);
}

}  // namespace
}  // namespace zarvik
