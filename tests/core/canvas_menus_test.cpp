#include "core/canvas/canvas_menus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/canvas/file_drop.h"
#include "core/canvas/link_menu.h"
#include "core/canvas/shortcuts.h"
#include "core/canvas/tooltips.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"

namespace zarvik {
namespace {

template <typename T>
T* AppendNew(HDrawList& list, HPoint position = {}, std::string name = {}) {
    auto item = std::make_unique<T>();
    T* raw = item.get();
    raw->position = position;
    if (!name.empty()) {
        raw->name = std::move(name);
    }
    list.Append(std::move(item));
    return raw;
}

// A line between the middles of the facing sides of two boxes side by side.
HItemLine* Join(HDrawList& lines, HItemObject* from, HItemObject* to) {
    auto line = std::make_unique<HItemLine>();
    HItemLine* raw = line.get();
    raw->fromItem = from;
    raw->toItem = to;
    raw->fromOffset = HPoint{from->size.cx, from->size.cy / 2};
    raw->toOffset = HPoint{0, to->size.cy / 2};
    lines.Append(std::move(line));
    return raw;
}

std::vector<std::string> Texts(const HMenuEntry& submenu) {
    std::vector<std::string> texts;
    for (const HMenuEntry& entry : submenu.submenu) {
        texts.push_back(entry.text);
    }
    return texts;
}

class CanvasMenuTest : public ::testing::Test {
protected:
    HDrawList boxes;
    HDrawList lines;
    HLinkJumpTable table;

