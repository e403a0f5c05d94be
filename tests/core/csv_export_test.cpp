#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/doc/csv_export.h"
#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "core/text/cp932.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::TempDir;

class RecordingUi : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon icon,
                          HMsgButtons buttons) override {
        messages.push_back(caption + ":" + text);
        warningOk = warningOk && icon == HMsgIcon::Warning && buttons == HMsgButtons::Ok;
        return HMsgAnswer::Ok;
    }
    std::vector<std::string> messages;
    bool warningOk = true;
};

class CsvExportTest : public ::testing::Test {
protected:
    void SetUp() override { SetUiPort(&ui); }
    void TearDown() override { SetUiPort(nullptr); }

    HItemTask* AddTask(const std::string& name, int32_t type, int32_t setting) {
        auto task = std::make_unique<HItemTask>();
        task->name = name;
        task->typeCode = type;
        task->SelectFpSumType = setting;
        return static_cast<HItemTask*>(Append(std::move(task)));
    }
    HItemFile* AddFile(const std::string& name, int32_t type, int dets) {
        auto file = std::make_unique<HItemFile>();
        file->name = name;
        file->typeCode = type;
        for (int i = 0; i < dets; ++i) {
            file->detList.push_back(HInfoCol{file.get(), "項目" + std::to_string(i), "", 0});
        }
        return static_cast<HItemFile*>(Append(std::move(file)));
    }
    HItemCore* Append(std::unique_ptr<HItemCore> item) {
        doc.Boxes().Append(std::move(item));
        return doc.Boxes().Tail();
    }
    void Link(HItemObject* from, HItemObject* to) {
        auto line = std::make_unique<HItemLine>();
        line->fromItem = from;
        line->toItem = to;
        doc.Lines().Append(std::move(line));
    }
    // The decoded data rows of a list file, without the header row.
    std::vector<std::string> DataRows(const std::string& path) {
        const std::string text = Cp932ToUtf8(FileBytes(path));
        std::vector<std::string> rows;
        std::size_t start = text.find("\r\n") + 2;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            rows.push_back(text.substr(start, end - start));
        }
        return rows;
    }

    TempDir dir;
    RecordingUi ui;
    HFlowDocument doc;
};

using Rows = std::vector<std::string>;
constexpr const char* kTaskHeader =
    "名称,トランザクション種別,FP算出の設定,FP値,接続ILF数,接続EIF数\r\n";

TEST_F(CsvExportTest, AutomaticEiLinkedToOneIlfGivesThePinnedRowInCp932) {
    HItemFile* ilf = AddFile("顧客", kFpTypeILF, 16);  // 16 DETs, 1 FTR: average, 4 FP
    Link(ilf, AddTask("登録", kFpTypeEI, kSumAutomatic));
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv"), 1);
    // The header row as cp932, then 登録,EI,自動算出,4,1,0, with CR LF.
    const std::string header =
        "\x96\xbc\x8f\xcc,\x83\x67\x83\x89\x83\x93\x83\x55\x83\x4e\x83\x56\x83\x87\x83\x93"
        "\x8e\xed\x95\xca,FP\x8e\x5a\x8f\x6f\x82\xcc\x90\xdd\x92\xe8,FP\x92\x6c,"
        "\x90\xda\x91\xb1ILF\x90\x94,\x90\xda\x91\xb1"
        "EIF\x90\x94\r\n";
    const std::string row = "\x93\x6f\x98\x5e,EI,\x8e\xa9\x93\xae\x8e\x5a\x8f\x6f,4,1,0,\r\n";
    EXPECT_EQ(FileBytes(dir / "t.csv"), header + row);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CsvExportTest, TransactionColumnsWordsAndUnknownCodes) {
    AddFile("顧客", kFpTypeILF, 3);
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv"), 1);
    EXPECT_EQ(Cp932ToUtf8(FileBytes(dir / "t.csv")), kTaskHeader);  // header only

    AddTask("a", kFpTypeEI, kSumEstimated);
    AddTask("b", kFpTypeEO, kSumUserLevel)->FpLevel = kLevelHigh;
    AddTask("c", kFpTypeEQ, kSumUserFp)->FpUser = 12;
    AddTask("d", 150, kSumAutomatic);  // an unknown type rates 0 points
    AddTask("e", kFpTypeEO, 9);
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv"), 1);
    EXPECT_EQ(DataRows(dir / "t.csv"),
              (Rows{"a,EI,FP概算法,4,0,0,", "b,EO,複雑度指定,7,0,0,", "c,EQ,FP値指定,12,0,0,",
                    "d,,自動算出,0,0,0,", "e,EO,,0,0,0,"}));
}

