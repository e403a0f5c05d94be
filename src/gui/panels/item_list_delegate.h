#pragma once
// The item list's cells: painted in the colours the model gives without the view's own
// selection highlight (the canvas selection is what the colours show), and edited in
// place with a line edit, a choice list or a number field as the core says.

#include <QPointer>
#include <QStyledItemDelegate>

namespace zarvik {
class HItemObject;
struct HItemsGoing;
}  // namespace zarvik

namespace zarvik::gui {

class HItemListModel;

class HItemListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    HItemListDelegate(HItemListModel& model, QObject* parent = nullptr);

    bool IsEditorOpen() const { return !m_editor.isNull(); }
    // Closes the open editor without applying it.
    void CancelEditing();
    // When the box being edited is about to go, its editor closes unapplied.
    void ForgetGoing(const HItemsGoing& going);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    HItemListModel& m_model;
    // The one open editor and the box it edits, whatever the rows do meanwhile.
    mutable QPointer<QWidget> m_editor;
    mutable HItemObject* m_box = nullptr;
};

}  // namespace zarvik::gui
