#pragma once
// The lists of the rule sheets' table pages: rows kept in a vector, edited through a row
// dialog with the same keys and context menu on every page.

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zarvik::gui {

QTreeWidget* MakeList(QWidget* parent, const char* name, const QStringList& headers,
                      const std::vector<int>& widths);
int SelectedRow(const QTreeWidget* list);
void SelectRow(QTreeWidget* list, int row);
// Fills the list with count rows, reusing the items it has.
void Resize(QTreeWidget* list, int count);

// Turns keys on a list into its commands.
class HListKeys : public QObject {
public:
    HListKeys(QTreeWidget* list, std::function<bool(int, const QString&)> onKey)
        : QObject(list), m_onKey(std::move(onKey)) {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        return key->modifiers() == Qt::NoModifier && m_onKey(key->key(), key->text());
    }

private:
    std::function<bool(int, const QString&)> m_onKey;
};

// Add, change, move up and down, delete on a table whose rows are a vector.
template <typename Row>
struct HTableCommands {
    std::vector<Row>* rows;
    std::function<bool(Row&)> edit;  // true when the dialog stored the row
    QTreeWidget* list;
    std::function<void()> changed;

    int Selected() const { return SelectedRow(list); }
    int Count() const { return static_cast<int>(rows->size()); }
    bool CanEdit() const { return Selected() >= 0 && Selected() < Count(); }
    bool CanUp() const { return CanEdit() && Selected() > 0; }
    bool CanDown() const { return CanEdit() && Selected() + 1 < Count(); }

    void Add() {
        Row row;
        if (edit(row)) {
            const int at = CanEdit() ? Selected() + 1 : Count();
            rows->insert(rows->begin() + at, row);
            Done(at);
        }
    }
    void Edit() {
        if (!CanEdit()) {
            return;
        }
        const int at = Selected();
        Row row = (*rows)[at];
        if (edit(row)) {
            (*rows)[at] = row;
            Done(at);
        }
    }
    void Move(int by) {
        const int at = Selected();
        if (by < 0 ? !CanUp() : !CanDown()) {
            return;
        }
        std::swap((*rows)[at], (*rows)[at + by]);
        Done(at + by);
    }
    void Remove() {
        if (!CanEdit()) {
            return;
        }
        const int at = Selected();
        rows->erase(rows->begin() + at);
        Done(std::min(at, Count() - 1));
    }
    void Done(int select) {
        changed();
        SelectRow(list, select);
    }

    bool Key(int key) {
        switch (key) {
            case Qt::Key_I:
            case Qt::Key_Insert:
                Add();
                return true;
            case Qt::Key_E:
                Edit();
                return true;
            case Qt::Key_U:
                Move(-1);
                return true;
            case Qt::Key_D:
                Move(1);
                return true;
            case Qt::Key_Delete:
                Remove();
                return true;
            default:
                return false;
        }
    }

    void Menu(const QPoint& at) {
        QMenu menu(list);
        menu.addAction(QStringLiteral("項目追加\tI or Ins"), [this] { Add(); });
        menu.addAction(QStringLiteral("変更\tE"), [this] { Edit(); })->setEnabled(CanEdit());
        menu.addAction(QStringLiteral("上に移動\tU"), [this] { Move(-1); })->setEnabled(CanUp());
        menu.addAction(QStringLiteral("下に移動\tD"), [this] { Move(1); })->setEnabled(CanDown());
        menu.addAction(QStringLiteral("削除\tDel"), [this] { Remove(); })->setEnabled(CanEdit());
        menu.exec(list->viewport()->mapToGlobal(at));
    }
};

template <typename Row>
void InstallTableCommands(QTreeWidget* list, std::shared_ptr<HTableCommands<Row>> commands) {
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, list, [commands] { commands->Edit(); });
    QObject::connect(list, &QTreeWidget::customContextMenuRequested, list,
                     [commands](const QPoint& at) { commands->Menu(at); });
    new HListKeys(list, [commands](int key, const QString&) { return commands->Key(key); });
}

// Runs a row dialog, made with the row and args, on row; true when the dialog stored it.
template <typename Dialog, typename Row, typename... Args>
bool EditInDialog(Row& row, Args&&... args) {
    Dialog dialog(row, std::forward<Args>(args)...);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    row = dialog.Row();
    return true;
}

// A table page's list commands over the table's rows, and its "初期値に戻す" button; both
// call changed after they changed the table.
template <typename Row, typename Table>
void InstallTablePage(QTreeWidget* list, QPushButton* reset, Table& table,
                      std::function<bool(Row&)> edit, std::function<void()> changed) {
    auto commands = std::make_shared<HTableCommands<Row>>();
    commands->rows = &table.rows;
    commands->list = list;
    commands->edit = std::move(edit);
    commands->changed = changed;
    InstallTableCommands(list, commands);
    QObject::connect(reset, &QPushButton::clicked, list, [&table, changed] {
        table.ResetToDefaults();
        changed();
    });
}

}  // namespace zarvik::gui
