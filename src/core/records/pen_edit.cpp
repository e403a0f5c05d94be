#include "core/records/pen_edit.h"

#include <algorithm>

#include "core/records/info_item.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

std::optional<HLogPen>& PenOf(HInfoItemCore& attributes, HPenChoice choice) {
    switch (choice) {
        case HPenChoice::Selected:
            return attributes.penSelected;
        case HPenChoice::Guide:
            return attributes.penGuide;
        case HPenChoice::Normal:
            break;
    }
    return attributes.penNormal;
}

const std::optional<HLogPen>& PenOf(const HInfoItemCore& attributes, HPenChoice choice) {
    return PenOf(const_cast<HInfoItemCore&>(attributes), choice);
}

const std::array<HPenStyleEntry, kPenStyleCount> kPenStyles = {{
    {"実線", kPenSolid},
    {"破線", kPenDash},
    {"点線", kPenDot},
    {"一点鎖線", kPenDashDot},
    {"二点鎖線", kPenDashDotDot},
    {"（非表示）", kPenNull},
}};

}  // namespace

std::array<const char*, kPenChoiceCount> PenChoiceTexts(HFormatTarget target) {
    if (target == HFormatTarget::Line) {
        return {"外枠（通常）", "外枠（選択）", "外枠（補助）"};
    }
    return {"通常", "選択", "補助"};
}

HPenChoice PenChoiceOfIndex(int index) {
    return index == 1 ? HPenChoice::Selected : index == 2 ? HPenChoice::Guide : HPenChoice::Normal;
}

const std::array<HPenStyleEntry, kPenStyleCount>& PenStyleEntries() {
    return kPenStyles;
}

int PenStyleIndex(int32_t style) {
    for (int i = 0; i < kPenStyleCount; ++i) {
        if (kPenStyles[i].style == style) {
            return i;
        }
    }
    return -1;
}

int32_t PenStyleOfIndex(int index) {
    return index >= 0 && index < kPenStyleCount ? kPenStyles[index].style : -1;
}

bool PenStyleEditable(int32_t width) {
    return width <= 1;
}

int32_t PenWidthShown(int32_t width) {
    return std::max(width, 1);
}

int32_t PenWidthUp(int32_t width) {
    return width < kPenWidthMax ? std::max(width, 0) + 1 : width;
}

int32_t PenWidthDown(int32_t width) {
    return width > 1 ? width - 1 : 1;
}

int32_t PenWidthFromText(std::string_view text) {
    return std::clamp(Atoi(text), 0, kPenWidthMax);
}

bool FillEditable(HPenChoice choice) {
    return choice == HPenChoice::Normal;
}

HLogPen ChosenPen(const HInfoItemCore& attributes, HPenChoice choice) {
    return PenOf(attributes, choice).value_or(kStockBlackPen);
}

void ReplaceChosenPen(HInfoItemCore& attributes, HPenChoice choice, const HLogPen& pen) {
    PenOf(attributes, choice) = pen;
}

HColorRef FillColor(const HInfoItemCore& attributes) {
    return attributes.brush ? attributes.brush->color : Rgb(0, 0, 0);
}

void ReplaceFill(HInfoItemCore& attributes, HColorRef color) {
    attributes.brush = SolidBrush(color);
}

HPreviewLook PreviewLookOf(HPenChoice choice) {
    switch (choice) {
        case HPenChoice::Selected:
            return {1, 0};
        case HPenChoice::Guide:
            return {1, 1};
        case HPenChoice::Normal:
            break;
    }
    return {0, 0};
}

}  // namespace zarvik
