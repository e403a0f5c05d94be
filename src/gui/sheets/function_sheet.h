#pragma once
// The property sheets of a data function and of a transaction function.

#include <QWidget>

namespace zarvik {
class CZarvikDoc;
class HItemObject;
}  // namespace zarvik

namespace zarvik::gui {

// Runs the sheet of a data function or transaction box on a copy of its record. OK writes
// the copy back and lets the document record the step; cancel changes nothing. Returns 1
// when OK closed it, 0 otherwise (also for a box of another kind).
int RunFunctionSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent);

}  // namespace zarvik::gui
