// Documents that are damaged, hand-edited or not documents at all: each either loads or
// fails and leaves the open document exactly as it was, without crashing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/app/system.h"
#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"
#include "test_support.h"

namespace zarvik {
namespace {

namespace fs = std::filesystem;

class RecordingUi : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string&, HMsgIcon,
                          HMsgButtons) override {
        messages.push_back(text);
        return HMsgAnswer::Ok;
    }
    std::vector<std::string> messages;
};

std::string Box(const std::string& section, const std::string& extra = "") {
    return "[" + section + "]\r\nGuiPoint=0,0\r\nGuiSize=100,50\r\nGuiMinSize=30,30\r\n" + extra;
}

std::string Line(const std::string& section, const std::string& from, const std::string& to) {
    return "[" + section + "]\r\nGuiPointFrom=0,0\r\nGuiPointTo=0,0\r\nFrom=" + from +
           "\r\nTo=" + to + "\r\n";
}

// What a failed load must leave as it was.
struct DocumentState {
    int32_t boxes = 0;
    int32_t lines = 0;
    std::string flowName;
    std::string lastUpdate;
    bool hasRules = false;
    std::string items;  // the item sections as the document would write them

    bool operator==(const DocumentState&) const = default;
};

DocumentState StateOf(const HFlowDocument& doc) {
    HInfoIniFile store;
    HIniFile ini(store, 0);
    doc.SaveItems(ini);
    return DocumentState{doc.Boxes().Count(),
                         doc.Lines().Count(),
                         doc.flow.flowName,
                         doc.flow.lastUpdate,
                         System().IsUsingSystemRules() == 0,
                         store.ToBytes()};
}

class MalformedDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zarvik_malformed_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        savedCounter = ItemIdCounter();
        SetUiPort(&ui);
        // The open document: two boxes, a line, rules and a flow name of its own.
        Write("open.zvk", Box("FILE_001", "Name=kept\r\n") + Box("TASK_002") +
                              Line("LINE_003", "FILE_001", "TASK_002") +
                              "[RULE]\r\nTpCheckDetSameName=1\r\n[Zarvik]\r\nFlowName=open flow\r\n"
                              "LastUpdate=2024/01/02 03:04:05\r\n");
        ASSERT_TRUE(doc.LoadDocument(Path("open.zvk")));
        ui.messages.clear();
    }
    void TearDown() override {
        SetUiPort(nullptr);
        SetItemIdCounter(savedCounter);
        fs::remove_all(dir);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

    // Loads the bytes into the open document. On failure nothing may have changed; on
    // success every line must join two listed boxes and the items must save again. Unknown
    // sections are reported at most once each.
    int LoadBytes(const std::string& bytes, const std::string& name = "input.zvk") {
        Write(name, bytes);
        return LoadPath(Path(name), &bytes);
    }

    int LoadPath(const std::string& path, const std::string* bytes = nullptr) {
        const DocumentState before = StateOf(doc);
        ui.messages.clear();
        const HLoadResult loaded = doc.LoadDocument(path);
        EXPECT_TRUE(ui.messages.empty()) << "the file layer showed a message";
        if (!loaded) {
            EXPECT_TRUE(before == StateOf(doc)) << "a failed load changed the document";
            EXPECT_FALSE(loaded.detail.empty()) << "a failure without its reason";
        } else {
            ExpectConsistent();
        }
        messages.clear();
        messages = SkippedSectionMessages(loaded);
        const std::set<std::string> distinct(messages.begin(), messages.end());
        EXPECT_EQ(distinct.size(), messages.size()) << "a section was reported twice";
        if (bytes != nullptr && !messages.empty()) {
            HInfoIniFile store;
            store.ReadBytes(*bytes);
            EXPECT_LE(messages.size(), store.SectionCount());
        }
        return loaded.Ok();
    }

    void ExpectConsistent() {
        std::set<const HItemCore*> boxes;
        for (const HItemCore* item = doc.Boxes().Head(); item != nullptr; item = item->next) {
            boxes.insert(item);
        }
        for (const HItemCore* item = doc.Lines().Head(); item != nullptr; item = item->next) {
            const auto* line = static_cast<const HItemLine*>(item);
            EXPECT_TRUE(boxes.count(line->fromItem) == 1 && boxes.count(line->toItem) == 1)
                << line->GetSectionKey() << " joins a box that is not listed";
        }
        HInfoIniFile store;
        HIniFile ini(store, 0);
        EXPECT_EQ(1, doc.SaveItems(ini));
    }

    fs::path dir;
    RecordingUi ui;
    std::vector<std::string> messages;  // what the editor shows for the last load
    HFlowDocument doc;
    int32_t savedCounter = 0;
};

