#include "gui/canvas/menu_entries.h"

#include "draw/qt_text.h"

namespace zarvik::gui {

void AddMenuEntries(QMenu& menu, const std::vector<HMenuEntry>& entries,
                    const HCommandAvailability& available) {
    for (const HMenuEntry& entry : entries) {
        if (entry.id == 0 && entry.submenu.empty() && entry.text.empty()) {
            menu.addSeparator();
        } else if (entry.id == 0) {
            QMenu* sub = menu.addMenu(draw::ToQString(entry.text));
            sub->setEnabled(entry.enabled != 0);
            AddMenuEntries(*sub, entry.submenu, available);
        } else {
            QAction* action = menu.addAction(draw::ToQString(entry.text));
            action->setData(entry.id);
            action->setEnabled(entry.enabled != 0 && (!available || available(entry.id)));
            action->setCheckable(entry.checked != 0);
            action->setChecked(entry.checked != 0);
        }
    }
}

}  // namespace zarvik::gui
