#include "core/items/outline_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zarvik {
namespace {

double Distance(double ax, double ay, HPoint b) {
    return std::hypot(ax - b.x, ay - b.y);
}

enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

// The corner nearest to target; ties go to the first in the order TL, TR, BL, BR.
Corner NearestCorner(HPoint p, HSize s, HPoint target) {
    const HPoint corners[4] = {
        {p.x, p.y}, {p.x + s.cx, p.y}, {p.x, p.y + s.cy}, {p.x + s.cx, p.y + s.cy}};
    int best = 0;
    double bestDistance = Distance(corners[0].x, corners[0].y, target);
    for (int i = 1; i < 4; ++i) {
        const double d = Distance(corners[i].x, corners[i].y, target);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<Corner>(best);
}

// Walks from start by step until the distance to target grows; the point before that.
HPoint Walk(HPoint start, HPoint step, int32_t steps, HPoint target) {
    HPoint current = start;
    double previous = Distance(current.x, current.y, target);
    HPoint previousPoint = current;
    for (int32_t i = 0; i < steps; ++i) {
        const double d = Distance(current.x, current.y, target);
        if (d > previous) {
            return previousPoint;
        }
        previous = d;
        previousPoint = current;
        current = HPoint{current.x + step.x, current.y + step.y};
    }
    return previousPoint;
}

struct Crossing {
    bool exists = false;
    double score = 0;
    HPoint point;
};

// Where the line through e1, e2 meets the line through target and centre.
Crossing Cross(HPoint e1, HPoint e2, HPoint target, HPoint centre) {
    const double px = target.x, py = target.y, cx = centre.x, cy = centre.y;
    const double d =
        static_cast<double>(e2.x - e1.x) * (cy - py) - (cx - px) * static_cast<double>(e2.y - e1.y);
    Crossing crossing;
    if (d == 0) {
        return crossing;
    }
    const double m = ((cy - py) * (px - e1.x) - (cx - px) * (py - e1.y)) / d;
    const double o = ((px - e1.x) * (e2.y - e1.y) - (py - e1.y) * (e2.x - e1.x)) / d;
    crossing.exists = true;
    crossing.point = HPoint{static_cast<int32_t>(e1.x + m * (e2.x - e1.x)),
                            static_cast<int32_t>(e1.y + m * (e2.y - e1.y))};
    crossing.score = (m >= 0 && m <= 1) ? 0 : std::max(std::fabs(m - 0.5), std::fabs(o - 0.5));
    return crossing;
}

}  // namespace

HPoint NearestPointOnRect(HPoint p, HSize s, HPoint target) {
    const HPoint tl{p.x, p.y}, tr{p.x + s.cx, p.y}, bl{p.x, p.y + s.cy}, br{p.x + s.cx, p.y + s.cy};
    auto nearer = [&](HPoint a, HPoint b) {  // a strictly nearer than b
        return Distance(a.x, a.y, target) < Distance(b.x, b.y, target);
    };
    switch (NearestCorner(p, s, target)) {
        case kTopLeft:
            if (nearer({tl.x, tl.y + 1}, {tl.x + 1, tl.y})) {
                return Walk(tl, {0, 1}, s.cy, target);
            }
            return Walk(tl, {1, 0}, s.cx, target);
        case kTopRight:
            if (nearer({tr.x, tr.y + 1}, {tr.x - 1, tr.y})) {
                return Walk(tr, {0, 1}, s.cy, target);
            }
            return Walk(tr, {-1, 0}, s.cx, target);
        case kBottomLeft:
            if (nearer({bl.x + 1, bl.y}, {bl.x, bl.y - 1})) {
                return Walk(bl, {1, 0}, s.cx, target);
            }
            return Walk(bl, {0, -1}, s.cy, target);
        case kBottomRight:
        default:
            if (nearer({br.x - 1, br.y}, {br.x, br.y - 1})) {
                return Walk(br, {-1, 0}, s.cx, target);
            }
            return Walk(br, {0, -1}, s.cy, target);
    }
}

HPoint ShortcutPointOnRect(HPoint p, HSize s, HPoint target) {
    const HPoint tl{p.x, p.y}, tr{p.x + s.cx, p.y}, bl{p.x, p.y + s.cy}, br{p.x + s.cx, p.y + s.cy};
    const HPoint centre{p.x + s.cx / 2, p.y + s.cy / 2};
    const Corner corner = NearestCorner(p, s, target);
    // The two edges that meet at the nearest corner: top/left, top/right, left/bottom,
    // right/bottom.
    HPoint edges[2][2];
    switch (corner) {
        case kTopLeft:
            edges[0][0] = tl, edges[0][1] = tr, edges[1][0] = tl, edges[1][1] = bl;
            break;
        case kTopRight:
            edges[0][0] = tl, edges[0][1] = tr, edges[1][0] = tr, edges[1][1] = br;
            break;
        case kBottomLeft:
            edges[0][0] = tl, edges[0][1] = bl, edges[1][0] = bl, edges[1][1] = br;
            break;
        case kBottomRight:
        default:
            edges[0][0] = tr, edges[0][1] = br, edges[1][0] = bl, edges[1][1] = br;
            break;
    }
    const Crossing first = Cross(edges[0][0], edges[0][1], target, centre);
    const Crossing second = Cross(edges[1][0], edges[1][1], target, centre);
    if (first.exists && (!second.exists || first.score <= second.score)) {
        return first.point;
    }
    if (second.exists) {
        return second.point;
    }
    // Only a target on the centre itself crosses neither edge: the nearest corner.
    const HPoint corners[4] = {tl, tr, bl, br};
    return corners[corner];
}

namespace {

// The cosine and sine of every whole degree, worked out once.
struct DegreeTable {
    std::array<double, 360> cos;
    std::array<double, 360> sin;

