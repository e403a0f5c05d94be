// zvk pdf: the estimate report of each bundled example, and a long list over several pages.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "core/doc/estimate_lists.h"
#include "core/doc/flow_document.h"
#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

constexpr const char* kPdfToText = "/usr/bin/pdftotext";
constexpr const char* kPdfInfo = "/usr/bin/pdfinfo";

std::string Example(const std::string& name) {
    return std::string(ZVK_EXAMPLES_DIR) + "/" + name + ".zvk";
}

long PageCount(const std::string& pdf) {
    const std::regex page("/Type\\s*/Page(?![s\\w])");
    return std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page),
                         std::sregex_iterator());
}

long Occurrences(const std::string& text, const std::string& word) {
    long count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

// The PDF's text, or nothing when the tool is not installed.
std::optional<std::string> PdfText(const std::string& path) {
    if (!std::filesystem::exists(kPdfToText)) {
        return std::nullopt;
    }
    const RunResult run = RunZvk({path, "-"}, RunOptions{kPdfToText, "", ""});
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

class PdfTest : public ::testing::TestWithParam<const char*> {};

TEST_P(PdfTest, HoldsTheDiagramPageTheReportAndTheFunctions) {
    HFlowDocument doc;
    ASSERT_TRUE(doc.LoadDocument(Example(GetParam())));
    TempDir dir;
    const RunResult run = RunZvk({"pdf", Example(GetParam()), dir / "report.pdf"},
                                 RunOptions{ZVK_PROGRAM, dir / "home", ""});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string pdf = FileBytes(dir / "report.pdf");
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_GE(PageCount(pdf), 2);
    // The text is drawn with an embedded font.
    EXPECT_NE(pdf.find("/FontFile"), std::string::npos);

    if (std::filesystem::exists(kPdfInfo)) {
        const RunResult info = RunZvk({dir / "report.pdf"}, RunOptions{kPdfInfo, "", ""});
        EXPECT_EQ(info.status, 0) << info.err;
        EXPECT_NE(info.out.find("A4"), std::string::npos) << info.out;
    }
    const std::optional<std::string> text = PdfText(dir / "report.pdf");
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_NE(text->find("未調整合計FP値(UFP)=" + std::to_string(doc.estimate.ufp)),
              std::string::npos);
    EXPECT_NE(text->find("最終調整FP値(FP)="), std::string::npos);
    const auto transactions = TransactionListRows(doc.Boxes());
    const auto files = FileListRows(doc.Boxes());
    ASSERT_FALSE(transactions.empty());
    ASSERT_FALSE(files.empty());
    EXPECT_NE(text->find(transactions.front()[0]), std::string::npos);
    EXPECT_NE(text->find(files.back()[0]), std::string::npos);
    EXPECT_NE(text->find("FP関連参考値算出規則"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Examples, PdfTest,
                         ::testing::Values("library_lending", "library_lending_v2",
                                           "order_management"));

TEST(PdfCommandTest, LongListRepeatsItsHeadOnEveryPageAndNumbersThePages) {
    TempDir dir;
    std::string sections;
    constexpr int kTransactions = 150;
    for (int i = 1; i <= kTransactions; ++i) {
        sections += TaskSection(i, "照会" + std::to_string(i), 102, 2);
    }
    WriteDocument(dir / "long.zvk", sections);
    const RunResult run = RunZvk({"pdf", dir / "long.zvk", dir / "long.pdf"},
                                 RunOptions{ZVK_PROGRAM, dir / "home", ""});
    ASSERT_EQ(run.status, 0) << run.err;
    const long pages = PageCount(FileBytes(dir / "long.pdf"));
    EXPECT_GE(pages, 5);
    const std::optional<std::string> text = PdfText(dir / "long.pdf");
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    EXPECT_NE(text->find("照会150"), std::string::npos);
    // Every page after the diagram and the report starts with the list's head until the
    // data functions begin.
    EXPECT_GE(Occurrences(*text, "FTR"), pages - 2);
    EXPECT_NE(text->find("- " + std::to_string(pages) + " -"), std::string::npos);
}

TEST(PdfCommandTest, RefusesWhatItCannotWriteAndLeavesNoFile) {
    TempDir dir;
    const std::string doc = Example("library_lending");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"pdf", doc, dir / "a.png"}, 2, "must end in .pdf"},
        {{"pdf", doc}, 2, "missing arguments"},
        {{"pdf", doc, dir / "a.pdf", "--zoom", "50"}, 2, "--zoom is an option of render only"},
        {{"pdf", dir / "none.zvk", dir / "a.pdf"}, 1, ""},
        {{"pdf", doc, dir / "missing/a.pdf"}, 1, "its folder does not exist"},
    };
    for (const Case& c : cases) {
        const RunResult run = RunZvk(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace zarvik::cli_test
