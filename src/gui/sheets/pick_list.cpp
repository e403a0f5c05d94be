#include "gui/sheets/pick_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zarvik::gui {

HPickList::HPickList(const QString& caption, QWidget* parent) : QWidget(parent) {
    m_edit = new QLineEdit(this);
    m_list = new QListWidget(this);
    m_list->setFocusProxy(m_edit);
    // The field sets the column's width; the list's own wide hint would widen the sheet.
    m_list->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    m_list->setMinimumWidth(60);
    auto* label = new QLabel(caption, this);
    label->setBuddy(m_edit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textEdited, this, &HPickList::Typed);
    connect(m_list, &QListWidget::currentRowChanged, this, &HPickList::RowChanged);
}

void HPickList::SetEntries(const QStringList& entries) {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(entries);
}

void HPickList::Show(const QString& text) {
    if (m_edit->text() != text) {
        const QSignalBlocker quiet(m_edit);
        m_edit->setText(text);
    }
    const QList<QListWidgetItem*> found = m_list->findItems(text, Qt::MatchExactly);
    const QSignalBlocker quiet(m_list);
    if (found.isEmpty()) {
        m_list->setCurrentRow(-1);
        return;
    }
    m_list->setCurrentItem(found.first());
    m_list->scrollToItem(found.first());
}

bool HPickList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QApplication::sendEvent(m_list, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HPickList::Typed(const QString& text) {
    const QList<QListWidgetItem*> found = m_list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        {
            const QSignalBlocker quiet(m_list);
            m_list->setCurrentRow(-1);
        }
        emit OtherTyped(text);
        return;
    }
    const int row = m_list->row(found.first());
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(row);
    }
    m_list->scrollToItem(found.first());
    emit EntryChosen(row);
}

void HPickList::RowChanged(int row) {
    if (row < 0) {
        return;
    }
    const QSignalBlocker quiet(m_edit);
    m_edit->setText(m_list->item(row)->text());
    m_edit->selectAll();
    emit EntryChosen(row);
}

}  // namespace zarvik::gui
