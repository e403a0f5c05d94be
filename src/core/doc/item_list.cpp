#include "core/doc/item_list.h"

#include <algorithm>
#include <utility>

#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"
#include "core/items/info_hsv.h"
#include "core/items/item_line.h"
#include "core/items/item_object.h"
#include "core/records/info_core.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {

namespace {

constexpr HItemListColumnInfo kColumns[kListColumnCount] = {
    {"No.", kListFormatRight, 30},   {"種別", kListFormatLeft, 100}, {"名前", kListFormatLeft, 200},
    {"FP種別", kListFormatLeft, 50}, {"FP数", kListFormatLeft, 50},  {"x座標", kListFormatLeft, 50},
    {"y座標", kListFormatLeft, 50},  {"横幅", kListFormatLeft, 50},  {"縦幅", kListFormatLeft, 50},
};

const std::vector<std::string> kTransactionTypes = {"EI", "EO", "EQ"};
const std::vector<std::string> kDataTypes = {"ILF", "EIF"};

// The function types of a type code's family (1xx transactions, 2xx data functions).
const std::vector<std::string>* TypeFamily(int32_t typeCode) {
    switch (typeCode / 100) {
        case 1:
            return &kTransactionTypes;
        case 2:
            return &kDataTypes;
        default:
            return nullptr;
    }
}

bool IsTextKey(int column) {
    return column == kListColType || column == kListColName;
}

int32_t NumericKey(const HItemListRow& row, int column) {
    switch (column) {
        case kListColNumber:
            return row.position;
        case kListColFpType:
            return row.record->typeCode;
        case kListColFp:
            return row.record->GetFp();
        case kListColX:
            return row.box->position.x;
        case kListColY:
            return row.box->position.y;
        case kListColWidth:
            return row.box->size.cx;
        case kListColHeight:
            return row.box->size.cy;
        default:
            return 0;
    }
}

// Text keys are the cp932 bytes; std::string compares its bytes as unsigned values.
void SortRows(std::vector<HItemListRow>& rows, const HItemListSort& sort) {
    if (sort.column < 0 || sort.column >= kListColumnCount) {
        return;
    }
    const auto ordered = [&sort](const auto& a, const auto& b) {
        return sort.ascending ? a.first < b.first : b.first < a.first;
    };
    if (IsTextKey(sort.column)) {
        std::vector<std::pair<std::string, HItemListRow>> keyed;
        keyed.reserve(rows.size());
        for (const HItemListRow& row : rows) {
            keyed.emplace_back(ToCp932(ItemListCellText(row, sort.column)), row);
        }
        std::stable_sort(keyed.begin(), keyed.end(), ordered);
        std::transform(keyed.begin(), keyed.end(), rows.begin(),
                       [](const auto& entry) { return entry.second; });
        return;
    }
    std::vector<std::pair<int32_t, HItemListRow>> keyed;
    keyed.reserve(rows.size());
    for (const HItemListRow& row : rows) {
        keyed.emplace_back(NumericKey(row, sort.column), row);
    }
    std::stable_sort(keyed.begin(), keyed.end(), ordered);
    std::transform(keyed.begin(), keyed.end(), rows.begin(),
                   [](const auto& entry) { return entry.second; });
}

int HasBox(const HDrawList& boxes, const HItemObject* box) {
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        if (item == box) {
            return 1;
        }
    }
    return 0;
}

// Sizes of 0 or less would leave the outline geometry without a centre to work from.
int32_t SideLength(int32_t value) {
    return std::max(1, ClampCoordinate(value));
}

int ApplyToBox(HItemObject& box, HDrawList& lines, int column, const std::string& text) {
    if (column == kListColName) {
        if (text.empty() || !IsCp932Encodable(text)) {
            return 0;
        }
        box.Record()->name = text;
        return 1;
    }
    if (column == kListColFpType) {
        HInfoCore& record = *box.Record();
        const std::vector<std::string>* family = TypeFamily(record.typeCode);
        const int32_t index = text.empty() ? -1 : Atoi(text);
        if (family == nullptr || index < 0 || index >= static_cast<int32_t>(family->size())) {
            return 0;
        }
        record.typeCode = index + 100 * (record.typeCode / 100);
        return 1;
    }
    if (text.empty()) {
        return 0;
    }
    const int32_t value = Atoi(text);
    switch (column) {
        case kListColX:
            box.position.x = ClampCoordinate(value);
            break;
        case kListColY:
            box.position.y = ClampCoordinate(value);
            break;
        case kListColWidth:
            box.size.cx = SideLength(value);
            break;
        case kListColHeight:
            box.size.cy = SideLength(value);
            break;
        default:
            return 0;
    }
    for (HItemCore* item = lines.Head(); item != nullptr; item = item->next) {
        if (auto* line = dynamic_cast<HItemLine*>(item)) {
            line->ReprojectEndsOn(box);
        }
    }
    return 1;
}

}  // namespace

const HItemListColumnInfo& ItemListColumn(int column) {
    return kColumns[std::clamp(column, 0, kListColumnCount - 1)];
}

