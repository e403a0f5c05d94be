#pragma once
// The drawing context over a QPainter: the screen, the printer, previews and exported
// pictures all draw the diagram through it. The painter's device is mapped from canvas
// units by one scale for both axes and an origin (the canvas point at the device's top left).

#include <QPainter>
#include <QPointF>

#include "core/port/draw_context.h"

namespace zarvik::gui {

class HQtDrawContext : public HDrawContext {
public:
    // painter stays owned by the caller and outlives the context.
    HQtDrawContext(QPainter& painter, double scale, QPointF origin);

    void Rectangle(const HRect& rect) override;
    void Ellipse(const HRect& rect) override;
    void RoundRect(const HRect& rect, HSize corner) override;
    void Polygon(const std::vector<HPoint>& points) override;
    void Line(HPoint a, HPoint b) override;
    int32_t DrawText(const std::string& text, HRect& rect, int32_t format) override;
    void StretchBitmap(const HBitmap& bitmap, const HRect& dest) override;
    void SetClip(const std::optional<HRect>& clip) override;

    // The device point of a canvas point, and back.
    QPointF ToDevice(HPoint point) const;
    HPoint ToCanvas(QPointF device) const;

private:
    QPainter& m_painter;
    double m_scale;
    QPointF m_origin;
};

}  // namespace zarvik::gui
