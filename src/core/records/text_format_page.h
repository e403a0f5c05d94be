#pragma once
// What the text placement page of the box format sheet shows and how each control changes
// the label's format word and free-point flag, apart from any window.

#include <array>
#include <cstdint>

#include "core/records/parts_text.h"

namespace zarvik {

inline constexpr const char* kHorizontalAlignLabel = "横位置";
inline constexpr const char* kVerticalAlignLabel = "縦位置";
inline constexpr const char* kWordBreakText = "折り返して全体を表示する";
inline constexpr const char* kEndEllipsisText = "入りきらない部分を省略する";
inline constexpr const char* kFreePointText = "文字列の位置を自由に設定する";

// "右揃え", "中央揃え", "左揃え". Each entry places the label as its text says: right is the
// bit 0x2, centre 0x1, left neither.
const std::array<const char*, 3>& HorizontalAlignTexts();
int HorizontalAlignIndex(int32_t format);
int32_t WithHorizontalAlign(int32_t format, int index);

// "上揃え", "中央揃え", "下揃え": neither bit, 0x4, 0x8.
const std::array<const char*, 3>& VerticalAlignTexts();
int VerticalAlignIndex(int32_t format);
int32_t WithVerticalAlign(int32_t format, int index);

int32_t WithFormatBit(int32_t format, int32_t bit, bool on);

inline bool IsFreePoint(const HItemPartsText& text) {
    return text.freePoint == 1;
}

// Which controls the page leaves enabled. A label at its own point ignores the alignment,
// wrapping and ellipsis bits, so they are all disabled then. Wrapping and the ellipsis
// exclude each other, but a checked box stays enabled so that a word holding both can be
// cleared.
struct HTextPlacementEnabling {
    bool alignLists = false;
    bool wordBreak = false;
    bool endEllipsis = false;
    friend bool operator==(const HTextPlacementEnabling&, const HTextPlacementEnabling&) = default;
};
HTextPlacementEnabling TextPlacementEnabling(const HItemPartsText& text);

}  // namespace zarvik
