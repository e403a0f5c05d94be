#include "core/fp/col_list_page.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/fp/info_file.h"
#include "core/text/number_text.h"

namespace zarvik {

const std::vector<HColListMenuItem>& ColListMenu() {
    static const std::vector<HColListMenuItem> kMenu = {
        {HColListCommand::Add, "項目追加\tI or Ins"}, {HColListCommand::Change, "変更\tE"},
        {HColListCommand::MoveUp, "上に移動\tU"},     {HColListCommand::MoveDown, "下に移動\tD"},
        {HColListCommand::Delete, "削除\tDel"},
    };
    return kMenu;
}

std::optional<HColListCommand> ColListCommandForKey(int32_t key) {
    switch (key) {
        case 'I':
        case kListKeyInsert:
            return HColListCommand::Add;
        case 'E':
            return HColListCommand::Change;
        case 'U':
            return HColListCommand::MoveUp;
        case 'D':
            return HColListCommand::MoveDown;
        case kListKeyDelete:
            return HColListCommand::Delete;
        default:
            return std::nullopt;
    }
}

HColListPage::HColListPage(HInfoFile& file, HColListKind kind)
    : m_file(file), m_list(kind == HColListKind::Det ? file.detList : file.retList), m_kind(kind) {}

std::vector<HSheetColumn> HColListPage::Columns() {
    return {{"No.", 50, true}, {"名称", 200, false}, {"備考", 150, false}};
}

std::vector<HSheetRow> HColListPage::Rows() const {
    std::vector<HSheetRow> rows;
    rows.reserve(m_list.size() + 1);
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        rows.push_back({{FormatInt(static_cast<int32_t>(i + 1)), m_list[i].name, m_list[i].info}});
    }
    // An empty RET list rates as one record type, and says so.
    const int32_t count = m_kind == HColListKind::Ret && m_list.empty() ? 1 : EntryCount();
    const char* countName = m_kind == HColListKind::Det ? "DET" : "RET";
    rows.push_back({{"", SummaryText(countName, count), ""}, true, false});
    return rows;
}

void HColListPage::Select(int row) {
    m_selected = row >= 0 && row < RowCount() ? row : -1;
}

int HColListPage::SelectedEntry() const {
    return m_selected >= 0 && m_selected < EntryCount() ? m_selected : -1;
}

bool HColListPage::IsEnabled(HColListCommand command) const {
    const int entry = SelectedEntry();
    switch (command) {
        case HColListCommand::Add:
            // A document reads back no more entries than this; more would be lost.
            return EntryCount() < kMaxListEntries;
        case HColListCommand::Change:
        case HColListCommand::Delete:
            return entry >= 0;
        case HColListCommand::MoveUp:
            return entry > 0;
        case HColListCommand::MoveDown:
            return entry >= 0 && entry + 1 < EntryCount();
    }
    return false;
}

std::optional<HColEditSetup> HColListPage::EditSetup(HColListCommand command) const {
    if (command == HColListCommand::Add && IsEnabled(command)) {
        return HColEditSetup{"項目追加(新規)", "追加", "", ""};
    }
    if (command == HColListCommand::Change && IsEnabled(command)) {
        const HInfoCol& entry = m_list[static_cast<std::size_t>(SelectedEntry())];
        return HColEditSetup{Format("項目編集(第%d項)", SelectedEntry() + 1), "編集", entry.name,
                             RemarksForEdit(entry.info)};
    }
    return std::nullopt;
}

HInfoCol HColListPage::MakeEntry(std::string_view name, std::string_view remarks) const {
    return HInfoCol{&m_file, std::string(name), RemarksForStore(remarks), 0};
}

bool HColListPage::Add(std::string_view name, std::string_view remarks) {
    // A nameless entry would end the list when the document is read back.
    if (!IsEnabled(HColListCommand::Add) || !ColEditCanAccept(name)) {
        return false;
    }
    const int entry = SelectedEntry();
    const int at = entry >= 0 ? entry + 1 : EntryCount();
    m_list.insert(m_list.begin() + at, MakeEntry(name, remarks));
    m_selected = at;
    return true;
}

bool HColListPage::Change(std::string_view name, std::string_view remarks) {
    if (!IsEnabled(HColListCommand::Change) || !ColEditCanAccept(name)) {
        return false;
    }
    m_list[static_cast<std::size_t>(SelectedEntry())] = MakeEntry(name, remarks);
    return true;
}

bool HColListPage::MoveUp() {
    if (!IsEnabled(HColListCommand::MoveUp)) {
        return false;
    }
    const std::size_t entry = static_cast<std::size_t>(SelectedEntry());
    std::swap(m_list[entry], m_list[entry - 1]);
    --m_selected;
    return true;
}

bool HColListPage::MoveDown() {
    if (!IsEnabled(HColListCommand::MoveDown)) {
        return false;
    }
    const std::size_t entry = static_cast<std::size_t>(SelectedEntry());
    std::swap(m_list[entry], m_list[entry + 1]);
    ++m_selected;
    return true;
}

bool HColListPage::Delete() {
    if (!IsEnabled(HColListCommand::Delete)) {
        return false;
    }
    const int entry = SelectedEntry();
    m_list.erase(m_list.begin() + entry);
    // The entry that moved into its place, else the new last one, stays selected.
    m_selected = entry < EntryCount() ? entry : EntryCount() - 1;
    return true;
}

}  // namespace zarvik
