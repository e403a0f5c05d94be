#pragma once
// The three forces between two layout nodes and how a force moves a box on the canvas.

#include "core/canvas/auto_graph_item.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HAutoGraphRandom;
class HItemObject;

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
// The push that takes n out of q.
HVector OverlapForce(const HAutoGraphItem& n, const HAutoGraphItem& q);

// Clamps the box into a canvas of canvas size, then moves it by the truncated force on
// each axis where the move keeps it inside; a move that would leave is dropped.
void ApplyForce(HItemObject& box, const HVector& force, HSize canvas);

}  // namespace zarvik
