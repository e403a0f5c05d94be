#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/fp/info_col.h"
#include "core/items/draw_list.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/ui_port.h"

namespace zarvik {
namespace {

// The number in brackets of a default name such as "ファイル[12]"; -1 when there is none.
int NameNumber(const std::string& name) {
    const auto open = name.find('[');
    const auto close = name.find(']', open);
    if (open == std::string::npos || close == std::string::npos) {
        return -1;
    }
    return std::stoi(name.substr(open + 1, close - open - 1));
}

std::string NamePrefix(const std::string& name) {
    return name.substr(0, name.find('['));
}

HItemLine* AddLine(HDrawList& lines, HItemObject& from, HItemObject& to) {
    auto line = std::make_unique<HItemLine>();
    line->fromItem = &from;
    line->toItem = &to;
    HItemLine* raw = line.get();
    lines.Append(std::move(line));
    return raw;
}

void AddDets(HItemFile& file, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        file.detList.push_back(HInfoCol{&file, name, "", 0});
    }
}

int CountDetsOwnedBy(const HInfoTask& task, const HInfoFile* owner) {
    int n = 0;
    for (const HInfoCol& entry : task.ListDets()) {
        n += entry.owner == owner ? 1 : 0;
    }
    return n;
}

// Starts a box drag the way the canvas does: the origin is the current geometry.
void StartDrag(HItemObject& item) {
    item.dragOrigin = item.position;
    item.dragOriginSize = item.size;
}

TEST(ItemNumbering, ConsecutiveIdsAndPerKindNameNumbers) {
    SetItemIdCounter(40);
    HItemFile file;
    HItemTask task;
    EXPECT_EQ(file.id, 40);
    EXPECT_EQ(task.id, 41);
    EXPECT_EQ(ItemIdCounter(), 42);
    EXPECT_EQ(NamePrefix(file.name), "ファイル");
    EXPECT_EQ(NamePrefix(task.name), "ﾄﾗﾝｻﾞｸｼｮﾝ");

    // Each kind counts its own names: another transaction does not advance the data
    // function numbers.
    const int fileNumber = NameNumber(file.name);
    const int taskNumber = NameNumber(task.name);
    HItemTask task2;
    HItemFile file2;
    EXPECT_EQ(NameNumber(task2.name), taskNumber + 1);
    EXPECT_EQ(file2.name, "ファイル[" + std::to_string(fileNumber + 1) + "]");
}

TEST(ItemNumbering, DiscardedItemsAndLinesUseUpNumbers) {
    const int32_t idBefore = ItemIdCounter();
    const int first = NameNumber(HItemFile().name);
    { HItemFile pending; }  // the pending item of a tool chosen and then abandoned
    HItemLine line;         // lines take ids but no name numbers
    HItemMouseCursor cursor;
    HItemFile placed;
    EXPECT_EQ(NameNumber(placed.name), first + 2);
    EXPECT_EQ(line.id, idBefore + 2);
    EXPECT_EQ(cursor.id, idBefore + 3);
    EXPECT_EQ(placed.id, idBefore + 4);
    EXPECT_EQ(ItemIdCounter(), idBefore + 5);

    const int32_t taken = TakeNameNumber(kKindFile);
    EXPECT_EQ(taken, first + 3);
    EXPECT_EQ(NameNumber(HItemFile().name), first + 4);
    // Codes without a name counter give 0 and disturb nothing.
    EXPECT_EQ(TakeNameNumber(kKindLine), 0);
    EXPECT_EQ(TakeNameNumber(kKindCore), 0);
    EXPECT_EQ(NameNumber(HItemFile().name), first + 5);
}

struct KindExpectation {
    int32_t kind;
    const char* namePrefix;
    const char* keyPrefix;
    HSize size;
    HSize minSize;
    int32_t freePoint;
    HLogPen penNormal;
};

TEST(ItemKinds, DefaultsOfEveryBoxKind) {
    const HLogPen blue = SolidPen(0, Rgb(0, 0, 255));
    const KindExpectation table[] = {
        {kKindFile, "ファイル", "FILE_", {100, 50}, {30, 30}, 0, blue},
        {kKindTask, "ﾄﾗﾝｻﾞｸｼｮﾝ", "TASK_", {100, 100}, {30, 30}, 0, blue},
        {kKindOther, "外部モジュール", "Other_", {100, 50}, {30, 30}, 0, blue},
        {kKindBorder, "アプリケーション境界", "Border_", {100, 100}, {30, 30}, 0, blue},
        {kKindFunction,
         "機能",
         "Function_",
         {100, 100},
         {30, 30},
         1,
         SolidPen(2, Rgb(128, 0, 128))},
        {kKindView, "画面", "View_", {50, 50}, {50, 50}, 0, SolidPen(1, Rgb(128, 128, 255))},
        {kKindImageBox, "画像", "ImageBox_", {100, 100}, {30, 30}, 1, blue},
    };
    for (const KindExpectation& e : table) {
        SCOPED_TRACE(e.kind);
        std::unique_ptr<HItemObject> item = MakeBoxItem(e.kind);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->kind, e.kind);
        EXPECT_EQ(NamePrefix(item->Record()->name), e.namePrefix);
        EXPECT_GE(NameNumber(item->Record()->name), 0);
        EXPECT_EQ(item->size, e.size);
        EXPECT_EQ(item->minSize, e.minSize);
        EXPECT_EQ(item->text.freePoint, e.freePoint);
        EXPECT_EQ(item->penNormal, e.penNormal);
        EXPECT_EQ(item->penSelected, SolidPen(0, Rgb(0, 128, 128)));
        EXPECT_EQ(item->penGuide, SolidPen(0, Rgb(0, 255, 0)));
        EXPECT_EQ(item->brush, SolidBrush(Rgb(255, 255, 255)));
        item->id = 7;
        EXPECT_EQ(item->GetSectionKey(), std::string(e.keyPrefix) + "007");
        // Both views of the one object reach each other.
        EXPECT_EQ(ItemOf(item->Record()), item.get());
        EXPECT_EQ(item->Attributes(), static_cast<HInfoItemCore*>(item.get()));
    }
    EXPECT_EQ(MakeBoxItem(kKindCore), nullptr);
    EXPECT_EQ(MakeBoxItem(kKindLine), nullptr);
    EXPECT_EQ(MakeBoxItem(108), nullptr);
}