TEST_F(CsvExportTest, LinkCountsAreRefreshedByTheExportAndCountEveryLine) {
    HItemFile* ilf = AddFile("受注", kFpTypeILF, 2);
    HItemFile* eif = AddFile("在庫", kFpTypeEIF, 2);
    auto* screen = static_cast<HItemView*>(Append(std::make_unique<HItemView>()));
    HItemTask* task = AddTask("出荷", kFpTypeEO, kSumAutomatic);
    HItemTask* other = AddTask("照会", kFpTypeEQ, kSumEstimated);
    Link(ilf, task);
    Link(task, ilf);  // a second line to the same file counts again
    Link(task, eif);
    Link(screen, task);  // lines to boxes that are not data functions add nothing
    Link(other, task);
    // No refresh before: the export gathers the links itself. 6 DETs, 3 FTRs: average EO.
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv"), 1);
    EXPECT_EQ(DataRows(dir / "t.csv"),
              (Rows{"出荷,EO,自動算出,5,2,1,", "照会,EQ,FP概算法,4,0,0,"}));
}

TEST_F(CsvExportTest, RowsFollowTheStackingOrderBottomFirst) {
    AddTask("一", kFpTypeEI, kSumEstimated)->SetSelected(1);
    AddTask("二", kFpTypeEI, kSumEstimated);
    AddFile("データ", kFpTypeILF, 0);
    AddTask("三", kFpTypeEI, kSumEstimated);
    ASSERT_EQ(doc.Boxes().BringToTail(), 1);  // the first one created goes on top
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv"), 1);
    EXPECT_EQ(DataRows(dir / "t.csv"),
              (Rows{"二,EI,FP概算法,4,0,0,", "三,EI,FP概算法,4,0,0,", "一,EI,FP概算法,4,0,0,"}));
}

TEST_F(CsvExportTest, FileListHeaderAndCountsInUse) {
    AddFile("顧客", kFpTypeILF, 3)->SelectFpSumType = kSumAutomatic;
    HItemFile* typed = AddFile("外部", kFpTypeEIF, 2);  // typed counts, the list is ignored
    typed->SelectFpSumType = kSumAutomatic;
    typed->AutoDET = typed->AutoRET = 0;
    typed->UserDET = 51;
    typed->UserRET = 4;
    HItemFile* withRets = AddFile("商品", kFpTypeILF, 1);
    withRets->retList.assign(2, HInfoCol{withRets, "R", "", 0});
    HItemFile* typedZero = AddFile("入力ゼロ", kFpTypeEIF, 0);
    typedZero->AutoRET = 0;  // a typed RET of 0 is written as 1, like an empty list
    AddFile("謎", 300, 0)->SelectFpSumType = 5;
    AddTask("登録", kFpTypeEI, kSumEstimated);
    ASSERT_EQ(ExportFiles(doc, dir / "f.csv"), 1);

    const std::string text = Cp932ToUtf8(FileBytes(dir / "f.csv"));
    EXPECT_EQ(text.substr(0, text.find("\r\n") + 2),
              "名称,ファイル種別,FP算出の設定,FP値,DET数,RET数\r\n");
    EXPECT_EQ(DataRows(dir / "f.csv"),
              (Rows{"顧客,ILF,自動算出,7,3,1,", "外部,EIF,自動算出,10,51,4,",
                    "商品,ILF,FP概算法,7,1,2,", "入力ゼロ,EIF,FP概算法,5,0,1,", "謎,,,0,0,1,"}));
}

