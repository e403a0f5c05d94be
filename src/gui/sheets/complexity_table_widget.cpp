#include "gui/sheets/complexity_table_widget.h"

#include <QPainter>

#include "draw/qt_draw_context.h"

namespace zarvik::gui {
namespace {

QRect ToQRect(const HRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

}  // namespace

HComplexityTableWidget::HComplexityTableWidget(std::function<HComplexityInput()> input,
                                               QWidget* parent)
    : QWidget(parent), m_input(std::move(input)) {}

HComplexityTable HComplexityTableWidget::Table() const {
    return BuildComplexityTable(m_input(), width());
}

QSize HComplexityTableWidget::sizeHint() const {
    return QSize(kTableCellWidth * (kTableColumns + 2), 150);
}

void HComplexityTableWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    painter.fillRect(rect(), face);
    const HComplexityTable table = Table();
    if (!table.drawn) {
        return;
    }
    const QColor ink = draw::ToQColor(table.ink);
    for (const HTableCell& cell : table.cells) {
        QColor fill = face;
        if (cell.fill == HTableFill::White) {
            fill = Qt::white;
        } else if (cell.fill == HTableFill::Highlight) {
            fill = draw::ToQColor(kTableHighlightColor);
        }
        painter.fillRect(ToQRect(cell.rect), fill);
        if (!cell.text.empty()) {
            painter.setPen(ink);
            painter.drawText(ToQRect(cell.textRect), Qt::AlignHCenter | Qt::AlignBottom,
                             QString::fromStdString(cell.text));
        }
    }
    painter.setPen(QPen(ink, 1));
    for (const HTableLine& line : table.innerLines) {
        painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    }
    // The frame's two pixels lie inside its rectangle.
    const QRectF frame(table.frame.left, table.frame.top, table.frame.Width(),
                       table.frame.Height());
    const qreal half = table.frameWidth / 2.0;
    painter.setPen(QPen(ink, table.frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(frame.adjusted(half, half, -half, -half));
    painter.setPen(ink);
    painter.drawText(ToQRect(table.noteRect), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(table.note));
}

}  // namespace zarvik::gui