TEST(ItemKinds, LinesCursorAndUnknownKinds) {
    HItemLine line;
    line.id = 12;
    EXPECT_EQ(line.GetSectionKey(), "LINE_012");
    EXPECT_EQ(line.Record(), nullptr);
    EXPECT_NE(line.Attributes(), nullptr);

    HItemMouseCursor cursor;
    cursor.id = 3;
    EXPECT_EQ(cursor.kind, kKindCore);
    EXPECT_EQ(cursor.GetSectionKey(), "Unknown_003");
    EXPECT_EQ(cursor.Record(), nullptr);
    HRect bound{1, 2, 3, 4};
    EXPECT_EQ(cursor.GetBoundRect(bound), 1);
    EXPECT_EQ(bound, (HRect{0, 0, 0, 0}));
    cursor.kind = 150;
    EXPECT_EQ(cursor.GetSectionKey(), "");
}

TEST(ItemHitTest, BoxEdgesAndHandleSquares) {
    HItemFile file;
    file.position = {100, 100};  // box (100, 100) to (200, 150)

    // Body: every edge inclusive.
    EXPECT_EQ(file.HitTest({100, 100}), kHitBody);
    EXPECT_EQ(file.HitTest({200, 150}), kHitBody);
    EXPECT_EQ(file.HitTest({201, 120}), 0);
    EXPECT_EQ(file.HitTest({150, 151}), 0);
    EXPECT_EQ(file.HitTest({99, 120}), 0);

    // Unselected: the handle positions give no handle bits.
    EXPECT_EQ(file.HitTest({150, 96}), 0);
    EXPECT_EQ(file.HitTest({150, 100}), kHitBody);
    EXPECT_EQ(file.HitTest({204, 125}), 0);

    file.SetSelected(1);
    // Top handle centred (150, 100): x 145..154, y 95..104.
    EXPECT_EQ(file.HitTest({145, 95}), kHitTop);
    EXPECT_EQ(file.HitTest({154, 104}), kHitTop | kHitBody);
    EXPECT_EQ(file.HitTest({155, 98}), 0);
    EXPECT_EQ(file.HitTest({144, 98}), 0);
    EXPECT_EQ(file.HitTest({150, 105}), kHitBody);
    // Bottom handle centred (150, 150).
    EXPECT_EQ(file.HitTest({150, 154}), kHitBottom);
    EXPECT_EQ(file.HitTest({150, 155}), 0);
    EXPECT_EQ(file.HitTest({150, 150}), kHitBottom | kHitBody);
    // Left handle centred (100, 125).
    EXPECT_EQ(file.HitTest({95, 125}), kHitLeft);
    EXPECT_EQ(file.HitTest({94, 125}), 0);
    // Right handle centred (200, 125).
    EXPECT_EQ(file.HitTest({204, 125}), kHitRight);
    EXPECT_EQ(file.HitTest({205, 125}), 0);
    EXPECT_EQ(file.HitTest({195, 120}), kHitRight | kHitBody);

    // An odd side: the handle centres use truncated halves.
    file.size = {31, 31};  // centres at x 115, y 115
    EXPECT_EQ(file.HitTest({110, 96}), kHitTop);
    EXPECT_EQ(file.HitTest({109, 96}), 0);
}

