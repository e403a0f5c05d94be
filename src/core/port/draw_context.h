#pragma once
// What items need of a drawing surface: the part of a Windows device context the program
// draws with, behaving as it does there so that a diagram looks as it does on Windows. The
// screen, the printer, previews and exports each implement the primitives from the rules
// written here; items rely on nothing else.
//
// Coordinates are canvas units. Whoever makes a context maps them to its device with one
// scale for both axes and an origin (the view's zoom, the printed page). Shapes, pen widths
// and font heights scale with the mapping; what is given below in device pixels does not.
//
// Rectangles (of shapes, text and the clip) hold their left and top edges but not their
// right and bottom ones: at 1:1, Rectangle({0, 0, 10, 10}) covers pixels 0 to 9 both ways.
// A rectangle whose right is left of its left, or bottom above its top, is taken with those
// edges swapped.
//
// Pens (HLogPen, width.x is the width). Width 0 is one device pixel whatever the mapping;
// any other width is in canvas units. The dash styles show only on pens of width 0 and 1,
// in device pixels: dash 18 on, 6 off; dot 3, 3; dash-dot 9, 6, 3, 6; dash-dot-dot 9, 3,
// 3, 3, 3, 3. A wider pen of a dash style draws solid, and so does a style not named in
// gdi_types.h. Wide pens are centred on the outline, with round ends and joins. No pen, or
// kPenNull, draws no outline: shapes are only filled, and a Rectangle then fills one device
// pixel less at its right and at its bottom.
//
// Brushes fill the inside of shapes. kBrushSolid fills with the brush colour; kBrushHatched
// draws one-pixel lines of that colour 8 device pixels apart in the hatch's directions, over
// the background (below). No brush, kBrushHollow, or a style or hatch not named in
// gdi_types.h leaves the inside as it is.
//
// Background. A context starts opaque with white as background colour: the cells behind
// text and the gaps of dash styles and hatches are filled white. Once
// SetTransparentBackground is called they are left as they are, for the context's life.
//
// Text. DrawText draws UTF-8 text in the selected font (the stock system font when none is
// selected) and the text colour; the top byte of a colour is ignored. Of a font, a negative
// height is the character height and a positive one the cell height, in canvas units; width
// 0 is the face's own; weight, italic, underline, strike-out and face name apply; the other
// fields do not. A line ends at a line feed, a carriage return, or the two together; lines
// follow each other from the top of the rectangle at the font's cell height (no external
// leading). Text never leaves its rectangle: it is clipped to it, as Windows clips without
// its no-clip flag, which the program never sets. A label cut to its box relies on this.
//
// Text measuring. Every context measures text as Platform().ScreenContext() does: with the
// screen's metrics at 1:1, in canvas units, whatever its own mapping or device; it only
// scales the text laid out. So a measured rectangle fits its text on every context, and the
// hit area of a label, measured on the screen context, is the rectangle it is drawn in.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {

// DrawText format flags: the bits the program sets itself or offers in its format page,
// with the platform's numbers, as they are stored in documents. Other bits are ignored.
inline constexpr int32_t kDtLeft = 0;      // no bit: a line starts at the left edge
inline constexpr int32_t kDtCenter = 0x1;  // each line centred across the rectangle
inline constexpr int32_t kDtRight = 0x2;   // each line ends at the right edge
inline constexpr int32_t kDtTop = 0;       // no bit: the first line at the top edge
// Vertical centring and bottom alignment are the label's own layout (parts_text.cpp),
// which takes them out of the format it draws with. A context ignores them, as the
// platform does for text of more than one line.
inline constexpr int32_t kDtVCenter = 0x4;
inline constexpr int32_t kDtBottom = 0x8;
inline constexpr int32_t kDtVerticalAlign = kDtVCenter | kDtBottom;
// Lines also break between words where the next would pass the right edge: after a space
// (not drawn at the break) or between two full-width characters.
inline constexpr int32_t kDtWordBreak = 0x10;
// Measure only; nothing is drawn.
inline constexpr int32_t kDtCalcRect = 0x400;
// Without it, & underlines the character after it and && draws one &.
inline constexpr int32_t kDtNoPrefix = 0x800;
// As in a multi-line edit control: with word break, a word wider than the rectangle breaks
// between characters, and a last line that would show only in part is not drawn.
inline constexpr int32_t kDtEditControl = 0x2000;
// A line wider than the rectangle is cut so that it ends in "..." inside it.
inline constexpr int32_t kDtEndEllipsis = 0x8000;

