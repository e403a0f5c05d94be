#pragma once
// A drawing context that draws nothing and measures text with fixed metrics: every cp932
// byte is half the font height wide and every line one font height high. It stands in for
// the screen where there is none, and is the base of recording contexts in tests. It breaks
// lines only where the text does: word breaks, ellipses and prefixes are not applied.

#include "core/port/draw_context.h"

namespace zarvik {

class HFixedMetricsContext : public HDrawContext {
public:
    void Rectangle(const HRect&) override {}
    void Ellipse(const HRect&) override {}
    void RoundRect(const HRect&, HSize) override {}
    void Polygon(const std::vector<HPoint>&) override {}
    void Line(HPoint, HPoint) override {}
    int32_t DrawText(const std::string& text, HRect& rect, int32_t format) override;
    void StretchBitmap(const HBitmap&, const HRect&) override {}
    void SetClip(const std::optional<HRect>&) override {}

    // The extent of text in the current font.
    HSize MeasureText(const std::string& text) const;
};

}  // namespace zarvik
