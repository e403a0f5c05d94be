#include "core/canvas/canvas_controller.h"

#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/draw_context.h"
#include "core/records/info_core.h"

// The controller's commands, the pending item's life, painting and document notices.

namespace zarvik {
int32_t PlacementKind(int32_t command) {
    switch (command) {
        case kCmdPlaceFile:
            return kKindFile;
        case kCmdPlaceTask:
            return kKindTask;
        case kCmdPlaceBorder:
            return kKindBorder;
        case kCmdPlaceOther:
            return kKindOther;
        case kCmdPlaceFunction:
            return kKindFunction;
        case kCmdPlaceView:
            return kKindView;
        case kCmdPlaceImage:
            return kKindImageBox;
        default:
            return 0;
    }
}

// --- right press, keys, leaving ---

void HCanvasController::RightPress(HPoint q) {
    m_rightClickPoint = ClampPoint(q);
    if (PendingLine() != nullptr) {
        CancelLine();
    }
}

void HCanvasController::EscapeReleased() {
    if (m_pending == nullptr) {
        return;
    }
    if (PendingLine() != nullptr) {
        CancelLine();
    }
    if (m_pending != nullptr) {
        DeselectAllBoxes();
        m_pending.reset();
    }
    m_host.Redraw();
}

void HCanvasController::MouseLeave() {
    m_mouseInside = 0;
    m_host.Redraw();
}

// --- commands ---

int HCanvasController::PlaceItem(int32_t command) {
    const int32_t kind = PlacementKind(command);
    if (kind == 0) {
        return 0;
    }
    std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
    if (box == nullptr) {
        return 0;
    }
    if (PendingLine() != nullptr) {
        CancelLine();
    }
    DiscardPending();
    DeselectAllBoxes();
    m_host.Redraw();
    m_moved = 0;
    box->position = m_mousePoint;
    m_pending = std::move(box);
    return 1;
}

int HCanvasController::StartLine() {
    HDrawList& boxes = m_doc.Boxes();
    if (boxes.CountSelected() != 1) {
        return 0;
    }
    auto* from = dynamic_cast<HItemObject*>(boxes.NextSelected(nullptr, 1));
    if (from == nullptr) {
        return 0;
    }
    DiscardPending();
    DeselectAllBoxes();
    DeselectAllLines();
    m_host.Redraw();
    m_linePressCode = 0;

    auto cursor = std::make_unique<HItemMouseCursor>();
    cursor->pointer = m_rightClickPoint;
    auto line = std::make_unique<HItemLine>();
    line->fromItem = from;
    line->toItem = cursor.get();
    // The line leaves from the outline point nearest to where the context menu opened.
    HPoint start;
    from->GetPointOnObject(m_rightClickPoint, start);
    line->fromOffset = PointMinus(start, from->position);
    m_cursorEnd = std::move(cursor);
    m_pending = std::move(line);
    return 1;
}

void HCanvasController::CompleteLine(HItemObject& target) {
    std::unique_ptr<HItemCore> owned = std::move(m_pending);
    auto* line = static_cast<HItemLine*>(owned.get());
    line->toItem = &target;
    m_cursorEnd.reset();
    HPoint end;
    target.GetPointOnObject(m_pressPoint, end);
    line->toOffset = PointMinus(end, target.position);
    HItemObject* from = line->fromItem;
    m_doc.Lines().Append(std::move(owned));
    if (HInfoCore* record = from->Record()) {
        record->UpdateLinks();
    }
    if (HInfoCore* record = target.Record()) {
        record->UpdateLinks();
    }
    DeselectAllBoxes();
    DeselectAllLines();
    m_host.Redraw();
    m_linePressCode = 0;
}

void HCanvasController::CancelLine() {
    DiscardPending();
    DeselectAllBoxes();
    DeselectAllLines();
    m_host.Redraw();
    m_linePressCode = 0;
}

void HCanvasController::DiscardPending() {
    m_pending.reset();
    m_cursorEnd.reset();
}

void HCanvasController::CancelInteraction() {
    if (PendingLine() != nullptr) {
        CancelLine();
    }
    DeselectAllBoxes();
    m_host.Redraw();
    m_moved = 0;
    m_pressTime = 0;
    DiscardPending();
}

// --- painting ---

void HCanvasController::PaintCanvas(HDrawContext& dc, const HRect& update, HSize extent,
                                    int shift) {
    const auto oldPen = dc.SelectPen(std::nullopt);
    const auto oldBrush = dc.SelectBrush(SolidBrush(Rgb(200, 200, 200)));
    dc.Rectangle(update);
    dc.SelectBrush(SolidBrush(Rgb(255, 255, 255)));
    dc.Rectangle(HRect{0, 0, extent.cx, extent.cy});
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    PaintItems(dc, shift);
}

void HCanvasController::PaintItems(HDrawContext& dc, int shift) {
    m_doc.Boxes().DrawAll(dc, shift);
    m_doc.Lines().DrawAll(dc, shift);
    if (m_pending == nullptr || m_mouseInside == 0) {
        return;
    }
    if (HItemObject* box = PendingBox()) {
        box->position = m_mousePoint;
    }
    m_pending->Draw(dc, 0);
}

// --- document notices ---

void HCanvasController::OnDocumentUpdate() {
    // A command that removed the start box of the pending line leaves nothing to draw
    // from.
    if (HItemLine* line = PendingLine()) {
        int found = 0;
        for (const HItemCore* item = m_doc.Boxes().Head(); item != nullptr; item = item->next) {
            if (item == line->fromItem) {
                found = 1;
                break;
            }
        }
        if (!found) {
            DiscardPending();
            m_linePressCode = 0;
        }
    }
    m_host.UpdateExtent();
    m_host.RefreshPanels();
    m_host.Redraw();
}

void HCanvasController::OnItemsReplacing() {
    // Everything here that points into the items lets go before they are destroyed; the
    // items themselves are not touched any more.
    if (PendingLine() != nullptr) {
        DiscardPending();
    }
    m_pressTime = 0;
    m_moved = 0;
    m_linePressCode = 0;
    m_pressHitCode = 0;
    m_host.Redraw();
}

}  // namespace zarvik
