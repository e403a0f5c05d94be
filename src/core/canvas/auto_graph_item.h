#pragma once
// One node of the layout: a box with the centre and radius taken when the node was built.

#include <cmath>
#include <cstdint>

#include "core/items/outline_geometry.h"

namespace zarvik {

class HItemObject;

struct HAutoGraphItem {
    HItemObject* box = nullptr;  // not owned
    HVector centre;              // (x + width / 2, y + height / 2) with integer halves
    int32_t radius = 0;          // the larger of width / 2 and height / 2
    int32_t order = 0;           // position in the node array, top of the box list first
};

// A node for box at the given array position, from the box's current geometry.
HAutoGraphItem MakeAutoGraphItem(HItemObject& box, int32_t order);

// The distance between two node centres, (ax, ay) and (bx, by). The linear search and the
// index both measure with this, so they agree to the last bit.
inline double CentreDistance(double ax, double ay, double bx, double by) {
    const double dx = ax - bx;
    const double dy = ay - by;
    return std::sqrt(dx * dx + dy * dy);
}
inline double CentreDistance(const HVector& a, const HVector& b) {
    return CentreDistance(a.x, a.y, b.x, b.y);
}

}  // namespace zarvik
