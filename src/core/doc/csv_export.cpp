#include "core/doc/csv_export.h"

#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/port/ui_port.h"
#include "core/store/file_io.h"
#include "core/text/cp932.h"

namespace zarvik {

namespace {

constexpr const char* kRowEnd = "\r\n";

// Name, type and setting, then each number followed by a comma.
std::string DataRow(std::string_view name, const char* type, int32_t setting, int32_t fp,
                    int32_t first, int32_t second) {
    std::string row = CsvField(name);
    row += ',';
    row += CsvField(type);
    row += ',';
    row += CsvField(CsvSumTypeText(setting));
    row += ',';
    for (const int32_t number : {fp, first, second}) {
        row += std::to_string(number);
        row += ',';
    }
    row += kRowEnd;
    return row;
}

int WriteList(HFlowDocument& doc, const std::string& path, HSaveReport* report,
              std::string (*build)(const HDrawList&)) {
    doc.RefreshItems();
    std::string bytes;
    const int unencodable = Utf8ToCp932(build(doc.Boxes()), bytes);
    if (report != nullptr) {
        report->unencodable = unencodable;
    }
    if (WriteFileAtomically(path, bytes) == 0) {
        UiPort().MessageBox(kCsvOpenFailed, "Error", HMsgIcon::Warning, HMsgButtons::Ok);
        return 0;
    }
    return 1;
}

}  // namespace

const char* CsvTransactionTypeText(int32_t typeCode) {
    switch (typeCode) {
        case kFpTypeEI:
            return "EI";
        case kFpTypeEO:
            return "EO";
        case kFpTypeEQ:
            return "EQ";
        default:
            return "";
    }
}

const char* CsvFileTypeText(int32_t typeCode) {
    switch (typeCode) {
        case kFpTypeILF:
            return "ILF";
        case kFpTypeEIF:
            return "EIF";
        default:
            return "";
    }
}

const char* CsvSumTypeText(int32_t setting) {
    switch (setting) {
        case kSumEstimated:
            return "FP概算法";
        case kSumUserLevel:
            return "複雑度指定";
        case kSumAutomatic:
            return "自動算出";
        case kSumUserFp:
            return "FP値指定";
        default:
            return "";
    }
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

std::string TransactionListText(const HDrawList& boxes) {
    std::string text = std::string(kCsvTransactionHeader) + kRowEnd;
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        if (const auto* task = dynamic_cast<const HItemTask*>(item)) {
            text +=
                DataRow(task->name, CsvTransactionTypeText(task->typeCode), task->SelectFpSumType,
                        task->GetFp(), task->linkedIlfCount, task->linkedEifCount);
        }
    }
    return text;
}

std::string FileListText(const HDrawList& boxes) {
    std::string text = std::string(kCsvFileHeader) + kRowEnd;
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        if (const auto* file = dynamic_cast<const HItemFile*>(item)) {
            const int32_t ret = file->GetRetCount();
            text += DataRow(file->name, CsvFileTypeText(file->typeCode), file->SelectFpSumType,
                            file->GetFp(), file->GetDetCount(), ret == 0 ? 1 : ret);
        }
    }
    return text;
}

int ExportTransactions(HFlowDocument& doc, const std::string& path, HSaveReport* report) {
    return WriteList(doc, path, report, TransactionListText);
}

int ExportFiles(HFlowDocument& doc, const std::string& path, HSaveReport* report) {
    return WriteList(doc, path, report, FileListText);
}

HCsvChooser CsvChooserFor(HCsvList list) {
    HCsvChooser chooser;
    chooser.title = list == HCsvList::Transactions
                        ? "ﾄﾗﾝｻﾞｸｼｮﾝﾘｽﾄのCSV出力 (出力先のﾌｧｲﾙ名を指定してください)"
                        : "ﾌｧｲﾙﾘｽﾄのCSV出力 (出力先のﾌｧｲﾙ名を指定してください)";
    chooser.filter = "CSV出力 (*.csv)|*.csv|All Files (*.*)|*.*||";
    return chooser;
}

std::string CsvOutputPath(const std::string& chosen) {
    return PathWithDefaultExtension(chosen, ".csv");
}

}  // namespace zarvik