TEST_F(MalformedDocumentTest, MissingRequiredKeyFailsAfterEarlierItemsWereBuilt) {
    const std::string good = Box("FILE_010");
    const std::string cases[] = {
        "[FILE_011]\r\nGuiSize=100,50\r\nGuiMinSize=30,30\r\n",
        "[FILE_011]\r\nGuiPoint=0,0\r\nGuiMinSize=30,30\r\n",
        "[FILE_011]\r\nGuiPoint=0,0\r\nGuiSize=100,50\r\n",
        "[FILE_011]\r\nGuiPoint=40\r\nGuiSize=100,50\r\nGuiMinSize=30,30\r\n",
        "[FILE_011]\r\nGuiPoint=0,0\r\nGuiSize=\r\nGuiMinSize=30,30\r\n",
        "[LINE_012]\r\nGuiPointTo=0,0\r\nFrom=FILE_010\r\nTo=FILE_010\r\n",
        "[LINE_012]\r\nGuiPointFrom=0,0\r\nFrom=FILE_010\r\nTo=FILE_010\r\n",
    };
    for (const std::string& bad : cases) {
        EXPECT_EQ(0, LoadBytes(good + bad + "[Zarvik]\r\nFlowName=new\r\n")) << bad;
    }
    EXPECT_EQ("open flow", doc.flow.flowName);
}

TEST_F(MalformedDocumentTest, LineEndsResolveByPrefixAndAtoiNumber) {
    const std::string boxes = Box("FILE_001") + Box("TASK_002");
    // The prefix must match with case; the number follows atoi.
    for (const char* from : {"FILE_1", "FILE_0001", "FILE_1x", "FILE_+1", "FILE_ 1"}) {
        ASSERT_EQ(1, LoadBytes(boxes + Line("LINE_003", from, "TASK_002"))) << from;
        EXPECT_EQ(doc.Boxes().Head(), static_cast<HItemLine*>(doc.Lines().Head())->fromItem);
    }
    for (const char* from : {"", "LINE_003", "Unknown_001", "file_001", " FILE_001", "TASK_001",
                             "Other_001", "FILE_", "FILE_-1", "FILE-001", "FILE001"}) {
        EXPECT_EQ(0, LoadBytes(boxes + Line("LINE_003", from, "TASK_002"))) << from;
    }
    // A line may join a box to itself, and a transaction to anything.
    EXPECT_EQ(1, LoadBytes(boxes + Line("LINE_003", "TASK_002", "TASK_002") +
                           Line("LINE_004", "FILE_001", "FILE_001")));
}

TEST_F(MalformedDocumentTest, SectionsNamedLikeLinesOrUnknownItems) {
    // "Unknown_" is no section kind: reported once, the rest loads.
    ASSERT_EQ(1, LoadBytes(Box("Unknown_001") + Box("FILE_002")));
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("(Unknown_001)"));
    EXPECT_EQ(1, doc.Boxes().Count());
    // A line section without a number is read as LINE_000, which is not there.
    EXPECT_EQ(0,
              LoadBytes(Box("FILE_002") + "[LINE_abc]\r\nGuiPointFrom=0,0\r\nGuiPointTo=0,0\r\n"));
    EXPECT_EQ(0, LoadBytes("[LINE_]\r\nx=1\r\n"));
}

// A data function with a typed count of two billion DETs, joined to one transaction by
// thousands of lines, once built a thousand placeholder entries per line (gigabytes for a
// file of a megabyte). Each line now costs a pointer; under the sanitizer build a single
// allocation past 256 MB fails the test.
TEST_F(MalformedDocumentTest, RelationLinesDoNotMultiplyPlaceholderDets) {
    std::string text =
        Box("FILE_001", "FpType=200\r\nAutoDET=0\r\nUserDET=2000000000\r\n") +
        Box("TASK_002", "FpType=100\r\nSelectFpSumType=2\r\nAutoDET=1\r\nAutoFTR=1\r\n");
    for (int i = 3; i < 20003; ++i) {
        text += Line(Format("LINE_%03d", i), "FILE_001", "TASK_002");
    }
    ASSERT_EQ(1, LoadBytes(text));
    const auto* task = static_cast<const HItemTask*>(doc.Boxes().Tail());
    EXPECT_EQ(INT32_MAX, task->GetDetCount());
    EXPECT_EQ(20000, task->GetFtrCount());
    EXPECT_EQ(7 + 6, doc.estimate.ufp);
}

