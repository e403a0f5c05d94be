#pragma once
// What the core asks of the user interface: message boxes, file choosers, notices. The
// desktop front end installs its own; the headless default answers every question with
// its default button and records nothing.

#include <string>

namespace zarvik {

enum class HMsgIcon { None, Information, Warning, Error, Question };
enum class HMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class HMsgAnswer { Ok, Cancel, Yes, No };

class HUiPort {
public:
    virtual ~HUiPort() = default;

    // Shows a message box and returns the button the user chose.
    virtual HMsgAnswer MessageBox(const std::string& text, const std::string& caption,
                                  HMsgIcon icon, HMsgButtons buttons);

    // Shows text in a pane of the status bar (1 coordinates, 2 to 5 the estimate).
    virtual void SetStatusPane(int pane, const std::string& text);
};

// The interface in use: the one installed last, or the headless default.
HUiPort& UiPort();

// Installs an interface (not owned; it must outlive its use). nullptr restores the default.
void SetUiPort(HUiPort* port);

}  // namespace zarvik
