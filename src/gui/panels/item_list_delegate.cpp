#include "gui/panels/item_list_delegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "core/doc/doc_change.h"
#include "core/doc/item_list.h"
#include "core/items/item_object.h"
#include "draw/qt_text.h"
#include "gui/frame/cp932_validator.h"
#include "gui/panels/item_list_model.h"

namespace zarvik::gui {

namespace {

constexpr int kChoicePopupWidth = 100;

}  // namespace

HItemListDelegate::HItemListDelegate(HItemListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {
    // The editor is gone for the list as soon as it is closed, not when it is deleted.
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
        if (editor == m_editor) {
            m_editor = nullptr;
            m_box = nullptr;
        }
    });
}

void HItemListDelegate::CancelEditing() {
    if (m_editor) {
        emit closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    }
}

void HItemListDelegate::ForgetGoing(const HItemsGoing& going) {
    if (m_editor && m_box != nullptr && going.Contains(m_box)) {
        m_box = nullptr;
        CancelEditing();
    }
}

void HItemListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
}

QWidget* HItemListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    const HItemListRow* row = m_model.RowAt(index.row());
    if (row == nullptr) {
        return nullptr;
    }
    QWidget* editor = nullptr;
    switch (ItemListEditorOf(index.column())) {
        case HListEditor::Text: {
            auto* edit = new QLineEdit(parent);
            edit->setValidator(new HCp932Validator(edit));
            editor = edit;
            break;
        }
        case HListEditor::Number: {
            // Digits only, as many as a coordinate takes; an empty field keeps the value.
            auto* edit = new QLineEdit(parent);
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression("\\d{0,9}"), edit));
            editor = edit;
            break;
        }
        case HListEditor::Choice: {
            HItemListChoices choices;
            if (!ItemListChoicesOf(*row, choices)) {
                return nullptr;
            }
            auto* combo = new QComboBox(parent);
            for (const std::string& entry : choices.entries) {
                combo->addItem(draw::ToQString(entry));
            }
            combo->view()->setMinimumWidth(kChoicePopupWidth);
            editor = combo;
            break;
        }
        case HListEditor::None:
            return nullptr;
    }
    m_editor = editor;
    m_box = row->box;
    return editor;
}

void HItemListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const HItemListRow* row = m_model.RowAt(index.row());
    if (row == nullptr) {
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        HItemListChoices choices;
        ItemListChoicesOf(*row, choices);
        combo->setCurrentIndex(choices.selected);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(draw::ToQString(ItemListCellText(*row, index.column())));
        edit->selectAll();
    }
}

void HItemListDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const {
    if (editor != m_editor || m_box == nullptr) {
        return;
    }
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        text = QString::number(combo->currentIndex());
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        text = edit->text();
    }
    HItemObject* box = m_box;
    m_box = nullptr;
    m_model.ApplyEdit(box, index.column(), text);
}

}  // namespace zarvik::gui
