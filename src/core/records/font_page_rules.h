#pragma once
// What the font page of the box format sheet offers and how each choice changes the label's
// font, apart from any window: the style and size lists, typed sizes, the faces worth
// listing, and the edit that rebuilds the font after every change.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/port/gdi_types.h"
#include "core/records/parts_text.h"

namespace zarvik {

inline constexpr const char* kFaceListLabel = "フォント名";
inline constexpr const char* kStyleListLabel = "スタイル";
inline constexpr const char* kSizeListLabel = "サイズ";
inline constexpr const char* kFontEffectsLabel = "文字飾り";
inline constexpr const char* kStrikeOutText = "打ち消し線";
inline constexpr const char* kUnderlineText = "下線";
inline constexpr const char* kTextColorLabel = "文字色";
inline constexpr const char* kFontSampleLabel = "サンプル";
inline constexpr const char* kFontSampleText = "AaBbYyZz";

struct HFontStyleEntry {
    const char* text;
    int32_t weight;
    bool italic;
};
// "標準", "斜体", "太字", "太字 斜体".
const std::array<HFontStyleEntry, 4>& FontStyleEntries();
// The entry a font shows: bold ones for weight 700 only, regular ones for any other weight.
int FontStyleIndex(const HLogFont& font);
// -1 when the text is no entry.
int FindFontStyle(std::string_view text);

// The listed sizes in points.
const std::array<int32_t, 17>& FontSizeEntries();
// -1 when the size is not listed.
int FontSizeIndex(int32_t tenthsOfPoint);
// A typed size: its whole points (as atoi reads them) in tenths when they are above 0 and
// at most kMaxFontPoints; nothing otherwise.
std::optional<int32_t> TypedFontSize(std::string_view text);
// "10", or "10.5" for a size between whole points.
std::string FontSizeText(int32_t tenthsOfPoint);

// A face the page can offer: one the document can store unchanged (cp932, at most 31 bytes).
bool IsStorableFaceName(std::string_view face);
// The face list: the storable installed faces, and the current face even when it is not
// installed, in code point order without repeats.
std::vector<std::string> FaceListEntries(std::vector<std::string> installed,
                                         const std::string& current);

// Edits the label font of a text part the way the font page does: every change makes the
// font again through SetTextFont at the size the page shows.
class HFontPageEdit {
public:
    explicit HFontPageEdit(HItemPartsText& text);

    // The size shown, in tenths of a point. A loaded document keeps no point size, so when
    // the stored one does not make the font's height, the height gives the size.
    int32_t Size() const { return m_size; }
    // The font's description; the default font when the text part has none.
    const HLogFont& Font() const { return m_font; }
    HColorRef TextColor() const { return m_text.textColor; }

    void SetFace(const std::string& face);
    void SetStyle(int index);
    void SetSize(int32_t tenthsOfPoint);
    void SetStrikeOut(bool on);
    void SetUnderline(bool on);
    void SetTextColor(HColorRef color);

private:
    void Rebuild();

    HItemPartsText& m_text;
    int32_t m_size;
    HLogFont m_font;
};

}  // namespace zarvik
