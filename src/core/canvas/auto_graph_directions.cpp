#include "core/canvas/auto_graph_directions.h"

#include <cmath>
#include <cstdint>

namespace zarvik {
namespace {

// How far the quotient components may lie from the turned ones, in units of the magnitude
// and taken 2^11 times larger than the error analysis gives: the arc cosine, the sine,
// the cosine and 2π - a each add a unit in the last place or so, and the sine's input
// error grows with |x| / |y|. Kept multiplied by |y|, which spares a division.
double ToleranceTimesY(double magnitude, const HVector& offset) {
    const double x = std::fabs(offset.x), y = std::fabs(offset.y);
    return (std::fabs(magnitude) * (x + 16 * y) + y) * 0x1p-40;
}

// Whether value and any number within tolerance of it truncate alike: both lie strictly
// between the same two whole numbers, or both between -1 and 1. The tolerance comes
// multiplied by y.
bool TruncatesAlike(double value, double toleranceTimesY, double y) {
    const double size = std::fabs(value);
    if ((size - 1) * y + toleranceTimesY < 0) {
        return true;
    }
    if (!(size < 0x1p52)) {
        return false;
    }
    const double fraction = size - static_cast<double>(static_cast<int64_t>(size));
    return fraction * y > toleranceTimesY && (1 - fraction) * y > toleranceTimesY;
}

HVector Turned(double magnitude, const HVector& unit) {
    // As Rotate turns (magnitude, 0): unit holds the cosine and sine it multiplies by.
    return HVector(magnitude * unit.x - 0.0 * unit.y, magnitude * unit.y + 0.0 * unit.x);
}

HVector UnitAlong(const HVector& offset) {
    HVector unit(1, 0);
    unit.Rotate(offset.Angle());
    return unit;
}

}  // namespace

HAutoGraphDirections::HAutoGraphDirections()
    : m_axes{UnitAlong(HVector(1, 0)), UnitAlong(HVector(0, 1)), UnitAlong(HVector(-1, 0)),
             UnitAlong(HVector(0, -1))} {}

HVector HAutoGraphDirections::Along(double magnitude, const HVector& offset, double length) const {
    // On an axis the angle is a constant, and so are its cosine and sine.
    if (offset.y == 0) {
        return Turned(magnitude, m_axes[offset.x >= 0 ? 0 : 2]);
    }
    if (offset.x == 0) {
        return Turned(magnitude, m_axes[offset.y >= 0 ? 1 : 3]);
    }
    const double perLength = magnitude / length;
    const HVector quick(offset.x * perLength, offset.y * perLength);
    const double tolerance = ToleranceTimesY(magnitude, offset);
    const double y = std::fabs(offset.y);
    if (TruncatesAlike(quick.x, tolerance, y) && TruncatesAlike(quick.y, tolerance, y)) {
        return quick;
    }
    return Turned(magnitude, UnitAlong(offset));
}

}  // namespace zarvik
