#pragma once
// The two CSV lists of the measured functions, one of the transactions and one of the data
// functions, written for a spreadsheet and never read back.
//
// Files are cp932 with CR LF line ends. Data rows end in a comma, the header row does not.
// Fields go out as they are, except that one holding a comma, a double quote or a line
// break is wrapped in double quotes with its inner quotes doubled, so a spreadsheet still
// sees it as one field of one row.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/port/ui_port.h"

namespace zarvik {

class HDrawList;
class HFlowDocument;
struct HSaveReport;

inline constexpr const char* kCsvTransactionHeader =
    "名称,トランザクション種別,FP算出の設定,FP値,接続ILF数,接続EIF数";
inline constexpr const char* kCsvFileHeader = "名称,ファイル種別,FP算出の設定,FP値,DET数,RET数";
inline constexpr const char* kCsvOpenFailed = "ファイルを開けませんでした";

// "EI", "EO" or "EQ" for the transaction type codes, "" for any other code.
const char* CsvTransactionTypeText(int32_t typeCode);
// "ILF" or "EIF" for the data function type codes, "" for any other code.
const char* CsvFileTypeText(int32_t typeCode);
// The words for the FP calculation setting 0 to 3, "" for any other value.
const char* CsvSumTypeText(int32_t setting);

// One field as it goes into a row: quoted only when it holds a comma, a double quote, a
// carriage return or a line feed.
std::string CsvField(std::string_view text);

// The whole list in UTF-8: the header row, then one row per function of the listed kind,
// bottom of the stacking order first. The records are read as they are; the export
// refreshes the links before it builds the text.
std::string TransactionListText(const HDrawList& boxes);
std::string FileListText(const HDrawList& boxes);

// Refresh every record's links, then write the list to path in cp932, replacing the file
// only by a complete new one. When the file cannot be written, shows kCsvOpenFailed and
// returns 0; an existing file is left as it was. report, when given, receives the number
// of characters cp932 could not hold (written as "?").
int ExportTransactions(HFlowDocument& doc, const std::string& path, HSaveReport* report = nullptr);
int ExportFiles(HFlowDocument& doc, const std::string& path, HSaveReport* report = nullptr);

enum class HCsvList { Transactions, Files };
// What the window's save chooser shows for a list.
using HCsvChooser = HFileChooser;
HCsvChooser CsvChooserFor(HCsvList list);

// The chosen name with ".csv" appended when its file name has no extension; a dot that
// starts the file name does not count as one. Empty stays empty.
std::string CsvOutputPath(const std::string& chosen);

}  // namespace zarvik
