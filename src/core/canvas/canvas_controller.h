#pragma once
// The canvas without its window: turns presses, moves, releases and keys into edits of
// the document's diagram (placing boxes, selecting, moving, resizing, dragging labels,
// drawing relation lines and sliding their ends) and paints the diagram. The window
// converts pixels to canvas points, delivers the events and does what the host is asked.

#include <cstdint>
#include <memory>
#include <string>

#include "core/canvas/tooltips.h"
#include "core/doc/zarvik_doc.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext;
class HItemCore;
class HItemLine;
class HItemMouseCursor;
class HItemObject;

// Placement commands of the item tool bars.
inline constexpr int32_t kCmdPlaceFile = 32783;
inline constexpr int32_t kCmdPlaceTask = 32775;
inline constexpr int32_t kCmdPlaceBorder = 32803;
inline constexpr int32_t kCmdPlaceOther = 32804;
inline constexpr int32_t kCmdPlaceFunction = 33012;
inline constexpr int32_t kCmdPlaceView = 33015;
inline constexpr int32_t kCmdPlaceImage = 33013;
// The tool bar's line button; the item menu's is kCmdLineStart.
inline constexpr int32_t kCmdLineTool = 32771;

// The box kind a placement command creates, 0 for any other command.
int32_t PlacementKind(int32_t command);

// A press turns into a drag only this long after it.
inline constexpr uint32_t kDragDelayMs = 50;

enum class HCanvasState { Idle, Pressed, PlacingItem, DrawingLine };
enum class HCursorShape { Arrow, SizeVertical, SizeHorizontal, SizeAll, Cross };

// What the controller asks of its window. Every request may be ignored.
class HCanvasHost {
public:
    virtual ~HCanvasHost() = default;
    // Invalidate the whole canvas; the window paints later through PaintCanvas.
    virtual void Redraw() {}
    virtual void SetCursor(HCursorShape) {}
    // The item list and estimate panels.
    virtual void RefreshPanels() {}
    // The item list panel scrolls to the item.
    virtual void BringIntoView(HItemCore*) {}
    // Ask the platform to report when the mouse leaves the canvas (then call MouseLeave).
    virtual void RequestLeaveNotification() {}
    virtual void ShowTooltip(HTooltipAction, const std::string&) {}
    // The document changed: the scroll extent follows the diagram.
    virtual void UpdateExtent() {}
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

    // --- painting ---
    // Grey over the update area, the canvas extent in white, then the diagram.
    void PaintCanvas(HDrawContext& dc, const HRect& update, HSize extent, int shift);
    // Boxes bottom to top, then lines, then the pending item at the mouse while the mouse
    // is inside.
    void PaintItems(HDrawContext& dc, int shift);

    HCanvasState State() const;
    // The box being placed or the line being drawn; null when none.
    HItemCore* PendingItem() const { return m_pending.get(); }
    int IsMouseInside() const { return m_mouseInside; }
    HPoint MousePoint() const { return m_mousePoint; }
    HPoint RightClickPoint() const { return m_rightClickPoint; }

    // HDocObserver
    void OnDocumentUpdate() override;
    void OnItemsReplacing() override;

private:
    HItemLine* PendingLine() const;
    HItemObject* PendingBox() const;
    void DeselectAllBoxes();
    void DeselectAllLines();
    void CancelLine();
    void CompleteLine(HItemObject& target);
    void DiscardPending();
    void PressOnBoxes(HPoint q, int shift);
    void ReleaseClickRules(HPoint q, int shift);
    void DragLines(HPoint q, uint32_t tick);
    void DragBoxes(HPoint q, uint32_t tick);
    void HoverCursor(HPoint q);
    int DragDelayPassed(uint32_t tick) const;

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
};

}  // namespace zarvik
