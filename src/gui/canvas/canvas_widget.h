#pragma once
// The scrolling, zooming view of the diagram. It hosts the core's canvas controller: mouse
// and key events become controller calls in canvas points, and painting goes through the
// QPainter drawing context.

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/canvas/canvas_controller.h"
#include "gui/canvas/menu_entries.h"

class QMimeData;

namespace zarvik {
class CZarvikDoc;
}
namespace zarvik::draw {
class HQtDrawContext;
}

namespace zarvik::gui {

class HCanvasWidget : public QAbstractScrollArea, public HCanvasHost {
    Q_OBJECT
public:
    // doc stays owned by the caller and outlives the widget.
    explicit HCanvasWidget(CZarvikDoc& doc, QWidget* parent = nullptr);
    // The context menu shows disabled what the window cannot run.
    void SetCommandAvailability(HCommandAvailability available) {
        m_available = std::move(available);
    }
    ~HCanvasWidget() override;

    HCanvasController& Controller() { return *m_controller; }
    float Zoom() const { return m_zoom; }
    // Changes the zoom so that the canvas point at the view's centre stays there.
    void SetZoom(float zoom);
    // The canvas point under a point of the viewport.
    HPoint ToCanvas(QPoint viewportPoint) const;
    // The canvas in canvas units as the settings ask for it now (the automatic layout
    // keeps the boxes inside it).
    HSize CanvasSizeNow() const;
    // The context menu for the selection, as the core builds it, unshown.
    QMenu* BuildContextMenu();
    // Boxes marked with a coloured frame over the drawing, by section key ("TASK_012"); the
    // comparison shows what changed this way while it is open. Empty clears the marks.
    void SetHighlights(std::map<std::string, QColor> highlights);
    const std::map<std::string, QColor>& Highlights() const { return m_highlights; }
    // The tooltip the canvas shows when the mouse rests; empty for none.
    const QString& TooltipText() const { return m_tooltip; }

signals:
    // A command was chosen in the canvas's context menu or by a shortcut key; the window
    // runs it.
    void CommandChosen(int id);

public:
    // HCanvasHost
    void Redraw() override;
    void RedrawArea(const HRect& area) override;
    void SetCursor(HCursorShape shape) override;
    void ShowTooltip(HTooltipAction action, const std::string& text) override;
    void UpdateExtent() override;
    HJumpView JumpView() const override;
    void ScrollTo(HPoint scroll) override;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void PaintDiagram(QPainter& painter, const QRect& area);
    void PaintHighlights(QPainter& painter, const draw::HQtDrawContext& dc, const HRect& update);
    HPoint ScrollPosition() const;
    HSize ClientSize() const;
    uint32_t Tick() const;
    // The command a key press stands for, 0 for none.
    int32_t ShortcutCommand(const QKeyEvent& event) const;
    // Opens the first dropped document after the save question.
    void OpenDropped(const std::vector<std::string>& paths);
    void ShowTooltipAt(QPoint globalPos);

    CZarvikDoc& m_doc;
    std::unique_ptr<HCanvasController> m_controller;
    float m_zoom = 1.0f;
    QElapsedTimer m_clock;
    QImage m_backBuffer;
    QString m_tooltip;
    QPoint m_lastGlobalPos;
    // Set while the extent is applied: the scroll bars it shows or hides resize the
    // viewport, which must not start another update.
    bool m_updatingExtent = false;
    HCommandAvailability m_available;
    std::map<std::string, QColor> m_highlights;
};

// The local paths of the files a drag carries, in order; empty when it carries none.
std::vector<std::string> DroppedPaths(const QMimeData& mime);

}  // namespace zarvik::gui
