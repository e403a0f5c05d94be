#pragma once
// The table model over one of the core's item outlines: texts, the row pictures and the
// row colours come from the outline as they are.

#include <QAbstractTableModel>
#include <QPixmap>
#include <array>

namespace zarvik {
class HItemOutline;
}

namespace zarvik::gui {

// The outline level of a row, for the delegate's indentation.
inline constexpr int kOutlineLevelRole = Qt::UserRole + 1;

class HItemOutlineModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit HItemOutlineModel(QObject* parent = nullptr);

    // The outline shown; it must outlive its showing.
    void SetOutline(HItemOutline* outline);
    HItemOutline* Outline() const { return m_outline; }
    // A double click on row: the outline opens or closes it and the rows are shown anew.
    void ToggleRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    HItemOutline* m_outline = nullptr;
    std::array<QPixmap, 3> m_images;
};

}  // namespace zarvik::gui
