#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/platform.h"
#include "core/store/ini_file.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::TempDir;

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(SystemSettings, LoadReplacesEveryFieldAndRaisesSmallCanvases) {
    TempDir dir;
    WriteBytes(dir / "a.ini",
               "[SYSTEM]\r\nSelectCanvasType=1\r\nCanvasSize_cx=40\r\nUndoMemoryLimitMB=-5\r\n");
    HSystem system;
    system.SetDefaultFolders({dir.Path().string(), ""});
    ASSERT_EQ(1, system.LoadSettings(dir / "a.ini"));
    EXPECT_EQ(1, system.settings.SelectCanvasType);
    EXPECT_EQ(100, system.settings.CanvasSizeCx);
    EXPECT_EQ(100, system.settings.CanvasSizeCy);
    EXPECT_EQ(0, system.settings.AutoGraphCheckFpOnly);  // missing reads as 0
    EXPECT_EQ(0, system.settings.IsSaveRule2Flow);
    EXPECT_EQ(256u << 20, UndoMemoryLimitBytes(system.settings));

    WriteBytes(dir / "b.ini",
               "[SYSTEM]\r\nCanvasSize_cx=9000\r\nCanvasSize_cy=250\r\nUndoMemoryLimitMB=64\r\n");
    system.LoadSettings(dir / "b.ini");
    EXPECT_EQ(9000, system.settings.CanvasSizeCx);  // no upper clamp on load
    EXPECT_EQ(250, system.settings.CanvasSizeCy);
    EXPECT_EQ(64u << 20, UndoMemoryLimitBytes(system.settings));
}

