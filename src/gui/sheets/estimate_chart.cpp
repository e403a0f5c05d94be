#include "gui/sheets/estimate_chart.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/estimate_sheet_focus.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_fonts.h"
#include "draw/qt_text.h"

namespace zarvik::gui {
namespace {

// The colours of a Windows 3D edge: outer and inner, top-left and bottom-right.
struct HEdgeColors {
    QColor outerTopLeft;
    QColor innerTopLeft;
    QColor innerBottomRight;
    QColor outerBottomRight;
};
const HEdgeColors kRaised{QColor(227, 227, 227), QColor(255, 255, 255), QColor(160, 160, 160),
                          QColor(105, 105, 105)};
const HEdgeColors kSunken{QColor(160, 160, 160), QColor(105, 105, 105), QColor(227, 227, 227),
                          QColor(255, 255, 255)};

void DrawEdge(QPainter& painter, const QRect& rect, const HEdgeColors& colors) {
    const auto frame = [&painter](const QRect& r, const QColor& topLeft,
                                  const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    frame(rect, colors.outerTopLeft, colors.outerBottomRight);
    frame(rect.adjusted(1, 1, -1, -1), colors.innerTopLeft, colors.innerBottomRight);
}

// The pictures of the boxes that have one: the tool bar's pictures of the two functions.
QString IconOf(int32_t id) {
    switch (id) {
        case kKantanData:
            return QStringLiteral(":/icons/place_file.svg");
        case kKantanTransaction:
            return QStringLiteral(":/icons/place_task.svg");
        default:
            return {};
    }
}

QRect ToQRect(const HRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

}  // namespace

HEstimateChart::HEstimateChart(const CZarvikDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_items(BuildKantanItems()), m_lines(BuildKantanLines()) {
    setObjectName(QStringLiteral("MyWnd"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const HSize extent = KantanExtent(m_items);
    setMinimumSize(extent.cx, extent.cy);
}

int32_t HEstimateChart::FocusedBox() const {
    for (const HInfoKantanItem& item : m_items) {
        if (item.focus != 0) {
            return item.id;
        }
    }
    return 0;
}

void HEstimateChart::SetFocusBox(int32_t id) {
    if (SetKantanFocus(m_items, id) == 0) {
        return;
    }
    emit FocusMoved(BoxRect(id));
    update();
}

QRect HEstimateChart::BoxRect(int32_t id) const {
    const HInfoKantanItem* box = FindKantanItem(m_items, id);
    return box != nullptr ? ToQRect(box->Rect()) : QRect();
}

HKantanBoxText HEstimateChart::TextOf(int32_t id) const {
    for (const HKantanBoxText& text :
         BuildKantanTexts(m_items, m_doc.FunctionRecords(), System().CurrentRules())) {
        if (text.id == id) {
            return text;
        }
    }
    return {};
}

QString HEstimateChart::LineText(int32_t id, int line) const {
    return line >= 0 && line < kKantanLineCount
               ? draw::ToQString(TextOf(id).lines[static_cast<std::size_t>(line)])
               : QString();
}

QColor HEstimateChart::TextColor(int32_t id) const {
    return draw::ToQColor(TextOf(id).color);
}

void HEstimateChart::paintEvent(QPaintEvent* /*event*/) {
    // The widget's backing store is the second buffer: nothing flickers.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // One computation of the estimate serves every box of this paint.
    const std::vector<HKantanBoxText> texts =
        BuildKantanTexts(m_items, m_doc.FunctionRecords(), System().CurrentRules());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].background != 0) {
            PaintBox(painter, m_items[i], texts[i]);
        }
    }
    for (const HInfoKantanLine& piece : m_lines) {
        painter.fillRect(ToQRect(piece.Rect()), draw::ToQColor(piece.pen.color));
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].background == 0) {
            PaintBox(painter, m_items[i], texts[i]);
        }
    }
}

void HEstimateChart::PaintBox(QPainter& painter, const HInfoKantanItem& box,
                              const HKantanBoxText& text) {
    const QRect area = ToQRect(box.Rect());
    painter.fillRect(area, draw::ToQColor(box.color));
    DrawEdge(painter, area, box.pressed != 0 ? kSunken : kRaised);
    if (box.focus != 0) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(4, 4, -5, -5));
    }
    QFont font = draw::FixedGothicFont(10);
    painter.setPen(draw::ToQColor(text.color));
    for (int32_t line = 0; line < kKantanLineCount; ++line) {
        const QString shown = draw::ToQString(text.lines[static_cast<std::size_t>(line)]);
        if (shown.isEmpty()) {
            continue;
        }
        font.setBold(line == 0);
        painter.setFont(font);
        const QRect cell(box.x, GetKantanTextY(box, line), box.width, kKantanGridY);
        painter.drawText(cell, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, shown);
    }
    if (const QString icon = IconOf(box.id); !icon.isEmpty()) {
        QIcon(icon).paint(&painter, QRect(box.x + 5, box.y + 5, 16, 16));
    }
}

void HEstimateChart::SetPressed(int32_t id) {
    bool changed = false;
    for (HInfoKantanItem& item : m_items) {
        const int32_t pressed = item.id == id ? 1 : 0;
        changed = changed || item.pressed != pressed;
        item.pressed = pressed;
    }
    if (changed) {
        update();
    }
}

void HEstimateChart::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    const int32_t id = KantanBoxAt(m_items, HPoint{at.x(), at.y()});
    if (id != 0) {
        SetFocusBox(id);
    }
    if (event->button() == Qt::LeftButton) {
        SetPressed(id);
    }
}

void HEstimateChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        SetPressed(0);
    }
}

void HEstimateChart::contextMenuEvent(QContextMenuEvent* event) {
    const int32_t id = event->reason() == QContextMenuEvent::Mouse
                           ? KantanBoxAt(m_items, HPoint{event->pos().x(), event->pos().y()})
                           : FocusedBox();
    const QRect box = BoxRect(id);
    // From the keyboard the menu opens on the box, not where the mouse happens to be.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse || box.isEmpty()
                          ? event->globalPos()
                          : mapToGlobal(box.center());
    emit MenuRequested(id, at);
}

void HEstimateChart::keyPressEvent(QKeyEvent* event) {
    const int32_t focused = FocusedBox();
    int32_t next = -1;
    switch (event->key()) {
        case Qt::Key_Tab:
            next = NextKantanFocus(m_items, focused,
                                   event->modifiers().testFlag(Qt::ShiftModifier) ? -1 : 1);
            break;
        case Qt::Key_Backtab:
            next = NextKantanFocus(m_items, focused, -1);
            break;
        case Qt::Key_Left:
            next = KantanNeighbour(m_items, focused, -1, 0);
            break;
        case Qt::Key_Right:
            next = KantanNeighbour(m_items, focused, 1, 0);
            break;
        case Qt::Key_Up:
            next = KantanNeighbour(m_items, focused, 0, -1);
            break;
        case Qt::Key_Down:
            next = KantanNeighbour(m_items, focused, 0, 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: {
            const QRect box = BoxRect(focused);
            emit MenuRequested(focused, mapToGlobal(box.isEmpty() ? QPoint(0, 0) : box.center()));
            return;
        }
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    SetFocusBox(next);
}

bool HEstimateChart::focusNextPrevChild(bool /*next*/) {
    // Tab moves between the boxes, not out of the chart.
    return false;
}

}  // namespace zarvik::gui
