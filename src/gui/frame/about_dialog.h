#pragma once
// The About box: the program's icon, name, version and copyright.

class QWidget;

namespace zarvik::gui {

// Shows the About box modally.
void ShowAboutBox(QWidget* parent);

}  // namespace zarvik::gui
