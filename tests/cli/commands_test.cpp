// The commands on small documents: the figures of the report, the bytes of the CSV lists,
// what check reports, and how a list that cannot be written is reported.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "core/text/cp932.h"
#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

class CommandTest : public ::testing::Test {
protected:
    RunResult Run(const std::vector<std::string>& args) {
        return RunZvk(args, RunOptions{ZVK_PROGRAM, dir / "home", ""});
    }
    std::string Doc(const std::string& name, const std::string& utf8) {
        WriteDocument(dir / name, utf8);
        return dir / name;
    }
    TempDir dir;
};

TEST_F(CommandTest, EmptyDocumentReportsFourteenLinesWithTheFirstProductivityBand) {
    const RunResult run = Run({"report", Doc("empty.zvk", "")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "機能種別毎の集計(個数,FP値合計)\n    ILF:0個,FP=0\n    EIF:0個,FP=0\n"
              "    EI :0個,FP=0\n    EO :0個,FP=0\n    EQ :0個,FP=0\n未調整合計FP値(UFP)=0\n"
              "(機能合計数=0)\n\n調整係数(VAF)による調整は行いません。\n"
              "最終調整FP値(FP)=未調整合計FP値(UFP)\n\n生産性(FP数/1人月)=23.80\n"
              "工数(人月)=合計FP値/生産性=0.00\n");
}

TEST_F(CommandTest, AdjustedReportHasFifteenLinesAndSummaryKeepsRealsUnrounded) {
    WriteBytes(dir / "factors.ini", "[RULE]\r\nSelectTyouseiType=1\r\n");
    const std::string doc =
        Doc("one.zvk", FileSection(1, "会員", 200, 1, {}, {}));  // average ILF by level: 10 FP
    const RunResult report = Run({"--settings", dir / "factors.ini", "report", doc});
    ASSERT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(std::count(report.out.begin(), report.out.end(), '\n'), 15);
    EXPECT_NE(report.out.find("調整係数値合計(TDI)=42\n調整係数(VAF)=0.65+(0.01×TDI)=1.07\n"
                              "最終調整FP値(FP)=UFP×VAF=10.70\n\n生産性(FP数/1人月)=13.44\n"
                              "工数(人月)=合計FP値/生産性=0.80\n"),
              std::string::npos)
        << report.out;

    const nlohmann::json s =
        nlohmann::json::parse(Run({"--settings", dir / "factors.ini", "summary", doc}).out);
    EXPECT_DOUBLE_EQ(s["adjusted_fp"].get<double>(), 1070 * 0.01);
    // 10 FP falls in the second productivity band, 13.44.
    EXPECT_DOUBLE_EQ(s["effort"].get<double>(), 1070 * 0.01 * 100.0 / 1344);
    EXPECT_EQ(s["functions"][0]["setting"], "user_level");
    EXPECT_EQ(s["functions"][0]["fp"], 10);
}

TEST_F(CommandTest, SummaryListsFunctionsBottomFirstWithTheirCounts) {
    const std::string doc =
        Doc("two.zvk",
            FileSection(1, "会員", 200, 2, {"番号", "氏名"}, {"基本"}) +
                TaskSection(2, "会員照会", 102, 2) +
                FileSection(3, "郵便番号", 201, 0, {"郵便番号"}, {}) +
                LineSection(4, "TASK_002", "FILE_001") + LineSection(5, "FILE_003", "TASK_002") +
                "[Other_006]\nName=利用者\nGuiPoint=0,0\nGuiSize=80,40\nGuiMinSize=30,30\n");
    const RunResult run = Run({"summary", doc});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json f = nlohmann::json::parse(run.out)["functions"];
    ASSERT_EQ(f.size(), 3u);  // the external module is not measured
    EXPECT_EQ(f[0], nlohmann::json::parse(R"({"key":"FILE_001","name":"会員","type":"ILF",
        "setting":"automatic","fp":7,"det":2,"ret_or_ftr":1,"level":"low"})"));
    EXPECT_EQ(f[1]["key"], "TASK_002");
    EXPECT_EQ(f[1]["type"], "EQ");
    EXPECT_EQ(f[1]["det"], 3);
    EXPECT_EQ(f[1]["ret_or_ftr"], 2);
    EXPECT_EQ(f[2]["setting"], "estimated");
}

TEST_F(CommandTest, CsvTransactionRowIsWrittenByteForByteInCp932) {
    const std::string doc =
        Doc("t.zvk", FileSection(1, "会員", 200, 2, {"番号"}, {}) + TaskSection(2, "登録", 100, 2) +
                         LineSection(3, "TASK_002", "FILE_001"));
    const RunResult run = Run({"csv", "transactions", doc, dir / "t.csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(FileBytes(dir / "t.csv"),
              ToCp932("名称,トランザクション種別,FP算出の設定,FP値,接続ILF数,接続EIF数\r\n"
                      "登録,EI,自動算出,3,1,0,\r\n"));
}

TEST_F(CommandTest, CsvQuotesANameHoldingACommaAndKeepsTheOutputNameAsGiven) {
    const std::string doc = Doc("q.zvk", FileSection(1, "顧客,取引先", 201, 0, {}, {}));
    ASSERT_EQ(Run({"csv", "files", doc, dir / "list"}).status, 0);
    EXPECT_EQ(FileBytes(dir / "list"), ToCp932("名称,ファイル種別,FP算出の設定,FP値,DET数,RET数\r\n"
                                               "\"顧客,取引先\",EIF,FP概算法,5,0,1,\r\n"));
}

TEST_F(CommandTest, CsvThatCannotBeWrittenFailsWithTheReasonAndLeavesNoFile) {
    const std::string doc = Doc("d.zvk", FileSection(1, "会員", 200, 2, {}, {}));
    const RunResult noFolder = Run({"csv", "files", doc, dir / "no/such/folder/out.csv"});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("ファイルを開けませんでした"), std::string::npos) << noFolder.err;
    EXPECT_NE(noFolder.err.find("its folder does not exist"), std::string::npos) << noFolder.err;

    std::filesystem::create_directory(dir / "taken");
    const RunResult isDir = Run({"csv", "transactions", doc, dir / "taken"});
    EXPECT_EQ(isDir.status, 1);
    EXPECT_NE(isDir.err.find("is a directory"), std::string::npos) << isDir.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir / "taken"));
}