    HCanvasMenu Build(HClipboardState clipboard = {}) {
        return BuildCanvasMenu(boxes, lines, clipboard, table);
    }
    int Enabled(const HCanvasMenu& menu, int32_t id) {
        const HMenuEntry* entry = menu.Find(id);
        EXPECT_NE(entry, nullptr) << id;
        return entry != nullptr ? entry->enabled : -1;
    }
};

TEST_F(CanvasMenuTest, ItemMenuEnablingFollowsTheSelection) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemFile* b = AppendNew<HItemFile>(boxes, {300, 0}, "B");
    const int32_t ids[] = {kCmdLineStart,      kCmdLineVisibility, kCmdItemFormat,
                           kCmdItemProperties, kCmdItemFormatCopy, kCmdItemFormatPaste,
                           kCmdItemDelete};
    const struct {
        const char* what;
        int selectA, selectB, hideA, clipboardBox;
        int enabled[7];
    } cases[] = {
        {"nothing selected", 0, 0, 0, 1, {0, 0, 0, 0, 0, 0, 0}},
        {"one box", 1, 0, 0, 0, {1, 1, 1, 1, 1, 0, 1}},
        {"one box, box format held", 1, 0, 0, 1, {1, 1, 1, 1, 1, 1, 1}},
        {"one box hiding its lines", 1, 0, 1, 0, {0, 1, 1, 1, 1, 0, 1}},
        {"two boxes", 1, 1, 0, 1, {0, 1, 0, 0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        a->SetSelected(c.selectA);
        b->SetSelected(c.selectB);
        a->lineHide = c.hideA;
        const HCanvasMenu menu = Build(HClipboardState{c.clipboardBox, 1});
        EXPECT_EQ(menu.lineMenu, 0) << c.what;
        for (std::size_t i = 0; i < std::size(ids); ++i) {
            EXPECT_EQ(Enabled(menu, ids[i]), c.enabled[i]) << c.what << ", command " << ids[i];
        }
        const HMenuEntry* links = menu.FindText(kLinkSubmenuText);
        ASSERT_NE(links, nullptr);
        EXPECT_EQ(links->enabled, 0) << c.what;  // no lines at all
    }
}

TEST_F(CanvasMenuTest, LineStartNeedsAnotherBox) {
    AppendNew<HItemFile>(boxes)->SetSelected(1);
    EXPECT_EQ(Enabled(Build(), kCmdLineStart), 0);
}

TEST_F(CanvasMenuTest, LineMenuStatesFollowTheTopmostSelectedLine) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemFile* b = AppendNew<HItemFile>(boxes, {300, 0}, "B");
    a->SetSelected(1);  // a selected line wins over selected boxes
    HItemLine* lower = Join(lines, a, b);
    HItemLine* upper = Join(lines, b, a);
    lower->SetSelected(1);
    lower->lineType = kLineArrowBoth;
    upper->SetSelected(1);
    const struct {
        int32_t type;
        int reverseEnabled, bothChecked, noneChecked;
    } cases[] = {{kLineArrowTo, 1, 0, 0}, {kLineNoArrow, 0, 0, 1}, {kLineArrowBoth, 0, 1, 0}};
    for (const auto& c : cases) {
        upper->lineType = c.type;
        const HCanvasMenu menu = Build(HClipboardState{1, 0});
        ASSERT_EQ(menu.lineMenu, 1);
        EXPECT_EQ(Enabled(menu, kCmdLineReverse), c.reverseEnabled) << c.type;
        EXPECT_EQ(menu.Find(kCmdLineBothArrows)->checked, c.bothChecked) << c.type;
        EXPECT_EQ(menu.Find(kCmdLineNoArrow)->checked, c.noneChecked) << c.type;
        EXPECT_EQ(Enabled(menu, kCmdLineBothArrows), 1);
        EXPECT_EQ(Enabled(menu, kCmdLineNoArrow), 1);
        EXPECT_EQ(Enabled(menu, kCmdLineFormatPaste), 0);  // only a box format is held
        EXPECT_EQ(Enabled(menu, kCmdLineDelete), 1);
        EXPECT_EQ(menu.Find(kCmdItemDelete), nullptr);
    }
    EXPECT_EQ(Enabled(Build(HClipboardState{0, 1}), kCmdLineFormatPaste), 1);

    // The links are those of the upper line: to A, from B.
    const HCanvasMenu menu = Build();
    EXPECT_EQ(Texts(*menu.FindText(kLinkSubmenuText)),
              (std::vector<std::string>{"To: A", "From: B"}));
    EXPECT_EQ(table.ItemOf(kLinkCommandFirst), a);
    EXPECT_EQ(table.ItemOf(kLinkCommandFirst + 1), b);
}

TEST_F(CanvasMenuTest, LineBeingDrawnOffersOnlyItsStart) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemMouseCursor cursor;
    HItemLine line;
    line.fromItem = a;
    line.toItem = &cursor;
    const std::vector<HLinkEntry> links = BuildLineLinks(line, table);
    EXPECT_EQ(links, (std::vector<HLinkEntry>{{kLinkCommandFirst, "From: A"}}));
}

TEST_F(CanvasMenuTest, BoxLinksReadOutgoingReversedThenIncoming) {
    HItemFile* box = AppendNew<HItemFile>(boxes, {0, 0}, "B");
    HItemTask* t1 = AppendNew<HItemTask>(boxes, {300, 0}, "T1");
    HItemTask* t2 = AppendNew<HItemTask>(boxes, {300, 200}, "T2");
    HItemTask* t3 = AppendNew<HItemTask>(boxes, {-300, 0}, "T3");
    Join(lines, t3, box);  // L3, at the bottom
    Join(lines, box, t2);  // L2
    Join(lines, box, t1);  // L1, at the top
    box->SetSelected(1);
    const HCanvasMenu menu = Build();
    const HMenuEntry* links = menu.FindText(kLinkSubmenuText);
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(links->enabled, 1);
    EXPECT_EQ(Texts(*links), (std::vector<std::string>{"To: T2", "To: T1", "From: T3"}));
    // Ids are handed out walking from the top, and each finds its own item.
    for (const HMenuEntry& entry : links->submenu) {
        const HItemObject* item = table.ItemOf(entry.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(entry.text.substr(entry.text.find(' ') + 1), item->Record()->name);
    }
    EXPECT_EQ(table.ItemOf(kLinkCommandFirst), t1);
    EXPECT_EQ(table.ItemOf(kLinkCommandFirst + 2), t3);
}

TEST_F(CanvasMenuTest, SubmenuStopsAtSixtyFourLinks) {
    HItemFile* box = AppendNew<HItemFile>(boxes, {0, 0}, "B");
    for (int i = 0; i < 70; ++i) {
        Join(lines, box, AppendNew<HItemTask>(boxes, {300, i * 60}, "T" + std::to_string(i)));
    }
    box->SetSelected(1);
    const HCanvasMenu menu = Build();
    const HMenuEntry* links = menu.FindText(kLinkSubmenuText);
    ASSERT_NE(links, nullptr);
    ASSERT_EQ(links->submenu.size(), 64u);
    // From the top of the line list: T69 down to T6, shown in reverse.
    EXPECT_EQ(links->submenu.front().text, "To: T6");
    EXPECT_EQ(links->submenu.back().text, "To: T69");
    EXPECT_EQ(links->submenu.back().id, kLinkCommandFirst);
    EXPECT_EQ(links->submenu.front().id, kLinkCommandLast);
    EXPECT_EQ(table.Count(), 64);
    EXPECT_EQ(table.ItemOf(kLinkCommandLast + 1), nullptr);
}

TEST_F(CanvasMenuTest, EveryMenuStartsWithAnEmptyTable) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemFile* b = AppendNew<HItemFile>(boxes, {300, 0}, "B");
    Join(lines, a, b);
    a->SetSelected(1);
    Build();
    ASSERT_EQ(table.ItemOf(kLinkCommandFirst), b);
    a->SetSelected(0);
    Build();
    EXPECT_EQ(table.ItemOf(kLinkCommandFirst), nullptr);
}

TEST_F(CanvasMenuTest, LinkJumpSelectsOnlyTheTargetAndCentresIt) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemFile* b = AppendNew<HItemFile>(boxes, {1000, 800}, "B");
    HItemLine* line = Join(lines, a, b);
    a->SetSelected(1);
    line->SetSelected(1);
    Build();  // the line menu: To: B
    HRect bound;
    b->GetBoundRect(bound);

