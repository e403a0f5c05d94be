#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "core/store/file_io.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

class RecordingUi : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon,
                          HMsgButtons) override {
        messages.push_back(caption + ":" + text);
        return answer;
    }
    std::vector<std::string> messages;
    HMsgAnswer answer = HMsgAnswer::Ok;
};

class FlowDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zarvik_doc_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        SetUiPort(&ui);
    }
    void TearDown() override {
        SetUiPort(nullptr);
        fs::remove_all(dir);
    }
    std::string Path(const char* name) const { return (dir / name).string(); }

    // A data function A (bottom), a transaction B (top) and a line from A to B.
    void BuildTwoBoxesAndLine(HFlowDocument& doc) {
        auto file = std::make_unique<HItemFile>();
        file->position = {40, 30};
        file->detList.push_back(HInfoCol{file.get(), "顧客番号", "", 0});
        file->detList.push_back(HInfoCol{file.get(), "氏名", "", 0});
        auto task = std::make_unique<HItemTask>();
        task->position = {200, 30};
        auto line = std::make_unique<HItemLine>();
        line->fromItem = file.get();
        line->toItem = task.get();
        line->fromOffset = {100, 25};
        line->toOffset = {0, 50};
        doc.Boxes().Append(std::move(file));
        doc.Boxes().Append(std::move(task));
        doc.Lines().Append(std::move(line));
        doc.RefreshItems();
    }

    std::string ReadFile(const std::string& path) {
        std::string bytes;
        ReadWholeFile(path, bytes);
        return bytes;
    }

    fs::path dir;
    RecordingUi ui;
};

TEST_F(FlowDocumentTest, SavesBoxesBottomToTopThenLinesThenHeader) {
    HFlowDocument doc;
    BuildTwoBoxesAndLine(doc);
    const std::string fileKey = doc.Boxes().Head()->GetSectionKey();
    const std::string taskKey = doc.Boxes().Tail()->GetSectionKey();
    const std::string lineKey = doc.Lines().Head()->GetSectionKey();
    ASSERT_EQ(1, doc.SaveDocument(Path("a.zvk")));

    HInfoIniFile store;
    ASSERT_EQ(1, store.Read(Path("a.zvk")));
    ASSERT_EQ(4u, store.SectionCount());
    EXPECT_EQ(fileKey, store.SectionAt(0).Name());
    EXPECT_EQ(taskKey, store.SectionAt(1).Name());
    EXPECT_EQ(lineKey, store.SectionAt(2).Name());
    EXPECT_EQ("Zarvik", store.SectionAt(3).Name());
    EXPECT_EQ(fileKey, store.GetValue(lineKey, "From", ""));
    EXPECT_EQ(taskKey, store.GetValue(lineKey, "To", ""));
    EXPECT_EQ("1", store.GetValue("Zarvik", "FileVersion.Major", ""));
    EXPECT_EQ("2", store.GetValue("Zarvik", "FileVersion.Minor", ""));
    EXPECT_EQ("6", store.GetValue("Zarvik", "FileVersion.Build", ""));
}

TEST_F(FlowDocumentTest, DefaultDataFunctionIsStoredWithItsDefaultAttributes) {
    const int32_t number = NextNameNumber(kKindFile);
    auto file = std::make_unique<HItemFile>();
    file->position = {40, 30};
    const std::string section = file->GetSectionKey();
    HFlowDocument doc;
    doc.Boxes().Append(std::move(file));
    HInfoIniFile store;
    HIniFile ini(store, 0);
    ASSERT_EQ(1, doc.SaveItems(ini));

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Name", Format("ファイル[%d]", number)},
        {"From", ""},
        {"To", ""},
        {"Line", ""},
        {"GuiPoint", "40,30"},
        {"GuiSize", "100,50"},
        {"GuiMinSize", "30,30"},
        {"LineHide", "0"},
        {"GuiText_Font", "0,0,0,0,-13,ＭＳ ゴシック"},
        {"GuiText_TextColor", "0"},
        {"GuiText_DrawTextFormat", "2053"},
        {"GuiText_TextFreePoint", "0"},
        {"GuiText_Text_PosX", "0"},
        {"GuiText_Text_PosY", "0"},
        {"GuiPenNormal", "0,0,0,16711680"},
        {"GuiPenSelected", "0,0,0,8421376"},
        {"GuiPenGuide", "0,0,0,65280"},
        {"GuiBrush", "16777215,0,0"},
        {"FpType", "200"},
        {"SelectFpSumType", "0"},
        {"FpLevel", "0"},
        {"FpUser", "0"},
        {"AutoDET", "1"},
        {"AutoRET", "1"},
        {"UserDET", "0"},
        {"UserRET", "0"},
    };
    ASSERT_EQ(1u, store.SectionCount());
    EXPECT_EQ(section, store.SectionAt(0).Name());
    EXPECT_EQ(expected, store.SectionAt(0).Entries().Copy());
}

