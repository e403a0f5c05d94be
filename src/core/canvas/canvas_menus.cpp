#include "core/canvas/canvas_menus.h"

#include "core/items/draw_list.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"

namespace zarvik {

namespace {

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
        {kCmdLineStart,
         "関係線 [引線開始]",
         one && boxes.Count() > 1 && box->lineHide == 0 ? 1 : 0,
         0,
         {}},
        {kCmdLineVisibility, "関係線の表示/非表示の切り替え", some, 0, {}},
        {kCmdItemFormat, "書式設定...\tCtrl+F", one, 0, {}},
        {kCmdItemProperties, "アイテムの設定...\tCtrl+I", one, 0, {}},
        {kCmdItemFormatCopy, "書式をコピー\tCtrl+C", one, 0, {}},
        {kCmdItemFormatPaste, "書式を貼り付け\tCtrl+V", some && clipboard.boxFormat ? 1 : 0, 0, {}},
        {kCmdItemDelete, "削除\tDel", some, 0, {}},
        LinkSubmenu(links, one),
    };
    return menu;
}

HCanvasMenu LineMenu(const HItemLine& line, HClipboardState clipboard, HLinkJumpTable& table) {
    HCanvasMenu menu;
    menu.lineMenu = 1;
    HMenuEntry arrows{0, "矢印のスタイル", 1, 0, {}};
    arrows.submenu = {
        {kCmdLineReverse, "方向を逆にする", line.lineType == kLineArrowTo ? 1 : 0, 0, {}},
        {kCmdLineBothArrows, "方向を両方向にする", 1, line.lineType == kLineArrowBoth ? 1 : 0, {}},
        {kCmdLineNoArrow, "方向を設定しない", 1, line.lineType == kLineNoArrow ? 1 : 0, {}},
    };
    menu.entries = {
        arrows,
        {kCmdLineFormat, "書式設定...\tCtrl+F", 1, 0, {}},
        {kCmdLineFormatCopy, "書式をコピー\tCtrl+C", 1, 0, {}},
        {kCmdLineFormatPaste, "書式を貼り付け\tCtrl+V", clipboard.lineFormat ? 1 : 0, 0, {}},
        {kCmdLineDelete, "削除\tDel", 1, 0, {}},
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