// A context keeps the pen, brush and font in use, as a device context does: selecting one
// returns the previous one, and shapes are drawn with what is selected. It starts with the
// stock black pen, a solid white brush, the stock system font, black text, an opaque
// background and no clip.
class HDrawContext {
public:
    virtual ~HDrawContext() = default;

    std::optional<HLogPen> SelectPen(const std::optional<HLogPen>& pen);
    std::optional<HLogBrush> SelectBrush(const std::optional<HLogBrush>& brush);
    std::optional<HLogFont> SelectFont(const std::optional<HLogFont>& font);

    const std::optional<HLogPen>& CurrentPen() const { return m_pen; }
    const std::optional<HLogBrush>& CurrentBrush() const { return m_brush; }
    const std::optional<HLogFont>& CurrentFont() const { return m_font; }

    HColorRef SetTextColor(HColorRef color);
    HColorRef TextColor() const { return m_textColor; }

    void SetTransparentBackground() { m_transparentBackground = true; }
    bool TransparentBackground() const { return m_transparentBackground; }

    // Outlined with the current pen, filled with the current brush.
    virtual void Rectangle(const HRect& rect) = 0;
    // The ellipse that touches the four sides of rect.
    virtual void Ellipse(const HRect& rect) = 0;
    // Each corner is a quarter of an ellipse corner.cx wide and corner.cy high (its size,
    // not a radius), held to the rectangle's own width and height.
    virtual void RoundRect(const HRect& rect, HSize corner) = 0;
    // Closed from the last point back to the first; where the outline crosses itself,
    // regions are filled alternately.
    virtual void Polygon(const std::vector<HPoint>& points) = 0;
    // From a to b with the current pen. A one-pixel line leaves out b itself, so lines
    // that meet draw their joint once; a wider one ends round at both points.
    virtual void Line(HPoint a, HPoint b) = 0;

    // Lays text out in rect by the format flags and draws it. With kDtCalcRect it only
    // measures: rect keeps its left and top, its right moves to bound the widest line
    // (narrower or wider than before; with word break, lines break at the width rect had)
    // and its bottom to bound the last line. Returns the height of the text laid out, the
    // number of lines times the font's cell height, whether drawn or measured.
    virtual int32_t DrawText(const std::string& text, HRect& rect, int32_t format) = 0;

    // The picture scaled to fill exactly dest, its own aspect not kept, top row at the
    // top, smoothed (shrinking averages source pixels); a pixel's fourth byte is ignored.
    // Pen, brush and background play no part. A picture that is not 32 bits per pixel, or
    // holds fewer than widthBytes × height bytes, draws nothing.
    virtual void StretchBitmap(const HBitmap& bitmap, const HRect& dest) = 0;

    // Limits all later drawing to the rectangle, replacing an earlier limit rather than
    // narrowing it; no rectangle lifts the limit.
    virtual void SetClip(const std::optional<HRect>& clip) = 0;

private:
    std::optional<HLogPen> m_pen = kStockBlackPen;
    std::optional<HLogBrush> m_brush = HLogBrush{.style = kBrushSolid, .color = Rgb(255, 255, 255)};
    std::optional<HLogFont> m_font = kStockSystemFont;
    HColorRef m_textColor = 0;
    bool m_transparentBackground = false;
};

}  // namespace zarvik
