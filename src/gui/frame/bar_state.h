#pragma once
// The arrangement of the tool bars and docking panels, kept in the settings file under
// "ZarvikBarState": the window's own state bytes, with the names of the bars they speak of.

class QMainWindow;

namespace zarvik::gui {

// Writes the window's arrangement into the settings profile.
void SaveBarState(const QMainWindow& window);
// Restores the saved arrangement when every bar it names still exists; otherwise the
// window keeps its default arrangement. Returns 1 when the saved state was applied.
int RestoreBarState(QMainWindow& window);

}  // namespace zarvik::gui
