#pragma once
// The samples the format sheets paint of the item being edited: a box of its kind with the
// edited attributes, or a relation line, drawn through any context.

#include <cstdint>
#include <string>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext;
class HInfoItemCore;
class HInfoItemObject;

// Room kept between a preview's edge and an item that does not fit centred, and between
// the edge and each end of the sample line.
inline constexpr int32_t kPreviewMargin = 5;

// Where a box of the item size stands in the area: centred on an axis where the item and
// twice the margin fit, else at the margin.
HPoint BoxPreviewPosition(HSize area, HSize item);

// The ends of the sample line, from the top-left margin corner to the bottom-right one;
// false (and nothing to draw) when the area is smaller than twice the margin either way.
bool LinePreviewEnds(HSize area, HPoint& from, HPoint& to);

// Draws a box of the kind, with the attributes and the size of box, named name, placed by
// BoxPreviewPosition. The scratch item uses up no id or default name, and no selection
// change is counted. Returns 0 for a kind that is no box.
int DrawBoxPreview(HDrawContext& dc, HSize area, int32_t kind, const HInfoItemObject& box,
                   const std::string& name, int selected, int showHandles);

// Draws the sample line with one arrowhead and the attributes; selected shows the end
// circles. Returns 0 when the area is too small.
int DrawLinePreview(HDrawContext& dc, HSize area, const HInfoItemCore& attributes, int selected);

}  // namespace zarvik
