// Input zvk cannot use: each gives a clear message on standard error and the documented
// exit status (1 for a document, 2 for the command line), never a crash or a hang.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <utility>

#include "cli/document_loader.h"
#include "core/text/cp932.h"
#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

class MalformedTest : public ::testing::Test {
protected:
    RunResult Run(const std::vector<std::string>& args) {
        return RunZvk(args, RunOptions{ZVK_PROGRAM, dir / "home", ""});
    }
    // Every document command on path fails with status 1, prints nothing on standard
    // output, and names the file and the reason on standard error.
    void ExpectRefused(const std::string& path, const std::string& reason) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"report", path}, std::vector<std::string>{"summary", path},
              std::vector<std::string>{"check", path},
              std::vector<std::string>{"csv", "files", path, dir / "out.csv"}}) {
            const RunResult run = Run(args);
            EXPECT_EQ(run.status, 1) << args[0];
            EXPECT_EQ(run.out, "") << args[0];
            EXPECT_NE(run.err.find("zvk: " + path + ": "), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        }
        EXPECT_FALSE(std::filesystem::exists(dir / "out.csv"));
    }
    TempDir dir;
};

TEST_F(MalformedTest, MissingFileIsNotTakenForANewDocument) {
    ExpectRefused(dir / "absent.zvk", "no such file");
}

TEST_F(MalformedTest, DirectoryIsRefused) {
    std::filesystem::create_directory(dir / "folder.zvk");
    ExpectRefused(dir / "folder.zvk", "is a directory");
}

