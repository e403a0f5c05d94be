// zvk compare on a pair of small documents: the text, the JSON, the enhancement count and
// the errors; and the NESMA indicative count of summary.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

class CompareTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(dir / "factors.ini", "[RULE]\r\nSelectTyouseiType=1\r\n");  // VAF 1.07
        WriteDocument(dir / "base.zvk", FileSection(1, "会員", 200, 2, {"番号", "氏名"}, {}) +
                                            FileSection(2, "書誌", 201, 0, {}, {}) +
                                            TaskSection(3, "貸出", 100, 2) +
                                            LineSection(9, "FILE_001", "TASK_003"));
        WriteDocument(
            dir / "new.zvk",
            FileSection(1, "会員", 200, 2, {"番号", "氏名"}, {}) + TaskSection(3, "貸出", 100, 2) +
                FileSection(4, "予約", 200, 0, {"予約日"}, {}) + TaskSection(5, "検索", 102, 0) +
                LineSection(9, "FILE_001", "TASK_003") + LineSection(10, "FILE_004", "TASK_003"));
    }
    RunResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", dir / "factors.ini"});
        return RunZvk(args, RunOptions{ZVK_PROGRAM, dir / "home", ""});
    }
    TempDir dir;
};

TEST_F(CompareTest, TextShowsEachFunctionAndEveryTermOfTheEnhancementCount) {
    const RunResult run = Run({"compare", "--conversion", "2", dir / "base.zvk", dir / "new.zvk"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string expected = "比較元: " + (dir / "base.zvk") +
                                 "\n比較先: " + (dir / "new.zvk") +
                                 "\n\n"
                                 "追加された機能(2個,FP=11)\n"
                                 "    ILF FILE_004 予約 DET=1 RET=0 複雑度=低 FP=7\n"
                                 "    EQ  TASK_005 検索 DET=0 FTR=0 複雑度=中 FP=4\n"
                                 "削除された機能(1個,FP=5)\n"
                                 "    EIF FILE_002 書誌 DET=0 RET=0 複雑度=低 FP=5\n"
                                 "変更された機能(1個,変更前FP=3,変更後FP=3)\n"
                                 "    EI  TASK_003 貸出: DET 2→3, FTR 1→2\n"
                                 "変更のない機能(1個,うち名称またはキーだけ変わった機能0個)\n"
                                 "\n"
                                 "規模の比較(比較元→比較先,差)\n"
                                 "    未調整合計FP値(UFP)=15→21(+6)\n"
                                 "    調整係数(VAF)=1.07→1.07\n"
                                 "    最終調整FP値(FP)=16.05→22.47(+6.42)\n"
                                 "    (機能合計数=3→4(+1))\n"
                                 "\n"
                                 "拡張プロジェクトFP(EFP)=(ADD+CHGA+CFP)×VAFA+DEL×VAFB\n"
                                 "    ADD =追加された機能のFP=11\n"
                                 "    CHGA=変更された機能の変更後のFP=3(変更前=3)\n"
                                 "    CFP =データ移行機能のFP=2\n"
                                 "    VAFA=比較先の調整係数=1.07\n"
                                 "    DEL =削除された機能のFP=5\n"
                                 "    VAFB=比較元の調整係数=1.07\n"
                                 "EFP=(11+3+2)×1.07+5×1.07=22.47\n";
    EXPECT_EQ(run.out, expected);
}

TEST_F(CompareTest, JsonHoldsTheSameFigures) {
    const RunResult run = Run({"compare", "--json", dir / "base.zvk", dir / "new.zvk"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["added"].size(), 2u);
    EXPECT_EQ(j["deleted"][0]["key"], "FILE_002");
    EXPECT_EQ(j["changed"][0]["changes"], nlohmann::json({"det", "ftr"}));
    EXPECT_EQ(j["changed"][0]["new"]["ftr"], 2);
    EXPECT_EQ(j["difference"]["ufp"], 6);
    EXPECT_EQ(j["enhancement"]["cfp"], 0);
    EXPECT_NEAR(j["enhancement"]["efp"].get<double>(), (11 + 3) * 1.07 + 5 * 1.07, 1e-9);
}

TEST_F(CompareTest, BadDocumentOrOptionIsReportedWithTheUsualStatus) {
    const RunResult missing = Run({"compare", dir / "base.zvk", dir / "none.zvk"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.zvk"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(Run({"compare", "--conversion", "-3", dir / "base.zvk", dir / "new.zvk"}).status, 2);
    EXPECT_EQ(Run({"report", "--json", dir / "base.zvk"}).status, 2);
}

TEST_F(CompareTest, SummaryAddsTheNesmaIndicativeCount) {
    const RunResult run = Run({"summary", dir / "base.zvk"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["nesma_indicative_fp"], 35 * 1 + 15 * 1);
}

}  // namespace
}  // namespace zarvik::cli_test
