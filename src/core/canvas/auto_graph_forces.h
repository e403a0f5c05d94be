#pragma once
// The three forces between two layout nodes and how a force moves a box on the canvas.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/canvas/auto_graph_item.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HAutoGraphRandom;
class HItemObject;

// The centre step moves each box by this much toward the middle of the canvas.
inline constexpr double kCentreStepLength = 10.0;

// Spring between linked boxes: pulls toward the partner beyond the preferred gap,
// pushes away inside it.
inline constexpr double kSpringA = -1.0;
inline constexpr double kSpringB = 200.0;
inline constexpr double kSpringStiffness = 1.875;
// Spacing from the nearest box.
inline constexpr double kSpacingA = 50000.0;
inline constexpr double kSpacingReach = 500.0;
inline constexpr double kSpacingB = 300.0;
inline constexpr double kSpacingSameKindB = 1.0;
// The jitter of a spacing force, in radians at the largest random value.
inline constexpr double kSpacingJitter = 0.1;

// The force on n from its linked partner p with stiffness c.
HVector SpringForce(const HAutoGraphItem& n, const HAutoGraphItem& p, double c);
// The force on n from its neighbour q. Draws one jitter value from random unless q lies
// out of reach.
HVector SpacingForce(const HAutoGraphItem& n, const HAutoGraphItem& q, double a, double b, double c,
                     HAutoGraphRandom& random);
// How far a node of radius n reaches into one of radius q, distance apart: the length of
// the push that takes it out, 0 when their circles do not meet.
inline double OverlapDepth(int32_t n, int32_t q, double distance) {
    const double sum = static_cast<double>(n) + q + 1;
    return distance - sum >= 0 ? 0.0 : sum - distance;
}
// The push that takes n out of q; the second form with their CentreDistance known.
HVector OverlapForce(const HAutoGraphItem& n, const HAutoGraphItem& q);
HVector OverlapForce(const HAutoGraphItem& n, const HAutoGraphItem& q, double distance);

// The centre step from the sum of the node centres' offsets from the middle of the canvas
// over count nodes: kCentreStepLength against their mean.
HVector CentreStepForce(const HVector& offsetSum, double count);

// Clamps the box into a canvas of canvas size, then moves it by the truncated force on
// each axis where the move keeps it inside; a move that would leave is dropped.
void ApplyForce(HItemObject& box, const HVector& force, HSize canvas);

// How a force moves a box along one axis: truncated toward zero, and not at all when it is
// no finite number. Forces far beyond any canvas cannot move a box anyway; holding them to
// a bound keeps the integers defined.
inline int64_t TruncatedStep(double value) {
    constexpr double kStepLimit = 1e12;
    if (value >= -kStepLimit && value <= kStepLimit) {
        return static_cast<int64_t>(value);
    }
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int64_t>(value > 0 ? kStepLimit : -kStepLimit);
}

// The position a box of size at position ends at under force, as ApplyForce moves it.
inline HPoint ForcedPosition(HPoint position, HSize size, const HVector& force, HSize canvas) {
    int64_t x = position.x;
    int64_t y = position.y;
    const int64_t w = size.cx;
    const int64_t h = size.cy;
    if (x < 0) {
        x = 0;
    }
    if (y < 0) {
        y = 0;
    }
    if (canvas.cx < x + w) {
        x = canvas.cx - w - 1;
    }
    if (canvas.cy < y + h) {
        y = canvas.cy - h - 1;
    }
    const int64_t nx = x + TruncatedStep(force.x);
    if (nx > 0 && nx + w < canvas.cx) {
        x = nx;
    }
    const int64_t ny = y + TruncatedStep(force.y);
    if (ny > 0 && ny + h < canvas.cy) {
        y = ny;
    }
    auto coordinate = [](int64_t value) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(value, -kCoordinateLimit, kCoordinateLimit));
    };
    return HPoint{coordinate(x), coordinate(y)};
}

}  // namespace zarvik
