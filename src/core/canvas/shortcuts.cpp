#include "core/canvas/shortcuts.h"

#include "core/command/command_ids.h"

namespace zarvik {

namespace {

struct HShortcutRow {
    int32_t key;
    int32_t boxCommand;
    int32_t lineCommand;
};

constexpr HShortcutRow kCtrlShortcuts[] = {
    {'C', kCmdItemFormatCopy, kCmdLineFormatCopy},
    {'F', kCmdItemFormat, kCmdLineFormat},
    {'I', kCmdItemProperties, 0},
    {'V', kCmdItemFormatPaste, kCmdLineFormatPaste},
    {'K', kCmdReferenceSettings, kCmdReferenceSettings},
    {'R', kCmdRuleSettings, kCmdRuleSettings},
};

}  // namespace

int32_t TranslateShortcut(const HShortcutInput& input) {
    if (input.ctrl) {
        for (const HShortcutRow& row : kCtrlShortcuts) {
            if (row.key == input.key) {
                return input.lineSelected ? row.lineCommand : row.boxCommand;
            }
        }
        return 0;
    }
    // Delete belongs to the cell editor while one is open.
    if (input.key == kKeyDelete && !input.listEditing) {
        return input.lineSelected ? kCmdLineDelete : kCmdItemDelete;
    }
    return 0;
}

}  // namespace zarvik
