#pragma once
// The item list panel without its window: which boxes it shows and in what order, the
// texts and colours of its cells, which cell editor a column takes, how an edit reaches
// the document, and the stored column layout.

#include <cstdint>
#include <string>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik {

class CZarvikDoc;
class HDrawList;
class HInfoCore;
class HItemObject;

// Columns, in their stored order.
enum HItemListColumn : int {
    kListColNumber = 0,  // "No."
    kListColType,        // "種別"
    kListColName,        // "名前"
    kListColFpType,      // "FP種別"
    kListColFp,          // "FP数"
    kListColX,           // "x座標"
    kListColY,           // "y座標"
    kListColWidth,       // "横幅"
    kListColHeight,      // "縦幅"
    kListColumnCount
};

// Header format flags of a column as the settings file stores them.
inline constexpr int32_t kListFormatLeft = 0x0000;
inline constexpr int32_t kListFormatRight = 0x0001;
inline constexpr int32_t kListFormatCenter = 0x0002;
inline constexpr int32_t kListFormatAlignMask = 0x0003;
inline constexpr int32_t kListFormatString = 0x4000;
inline constexpr int32_t kListFormatSortMarks = 0x0600;  // up and down

struct HItemListColumnInfo {
    const char* header;
    int32_t format;  // kListFormatLeft or kListFormatRight
    int32_t width;   // pixels
};
const HItemListColumnInfo& ItemListColumn(int column);

// The filter combo's entries.
enum HItemListFilter : int { kListShowAll = 0, kListShowFpOnly = 1, kListShowNonFpOnly = 2 };
inline constexpr const char* kItemListFilterTexts[] = {"全表示", "FP算出関連のみ表示",
                                                       "FP算出非関連のみ表示"};

struct HItemListRow {
    int32_t position = 0;  // among all boxes, counted from the top, before filtering
    HInfoCore* record = nullptr;
    HItemObject* box = nullptr;
    friend bool operator==(const HItemListRow&, const HItemListRow&) = default;
};

// The sort state of the list: a header click picks the column and the direction.
struct HItemListSort {
    int column = -1;  // -1: unsorted
    int ascending = 1;

    // Ascending for a new column or after descending, else descending.
    void Click(int clicked);
};

// The boxes the filter admits, from the top of the box list, sorted when a sort column is
// set. The rows point into boxes and stay valid until the next change of the document.
std::vector<HItemListRow> BuildItemListRows(const HDrawList& boxes, int filter,
                                            const HItemListSort& sort);
// The row index of box, -1 when it has no row.
int FindItemListRow(const std::vector<HItemListRow>& rows, const HItemObject* box);

std::string ItemListCellText(const HItemListRow& row, int column);

struct HItemListColors {
    HColorRef text = 0;
    HColorRef background = 0;
    int bold = 0;
};
// Unmeasured items are faded; a box selected on the canvas is blue and bold.
HItemListColors ItemListRowColors(const HItemListRow& row);

enum class HListEditor { None = 0, Text = 1, Choice = 2, Number = 10 };
HListEditor ItemListEditorOf(int column);

struct HItemListChoices {
    std::vector<std::string> entries;
    int selected = -1;
};
// The function types offered for the row's record; 0 when it is neither a data nor a
// transaction function (no choice editor then).
int ItemListChoicesOf(const HItemListRow& row, HItemListChoices& choices);

// Applies an edited cell of box: a non-empty name, the index of a function type, or a
// non-empty number for x, y, width or height (no minimum size). Then the canvas
// selection is cleared and the document records one undo step. Returns 0, changing
// nothing, when box is no longer in the document or the column takes no editor.
int ApplyItemListEdit(CZarvikDoc& doc, HItemObject* box, int column, const std::string& text);

// --- the stored column layout ("ObjectList", "Col_%d") ---
struct HListColumnLayout {
    int32_t format = 0;
    int32_t width = 0;
    int32_t order = 0;  // display position
    friend bool operator==(const HListColumnLayout&, const HListColumnLayout&) = default;
};
inline constexpr const char* kItemListSection = "ObjectList";
std::string ItemListLayoutKey(int column);  // "Col_%d"
std::string FormatColumnLayout(const HListColumnLayout& layout);
// All or nothing: returns 1 and fills layouts only when every value has exactly two
// commas and the display orders are each column's once. Stored sort marks are dropped:
// the list starts unsorted.
int ParseColumnLayouts(const std::vector<std::string>& values,
                       std::vector<HListColumnLayout>& layouts);

}  // namespace zarvik
