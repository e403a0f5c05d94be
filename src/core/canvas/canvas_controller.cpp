#include "core/canvas/canvas_controller.h"

#include <algorithm>
#include <climits>

#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

constexpr int32_t kHitLineEnd = kHitLineFrom | kHitLineTo;

// Both operands lie within the coordinate limit, so the sum fits; the result is held
// there too, so that repeated drags never run away.
HPoint ClampedSum(HPoint a, HPoint b) {
    return ClampPoint(HPoint{a.x + b.x, a.y + b.y});
}

HItemObject* TopSelectedBox(const HDrawList& boxes) {
    return dynamic_cast<HItemObject*>(boxes.NextSelected(nullptr, 1));
}

HRect UnionOf(const HRect& a, const HRect& b) {
    return HRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom)};
}

// Top and bottom win over left and right, and those over the label.
HCursorShape CursorForHit(int32_t hit) {
    if (hit & (kHitTop | kHitBottom)) {
        return HCursorShape::SizeVertical;
    }
    if (hit & (kHitLeft | kHitRight)) {
        return HCursorShape::SizeHorizontal;
    }
    if (hit & kHitLabel) {
        return HCursorShape::SizeAll;
    }
    return HCursorShape::Arrow;
}

// The single part a press hit code drags, by the same precedence; 0 moves the boxes.
int32_t DragOperation(int32_t hit) {
    if (hit & (kHitTop | kHitBottom)) {
        return (hit & kHitTop) ? kHitTop : kHitBottom;
    }
    if (hit & (kHitLeft | kHitRight)) {
        return (hit & kHitLeft) ? kHitLeft : kHitRight;
    }
    return (hit & kHitLabel) ? kHitLabel : 0;
}

}  // namespace

HCanvasController::HCanvasController(CZarvikDoc& doc, HCanvasHost& host)
    : m_doc(doc), m_host(host) {
    m_doc.AddObserver(this);
}

HCanvasController::~HCanvasController() {
    m_doc.RemoveObserver(this);
    // The line refers to the cursor end, so it goes first.
    m_pending.reset();
}

HCanvasState HCanvasController::State() const {
    if (PendingLine() != nullptr) {
        return HCanvasState::DrawingLine;
    }
    if (PendingBox() != nullptr) {
        return HCanvasState::PlacingItem;
    }
    return m_pressTime != 0 ? HCanvasState::Pressed : HCanvasState::Idle;
}

HItemLine* HCanvasController::PendingLine() const {
    return dynamic_cast<HItemLine*>(m_pending.get());
}

HItemObject* HCanvasController::PendingBox() const {
    return dynamic_cast<HItemObject*>(m_pending.get());
}

void HCanvasController::DeselectAllBoxes() {
    m_doc.Boxes().SetAllSelected(0);
}

void HCanvasController::DeselectAllLines() {
    m_doc.Lines().SetAllSelected(0);
}

int HCanvasController::DragDelayPassed(uint32_t tick) const {
    // Unsigned difference: the tick count may wrap during a press.
    return tick - m_pressTime >= kDragDelayMs ? 1 : 0;
}

// --- press ---

void HCanvasController::LeftPress(HPoint q, int shift, uint32_t tick) {
    const int32_t changes = SelectionChangeCount();
    q = ClampPoint(q);
    m_pressTime = tick != 0 ? tick : 1;
    m_pressPoint = q;
    m_moved = 0;
    m_linePressCode = 0;
    m_pressHitCode = 0;
    m_edited = 0;

    HDrawList& boxes = m_doc.Boxes();
    for (HItemCore* item = boxes.NextSelected(nullptr, 1); item != nullptr;
         item = boxes.NextSelected(item, 1)) {
        if (auto* box = dynamic_cast<HItemObject*>(item)) {
            box->dragOrigin = box->position;
            box->dragOriginSize = box->size;
            box->text.labelDragStart = box->text.labelOffset;
        }
    }

    HDrawList& lines = m_doc.Lines();
    if (lines.CountSelected() == 1) {
        // A press near the selected line only prepares an end drag.
        HItemCore* hit = lines.HitTestFrom(nullptr, q);
        if (hit != nullptr && hit->Selected() == 1) {
            m_linePressCode = hit->HitTest(q);
        }
    } else {
        PressOnBoxes(q, shift);
    }

    if (changes != SelectionChangeCount()) {
        m_doc.Notify({kChangeSelection});
    }
}

