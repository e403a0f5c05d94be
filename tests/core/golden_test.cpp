// Hand-written documents in tests/golden/, each with the expected description of what
// loading it gives. Set ZARVIK_GOLDEN_UPDATE=1 to rewrite the .expected files from the
// current results (then review the difference before keeping it).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "core/store/file_io.h"
#include "test_support.h"

namespace zarvik {
namespace {

using test_support::WithoutLastUpdate;

namespace fs = std::filesystem;

fs::path GoldenDir() {
    return fs::path(ZARVIK_SOURCE_DIR) / "tests" / "golden";
}

std::vector<std::string> GoldenNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(GoldenDir(), error)) {
        if (entry.path().extension() == ".zvk") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class RecordingUi : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon,
                          HMsgButtons) override {
        messages.push_back(caption + ": " + text);
        return HMsgAnswer::Ok;
    }
    std::vector<std::string> messages;
};

// Line breaks inside a value are shown escaped so that every entry stays on one line.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string JoinNames(const std::vector<HInfoCol>& list) {
    std::string out;
    for (const HInfoCol& entry : list) {
        out += (out.empty() ? "" : "|") + Escaped(entry.name);
    }
    return out.empty() ? "-" : out;
}

void DescribeRecord(const HItemCore* item, std::ostringstream& out) {
    if (const auto* file = dynamic_cast<const HItemFile*>(item)) {
        out << "file " << file->GetSectionKey() << " type " << file->typeCode << " det "
            << file->GetDetCount() << " ret " << file->GetRetCount() << " fp " << file->GetFp()
            << " dets " << JoinNames(file->detList) << " rets " << JoinNames(file->retList) << "\n";
    } else if (const auto* task = dynamic_cast<const HItemTask*>(item)) {
        // The same-name rule changes a transaction's count, so both readings are shown.
        auto* counted = const_cast<HItemTask*>(task);
        const int32_t saved = counted->checkDetSameName;
        counted->checkDetSameName = 0;
        out << "task " << task->GetSectionKey() << " type " << task->typeCode << " ftr "
            << task->GetFtrCount() << " det " << task->GetDetCount() << " fp " << task->GetFp();
        counted->checkDetSameName = 1;
        out << " same-name det " << task->GetDetCount() << " fp " << task->GetFp() << " ilf "
            << task->linkedIlfCount << " eif " << task->linkedEifCount << " dets "
            << JoinNames(task->ListDets()) << "\n";
        counted->checkDetSameName = saved;
    } else if (const auto* image = dynamic_cast<const HItemImageBox*>(item)) {
        out << "image " << image->GetSectionKey() << " file \"" << image->fileName
            << "\" keep-ratio " << image->keepRatio << " picture ";
        if (image->picture) {
            out << image->picture->header.width << "x" << image->picture->header.height << " "
                << image->picture->header.bitsPixel << "bpp\n";
        } else {
            out << "none\n";
        }
    }
}

// What a loaded document holds, as far as a reader of the file can tell.
std::string Describe(const HFlowDocument& doc, int32_t counterBefore) {
    std::ostringstream out;
    out << "flow " << Escaped(doc.flow.flowName) << "\n";
    if (const HInfoRule* rules = System().DocumentRules()) {
        out << "rule own: same-name " << rules->TpCheckDetSameName << " ufp manual "
            << rules->IsFpUFPManual << "," << rules->FpUFPManual << " pages "
            << rules->FpGaisanPage1X100 << "," << rules->FpGaisanPage2X100 << " schedule "
            << rules->FpKouki1X100 << "," << rules->FpKouki2X100 << "," << rules->FpKoukiMinX100
            << " tdi " << rules->GetTdi() << "\n";
    } else {
        out << "rule system\n";
    }
    out << "id counter " << counterBefore << " -> " << ItemIdCounter() << "\n";
    for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
        const auto* box = static_cast<const HItemObject*>(item);
        out << "box " << box->GetSectionKey() << " kind " << box->kind << " id " << box->id << " \""
            << Escaped(box->Record()->name) << "\" at " << box->position.x << "," << box->position.y
            << " size " << box->size.cx << "," << box->size.cy << "\n";
    }
    for (const HItemCore* item = doc.Lines().Head(); item != nullptr; item = item->next) {
        const auto* line = static_cast<const HItemLine*>(item);
        out << "line " << line->GetSectionKey() << ": " << line->fromItem->GetSectionKey() << " -> "
            << line->toItem->GetSectionKey() << " type " << line->lineType << " offsets "
            << line->fromOffset.x << "," << line->fromOffset.y << " " << line->toOffset.x << ","
            << line->toOffset.y << "\n";
    }
    for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
        DescribeRecord(item, out);
    }
    return out.str();
}

