#include "core/canvas/canvas_menus.h"

#include "core/command/command_table.h"

#include "core/items/draw_list.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"

namespace zarvik {

namespace {

// The entry of a command, with the command's menu text.
HMenuEntry Entry(int32_t id, int enabled, int checked = 0) {
    const HCommandInfo* info = FindCommand(id);
    return HMenuEntry{
        id, info != nullptr ? std::string(info->menuText) : std::string(), enabled, checked, {}};
}

const HMenuEntry* FindIn(const std::vector<HMenuEntry>& entries, int32_t id) {
    for (const HMenuEntry& entry : entries) {
        if (entry.id == id && id != 0) {
            return &entry;
        }
        if (const HMenuEntry* found = FindIn(entry.submenu, id)) {
            return found;
        }
    }
    return nullptr;
}

HMenuEntry LinkSubmenu(const std::vector<HLinkEntry>& links, int enabled) {
    HMenuEntry submenu{0, kLinkSubmenuText, enabled && !links.empty() ? 1 : 0, 0, {}};
    for (const HLinkEntry& link : links) {
        submenu.submenu.push_back(HMenuEntry{link.id, link.text, 1, 0, {}});
    }
    return submenu;
}

HCanvasMenu ItemMenu(const HDrawList& boxes, const HDrawList& lines, HClipboardState clipboard,
                     HLinkJumpTable& table) {
    const int32_t n = boxes.CountSelected();
    const auto* box =
        n == 1 ? dynamic_cast<const HItemObject*>(boxes.NextSelected(nullptr, 1)) : nullptr;
    const int one = box != nullptr ? 1 : 0;
    const int some = n >= 1 ? 1 : 0;
    std::vector<HLinkEntry> links;
    if (box != nullptr) {
        links = BuildBoxLinks(lines, *box, table);
    }
    HCanvasMenu menu;
    menu.entries = {
        Entry(kCmdLineStart, one && boxes.Count() > 1 && box->lineHide == 0 ? 1 : 0),
        Entry(kCmdLineVisibility, some),
        Entry(kCmdItemFormat, one),
        Entry(kCmdItemProperties, one),
        Entry(kCmdItemFormatCopy, one),
        Entry(kCmdItemFormatPaste, some && clipboard.boxFormat ? 1 : 0),
        Entry(kCmdItemDelete, some),
        LinkSubmenu(links, one),
    };
    return menu;
}

HCanvasMenu LineMenu(const HItemLine& line, HClipboardState clipboard, HLinkJumpTable& table) {
    HCanvasMenu menu;
    menu.lineMenu = 1;
    HMenuEntry arrows{0, "矢印のスタイル", 1, 0, {}};
    arrows.submenu = {
        Entry(kCmdLineReverse, line.lineType == kLineArrowTo ? 1 : 0),
        Entry(kCmdLineBothArrows, 1, line.lineType == kLineArrowBoth ? 1 : 0),
        Entry(kCmdLineNoArrow, 1, line.lineType == kLineNoArrow ? 1 : 0),
    };
    menu.entries = {
        arrows,
        Entry(kCmdLineFormat, 1),
        Entry(kCmdLineFormatCopy, 1),
        Entry(kCmdLineFormatPaste, clipboard.lineFormat ? 1 : 0),
        Entry(kCmdLineDelete, 1),
        LinkSubmenu(BuildLineLinks(line, table), 1),
    };
    return menu;
}

}  // namespace

const HMenuEntry* HCanvasMenu::Find(int32_t id) const {
    return FindIn(entries, id);
}

const HMenuEntry* HCanvasMenu::FindText(const std::string& text) const {
    for (const HMenuEntry& entry : entries) {
        if (entry.text == text) {
            return &entry;
        }
    }
    return nullptr;
}

HCanvasMenu BuildCanvasMenu(const HDrawList& boxes, const HDrawList& lines,
                            HClipboardState clipboard, HLinkJumpTable& table) {
    table.Clear();
    // NextSelected walks from the top, so this is the topmost selected line.
    const auto* line = dynamic_cast<const HItemLine*>(lines.NextSelected(nullptr, 1));
    if (line != nullptr) {
        return LineMenu(*line, clipboard, table);
    }
    return ItemMenu(boxes, lines, clipboard, table);
}

}  // namespace zarvik
