#pragma once
// What the core asks of the user interface: message boxes, file choosers, status texts.
// The desktop front end installs its own; the headless default answers OK and Yes, or
// Cancel where it is offered, cancels every chooser and records nothing.

#include <optional>
#include <string>

namespace zarvik {

enum class HMsgIcon { None, Information, Warning, Error, Question };
enum class HMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class HMsgAnswer { Ok, Cancel, Yes, No };

// What a file chooser shows.
struct HFileChooser {
    std::string title;  // empty: the platform's own title
    // Label and pattern pairs separated by "|", ending in "||".
    std::string filter;
    std::string defaultName;  // the name proposed; empty opens the chooser empty
    // Save choosers ask before overwriting an existing file. No chooser shows a
    // read-only check box.
    bool confirmOverwrite = true;
};

class HUiPort {
public:
    virtual ~HUiPort() = default;

    // Shows a message box and returns the button the user chose.
    virtual HMsgAnswer MessageBox(const std::string& text, const std::string& caption,
                                  HMsgIcon icon, HMsgButtons buttons);

    // Shows text in a pane of the status bar (1 coordinates, 2 to 5 the estimate).
    virtual void SetStatusPane(int pane, const std::string& text);

    // The file the user chose to open (save), nothing when the chooser was cancelled.
    // An open chooser accepts names of files that do not exist.
    virtual std::optional<std::string> ChooseOpenFile(const HFileChooser& chooser);
    virtual std::optional<std::string> ChooseSaveFile(const HFileChooser& chooser);

    // A document was opened or saved under path: it goes to the top of the recent files.
    virtual void AddRecentFile(const std::string& path);
};

// The interface in use: the one installed last, or the headless default.
HUiPort& UiPort();

// Installs an interface (not owned; it must outlive its use). nullptr restores the default.
void SetUiPort(HUiPort* port);

}  // namespace zarvik
