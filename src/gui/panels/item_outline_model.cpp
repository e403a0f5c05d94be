#include "gui/panels/item_outline_model.h"

#include <QColor>

#include "core/doc/item_outline.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"
#include "gui/panels/outline_images.h"

namespace zarvik::gui {

HItemOutlineModel::HItemOutlineModel(QObject* parent) : QAbstractTableModel(parent) {
    for (int i = 0; i < static_cast<int>(m_images.size()); ++i) {
        m_images[static_cast<std::size_t>(i)] = OutlineImage(i);
    }
}

void HItemOutlineModel::SetOutline(HItemOutline* outline) {
    beginResetModel();
    m_outline = outline;
    endResetModel();
}

void HItemOutlineModel::ToggleRow(int row) {
    if (!m_outline || row < 0) {
        return;
    }
    beginResetModel();
    m_outline->ToggleRow(static_cast<std::size_t>(row));
    endResetModel();
}

int HItemOutlineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_outline ? 0 : static_cast<int>(m_outline->Rows().size());
}

int HItemOutlineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant HItemOutlineModel::data(const QModelIndex& index, int role) const {
    if (!m_outline || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return draw::ToQString(m_outline->CellText(row, index.column()));
        case Qt::DecorationRole: {
            const int image = index.column() == 0 ? m_outline->ImageIndex(row) : kOutlineImageNone;
            if (image < 0 || image >= static_cast<int>(m_images.size())) {
                return {};
            }
            return m_images[static_cast<std::size_t>(image)];
        }
        case Qt::ForegroundRole:
            return draw::ToQColor(m_outline->Colors(row).text);
        case Qt::BackgroundRole:
            return draw::ToQColor(m_outline->Colors(row).back);
        case kOutlineLevelRole:
            return m_outline->Rows()[row].level;
        default:
            return {};
    }
}

QVariant HItemOutlineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == 0 ? QStringLiteral("項目名") : QStringLiteral("備考");
}

}  // namespace zarvik::gui