TEST_F(CommandTest, CheckReportsUnknownSectionsButStillSucceeds) {
    const std::string doc =
        Doc("u.zvk", FileSection(1, "会員", 200, 2, {}, {}) + "[Misc_001]\nA=1\n");
    const RunResult run = Run({"check", doc});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "zvk: " + doc +
                  ": エラー: 理解できないセクション(Misc_001)がデータファイル内に存在しました。\n"
                  "一部のオブジェクトを正しく読み込めませんでした。\n");
    EXPECT_EQ(run.out, doc +
                           ": loaded with 1 message (1 data functions, 0 transactions, 0 "
                           "relation lines, UFP 7)\n");
}

TEST_F(CommandTest, NewerVersionIsLoadedWithAWarning) {
    const std::string doc =
        Doc("new.zvk", FileSection(1, "会員", 200, 2, {}, {}) +
                           "[Zarvik]\nFileVersion.Major=1\nFileVersion.Minor=3\n");
    const RunResult run = Run({"report", doc});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("未調整合計FP値(UFP)=7\n"), std::string::npos);
    EXPECT_NE(run.err.find(
                  "確認: データファイルは現在使用中のアプリより新しいバージョンで作成されてます。\n"
                  "読み込みを行いますか。"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("warning: answered OK"), std::string::npos);
    // The build number plays no part: 1.2.99 loads silently.
    const std::string same = Doc("same.zvk",
                                 "[Zarvik]\nFileVersion.Major=1\nFileVersion.Minor=2\n"
                                 "FileVersion.Build=99\n");
    EXPECT_EQ(Run({"check", same}).err, "");
}

TEST_F(CommandTest, OlderDocumentRulesKeepDefaultCoefficients) {
    // 1.2.3 ignores the stored page coefficient; 1.2.4 reads it.
    const std::string rule =
        "[RULE]\nSelectTyouseiType=0\nFpGaisanPage1X100=200\nFpGaisanPage2X100=100\n";
    const std::string body = FileSection(1, "会員", 200, 2, {}, {}) + rule;
    const auto pages = [&](const char* build) {
        const std::string doc =
            Doc(std::string("v") + build + ".zvk",
                body + "[Zarvik]\nFileVersion.Major=1\nFileVersion.Minor=2\nFileVersion.Build=" +
                    build + "\n");
        return nlohmann::json::parse(Run({"summary", doc}).out)["pages"].get<double>();
    };
    EXPECT_DOUBLE_EQ(pages("3"), std::pow(7.0, 1.15));
    EXPECT_DOUBLE_EQ(pages("4"), 14.0);
}

}  // namespace
}  // namespace zarvik::cli_test
