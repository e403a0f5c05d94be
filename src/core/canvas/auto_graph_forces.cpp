#include "core/canvas/auto_graph_forces.h"

#include <cmath>
#include <numbers>

#include "core/canvas/auto_graph_random.h"
#include "core/items/item_object.h"

namespace zarvik {
namespace {

// The direction from q to n; a zero distance has the angle 0 (+x). Two distinct nodes on
// the same centre are a deliberate exception: pushing both along +x would never part them,
// so the earlier node in the array goes along -x instead. A node that is its own partner
// (a line from a box to itself) keeps +x.
double Direction(const HAutoGraphItem& n, const HAutoGraphItem& q, const HVector& d) {
    if (d.x == 0 && d.y == 0) {
        return n.order < q.order ? std::numbers::pi : 0.0;
    }
    return d.Angle();
}

// The force of magnitude from q toward n, its direction turned by jitter. A zero force
// has no direction to work out.
HVector Along(double magnitude, const HAutoGraphItem& n, const HAutoGraphItem& q, const HVector& d,
              double jitter = 0) {
    if (magnitude == 0) {
        return HVector();
    }
    HVector v(magnitude, 0);
    v.Rotate(Direction(n, q, d) + jitter);
    return v;
}

}  // namespace

HVector SpringForce(const HAutoGraphItem& n, const HAutoGraphItem& p, double c) {
    HVector d = n.centre;
    d -= p.centre;
    const double distance = d.Length();
    const int32_t sum = n.radius + p.radius;
    const double gap = distance - (sum + kSpringB);
    double m = gap >= 0 ? gap / kSpringA : (kSpringB != 0 ? -gap : 0.0);
    m *= c;
    if (m > sum / 2) {
        m = sum / 2;
    }
    return Along(m, n, p, d);
}

HVector SpacingForce(const HAutoGraphItem& n, const HAutoGraphItem& q, double a, double b, double c,
                     HAutoGraphRandom& random) {
    HVector d = n.centre;
    d -= q.centre;
    const double distance = d.Length();
    if (a > 0 && distance > kSpacingReach) {
        return HVector();
    }
    const int32_t sum = n.radius + q.radius;
    const double gap = distance - (sum + b);
    double m = 0;
    if (c != 0) {  // a zero gap makes a / gap² infinite, and infinity times 0 is no number
        if (gap >= 0) {
            m = a / (gap * gap);
            if (a < 0) {
                m = -m;
            }
        } else {
            m = b != 0 ? -gap : 0.0;
        }
        m *= c;
        const int32_t half = sum / 2;
        if (std::fabs(m) > half) {
            m = m < 0 ? -half : half;
        }
    }
    const double jitter = static_cast<double>(random.Next()) / kAutoGraphRandomMax * kSpacingJitter;
    return Along(m, n, q, d, jitter);
}

HVector OverlapForce(const HAutoGraphItem& n, const HAutoGraphItem& q) {
    return OverlapForce(n, q, CentreDistance(n.centre, q.centre));
}

HVector OverlapForce(const HAutoGraphItem& n, const HAutoGraphItem& q, double distance) {
    HVector d = n.centre;
    d -= q.centre;
    return Along(OverlapDepth(n.radius, q.radius, distance), n, q, d);
}

HVector CentreStepForce(const HVector& offsetSum, double count) {
    const HVector mean(offsetSum.x / count, offsetSum.y / count);
    // A mean right at the middle has the angle 0, so the step then goes along -x.
    HVector step(kCentreStepLength, 0);
    step.Rotate(mean.Angle() + std::numbers::pi);
    return step;
}

void ApplyForce(HItemObject& box, const HVector& force, HSize canvas) {
    box.position = ForcedPosition(box.position, box.size, force, canvas);
}

}  // namespace zarvik
