// save: the bytes the editor writes for a document it opened and saved, and an output
// that stays as it was whenever the save cannot be made.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "zvk_runner.h"

namespace zarvik::cli_test {
namespace {

namespace fs = std::filesystem;

// The text without its LastUpdate line, the save time two saves differ in.
std::string WithoutSaveTime(const std::string& text) {
    std::string out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("LastUpdate=", 0) != 0) {
            out += line + "\n";
        }
    }
    return out;
}

// The document as the core library loads and saves it under the built-in system rules,
// which are what zvk uses without any settings file.
std::string CoreSaved(const std::string& path, const std::string& out) {
    System().SetDefaultFolders(HDefaultFolders{});
    System().UseSystemRules();
    HFlowDocument doc;
    if (!doc.LoadDocument(path) || !doc.SaveDocument(out)) {
        return "not saved";
    }
    return FileBytes(out);
}

TEST(SaveTest, EveryGoldenAndExampleDocumentSavesAsTheCoreSavesItAndThenStaysTheSame) {
    TempDir dir;
    const RunOptions isolated{ZVK_PROGRAM, dir / "home", ""};
    int documents = 0;
    for (const char* folder : {ZVK_DOCUMENTS_DIR, ZVK_EXAMPLES_DIR, ZVK_GOLDEN_DIR}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".zvk") {
                continue;
            }
            ++documents;
            const std::string input = entry.path().string();
            const RunResult first = RunZvk({"save", input, dir / "first.zvk"}, isolated);
            ASSERT_EQ(first.status, 0) << input << "\n" << first.err;
            const std::string saved = FileBytes(dir / "first.zvk");
            EXPECT_EQ(WithoutSaveTime(saved), WithoutSaveTime(CoreSaved(input, dir / "core.zvk")))
                << input;
            EXPECT_NE(saved.find("\r\nLastUpdate="), std::string::npos) << input;

            const RunResult second =
                RunZvk({"save", dir / "first.zvk", dir / "second.zvk"}, isolated);
            ASSERT_EQ(second.status, 0) << input << "\n" << second.err;
            EXPECT_EQ(second.err, "") << input;
            EXPECT_EQ(WithoutSaveTime(FileBytes(dir / "second.zvk")), WithoutSaveTime(saved))
                << input;
        }
    }
    EXPECT_GE(documents, 9);
    EXPECT_FALSE(fs::exists(dir / "home"));
}

TEST(SaveTest, DocumentWithoutRulesGetsTheSystemRulesOnlyWhenTheSettingsSaySo) {
    TempDir dir;
    const RunOptions isolated{ZVK_PROGRAM, dir / "home", ""};
    WriteDocument(dir / "plain.zvk", FileSection(1, "会員", 200, 2, {}, {}));
    WriteBytes(dir / "keep.ini", "[SYSTEM]\r\nIsSaveRule2Flow=1\r\n");
    ASSERT_EQ(RunZvk({"save", dir / "plain.zvk", dir / "a.zvk"}, isolated).status, 0);
    ASSERT_EQ(
        RunZvk({"--settings", dir / "keep.ini", "save", dir / "plain.zvk", dir / "b.zvk"}, isolated)
            .status,
        0);
    EXPECT_EQ(FileBytes(dir / "a.zvk").find("[RULE]"), std::string::npos);
    EXPECT_NE(FileBytes(dir / "b.zvk").find("\r\n[RULE]\r\n"), std::string::npos);
}

TEST(SaveTest, SaveThatCannotLoadOrWriteFailsAndLeavesTheOutputAsItWas) {
    TempDir dir;
    const RunOptions isolated{ZVK_PROGRAM, dir / "home", ""};
    const std::string out = dir / "out.zvk";
    WriteBytes(out, "old");
    WriteDocument(dir / "broken.zvk", LineSection(1, "FILE_001", "FILE_001"));
    WriteDocument(dir / "newer.zvk", FileSection(1, "会員", 200, 2, {}, {}) +
                                         "[Zarvik]\nFileVersion.Major=1\nFileVersion.Minor=3\n");
    struct Case {
        std::string input;
        std::string reason;
    };
    for (const Case& c : {Case{dir / "absent.zvk", "no such file"},
                          Case{dir / "broken.zvk", "names \"FILE_001\", which is not a box"},
                          Case{dir / "newer.zvk", "which is not rewritten by an older one"}}) {
        const RunResult run = RunZvk({"save", c.input, out}, isolated);
        EXPECT_EQ(run.status, 1) << c.input;
        EXPECT_NE(run.err.find("zvk: " + c.input + ": error: "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(FileBytes(out), "old");
    }

    WriteDocument(dir / "good.zvk", FileSection(1, "会員", 200, 2, {}, {}));
    fs::create_directory(dir / "taken.zvk");
    for (const std::string& target : {dir / "taken.zvk", dir / "no/folder/out.zvk"}) {
        const RunResult run = RunZvk({"save", dir / "good.zvk", target}, isolated);
        EXPECT_EQ(run.status, 1) << target;
        EXPECT_NE(run.err.find("ファイル(" + target + ")の保存に失敗しました。"), std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("error: cannot write the document: "), std::string::npos) << run.err;
    }
    EXPECT_TRUE(fs::is_empty(dir / "taken.zvk"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 5);  // nothing left behind
}

}  // namespace
}  // namespace zarvik::cli_test
