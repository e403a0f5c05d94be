#pragma once
// The tooltip of the canvas: the text describing what lies under the mouse, and when the
// tooltip control is to take, change or drop it.

#include <cstdint>
#include <string>

#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawList;

// Button and modifier flags of a mouse move.
inline constexpr int32_t kMouseFlagLeft = 0x01;
inline constexpr int32_t kMouseFlagRight = 0x02;
inline constexpr int32_t kMouseFlagShift = 0x04;
inline constexpr int32_t kMouseFlagCtrl = 0x08;
inline constexpr int32_t kMouseFlagMiddle = 0x10;

inline constexpr int32_t kTooltipMaxWidth = 512;

// "EI", "EO", "EQ", "ILF", "EIF" for the function types, "-" for any other code.
const char* FunctionTypeText(int32_t typeCode);

// The description of the line at point, else of the named box at point, else empty.
std::string TooltipText(const HDrawList& boxes, const HDrawList& lines, HPoint point);

enum class HTooltipAction {
    Remove,   // remove the tool and update the control
    Add,      // add the canvas as a tool with the text
    Replace,  // replace the tool's text
    Pop,      // make the tip disappear; it comes back when the mouse rests
};

// The last tip shown and where; the canvas keeps one.
class HTooltipState {
public:
    // A mouse move to point with flags: no tip while a button or modifier is down. text
    // receives the tip's text.
    HTooltipAction Update(const HDrawList& boxes, const HDrawList& lines, HPoint point,
                          int32_t flags, std::string* text = nullptr);

    const std::string& LastText() const { return m_lastText; }
    HPoint LastPoint() const { return m_lastPoint; }

private:
    std::string m_lastText;
    HPoint m_lastPoint{-1, -1};
};

}  // namespace zarvik
