#pragma once
// The item menu as the item list panel shows it for a row.

#include "core/canvas/canvas_menus.h"

namespace zarvik {

// The canvas's item menu for the row's box, once it is the only one selected: a relation
// line cannot start from the list, and its links are not offered there.
HCanvasMenu ItemListRowMenu(HCanvasMenu canvasMenu);

}  // namespace zarvik
