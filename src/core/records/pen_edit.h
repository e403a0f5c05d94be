#pragma once
// What the drawing page of the format sheets shows and allows, apart from any window: the
// three pens its selector chooses between, the pen styles, the width with its up-down
// rule, and how an edit replaces a pen or the fill of the attributes being edited.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/port/gdi_types.h"

namespace zarvik {

class HInfoItemCore;

// Which pen the line controls edit. Only the normal pen goes with the fill.
enum class HPenChoice { Normal = 0, Selected = 1, Guide = 2 };

// Boxes and relation lines name the three pens differently.
enum class HFormatTarget { Box, Line };

inline constexpr int kPenChoiceCount = 3;
// The selector's texts in the order of HPenChoice.
std::array<const char*, kPenChoiceCount> PenChoiceTexts(HFormatTarget target);
// The choice of a selector index; Normal for an index outside the selector.
HPenChoice PenChoiceOfIndex(int index);

struct HPenStyleEntry {
    const char* text;
    int32_t style;
};
inline constexpr int kPenStyleCount = 6;
// The style list in its order.
const std::array<HPenStyleEntry, kPenStyleCount>& PenStyleEntries();
// -1 for a style the list does not hold.
int PenStyleIndex(int32_t style);
// -1 for an index outside the list.
int32_t PenStyleOfIndex(int index);

// Styles other than solid show only on thin pens, so the list is offered only for them.
bool PenStyleEditable(int32_t width);

// The widest pen the page makes; a wider one read from a file is kept as it is.
inline constexpr int32_t kPenWidthMax = 999;
// The width the field shows: a width of 0 (or less) draws one pixel and shows "1".
int32_t PenWidthShown(int32_t width);
int32_t PenWidthUp(int32_t width);
// Never below 1.
int32_t PenWidthDown(int32_t width);
// A typed width; text that is not a number gives 0, the one-pixel line.
int32_t PenWidthFromText(std::string_view text);

bool FillEditable(HPenChoice choice);

// The pen the choice edits; an absent pen reads as a solid black one-pixel pen.
HLogPen ChosenPen(const HInfoItemCore& attributes, HPenChoice choice);
// Replaces the chosen pen by a new one of the description.
void ReplaceChosenPen(HInfoItemCore& attributes, HPenChoice choice, const HLogPen& pen);
// The colour the fill field shows: the brush's colour, black without a brush.
HColorRef FillColor(const HInfoItemCore& attributes);
// Replaces the fill by a solid brush of the colour.
void ReplaceFill(HInfoItemCore& attributes, HColorRef color);

// How the preview shows the item for a choice: plain for the normal pen, selected for the
// selected pen, selected with its handles for the guide pen.
struct HPreviewLook {
    int selected = 0;
    int showHandles = 0;
    friend bool operator==(const HPreviewLook&, const HPreviewLook&) = default;
};
HPreviewLook PreviewLookOf(HPenChoice choice);

}  // namespace zarvik
