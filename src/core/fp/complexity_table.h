#pragma once
// The complexity table of a function's property sheet, laid out for painting: the 5 × 5
// cells with their texts and fills, the grid lines, the frame and the note line. The
// control paints exactly this and decides nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {

class HInfoFile;
class HInfoTask;

inline constexpr int32_t kTableCellWidth = 40;
inline constexpr int32_t kTableCellHeight = 25;
inline constexpr int32_t kTableColumns = 5;
inline constexpr int32_t kTableRows = 5;

enum class HTableFill {
    ButtonFace,  // header cells, the dialog's own background colour
    White,
    Highlight,  // kTableHighlightColor: the cells the setting puts in force
};
inline constexpr HColorRef kTableHighlightColor = Rgb(0, 0, 255);
inline constexpr HColorRef kTableInkColor = Rgb(0, 0, 0);
inline constexpr HColorRef kTableGreyInkColor = Rgb(200, 200, 200);

struct HTableCell {
    int32_t column = 0;
    int32_t row = 0;
    HRect rect;
    // Text centred on one line, its bottom on textRect's bottom (the cell's less 2).
    HRect textRect;
    HTableFill fill = HTableFill::ButtonFace;
    std::string text;
};

struct HTableLine {
    HPoint from;
    HPoint to;
};

struct HComplexityTable {
    // false for a type the table has no matrix for: only the background is painted.
    bool drawn = false;
    HColorRef ink = kTableInkColor;      // lines and texts
    std::vector<HTableCell> cells;       // row by row, 25 when drawn
    std::vector<HTableLine> innerLines;  // 1 pixel wide
    HRect frame;                         // 2 pixels wide
    int32_t frameWidth = 2;
    HRect noteRect;  // in the control's font, transparent
    std::string note;
};

// What the table needs of a function record.
struct HComplexityInput {
    int32_t type = 0;
    int32_t setting = 0;
    int32_t level = 0;   // FpLevel, for setting 1
    int32_t det = 0;     // the counts, shown and rated for setting 2
    int32_t second = 0;  // RET or FTR
};

// controlWidth is the control's width, the right end of the note line.
HComplexityTable BuildComplexityTable(const HComplexityInput& input, int32_t controlWidth);
HComplexityInput ComplexityInputOf(const HInfoFile& file);
HComplexityInput ComplexityInputOf(const HInfoTask& task);

}  // namespace zarvik