TEST(ItemHitTest, TransactionBodyIsTheEllipse) {
    HItemTask task;
    task.position = {0, 0};  // 100 x 100: a circle of radius 50 around (50, 50)
    EXPECT_EQ(task.HitTest({50, 50}), kHitBody);
    EXPECT_EQ(task.HitTest({50, 0}), kHitBody);
    EXPECT_EQ(task.HitTest({100, 50}), kHitBody);
    EXPECT_EQ(task.HitTest({15, 15}), kHitBody);  // 0.98 of the radius squared
    EXPECT_EQ(task.HitTest({14, 14}), 0);         // inside the box, outside the ellipse
    EXPECT_EQ(task.HitTest({5, 5}), 0);
    EXPECT_EQ(task.HitTest({99, 99}), 0);

    task.size = {200, 100};  // a = 100, b = 50
    EXPECT_EQ(task.HitTest({199, 50}), kHitBody);
    EXPECT_EQ(task.HitTest({100, 99}), kHitBody);
    EXPECT_EQ(task.HitTest({180, 90}), 0);

    task.SetSelected(1);
    EXPECT_EQ(task.HitTest({100, -4}), kHitTop);
    EXPECT_EQ(task.HitTest({0, 50}), kHitLeft | kHitBody);
}

TEST(ItemHitTest, FreePointLabelHitAndBoundRect) {
    HItemFunction function;
    function.Record()->name = "AB";
    function.position = {100, 100};
    function.text.font->height = -20;  // fixed metrics: 10 units a byte, 20 a line
    function.text.labelOffset = {0, -40};
    // The label stands from (100, 60) to (120, 80).
    EXPECT_EQ(function.HitTest({100, 60}), kHitLabel);
    EXPECT_EQ(function.HitTest({119, 79}), kHitLabel);
    EXPECT_EQ(function.HitTest({120, 70}), 0);
    EXPECT_EQ(function.HitTest({110, 80}), 0);

    HRect bound;
    EXPECT_EQ(function.GetBoundRect(bound), 1);
    EXPECT_EQ(bound, (HRect{95, 60, 205, 205}));

    function.text.labelOffset = {150, 10};  // (250, 110) to (270, 130)
    function.GetBoundRect(bound);
    EXPECT_EQ(bound, (HRect{95, 95, 270, 205}));

    // Without the free point the label is no separate part.
    function.text.freePoint = 0;
    EXPECT_EQ(function.HitTest({255, 115}), 0);
    function.GetBoundRect(bound);
    EXPECT_EQ(bound, (HRect{95, 95, 205, 205}));

    // Where the label overlaps the box both bits are set.
    function.text.freePoint = 1;
    function.text.labelOffset = {0, 0};
    EXPECT_EQ(function.HitTest({105, 105}), kHitLabel | kHitBody);
}

