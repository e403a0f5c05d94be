#pragma once
// A colour as hue, saturation and value, for fading the rows of unmeasured items.

#include "core/port/gdi_types.h"

namespace zarvik {

class HInfoHsv {
public:
    HInfoHsv() = default;
    explicit HInfoHsv(HColorRef color);

    // Back to a colour reference. Each component is truncated after scaling to 255 and
    // only its low eight bits are kept, so a value above 1 wraps rather than saturates.
    HColorRef ToColorRef() const;

    double hue = 0;         // degrees, 0 to 360
    double saturation = 0;  // 0 to 1
    double value = 0;       // 0 to 1
};

// The faded form of a colour: half the saturation, one and a half times the value.
HColorRef FadedColor(HColorRef color);

}  // namespace zarvik