std::string ReadFile(const fs::path& path) {
    std::string bytes;
    ReadWholeFile(path.string(), bytes);
    return bytes;
}

class GoldenDocumentTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zarvik_golden_" + std::to_string(::getpid()) + "_" + GetParam());
        fs::create_directories(dir);
        savedCounter = ItemIdCounter();
        SetUiPort(&ui);
    }
    void TearDown() override {
        SetUiPort(nullptr);
        SetItemIdCounter(savedCounter);
        fs::remove_all(dir);
    }

    // Loads path with the id counter at 0; the description, or the failure, with the
    // messages the editor shows for the load. The file layer itself shows none.
    std::string LoadAndDescribe(HFlowDocument& doc, const fs::path& path, std::string* items) {
        ui.messages.clear();
        SetItemIdCounter(0);
        const HLoadResult loaded = doc.LoadDocument(path.string());
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
        std::string text = loaded ? Describe(doc, 0) : "load failed\n";
        if (items != nullptr) {
            *items = text;
        }
        messages.clear();
        for (const std::string& section : loaded.unknownSections) {
            messages.push_back("エラー: " + UnknownSectionMessage(section));
            text += "message " + Escaped(messages.back()) + "\n";
        }
        return text;
    }

    fs::path Input() const { return GoldenDir() / (GetParam() + ".zvk"); }

    fs::path dir;
    RecordingUi ui;
    std::vector<std::string> messages;  // of the last load
    int32_t savedCounter = 0;
};

TEST_P(GoldenDocumentTest, LoadMatchesTheExpectedDescription) {
    HFlowDocument doc;
    const std::string actual = LoadAndDescribe(doc, Input(), nullptr);
    const fs::path expectedPath = GoldenDir() / (GetParam() + ".expected");
    if (const char* update = std::getenv("ZARVIK_GOLDEN_UPDATE"); update && *update == '1') {
        std::ofstream(expectedPath, std::ios::binary) << actual;
    }
    ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath << " is missing";
    EXPECT_EQ(ReadFile(expectedPath), actual);
}

TEST_P(GoldenDocumentTest, SavedDocumentLoadsTheSameAndSavesAgainIdentically) {
    HFlowDocument doc;
    std::string original;
    LoadAndDescribe(doc, Input(), &original);
    ASSERT_NE("load failed\n", original);
    ASSERT_EQ(1, doc.SaveDocument((dir / "first.zvk").string()));

    HFlowDocument reloaded;
    std::string again;
    LoadAndDescribe(reloaded, dir / "first.zvk", &again);
    EXPECT_EQ(original, again);
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_EQ(1, reloaded.SaveDocument((dir / "second.zvk").string()));

    const std::string first = ReadFile(dir / "first.zvk");
    EXPECT_EQ(WithoutLastUpdate(first), WithoutLastUpdate(ReadFile(dir / "second.zvk")));
    // Names go out in the very bytes they came in.
    std::istringstream input(ReadFile(Input()));
    for (std::string line; std::getline(input, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("Name=", 0) == 0) {
            EXPECT_NE(std::string::npos, first.find("\r\n" + line + "\r\n")) << line;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenDocumentTest, ::testing::ValuesIn(GoldenNames()),
                         [](const auto& info) { return info.param; });

TEST(GoldenDocumentSet, HoldsTheDocumentsItIsMeantTo) {
    EXPECT_GE(GoldenNames().size(), 7u) << GoldenDir();
}

// The NEC-selected duplicate of 髙 (0xEEE0) reads as that character and is written back
// with the code it was read with, not the one Windows prefers (0xFBFC): text that was not
// edited keeps its bytes. The wave dash stays 0x8160.
TEST(GoldenDocumentBytes, DuplicateCodesKeepTheCodeTheyWereReadWith) {
    test_support::TempDir dir;
    const int32_t counter = ItemIdCounter();
    HFlowDocument doc;
    ASSERT_TRUE(doc.LoadDocument((GoldenDir() / "japanese_names.zvk").string()));
    SetItemIdCounter(counter);
    const std::string name = static_cast<const HItemFile*>(doc.Boxes().Head())->detList[0].name;
    EXPECT_TRUE(name.starts_with("髙")) << name;
    HSaveReport report;
    ASSERT_EQ(1, doc.SaveDocument(dir / "out.zvk", &report));
    const std::string bytes = test_support::FileBytes(dir / "out.zvk");
    EXPECT_EQ(0, report.unencodable);
    EXPECT_NE(std::string::npos, bytes.find("DETLIST_NAME_000=\xEE\xE0"));
    EXPECT_NE(std::string::npos, bytes.find("FlowName=\x8C\xA9\x90\xCF\x81\x60"));
}

}  // namespace
}  // namespace zarvik
