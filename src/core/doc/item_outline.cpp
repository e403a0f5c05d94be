#include "core/doc/item_outline.h"

#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"

namespace zarvik {

namespace {

constexpr HColorRef kWhite = Rgb(255, 255, 255);
constexpr HColorRef kBlack = Rgb(0, 0, 0);

// A hollow brush fills nothing, so the row shows white behind it as the canvas does.
HColorRef FillColour(const HItemObject& item) {
    if (!item.brush || item.brush->style == kBrushHollow) {
        return kWhite;
    }
    return item.brush->color;
}

}  // namespace

std::vector<std::string> OutlineViewTexts(HOutlineList list) {
    if (list == HOutlineList::Files) {
        return {"データ項目(DET)項目を表示する。", "レコード種類(RET)項目を表示する。"};
    }
    return {"データ項目(DET)項目を表示する。", "関連ファイル(FTR)項目を表示する。"};
}

HItemOutline::HItemOutline(HOutlineList list, int32_t view) : m_list(list), m_view(view) {}

void HItemOutline::Build(const HDrawList& boxes) {
    m_nodes.clear();
    const int32_t wanted = m_list == HOutlineList::Files ? kKindFile : kKindTask;
    for (HItemCore* at = boxes.GetPrevious(nullptr); at; at = boxes.GetPrevious(at)) {
        if (at->kind != wanted) {
            continue;
        }
        HNode node;
        node.item = static_cast<HItemObject*>(at);
        if (wanted == kKindFile) {
            node.file = static_cast<HItemFile*>(at);
        } else {
            node.task = static_cast<HItemTask*>(at);
            node.filesExpanded.assign(node.task->ftrList.size(), 0);
        }
        m_nodes.push_back(std::move(node));
    }
    Rebuild();
}

int HItemOutline::ToggleRow(std::size_t row) {
    if (row >= m_rows.size() || m_rows[row].isEntry) {
        return 0;
    }
    HNode& node = m_nodes[m_rowNode[row]];
    if (m_rows[row].level == 0) {
        node.expanded = !node.expanded;
    } else {
        int& expanded = node.filesExpanded[static_cast<std::size_t>(m_rows[row].ftr)];
        expanded = !expanded;
    }
    Rebuild();
    return 1;
}

const std::vector<HInfoCol>& HItemOutline::Entries(const HInfoFile& file) const {
    return m_view == kOutlineViewRet ? file.retList : file.detList;
}

void HItemOutline::AppendEntries(const HInfoFile& file, const HOutlineRow& parent,
                                 int32_t parentRow) {
    const std::size_t count = Entries(file).size();
    for (std::size_t i = 0; i < count; ++i) {
        HOutlineRow row = parent;
        row.entry = static_cast<int32_t>(i);
        row.parent = parentRow;
        row.expanded = 0;
        row.isEntry = 1;
        row.level = parent.level + 1;
        m_rows.push_back(row);
        m_rowNode.push_back(m_rowNode[static_cast<std::size_t>(parentRow)]);
    }
}

void HItemOutline::Rebuild() {
    m_rows.clear();
    m_rowNode.clear();
    for (std::size_t n = 0; n < m_nodes.size(); ++n) {
        const HNode& node = m_nodes[n];
        HOutlineRow top;
        top.item = node.item;
        top.file = node.file;
        top.expanded = node.expanded;
        const auto topRow = static_cast<int32_t>(m_rows.size());
        m_rows.push_back(top);
        m_rowNode.push_back(n);
        if (!node.expanded) {
            continue;
        }
        if (node.file) {
            AppendEntries(*node.file, top, topRow);
            continue;
        }
        // The FTR list may name a data function twice (two relation lines): each entry
        // is a row of its own with its own state.
        for (std::size_t f = 0; f < node.filesExpanded.size(); ++f) {
            HOutlineRow fileRow;
            fileRow.item = node.item;
            fileRow.file = node.task->ftrList[f];
            fileRow.ftr = static_cast<int32_t>(f);
            fileRow.parent = topRow;
            fileRow.expanded = node.filesExpanded[f];
            fileRow.level = 1;
            const auto fileRowIndex = static_cast<int32_t>(m_rows.size());
            m_rows.push_back(fileRow);
            m_rowNode.push_back(n);
            if (fileRow.expanded) {
                AppendEntries(*fileRow.file, fileRow, fileRowIndex);
            }
        }
    }
}

int HItemOutline::HasChildren(const HOutlineRow& row) const {
    if (row.level == 0 && m_list == HOutlineList::Transactions) {
        return !static_cast<const HItemTask*>(row.item)->ftrList.empty();
    }
    return row.file && !Entries(*row.file).empty();
}

std::string HItemOutline::CellText(std::size_t row, int column) const {
    if (row >= m_rows.size()) {
        return {};
    }
    const HOutlineRow& r = m_rows[row];
    if (r.isEntry) {
        const HInfoCol& entry = Entries(*r.file)[static_cast<std::size_t>(r.entry)];
        return column == 0 ? std::to_string(r.entry + 1) + " ： " + entry.name : entry.info;
    }
    if (column != 0) {
        return HasChildren(r) ? std::string() : std::string(kOutlineNoEntries);
    }
    return r.level == 0 ? r.item->Record()->name : r.file->name;
}

int HItemOutline::ImageIndex(std::size_t row) const {
    if (row >= m_rows.size() || m_rows[row].isEntry) {
        return kOutlineImageNone;
    }
    const HOutlineRow& r = m_rows[row];
    if (!HasChildren(r)) {
        return kOutlineImageEmpty;
    }
    return r.expanded ? kOutlineImageExpanded : kOutlineImageCollapsed;
}

HOutlineColors HItemOutline::Colors(std::size_t row) const {
    HOutlineColors colours;
    if (row >= m_rows.size() || m_rows[row].isEntry) {
        return {kBlack, kWhite};
    }
    const HItemObject& item = *m_rows[row].item;
    if (m_list == HOutlineList::Files) {
        colours.text = item.penNormal ? item.penNormal->color : kBlack;
    } else {
        colours.text = item.text.textColor;
    }
    colours.back = FillColour(item);
    return colours;
}

}  // namespace zarvik
