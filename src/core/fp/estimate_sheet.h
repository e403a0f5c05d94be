#pragma once
// The simple estimate sheet ("かんたん見積シート") without its window: the fixed chart of
// twelve boxes and the connector pieces between them, and the text of every box line as
// the estimate gives it. The window draws what these functions return.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/fp/estimate.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HInfoRule;

// One grid step of the sheet in pixels: column x 25, row x 20.
inline constexpr int32_t kKantanGridX = 25;
inline constexpr int32_t kKantanGridY = 20;
// Lines 0 to 7 of a box: caption, second line, four value lines, two spare.
inline constexpr int32_t kKantanLineCount = 8;
inline constexpr HColorRef kKantanTextBlack = Rgb(0, 0, 0);
// The text of a box whose value is not in effect.
inline constexpr HColorRef kKantanTextGrey = Rgb(220, 220, 220);

// Box ids.
inline constexpr int32_t kKantanType = 1;         // "計測タイプ"
inline constexpr int32_t kKantanScope = 2;        // "計測範囲"
inline constexpr int32_t kKantanData = 3;         // data functions
inline constexpr int32_t kKantanTransaction = 4;  // transaction functions
inline constexpr int32_t kKantanAdjustment = 5;   // VAF
inline constexpr int32_t kKantanUfp = 6;          // unadjusted FP
inline constexpr int32_t kKantanFp = 7;           // adjusted FP
inline constexpr int32_t kKantanEstimates = 8;    // pages, tests, defects, schedule from FP
inline constexpr int32_t kKantanEffort = 9;       // person-months
inline constexpr int32_t kKantanSchedule = 10;    // schedule from effort
inline constexpr int32_t kKantanDevItems = 11;    // development items
inline constexpr int32_t kKantanFrame = 12;       // the frame behind boxes 3, 4 and 6

struct HInfoKantanItem {
    int32_t id = -1;  // also selects the value lines
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t sequence = 0;  // 0 to 11 in creation order
    HColorRef color = 0;
    std::string caption;     // line 0
    std::string secondLine;  // line 1
    std::string extra;       // kept, never shown
    int32_t background = 0;  // 1: painted before the connectors and the other boxes
    int32_t pressed = 0;     // 1: sunken edge
    int32_t focus = 0;       // 1: focus rectangle inset by 4 pixels

    HRect Rect() const { return {x, y, x + width, y + height}; }
};

// One straight piece of a connector; a connector is the run of pieces sharing an id.
struct HInfoKantanLine {
    int32_t id = -1;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;   // 29 horizontal, 4 vertical
    int32_t height = 0;  // 4 horizontal, 24 vertical
    int32_t value = 0;
    HLogPen pen;

    HRect Rect() const { return {x, y, x + width, y + height}; }
};

// The twelve boxes in creation order (frame box 12 between boxes 6 and 5).
std::vector<HInfoKantanItem> BuildKantanItems();
// Every connector piece, grouped by connector id in creation order (eighteen ids).
std::vector<HInfoKantanLine> BuildKantanLines();

// The box with id, or null.
const HInfoKantanItem* FindKantanItem(const std::vector<HInfoKantanItem>& items, int32_t id);
// Gives id the focus and takes it from every other box. Returns 0, changing nothing, when
// no box has id.
int SetKantanFocus(std::vector<HInfoKantanItem>& items, int32_t id);

// The text of line (0 to 7) of box from an estimate; empty where the box shows nothing.
std::string GetKantanText(const HInfoKantanItem& box, int32_t line, const HInfoKousuu& result);
// The same after computing the estimate from the function records and rule (their' links are used
// as they are).
std::string GetKantanText(const HInfoKantanItem& box, int32_t line,
                          std::span<const HRatedFunction> functions, const HInfoRule& rule);
// The y at which line of box is written: top + 20 x (line + 1).
int32_t GetKantanTextY(const HInfoKantanItem& box, int32_t line);
// Grey for the data and transaction boxes while the UFP is typed and for the adjustment
// box while no adjustment applies; black otherwise.
HColorRef GetKantanTextColor(int32_t id, const HInfoRule& rule);

// Everything one paint of a box needs to write.
struct HKantanBoxText {
    int32_t id = -1;
    HColorRef color = kKantanTextBlack;
    std::array<std::string, kKantanLineCount> lines;
};

// The lines and text colour of every box, in the order of items, from one computation of
// the estimate from the function records and rule.
std::vector<HKantanBoxText> BuildKantanTexts(const std::vector<HInfoKantanItem>& items,
                                             std::span<const HRatedFunction> functions,
                                             const HInfoRule& rule);

}  // namespace zarvik
