#pragma once
// A colour as the format pages show and read it: six hexadecimal digits, red, green and
// blue in that order.

#include <string>
#include <string_view>

#include "core/port/gdi_types.h"

namespace zarvik {

// "RRGGBB" in capitals.
std::string FormatColorText(HColorRef color);

// The colour of a six-digit text; any other text (shorter, longer, or not hexadecimal)
// reads as black.
HColorRef ParseColorText(std::string_view text);

// The colour a field's text is drawn in over the colour itself: white when any of red,
// green or blue is below 127, black otherwise.
HColorRef ColorFieldTextColor(HColorRef background);

}  // namespace zarvik
