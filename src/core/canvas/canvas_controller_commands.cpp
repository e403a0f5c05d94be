#include "core/canvas/canvas_controller.h"

#include "core/doc/clipboard.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/draw_context.h"
#include "core/records/info_core.h"

// The controller's commands, the pending item's life, painting and document notices.

namespace zarvik {
namespace {

// Tells the document at the end of its scope when the selection changed within it, so
// that the item list follows commands as it follows clicks.
class SelectionNotice {
public:
    explicit SelectionNotice(CZarvikDoc& doc) : m_doc(doc), m_before(SelectionChangeCount()) {}
    ~SelectionNotice() {
        if (SelectionChangeCount() != m_before) {
            m_doc.Notify({kChangeSelection});
        }
    }
    SelectionNotice(const SelectionNotice&) = delete;
    SelectionNotice& operator=(const SelectionNotice&) = delete;

private:
    CZarvikDoc& m_doc;
    int32_t m_before;
};

}  // namespace

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
    const SelectionNotice notice(m_doc);
    m_rightClickPoint = ClampPoint(q);
    if (PendingLine() != nullptr) {
        CancelLine();
    }
}

void HCanvasController::EscapeReleased() {
    const SelectionNotice notice(m_doc);
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
    const SelectionNotice notice(m_doc);
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
    const SelectionNotice notice(m_doc);
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
    std::unique_ptr<HItemLine> line(static_cast<HItemLine*>(m_pending.release()));
    line->toItem = &target;
    m_cursorEnd.reset();
    HPoint end;
    target.GetPointOnObject(m_pressPoint, end);
    line->toOffset = PointMinus(end, target.position);
    m_doc.AddLine(std::move(line));
    m_edited |= kChangeStructure | kChangeRecords;
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
    const SelectionNotice notice(m_doc);
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
    // Items outside the update area would leave no mark in it; on a large diagram most are.
    m_doc.Boxes().DrawVisible(dc, shift, update);
    m_doc.Lines().DrawVisible(dc, shift, update);
    PaintPending(dc);
}

void HCanvasController::PaintItems(HDrawContext& dc, int shift) {
    m_doc.Boxes().DrawAll(dc, shift);
    m_doc.Lines().DrawAll(dc, shift);
    PaintPending(dc);
}

void HCanvasController::PaintPending(HDrawContext& dc) {
    if (m_pending == nullptr || m_mouseInside == 0) {
        return;
    }
    if (HItemObject* box = PendingBox()) {
        box->position = m_mousePoint;
    }
    m_pending->Draw(dc, 0);
}

// --- commands ---

int HCanvasController::IsCommandEnabled(int32_t id) const {
    const HDrawList& boxes = m_doc.Boxes();
    if (PlacementKind(id) != 0) {
        return 1;
    }
    if (id >= kLinkCommandFirst && id <= kLinkCommandLast) {
        return m_linkTable.ItemOf(id) != nullptr ? 1 : 0;
    }
    switch (id) {
        case kCmdLineTool:
            return boxes.CountSelected() == 1 ? 1 : 0;
        case kCmdLineStart: {
            // As the item menu offers it: a line needs another box to end on, and the box
            // must show its lines.
            const auto* box = boxes.CountSelected() == 1
                                  ? dynamic_cast<const HItemObject*>(boxes.NextSelected(nullptr, 1))
                                  : nullptr;
            return box != nullptr && boxes.Count() > 1 && box->lineHide == 0 ? 1 : 0;
        }
        case kCmdPrint:
        case kCmdPrintDirect:
        case kCmdPrintPreview:
            return 1;
        default:
            return 0;
    }
}

int HCanvasController::RunCommand(int32_t id) {
    if (!IsCommandEnabled(id)) {
        return 0;
    }
    if (PlacementKind(id) != 0) {
        return PlaceItem(id);
    }
    if (id >= kLinkCommandFirst && id <= kLinkCommandLast) {
        return RunLinkJump(id);
    }
    switch (id) {
        case kCmdLineTool:
        case kCmdLineStart:
            return StartLine();
        case kCmdPrint:
        case kCmdPrintDirect:
        case kCmdPrintPreview:
            // The printing itself is the window's.
            CancelInteraction();
            return 1;
        default:
            return 0;
    }
}

HCanvasMenu HCanvasController::BuildContextMenu(const HClipboard& clipboard) {
    return BuildCanvasMenu(m_doc.Boxes(), m_doc.Lines(),
                           HClipboardState{clipboard.HoldsBoxFormat(), clipboard.HoldsLineFormat()},
                           m_linkTable);
}

int HCanvasController::RunLinkJump(int32_t id) {
    int done = 0;
    const HJumpResult jump =
        RunLinkCommand(id, m_linkTable, m_doc.Boxes(), m_doc.Lines(), m_host.JumpView(), &done);
    if (!done) {
        return 0;
    }
    if (jump.scroll) {
        m_host.ScrollTo(jump.scrollTo);
    }
    m_host.Redraw();
    m_doc.Notify({kChangeSelection});
    return 1;
}

void HCanvasController::JumpTo(HItemCore* target, int toggle) {
    const HJumpResult jump =
        JumpToItem(m_doc.Boxes(), m_doc.Lines(), target, 1, toggle, m_host.JumpView());
    if (jump.scroll) {
        m_host.ScrollTo(jump.scrollTo);
    }
    m_host.Redraw();
    m_doc.Notify({kChangeSelection});
}

// --- document notices ---

void HCanvasController::OnItemsAboutToGo(const HItemsGoing& going) {
    // Everything here that points into the items lets go before they are destroyed; the
    // items themselves are not touched any more.
    if (const HItemLine* line = PendingLine(); line != nullptr && going.Contains(line->fromItem)) {
        DiscardPending();
        m_linePressCode = 0;
    }
    m_linkTable.Clear();
    if (going.all) {
        m_pressTime = 0;
        m_moved = 0;
        m_linePressCode = 0;
        m_pressHitCode = 0;
    }
}

void HCanvasController::OnDocumentChanged(const HDocChange& change) {
    // The title and the changed state are the frame's; anything else may show.
    if (change.Has(~(kChangeTitle | kChangeModified))) {
        m_host.UpdateExtent();
        m_host.Redraw();
    }
}

}  // namespace zarvik
