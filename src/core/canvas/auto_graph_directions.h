#pragma once
// The push along the offset between two node centres, without the trigonometry where it
// cannot change the outcome. A push is (magnitude, 0) turned by the angle of the offset,
// and a box moves by its truncated components; offset / length gives the same components
// up to a few units in the last place, so wherever a component lies clear of a whole
// number by far more than that, it truncates alike and the angle is never worked out.

#include "core/items/outline_geometry.h"

namespace zarvik {

class HAutoGraphDirections {
public:
    HAutoGraphDirections();
    // A force that truncates exactly as HVector(magnitude, 0) turned by offset.Angle(), for
    // an offset other than zero whose CentreDistance is length.
    HVector Along(double magnitude, const HVector& offset, double length) const;

private:
    // (1, 0) turned by Rotate to the angles of the four axes: +x, +y, -x, -y.
    HVector m_axes[4];
};

}  // namespace zarvik