    DegreeTable() {
        for (int degree = 0; degree < 360; ++degree) {
            const double theta = degree * 0.017453292519943295;
            cos[static_cast<size_t>(degree)] = std::cos(theta);
            sin[static_cast<size_t>(degree)] = std::sin(theta);
        }
    }
};

const DegreeTable& Degrees() {
    static const DegreeTable table;
    return table;
}

}  // namespace

HPoint NearestPointOnEllipse(HPoint p, HSize s, HPoint target) {
    const int32_t a = s.cx / 2;
    const int32_t b = s.cy / 2;
    const double cx = p.x + a;
    const double cy = p.y + b;
    const DegreeTable& degrees = Degrees();
    size_t best = 0;
    double bestDistance = 0;
    for (size_t degree = 0; degree < 360; ++degree) {
        const double ex = cx + a * degrees.cos[degree];
        const double ey = cy + b * degrees.sin[degree];
        const double d = (ex - target.x) * (ex - target.x) + (ey - target.y) * (ey - target.y);
        if (degree == 0 || d < bestDistance) {
            best = degree;
            bestDistance = d;
        }
    }
    return HPoint{static_cast<int32_t>(cx + a * degrees.cos[best]),
                  static_cast<int32_t>(cy + b * degrees.sin[best])};
}

HVector& HVector::operator+=(const HVector& other) {
    x += other.x;
    y += other.y;
    return *this;
}

HVector& HVector::operator-=(const HVector& other) {
    x -= other.x;
    y -= other.y;
    return *this;
}

double HVector::Length() const {
    return std::sqrt(x * x + y * y);
}

double HVector::Angle() const {
    constexpr double kPi = std::numbers::pi;
    if (y == 0) {
        return x >= 0 ? 0 : kPi;
    }
    if (x == 0) {
        return y >= 0 ? kPi / 2 : 3 * kPi / 2;
    }
    const double a = std::acos(x / Length());
    return y >= 0 ? a : 2 * kPi - a;
}

void HVector::Rotate(double radians) {
    const double nx = x * std::cos(radians) - y * std::sin(radians);
    const double ny = x * std::sin(radians) + y * std::cos(radians);
    x = nx;
    y = ny;
}

}  // namespace zarvik