void HItemListSort::Click(int clicked) {
    ascending = (clicked != column || !ascending) ? 1 : 0;
    column = clicked;
}

std::vector<HItemListRow> BuildItemListRows(const HDrawList& boxes, int filter,
                                            const HItemListSort& sort) {
    std::vector<HItemListRow> rows;
    int32_t position = 0;
    // The top of the box list is its tail, the item painted last.
    for (HItemCore* item = boxes.Tail(); item != nullptr; item = item->previous, ++position) {
        auto* box = dynamic_cast<HItemObject*>(item);
        HInfoCore* record = item->Record();
        if (box == nullptr || record == nullptr) {
            continue;
        }
        const int fp = record->IsFpItem() == 1;
        if ((filter == kListShowFpOnly && !fp) || (filter == kListShowNonFpOnly && fp)) {
            continue;
        }
        rows.push_back({position, record, box});
    }
    SortRows(rows, sort);
    return rows;
}

int FindItemListRow(const std::vector<HItemListRow>& rows, const HItemObject* box) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].box == box) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string ItemListCellText(const HItemListRow& row, int column) {
    switch (column) {
        case kListColNumber:
            return FormatInt(row.position + 1);
        case kListColType:
            return row.record->typeLabel;
        case kListColName:
            return row.record->name;
        case kListColFpType: {
            const int32_t code = row.record->typeCode;
            const std::vector<std::string>* family = TypeFamily(code);
            const int32_t index = code % 100;
            if (family == nullptr || index >= static_cast<int32_t>(family->size())) {
                return "-";
            }
            return (*family)[index];
        }
        default:
            return column > kListColFpType && column < kListColumnCount
                       ? FormatInt(NumericKey(row, column))
                       : std::string();
    }
}

HItemListColors ItemListRowColors(const HItemListRow& row) {
    HItemListColors colors;
    colors.text = row.box->text.textColor;
    // A hollow brush paints nothing: the canvas's white shows through.
    const auto& brush = row.box->brush;
    colors.background = brush && brush->style != kBrushHollow ? brush->color : Rgb(255, 255, 255);
    if (row.record->IsFpItem() == 0) {
        colors.text = FadedColor(colors.text);
        colors.background = FadedColor(colors.background);
    }
    if (row.box->Selected()) {
        colors.text = Rgb(0, 0, 255);
        colors.bold = 1;
    }
    return colors;
}

HListEditor ItemListEditorOf(int column) {
    switch (column) {
        case kListColName:
            return HListEditor::Text;
        case kListColFpType:
            return HListEditor::Choice;
        case kListColX:
        case kListColY:
        case kListColWidth:
        case kListColHeight:
            return HListEditor::Number;
        default:
            return HListEditor::None;
    }
}

int ItemListChoicesOf(const HItemListRow& row, HItemListChoices& choices) {
    const std::vector<std::string>* family = TypeFamily(row.record->typeCode);
    if (family == nullptr) {
        return 0;
    }
    choices.entries = *family;
    const int32_t index = row.record->typeCode % 100;
    choices.selected = index < static_cast<int32_t>(family->size()) ? index : -1;
    return 1;
}

int ApplyItemListEdit(CZarvikDoc& doc, HItemObject* box, int column, const std::string& text) {
    if (box == nullptr || box->Record() == nullptr || !HasBox(doc.Boxes(), box) ||
        ItemListEditorOf(column) == HListEditor::None) {
        return 0;
    }
    ApplyToBox(*box, doc.Lines(), column, text);
    // The edit ends as a jump to no item: nothing stays selected on the canvas.
    doc.Boxes().SetAllSelected(0);
    doc.Lines().SetAllSelected(0);
    doc.RecordStep(kChangeEdit, {kChangeSelection});
    return 1;
}

std::string ItemListLayoutKey(int column) {
    return Format("Col_%d", column);
}

std::string FormatColumnLayout(const HListColumnLayout& layout) {
    return JoinInts({layout.format, layout.width, layout.order});
}

int ParseColumnLayouts(const std::vector<std::string>& values,
                       std::vector<HListColumnLayout>& layouts) {
    std::vector<HListColumnLayout> parsed;
    std::vector<int> seen(values.size(), 0);
    for (const std::string& value : values) {
        const std::size_t first = value.find(',');
        if (std::count(value.begin(), value.end(), ',') != 2) {
            return 0;
        }
        const std::size_t second = value.find(',', first + 1);
        HListColumnLayout layout;
        layout.format = Atoi(std::string_view(value).substr(0, first)) & ~kListFormatSortMarks;
        layout.width = std::max(0, Atoi(std::string_view(value).substr(first + 1)));
        layout.order = Atoi(std::string_view(value).substr(second + 1));
        // A display order out of range or given twice would lose a column from view.
        if (layout.order < 0 || layout.order >= static_cast<int32_t>(values.size()) ||
            seen[layout.order]++ != 0) {
            return 0;
        }
        parsed.push_back(layout);
    }
    layouts = std::move(parsed);
    return 1;
}

}  // namespace zarvik
