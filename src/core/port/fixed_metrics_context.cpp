#include "core/port/fixed_metrics_context.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/text/cp932.h"

namespace zarvik {

namespace {

// Extents are held to the coordinate limit, so that a long text in a tall font neither
// overflows here nor where the extent is added to a position.
int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::min<int64_t>(value, kCoordinateLimit));
}

int32_t SaturatedSum(int32_t a, int32_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

}  // namespace

HSize HFixedMetricsContext::MeasureText(const std::string& text) const {
    const HLogFont& font = CurrentFont() ? *CurrentFont() : kStockSystemFont;
    const int64_t height = std::abs(int64_t{font.height});
    const std::string_view view = text;
    int64_t lines = 1;
    int64_t widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = view.find_first_of("\r\n", start);
        const std::string_view line = view.substr(start, end == view.npos ? end : end - start);
        widest = std::max(widest, static_cast<int64_t>(Cp932Length(line)) * height / 2);
        if (end == view.npos) {
            break;
        }
        ++lines;
        start = end + (view.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return HSize{Saturated(widest), Saturated(lines * height)};
}

int32_t HFixedMetricsContext::DrawText(const std::string& text, HRect& rect, int32_t format) {
    const HSize extent = MeasureText(text);
    if (format & kDtCalcRect) {
        rect.right = SaturatedSum(rect.left, extent.cx);
        rect.bottom = SaturatedSum(rect.top, extent.cy);
    }
    return extent.cy;
}

}  // namespace zarvik