void HCanvasController::PressOnBoxes(HPoint q, int shift) {
    HDrawList& boxes = m_doc.Boxes();
    HItemCore* hit = boxes.HitTestFrom(nullptr, q);
    // The hit code only counts on the selected box itself: a code taken from another box
    // would drag a part of a box the press never touched (or of none at all).
    if (boxes.CountSelected() == 1 && hit != nullptr && hit->Selected() == 1) {
        m_pressHitCode = hit->HitTest(q);
    }
    if (hit == nullptr) {
        DeselectAllBoxes();
        m_host.Redraw();
        return;
    }
    if (shift) {
        return;
    }
    // Without Shift only a press on the one selected box keeps the selection for a drag.
    for (HItemCore* item = boxes.NextSelected(nullptr, 1); item != nullptr;
         item = boxes.NextSelected(item, 1)) {
        if (item != hit) {
            DeselectAllBoxes();
            m_host.Redraw();
            break;
        }
    }
}

// --- move ---

void HCanvasController::MouseMove(HPoint q, int32_t flags, uint32_t tick) {
    q = ClampPoint(q);
    m_mousePoint = q;

    std::string tip;
    const HTooltipAction action = m_tooltip.Update(m_doc.Boxes(), m_doc.Lines(), q, flags, &tip);
    m_host.ShowTooltip(action, tip);
    UiPort().SetStatusPane(1, Format("(%d,%d)", q.x, q.y));

    if (m_mouseInside == 0) {
        m_mouseInside = 1;
        m_host.RequestLeaveNotification();
    }

    if (m_pending != nullptr) {
        if (HItemObject* box = PendingBox()) {
            m_host.Redraw();
            box->position = q;
        } else if (m_cursorEnd != nullptr) {
            m_cursorEnd->pointer = q;
        }
        m_host.Redraw();
        return;
    }

    if (m_doc.Lines().CountSelected() >= 1) {
        DragLines(q, tick);
    } else {
        DragBoxes(q, tick);
    }
}

void HCanvasController::DragLines(HPoint q, uint32_t tick) {
    HDrawList& lines = m_doc.Lines();
    if (m_pressTime == 0) {
        if (lines.CountSelected() == 1) {
            const HItemCore* line = lines.NextSelected(nullptr, 1);
            m_host.SetCursor((line->HitTest(q) & kHitLineEnd) ? HCursorShape::Cross
                                                              : HCursorShape::Arrow);
        }
        return;
    }
    if (!DragDelayPassed(tick)) {
        return;
    }
    m_host.SetCursor((m_linePressCode & kHitLineEnd) ? HCursorShape::Cross : HCursorShape::Arrow);
    auto* line = dynamic_cast<HItemLine*>(lines.NextSelected(nullptr, 1));
    if (line == nullptr) {
        return;
    }
    m_host.Redraw();
    // Only a move of boxes counts as moved: the release after an end drag applies the
    // click rules as after any press.
    if (m_linePressCode & kHitLineEnd) {
        line->DragEnd(m_linePressCode & kHitLineFrom ? kHitLineFrom : kHitLineTo, q);
        m_edited |= kChangeGeometry;
    }
    m_host.Redraw();
}

void HCanvasController::DragBoxes(HPoint q, uint32_t tick) {
    if (m_pressTime == 0) {
        HoverCursor(q);
        return;
    }
    if (!DragDelayPassed(tick)) {
        m_host.SetCursor(HCursorShape::Arrow);
        return;
    }
    HDrawList& boxes = m_doc.Boxes();
    const int32_t operation = DragOperation(m_pressHitCode);
    m_host.SetCursor(CursorForHit(m_pressHitCode));
    const HPoint delta = PointMinus(q, m_pressPoint);

    if (operation != 0) {
        HItemObject* box = TopSelectedBox(boxes);
        if (box == nullptr) {
            return;
        }
        // Each step starts from the drag origin, so a refused step leaves the last
        // accepted geometry and a later acceptable one applies again. The box keeps itself
        // within the coordinate limit.
        box->DragPart(operation, delta, m_doc.Lines());
        m_edited |= kChangeGeometry;
        m_host.Redraw();
        return;
    }

    // Only what the move uncovers and covers is painted again: a full repaint of a large
    // diagram at every mouse move made dragging lag.
    const HRect before = SelectionPaintArea();
    int32_t movedAny = 0;
    for (HItemCore* item = boxes.NextSelected(nullptr, 1); item != nullptr;
         item = boxes.NextSelected(item, 1)) {
        if (auto* box = dynamic_cast<HItemObject*>(item)) {
            box->position = ClampedSum(box->dragOrigin, delta);
            movedAny = 1;
        }
    }
    if (movedAny) {
        m_moved = 1;
        m_edited |= kChangeGeometry;
        m_host.RedrawArea(UnionOf(before, SelectionPaintArea()));
    }
}

