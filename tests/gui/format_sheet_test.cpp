// The "書式設定" sheets: the drawing page edits a copy, OK hands it to the document as one
// step, and the canvas and the previews paint what was chosen.

#include "gui/sheets/format_sheets.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/command/command_ids.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/records/format_sheet.h"
#include "dialog_events.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"
#include "gui/sheets/color_field.h"
#include "gui/sheets/draw_info_page.h"
#include "gui/sheets/item_previews.h"
#include "gui/sheets/item_sheet.h"
#include "gui/sheets/pen_width_box.h"
#include "gui_test_support.h"
#include "sheet_test_support.h"

namespace zarvik::gui {
namespace {

using namespace test_events;
using sheet_support::ActiveSheet;

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kMagenta(255, 0, 255);

CDlgSubItemDrawInfo* DrawPage(HItemSheet* sheet, int id) {
    return qobject_cast<CDlgSubItemDrawInfo*>(sheet->Page(id));
}

int CountOf(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

// The top edge of the box as the canvas shows it.
QImage TopEdge(HMainWindow& window, const HItemObject& box) {
    EXPECT_EQ((HPoint{0, 0}), window.Canvas().ToCanvas(QPoint(0, 0)));
    return window.Canvas().viewport()->grab().toImage().copy(box.position.x + 1, box.position.y,
                                                             box.size.cx - 2, 1);
}

TEST(FormatSheet, DrawingPageEditsPaintOnTheCanvasAndCtrlZRestores) {
    HItemSheet::ForgetRects();
    HMainWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* canvas = window.Canvas().viewport();
    CZarvikDoc& doc = window.Document();
    window.Action(kCmdPlaceFile)->trigger();
    gui_support::Click(canvas, QPoint(40, 40));
    auto* box = dynamic_cast<HItemObject*>(doc.Boxes().Head());
    ASSERT_NE(nullptr, box);
    gui_support::Click(canvas, QPoint(box->position.x + 10, box->position.y + 10));
    ASSERT_EQ(1, box->Selected());
    doc.MarkSaved();
    const auto steps = doc.History().Count();

    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(QStringLiteral("書式設定"), sheet->windowTitle());
        EXPECT_EQ(QStringLiteral("描画"), sheet->Tabs().tabText(0));
        CDlgSubItemDrawInfo* page = DrawPage(sheet, kPageDrawInfo);
        ASSERT_NE(nullptr, page);
        TypeOver(&page->PenColor().Edit(), QStringLiteral("ff0000"));
        Key(&page->PenStyle(), Qt::Key_Down);
        EXPECT_EQ(QStringLiteral("破線"), page->PenStyle().currentText());
        TypeOver(&page->FillColor().Edit(), QStringLiteral("00FF00"));
        Click(&sheet->OkButton());
    });
    QTest::keyClick(&window.Canvas(), Qt::Key_F, Qt::ControlModifier);

    box = dynamic_cast<HItemObject*>(doc.Boxes().Head());
    EXPECT_EQ((HLogPen{kPenDash, {0, 0}, Rgb(255, 0, 0)}), box->penNormal);
    EXPECT_TRUE(doc.IsChanged());
    EXPECT_EQ(steps + 1, doc.History().Count());
    box->SetSelected(0);  // the selection outline would cover the edge
    window.Canvas().Redraw();
    const QImage edge = TopEdge(window, *box);
    const int red = CountOf(edge, kRed);
    EXPECT_GT(red, 10);
    EXPECT_LT(red, edge.width() - 10);  // dashed
    EXPECT_EQ(kGreen, window.Canvas().viewport()->grab().toImage().pixelColor(box->position.x + 4,
                                                                              box->position.y + 4));

    window.activateWindow();  // the offscreen platform does not give it back by itself
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    box = dynamic_cast<HItemObject*>(doc.Boxes().Head());
    EXPECT_EQ(kPenSolid, box->penNormal->style);
    EXPECT_NE(Rgb(0, 255, 0), box->brush->color);
    EXPECT_FALSE(doc.IsChanged());
    box->SetSelected(0);
    window.Canvas().Redraw();
    EXPECT_EQ(0, CountOf(TopEdge(window, *box), kRed));
}

class FormatSheetPages : public ::testing::Test {
protected:
    void SetUp() override {
        HItemSheet::ForgetRects();
        auto file = std::make_unique<HItemFile>();
        file->penSelected = SolidPen(1, Rgb(255, 0, 255));
        file->penGuide = SolidPen(1, Rgb(0, 0, 0));
        doc.AddItem(std::move(file));
        doc.RecordStep();
    }
    void TearDown() override { HItemSheet::ForgetRects(); }

