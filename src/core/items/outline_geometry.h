#pragma once
// Where relation lines touch boxes: the outline point nearest to a target, and the point
// where the path from the centre toward a target leaves the outline, for rectangles and
// for the ellipse inscribed in a box.

#include "core/port/gdi_types.h"

namespace zarvik {

// The box is (x, y) to (x + size.cx, y + size.cy).
HPoint NearestPointOnRect(HPoint position, HSize size, HPoint target);
HPoint ShortcutPointOnRect(HPoint position, HSize size, HPoint target);
// Both connection points of an ellipse: the nearest of its points at whole degrees.
HPoint NearestPointOnEllipse(HPoint position, HSize size, HPoint target);

// A plane vector for the geometry between item centres.
class HVector {
public:
    HVector() = default;
    HVector(double x, double y) : x(x), y(y) {}
    virtual ~HVector() = default;
    HVector(const HVector&) = default;
    HVector& operator=(const HVector&) = default;

    HVector& operator+=(const HVector& other);
    HVector& operator-=(const HVector& other);
    double Length() const;
    // In radians, 0 to 2π; with y growing downward π/2 points down the canvas.
    double Angle() const;
    void Rotate(double radians);

    double x = 0;
    double y = 0;
};

}  // namespace zarvik
