// The bundled examples: their report and summary are golden files, and the summary holds
// exactly the fields scripts rely on.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>

#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

const char* const kExamples[] = {"library_lending", "order_management"};

std::string Example(const std::string& name) {
    return std::string(ZVK_EXAMPLES_DIR) + "/" + name + ".zvk";
}

class ExampleTest : public ::testing::TestWithParam<const char*> {
protected:
    TempDir home;
    RunOptions Isolated() const { return RunOptions{ZVK_PROGRAM, home.Path().string(), ""}; }
};

TEST_P(ExampleTest, ReportMatchesGoldenInUtf8WithLfLineEnds) {
    const RunResult run = RunZvk({"report", Example(GetParam())}, Isolated());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(run.out, Golden(std::string(GetParam()) + ".report.txt", run.out));
}

TEST_P(ExampleTest, SummaryMatchesGoldenWithExactlyTheListedFields) {
    const RunResult run = RunZvk({"summary", Example(GetParam())}, Isolated());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Golden(std::string(GetParam()) + ".summary.json", run.out));

    const nlohmann::json summary = nlohmann::json::parse(run.out);
    std::set<std::string> keys;
    for (const auto& [key, value] : summary.items()) {
        keys.insert(key);
    }
    const std::set<std::string> expected{"ilf",
                                         "eif",
                                         "ei",
                                         "eo",
                                         "eq",
                                         "data_functions",
                                         "transactions",
                                         "ufp",
                                         "nesma_indicative_fp",
                                         "adjusted",
                                         "vaf",
                                         "tdi",
                                         "adjusted_fp",
                                         "productivity",
                                         "effort",
                                         "pages",
                                         "tests",
                                         "defects",
                                         "schedule_fp",
                                         "schedule_effort",
                                         "schedule_min",
                                         "functions"};
    EXPECT_EQ(keys, expected);
    const auto& functions = summary["functions"];
    ASSERT_EQ(functions.size(),
              summary["data_functions"].get<size_t>() + summary["transactions"].get<size_t>());
    int fpSum = 0;
    for (const auto& f : functions) {
        EXPECT_EQ(f.size(), 8u) << f.dump();
        fpSum += f["fp"].get<int>();
    }
    EXPECT_EQ(fpSum, summary["ufp"].get<int>());
}

TEST_P(ExampleTest, CsvListsMatchGoldenBytes) {
    for (const std::string list : {"transactions", "files"}) {
        const std::string out = home / (list + ".csv");
        const RunResult run = RunZvk({"csv", list, Example(GetParam()), out}, Isolated());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        const std::string bytes = FileBytes(out);
        EXPECT_EQ(bytes, Golden(std::string(GetParam()) + "." + list + ".csv", bytes));
    }
}

TEST_P(ExampleTest, ChecksCleanly) {
    const RunResult run = RunZvk({"check", Example(GetParam())}, Isolated());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find(": ok ("), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, ::testing::ValuesIn(kExamples));

TEST(ExampleFigures, OwnRulesAdjustTheOrderSystemAndSystemRulesLeaveTheLibraryUnadjusted) {
    TempDir home;
    const RunOptions isolated{ZVK_PROGRAM, home.Path().string(), ""};
    const nlohmann::json library =
        nlohmann::json::parse(RunZvk({"summary", Example("library_lending")}, isolated).out);
    EXPECT_FALSE(library["adjusted"].get<bool>());
    EXPECT_EQ(library["adjusted_fp"].get<double>(), 0.0);
    EXPECT_EQ(library["vaf"].get<double>(), 0.0);

    const nlohmann::json orders =
        nlohmann::json::parse(RunZvk({"summary", Example("order_management")}, isolated).out);
    EXPECT_TRUE(orders["adjusted"].get<bool>());
    EXPECT_EQ(orders["tdi"].get<int>(), 43);
    EXPECT_DOUBLE_EQ(orders["vaf"].get<double>(), 1.08);
    EXPECT_DOUBLE_EQ(orders["adjusted_fp"].get<double>(), orders["ufp"].get<int>() * 108 * 0.01);
    EXPECT_DOUBLE_EQ(orders["productivity"].get<double>(), 13.33);
}

}  // namespace
}  // namespace zarvik::cli_test
