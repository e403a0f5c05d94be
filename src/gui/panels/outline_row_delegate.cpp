#include "gui/panels/outline_row_delegate.h"

#include <QPainter>

#include "gui/panels/item_outline_model.h"

namespace zarvik::gui {

namespace {

int IndentOf(const QModelIndex& index) {
    return index.column() == 0 ? index.data(kOutlineLevelRole).toInt() * kOutlineIndent : 0;
}

}  // namespace

void HOutlineRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QVariant back = index.data(Qt::BackgroundRole);
    if (back.canConvert<QColor>()) {
        painter->fillRect(option.rect, back.value<QColor>());
    }
    QStyleOptionViewItem shifted = option;
    shifted.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    shifted.rect.adjust(IndentOf(index), 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
}

QSize HOutlineRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += IndentOf(index);
    return size;
}

}  // namespace zarvik::gui
