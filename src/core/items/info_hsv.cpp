#include "core/items/info_hsv.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zarvik {

HInfoHsv::HInfoHsv(HColorRef color) {
    const double r = RedOf(color) / 255.0;
    const double g = GreenOf(color) / 255.0;
    const double b = BlueOf(color) / 255.0;
    const double v = std::max({r, g, b});
    const double m = std::min({r, g, b});
    value = v;
    saturation = v == 0 ? 0 : (v - m) / v;
    double rc = 0, gc = 0, bc = 0;
    if (v != m) {
        rc = (v - r) / (v - m);
        gc = (v - g) / (v - m);
        bc = (v - b) / (v - m);
    }
    if (v == r) {
        hue = 60 * (bc - gc);
    } else if (v == g) {
        hue = 60 * (2 + rc - bc);
    } else {
        hue = 60 * (4 + gc - rc);
    }
    if (hue < 0) {
        hue += 360;
    }
}

HColorRef HInfoHsv::ToColorRef() const {
    double h = std::fmod(hue, 360.0);
    if (h < 0) {
        h += 360;
    }
    h /= 60;
    const int i = static_cast<int>(std::floor(h));
    double f = h - i;
    if (i % 2 == 0) {
        f = 1 - f;
    }
    const double n = value * (1 - saturation * f);
    const double m = value * (1 - saturation);
    double r, g, b;
    switch (i) {
        case 0:
            r = value, g = n, b = m;
            break;
        case 1:
            r = n, g = value, b = m;
            break;
        case 2:
            r = m, g = value, b = n;
            break;
        case 3:
            r = m, g = n, b = value;
            break;
        case 4:
            r = n, g = m, b = value;
            break;
        default:
            r = value, g = m, b = n;
            break;
    }
    // Truncated toward zero; the low eight bits only.
    const auto component = [](double c) {
        return static_cast<int>(static_cast<int64_t>(c * 255) & 0xFF);
    };
    return Rgb(component(r), component(g), component(b));
}

HColorRef FadedColor(HColorRef color) {
    HInfoHsv hsv(color);
    hsv.saturation *= 0.5;
    hsv.value *= 1.5;
    return hsv.ToColorRef();
}

}  // namespace zarvik