    const HJumpView view{HSize{400, 300}, 1, 1, 1.0f};
    int done = -1;
    const HJumpResult result = RunLinkCommand(kLinkCommandFirst, table, boxes, lines, view, &done);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(b->Selected(), 1);
    EXPECT_EQ(a->Selected(), 0);
    EXPECT_EQ(line->Selected(), 0);
    ASSERT_EQ(result.scroll, 1);
    EXPECT_EQ(result.scrollTo,
              (HPoint{bound.left + bound.Width() / 2 - 200, bound.top + bound.Height() / 2 - 150}));

    // At 200 % the same item lies twice as far into the scrolled window.
    const HJumpResult zoomed =
        JumpToItem(boxes, lines, b, 1, 0, HJumpView{HSize{400, 300}, 1, 1, 2.0f});
    EXPECT_EQ(zoomed.scrollTo,
              (HPoint{2 * bound.left + bound.Width() - 200, 2 * bound.top + bound.Height() - 150}));
    // Without scroll bars only the half sizes count.
    const HJumpResult fixed =
        JumpToItem(boxes, lines, b, 1, 0, HJumpView{HSize{400, 300}, 0, 0, 1.0f});
    EXPECT_EQ(fixed.scrollTo, (HPoint{bound.Width() / 2 - 200, bound.Height() / 2 - 150}));
}

TEST_F(CanvasMenuTest, JumpToggleAndClear) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemFile* b = AppendNew<HItemFile>(boxes, {300, 0}, "B");
    const HJumpView view{HSize{400, 300}, 1, 1, 1.0f};
    a->SetSelected(1);
    b->SetSelected(1);
    EXPECT_EQ(JumpToItem(boxes, lines, a, 0, 1, view).scroll, 0);
    EXPECT_EQ(a->Selected(), 0);  // it was selected: the toggle leaves it off
    EXPECT_EQ(b->Selected(), 0);
    JumpToItem(boxes, lines, a, 0, 1, view);
    EXPECT_EQ(a->Selected(), 1);
    JumpToItem(boxes, lines, a, 0, 0, view);
    EXPECT_EQ(a->Selected(), 1);
    JumpToItem(boxes, lines, nullptr, 1, 0, view);
    EXPECT_EQ(boxes.CountSelected(), 0);
}

TEST_F(CanvasMenuTest, LinkCommandWithoutAnEntryDoesNothing) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    a->SetSelected(1);
    Build();
    const HJumpView view;
    for (int32_t id : {kLinkCommandFirst, kLinkCommandFirst - 1, kLinkCommandLast + 1}) {
        int done = -1;
        EXPECT_EQ(RunLinkCommand(id, table, boxes, lines, view, &done).scroll, 0);
        EXPECT_EQ(done, 0) << id;
        EXPECT_EQ(a->Selected(), 1) << id;
    }
}

TEST_F(CanvasMenuTest, LinkToADeletedItemIsNotFollowed) {
    HItemFile* a = AppendNew<HItemFile>(boxes, {0, 0}, "A");
    HItemFile* b = AppendNew<HItemFile>(boxes, {300, 0}, "B");
    Join(lines, a, b);
    a->SetSelected(1);
    Build();
    // B goes, with its line, after the menu was built.
    a->SetSelected(0);
    b->SetSelected(1);
    boxes.RemoveFirstSelectedWithLines(lines);
    a->SetSelected(1);
    int done = -1;
    RunLinkCommand(kLinkCommandFirst, table, boxes, lines, HJumpView{}, &done);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(a->Selected(), 1);
}