TEST(ItemDragPart, MinimumSizeRefusalsAndFixedEdges) {
    HDrawList noLines;
    HItemFile file;  // 100 x 50, minimum 30 x 30
    file.position = {10, 20};
    StartDrag(file);

    EXPECT_EQ(file.DragPart(kHitRight, {-71, 0}, noLines), 0);
    EXPECT_EQ(file.size, (HSize{100, 50}));
    EXPECT_EQ(file.DragPart(kHitRight, {-70, 0}, noLines), 1);
    EXPECT_EQ(file.size, (HSize{30, 50}));
    EXPECT_EQ(file.position, (HPoint{10, 20}));
    // Deltas run from the drag origin, not from the last accepted step.
    EXPECT_EQ(file.DragPart(kHitRight, {20, 0}, noLines), 1);
    EXPECT_EQ(file.size.cx, 120);

    StartDrag(file);
    EXPECT_EQ(file.DragPart(kHitBottom, {0, -21}, noLines), 0);
    EXPECT_EQ(file.DragPart(kHitBottom, {0, -20}, noLines), 1);
    EXPECT_EQ(file.size, (HSize{120, 30}));

    // Top: the bottom edge stays at 70 through a sequence of drag steps.
    file.size = {100, 50};
    StartDrag(file);
    EXPECT_EQ(file.DragPart(kHitTop, {0, 10}, noLines), 1);
    EXPECT_EQ(file.position.y, 30);
    EXPECT_EQ(file.size.cy, 40);
    EXPECT_EQ(file.DragPart(kHitTop, {0, -15}, noLines), 1);
    EXPECT_EQ(file.position.y, 5);
    EXPECT_EQ(file.position.y + file.size.cy, 70);
    EXPECT_EQ(file.DragPart(kHitTop, {0, 21}, noLines), 0);
    EXPECT_EQ(file.position.y, 5);
    EXPECT_EQ(file.DragPart(kHitTop, {0, 20}, noLines), 1);
    EXPECT_EQ(file.size.cy, 30);
    EXPECT_EQ(file.position.y + file.size.cy, 70);

    // Left: the right edge stays at 110.
    StartDrag(file);
    EXPECT_EQ(file.DragPart(kHitLeft, {-25, 0}, noLines), 1);
    EXPECT_EQ(file.position.x, -15);
    EXPECT_EQ(file.position.x + file.size.cx, 110);
    EXPECT_EQ(file.DragPart(kHitLeft, {71, 0}, noLines), 0);
    EXPECT_EQ(file.position.x, -15);
    EXPECT_EQ(file.DragPart(kHitLeft, {70, 0}, noLines), 1);
    EXPECT_EQ(file.size.cx, 30);
    EXPECT_EQ(file.position.x + file.size.cx, 110);
}

TEST(ItemDragPart, ScreenStaysAtLeastFiftySquare) {
    HDrawList noLines;
    HItemView view;
    StartDrag(view);
    EXPECT_EQ(view.DragPart(kHitRight, {-1, 0}, noLines), 0);
    EXPECT_EQ(view.DragPart(kHitBottom, {0, -1}, noLines), 0);
    EXPECT_EQ(view.DragPart(kHitTop, {0, 1}, noLines), 0);
    EXPECT_EQ(view.DragPart(kHitLeft, {1, 0}, noLines), 0);
    EXPECT_EQ(view.size, (HSize{50, 50}));
    EXPECT_EQ(view.position, (HPoint{0, 0}));
    EXPECT_EQ(view.DragPart(kHitRight, {0, 0}, noLines), 1);
    EXPECT_EQ(view.DragPart(kHitBottom, {0, 10}, noLines), 1);
    EXPECT_EQ(view.size, (HSize{50, 60}));
}

