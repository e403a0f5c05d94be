#include "gui/panels/item_list_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <algorithm>

#include "core/doc/zarvik_doc.h"
#include "core/items/item_object.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

namespace {

Qt::Alignment AlignmentOf(int32_t format) {
    switch (format & kListFormatAlignMask) {
        case kListFormatRight:
            return Qt::AlignRight | Qt::AlignVCenter;
        case kListFormatCenter:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

HItemListModel::HItemListModel(CZarvikDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {
    for (int column = 0; column < kListColumnCount; ++column) {
        m_formats[column] = ItemListColumn(column).format | kListFormatString;
    }
    Refresh();
}

void HItemListModel::Refresh() {
    ReplaceRows(BuildItemListRows(m_doc.Boxes(), m_filter, m_sort));
}

void HItemListModel::ReplaceRows(std::vector<HItemListRow> rows) {
    const int before = static_cast<int>(m_rows.size());
    const int after = static_cast<int>(rows.size());
    if (after < before) {
        beginRemoveRows({}, after, before - 1);
        m_rows.resize(after);
        endRemoveRows();
    } else if (after > before) {
        beginInsertRows({}, before, after - 1);
        m_rows = rows;
        endInsertRows();
    }
    m_rows = std::move(rows);
    if (after > 0) {
        emit dataChanged(index(0, 0), index(after - 1, kListColumnCount - 1));
    }
}

void HItemListModel::DropItems(const HItemsGoing& going) {
    if (going.all) {
        beginResetModel();
        m_rows.clear();
        endResetModel();
        return;
    }
    // One row at a time, so that an editor on another row stays open.
    for (int row = static_cast<int>(m_rows.size()) - 1; row >= 0; --row) {
        if (going.Contains(m_rows[row].box)) {
            beginRemoveRows({}, row, row);
            m_rows.erase(m_rows.begin() + row);
            endRemoveRows();
        }
    }
}

void HItemListModel::SetFilter(int filter) {
    m_filter = filter;
    Refresh();
}

void HItemListModel::ClickHeader(int column) {
    m_sort.Click(column);
    Refresh();
}

const HItemListRow* HItemListModel::RowAt(int row) const {
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? &m_rows[row] : nullptr;
}

int32_t HItemListModel::ColumnFormat(int column) const {
    return m_formats.at(column);
}

void HItemListModel::SetColumnFormat(int column, int32_t format) {
    m_formats.at(column) = format;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void HItemListModel::ApplyEdit(HItemObject* box, int column, const QString& text) {
    ApplyItemListEdit(m_doc, box, column, draw::ToStdString(text));
}

int HItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int HItemListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kListColumnCount;
}

QVariant HItemListModel::data(const QModelIndex& index, int role) const {
    const HItemListRow* row = RowAt(index.row());
    if (row == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return draw::ToQString(ItemListCellText(*row, index.column()));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(m_formats.at(index.column())));
        case Qt::ForegroundRole:
            return QBrush(draw::ToQColor(ItemListRowColors(*row).text));
        case Qt::BackgroundRole:
            return QBrush(draw::ToQColor(ItemListRowColors(*row).background));
        case Qt::FontRole: {
            QFont font;
            font.setBold(ItemListRowColors(*row).bold != 0);
            return font;
        }
        default:
            return {};
    }
}

QVariant HItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kListColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return draw::ToQString(ItemListColumn(section).header);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(AlignmentOf(m_formats.at(section)));
    }
    return {};
}

Qt::ItemFlags HItemListModel::flags(const QModelIndex& index) const {
    const HItemListRow* row = RowAt(index.row());
    if (row == nullptr) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const HListEditor editor = ItemListEditorOf(index.column());
    HItemListChoices choices;
    if (editor != HListEditor::None &&
        (editor != HListEditor::Choice || ItemListChoicesOf(*row, choices))) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

}  // namespace zarvik::gui
