#pragma once
// The two context menus of the canvas as data: which entries they hold, which are enabled
// and checked for the current selection, and the links they offer.

#include <cstdint>
#include <string>
#include <vector>

#include "core/canvas/link_menu.h"
#include "core/command/command_ids.h"

namespace zarvik {

class HDrawList;

// The text of the link submenu in both menus.
inline constexpr const char* kLinkSubmenuText = "リンク先への移動(64個まで表示)...";

struct HMenuEntry {
    int32_t id = 0;  // 0 for a submenu
    std::string text;
    int enabled = 1;
    int checked = 0;
    std::vector<HMenuEntry> submenu;
};

struct HCanvasMenu {
    int lineMenu = 0;  // 1: "LINE-Draw", 0: "ITEM-Draw"
    std::vector<HMenuEntry> entries;

    // The entry with the command id, searched through the submenus; nullptr when absent.
    const HMenuEntry* Find(int32_t id) const;
    // The top-level entry with the text; nullptr when absent.
    const HMenuEntry* FindText(const std::string& text) const;
};

// What the format clipboard holds, as far as the menus care.
struct HClipboardState {
    int boxFormat = 0;
    int lineFormat = 0;
};

// The menu for the current selection: the line menu when a line is selected, else the
// item menu. Clears table and fills it with the menu's links.
HCanvasMenu BuildCanvasMenu(const HDrawList& boxes, const HDrawList& lines,
                            HClipboardState clipboard, HLinkJumpTable& table);

}  // namespace zarvik
