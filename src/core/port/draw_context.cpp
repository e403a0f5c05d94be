#include "core/port/draw_context.h"

#include <utility>

namespace zarvik {

std::optional<HLogPen> HDrawContext::SelectPen(const std::optional<HLogPen>& pen) {
    return std::exchange(m_pen, pen);
}

std::optional<HLogBrush> HDrawContext::SelectBrush(const std::optional<HLogBrush>& brush) {
    return std::exchange(m_brush, brush);
}

std::optional<HLogFont> HDrawContext::SelectFont(const std::optional<HLogFont>& font) {
    return std::exchange(m_font, font);
}

HColorRef HDrawContext::SetTextColor(HColorRef color) {
    return std::exchange(m_textColor, color);
}

}  // namespace zarvik
