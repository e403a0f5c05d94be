#include "gui/canvas/canvas_widget.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include "core/app/system.h"
#include "core/canvas/canvas_menus.h"
#include "core/canvas/zoom.h"
#include "core/doc/clipboard.h"
#include "core/doc/zarvik_doc.h"
#include "gui/ports/qt_draw_context.h"
#include "gui/ports/qt_text.h"

namespace zarvik::gui {
namespace {

int ShiftOf(Qt::KeyboardModifiers modifiers) {
    return modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0;
}

int32_t MoveFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    int32_t flags = 0;
    flags |= buttons.testFlag(Qt::LeftButton) ? kMouseFlagLeft : 0;
    flags |= buttons.testFlag(Qt::RightButton) ? kMouseFlagRight : 0;
    flags |= buttons.testFlag(Qt::MiddleButton) ? kMouseFlagMiddle : 0;
    flags |= modifiers.testFlag(Qt::ShiftModifier) ? kMouseFlagShift : 0;
    flags |= modifiers.testFlag(Qt::ControlModifier) ? kMouseFlagCtrl : 0;
    return flags;
}

}  // namespace

HCanvasWidget::HCanvasWidget(CZarvikDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    m_controller = std::make_unique<HCanvasController>(doc, *this);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_clock.start();
    UpdateExtent();
}

HCanvasWidget::~HCanvasWidget() = default;

uint32_t HCanvasWidget::Tick() const {
    // The controller measures its drag delay from the tick of the press; it must not be 0.
    return static_cast<uint32_t>(m_clock.elapsed()) + 1;
}

HPoint HCanvasWidget::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

HSize HCanvasWidget::ClientSize() const {
    return {viewport()->width(), viewport()->height()};
}

HPoint HCanvasWidget::ToCanvas(QPoint viewportPoint) const {
    return WindowToCanvas(HPoint{viewportPoint.x(), viewportPoint.y()}, ScrollPosition(), m_zoom);
}

void HCanvasWidget::SetZoom(float zoom) {
    HZoomView view{m_zoom, ScrollPosition(), ClientSize()};
    if (!view.SetZoom(zoom)) {
        return;
    }
    m_zoom = view.zoom;
    UpdateExtent();
    ScrollTo(view.scroll);
    Redraw();
}

void HCanvasWidget::Redraw() {
    viewport()->update();
}

void HCanvasWidget::SetCursor(HCursorShape shape) {
    static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeVerCursor, Qt::SizeHorCursor,
                                             Qt::SizeAllCursor, Qt::CrossCursor};
    viewport()->setCursor(shapes[static_cast<int>(shape)]);
}

void HCanvasWidget::ShowTooltip(HTooltipAction action, const std::string& text) {
    if (action == HTooltipAction::Add || action == HTooltipAction::Replace) {
        QToolTip::showText(QCursor::pos(), ToQString(text), viewport());
    } else {
        QToolTip::hideText();
    }
}

void HCanvasWidget::UpdateExtent() {
    const HCanvasExtent extent =
        CanvasExtent(System().settings, ClientSize(), ScrollPosition(), m_zoom);
    const Qt::ScrollBarPolicy policy =
        extent.scrollBars != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    horizontalScrollBar()->setRange(0, std::max(0, extent.total.cx - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, extent.total.cy - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
}

HJumpView HCanvasWidget::JumpView() const {
    return {ClientSize(), horizontalScrollBar()->isVisible() ? 1 : 0,
            verticalScrollBar()->isVisible() ? 1 : 0, m_zoom};
}

void HCanvasWidget::ScrollTo(HPoint scroll) {
    horizontalScrollBar()->setValue(scroll.x);
    verticalScrollBar()->setValue(scroll.y);
}

void HCanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const double scale = ZoomViewportExtent(m_zoom) / 100.0;
    const HPoint scroll = ScrollPosition();
    const QPointF origin(scroll.x / scale, scroll.y / scale);
    HQtDrawContext dc(painter, scale, origin);
    const QRect area = event->rect();
    const HRect update = WindowToCanvas(
        HRect{area.left(), area.top(), area.right() + 2, area.bottom() + 2}, scroll, m_zoom);
    const HSize canvas = CanvasSize(System().settings, ClientSize(), scroll, m_zoom);
    m_controller->PaintCanvas(dc, update, canvas, 0);
}

void HCanvasWidget::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const HPoint q = ToCanvas(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_controller->LeftPress(q, ShiftOf(event->modifiers()), Tick());
    } else if (event->button() == Qt::RightButton) {
        m_controller->RightPress(q);
    }
}

namespace {

void AddEntries(QMenu& menu, const std::vector<HMenuEntry>& entries) {
    for (const HMenuEntry& entry : entries) {
        if (entry.id == 0 && entry.submenu.empty() && entry.text.empty()) {
            menu.addSeparator();
        } else if (entry.id == 0) {
            QMenu* sub = menu.addMenu(ToQString(entry.text));
            sub->setEnabled(entry.enabled != 0);
            AddEntries(*sub, entry.submenu);
        } else {
            QAction* action = menu.addAction(ToQString(entry.text));
            action->setData(entry.id);
            action->setEnabled(entry.enabled != 0);
            action->setCheckable(entry.checked != 0);
            action->setChecked(entry.checked != 0);
        }
    }
}

}  // namespace

QMenu* HCanvasWidget::BuildContextMenu() {
    const HCanvasMenu built = m_controller->BuildContextMenu(Clipboard());
    auto* menu = new QMenu(this);
    menu->setObjectName(built.lineMenu != 0 ? "LINE-Draw" : "ITEM-Draw");
    AddEntries(*menu, built.entries);
    connect(menu, &QMenu::triggered, this,
            [this](QAction* action) { emit CommandChosen(action->data().toInt()); });
    return menu;
}

void HCanvasWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = BuildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void HCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    m_controller->MouseMove(ToCanvas(event->position().toPoint()),
                            MoveFlags(event->buttons(), event->modifiers()), Tick());
}

void HCanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller->LeftRelease(ToCanvas(event->position().toPoint()),
                                  ShiftOf(event->modifiers()));
    }
}

void HCanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no press of its own; its release still comes.
    if (event->button() == Qt::LeftButton) {
        m_controller->LeftDoubleClick(ToCanvas(event->position().toPoint()));
    }
}

void HCanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_controller->EscapeReleased();
        return;
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

void HCanvasWidget::leaveEvent(QEvent* event) {
    m_controller->MouseLeave();
    QAbstractScrollArea::leaveEvent(event);
}

void HCanvasWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateExtent();
}

void HCanvasWidget::scrollContentsBy(int, int) {
    Redraw();
}

}  // namespace zarvik::gui
