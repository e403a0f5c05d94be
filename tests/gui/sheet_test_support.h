#pragma once
// Reaching into a property sheet while it runs modally.

#include <QApplication>
#include <QTreeWidget>

#include "gui/sheets/item_sheet.h"

namespace zarvik::gui::sheet_support {

inline HItemSheet* ActiveSheet() {
    return qobject_cast<HItemSheet*>(QApplication::activeModalWidget());
}

// The list of a DET, RET or FTR page.
inline QTreeWidget* List(HItemSheet* sheet, int page) {
    return sheet->Page(page)->findChild<QTreeWidget*>(QStringLiteral("list"));
}

}  // namespace zarvik::gui::sheet_support
