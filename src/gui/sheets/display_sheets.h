#pragma once
// The "アイテムの設定" sheets of the display items: the image item's sheet and the one of
// external modules, application boundaries, functions and screens.

#include <QWidget>

namespace zarvik {
class CZarvikDoc;
class HItemObject;
}  // namespace zarvik

namespace zarvik::gui {

// Each runs on a copy of the box's record; OK writes the copy back and lets the document
// record the step, cancel changes nothing. They return 1 when OK closed the sheet, 0
// otherwise (also for a box of another kind).
int RunImageItemSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent);
int RunObjectItemSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent);

// The settings sheet of any box: the function sheets for data and transaction functions,
// else the ones above.
int RunItemSettingsSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent);

}  // namespace zarvik::gui
