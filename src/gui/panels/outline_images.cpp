#include "gui/panels/outline_images.h"

#include <QPainter>

#include "core/doc/item_outline.h"

namespace zarvik::gui {

namespace {

// A box with a minus (expanded) or a plus (collapsed), or a small hollow square with a
// short dash for a row that has nothing beneath it.
QPixmap Draw(int index) {
    QPixmap pixmap(kOutlineImageSize, kOutlineImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor frame(96, 96, 96);
    const QColor mark(0, 0, 0);
    if (index == kOutlineImageEmpty) {
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(4, 4, 8, 8);
        painter.drawLine(6, 8, 10, 8);
        return pixmap;
    }
    painter.setPen(frame);
    painter.setBrush(Qt::white);
    painter.drawRect(3, 3, 10, 10);
    painter.setPen(mark);
    painter.drawLine(5, 8, 11, 8);
    if (index == kOutlineImageCollapsed) {
        painter.drawLine(8, 5, 8, 11);
    }
    return pixmap;
}

}  // namespace

QPixmap OutlineImage(int index) {
    if (index != kOutlineImageExpanded && index != kOutlineImageCollapsed &&
        index != kOutlineImageEmpty) {
        return {};
    }
    return Draw(index);
}

}  // namespace zarvik::gui
