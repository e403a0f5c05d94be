#pragma once
// What the list pages of the rule sheets show: the adjustment factors with their degree
// commands, the productivity table with its colours, the development item ratios, the row
// edit dialogs' check, and the development items of one field with their share.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fp/sys_tables.h"
#include "core/port/gdi_types.h"

namespace zarvik {

struct HInfoKousuu;

inline constexpr HColorRef kSelectedFieldBack = Rgb(200, 200, 255);
inline constexpr HColorRef kDefaultRowBack = Rgb(240, 240, 240);
inline constexpr HColorRef kAddedRowBack = Rgb(255, 255, 255);
inline constexpr HColorRef kChangedValueText = Rgb(255, 0, 0);

// ---- adjustment factors

struct HTyouseiListRow {
    std::string no;  // from "1"
    std::string name;
    std::string degreeLabel;
    std::string degree;
    std::string info;
};

std::vector<HTyouseiListRow> TyouseiListRows(const HInfoSysMgrTyousei& table);
// "現在値=%4.2f" of (TDI + 65) x 0.01, whatever way the VAF is chosen.
std::string TyouseiCurrentValueText(const HInfoSysMgrTyousei& table);

struct HDegreeCommand {
    const char* menuText;  // label, a tab and the key
    char key;
    int32_t degree;
};

// The six context menu commands, keys '0' to '5'.
std::span<const HDegreeCommand> DegreeCommands();
// The degree a key sets, -1 for another key.
int32_t DegreeForKey(char key);
// Sets the degree of a factor at once. Returns 0 (nothing changed) without such a row or
// for a degree outside 0 to 5.
int SetTyouseiDegree(HInfoSysMgrTyousei& table, int row, int32_t degree);

// ---- productivity

struct HSeisanListRow {
    std::string no;
    std::string name;
    std::array<std::string, kSeisanBands> values;  // "%4.2f"
    std::array<int, kSeisanBands> changed{};       // 1: differs from the default, drawn red
    std::string info;
    HColorRef back = kAddedRowBack;
};

std::vector<HSeisanListRow> SeisanListRows(const HInfoSysMgrSeisan& table);
// The six values of the selected field for the read-only edits ("%04.2f"); empty texts
// when no field is selected.
std::array<std::string, kSeisanBands> SelectedSeisanTexts(const HInfoSysMgrSeisan& table);

// ---- development item ratios

struct HHirituListRow {
    std::string name;
    std::string info;
    HColorRef back = kAddedRowBack;
};

std::vector<HHirituListRow> HirituListRows(const HInfoSysMgrHiritu& table);

// The ratio edit dialog: one row per development item ("No.", name, "%04.2f%%").
struct HHirituItemRow {
    std::string no;
    std::string name;
    std::string ratio;
};

std::vector<HHirituItemRow> HirituItemRows(const HInfoHiritu& row,
                                           const std::vector<std::string>& itemNames);
// "%04.2f%%" of the sum of the 25 ratios.
std::string HirituTotalText(const HInfoHiritu& row);

// "標準的開発項目と概略工数一覧": the development items of one field with their share of
// the estimate, all "%4.2f".
struct HDevelopmentItemRow {
    std::string no;
    std::string name;
    std::string ratio;
    std::string fp;
    std::string effort;
};

// No rows for a field that does not exist.
std::vector<HDevelopmentItemRow> DevelopmentItemRows(const HInfoSysMgrHiritu& table, int field,
                                                     const HInfoKousuu& estimate);

// ---- row edit dialogs

// "設定": a row needs a name; without one the user is told and the dialog stays open.
// Returns 1 when the edited row may be stored.
int AcceptEditedRowName(std::string_view name);

}  // namespace zarvik
