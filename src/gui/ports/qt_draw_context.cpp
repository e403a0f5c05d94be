#include "gui/ports/qt_draw_context.h"

namespace zarvik::gui {

HQtDrawContext::HQtDrawContext(QPainter& painter, double scale, QPointF origin)
    : m_painter(painter), m_scale(scale), m_origin(origin) {}

QPointF HQtDrawContext::ToDevice(HPoint point) const {
    return {(point.x - m_origin.x()) * m_scale, (point.y - m_origin.y()) * m_scale};
}

HPoint HQtDrawContext::ToCanvas(QPointF device) const {
    return {static_cast<int32_t>(device.x() / m_scale + m_origin.x()),
            static_cast<int32_t>(device.y() / m_scale + m_origin.y())};
}

void HQtDrawContext::Rectangle(const HRect&) {}
void HQtDrawContext::Ellipse(const HRect&) {}
void HQtDrawContext::RoundRect(const HRect&, HSize) {}
void HQtDrawContext::Polygon(const std::vector<HPoint>&) {}
void HQtDrawContext::Line(HPoint, HPoint) {}
int32_t HQtDrawContext::DrawText(const std::string&, HRect&, int32_t) {
    return 0;
}
void HQtDrawContext::StretchBitmap(const HBitmap&, const HRect&) {}
void HQtDrawContext::SetClip(const std::optional<HRect>&) {}

}  // namespace zarvik::gui
