#pragma once
// The outline the file item list and the transaction item list show: the data functions
// (or transactions) of the diagram, each expandable into its DET or RET entries (or, for a
// transaction, into its related files and then their entries). One outline per view; the
// dialog only draws its rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/fp/info_col.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawList;
class HItemFile;
class HItemObject;
class HItemTask;

enum class HOutlineList { Files, Transactions };

// Which entries of a data function are listed.
inline constexpr int32_t kOutlineViewDet = 0;
inline constexpr int32_t kOutlineViewRet = 1;

// The view combo's texts of a list, view 0 then view 1.
std::vector<std::string> OutlineViewTexts(HOutlineList list);

inline constexpr const char* kOutlineNoEntries = "項目が存在しません";

// Images of top and file rows.
inline constexpr int kOutlineImageExpanded = 0;
inline constexpr int kOutlineImageCollapsed = 1;
inline constexpr int kOutlineImageEmpty = 2;
inline constexpr int kOutlineImageNone = -1;  // entry rows

struct HOutlineRow {
    HItemObject* item = nullptr;  // the data function or transaction of the top row
    HInfoFile* file = nullptr;    // the data function whose entries the row belongs to
    int32_t ftr = -1;             // transaction list: the place of file in the FTR list
    int32_t entry = -1;           // entry rows: index into the DET or RET list
    int32_t parent = -1;          // row index of the parent, -1 for a top row
    int expanded = 0;
    int isEntry = 0;
    int level = 0;  // 0 top, 1 file or entry under a data function, 2 entry under a file
};

struct HOutlineColors {
    HColorRef text = 0;
    HColorRef back = Rgb(255, 255, 255);
};

class HItemOutline {
public:
    HItemOutline(HOutlineList list, int32_t view);

    // One collapsed top row per data function (kind 101) or transaction (kind 102), from
    // the top of the box list down. The items must outlive the outline.
    void Build(const HDrawList& boxes);

    // A double click: a top or file row opens or closes, the others keep their state. An
    // entry row changes nothing. Returns 1 when the rows changed.
    int ToggleRow(std::size_t row);

    const std::vector<HOutlineRow>& Rows() const { return m_rows; }
    HOutlineList List() const { return m_list; }
    int32_t View() const { return m_view; }

    // Column 0 is the item name, column 1 the remark.
    std::string CellText(std::size_t row, int column) const;
    int ImageIndex(std::size_t row) const;
    HOutlineColors Colors(std::size_t row) const;

private:
    // What the rows are made from, kept across rebuilds.
    struct HNode {
        HItemObject* item = nullptr;
        HItemFile* file = nullptr;  // the data function of a file list node
        HItemTask* task = nullptr;  // the transaction of a transaction list node
        int expanded = 0;
        std::vector<int> filesExpanded;  // per FTR entry
    };

    void Rebuild();
    void AppendEntries(const HInfoFile& file, const HOutlineRow& parent, int32_t parentRow);
    int HasChildren(const HOutlineRow& row) const;
    const std::vector<HInfoCol>& Entries(const HInfoFile& file) const;

    HOutlineList m_list;
    int32_t m_view;
    std::vector<HNode> m_nodes;
    std::vector<HOutlineRow> m_rows;
    std::vector<std::size_t> m_rowNode;  // the node each row came from
};

}  // namespace zarvik