TEST(ItemDragPart, LabelAndUnknownCodes) {
    HDrawList noLines;
    HItemFunction function;
    function.text.labelDragStart = {5, -20};
    function.text.labelOffset = {99, 99};
    EXPECT_EQ(function.DragPart(kHitLabel, {-300, 7}, noLines), 1);
    EXPECT_EQ(function.text.labelOffset, (HPoint{-295, -13}));

    StartDrag(function);
    for (int32_t code : {0, kHitBody, kHitLineFrom, kHitLineTo, kHitTop | kHitLeft, 4096}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(function.DragPart(code, {10, 10}, noLines), 0);
    }
    EXPECT_EQ(function.size, (HSize{100, 100}));
    EXPECT_EQ(function.position, (HPoint{0, 0}));
}

TEST(ItemDragPart, ImageKeepsPictureRatio) {
    HDrawList noLines;
    HItemImageBox image;
    HBitmap picture;
    picture.header.width = 200;
    picture.header.height = 100;
    image.picture = picture;
    ASSERT_EQ(image.keepRatio, 1);

    StartDrag(image);  // 100 x 100
    EXPECT_EQ(image.DragPart(kHitBottom, {0, -20}, noLines), 1);
    EXPECT_EQ(image.size, (HSize{160, 80}));

    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitRight, {-59, 0}, noLines), 1);  // width 101: 50.5 rounds up
    EXPECT_EQ(image.size, (HSize{101, 51}));

    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitTop, {0, 11}, noLines), 1);  // height 40
    EXPECT_EQ(image.size, (HSize{80, 40}));
    EXPECT_EQ(image.position.y + image.size.cy, 51);

    // A refused drag is not adjusted either.
    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitBottom, {0, -11}, noLines), 0);
    EXPECT_EQ(image.size, (HSize{80, 40}));

    // Half units round up on either side.
    image.picture->header.width = 3;
    image.picture->header.height = 2;
    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitBottom, {0, 1}, noLines), 1);  // height 41: width 61.5
    EXPECT_EQ(image.size, (HSize{62, 41}));

    // The adjustment may go below the minimum size.
    image.picture->header.width = 1000;
    image.picture->header.height = 10;
    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitRight, {38, 0}, noLines), 1);
    EXPECT_EQ(image.size, (HSize{100, 1}));

    // Without keep-ratio or without a picture only the dragged side changes.
    image.size = {100, 100};
    image.keepRatio = 0;
    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitBottom, {0, -20}, noLines), 1);
    EXPECT_EQ(image.size, (HSize{100, 80}));
    image.keepRatio = 1;
    image.picture.reset();
    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitRight, {-20, 0}, noLines), 1);
    EXPECT_EQ(image.size, (HSize{80, 80}));
}

TEST(ItemDragPart, TallImageOfAThinPictureStopsAtTheCoordinateLimit) {
    HDrawList noLines;
    HItemImageBox image;
    HBitmap picture;
    picture.header.width = 16384;
    picture.header.height = 1;
    image.picture = picture;
    image.size = {30, 200000};
    StartDrag(image);
    EXPECT_EQ(image.DragPart(kHitBottom, {0, 1}, noLines), 1);
    EXPECT_EQ(image.size, (HSize{kCoordinateLimit, 200001}));
}