TEST_F(CsvExportTest, NamesThatWouldBreakTheRowAreQuotedOthersAreNot) {
    AddTask("受注,出荷", kFpTypeEI, kSumEstimated);
    AddTask("\"至急\"登録", kFpTypeEI, kSumEstimated);
    AddTask("二行\r\n目", kFpTypeEI, kSumEstimated);
    AddTask(" 空白 ;'タブ\t", kFpTypeEI, kSumEstimated);
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv"), 1);
    EXPECT_EQ(Cp932ToUtf8(FileBytes(dir / "t.csv")),
              std::string(kTaskHeader) +
                  "\"受注,出荷\",EI,FP概算法,4,0,0,\r\n"
                  "\"\"\"至急\"\"登録\",EI,FP概算法,4,0,0,\r\n"
                  "\"二行\r\n目\",EI,FP概算法,4,0,0,\r\n"
                  " 空白 ;'タブ\t,EI,FP概算法,4,0,0,\r\n");
}

TEST_F(CsvExportTest, TextCp932CannotHoldIsReportedAndWrittenAsQuestionMark) {
    AddTask("登録😀", kFpTypeEI, kSumEstimated);
    HSaveReport report;
    ASSERT_EQ(ExportTransactions(doc, dir / "t.csv", &report), 1);
    EXPECT_EQ(report.unencodable, 1);
    EXPECT_EQ(DataRows(dir / "t.csv"), (Rows{"登録?,EI,FP概算法,4,0,0,"}));
}

TEST_F(CsvExportTest, AFileThatCannotBeCreatedIsReportedAsAWarning) {
    AddTask("登録", kFpTypeEI, kSumEstimated);
    fs::create_directory(dir / "folder");
    EXPECT_EQ(ExportTransactions(doc, dir / "missing/t.csv"), 0);
    EXPECT_EQ(ExportFiles(doc, dir / "folder"), 0);
    const std::string readOnly = dir / "read-only.csv";
    std::ofstream(readOnly) << "kept";
    fs::permissions(readOnly, fs::perms::owner_read);
    EXPECT_EQ(ExportFiles(doc, readOnly), 0);
    EXPECT_EQ(ui.messages, (Rows(3, "Error:ファイルを開けませんでした")));
    EXPECT_TRUE(ui.warningOk);
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(FileBytes(readOnly), "kept");
}

TEST(CsvChooser, TitlesFilterAndExtension) {
    EXPECT_EQ(CsvChooserFor(HCsvList::Transactions).title,
              "ﾄﾗﾝｻﾞｸｼｮﾝﾘｽﾄのCSV出力 (出力先のﾌｧｲﾙ名を指定してください)");
    EXPECT_EQ(CsvChooserFor(HCsvList::Files).title,
              "ﾌｧｲﾙﾘｽﾄのCSV出力 (出力先のﾌｧｲﾙ名を指定してください)");
    EXPECT_EQ(CsvChooserFor(HCsvList::Files).filter, "CSV出力 (*.csv)|*.csv|All Files (*.*)|*.*||");
    EXPECT_EQ(CsvOutputPath("/home/a/list"), "/home/a/list.csv");
    EXPECT_EQ(CsvOutputPath("/home/a/list.txt"), "/home/a/list.txt");
    EXPECT_EQ(CsvOutputPath("/home/v1.2/list"), "/home/v1.2/list.csv");
    EXPECT_EQ(CsvOutputPath("/home/a/.list"), "/home/a/.list.csv");
    EXPECT_EQ(CsvOutputPath(""), "");
}

}  // namespace
}  // namespace zarvik
