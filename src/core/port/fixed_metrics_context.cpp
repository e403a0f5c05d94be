#include "core/port/fixed_metrics_context.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/text/cp932.h"

namespace zarvik {

HSize HFixedMetricsContext::MeasureText(const std::string& text) const {
    const HLogFont& font = CurrentFont() ? *CurrentFont() : kStockSystemFont;
    const int32_t height = std::abs(font.height);
    const std::string_view view = text;
    int32_t lines = 1;
    int32_t widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = view.find_first_of("\r\n", start);
        const std::string_view line = view.substr(start, end == view.npos ? end : end - start);
        widest = std::max(widest, static_cast<int32_t>(Cp932Length(line)) * height / 2);
        if (end == view.npos) {
            break;
        }
        ++lines;
        start = end + (view.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return HSize{widest, lines * height};
}

int32_t HFixedMetricsContext::DrawText(const std::string& text, HRect& rect, int32_t format) {
    const HSize extent = MeasureText(text);
    if (format & kDtCalcRect) {
        rect.right = rect.left + extent.cx;
        rect.bottom = rect.top + extent.cy;
    }
    return extent.cy;
}

}  // namespace zarvik
