#pragma once
// A QMenu filled from the core's menu data: actions carry their command id as data.

#include <QMenu>
#include <functional>
#include <vector>

#include "core/canvas/canvas_menus.h"

namespace zarvik::gui {

// Which commands the window can run at all: an entry whose command it cannot run (a sheet
// it does not have) is shown disabled.
using HCommandAvailability = std::function<bool(int32_t id)>;

void AddMenuEntries(QMenu& menu, const std::vector<HMenuEntry>& entries,
                    const HCommandAvailability& available = {});

}  // namespace zarvik::gui
