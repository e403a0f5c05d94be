#pragma once
// The DET and RET list pages of a data function: the rows they show, the five list
// commands with their enabling and keys, and the commands applied to the list of the
// record copy the sheet edits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fp/function_sheet.h"
#include "core/fp/info_col.h"

namespace zarvik {

class HInfoFile;

enum class HColListCommand { Add, Change, MoveUp, MoveDown, Delete };

// The context menu in order; the text after the tab names the keys.
struct HColListMenuItem {
    HColListCommand command;
    const char* text;
};
const std::vector<HColListMenuItem>& ColListMenu();

// Keys as the window reports them: letters by their upper-case character code.
inline constexpr int32_t kListKeyInsert = 0x2D;
inline constexpr int32_t kListKeyDelete = 0x2E;
// The command a key pressed in the list runs, if any.
std::optional<HColListCommand> ColListCommandForKey(int32_t key);

// What the entry edit dialog opens with; the remarks are in their shown form.
struct HColEditSetup {
    std::string title;
    std::string okText;
    std::string name;
    std::string remarks;
};
// The dialog's OK button is enabled only while the name is not empty.
inline bool ColEditCanAccept(std::string_view name) {
    return !name.empty();
}

enum class HColListKind { Det, Ret };

class HColListPage {
public:
    // Edits the DET or RET list of file, the sheet's copy of the record.
    HColListPage(HInfoFile& file, HColListKind kind);

    static std::vector<HSheetColumn> Columns();
    // One row per entry (number, name, remarks) and the summary row.
    std::vector<HSheetRow> Rows() const;
    int RowCount() const { return EntryCount() + 1; }

    // The selected row, the summary row included; -1 for none.
    void Select(int row);
    int SelectedRow() const { return m_selected; }

    bool IsEnabled(HColListCommand command) const;
    // The dialog Add and Change open; nullopt when the command is disabled.
    std::optional<HColEditSetup> EditSetup(HColListCommand command) const;

    // Each returns false and changes nothing when the command is disabled or the name is
    // empty. Add puts the new entry after the selected entry, or at the end, and selects
    // it; the remarks are given as typed. Add is disabled once the list holds as many
    // entries as a document reads back.
    bool Add(std::string_view name, std::string_view remarks);
    bool Change(std::string_view name, std::string_view remarks);
    bool MoveUp();
    bool MoveDown();
    bool Delete();

private:
    int EntryCount() const { return static_cast<int>(m_list.size()); }
    // The selected entry's index, -1 when no entry (or the summary row) is selected.
    int SelectedEntry() const;
    HInfoCol MakeEntry(std::string_view name, std::string_view remarks) const;

    HInfoFile& m_file;
    std::vector<HInfoCol>& m_list;
    HColListKind m_kind;
    int m_selected = -1;
};

}  // namespace zarvik
