#include "core/fp/rule_sheet_rows.h"

#include "core/fp/estimate.h"
#include "core/port/ui_port.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

const std::array<HDegreeCommand, 6> kDegreeCommands = {{
    {"影響なし\t0", '0', 0},
    {"影響度軽微\t1", '1', 1},
    {"影響度小\t2", '2', 2},
    {"影響度中\t3", '3', 3},
    {"影響度大\t4", '4', 4},
    {"影響度重大\t5", '5', 5},
}};

std::string Hundredths(double value) {
    return Format("%4.2f", value * 0.01);
}

template <class Row>
HColorRef DefaultOrAddedBack(const std::vector<Row>& defaults, std::size_t index) {
    return index < defaults.size() ? kDefaultRowBack : kAddedRowBack;
}

}  // namespace

std::vector<HTyouseiListRow> TyouseiListRows(const HInfoSysMgrTyousei& table) {
    std::vector<HTyouseiListRow> out;
    out.reserve(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const HInfoTyousei& row = table.rows[i];
        out.push_back({FormatInt(static_cast<int32_t>(i + 1)), row.name,
                       std::string(TyouseiDegreeLabel(row.degree)), FormatInt(row.degree),
                       row.info});
    }
    return out;
}

std::string TyouseiCurrentValueText(const HInfoSysMgrTyousei& table) {
    return Format("現在値=%4.2f", (table.GetTdi() + 65) * 0.01);
}

std::span<const HDegreeCommand> DegreeCommands() {
    return kDegreeCommands;
}

int32_t DegreeForKey(char key) {
    for (const HDegreeCommand& command : kDegreeCommands) {
        if (command.key == key) {
            return command.degree;
        }
    }
    return -1;
}

int SetTyouseiDegree(HInfoSysMgrTyousei& table, int row, int32_t degree) {
    if (row < 0 || static_cast<std::size_t>(row) >= table.rows.size() || degree < 0 || degree > 5) {
        return 0;
    }
    table.rows[static_cast<std::size_t>(row)].degree = degree;
    return 1;
}

std::vector<HSeisanListRow> SeisanListRows(const HInfoSysMgrSeisan& table) {
    std::vector<HSeisanListRow> out;
    out.reserve(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const HInfoSeisan& row = table.rows[i];
        const int index = static_cast<int>(i);
        HSeisanListRow line;
        line.no = FormatInt(index + 1);
        line.name = row.name;
        for (int band = 0; band < kSeisanBands; ++band) {
            line.values[band] = Hundredths(row.values[band]);
            line.changed[band] = table.DiffersFromDefault(index, band);
        }
        line.info = row.info;
        line.back =
            index == table.Bunya ? kSelectedFieldBack : DefaultOrAddedBack(table.Defaults(), i);
        out.push_back(std::move(line));
    }
    return out;
}

std::array<std::string, kSeisanBands> SelectedSeisanTexts(const HInfoSysMgrSeisan& table) {
    std::array<std::string, kSeisanBands> out;
    if (table.Bunya < 0 || static_cast<std::size_t>(table.Bunya) >= table.rows.size()) {
        return out;
    }
    for (int band = 0; band < kSeisanBands; ++band) {
        out[band] = Format("%04.2f", table.GetValue(table.Bunya, band) * 0.01);
    }
    return out;
}

std::vector<HHirituListRow> HirituListRows(const HInfoSysMgrHiritu& table) {
    std::vector<HHirituListRow> out;
    out.reserve(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        out.push_back(
            {table.rows[i].name, table.rows[i].info, DefaultOrAddedBack(table.Defaults(), i)});
    }
    return out;
}

std::vector<HHirituItemRow> HirituItemRows(const HInfoHiritu& row,
                                           const std::vector<std::string>& itemNames) {
    std::vector<HHirituItemRow> out;
    out.reserve(kHirituItems);
    for (int i = 0; i < kHirituItems; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        out.push_back({FormatInt(i + 1), at < itemNames.size() ? itemNames[at] : std::string(),
                       Format("%04.2f%%", row.ratios[at] * 0.01)});
    }
    return out;
}

std::string HirituTotalText(const HInfoHiritu& row) {
    int64_t total = 0;
    for (int32_t ratio : row.ratios) {
        total += ratio;
    }
    return Format("%04.2f%%", static_cast<double>(total) * 0.01);
}

std::vector<HDevelopmentItemRow> DevelopmentItemRows(const HInfoSysMgrHiritu& table, int field,
                                                     const HInfoKousuu& estimate) {
    std::vector<HDevelopmentItemRow> out;
    if (field < 0 || static_cast<std::size_t>(field) >= table.rows.size()) {
        return out;
    }
    const double finalFp = estimate.GetFinalFp();
    for (int i = 0; i < kHirituItems; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const double ratio = table.GetValue(field, i);
        out.push_back({FormatInt(i + 1),
                       at < table.itemNames.size() ? table.itemNames[at] : std::string(),
                       Format("%4.2f", ratio * 0.01), Format("%4.2f", finalFp * ratio * 0.0001),
                       Format("%4.2f", estimate.effort * ratio * 0.0001)});
    }
    return out;
}

int AcceptEditedRowName(std::string_view name) {
    if (!name.empty()) {
        return 1;
    }
    UiPort().MessageBox("項目名称は必須項目です", "Error", HMsgIcon::None, HMsgButtons::Ok);
    return 0;
}

}  // namespace zarvik