TEST_F(FlowDocumentTest, LoadRestoresStackingLinksAndDerivedCounts) {
    HFlowDocument doc;
    BuildTwoBoxesAndLine(doc);
    ASSERT_EQ(1, doc.SaveDocument(Path("a.zvk")));

    HFlowDocument loaded;
    ASSERT_TRUE(loaded.LoadDocument(Path("a.zvk")));
    ASSERT_EQ(2, loaded.Boxes().Count());
    ASSERT_EQ(1, loaded.Lines().Count());
    auto* file = dynamic_cast<HItemFile*>(loaded.Boxes().Head());
    auto* task = dynamic_cast<HItemTask*>(loaded.Boxes().Tail());
    ASSERT_NE(nullptr, file);
    ASSERT_NE(nullptr, task);
    const auto* line = static_cast<const HItemLine*>(loaded.Lines().Head());
    EXPECT_EQ(file, line->fromItem);
    EXPECT_EQ(task, line->toItem);
    EXPECT_EQ((HPoint{100, 25}), line->fromOffset);
    EXPECT_EQ(1, task->GetFtrCount());
    EXPECT_EQ(2, task->GetDetCount());
    EXPECT_EQ("a", loaded.flow.flowName);  // no flow name: the file's title
    // The estimate is computed: one ILF (7) and one EI (4).
    EXPECT_EQ(1, loaded.estimate.dataCount);
    EXPECT_EQ(1, loaded.estimate.transactionCount);
    EXPECT_EQ(11, loaded.estimate.ufp);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FlowDocumentTest, SavingTwiceGivesTheSameItemsAndALoadedDocumentResavesIdentically) {
    HFlowDocument doc;
    BuildTwoBoxesAndLine(doc);
    doc.flow.flowName = "受注管理";
    ASSERT_EQ(1, doc.SaveDocument(Path("a.zvk")));
    HFlowDocument loaded;
    ASSERT_TRUE(loaded.LoadDocument(Path("a.zvk")));
    ASSERT_EQ(1, loaded.SaveDocument(Path("b.zvk")));

    // Everything but the save time must match byte for byte.
    auto withoutTime = [](std::string text) {
        const std::size_t at = text.find("LastUpdate=");
        return text.substr(0, at);
    };
    EXPECT_EQ(withoutTime(ReadFile(Path("a.zvk"))), withoutTime(ReadFile(Path("b.zvk"))));
}

TEST_F(FlowDocumentTest, UnresolvedLineEndFailsAndLeavesTheDocumentAsItWas) {
    HFlowDocument doc;
    BuildTwoBoxesAndLine(doc);
    doc.flow.flowName = "元のフロー";
    std::ofstream(Path("bad.zvk"), std::ios::binary)
        << "[FILE_001]\r\nGuiPoint=0,0\r\nGuiSize=100,50\r\nGuiMinSize=30,30\r\n"
           "[LINE_002]\r\nGuiPointFrom=0,0\r\nGuiPointTo=0,0\r\nFrom=FILE_001\r\nTo=FILE_009\r\n"
           "[RULE]\r\nTpCheckDetSameName=1\r\n[Zarvik]\r\nFlowName=other\r\n";
    const HLoadResult result = doc.LoadDocument(Path("bad.zvk"));
    EXPECT_EQ(HLoadStatus::kBrokenLine, result.status);
    EXPECT_EQ(
        "LINE_002: the relation line's To end names \"FILE_009\", which is not a box of the "
        "document",
        result.detail);
    EXPECT_EQ(2, doc.Boxes().Count());
    EXPECT_EQ(1, doc.Lines().Count());
    EXPECT_EQ("元のフロー", doc.flow.flowName);
    EXPECT_EQ(1, System().IsUsingSystemRules());
}