TEST_F(MalformedDocumentTest, TwoGigabyteSparseFileIsRefusedUnread) {
    const std::string path = Path("huge.zvk");
    Write("huge.zvk", Box("FILE_001"));
    fs::resize_file(path, std::uintmax_t{2} << 30);
    const HLoadResult result = doc.LoadDocument(path);
    EXPECT_EQ(HLoadStatus::kTooLarge, result.status);
    EXPECT_NE(std::string::npos, result.detail.find("2147483648 bytes")) << result.detail;
    EXPECT_NE(std::string::npos,
              LoadFailureMessage(path, result.status).find("ファイルが大きすぎます"));
    // Binary data is told from its first block.
    Write("picture.zvk", "\x89PNG\r\n\x1A\n" + std::string(100, '\0'));
    EXPECT_EQ(HLoadStatus::kNotText, doc.LoadDocument(Path("picture.zvk")).status);
    Write("utf16.zvk", std::string("\xFF\xFE[\0F\0", 6));
    EXPECT_NE(std::string::npos, doc.LoadDocument(Path("utf16.zvk")).detail.find("UTF-16"));
    EXPECT_EQ(2, doc.Boxes().Count());
}

// UTF-8 documents, with or without a byte-order mark, failed on a section "???" or loaded
// with garbled names; CR-only line ends and text without sections loaded as an empty
// document that a save would then put in place of the file.
TEST_F(MalformedDocumentTest, EncodingProblemsAreNamed) {
    const std::string utf8 = Box("FILE_001", "Name=顧客マスタ\r\n");
    for (const std::string& bytes : {"\xEF\xBB\xBF" + utf8, utf8}) {
        Write("utf8.zvk", bytes);
        const int32_t boxes = doc.Boxes().Count();
        EXPECT_EQ(HLoadStatus::kUtf8Text, doc.LoadDocument(Path("utf8.zvk")).status);
        EXPECT_EQ(boxes, doc.Boxes().Count());
        ASSERT_TRUE(doc.LoadDocument(Path("utf8.zvk"), HLoadOptions{0, 1}));
        EXPECT_EQ("顧客マスタ", doc.Boxes().Head()->Record()->name);
        ASSERT_EQ(1, doc.SaveDocument(Path("saved.zvk")));
        EXPECT_NE(std::string::npos,
                  test_support::FileBytes(Path("saved.zvk")).find("Name=\x8C\xDA\x8B\x71"));
    }
    // Half-width katakana in cp932 can happen to be valid UTF-8 (ﾃｽ is C3 BD): still cp932.
    ASSERT_EQ(1, LoadBytes(Box("FILE_001", "Name=\xC3\xBD\r\n")));
    EXPECT_EQ("ﾃｽ", doc.Boxes().Head()->Record()->name);
    std::string crOnly = Box("FILE_001") + Box("TASK_002");
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    ASSERT_EQ(1, LoadBytes(crOnly));
    EXPECT_EQ(2, doc.Boxes().Count());

    Write("prose.zvk", "This is not a document.\r\nNor is this line.\r\n");
    EXPECT_EQ(HLoadStatus::kNoSection, doc.LoadDocument(Path("prose.zvk")).status);
    EXPECT_EQ(1, LoadBytes("\r\n  \r\n"));
    EXPECT_EQ(0, doc.Boxes().Count());
}

