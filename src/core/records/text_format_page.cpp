#include "core/records/text_format_page.h"

#include "core/port/draw_context.h"

namespace zarvik {

namespace {

constexpr std::array<const char*, 3> kHorizontal = {"右揃え", "中央揃え", "左揃え"};
constexpr std::array<int32_t, 3> kHorizontalBits = {kDtRight, kDtCenter, kDtLeft};
constexpr int32_t kHorizontalMask = kDtCenter | kDtRight;

constexpr std::array<const char*, 3> kVertical = {"上揃え", "中央揃え", "下揃え"};
constexpr std::array<int32_t, 3> kVerticalBits = {kDtTop, kDtVCenter, kDtBottom};

bool InList(int index) {
    return index >= 0 && index < 3;
}

}  // namespace

const std::array<const char*, 3>& HorizontalAlignTexts() {
    return kHorizontal;
}

int HorizontalAlignIndex(int32_t format) {
    if (format & kDtCenter) {
        return 1;
    }
    return (format & kDtRight) ? 0 : 2;
}

int32_t WithHorizontalAlign(int32_t format, int index) {
    return InList(index) ? (format & ~kHorizontalMask) | kHorizontalBits[index] : format;
}

const std::array<const char*, 3>& VerticalAlignTexts() {
    return kVertical;
}

int VerticalAlignIndex(int32_t format) {
    if (format & kDtVCenter) {
        return 1;
    }
    return (format & kDtBottom) ? 2 : 0;
}

int32_t WithVerticalAlign(int32_t format, int index) {
    return InList(index) ? (format & ~kDtVerticalAlign) | kVerticalBits[index] : format;
}

int32_t WithFormatBit(int32_t format, int32_t bit, bool on) {
    return on ? format | bit : format & ~bit;
}

HTextPlacementEnabling TextPlacementEnabling(const HItemPartsText& text) {
    if (IsFreePoint(text)) {
        return {};
    }
    const bool wordBreak = (text.textFormat & kDtWordBreak) != 0;
    const bool endEllipsis = (text.textFormat & kDtEndEllipsis) != 0;
    return {.alignLists = true,
            .wordBreak = wordBreak || !endEllipsis,
            .endEllipsis = endEllipsis || !wordBreak};
}

}  // namespace zarvik
