#pragma once
// Finding boxes of the simple estimate sheet: under the mouse, and the next one for the
// keyboard (Tab walks the boxes along the estimate, arrows go to the nearest box that way).

#include <cstdint>
#include <vector>

#include "core/fp/estimate_sheet.h"

namespace zarvik {

// The id of the box under point that is not a background box, 0 when there is none.
int32_t KantanBoxAt(const std::vector<HInfoKantanItem>& items, HPoint point);

// The box after current (step 1) or before it (step -1) in the order of the estimate, that
// is by id, skipping background boxes and wrapping round. From no box (or an unknown id)
// the first box, or the last one for step -1. 0 when there is no box at all.
int32_t NextKantanFocus(const std::vector<HInfoKantanItem>& items, int32_t current, int step);

// The nearest box from current in the direction (dx, dy), one of them 0 and the other 1 or
// -1: the box whose centre lies that way and is closest by the distance along plus the
// distance across; of equals the one with the lowest id. current when no box lies that
// way; the first box when current is no box.
int32_t KantanNeighbour(const std::vector<HInfoKantanItem>& items, int32_t current, int dx, int dy);

// The size the sheet needs to show every box with a grid step of margin right and below.
HSize KantanExtent(const std::vector<HInfoKantanItem>& items);

}  // namespace zarvik
