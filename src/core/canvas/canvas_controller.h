#pragma once
// The canvas without its window: turns presses, moves, releases and keys into edits of
// the document's diagram (placing boxes, selecting, moving, resizing, dragging labels,
// drawing relation lines and sliding their ends) and paints the diagram. The window
// converts pixels to canvas points, delivers the events and does what the host is asked.

#include <cstdint>
#include <memory>
#include <string>

#include "core/canvas/canvas_menus.h"
#include "core/canvas/link_menu.h"
#include "core/canvas/tooltips.h"
#include "core/command/command_ids.h"
#include "core/doc/zarvik_doc.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HClipboard;
class HDrawContext;
class HItemCore;
class HItemLine;
class HItemMouseCursor;
class HItemObject;

// The box kind a placement command creates, 0 for any other command.
int32_t PlacementKind(int32_t command);

// A press turns into a drag only this long after it.
inline constexpr uint32_t kDragDelayMs = 50;

enum class HCanvasState { Idle, Pressed, PlacingItem, DrawingLine };
enum class HCursorShape { Arrow, SizeVertical, SizeHorizontal, SizeAll, Cross };

// What the controller asks of its canvas window. Every request may be ignored.
class HCanvasHost {
public:
    virtual ~HCanvasHost() = default;
    // Invalidate the whole canvas; the window paints later through PaintCanvas.
    virtual void Redraw() {}
    // Invalidate only the part of the canvas that area (canvas units) covers.
    virtual void RedrawArea(const HRect&) { Redraw(); }
    virtual void SetCursor(HCursorShape) {}
    // Ask the platform to report when the mouse leaves the canvas (then call MouseLeave).
    virtual void RequestLeaveNotification() {}
    virtual void ShowTooltip(HTooltipAction, const std::string&) {}
    // The document changed: the scroll extent follows the diagram.
    virtual void UpdateExtent() {}
    // What a link jump needs to centre an item, and the scroll it asks for (pixels).
    virtual HJumpView JumpView() const { return {}; }
    virtual void ScrollTo(HPoint) {}
};

class HCanvasController : public HDocObserver {
public:
    HCanvasController(CZarvikDoc& doc, HCanvasHost& host);
    ~HCanvasController() override;
    HCanvasController(const HCanvasController&) = delete;
    HCanvasController& operator=(const HCanvasController&) = delete;

    // --- window events, in canvas points; tick is the platform's millisecond count ---
    void LeftPress(HPoint q, int shift, uint32_t tick);
    void MouseMove(HPoint q, int32_t flags, uint32_t tick);
    void LeftRelease(HPoint q, int shift);
    // The second press of a double click means nothing: the window delivers it here and
    // not to LeftPress; its release still goes to LeftRelease.
    void LeftDoubleClick(HPoint) {}
    void RightPress(HPoint q);
    void EscapeReleased();
    void MouseLeave();

    // --- commands ---
    // A placement command: the new box follows the mouse until the next release. Returns
    // 0 for a command that places nothing.
    int PlaceItem(int32_t command);
    // Starts a relation line from the one selected box at the last right-press point.
    // Returns 0, doing nothing, unless exactly one box is selected.
    int StartLine();
    // Before printing: no pending item, no selected box, no press.
    void CancelInteraction();
    // The canvas's commands: placement, starting a line, link jumps; printing cancels the
    // interaction before the window prints. 0 for a command that is not the canvas's.
    int IsCommandEnabled(int32_t id) const;
    int RunCommand(int32_t id);
    // Clears the selection and selects target (none: nothing), scrolling it into the
    // middle of the window; toggle leaves a target that was selected deselected. The item
    // list's row clicks come here.
    void JumpTo(HItemCore* target, int toggle);
    // The context menu for the current selection; its link commands jump through this
    // canvas's table.
    HCanvasMenu BuildContextMenu(const HClipboard& clipboard);

    // --- painting ---
    // Grey over the update area, the canvas extent in white, then the part of the diagram
    // that reaches into the update area.
    void PaintCanvas(HDrawContext& dc, const HRect& update, HSize extent, int shift);
    // Boxes bottom to top, then lines, then the pending item at the mouse while the mouse
    // is inside.
    void PaintItems(HDrawContext& dc, int shift);

    HCanvasState State() const;
    // The box being placed or the line being drawn; null when none.
    HItemCore* PendingItem() const { return m_pending.get(); }
    int IsMouseInside() const { return m_mouseInside; }

    // HDocObserver
    void OnItemsAboutToGo(const HItemsGoing& going) override;
    void OnDocumentChanged(const HDocChange& change) override;

private:
    HItemLine* PendingLine() const;
    HItemObject* PendingBox() const;
    void DeselectAllBoxes();
    void DeselectAllLines();
    void CancelLine();
    void CompleteLine(HItemObject& target);
    void DiscardPending();
    void PressOnBoxes(HPoint q, int shift);
    // The click rules of a release; returns the box the item list is to bring into view.
    HItemCore* ReleaseClickRules(HPoint q, int shift);
    void DragLines(HPoint q, uint32_t tick);
    void DragBoxes(HPoint q, uint32_t tick);
    void HoverCursor(HPoint q);
    // What the selected boxes and the lines at them paint now.
    HRect SelectionPaintArea() const;
    int DragDelayPassed(uint32_t tick) const;
    int RunLinkJump(int32_t id);
    // The box being placed at the mouse, or the line being drawn, while the mouse is inside.
    void PaintPending(HDrawContext& dc);

    CZarvikDoc& m_doc;
    HCanvasHost& m_host;
    std::unique_ptr<HItemCore> m_pending;
    // The free end of the pending line; the line refers to it without owning it.
    std::unique_ptr<HItemMouseCursor> m_cursorEnd;
    int32_t m_moved = 0;
    HPoint m_pressPoint;
    HPoint m_rightClickPoint;
    HPoint m_mousePoint;
    uint32_t m_pressTime = 0;  // 0: no press in progress
    int32_t m_mouseInside = 0;
    int32_t m_linePressCode = 0;
    int32_t m_pressHitCode = 0;
    // What the gesture since the last press edited (kChange flags), told at its release.
    uint32_t m_edited = 0;
    HTooltipState m_tooltip;
    HLinkJumpTable m_linkTable;
};

}  // namespace zarvik