TEST_F(MalformedTest, BinaryFileIsRefused) {
    WriteBytes(dir / "picture.zvk", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[FILE_001]\n", 27));
    ExpectRefused(dir / "picture.zvk", "holds binary data");
    ExpectRefused(ZVK_PROGRAM, "holds binary data");
}

TEST_F(MalformedTest, UnresolvableLineEndFailsWithTheEditorsMessageAndTheLine) {
    WriteDocument(dir / "broken.zvk", FileSection(1, "会員", 200, 2, {}, {}) +
                                          TaskSection(2, "登録", 100, 2) +
                                          LineSection(3, "TASK_002", "FILE_009"));
    ExpectRefused(dir / "broken.zvk",
                  "ファイル(" + dir / "broken.zvk" + ")の読み込みに失敗しました。");
    ExpectRefused(dir / "broken.zvk", "LINE_003: the relation line's To end names \"FILE_009\"");
}

TEST_F(MalformedTest, BoxWithoutItsSizeFailsNamingTheSection) {
    WriteDocument(dir / "nosize.zvk", FileSection(1, "会員", 200, 2, {}, {}) +
                                          "[TASK_002]\nName=登録\nGuiPoint=1,1\nFpType=100\n");
    ExpectRefused(dir / "nosize.zvk", "TASK_002: the box lacks its position or size");
}

TEST_F(MalformedTest, SectionReadUnderAnotherKeyIsNamedWithThatKey) {
    const std::string geometry = "GuiPoint=0,0\nGuiSize=100,50\nGuiMinSize=30,30\n";
    // A section name is cut at 999 bytes; the number of what is left gives the key.
    const std::string longName = "FILE_001" + std::string(1200, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"[FILE_9999999999]\n" + geometry,
         "FILE_9999999999: the box is read from section FILE_2147483647, which the document "
         "does not have"},
        {"[file_7]\n" + geometry + "[FILE_007]\nName=a\n",
         "file_7: the box is read from section FILE_007, which lacks its position or size "
         "(GuiPoint, GuiSize, GuiMinSize)"},
        {"[" + longName + "]\n" + geometry,
         longName.substr(0, 999) + ": the box is read from section FILE_001, which the "
                                   "document does not have"},
        {"[LINE_1]\nGuiPointFrom=0,0\nGuiPointTo=0,0\n",
         "LINE_1: the relation line is read from section LINE_001, which the document does "
         "not have"},
    };
    for (const auto& [text, reason] : cases) {
        WriteDocument(dir / "odd.zvk", text);
        const RunResult run = Run({"check", dir / "odd.zvk"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(": error: " + reason + "\n"), std::string::npos) << run.err;
    }
}

TEST_F(MalformedTest, DiagnosisFindsLinesWithoutEndPointsAndDoesNotAccuseSoundDocuments) {
    EXPECT_NE(cli::DiagnoseLoadFailure(ToCp932("[LINE_001]\r\nFrom=FILE_001\r\n"))
                  .find("LINE_001: the relation line lacks its end points"),
              std::string::npos);
    // A lower-case section name resolves as the loader resolves it.
    EXPECT_EQ(cli::DiagnoseLoadFailure(ToCp932(FileSection(7, "a", 200, 2, {}, {}) +
                                               LineSection(8, "FILE_007", "FILE_007"))),
              "");
}

TEST_F(MalformedTest, EmptyFileLoadsAsAnEmptyDocument) {
    WriteBytes(dir / "empty.zvk", "");
    const RunResult run = Run({"check", dir / "empty.zvk"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(": ok (0 data functions"), std::string::npos);
}

TEST_F(MalformedTest, DamagedAndRandomTextNeverCrashes) {
    const std::string example = FileBytes(std::string(ZVK_EXAMPLES_DIR) + "/library_lending.zvk");
    ASSERT_FALSE(example.empty());
    std::mt19937 random(20240612);
    for (int round = 0; round < 12; ++round) {
        std::string bytes = example.substr(0, random() % example.size());
        for (int i = 0; i < 40 && !bytes.empty(); ++i) {
            bytes[random() % bytes.size()] = static_cast<char>(1 + random() % 255);
        }
        WriteBytes(dir / "damaged.zvk", bytes);
        const RunResult run = Run({"summary", dir / "damaged.zvk"});
        ASSERT_TRUE(run.status == 0 || run.status == 1) << "round " << round << ": " << run.err;
        if (run.status == 1) {
            EXPECT_NE(run.err.find("error: "), std::string::npos);
        } else {
            EXPECT_EQ(run.out.front(), '{');
        }
    }
}

TEST_F(MalformedTest, StandardOutputThatCannotBeWrittenFails) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    WriteBytes(dir / "empty.zvk", "");
    const RunResult run =
        RunZvk({"report", dir / "empty.zvk"}, RunOptions{ZVK_PROGRAM, dir / "home", "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write standard output"), std::string::npos) << run.err;
}

struct UsageCase {
    std::vector<std::string> args;
    std::string message;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << "zvk";
    for (const std::string& arg : c.args) {
        *os << ' ' << arg;
    }
}

class UsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, ExitsTwoWithTheProblemAndTheUsageText) {
    TempDir dir;
    const RunResult run = RunZvk(GetParam().args, RunOptions{ZVK_PROGRAM, dir / "home", ""});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("zvk: " + GetParam().message + "\nusage: zvk", 0), 0u) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageTest,
    ::testing::Values(UsageCase{{}, "no command given"},
                      UsageCase{{"estimate", "a.zvk"}, "unknown command 'estimate'"},
                      UsageCase{{"report"}, "report: missing arguments"},
                      UsageCase{{"summary", "a.zvk", "b.zvk"}, "summary: too many arguments"},
                      UsageCase{{"csv", "files", "a.zvk"}, "csv: missing arguments"},
                      UsageCase{{"csv", "lines", "a.zvk", "o.csv"},
                                "csv: the list is 'transactions' or 'files', not 'lines'"},
                      UsageCase{{"check", "a.zvk", "--verbose"}, "unknown option '--verbose'"},
                      UsageCase{{"save", "a.zvk"}, "save: missing arguments"},
                      UsageCase{{"report", "a.zvk", "--settings"},
                                "--settings needs the path of a settings file"}));

TEST(HelpTest, HelpAndVersionGoToStandardOutput) {
    const RunResult help = RunZvk({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: zvk", 0), 0u);
    const RunResult version = RunZvk({"version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zvk 1.2.6.0\n");
}

TEST(HelpTest, DoubleDashLetsADocumentNameStartWithADash) {
    TempDir dir;
    WriteBytes(dir / "-odd.zvk", "");
    const RunResult run =
        RunZvk({"check", "--", "-odd.zvk"}, RunOptions{ZVK_PROGRAM, dir / "home", ""});
    // Relative to the test's working folder the file does not exist: the name was taken
    // as a document, not an option.
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("-odd.zvk: error: no such file"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace zarvik::cli_test