TEST_F(MalformedDocumentTest, TenDigitIdsSaturateLikeAtoi) {
    // FILE_9999999999 reads as id 2147483647, whose section is missing.
    EXPECT_EQ(0, LoadBytes(Box("FILE_9999999999")));

    const std::string text = Box("FILE_9999999999") + Box("FILE_2147483647") +
                             Box("TASK_-99999999999") + Box("TASK_-2147483648") +
                             Line("LINE_003", "TASK_-3000000000", "FILE_00000000000099999999999");
    ASSERT_EQ(1, LoadBytes(text));
    // FILE_2147483647 and TASK_-2147483648 read as the items already loaded.
    ASSERT_EQ(2, doc.Boxes().Count());
    EXPECT_EQ(2u, messages.size());
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), doc.Boxes().Head()->id);
    EXPECT_EQ(std::numeric_limits<int32_t>::min(), doc.Boxes().Tail()->id);
    const auto* line = static_cast<const HItemLine*>(doc.Lines().Head());
    EXPECT_EQ(doc.Boxes().Head(), line->toItem);
    // The counter stops at the largest id instead of wrapping around.
    EXPECT_EQ(std::numeric_limits<int32_t>::max(), ItemIdCounter());
}

TEST_F(MalformedDocumentTest, OutOfRangeNumbersLoad) {
    // The font height once overflowed while it was turned into points and back; coordinates
    // past the canvas bound are held at it, so geometry on them cannot overflow.
    const std::string text =
        "[FILE_001]\r\nGuiPoint=99999999999,-99999999999\r\nGuiSize=-100,-50\r\n"
        "GuiMinSize=-1,-1\r\nGuiText_Font=0,0,0,0,-2147483648,x\r\n"
        "GuiPenNormal=0,2147483647,-2147483648,4294967295\r\nGuiBrush=-1,-1,-1\r\n"
        "[TASK_002]\r\nGuiPoint=-5,-5\r\nGuiSize=0,0\r\nGuiMinSize=0,0\r\n"
        "[LINE_003]\r\nGuiPointFrom=-2147483648,2147483647\r\nGuiPointTo=,\r\n"
        "From=FILE_001\r\nTo=TASK_002\r\nLineType=-7\r\n";
    ASSERT_EQ(1, LoadBytes(text));
    const auto* file = static_cast<const HItemObject*>(doc.Boxes().Head());
    EXPECT_EQ((HPoint{kCoordinateLimit, -kCoordinateLimit}), file->position);
    EXPECT_EQ((HSize{-100, -50}), file->size);
    HRect bounds;
    file->GetBoundRect(bounds);
    EXPECT_EQ(kCoordinateLimit - 100 + 5, bounds.right);
    EXPECT_EQ(0, file->HitTest(HPoint{0, 0}));
    const auto* task = static_cast<const HItemTask*>(doc.Boxes().Tail());
    EXPECT_EQ(1u, task->ftrList.size());
}

TEST_F(MalformedDocumentTest, HundredThousandSectionsLoad) {
    std::string text;
    text.reserve(8 << 20);
    constexpr int kBoxes = 60000;
    for (int i = 1; i <= kBoxes; ++i) {
        text += Format("[FILE_%03d]\r\nGuiPoint=0,0\r\nGuiSize=1,1\r\nGuiMinSize=1,1\r\n", i);
    }
    for (int i = kBoxes + 1; i <= 100000; ++i) {
        text += Line(Format("LINE_%03d", i), Format("FILE_%03d", i - kBoxes), "FILE_001");
    }
    ASSERT_EQ(1, LoadBytes(text));
    EXPECT_EQ(kBoxes, doc.Boxes().Count());
    EXPECT_EQ(100000 - kBoxes, doc.Lines().Count());
}

TEST_F(MalformedDocumentTest, EveryUnknownSectionIsReportedOnce) {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += Format("[Memo_%d]\r\nx=1\r\n[Memo_%d]\r\ny=2\r\n", i, i);
    }
    HInfoIniFile store;
    store.ReadBytes(text + Box("FILE_001"));
    HIniFile ini(store, 0);
    HFlowDocument scratch;
    EXPECT_EQ(20000u, scratch.LoadItems(ini).unknownSections.size());
    // The user sees the first few and a count of the rest.
    ASSERT_EQ(1, LoadBytes(text + Box("FILE_001")));
    EXPECT_EQ(kMaxSectionMessages + 1, messages.size());
    EXPECT_NE(std::string::npos, messages.back().find("19990"));
    EXPECT_EQ(1, doc.Boxes().Count());
}