TEST(ItemDragPart, HandlesStopAtTheCoordinateLimit) {
    HDrawList noLines;
    HItemFile file;
    file.size = {kCoordinateLimit, kCoordinateLimit};
    StartDrag(file);
    EXPECT_EQ(file.DragPart(kHitRight, {11, 0}, noLines), 1);
    EXPECT_EQ(file.DragPart(kHitBottom, {0, 11}, noLines), 1);
    EXPECT_EQ(file.size, (HSize{kCoordinateLimit, kCoordinateLimit}));
    // The near edges stop where the box is as large as it may be; the far edges stay.
    EXPECT_EQ(file.DragPart(kHitLeft, {-11, 0}, noLines), 1);
    EXPECT_EQ(file.DragPart(kHitTop, {0, -11}, noLines), 1);
    EXPECT_EQ(file.position, (HPoint{0, 0}));
    EXPECT_EQ(file.size, (HSize{kCoordinateLimit, kCoordinateLimit}));

    file.size = {100, 100};
    StartDrag(file);
    EXPECT_EQ(file.DragPart(kHitLeft, {-2 * kCoordinateLimit, 0}, noLines), 1);
    EXPECT_EQ(file.position.x, -kCoordinateLimit + 100);
    EXPECT_EQ(file.size.cx, kCoordinateLimit);
    file.text.labelDragStart = {kCoordinateLimit, 0};
    EXPECT_EQ(file.DragPart(kHitLabel, {kCoordinateLimit, 0}, noLines), 1);
    EXPECT_EQ(file.text.labelOffset.x, kCoordinateLimit);
}

class ItemLinks : public ::testing::Test {
protected:
    void SetUp() override {
        AddDets(customer, {"顧客番号", "氏名"});
        AddDets(order, {"受注番号"});
        for (HItemTask* task : {&entry, &inquiry}) {
            task->lineList = &lines;
        }
    }
    void Refresh() {
        entry.UpdateLinks();
        inquiry.UpdateLinks();
    }

    HItemFile customer;
    HItemFile order;
    HItemTask entry;
    HItemTask inquiry;
    HItemOther other;
    HDrawList lines;
};

TEST_F(ItemLinks, GetLinkedFileOnlyForFileAtTheOtherEnd) {
    HItemLine* fileToTask = AddLine(lines, customer, entry);
    HItemLine* taskToFile = AddLine(lines, entry, order);
    HItemLine* taskToTask = AddLine(lines, entry, inquiry);
    HItemLine* taskToOther = AddLine(lines, entry, other);
    HItemLine* elsewhere = AddLine(lines, customer, inquiry);
    EXPECT_EQ(entry.GetLinkedFile(*fileToTask), &customer);
    EXPECT_EQ(entry.GetLinkedFile(*taskToFile), &order);
    EXPECT_EQ(entry.GetLinkedFile(*taskToTask), nullptr);
    EXPECT_EQ(entry.GetLinkedFile(*taskToOther), nullptr);
    EXPECT_EQ(entry.GetLinkedFile(*elsewhere), nullptr);

    Refresh();
    ASSERT_EQ(entry.ftrList.size(), 2u);
    EXPECT_EQ(entry.ftrList[0], &customer);
    EXPECT_EQ(entry.ftrList[1], &order);
    EXPECT_EQ(entry.ListDets().size(), 3u);
    ASSERT_EQ(inquiry.ftrList.size(), 1u);
    EXPECT_EQ(inquiry.ftrList[0], &customer);

    // Without its line list a transaction keeps what it has.
    entry.lineList = nullptr;
    entry.UpdateLinks();
    EXPECT_EQ(entry.ftrList.size(), 2u);
}