    HItemFile* File() { return dynamic_cast<HItemFile*>(doc.Boxes().Head()); }

    CZarvikDoc doc;
};

TEST_F(FormatSheetPages, WidthStepsStyleEnablingShortColourTextAndTheLabelPagesOnOneCopy) {
    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        CDlgSubItemDrawInfo* page = DrawPage(sheet, kPageDrawInfo);
        HPenWidthBox& width = page->PenWidth();
        QLineEdit* widthEdit = width.findChild<QLineEdit*>();
        EXPECT_EQ(QStringLiteral("1"), widthEdit->text());  // the default width 0
        TypeOver(widthEdit, QStringLiteral("3"));
        EXPECT_FALSE(page->PenStyle().isEnabled());
        Key(&width, Qt::Key_Down);
        EXPECT_FALSE(page->PenStyle().isEnabled());
        Key(&width, Qt::Key_Down);
        EXPECT_TRUE(page->PenStyle().isEnabled());
        Key(&width, Qt::Key_Down);
        EXPECT_EQ(QStringLiteral("1"), widthEdit->text());
        TypeOver(&page->PenColor().Edit(), QStringLiteral("ff00f"));

        EXPECT_EQ(QStringLiteral("フォント"), sheet->Tabs().tabText(1));
        EXPECT_EQ(QStringLiteral("配置"), sheet->Tabs().tabText(2));
        ASSERT_TRUE(sheet->SelectPage(kPageTextPlacement));
        auto* wrap = sheet->Page(kPageTextPlacement)->findChild<QCheckBox*>("wordBreakCheck");
        QTest::mouseClick(wrap, Qt::LeftButton, {}, QPoint(8, wrap->height() / 2));
        Click(&sheet->OkButton());
    });
    EXPECT_EQ(1, RunBoxFormatSheet(doc, *File(), nullptr));
    EXPECT_EQ((HLogPen{kPenSolid, {1, 0}, Rgb(0, 0, 0)}), File()->penNormal);
    EXPECT_EQ(kDefaultTextFormat | kDtWordBreak, File()->text.textFormat);
}

TEST_F(FormatSheetPages, TheSelectedPenShowsSelectedWithoutFillAndCancelKeepsTheBox) {
    const auto steps = doc.History().Count();
    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        sheet->resize(500, 300);
        CDlgSubItemDrawInfo* page = DrawPage(sheet, kPageDrawInfo);
        QWidget& preview = page->Preview();
        EXPECT_EQ(0, CountOf(preview.grab().toImage(), kMagenta));
        EXPECT_TRUE(page->FillColor().isEnabled());

        Key(&page->PenSelector(), Qt::Key_Down);
        EXPECT_EQ(QStringLiteral("選択"), page->PenSelector().currentText());
        EXPECT_FALSE(page->FillColor().isEnabled());
        EXPECT_EQ(QStringLiteral("FF00FF"), page->PenColor().Edit().text());
        EXPECT_GT(CountOf(preview.grab().toImage(), kMagenta), 100);  // the selection outline
        TypeOver(&page->PenColor().Edit(), QStringLiteral("00FF00"));
        Click(&sheet->CancelButton());
    });
    EXPECT_EQ(0, RunBoxFormatSheet(doc, *File(), nullptr));
    EXPECT_EQ(SolidPen(1, Rgb(255, 0, 255)), File()->penSelected);
    EXPECT_EQ(steps, doc.History().Count());
}

TEST_F(FormatSheetPages, TheLineSheetFillsTheArrowheads) {
    doc.AddItem(std::make_unique<HItemOther>());
    auto line = std::make_unique<HItemLine>();
    line->fromItem = File();
    line->toItem = dynamic_cast<HItemObject*>(doc.Boxes().Tail());
    HItemLine* raw = line.get();
    doc.Lines().Append(std::move(line));
    QTimer::singleShot(0, [] {
        HItemSheet* sheet = ActiveSheet();
        ASSERT_NE(nullptr, sheet);
        CDlgSubItemDrawInfo* page = DrawPage(sheet, kPageLineDrawInfo);
        ASSERT_NE(nullptr, page);
        EXPECT_NE(nullptr, qobject_cast<CDlgCtlItemLineImage*>(&page->Preview()));
        EXPECT_EQ(QStringLiteral("外枠（通常）"), page->PenSelector().itemText(0));
        TypeOver(&page->FillColor().Edit(), QStringLiteral("0000FF"));
        Click(&sheet->OkButton());
    });
    EXPECT_EQ(1, RunLineFormatSheet(doc, *raw, nullptr));
    EXPECT_EQ(SolidBrush(Rgb(0, 0, 255)), raw->brush);
}

}  // namespace
}  // namespace zarvik::gui
