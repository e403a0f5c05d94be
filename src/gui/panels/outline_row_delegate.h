#pragma once
// Paints a row of the item list dialogs: the row's own colours over the whole cell, the
// first column indented by the row's level, and never the view's selection highlight, so
// that every row keeps the colours of its function.

#include <QStyledItemDelegate>

namespace zarvik::gui {

inline constexpr int kOutlineIndent = 16;  // pixels per level

class HOutlineRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace zarvik::gui
