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

HVector Along(double magnitude, double angle) {
    HVector v(magnitude, 0);
    v.Rotate(angle);
    return v;
}

// Forces far beyond any canvas cannot move a box anyway; holding them to this keeps the
// integer arithmetic defined.
constexpr double kStepLimit = 1e12;

int64_t TruncatedStep(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    if (value > kStepLimit) {
        return static_cast<int64_t>(kStepLimit);
    }
    if (value < -kStepLimit) {
        return -static_cast<int64_t>(kStepLimit);
    }
    return static_cast<int64_t>(std::trunc(value));
}

int32_t Coordinate(int64_t value) {
    return static_cast<int32_t>(value < -kCoordinateLimit  ? -kCoordinateLimit
                                : value > kCoordinateLimit ? kCoordinateLimit
                                                           : value);
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
    return Along(m, Direction(n, p, d));
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
    return Along(m, Direction(n, q, d) + jitter);
}

HVector OverlapForce(const HAutoGraphItem& n, const HAutoGraphItem& q) {
    HVector d = n.centre;
    d -= q.centre;
    const double distance = d.Length();
    const double sum = static_cast<double>(n.radius) + q.radius + 1;
    const double m = distance - sum >= 0 ? 0.0 : sum - distance;
    return Along(m, Direction(n, q, d));
}

void ApplyForce(HItemObject& box, const HVector& force, HSize canvas) {
    int64_t x = box.position.x;
    int64_t y = box.position.y;
    const int64_t w = box.size.cx;
    const int64_t h = box.size.cy;
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
    box.position = HPoint{Coordinate(x), Coordinate(y)};
}

}  // namespace zarvik
