#include "core/port/fixed_metrics_context.h"

#include <algorithm>
#include <cstdlib>

#include "core/text/cp932.h"

namespace zarvik {

HSize HFixedMetricsContext::MeasureText(const std::string& text) const {
    const int32_t height = CurrentFont() ? std::abs(CurrentFont()->height) : 16;
    int32_t lines = 1;
    int32_t widest = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        widest = std::max(widest, static_cast<int32_t>(Cp932Length(line)) * height / 2);
        if (end == std::string::npos) {
            break;
        }
        ++lines;
        start = end + 1;
    }
    return HSize{widest, lines * height};
}

int32_t HFixedMetricsContext::DrawText(const std::string& text, HRect& rect, int32_t format) {
    const HSize extent = MeasureText(text);
    if (format & 0x400) {
        rect.right = rect.left + extent.cx;
        rect.bottom = rect.top + extent.cy;
    }
    return extent.cy;
}

}  // namespace zarvik