TEST(CanvasMenuShortcuts, TranslationTable) {
    const struct {
        int32_t key;
        int ctrl, line, editing;
        int32_t command;
    } cases[] = {
        {'C', 1, 0, 0, kCmdItemFormatCopy},
        {'C', 1, 1, 0, kCmdLineFormatCopy},
        {'F', 1, 0, 0, kCmdItemFormat},
        {'F', 1, 1, 0, kCmdLineFormat},
        {'I', 1, 0, 0, kCmdItemProperties},
        {'I', 1, 1, 0, 0},
        {'V', 1, 0, 0, kCmdItemFormatPaste},
        {'V', 1, 1, 0, kCmdLineFormatPaste},
        {'K', 1, 0, 0, 32822},
        {'K', 1, 1, 0, 32822},
        {'R', 1, 0, 0, 32805},
        {'R', 1, 1, 0, 32805},
        {kKeyDelete, 0, 0, 0, kCmdItemDelete},
        {kKeyDelete, 0, 1, 0, kCmdLineDelete},
        {kKeyDelete, 0, 0, 1, 0},
        {kKeyDelete, 0, 1, 1, 0},
        {kKeyDelete, 1, 0, 0, 0},
        {'C', 0, 0, 0, 0},
        {'Z', 1, 0, 0, 0},
        {'C', 1, 0, 1, kCmdItemFormatCopy},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TranslateShortcut(HShortcutInput{c.key, c.ctrl, c.line, c.editing}), c.command)
            << "key " << c.key << " ctrl " << c.ctrl << " line " << c.line << " editing "
            << c.editing;
    }
}

class CanvasMenuTooltipTest : public CanvasMenuTest {
protected:
    void SetUp() override {
        file = AppendNew<HItemFile>(boxes, {0, 0}, "顧客");
        task = AppendNew<HItemTask>(boxes, {300, 0}, "受注");
        other = AppendNew<HItemOther>(boxes, {0, 300}, "外部");
        line = Join(lines, file, task);
    }
    HPoint Middle(const HItemObject* box) const {
        return HPoint{box->position.x + box->size.cx / 2, box->position.y + box->size.cy / 2};
    }
    HPoint OnLine() const {
        HPoint from, to;
        line->GetEndPoints(from, to);
        return HPoint{(from.x + to.x) / 2, (from.y + to.y) / 2};
    }
    HItemFile* file = nullptr;
    HItemTask* task = nullptr;
    HItemOther* other = nullptr;
    HItemLine* line = nullptr;
};

TEST_F(CanvasMenuTooltipTest, TextDescribesWhatLiesUnderThePoint) {
    file->typeCode = 201;
    EXPECT_EQ(TooltipText(boxes, lines, Middle(file)),
              "顧客\r\n種別=\"" + file->typeLabel +
                  "\"  FP種別=\"EIF\"  FP数=" + std::to_string(file->GetFp()));
    EXPECT_EQ(TooltipText(boxes, lines, Middle(task)),
              "受注\r\n種別=\"" + task->typeLabel +
                  "\"  FP種別=\"EI\"  FP数=" + std::to_string(task->GetFp()));
    const std::string display = TooltipText(boxes, lines, Middle(other));
    EXPECT_NE(display.find("FP種別=\"-\"  FP数=0"), std::string::npos) << display;
    EXPECT_EQ(TooltipText(boxes, lines, OnLine()), line->DescribeLine());
    EXPECT_EQ(TooltipText(boxes, lines, HPoint{2000, 2000}), "");
}

TEST(CanvasMenuTooltip, FunctionTypeTexts) {
    const struct {
        int32_t code;
        const char* text;
    } cases[] = {{100, "EI"},  {101, "EO"}, {102, "EQ"}, {200, "ILF"},
                 {201, "EIF"}, {0, "-"},    {103, "-"},  {202, "-"}};
    for (const auto& c : cases) {
        EXPECT_STREQ(FunctionTypeText(c.code), c.text) << c.code;
    }
}

