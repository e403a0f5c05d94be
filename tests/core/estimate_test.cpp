// The estimate: counts and FP by type, UFP, adjustment, productivity, effort, the
// reference estimates and the schedule, the report text and the status bar values.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "core/fp/info_rule.h"
#include "core/items/item_kinds.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

class EstimateTest : public ::testing::Test {
protected:
    void SetUp() override { rule.FirstUse({"", ""}); }

    HItemFile& AddFile(int32_t type, int32_t level) {
        auto file = std::make_unique<HItemFile>();
        file->typeCode = type;
        file->SelectFpSumType = kSumUserLevel;
        file->FpLevel = level;
        HItemFile& ref = *file;
        doc.Boxes().Append(std::move(file));
        return ref;
    }
    HItemTask& AddTask(int32_t type, int32_t fp) {
        auto task = std::make_unique<HItemTask>();
        task->typeCode = type;
        task->SelectFpSumType = kSumUserFp;
        task->FpUser = fp;
        HItemTask& ref = *task;
        doc.Boxes().Append(std::move(task));
        return ref;
    }
    const HInfoKousuu& Compute() {
        doc.RefreshItems();
        ComputeEstimate(doc.FunctionRecords(), rule, result);
        return result;
    }
    static std::string F(double value) { return Format("%4.2f", value); }

    HFlowDocument doc;
    HInfoRule rule;
    HInfoKousuu result;
};

TEST_F(EstimateTest, EmptyDiagramWithTheDefaultRule) {
    const HInfoKousuu& r = Compute();
    EXPECT_EQ(r.ufp, 0);
    EXPECT_EQ(r.tdi, 42);
    EXPECT_EQ(r.adjusted, 0);
    EXPECT_EQ(r.vafX100, 0);
    EXPECT_EQ(r.productivityX100, 2380);
    EXPECT_EQ(r.effort, 0.0);
    for (double v :
         {r.pages, r.tests, r.defects, r.scheduleFromFp, r.scheduleFromEffort, r.scheduleMin}) {
        EXPECT_EQ(v, 0.0);
    }
    EXPECT_EQ(BuildReportText(r),
              "機能種別毎の集計(個数,FP値合計)\r\n"
              "    ILF:0個,FP=0\r\n"
              "    EIF:0個,FP=0\r\n"
              "    EI :0個,FP=0\r\n"
              "    EO :0個,FP=0\r\n"
              "    EQ :0個,FP=0\r\n"
              "未調整合計FP値(UFP)=0\r\n"
              "(機能合計数=0)\r\n"
              "\r\n"
              "調整係数(VAF)による調整は行いません。\r\n"
              "最終調整FP値(FP)=未調整合計FP値(UFP)\r\n"
              "\r\n"
              "生産性(FP数/1人月)=23.80\r\n"
              "工数(人月)=合計FP値/生産性=0.00\r\n");
    const HEstimateStatus status = GetEstimateStatus(r);
    EXPECT_EQ(status.data, "DATA=0");
    EXPECT_EQ(status.transaction, "TRAN=0");
    EXPECT_EQ(status.ufp, "UFP=0");
    EXPECT_EQ(status.effort, "工数=0.00(人月)");
}

TEST_F(EstimateTest, OneAverageIlfWithAndWithoutTheFactorTable) {
    AddFile(kFpTypeILF, kLevelAverage);
    const HInfoKousuu& r = Compute();
    EXPECT_EQ(r.ilfCount, 1);
    EXPECT_EQ(r.ilfFp, 10);
    EXPECT_EQ(r.ufp, 10);
    EXPECT_EQ(r.productivityX100, 1344);
    EXPECT_DOUBLE_EQ(r.effort, 10 * 100.0 / 1344);
    EXPECT_EQ(F(r.effort), "0.74");
    EXPECT_EQ(r.GetFinalFp(), 10.0);
    EXPECT_EQ(GetEstimateStatus(r).data, "DATA=1");
    EXPECT_EQ(GetEstimateStatus(r).effort, "工数=0.74(人月)");

    rule.tyousei.SelectTyouseiType = 1;
    Compute();
    EXPECT_EQ(r.adjusted, 1);
    EXPECT_EQ(r.vafX100, 107);
    EXPECT_DOUBLE_EQ(r.adjustedFp, 1070 * 0.01);
    EXPECT_EQ(r.GetFinalFp(), r.adjustedFp);
    EXPECT_EQ(r.productivityX100, 1344);  // looked up with the UFP
    EXPECT_EQ(F(r.effort), "0.80");
    const std::string report = BuildReportText(r);
    EXPECT_NE(report.find("\r\n\r\n調整係数値合計(TDI)=42\r\n"
                          "調整係数(VAF)=0.65+(0.01×TDI)=1.07\r\n"
                          "最終調整FP値(FP)=UFP×VAF=10.70\r\n\r\n"
                          "生産性(FP数/1人月)=13.44\r\n"
                          "工数(人月)=合計FP値/生産性=0.80\r\n"),
              std::string::npos)
        << report;
}

