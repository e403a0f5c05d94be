// Which rules a run measures by: the document's own, else the settings file given with
// --settings, else the editor's settings file beside the program, else the defaults; and
// that zvk never writes a file beside itself or into the user's configuration folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

namespace fs = std::filesystem;

// One ILF of 3 DETs and 1 RET (7 FP) and one EI on it.
const std::string kPlainDocument =
    FileSection(1, "会員", 200, 2, {"番号", "氏名", "住所"}, {"基本"}) +
    TaskSection(2, "会員登録", 100, 2) + LineSection(3, "TASK_002", "FILE_001");

// A typed VAF of 1.20 in the system rules.
const std::string kTypedVafSettings = "[RULE]\r\nSelectTyouseiType=2\r\nFpTyouseiManual=120\r\n";
// The fourteen default factors (TDI 42, VAF 1.07) in the system rules.
const std::string kFactorSettings = "[RULE]\r\nSelectTyouseiType=1\r\n";

class RulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDocument(dir / "plain.zvk", kPlainDocument);
        // A program folder of its own, so that files beside the program can be arranged.
        fs::create_directories(dir.Path() / "bin");
        fs::copy_file(ZVK_PROGRAM, program);
        fs::permissions(program, fs::perms::owner_all);
    }

    nlohmann::json Summary(const std::vector<std::string>& args) {
        const RunResult run = RunZvk(args, RunOptions{program, dir / "home", ""});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json::object();
    }

    TempDir dir;
    const std::string program = dir / "bin/zvk";
};

TEST_F(RulesTest, WithoutAnySettingsTheDefaultRulesApply) {
    const nlohmann::json s = Summary({"summary", dir / "plain.zvk"});
    EXPECT_FALSE(s["adjusted"].get<bool>());
    EXPECT_EQ(s["tdi"].get<int>(), 42);
    EXPECT_EQ(s["ufp"].get<int>(), 10);
}

TEST_F(RulesTest, SettingsOptionSuppliesTheSystemRules) {
    WriteBytes(dir / "typed.ini", kTypedVafSettings);
    const nlohmann::json s =
        Summary({"--settings", dir / "typed.ini", "summary", dir / "plain.zvk"});
    EXPECT_TRUE(s["adjusted"].get<bool>());
    EXPECT_DOUBLE_EQ(s["vaf"].get<double>(), 1.2);
    EXPECT_DOUBLE_EQ(s["adjusted_fp"].get<double>(), 10 * 120 * 0.01);
    // The option may also follow the command, in its joined form.
    const nlohmann::json after =
        Summary({"summary", dir / "plain.zvk", "--settings=" + dir / "typed.ini"});
    EXPECT_EQ(after, s);
}

TEST_F(RulesTest, SettingsFileBesideTheProgramIsUsedAndTheOptionOverridesIt) {
    WriteBytes(dir / "bin/Zarvik.ini", kFactorSettings);
    const nlohmann::json beside = Summary({"summary", dir / "plain.zvk"});
    EXPECT_TRUE(beside["adjusted"].get<bool>());
    EXPECT_DOUBLE_EQ(beside["vaf"].get<double>(), 1.07);

    WriteBytes(dir / "typed.ini", kTypedVafSettings);
    const nlohmann::json given =
        Summary({"--settings", dir / "typed.ini", "summary", dir / "plain.zvk"});
    EXPECT_DOUBLE_EQ(given["vaf"].get<double>(), 1.2);
}

TEST_F(RulesTest, DocumentRulesWinOverEverySettingsFile) {
    // The document's rules: no adjustment, and a typed productivity of 5.00.
    WriteDocument(dir / "own.zvk", kPlainDocument +
                                       "[RULE]\nSelectTyouseiType=0\nSeisanManual=1\n"
                                       "FpSeisanManual=500\n");
    WriteBytes(dir / "bin/Zarvik.ini", kFactorSettings);
    WriteBytes(dir / "typed.ini", kTypedVafSettings);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"summary", dir / "own.zvk"},
          std::vector<std::string>{"--settings", dir / "typed.ini", "summary", dir / "own.zvk"}}) {
        const nlohmann::json s = Summary(args);
        EXPECT_FALSE(s["adjusted"].get<bool>());
        EXPECT_DOUBLE_EQ(s["productivity"].get<double>(), 5.0);
        EXPECT_DOUBLE_EQ(s["effort"].get<double>(), 10 * 100.0 / 500);
    }
}

TEST_F(RulesTest, DefaultFilesBesideTheProgramAreReadWhenAllThreeAreThere) {
    for (const char* name : {"def_Seisan.ini", "def_Tyousei.ini", "def_Koumoku.ini"}) {
        fs::copy_file(std::string(ZVK_DEFAULTS_DIR) + "/" + name,
                      dir / ("bin/" + std::string(name)));
    }
    // The first band of the first productivity row: 23.80 becomes 31.00.
    std::string seisan = FileBytes(dir / "bin/def_Seisan.ini");
    const std::size_t at = seisan.find("000=2380,");
    ASSERT_NE(at, std::string::npos);
    seisan.replace(at, 9, "000=3100,");
    WriteBytes(dir / "bin/def_Seisan.ini", seisan);
    WriteDocument(dir / "empty.zvk", "");
    EXPECT_DOUBLE_EQ(Summary({"summary", dir / "empty.zvk"})["productivity"].get<double>(), 31.0);

    // With one of them missing the built-in tables are used, and the gap is not filled.
    fs::remove(dir / "bin/def_Koumoku.ini");
    EXPECT_DOUBLE_EQ(Summary({"summary", dir / "empty.zvk"})["productivity"].get<double>(), 23.8);
    EXPECT_FALSE(fs::exists(dir / "bin/def_Koumoku.ini"));
}

TEST_F(RulesTest, NothingIsWrittenBesideTheProgramOrIntoTheConfigurationFolder) {
    WriteBytes(dir / "bin/Zarvik.ini", kFactorSettings);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"report", dir / "plain.zvk"},
          std::vector<std::string>{"summary", dir / "plain.zvk"},
          std::vector<std::string>{"check", dir / "plain.zvk"},
          std::vector<std::string>{"csv", "files", dir / "plain.zvk", dir / "out.csv"},
          std::vector<std::string>{"save", dir / "plain.zvk", dir / "saved.zvk"}}) {
        EXPECT_EQ(RunZvk(args, RunOptions{program, dir / "home", ""}).status, 0);
    }
    std::vector<std::string> beside;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "bin")) {
        beside.push_back(entry.path().filename().string());
    }
    std::sort(beside.begin(), beside.end());
    EXPECT_EQ(beside, (std::vector<std::string>{"Zarvik.ini", "zvk"}));
    EXPECT_EQ(FileBytes(dir / "bin/Zarvik.ini"), kFactorSettings);
    EXPECT_FALSE(fs::exists(dir / "home"));
}

TEST_F(RulesTest, UnreadableSettingsFileIsAnErrorNotASilentDefault) {
    for (const std::string& settings : {dir / "missing.ini", dir.Path().string()}) {
        const RunResult run = RunZvk({"--settings", settings, "report", dir / "plain.zvk"},
                                     RunOptions{program, dir / "home", ""});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("cannot read the settings file " + settings), std::string::npos)
            << run.err;
    }
}

}  // namespace
}  // namespace zarvik::cli_test
