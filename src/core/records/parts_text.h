#pragma once
// The label of an item: its font, colour, layout flags and where it stands.

#include <cstdint>
#include <optional>
#include <string>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawContext;

// DrawText flags the program interprets itself.
inline constexpr int32_t kDtCenter = 0x1;
inline constexpr int32_t kDtVCenter = 0x4;
inline constexpr int32_t kDtBottom = 0x8;
inline constexpr int32_t kDtWordBreak = 0x10;
inline constexpr int32_t kDtCalcRect = 0x400;
inline constexpr int32_t kDtNoPrefix = 0x800;
inline constexpr int32_t kDtEditControl = 0x2000;
inline constexpr int32_t kDtEndEllipsis = 0x8000;

// Centred both ways, no prefix processing.
inline constexpr int32_t kDefaultTextFormat = kDtCenter | kDtVCenter | kDtNoPrefix;
inline constexpr int32_t kDefaultPointSize = 100;
inline constexpr const char* kDefaultFaceName = "ＭＳ ゴシック";

// A font description as the platform makes it for a point size in tenths of a point.
HLogFont MakePointFont(int32_t tenthsOfPoint, const std::string& faceName);

class HItemPartsText {
public:
    HItemPartsText();

    HColorRef textColor = 0;
    int32_t textFormat = kDefaultTextFormat;
    int32_t freePoint = 0;  // 1: the label stands at its own offset outside the box
    HPoint labelDragStart;  // the offset when a label drag started
    HPoint labelOffset;     // top-left corner of the label relative to the item position
    int32_t pointSize = kDefaultPointSize;  // tenths of a point; not stored
    std::optional<HLogFont> font;

    // Makes the font again from description at pointSize tenths of a point and keeps the
    // point size. Returns 1.
    int SetTextFont(int32_t tenthsOfPoint, const HLogFont& description);

    // The point size and the font's description; 0 when there is no font.
    int GetTextFont(int32_t& tenthsOfPoint, HLogFont& description) const;

    // Copies every field, with a font made anew from the other's description.
    void CopyFrom(const HItemPartsText& other);

    // The label's extent measured on the screen, moved by the label offset (relative to
    // the item position).
    HRect MeasureLabel(const std::string& label) const;

    // Draws the label for the box: at its free point, framed with the current pen when
    // selected, or laid out inside the box by the text format.
    void DrawLabel(HDrawContext& dc, const std::string& label, const HRect& box,
                   int selected) const;

private:
    // The format used to lay the label out.
    int32_t LayoutFormat() const;
};

}  // namespace zarvik