HRect HCanvasController::SelectionPaintArea() const {
    HRect area{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    auto add = [&area](const HItemCore& item) { area = UnionOf(area, PaintedBounds(item)); };
    const HDrawList& boxes = m_doc.Boxes();
    for (const HItemCore* item = boxes.NextSelected(nullptr, 1); item != nullptr;
         item = boxes.NextSelected(item, 1)) {
        add(*item);
    }
    for (const HItemCore* item = m_doc.Lines().Head(); item != nullptr; item = item->next) {
        const auto* line = dynamic_cast<const HItemLine*>(item);
        const bool atSelected =
            line != nullptr && ((line->fromItem != nullptr && line->fromItem->Selected() == 1) ||
                                (line->toItem != nullptr && line->toItem->Selected() == 1));
        if (atSelected) {
            add(*item);
        }
    }
    return area;
}

void HCanvasController::HoverCursor(HPoint q) {
    const HDrawList& boxes = m_doc.Boxes();
    if (boxes.CountSelected() != 1) {
        m_host.SetCursor(HCursorShape::Arrow);
        return;
    }
    const HItemCore* box = boxes.NextSelected(nullptr, 1);
    m_host.SetCursor(CursorForHit(box->HitTest(q)));
}

// --- release ---

void HCanvasController::LeftRelease(HPoint q, int shift) {
    const int32_t changes = SelectionChangeCount();
    q = ClampPoint(q);
    m_pressTime = 0;
    const int32_t dragged = m_moved;
    // The drag ends here; a following release (of a double click) is a click again.
    m_moved = 0;

    HItemCore* intoView = nullptr;
    if (!dragged) {
        if (HItemLine* line = PendingLine()) {
            auto* target = dynamic_cast<HItemObject*>(m_doc.Boxes().HitTestFrom(nullptr, q));
            if (target != nullptr && target != line->fromItem) {
                CompleteLine(*target);
            }
            m_host.Redraw();
        } else if (HItemObject* box = PendingBox()) {
            box->position = q;
            m_pending.release();
            m_doc.AddItem(std::unique_ptr<HItemObject>(box));
            m_edited |= kChangeStructure | kChangeRecords;
            m_host.Redraw();
        } else {
            intoView = ReleaseClickRules(q, shift);
        }
    }

    // The step and the selection are told together, once.
    HDocChange also{changes != SelectionChangeCount() || intoView ? kChangeSelection : 0u,
                    intoView};
    // An edit the gesture did not make (the automatic layout's) counts as any edit.
    m_doc.RecordStep(m_edited != 0 ? m_edited : kChangeEdit, also);
    m_edited = 0;
}

HItemCore* HCanvasController::ReleaseClickRules(HPoint q, int shift) {
    HDrawList& boxes = m_doc.Boxes();
    HDrawList& lines = m_doc.Lines();
    if (HItemCore* line = lines.HitTestFrom(nullptr, q)) {
        DeselectAllBoxes();
        DeselectAllLines();
        line->SetSelected(1);
        m_host.Redraw();
        return nullptr;
    }
    DeselectAllLines();
    m_host.Redraw();

    HItemCore* hit = boxes.HitTestFrom(nullptr, q);
    if (boxes.CountSelected() == 0) {
        if (hit != nullptr) {
            hit->SetSelected(1);
        }
    } else if (shift) {
        if (hit != nullptr) {
            hit->SetSelected(hit->Selected() == 1 ? 0 : 1);
        }
    } else {
        const int32_t wasSelected = hit != nullptr ? hit->Selected() : 0;
        DeselectAllBoxes();
        if (hit != nullptr && wasSelected != 1) {
            hit->SetSelected(1);
        }
    }
    m_host.Redraw();
    // A click that leaves one box selected shows it in the item list.
    return boxes.CountSelected() == 1 ? boxes.NextSelected(nullptr, 1) : nullptr;
}

}  // namespace zarvik
