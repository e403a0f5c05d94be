#pragma once
// The item list's rows for the table view, as the core builds them. A refresh keeps the
// model's indexes (rows are added or removed at the end and every cell is reported
// changed) so that an open editor and a click in progress survive it.

#include <QAbstractTableModel>
#include <array>
#include <vector>

#include "core/doc/doc_change.h"
#include "core/doc/item_list.h"

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HItemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HItemListModel(CZarvikDoc& doc, QObject* parent = nullptr);

    // Rebuilds the rows from the document under the filter and the sort.
    void Refresh();
    // The rows that refer to going items leave at once.
    void DropItems(const HItemsGoing& going);

    int Filter() const { return m_filter; }
    void SetFilter(int filter);
    const HItemListSort& Sort() const { return m_sort; }
    void ClickHeader(int column);

    // Null outside the rows.
    const HItemListRow* RowAt(int row) const;
    int RowOf(const HItemObject* box) const { return FindItemListRow(m_rows, box); }

    int32_t ColumnFormat(int column) const;
    void SetColumnFormat(int column, int32_t format);

    // An edited cell of box goes to the document.
    void ApplyEdit(HItemObject* box, int column, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void ReplaceRows(std::vector<HItemListRow> rows);

    CZarvikDoc& m_doc;
    std::vector<HItemListRow> m_rows;
    int m_filter = kListShowAll;
    HItemListSort m_sort;
    std::array<int32_t, kListColumnCount> m_formats{};
};

}  // namespace zarvik::gui
