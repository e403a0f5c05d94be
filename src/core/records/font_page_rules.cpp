#include "core/records/font_page_rules.h"

#include <algorithm>
#include <cstdlib>

#include "core/port/platform.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace {

constexpr std::array<HFontStyleEntry, 4> kStyles = {{
    {"標準", kFontWeightNormal, false},
    {"斜体", kFontWeightNormal, true},
    {"太字", kFontWeightBold, false},
    {"太字 斜体", kFontWeightBold, true},
}};

constexpr std::array<int32_t, 17> kSizes = {6,  8,  9,  10, 11, 12, 14, 16, 18,
                                            20, 22, 24, 26, 28, 36, 48, 72};

// The size the page starts at: the stored point size when it makes the font's height, else
// the whole points of that height.
int32_t ShownSize(const HItemPartsText& text) {
    if (!text.font) {
        return text.pointSize;
    }
    const int dpi = Platform().ScreenPixelsPerInch();
    const int32_t height = text.font->height;
    if (height == 0 || PointFontHeight(text.pointSize, dpi) == -std::abs(height)) {
        return text.pointSize;
    }
    const int32_t points = std::abs(FontHeightToPoints(height, dpi));
    return 10 * std::clamp(points, 1, kMaxFontPoints);
}

}  // namespace

const std::array<HFontStyleEntry, 4>& FontStyleEntries() {
    return kStyles;
}

int FontStyleIndex(const HLogFont& font) {
    return (font.weight == kFontWeightBold ? 2 : 0) + (font.italic != 0 ? 1 : 0);
}

int FindFontStyle(std::string_view text) {
    for (std::size_t i = 0; i < kStyles.size(); ++i) {
        if (text == kStyles[i].text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const std::array<int32_t, 17>& FontSizeEntries() {
    return kSizes;
}

int FontSizeIndex(int32_t tenthsOfPoint) {
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        if (kSizes[i] * 10 == tenthsOfPoint) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<int32_t> TypedFontSize(std::string_view text) {
    const int32_t points = Atoi(text);
    if (points <= 0 || points > kMaxFontPoints) {
        return std::nullopt;
    }
    return points * 10;
}

std::string FontSizeText(int32_t tenthsOfPoint) {
    if (tenthsOfPoint % 10 == 0) {
        return FormatInt(tenthsOfPoint / 10);
    }
    return Format("%d.%d", tenthsOfPoint / 10, std::abs(tenthsOfPoint % 10));
}

bool IsStorableFaceName(std::string_view face) {
    return !face.empty() && IsCp932Encodable(face) == 1 && Cp932Length(face) <= kFaceNameMaxBytes;
}

std::vector<std::string> FaceListEntries(std::vector<std::string> installed,
                                         const std::string& current) {
    std::erase_if(installed, [](const std::string& face) { return !IsStorableFaceName(face); });
    if (!current.empty()) {
        installed.push_back(current);
    }
    std::sort(installed.begin(), installed.end());
    installed.erase(std::unique(installed.begin(), installed.end()), installed.end());
    return installed;
}

HFontPageEdit::HFontPageEdit(HItemPartsText& text)
    : m_text(text),
      m_size(ShownSize(text)),
      m_font(text.font ? *text.font : MakePointFont(kDefaultPointSize, kDefaultFaceName)) {}

void HFontPageEdit::SetFace(const std::string& face) {
    m_font.faceName = face;
    Rebuild();
}

void HFontPageEdit::SetStyle(int index) {
    if (index < 0 || index >= static_cast<int>(kStyles.size())) {
        return;
    }
    m_font.weight = kStyles[index].weight;
    m_font.italic = kStyles[index].italic ? 1 : 0;
    Rebuild();
}

void HFontPageEdit::SetSize(int32_t tenthsOfPoint) {
    m_size = tenthsOfPoint;
    Rebuild();
}

void HFontPageEdit::SetStrikeOut(bool on) {
    m_font.strikeOut = on ? 1 : 0;
    Rebuild();
}

void HFontPageEdit::SetUnderline(bool on) {
    m_font.underline = on ? 1 : 0;
    Rebuild();
}

void HFontPageEdit::SetTextColor(HColorRef color) {
    m_text.textColor = color;
    Rebuild();
}

void HFontPageEdit::Rebuild() {
    if (m_text.SetTextFont(m_size, m_font) == 1 && m_text.font) {
        m_font = *m_text.font;
    }
}

}  // namespace zarvik
