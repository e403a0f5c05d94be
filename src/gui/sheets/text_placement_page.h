#pragma once
// The text placement page of the box format sheet: horizontal and vertical alignment,
// wrapping, the end ellipsis and the free-standing label.

#include <QWidget>
#include <functional>

#include "core/records/parts_text.h"

namespace zarvik::gui {

// The page edits text directly (the sheet's copy) and calls changed after every change.
QWidget* NewTextPlacementPage(HItemPartsText& text, std::function<void()> changed,
                              QWidget* parent = nullptr);

}  // namespace zarvik::gui
