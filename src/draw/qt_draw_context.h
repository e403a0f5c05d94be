#pragma once
// The drawing context over a QPainter: the screen, the printer, previews and exported
// pictures all draw the diagram through it. The painter's device is mapped from canvas
// units by one scale for both axes and an origin (the canvas point at the device's top left).
//
// Text is measured and laid out in canvas units with the font at 1:1, whatever the scale or
// the device, and only the laid-out lines are drawn scaled: so every context of this kind
// measures as the screen context at 1:1 does.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <optional>

#include "core/port/draw_context.h"

namespace zarvik::draw {

// The colour of a colour reference; its top byte is ignored.
QColor ToQColor(HColorRef color);

// The Qt font for a logical font, sized in canvas units (pixels at 1:1). Japanese system
// faces the machine lacks are replaced by a metric-compatible installed face.
QFont ToQFont(const HLogFont& font);

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
    // The device pixels a canvas rectangle covers, edges put in order.
    QRect DeviceRect(const HRect& rect) const;
    QPoint DevicePixel(HPoint point) const;
    // Pen width in device pixels; 0 when there is no outline.
    double PenDeviceWidth() const;
    // Sets the painter's pen, brush and background from the selected objects.
    void PreparePainter();
    // Where thin solid lines can be written straight into the picture being painted: a
    // 32-bit picture under a whole-pixel shift and at most a rectangular clip. Found once,
    // again after a clip change; no image when the painter must draw them.
    struct HFastLines {
        QImage* image = nullptr;
        QPoint shift;
        QRect clip;  // in the picture's pixels
    };
    const HFastLines& FastLines();
    // Draws a shape bounded by rect: draw gets the device rectangle and the rectangle to
    // give the painter (on whole pixels for a thin pen, on pixel centres for a wide one).
    template <typename Draw>
    void DrawBoxShape(const HRect& rect, Draw draw);

    // What PreparePainter last gave the painter.
    struct HAppliedState {
        bool valid = false;
        bool transparent = false;
        std::optional<HLogPen> pen;
        std::optional<HLogBrush> brush;
    };

    QPainter& m_painter;
    double m_scale;
    QPointF m_origin;
    HAppliedState m_applied;
    std::optional<HFastLines> m_fast;
};

}  // namespace zarvik::draw