TEST_F(FlowDocumentTest, UnknownSectionIsListedOnceAndTheRestLoads) {
    std::ofstream(Path("misc.zvk"), std::ios::binary)
        << "[Misc_001]\r\nx=1\r\n[FILE_004]\r\nGuiPoint=1,2\r\nGuiSize=100,50\r\n"
           "GuiMinSize=30,30\r\nName=A\r\n";
    HFlowDocument doc;
    const HLoadResult result = doc.LoadDocument(Path("misc.zvk"));
    ASSERT_TRUE(result);
    EXPECT_EQ(std::vector<std::string>{"Misc_001"}, result.unknownSections);
    EXPECT_TRUE(ui.messages.empty());  // the file layer asks and shows nothing
    EXPECT_EQ(1, doc.Boxes().Count());
    EXPECT_EQ(4, doc.Boxes().Head()->id);
}

TEST_F(FlowDocumentTest, IdCounterEndsAboveEveryLoadedId) {
    std::string text;
    for (int i = 0; i < 10; ++i) {
        const int id = i == 9 ? 40 : i + 1;
        text += Format("[FILE_%03d]", id) + "\r\nGuiPoint=0,0\r\nGuiSize=1,1\r\nGuiMinSize=1,1\r\n";
    }
    std::ofstream(Path("ids.zvk"), std::ios::binary) << text;
    for (const auto& [before, after] : {std::pair{3, 41}, std::pair{60, 72}}) {
        SetItemIdCounter(before);
        HFlowDocument doc;
        ASSERT_TRUE(doc.LoadDocument(Path("ids.zvk")));
        EXPECT_EQ(after, ItemIdCounter()) << "counter before load " << before;
    }
}

TEST_F(FlowDocumentTest, NewerFileNeedsAnAnswerAndIsReadOnlyWhenAccepted) {
    std::ofstream(Path("new.zvk"), std::ios::binary)
        << "[Zarvik]\r\nFileVersion.Major=1\r\nFileVersion.Minor=3\r\nFlowName=newer\r\n";
    HFlowDocument doc;
    doc.flow.flowName = "kept";
    EXPECT_EQ(HLoadStatus::kNewerVersion, doc.LoadDocument(Path("new.zvk")).status);
    EXPECT_EQ("kept", doc.flow.flowName);
    EXPECT_TRUE(doc.LoadDocument(Path("new.zvk"), HLoadOptions{1}));
    EXPECT_EQ("newer", doc.flow.flowName);

    std::ofstream(Path("same.zvk"), std::ios::binary)
        << "[Zarvik]\r\nFileVersion.Major=1\r\nFileVersion.Minor=2\r\nFileVersion.Build=99\r\n";
    EXPECT_TRUE(doc.LoadDocument(Path("same.zvk")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FlowDocumentTest, FailedSaveKeepsTheOldFile) {
    HFlowDocument doc;
    BuildTwoBoxesAndLine(doc);
    ASSERT_EQ(1, doc.SaveDocument(Path("keep.zvk")));
    const std::string before = ReadFile(Path("keep.zvk"));
    fs::create_directories(dir / "folder.zvk");
    EXPECT_EQ(0, doc.SaveDocument(Path("folder.zvk")));
    EXPECT_EQ(0, doc.SaveDocument(Path("missing/x.zvk")));
    EXPECT_EQ(before, ReadFile(Path("keep.zvk")));
}

}  // namespace
}  // namespace zarvik