TEST_F(CanvasMenuTooltipTest, ControlIsToldToAddReplacePopOrRemove) {
    HTooltipState state;
    EXPECT_EQ(state.LastPoint(), (HPoint{-1, -1}));
    const HPoint p = Middle(file);
    std::string text;
    EXPECT_EQ(state.Update(boxes, lines, p, 0, &text), HTooltipAction::Add);
    EXPECT_NE(text, "");
    EXPECT_EQ(state.Update(boxes, lines, p, 0), HTooltipAction::Replace);
    EXPECT_EQ(state.Update(boxes, lines, HPoint{p.x + 1, p.y}, 0), HTooltipAction::Pop);
    EXPECT_EQ(state.Update(boxes, lines, HPoint{2000, 2000}, 0), HTooltipAction::Remove);
    EXPECT_EQ(state.LastText(), "");
    EXPECT_EQ(state.Update(boxes, lines, p, 0), HTooltipAction::Add);
    // Any button or modifier hides the tip.
    for (int32_t flag :
         {kMouseFlagLeft, kMouseFlagRight, kMouseFlagMiddle, kMouseFlagShift, kMouseFlagCtrl}) {
        EXPECT_EQ(state.Update(boxes, lines, p, flag, &text), HTooltipAction::Remove) << flag;
        EXPECT_EQ(text, "");
    }
}

class RecordingUi : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon icon,
                          HMsgButtons) override {
        messages.push_back(caption + ":" + text);
        errorIcon = errorIcon && icon == HMsgIcon::Error;
        return HMsgAnswer::Ok;
    }
    std::vector<std::string> messages;
    bool errorIcon = true;
};

class CanvasMenuDropTest : public ::testing::Test {
protected:
    void SetUp() override { SetUiPort(&ui); }
    void TearDown() override { SetUiPort(nullptr); }
    int Drop(const std::vector<std::string>& paths) {
        return DropFiles(paths, [this](const std::string& path) {
            opened.push_back(path);
            return 1;
        });
    }
    RecordingUi ui;
    std::vector<std::string> opened;
};

TEST_F(CanvasMenuDropTest, DocumentsOpenOthersGetTheMessage) {
    const struct {
        std::string path;
        int opens;
    } cases[] = {
        {"/home/u/plan.zvk", 1}, {"/home/u/PLAN.ZVK", 1},     {"/home/u/plan.Zvk", 1},
        {"/home/u/memo.txt", 0}, {"/home/u/plan.zvk.bak", 0}, {"/home/u.zvk/plan", 0},
        {"/home/u/zvk", 0},      {"/home/u/計画.zvk", 1},
    };
    for (const auto& c : cases) {
        opened.clear();
        ui.messages.clear();
        EXPECT_EQ(Drop({c.path}), c.opens) << c.path;
        EXPECT_EQ(opened.size(), static_cast<std::size_t>(c.opens)) << c.path;
        EXPECT_EQ(ui.messages.size(), static_cast<std::size_t>(1 - c.opens)) << c.path;
    }
    ui.messages.clear();
    Drop({"/tmp/memo.txt"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "Zarvik:ドロップしたファイル「/tmp/memo.txt」\r\nの形式には対応していません。\r\n"
              "ZVK形式のファイルのみ読込可能です。");
    EXPECT_TRUE(ui.errorIcon);
}

TEST_F(CanvasMenuDropTest, OnlyTheFirstFileCounts) {
    EXPECT_EQ(Drop({"/a/one.txt", "/a/two.zvk", "/a/three.zvk"}), 0);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Drop({"/a/one.zvk", "/a/two.txt"}), 1);
    EXPECT_EQ(opened, (std::vector<std::string>{"/a/one.zvk"}));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Drop({}), 0);
}

TEST_F(CanvasMenuDropTest, LongPathsAreIgnoredCountingCharacters) {
    const std::string longest = "/" + std::string(254, 'a') + ".zvk";  // 259 characters
    EXPECT_EQ(Drop({longest}), 1);
    EXPECT_EQ(Drop({"/" + std::string(255, 'a') + ".zvk"}), 0);
    EXPECT_EQ(Drop({"/" + std::string(255, 'a') + ".txt"}), 0);
    EXPECT_TRUE(ui.messages.empty());
    // 85 three-byte characters are 255 bytes but only 85 characters.
    std::string japanese = "/";
    for (int i = 0; i < 85; ++i) {
        japanese += "計";
    }
    EXPECT_EQ(Drop({japanese + ".zvk"}), 1);
    EXPECT_EQ(opened.size(), 2u);
}

}  // namespace
}  // namespace zarvik
