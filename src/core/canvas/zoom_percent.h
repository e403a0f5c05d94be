#pragma once
// The zoom selector's percentages: the texts it shows and what it accepts when typed.

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvik {

inline constexpr int32_t kZoomPercentMin = 10;
inline constexpr int32_t kZoomPercentMax = 400;

struct HZoomEntry {
    int32_t percent = 100;
    int outOfRange = 0;  // 1 when the typed number was held to the nearer bound
};

// A typed zoom text as a percentage: atoi of the text (the "%" ends the number), held to
// kZoomPercentMin .. kZoomPercentMax.
HZoomEntry ParseZoomPercent(std::string_view text);

// A typed zoom text taken as the selector takes it: out of range, the user is told the
// range and gets the nearer bound. Returns the percentage.
int32_t TakeTypedZoomPercent(std::string_view text);

// "%d%%"
std::string ZoomPercentText(int32_t percent);

// A percentage as the view's zoom factor, and a zoom factor as the nearest percentage.
float ZoomOfPercent(int32_t percent);
int32_t PercentOfZoom(float zoom);

}  // namespace zarvik