TEST(SystemSettings, SaveKeepsSectionsItDoesNotOwn) {
    TempDir dir;
    const std::string path = dir / "Zarvik.ini";
    WriteBytes(path,
               "[Recent File List]\r\nFile1=/tmp/a.zvk\r\n[SYSTEM]\r\nIsSaveRule2Flow=1\r\n"
               "UndoMemoryLimitMB=64\r\n");
    HSystem system;
    system.SetDefaultFolders({dir.Path().string(), ""});
    system.LoadSettings(path);
    system.settings.CanvasSizeCx = 640;
    ASSERT_EQ(1, system.SaveSettings(path));

    HInfoIniFile store;
    ASSERT_EQ(1, store.Read(path));
    EXPECT_EQ("/tmp/a.zvk", store.GetValue("Recent File List", "File1", ""));
    EXPECT_EQ("640", store.GetValue("SYSTEM", "CanvasSize_cx", ""));
    EXPECT_EQ("1", store.GetValue("SYSTEM", "IsSaveRule2Flow", ""));
    EXPECT_EQ("64", store.GetValue("SYSTEM", "UndoMemoryLimitMB", ""));  // read, never written
    EXPECT_GT(store.GetKeyCount("RULE"), 14);
    EXPECT_EQ("1", store.GetValue("Zarvik", "FileVersion.Major", ""));
    EXPECT_EQ("2", store.GetValue("Zarvik", "FileVersion.Minor", ""));
    EXPECT_EQ("6", store.GetValue("Zarvik", "FileVersion.Build", ""));
    EXPECT_EQ("0", store.GetValue("Zarvik", "FileVersion.Revision", ""));

    EXPECT_EQ(0, system.SaveSettings(dir / "missing/Zarvik.ini"));
    // A settings file made read-only is left as it is and the save reports failure.
    const std::string saved = test_support::FileBytes(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    system.settings.CanvasSizeCx = 800;
    EXPECT_EQ(0, system.SaveSettings(path));
    EXPECT_EQ(saved, test_support::FileBytes(path));
}

TEST(SystemSettings, ProfileSectionsAreReplacedAndAFileThatIsNoTextIsKept) {
    TempDir dir;
    const std::string path = dir / "Zarvik.ini";
    WriteBytes(path, "[ObjectList]\r\nCol_9=1,2,3\r\n[Other]\r\nA=1\r\n");
    HSystem system;
    system.SetDefaultFolders({dir.Path().string(), ""});
    system.LoadSettings(path);
    EXPECT_EQ("1,2,3", system.GetProfileString("ObjectList", "Col_9"));
    system.ClearProfileSection("ObjectList");
    system.WriteProfileString("ObjectList", "Col_0", "0,30,0");
    ASSERT_EQ(1, system.SaveSettings(path));
    HInfoIniFile store;
    ASSERT_EQ(1, store.Read(path));
    EXPECT_EQ(1, store.GetKeyCount("ObjectList"));
    EXPECT_EQ("0,30,0", store.GetValue("ObjectList", "Col_0", ""));
    EXPECT_EQ("1", store.GetValue("Other", "A", ""));

    // Not text: the run starts with the defaults and the file keeps what it held.
    const char bytes[] = "[SYSTEM]\r\nSelectCanvasType=1\r\n\0\x01\x02";
    const std::string binary(bytes, sizeof bytes - 1);
    WriteBytes(path, binary);
    HSystem other;
    other.SetDefaultFolders({dir.Path().string(), ""});
    other.LoadSettings(path);
    EXPECT_EQ(0, other.settings.SelectCanvasType);
    EXPECT_EQ(0, other.SaveSettings(path));
    EXPECT_EQ(binary, test_support::FileBytes(path));
}

using test_support::FolderPlatform;

// Beside a program it may write to, unless that program is an installed copy.
TEST(SystemSettings, AnInstalledCopyKeepsItsSettingsInTheUsersFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "bin");
    FolderPlatform platform(dir / "bin");
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string before = saved != nullptr ? saved : "";
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    EXPECT_EQ(dir / "bin/Zarvik.ini", HSystem().GetSettingsPath());
    std::filesystem::create_directories(dir.Path() / "share/zarvik");
    HSystem installed;
    EXPECT_EQ(dir / "config/zarvik/Zarvik.ini", installed.GetSettingsPath());
    EXPECT_EQ(dir / "config/zarvik", installed.DefaultFolders().primary);
    if (saved != nullptr) {
        ::setenv("XDG_CONFIG_HOME", before.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(SystemRules, DocumentRulesComeAndGo) {
    TempDir dir;
    HSystem system;
    system.SetDefaultFolders({dir.Path().string(), ""});
    EXPECT_EQ(1, system.IsUsingSystemRules());
    system.SetDocumentRules(0);
    ASSERT_EQ(0, system.IsUsingSystemRules());
    EXPECT_EQ(system.DocumentRules(), &system.CurrentRules());
    EXPECT_EQ(100, system.CurrentRules().FpGaisanPage1X100);  // filled from the defaults

    auto rules = system.NewDocumentRules();
    rules->TpCheckDetSameName = 1;
    system.AdoptDocumentRules(std::move(rules));
    EXPECT_EQ(1, system.CurrentRules().TpCheckDetSameName);
    system.SetDocumentRules(1);
    EXPECT_EQ(1, system.IsUsingSystemRules());
    EXPECT_EQ(0, system.CurrentRules().TpCheckDetSameName);
}

class SystemDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto file = std::make_unique<HItemFile>();
        auto task = std::make_unique<HItemTask>();
        auto line = std::make_unique<HItemLine>();
        line->fromItem = file.get();
        line->toItem = task.get();
        doc.Boxes().Append(std::move(file));
        doc.Boxes().Append(std::move(task));
        doc.Lines().Append(std::move(line));
    }
    void TearDown() override { System().settings.IsSaveRule2Flow = 0; }

    int RuleKeys(const std::string& path) {
        HInfoIniFile store;
        store.Read(path);
        return store.GetKeyCount("RULE");
    }

    TempDir dir;
    HFlowDocument doc;
};

TEST_F(SystemDocumentTest, RulesAreSavedWhenTheDocumentOwnsThemOrTheSettingsAsk) {
    ASSERT_EQ(1, doc.SaveDocument(dir / "plain.zvk"));
    EXPECT_EQ(-1, RuleKeys(dir / "plain.zvk"));

    System().settings.IsSaveRule2Flow = 1;
    ASSERT_EQ(1, doc.SaveDocument(dir / "asked.zvk"));
    EXPECT_GT(RuleKeys(dir / "asked.zvk"), 14);

    System().settings.IsSaveRule2Flow = 0;
    System().SetDocumentRules(0);
    System().CurrentRules().TpCheckDetSameName = 1;
    ASSERT_EQ(1, doc.SaveDocument(dir / "own.zvk"));
    EXPECT_EQ("1", [&] {
        HInfoIniFile store;
        store.Read(dir / "own.zvk");
        return store.GetValue("RULE", "TpCheckDetSameName", "");
    }());

    // Loading it back gives the document its own rules; a file without rules drops them.
    System().UseSystemRules();
    HFlowDocument loaded;
    ASSERT_TRUE(loaded.LoadDocument(dir / "own.zvk"));
    ASSERT_EQ(0, System().IsUsingSystemRules());
    EXPECT_EQ(1, System().CurrentRules().TpCheckDetSameName);
    ASSERT_TRUE(loaded.LoadDocument(dir / "plain.zvk"));
    EXPECT_EQ(1, System().IsUsingSystemRules());
}

TEST_F(SystemDocumentTest, FailedLoadKeepsTheRulesInForce) {
    System().SetDocumentRules(0);
    System().CurrentRules().FpUFPManual = 77;
    WriteBytes(
        dir / "bad.zvk",
        "[RULE]\r\nFpUFPManual=5\r\nTpCheckDetSameName=1\r\n[FILE_001]\r\nGuiPoint=0,0\r\n"
        "GuiSize=1,1\r\nGuiMinSize=1,1\r\n[LINE_002]\r\nGuiPointFrom=0,0\r\nGuiPointTo=0,0\r\n"
        "From=FILE_001\r\nTo=TASK_404\r\n[Zarvik]\r\nFileVersion.Major=1\r\n"
        "FileVersion.Minor=2\r\nFileVersion.Build=6\r\n");
    EXPECT_FALSE(doc.LoadDocument(dir / "bad.zvk"));
    ASSERT_EQ(0, System().IsUsingSystemRules());
    EXPECT_EQ(77, System().CurrentRules().FpUFPManual);
    EXPECT_EQ(0, System().CurrentRules().TpCheckDetSameName);
    EXPECT_EQ(2, doc.Boxes().Count());
}

}  // namespace
}  // namespace zarvik
