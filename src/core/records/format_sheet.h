#pragma once
// The names and page ids of the two "書式設定" sheets, by which the frame selects pages.

#include <cstdint>

namespace zarvik {

inline constexpr const char* kFormatSheetTitle = "書式設定";
inline constexpr const char* kDrawPageLabel = "描画";
inline constexpr const char* kFontPageLabel = "フォント";
inline constexpr const char* kPlacementPageLabel = "配置";

inline constexpr int32_t kPageDrawInfo = 1555;
inline constexpr int32_t kPageLineDrawInfo = 1564;
inline constexpr int32_t kPageFont = 1543;
inline constexpr int32_t kPageTextPlacement = 138;

}  // namespace zarvik