TEST_F(ItemLinks, RemovingTaskToFileLineForgetsThatFile) {
    AddLine(lines, customer, entry);
    HItemLine* second = AddLine(lines, entry, customer);  // the same file twice
    AddLine(lines, order, entry);
    Refresh();
    ASSERT_EQ(entry.ftrList.size(), 3u);
    ASSERT_EQ(CountDetsOwnedBy(entry, &customer), 4);

    second->SetSelected(1);
    EXPECT_EQ(lines.RemoveSelected(), 1);
    EXPECT_EQ(lines.Count(), 2);
    // Every entry of that data function goes, the other file's stay.
    EXPECT_EQ(CountDetsOwnedBy(entry, &customer), 0);
    ASSERT_EQ(entry.ftrList.size(), 1u);
    EXPECT_EQ(entry.ftrList[0], &order);
    EXPECT_EQ(CountDetsOwnedBy(entry, &order), 1);
    // The data function itself is not changed.
    EXPECT_EQ(customer.detList.size(), 2u);
}

TEST_F(ItemLinks, RemovingOtherLinesChangesNothing) {
    AddLine(lines, customer, entry);
    AddLine(lines, order, inquiry);
    HItemLine* between = AddLine(lines, entry, inquiry);
    HItemLine* toOther = AddLine(lines, other, inquiry);
    Refresh();
    between->SetSelected(1);
    toOther->SetSelected(1);
    EXPECT_EQ(lines.RemoveSelected(), 1);
    EXPECT_EQ(lines.Count(), 2);
    ASSERT_EQ(entry.ftrList.size(), 1u);
    EXPECT_EQ(entry.ftrList[0], &customer);
    EXPECT_EQ(entry.ListDets().size(), 2u);
    ASSERT_EQ(inquiry.ftrList.size(), 1u);
    EXPECT_EQ(inquiry.ftrList[0], &order);
    EXPECT_EQ(inquiry.ListDets().size(), 1u);

    EXPECT_EQ(entry.OnLinkRemoved(nullptr), 1);
    EXPECT_EQ(entry.OnLinkRemoved(&other), 1);
    EXPECT_EQ(customer.OnLinkRemoved(&entry), 1);
    EXPECT_EQ(entry.ftrList.size(), 1u);
}

class RecordingUiPort : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon,
                          HMsgButtons) override {
        messages.push_back(caption + "|" + text);
        return HMsgAnswer::Ok;
    }
    std::vector<std::string> messages;
};

class ItemErrorBox : public ::testing::Test {
protected:
    void SetUp() override { SetUiPort(&port); }
    void TearDown() override { SetUiPort(nullptr); }
    RecordingUiPort port;
};

TEST_F(ItemErrorBox, MouseCursorHasNoOutline) {
    HItemFile file;
    HItemMouseCursor cursor;
    cursor.position = {40, 40};
    HPoint out{9, 9};
    EXPECT_EQ(cursor.GetPointOnObject({1, 2}, out), 0);
    EXPECT_EQ(out, (HPoint{0, 0}));
    out = {9, 9};
    EXPECT_EQ(cursor.GetShorcutPointOnObject({1, 2}, out), 0);
    EXPECT_EQ(out, (HPoint{0, 0}));
    const std::string report = "\r\nこのダイアログが表示された場合には連絡をお願いします";
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0], "Error|HItemObject::GetPointOnObject" + report);
    EXPECT_EQ(port.messages[1], "Error|HItemObject::GetShorcutPointOnObject" + report);

    // Dragging the free end of a line being drawn goes through the same slot.
    HItemLine line;
    line.fromItem = &file;
    line.toItem = &cursor;
    line.toOffset = {3, 4};
    EXPECT_EQ(line.DragEnd(kHitLineTo, {60, 60}), 0);
    EXPECT_EQ(line.toOffset, (HPoint{3, 4}));
    EXPECT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(line.RerouteEnds(), 0);
    EXPECT_EQ(line.toOffset, (HPoint{3, 4}));
    EXPECT_EQ(port.messages.size(), 4u);

    // A box end works and shows nothing.
    EXPECT_EQ(line.DragEnd(kHitLineFrom, {150, 20}), 1);
    EXPECT_EQ(line.fromOffset, (HPoint{100, 20}));
    EXPECT_EQ(port.messages.size(), 4u);
}

}  // namespace
}  // namespace zarvik
