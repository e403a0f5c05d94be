#include "gui/sheets/rule_list_commands.h"

#include <QAbstractItemView>

namespace zarvik::gui {

QTreeWidget* MakeList(QWidget* parent, const char* name, const QStringList& headers,
                      const std::vector<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(headers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    for (size_t i = 0; i < widths.size(); ++i) {
        list->setColumnWidth(static_cast<int>(i), widths[i]);
    }
    return list;
}

int SelectedRow(const QTreeWidget* list) {
    QTreeWidgetItem* item = list->currentItem();
    return item != nullptr && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
}

void SelectRow(QTreeWidget* list, int row) {
    if (row >= 0 && row < list->topLevelItemCount()) {
        list->setCurrentItem(list->topLevelItem(row));
    }
}

void Resize(QTreeWidget* list, int count) {
    while (list->topLevelItemCount() > count) {
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    }
    while (list->topLevelItemCount() < count) {
        new QTreeWidgetItem(list);
    }
}

}  // namespace zarvik::gui
