#pragma once
// One answer for every command, wherever it was triggered (menu, tool bar, shortcut,
// context menu): whether it is enabled, whether it carries a check mark, and running it.
// The command table says who handles each: the canvas, the document or the frame. An id
// the table does not know is disabled.

#include <cstdint>

namespace zarvik {

class CZarvikDoc;
class HCanvasController;
class HClipboard;

// What only the window can do for a command.
class HFrameCommands {
public:
    virtual ~HFrameCommands() = default;
    // 1 while the bar or panel of a show-or-hide command is shown.
    virtual int IsBarVisible(int32_t /*id*/) const { return 0; }
    // 1 when the window has what a command that needs the window asks for (a sheet not
    // built yet leaves its command disabled rather than doing nothing).
    virtual int HasWindowCommand(int32_t /*id*/) const { return 1; }
    // Shows the sheet, dialog, help page or print preview of a command, prints, shows or
    // hides a bar, starts the layout timers, opens a recent file, leaves the program.
    // Returns 1 when it was done.
    virtual int RunWindowCommand(int32_t /*id*/) { return 0; }
};

class HCommandRouter {
public:
    // canvas and frame may be null (no canvas window, no main window): their commands
    // are then disabled, as is every command that needs the window.
    HCommandRouter(CZarvikDoc& doc, HCanvasController* canvas, HFrameCommands* frame,
                   HClipboard& clipboard);

    int IsEnabled(int32_t id) const;
    int IsChecked(int32_t id) const;
    // Runs the command when it is enabled. Returns 1 when it did something.
    int Run(int32_t id);

private:
    CZarvikDoc& m_doc;
    HCanvasController* m_canvas;
    HFrameCommands* m_frame;
    HClipboard& m_clipboard;
};

}  // namespace zarvik
