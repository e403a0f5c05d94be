#pragma once
// The label of an item: its font, colour, layout flags and where it stands.

#include <cstdint>
#include <optional>
#include <string>

#include "core/port/draw_context.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HStateHash;

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
    // Adds every field to hash.
    void AddStateTo(HStateHash& hash) const;

    // The rectangle of the label at its free point, relative to the item position. It is
    // laid out on the screen context exactly as DrawLabel lays it out on the context it
    // draws with, and every context measures text as the screen does (draw_context.h): so
    // hit tests find the label where it is drawn.
    HRect MeasureLabel(const std::string& label) const;

    // Draws the label for the box: at its free point, framed with the current pen when
    // selected, or laid out inside the box by the text format.
    void DrawLabel(HDrawContext& dc, const std::string& label, const HRect& box,
                   int selected) const;

private:
    // The format used to lay the label out.
    int32_t LayoutFormat() const;
    // The label at its free point measured on dc, in the font selected there, with its
    // top-left corner at corner.
    HRect FreeLabelRect(HDrawContext& dc, const std::string& label, HPoint corner) const;
};

}  // namespace zarvik