TEST_F(EstimateTest, LineCountFollowsTheAdjustment) {
    auto lines = [](const std::string& text) {
        int n = 0;
        for (std::size_t p = text.find("\r\n"); p != std::string::npos;
             p = text.find("\r\n", p + 2)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(lines(BuildReportText(Compute())), 14);
    rule.tyousei.SelectTyouseiType = 2;
    rule.tyousei.FpTyouseiManual = 93;  // a typed VAF is shown on the same line
    EXPECT_EQ(lines(BuildReportText(Compute())), 15);
    EXPECT_NE(BuildReportText(result).find("=0.65+(0.01×TDI)=0.93\r\n"), std::string::npos);
    rule.tyousei.FpTyouseiManual = 0;
    EXPECT_EQ(lines(BuildReportText(Compute())), 14);
}

TEST_F(EstimateTest, CountsByTypeAndKind) {
    AddFile(kFpTypeILF, kLevelHigh);  // 15
    AddFile(kFpTypeEIF, kLevelLow);   // 5
    AddFile(999, kLevelLow);          // a type code outside both
    AddTask(kFpTypeEI, 3);
    AddTask(kFpTypeEO, 7);
    AddTask(kFpTypeEQ, 4);
    AddTask(kFpTypeEQ, 6);
    AddTask(0, 11);
    doc.Boxes().Append(std::make_unique<HItemOther>());
    doc.Boxes().Append(std::make_unique<HItemBorder>());
    const HInfoKousuu& r = Compute();
    EXPECT_EQ((std::vector<int32_t>{r.ilfCount, r.eifCount, r.eiCount, r.eoCount, r.eqCount}),
              (std::vector<int32_t>{1, 1, 1, 1, 2}));
    EXPECT_EQ((std::vector<int32_t>{r.ilfFp, r.eifFp, r.eiFp, r.eoFp, r.eqFp}),
              (std::vector<int32_t>{15, 5, 3, 7, 10}));
    EXPECT_EQ(r.dataCount, 3);
    EXPECT_EQ(r.transactionCount, 5);
    const int32_t unknownFile = AddFile(999, kLevelLow).GetFp();
    doc.Boxes().Clear();
    EXPECT_EQ(r.ufp, 15 + 5 + unknownFile + 3 + 7 + 10 + 11);
    EXPECT_NE(BuildReportText(r).find("    EQ :2個,FP=10\r\n"), std::string::npos);
    EXPECT_NE(BuildReportText(r).find("(機能合計数=8)\r\n"), std::string::npos);
}

TEST_F(EstimateTest, TypedUfpReplacesTheTotalButNotTheTypeLines) {
    AddFile(kFpTypeILF, kLevelAverage);
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 500;
    const HInfoKousuu& r = Compute();
    EXPECT_EQ(r.ufp, 500);
    EXPECT_EQ(r.ilfFp, 10);
    EXPECT_EQ(r.productivityX100, 970);
    const std::string report = BuildReportText(r);
    EXPECT_NE(report.find("    ILF:1個,FP=10\r\n"), std::string::npos);
    EXPECT_NE(report.find("未調整合計FP値(UFP)=500\r\n"), std::string::npos);
}

TEST_F(EstimateTest, ProductivityTypedOrMissing) {
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 300;
    rule.seisan.SeisanManual = 1;
    rule.seisan.FpSeisanManual = 1500;
    Compute();
    EXPECT_EQ(result.productivityX100, 1500);
    EXPECT_DOUBLE_EQ(result.effort, 20.0);
    EXPECT_NE(BuildReportText(result).find("生産性(FP数/1人月)=15.00\r\n"), std::string::npos);

    rule.seisan.Bunya = 7;  // no such row
    Compute();
    EXPECT_EQ(result.productivityX100, 0);
    EXPECT_EQ(result.effort, 0.0);
    EXPECT_EQ(result.scheduleFromEffort, 0.0);
    EXPECT_GT(result.pages, 0.0);  // the FP estimates do not need a productivity
}

TEST_F(EstimateTest, ReferenceEstimatesOfAHundredFp) {
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 100;
    rule.tyousei.SelectTyouseiType = 2;
    rule.tyousei.FpTyouseiManual = 100;
    const HInfoKousuu& r = Compute();
    EXPECT_EQ(r.adjustedFp, 100.0);
    EXPECT_EQ(r.pages, std::pow(100.0, 115 * 0.01) * (100 * 0.01));
    EXPECT_EQ(r.tests, std::pow(100.0, 120 * 0.01) * (100 * 0.01));
    EXPECT_EQ(r.defects, std::pow(100.0, 125 * 0.01) * (100 * 0.01));
    EXPECT_EQ(F(r.pages), "199.53");
    EXPECT_EQ(F(r.tests), "251.19");
    EXPECT_EQ(F(r.defects), "316.23");
    EXPECT_EQ(F(r.scheduleFromFp), "6.31");  // 100^0.40

    rule.FpGaisanPage1X100 = 250;
    Compute();
    EXPECT_NEAR(r.pages, 2.5 * std::pow(100.0, 1.15), 1e-9);
}

TEST_F(EstimateTest, ScheduleOfTwentySevenPersonMonths) {
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = 2700;
    rule.seisan.SeisanManual = 1;
    rule.seisan.FpSeisanManual = 10000;
    const HInfoKousuu& r = Compute();
    EXPECT_EQ(r.effort, 27.0);
    EXPECT_EQ(F(r.scheduleFromEffort), "7.20");
    EXPECT_EQ(F(r.scheduleMin), "5.04");
    EXPECT_DOUBLE_EQ(r.scheduleMin, r.scheduleFromEffort * 0.7);

    for (int32_t root : {0, -300}) {
        rule.FpKouki2X100 = root;
        Compute();
        EXPECT_EQ(r.scheduleFromEffort, 0.0) << root;
        EXPECT_EQ(r.scheduleMin, 0.0) << root;
    }
}

TEST_F(EstimateTest, ExtremeTypedValuesStayFinite) {
    rule.IsFpUFPManual = 1;
    rule.FpUFPManual = -50;
    rule.seisan.SeisanManual = 1;
    rule.seisan.FpSeisanManual = 100;
    Compute();
    for (double v : {result.pages, result.tests, result.defects, result.scheduleFromFp,
                     result.scheduleFromEffort, result.scheduleMin}) {
        EXPECT_EQ(v, 0.0);
    }
    EXPECT_EQ(result.effort, -50.0);

    rule.FpUFPManual = INT_MAX;
    rule.tyousei.SelectTyouseiType = 2;
    rule.tyousei.FpTyouseiManual = INT_MAX;
    Compute();
    EXPECT_EQ(result.adjustedFp, static_cast<double>(int64_t{INT_MAX} * INT_MAX) * 0.01);
    EXPECT_TRUE(std::isfinite(result.scheduleMin));

    rule.IsFpUFPManual = 0;
    AddTask(kFpTypeEI, INT_MAX);
    AddTask(kFpTypeEI, INT_MAX);
    AddTask(kFpTypeEO, INT_MIN);
    Compute();
    EXPECT_EQ(result.eiFp, INT_MAX);
    EXPECT_EQ(result.eoFp, INT_MIN);
    EXPECT_EQ(result.ufp, -1);  // INT_MAX saturated, then INT_MIN added
}

}  // namespace
}  // namespace zarvik
