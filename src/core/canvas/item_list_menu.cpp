#include "core/canvas/item_list_menu.h"

#include <algorithm>

namespace zarvik {

HCanvasMenu ItemListRowMenu(HCanvasMenu menu) {
    std::vector<HMenuEntry>& entries = menu.entries;
    const auto link = std::find_if(entries.begin(), entries.end(), [](const HMenuEntry& entry) {
        return entry.id == 0 && entry.text == kLinkSubmenuText;
    });
    if (link != entries.end()) {
        // The separator before the submenu goes with it.
        const bool separatorBefore = link != entries.begin() && (link - 1)->id == 0 &&
                                     (link - 1)->text.empty() && (link - 1)->submenu.empty();
        entries.erase(separatorBefore ? link - 1 : link, link + 1);
    }
    for (HMenuEntry& entry : entries) {
        if (entry.id == kCmdLineStart) {
            entry.enabled = 0;
        }
    }
    return menu;
}

}  // namespace zarvik
