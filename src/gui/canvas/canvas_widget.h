#pragma once
// The scrolling, zooming view of the diagram. It hosts the core's canvas controller: mouse
// and key events become controller calls in canvas points, and painting goes through the
// QPainter drawing context.

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QMenu>
#include <memory>

#include "core/canvas/canvas_controller.h"

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HCanvasWidget : public QAbstractScrollArea, public HCanvasHost {
    Q_OBJECT
public:
    // doc stays owned by the caller and outlives the widget.
    explicit HCanvasWidget(CZarvikDoc& doc, QWidget* parent = nullptr);
    ~HCanvasWidget() override;

    HCanvasController& Controller() { return *m_controller; }
    float Zoom() const { return m_zoom; }
    // Changes the zoom so that the canvas point at the view's centre stays there.
    void SetZoom(float zoom);
    // The canvas point under a point of the viewport.
    HPoint ToCanvas(QPoint viewportPoint) const;
    // The context menu for the selection, as the core builds it, unshown.
    QMenu* BuildContextMenu();

signals:
    // A command was chosen in the canvas's context menu; the window runs it.
    void CommandChosen(int id);

public:
    // HCanvasHost
    void Redraw() override;
    void SetCursor(HCursorShape shape) override;
    void ShowTooltip(HTooltipAction action, const std::string& text) override;
    void UpdateExtent() override;
    HJumpView JumpView() const override;
    void ScrollTo(HPoint scroll) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    HPoint ScrollPosition() const;
    HSize ClientSize() const;
    uint32_t Tick() const;

    CZarvikDoc& m_doc;
    std::unique_ptr<HCanvasController> m_controller;
    float m_zoom = 1.0f;
    QElapsedTimer m_clock;
};

}  // namespace zarvik::gui
