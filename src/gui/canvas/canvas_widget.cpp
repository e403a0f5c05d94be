#include "gui/canvas/canvas_widget.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QUrl>

#include "core/app/system.h"
#include "core/canvas/canvas_menus.h"
#include "core/canvas/file_drop.h"
#include "core/canvas/shortcuts.h"
#include "core/canvas/tooltips.h"
#include "core/canvas/zoom.h"
#include "core/doc/clipboard.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"
#include "core/items/item_core.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"
#include "gui/canvas/canvas_tooltip.h"
#include "gui/canvas/menu_entries.h"

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

Qt::CursorShape QtCursor(HCursorShape shape) {
    switch (shape) {
        case HCursorShape::SizeVertical:
            return Qt::SizeVerCursor;
        case HCursorShape::SizeHorizontal:
            return Qt::SizeHorCursor;
        case HCursorShape::SizeAll:
            return Qt::SizeAllCursor;
        case HCursorShape::Cross:
            return Qt::CrossCursor;
        case HCursorShape::Arrow:
            break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

std::vector<std::string> DroppedPaths(const QMimeData& mime) {
    std::vector<std::string> paths;
    for (const QUrl& url : mime.urls()) {
        if (url.isLocalFile()) {
            // The file system's own bytes: a name that is not UTF-8 still opens.
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    return paths;
}

HCanvasWidget::HCanvasWidget(CZarvikDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    m_controller = std::make_unique<HCanvasController>(doc, *this);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAcceptDrops(true);
    setAcceptDrops(true);
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

HSize HCanvasWidget::CanvasSizeNow() const {
    return CanvasSize(System().settings, ClientSize(), ScrollPosition(), m_zoom);
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

void HCanvasWidget::RedrawArea(const HRect& area) {
    if (area.left > area.right || area.top > area.bottom) {
        return;
    }
    const HPoint scroll = ScrollPosition();
    const auto toPixel = [this](int32_t units, int32_t scrolled) {
        const double pixel =
            static_cast<double>(units) * ZoomViewportExtent(m_zoom) / 100 - scrolled;
        return static_cast<int>(std::clamp(pixel, -1e6, 1e6));
    };
    // Two pixels more on every side for the rounding of the mapping.
    const QRect device(
        QPoint(toPixel(area.left, scroll.x) - 2, toPixel(area.top, scroll.y) - 2),
        QPoint(toPixel(area.right, scroll.x) + 2, toPixel(area.bottom, scroll.y) + 2));
    const QRect visible = device & viewport()->rect();
    if (!visible.isEmpty()) {
        viewport()->update(visible);
    }
}

void HCanvasWidget::SetCursor(HCursorShape shape) {
    viewport()->setCursor(QtCursor(shape));
}

void HCanvasWidget::ShowTooltip(HTooltipAction action, const std::string& text) {
    switch (action) {
        case HTooltipAction::Remove:
            m_tooltip.clear();
            QToolTip::hideText();
            break;
        case HTooltipAction::Add:
            // Shown when the mouse comes to rest (the ToolTip event).
            m_tooltip = draw::ToQString(text);
            break;
        case HTooltipAction::Replace:
            m_tooltip = draw::ToQString(text);
            if (QToolTip::isVisible()) {
                ShowTooltipAt(m_lastGlobalPos);
            }
            break;
        case HTooltipAction::Pop:
            // The tip goes while the mouse moves on; when it rests again the tip describes
            // what lies under it now, not what it first showed.
            m_tooltip = draw::ToQString(text);
            QToolTip::hideText();
            break;
    }
}

void HCanvasWidget::ShowTooltipAt(QPoint globalPos) {
    if (m_tooltip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(globalPos, TooltipRichText(m_tooltip, QToolTip::font(), kTooltipMaxWidth),
                       viewport());
}

void HCanvasWidget::UpdateExtent() {
    if (m_updatingExtent) {
        return;
    }
    m_updatingExtent = true;
    const HCanvasExtent extent =
        CanvasExtent(System().settings, ClientSize(), ScrollPosition(), m_zoom);
    const Qt::ScrollBarPolicy policy =
        extent.scrollBars != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policy) {
        setHorizontalScrollBarPolicy(policy);
        setVerticalScrollBarPolicy(policy);
    }
    // Showing or hiding a scroll bar resizes the viewport later, and its resize event
    // brings the ranges here again.
    const HSize client = ClientSize();
    horizontalScrollBar()->setRange(0, std::max(0, extent.total.cx - client.cx));
    verticalScrollBar()->setRange(0, std::max(0, extent.total.cy - client.cy));
    horizontalScrollBar()->setPageStep(client.cx);
    verticalScrollBar()->setPageStep(client.cy);
    horizontalScrollBar()->setSingleStep(kZoomLineStep.cx);
    verticalScrollBar()->setSingleStep(kZoomLineStep.cy);
    m_updatingExtent = false;
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
    // The diagram is painted into a picture of the viewport first, where the drawing
    // context can write lines straight into the pixels, then copied to the screen.
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize pixels = viewport()->size() * ratio;
    if (m_backBuffer.size() != pixels) {
        m_backBuffer = QImage(pixels, QImage::Format_RGB32);
        m_backBuffer.setDevicePixelRatio(ratio);
    }
    const QRect area = event->rect();
    {
        QPainter painter(&m_backBuffer);
        painter.setClipRect(area);
        PaintDiagram(painter, area);
    }
    QPainter screen(viewport());
    screen.drawImage(area, m_backBuffer,
                     QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

void HCanvasWidget::PaintDiagram(QPainter& painter, const QRect& area) {
    const double scale = ZoomViewportExtent(m_zoom) / 100.0;
    const HPoint scroll = ScrollPosition();
    const QPointF origin(scroll.x / scale, scroll.y / scale);
    draw::HQtDrawContext dc(painter, scale, origin);
    // Only the update rectangle (and a pixel around it) is painted; items outside it are
    // left out by the controller.
    const HRect update =
        WindowToCanvas(HRect{area.left() - 1, area.top() - 1, area.right() + 2, area.bottom() + 2},
                       scroll, m_zoom);
    const HSize canvas = CanvasSize(System().settings, ClientSize(), scroll, m_zoom);
    const int shift = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    m_controller->PaintCanvas(dc, update, canvas, shift);
    if (!m_highlights.empty()) {
        PaintHighlights(painter, dc, update);
    }
}

void HCanvasWidget::SetHighlights(std::map<std::string, QColor> highlights) {
    m_highlights = std::move(highlights);
    Redraw();
}

void HCanvasWidget::PaintHighlights(QPainter& painter, const draw::HQtDrawContext& dc,
                                    const HRect& update) {
    constexpr int kReach = 4;  // pixels the frame stands off the box
    const int32_t margin = PixelsToCanvas(kReach * 2, m_zoom) + 1;
    const HRect reach{update.left - margin, update.top - margin, update.right + margin,
                      update.bottom + margin};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (HItemCore* item = m_doc.Boxes().Head(); item != nullptr; item = item->next) {
        HRect bounds;
        item->GetBoundRect(bounds);
        if (bounds.right < reach.left || bounds.left > reach.right || bounds.bottom < reach.top ||
            bounds.top > reach.bottom) {
            continue;
        }
        const auto found = m_highlights.find(item->GetSectionKey());
        if (found == m_highlights.end()) {
            continue;
        }
        const QRectF box = QRectF(dc.ToDevice({bounds.left, bounds.top}),
                                  dc.ToDevice({bounds.right, bounds.bottom}))
                               .normalized()
                               .adjusted(-kReach, -kReach, kReach, kReach);
        QColor fill = found->second;
        fill.setAlpha(40);
        painter.setPen(QPen(found->second, 3));
        painter.setBrush(fill);
        painter.drawRoundedRect(box, 4, 4);
    }
    painter.restore();
}

bool HCanvasWidget::event(QEvent* event) {
    // The selection decides what Ctrl+C, Delete and the others mean on the canvas, so the
    // canvas takes those keys before the window's shortcuts see them.
    if (event->type() == QEvent::ShortcutOverride &&
        ShortcutCommand(*static_cast<QKeyEvent*>(event)) != 0) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool HCanvasWidget::viewportEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            ShowTooltipAt(static_cast<QHelpEvent*>(event)->globalPos());
            return true;
        case QEvent::Leave:
            m_controller->MouseLeave();
            break;
        case QEvent::Resize:
            // The canvas may follow the window; the scroll bars follow the canvas.
            UpdateExtent();
            Redraw();
            break;
        default:
            break;
    }
    return QAbstractScrollArea::viewportEvent(event);
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

QMenu* HCanvasWidget::BuildContextMenu() {
    const HCanvasMenu built = m_controller->BuildContextMenu(Clipboard());
    auto* menu = new QMenu(this);
    menu->setObjectName(built.lineMenu != 0 ? "LINE-Draw" : "ITEM-Draw");
    AddMenuEntries(*menu, built.entries, m_available);
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
    m_lastGlobalPos = event->globalPosition().toPoint();
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

int32_t HCanvasWidget::ShortcutCommand(const QKeyEvent& event) const {
    HShortcutInput input;
    if (event.key() == Qt::Key_Delete) {
        input.key = kKeyDelete;
    } else if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        input.key = event.key();  // the upper-case character code
    } else {
        return 0;
    }
    input.ctrl = event.modifiers().testFlag(Qt::ControlModifier) ? 1 : 0;
    input.lineSelected = m_doc.Lines().CountSelected() > 0 ? 1 : 0;
    return TranslateShortcut(input);
}

void HCanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (const int32_t command = ShortcutCommand(*event); command != 0) {
        emit CommandChosen(command);
    }
    // The key goes on to its normal handling (the arrow and page keys scroll).
    QAbstractScrollArea::keyPressEvent(event);
}

void HCanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) {
        m_controller->EscapeReleased();
        return;
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

void HCanvasWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() != nullptr && !DroppedPaths(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void HCanvasWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData() != nullptr && !DroppedPaths(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void HCanvasWidget::dropEvent(QDropEvent* event) {
    if (event->mimeData() == nullptr) {
        return;
    }
    std::vector<std::string> paths = DroppedPaths(*event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    // The questions and the load come after the drop has finished, so the program the
    // file came from is not kept waiting on them.
    QMetaObject::invokeMethod(
        this, [this, paths = std::move(paths)] { OpenDropped(paths); }, Qt::QueuedConnection);
}

void HCanvasWidget::OpenDropped(const std::vector<std::string>& paths) {
    // Unlike opening through the menu, a drop used to replace the document without asking;
    // unsaved changes are asked about first here, and a cancelled question keeps them.
    DropFiles(paths, [this](const std::string& path) { return m_doc.OpenPath(path); });
}

void HCanvasWidget::scrollContentsBy(int, int) {
    // With the canvas following the window, the canvas moves with the scroll position.
    UpdateExtent();
    Redraw();
}

}  // namespace zarvik::gui
