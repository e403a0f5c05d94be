#pragma once
// The texts of every command: menu text, tool tip, status bar prompt, shortcut and tool
// bar picture, with who handles it. The window builds its actions from this table; the
// router answers whether a command is enabled and runs it.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/command/command_ids.h"

namespace zarvik {

// Who answers for a command: the canvas (placing, drawing lines, link jumps, printing),
// the document (files, edits, sheets of the diagram and its rules) or the frame (bars,
// panels, help, layout timers, leaving the program).
enum class HCommandHandler { Canvas, Document, Frame };

struct HCommandInfo {
    int32_t id = 0;
    HCommandHandler handler = HCommandHandler::Document;
    // 1 when running it needs the window: a sheet, a dialog, printing, help, a bar.
    int needsWindow = 0;
    std::string_view menuText;  // with "&" marks and, after a tab, the shortcut's text
    std::string_view toolTip;
    std::string_view prompt;    // the status bar text while the entry is highlighted
    std::string_view shortcut;  // "Ctrl+N"; empty for none
    std::string_view icon;      // the tool bar picture's name; empty for none
};

// Every command, in menu order, the 64 link commands included.
std::span<const HCommandInfo> CommandTable();

// The command with the id; nullptr for an id the program does not know.
const HCommandInfo* FindCommand(int32_t id);

}  // namespace zarvik
