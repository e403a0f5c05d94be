#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/items/info_hsv.h"
#include "core/items/outline_geometry.h"

namespace zarvik {
namespace {

TEST(ItemHsv, FromColourReference) {
    const struct {
        HColorRef color;
        double h, s, v;
    } cases[] = {
        {Rgb(255, 0, 0), 0, 1, 1},
        {Rgb(0, 0, 0), 0, 0, 0},
        {Rgb(0, 255, 255), 180, 1, 1},
        {Rgb(0, 255, 0), 120, 1, 1},
        {Rgb(0, 0, 255), 240, 1, 1},
        {Rgb(255, 0, 255), 300, 1, 1},
        {Rgb(128, 128, 128), 0, 0, 128 / 255.0},
    };
    for (const auto& c : cases) {
        const HInfoHsv hsv(c.color);
        EXPECT_NEAR(hsv.hue, c.h, 1e-9) << c.color;
        EXPECT_NEAR(hsv.saturation, c.s, 1e-9) << c.color;
        EXPECT_NEAR(hsv.value, c.v, 1e-9) << c.color;
    }
}

TEST(ItemHsv, BackToColourReferenceAndTheFadeWraps) {
    // Pure colours come back exactly; others may lose one step to truncation.
    for (const HColorRef color :
         {Rgb(255, 0, 0), Rgb(0, 255, 255), Rgb(0, 0, 255), Rgb(0, 0, 0), Rgb(255, 255, 255)}) {
        EXPECT_EQ(HInfoHsv(color).ToColorRef(), color);
    }
    HInfoHsv turned;
    turned.hue = 360 + 120;  // whole turns are taken off
    turned.saturation = 1;
    turned.value = 1;
    EXPECT_EQ(turned.ToColorRef(), Rgb(0, 255, 0));
    // White faded: value 1.5 gives 382, whose low eight bits are 126.
    EXPECT_EQ(FadedColor(Rgb(255, 255, 255)), Rgb(126, 126, 126));
}

TEST(LineVector, LengthAngleAndRotation) {
    constexpr double kPi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(HVector(3, 4).Length(), 5);
    EXPECT_DOUBLE_EQ(HVector(5, 0).Angle(), 0);
    EXPECT_DOUBLE_EQ(HVector(-5, 0).Angle(), kPi);
    EXPECT_DOUBLE_EQ(HVector(0, 2).Angle(), kPi / 2);  // down the canvas
    EXPECT_DOUBLE_EQ(HVector(0, -2).Angle(), 3 * kPi / 2);
    EXPECT_NEAR(HVector(1, -1).Angle(), 7 * kPi / 4, 1e-12);
    EXPECT_NEAR(HVector(-1, 1).Angle(), 3 * kPi / 4, 1e-12);

    HVector v(1, 0);
    v.Rotate(kPi / 2);
    EXPECT_NEAR(v.x, 0, 1e-12);
    EXPECT_NEAR(v.y, 1, 1e-12);
    v += HVector(2, 3);
    v -= HVector(1, 1);
    EXPECT_NEAR(v.x, 1, 1e-12);
    EXPECT_NEAR(v.y, 3, 1e-12);
}

}  // namespace
}  // namespace zarvik
