#pragma once
// A QMenu filled from the core's menu data: actions carry their command id as data.

#include <QMenu>
#include <vector>

#include "core/canvas/canvas_menus.h"

namespace zarvik::gui {

void AddMenuEntries(QMenu& menu, const std::vector<HMenuEntry>& entries);

}  // namespace zarvik::gui
