#pragma once
// The "書式設定" sheets of a box and of a relation line.

#include <QWidget>

namespace zarvik {
class CZarvikDoc;
class HItemLine;
class HItemObject;
}  // namespace zarvik

namespace zarvik::gui {

// Run on a copy of the item's pens, fill and label. OK copies them back and lets the
// document record the step; cancel changes nothing. Return 1 when OK closed the sheet.
int RunBoxFormatSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent);
int RunLineFormatSheet(CZarvikDoc& doc, HItemLine& line, QWidget* parent);

}  // namespace zarvik::gui
