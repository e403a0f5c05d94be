#pragma once
// What items need of a drawing surface, in canvas coordinates. The context keeps the pen,
// brush and font in use, as a device context does: selecting one returns the previous
// one, and shapes are drawn with what is selected. The screen, the printer, previews and
// exports each implement the primitives.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext {
public:
    virtual ~HDrawContext() = default;

    // Select a drawing object; returns the one it replaces. No object draws nothing for
    // pens and leaves the inside unfilled for brushes.
    std::optional<HLogPen> SelectPen(const std::optional<HLogPen>& pen);
    std::optional<HLogBrush> SelectBrush(const std::optional<HLogBrush>& brush);
    std::optional<HLogFont> SelectFont(const std::optional<HLogFont>& font);

    const std::optional<HLogPen>& CurrentPen() const { return m_pen; }
    const std::optional<HLogBrush>& CurrentBrush() const { return m_brush; }
    const std::optional<HLogFont>& CurrentFont() const { return m_font; }

    HColorRef SetTextColor(HColorRef color);
    HColorRef TextColor() const { return m_textColor; }
    // Text is drawn without filling its background.
    virtual void SetTransparentBackground() {}

    // Shapes with the current pen, filled with the current brush.
    virtual void Rectangle(const HRect& rect) = 0;
    virtual void Ellipse(const HRect& rect) = 0;
    virtual void RoundRect(const HRect& rect, HSize corner) = 0;
    virtual void Polygon(const std::vector<HPoint>& points) = 0;
    // A line with the current pen from a to b (b itself not drawn, as on the platform).
    virtual void Line(HPoint a, HPoint b) = 0;

    // Draws text into rect with DrawText format flags. With the calculate flag (0x400)
    // nothing is drawn and rect is widened or narrowed to the text's extent. Returns the
    // height of the text.
    virtual int32_t DrawText(const std::string& text, HRect& rect, int32_t format) = 0;

    // A picture stretched to exactly the rectangle.
    virtual void StretchBitmap(const HBitmap& bitmap, const HRect& dest) = 0;

    // Limits drawing to the rectangle, or lifts the limit.
    virtual void SetClip(const std::optional<HRect>& clip) = 0;

private:
    std::optional<HLogPen> m_pen = kStockBlackPen;
    std::optional<HLogBrush> m_brush = HLogBrush{kBrushSolid, Rgb(255, 255, 255), 0};
    std::optional<HLogFont> m_font = kStockSystemFont;
    HColorRef m_textColor = 0;
};

}  // namespace zarvik