// Sections whose names read as one key once loaded two boxes with one id: the estimate
// counted both and a save merged them, so the figures changed on reopening.
TEST_F(MalformedDocumentTest, SectionsReadAsOneKeyLoadOneItem) {
    ASSERT_EQ(1, LoadBytes(Box("FILE_001", "Name=upper\r\nFpType=200\r\n") +
                           Box("file_001", "Name=lower\r\n") + Box("FILE_1x") +
                           Line("LINE_002", "FILE_001", "FILE_1") +
                           Line("LINE_2", "FILE_001", "FILE_001")));
    ASSERT_EQ(1, doc.Boxes().Count());
    EXPECT_EQ(1, doc.Lines().Count());
    EXPECT_EQ("upper", doc.Boxes().Head()->Record()->name);
    ASSERT_EQ(3u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("(file_001)"));
    EXPECT_NE(std::string::npos, messages[0].find("(FILE_001)"));
    EXPECT_EQ(7, doc.estimate.ufp);
    // Alone, the lower-case section finds nothing to read.
    EXPECT_EQ(0, LoadBytes(Box("file_001")));
    // Thousands of them give a few messages, not thousands.
    std::string many = Box("FILE_001");
    for (int i = 0; i < 5000; ++i) {
        many += "[file_1_" + std::to_string(i) + "]\r\nGuiPoint=0,0\r\n";
    }
    ASSERT_EQ(1, LoadBytes(many));
    EXPECT_EQ(kMaxSectionMessages + 1, messages.size());
}

TEST_F(MalformedDocumentTest, VeryLongSectionNames) {
    // Names are cut at 999 bytes: an unknown one is reported with the cut name.
    ASSERT_EQ(1, LoadBytes("[Misc" + std::string(1996, 'x') + "]\r\na=1\r\n" + Box("FILE_001")));
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("(Misc" + std::string(995, 'x') + ")"));
    // A cut that falls inside a double-byte character still reads and reports.
    std::string wide;
    for (int i = 0; i < 1000; ++i) {
        wide += "\x82\xA0";  // あ
    }
    EXPECT_EQ(1, LoadBytes("[" + wide + "]\r\na=1\r\n"));
    EXPECT_EQ(1u, messages.size());
    // An item section whose number is cut off reads as id 0, which is not there.
    EXPECT_EQ(0, LoadBytes(Box("FILE_" + std::string(1994, '0') + "1")));
    // Long keys and values are kept whole.
    const std::string name(2000, 'n');
    ASSERT_EQ(
        1, LoadBytes(Box("FILE_001", "Name=" + name + "\r\n" + std::string(2000, 'k') + "=v\r\n")));
    EXPECT_EQ(name, doc.Boxes().Head()->Record()->name);
}

TEST_F(MalformedDocumentTest, RandomBytesLoadOrFailCleanly) {
    std::mt19937 random(20240501);
    for (std::size_t size : {1u, 2u, 7u, 64u, 1000u, 4096u, 65536u, 1u << 20}) {
        std::string bytes(size, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        LoadBytes(bytes);
        // Garbage with the format's own punctuation and prefixes gets further in.
        static const char* const kPieces[] = {
            "[", "]",   "=",         "\r\n",     "\n",    "FILE_",    "TASK_",      "LINE_",
            "1", "0,0", "GuiPoint=", "GuiSize=", "From=", "FILE_001", "GuiMinSize", "\x82"};
        std::string shaped;
        while (shaped.size() < size) {
            shaped += random() % 3 == 0 ? std::string(1, static_cast<char>(random()))
                                        : kPieces[random() % std::size(kPieces)];
        }
        LoadBytes(shaped);
    }
}

TEST_F(MalformedDocumentTest, EmptyMissingAndDirectoryPaths) {
    ASSERT_EQ(1, LoadBytes("", "empty.zvk"));
    EXPECT_EQ(0, doc.Boxes().Count());
    EXPECT_EQ("empty", doc.flow.flowName);
    EXPECT_EQ(1, System().IsUsingSystemRules());

    ASSERT_EQ(1, LoadBytes(Box("FILE_001")));
    ASSERT_EQ(1, LoadPath(Path("missing.zvk")));
    EXPECT_EQ(0, doc.Boxes().Count());
    EXPECT_EQ("missing", doc.flow.flowName);

    // A folder is no document: the load fails and the open document stays.
    fs::create_directories(dir / "folder.zvk");
    ASSERT_EQ(1, LoadBytes(Box("FILE_001")));
    EXPECT_EQ(0, LoadPath(Path("folder.zvk")));
    EXPECT_EQ(1, doc.Boxes().Count());
}

}  // namespace
}  // namespace zarvik
