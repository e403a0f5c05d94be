// The QPainter drawing context, checked by the colours it leaves at known pixels of a
// picture filled with a known colour beforehand.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "core/doc/flow_document.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/port/platform.h"
#include "draw/qt_draw_context.h"

namespace zarvik::gui {
namespace {

const QColor kGround(0, 128, 0);  // what the picture holds before drawing
const HColorRef kRed = Rgb(255, 0, 0);
const HColorRef kBlue = Rgb(0, 0, 255);

// A picture with a painter and a context on it.
struct Canvas {
    explicit Canvas(int width = 60, int height = 60, double scale = 1, QPointF origin = {})
        : image(width, height, QImage::Format_RGB32) {
        image.fill(kGround);
        painter = std::make_unique<QPainter>(&image);
        dc = std::make_unique<draw::HQtDrawContext>(*painter, scale, origin);
    }
    QColor At(int x, int y) {
        painter->end();
        const QColor color = image.pixelColor(x, y);
        painter->begin(&image);
        return color;
    }
    QImage Done() {
        painter->end();
        return image;
    }

    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<draw::HQtDrawContext> dc;
};

bool IsDark(const QColor& c) {
    return c.red() < 80 && c.green() < 80 && c.blue() < 80;
}

TEST(QtDrawContext, RectangleCoversLeftAndTopEdgesOnly) {
    {
        SCOPED_TRACE("1:1");
        Canvas canvas;
        canvas.dc->SelectBrush(HLogBrush{kBrushSolid, kRed, 0});
        canvas.dc->Rectangle({10, 10, 20, 20});
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(10, 10), Qt::black);  // outline, top left
        EXPECT_EQ(image.pixelColor(19, 19), Qt::black);  // outline, bottom right
        EXPECT_EQ(image.pixelColor(20, 15), kGround);
        EXPECT_EQ(image.pixelColor(15, 20), kGround);
        EXPECT_EQ(image.pixelColor(9, 15), kGround);
        EXPECT_EQ(image.pixelColor(15, 15), QColor(255, 0, 0));
    }
    {
        SCOPED_TRACE("scale 2, origin (5, 5), edges swapped");
        Canvas canvas(60, 60, 2, QPointF(5, 5));
        canvas.dc->Rectangle({20, 20, 10, 10});  // device 10 to 30
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(10, 10), Qt::black);
        EXPECT_EQ(image.pixelColor(29, 29), Qt::black);
        EXPECT_EQ(image.pixelColor(30, 20), kGround);
        EXPECT_EQ(image.pixelColor(20, 30), kGround);
        EXPECT_EQ(image.pixelColor(20, 20), Qt::white);  // the stock white brush
    }
}

TEST(QtDrawContext, FillsAndOutlines) {
    {
        SCOPED_TRACE("no pen: one pixel less right and bottom");
        Canvas canvas;
        canvas.dc->SelectPen(HLogPen{kPenNull, {0, 0}, 0});
        canvas.dc->SelectBrush(HLogBrush{kBrushSolid, kBlue, 0});
        canvas.dc->Rectangle({10, 10, 20, 20});
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 255));
        EXPECT_EQ(image.pixelColor(18, 18), QColor(0, 0, 255));
        EXPECT_EQ(image.pixelColor(19, 15), kGround);
        EXPECT_EQ(image.pixelColor(15, 19), kGround);
    }
    {
        SCOPED_TRACE("hollow brush");
        Canvas canvas;
        canvas.dc->SelectBrush(HLogBrush{kBrushHollow, kBlue, 0});
        canvas.dc->Ellipse({10, 10, 40, 40});
        canvas.dc->RoundRect({0, 0, 50, 50}, {10, 10});
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(25, 25), kGround);
        EXPECT_TRUE(IsDark(image.pixelColor(25, 10)));  // top of the ellipse
        EXPECT_TRUE(IsDark(image.pixelColor(25, 0)));   // top of the rounded rectangle
        EXPECT_EQ(image.pixelColor(0, 0), kGround);     // its rounded corner
    }
    {
        SCOPED_TRACE("polygon filled odd-even");
        Canvas canvas;
        canvas.dc->SelectBrush(HLogBrush{kBrushSolid, kRed, 0});
        // Two squares, the second inside the first: the inner one is a hole.
        canvas.dc->Polygon({{0, 0},
                            {50, 0},
                            {50, 50},
                            {0, 50},
                            {0, 0},
                            {20, 20},
                            {30, 20},
                            {30, 30},
                            {20, 30},
                            {20, 20}});
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(5, 40), QColor(255, 0, 0));
        EXPECT_EQ(image.pixelColor(25, 25), kGround);
    }
    {
        SCOPED_TRACE("hatch over the white background");
        Canvas canvas;
        canvas.dc->SelectPen(HLogPen{kPenNull, {0, 0}, 0});
        canvas.dc->SelectBrush(HLogBrush{kBrushHatched, kRed, kHatchHorizontal});
        canvas.dc->Rectangle({0, 0, 41, 41});
        const QImage image = canvas.Done();
        int red = 0;
        int white = 0;
        for (int y = 0; y < 16; ++y) {
            red += image.pixelColor(20, y) == QColor(255, 0, 0);
            white += image.pixelColor(20, y) == Qt::white;
        }
        EXPECT_EQ(red, 2);
        EXPECT_EQ(white, 14);
    }
}

TEST(QtDrawContext, Lines) {
    {
        SCOPED_TRACE("one pixel, end point left out");
        Canvas canvas;
        canvas.dc->Line({5, 10}, {25, 10});
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(5, 10), Qt::black);
        EXPECT_EQ(image.pixelColor(15, 10), Qt::black);
        EXPECT_EQ(image.pixelColor(24, 10), Qt::black);
        EXPECT_EQ(image.pixelColor(25, 10), kGround);
        EXPECT_EQ(image.pixelColor(15, 11), kGround);
    }
    {
        SCOPED_TRACE("dashes of width 0 have white gaps, transparent ones none");
        Canvas canvas(60, 60, 3);
        canvas.dc->SelectPen(HLogPen{kPenDash, {0, 0}, 0});
        canvas.dc->Line({0, 2}, {20, 2});  // device row 6, 60 pixels: 18 on, 6 off
        canvas.dc->SetTransparentBackground();
        canvas.dc->Line({0, 4}, {20, 4});  // device row 12
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(10, 6), Qt::black);
        EXPECT_EQ(image.pixelColor(20, 6), Qt::white);
        EXPECT_EQ(image.pixelColor(30, 6), Qt::black);
        EXPECT_EQ(image.pixelColor(10, 12), Qt::black);
        EXPECT_EQ(image.pixelColor(20, 12), kGround);
    }
    {
        SCOPED_TRACE("a wide dashed pen draws solid and round-ended");
        Canvas canvas;
        canvas.dc->SelectPen(HLogPen{kPenDash, {6, 0}, kBlue});
        canvas.dc->Line({10, 30}, {50, 30});
        const QImage image = canvas.Done();
        for (int x = 10; x <= 50; x += 2) {
            EXPECT_EQ(image.pixelColor(x, 30), QColor(0, 0, 255)) << x;
        }
        EXPECT_EQ(image.pixelColor(30, 28), QColor(0, 0, 255));
        EXPECT_EQ(image.pixelColor(8, 30), QColor(0, 0, 255));  // round end past the point
        EXPECT_EQ(image.pixelColor(8, 27), kGround);            // but not a square one
    }
}

TEST(QtDrawContext, ClipReplacesAndLifts) {
    Canvas canvas;
    canvas.dc->SelectPen(HLogPen{kPenNull, {0, 0}, 0});
    canvas.dc->SelectBrush(HLogBrush{kBrushSolid, kRed, 0});
    canvas.dc->SetClip(HRect{0, 0, 5, 5});
    canvas.dc->SetClip(HRect{10, 10, 20, 20});
    canvas.dc->Rectangle({0, 0, 40, 40});
    EXPECT_EQ(canvas.At(2, 2), kGround);
    EXPECT_EQ(canvas.At(15, 15), QColor(255, 0, 0));
    EXPECT_EQ(canvas.At(20, 15), kGround);
    canvas.dc->SetClip(std::nullopt);
    canvas.dc->SelectBrush(HLogBrush{kBrushSolid, kBlue, 0});
    canvas.dc->Rectangle({0, 0, 40, 40});
    EXPECT_EQ(canvas.At(2, 2), QColor(0, 0, 255));
    EXPECT_EQ(canvas.At(30, 30), QColor(0, 0, 255));
}

TEST(QtDrawContext, TextBackgroundAndClip) {
    HLogFont font;
    font.height = -16;
    font.faceName = "ＭＳ ゴシック";
    for (const bool transparent : {false, true}) {
        SCOPED_TRACE(transparent);
        Canvas canvas(200, 60);
        canvas.dc->SelectFont(font);
        if (transparent) {
            canvas.dc->SetTransparentBackground();
        }
        HRect rect{0, 0, 200, 40};
        HRect measured = rect;
        canvas.dc->DrawText("iiiiii", measured, kDtCalcRect);
        ASSERT_LT(measured.right, 150);
        const int height = canvas.dc->DrawText("iiiiii", rect, kDtLeft);
        EXPECT_EQ(height, measured.bottom);
        const QImage image = canvas.Done();
        // Behind the cells of the text, and not right of them.
        EXPECT_EQ(image.pixelColor(0, 1), transparent ? kGround : QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(180, 5), kGround);
        EXPECT_EQ(image.pixelColor(5, height + 2), kGround);
    }
    {
        SCOPED_TRACE("text stays in its rectangle");
        Canvas canvas(200, 60);
        canvas.dc->SelectFont(font);
        HRect rect{0, 0, 20, 8};
        canvas.dc->DrawText("ＷＷＷＷＷＷＷＷ\nＷＷＷＷ", rect, kDtLeft);
        const QImage image = canvas.Done();
        for (int x = 20; x < 200; x += 3) {
            for (int y = 0; y < 40; y += 2) {
                ASSERT_EQ(image.pixelColor(x, y), kGround) << x << "," << y;
            }
        }
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(image.pixelColor(x, 9), kGround) << x;
        }
    }
}

// A screen context at 1:1, as the desktop's platform provides.
class ScreenPlatform : public HPlatform {
public:
    ScreenPlatform() : m_image(4, 4, QImage::Format_RGB32), m_painter(&m_image) {}
    HDrawContext& ScreenContext() const override { return m_context; }

private:
    QImage m_image;
    QPainter m_painter;
    mutable draw::HQtDrawContext m_context{m_painter, 1, {}};
};

TEST(QtDrawContext, MeasuresAsTheScreenWhateverTheScale) {
    ScreenPlatform platform;
    SetPlatform(&platform);
    HLogFont font;
    font.height = 20;  // cell height
    font.weight = kFontWeightBold;
    font.faceName = "ＭＳ Ｐゴシック";
    const std::string text = "受注 order entry\r\n&Save && close";
    HDrawContext& screen = Platform().ScreenContext();
    screen.SelectFont(font);
    for (const int32_t format :
         {kDtLeft, kDtWordBreak, kDtWordBreak | kDtEditControl, kDtNoPrefix}) {
        SCOPED_TRACE(format);
        HRect expected{10, 10, 70, 20};
        const int32_t height = screen.DrawText(text, expected, format | kDtCalcRect);
        Canvas canvas(100, 100, 2.5, QPointF(3, 7));
        canvas.dc->SelectFont(font);
        HRect rect{10, 10, 70, 20};
        EXPECT_EQ(canvas.dc->DrawText(text, rect, format | kDtCalcRect), height);
        EXPECT_EQ(rect, expected);
        EXPECT_EQ(expected.bottom - expected.top, height);
        const QImage image = canvas.Done();
        EXPECT_EQ(image.pixelColor(50, 50), kGround);  // measuring draws nothing
    }
    HRect cell{0, 0, 1000, 0};
    EXPECT_EQ(screen.DrawText("x", cell, kDtCalcRect), 20);
    HRect wrapped{0, 0, 1, 0};
    EXPECT_EQ(screen.DrawText("a b c", wrapped, kDtWordBreak | kDtCalcRect), 60);
    // A word wider than the rectangle breaks between characters only as an edit control.
    HRect word{0, 0, 30, 0};
    EXPECT_EQ(screen.DrawText("abcdefghij", word, kDtWordBreak | kDtCalcRect), 20);
    EXPECT_GT(word.right, 30);
    word = {0, 0, 30, 0};
    EXPECT_GT(screen.DrawText("abcdefghij", word, kDtWordBreak | kDtEditControl | kDtCalcRect), 40);
    EXPECT_LE(word.right, 30);
    HRect prefixed{0, 0, 0, 0};
    HRect plain{0, 0, 0, 0};
    screen.DrawText("&&x", prefixed, kDtCalcRect);
    screen.DrawText("&x", plain, kDtNoPrefix | kDtCalcRect);
    EXPECT_EQ(prefixed.right, plain.right);  // both draw "&x"
    SetPlatform(nullptr);
}

TEST(QtDrawContext, StretchBitmapQuadrants) {
    // 2 × 2 pixels, blue green red unused: red, green / blue, white.
    HBitmap bitmap;
    bitmap.header = {0, 2, 2, 8, 1, 32, 0};
    bitmap.bits = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    Canvas canvas(60, 60, 2);
    canvas.dc->StretchBitmap(bitmap, {5, 5, 25, 25});  // device 10 to 50
    EXPECT_EQ(canvas.At(12, 12), QColor(255, 0, 0));
    EXPECT_EQ(canvas.At(47, 12), QColor(0, 255, 0));
    EXPECT_EQ(canvas.At(12, 47), QColor(0, 0, 255));
    EXPECT_EQ(canvas.At(47, 47), QColor(255, 255, 255));
    EXPECT_EQ(canvas.At(8, 30), kGround);
    EXPECT_EQ(canvas.At(50, 30), kGround);

    HBitmap shortData = bitmap;
    shortData.bits.resize(15);
    HBitmap sixteenBits = bitmap;
    sixteenBits.header.bitsPixel = 16;
    Canvas other;
    other.dc->StretchBitmap(shortData, {0, 0, 30, 30});
    other.dc->StretchBitmap(sixteenBits, {0, 0, 30, 30});
    EXPECT_EQ(other.At(5, 5), kGround);
}

TEST(QtDrawContext, DrawsADiagram) {
    HFlowDocument doc;
    auto file = std::make_unique<HItemFile>();
    file->position = {20, 40};
    file->size = {100, 50};
    file->brush = SolidBrush(Rgb(255, 255, 0));
    HItemFile* fileRaw = file.get();
    doc.Boxes().Append(std::move(file));
    auto task = std::make_unique<HItemTask>();
    task->position = {220, 15};
    task->size = {100, 100};
    task->brush = SolidBrush(Rgb(0, 255, 255));
    HItemTask* taskRaw = task.get();
    doc.Boxes().Append(std::move(task));
    auto line = std::make_unique<HItemLine>();
    line->fromItem = fileRaw;
    line->toItem = taskRaw;
    line->fromOffset = {100, 25};  // (120, 65)
    line->toOffset = {0, 50};      // (220, 65)
    line->penNormal = SolidPen(2, Rgb(0, 0, 0));
    doc.Lines().Append(std::move(line));

    Canvas canvas(360, 140);
    canvas.dc->SetTransparentBackground();
    doc.Lines().DrawAll(*canvas.dc);
    doc.Boxes().DrawAll(*canvas.dc);
    const QImage image = canvas.Done();
    // Away from the labels, which sit near the middle.
    EXPECT_EQ(image.pixelColor(30, 45), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(270, 30), QColor(0, 255, 255));
    EXPECT_EQ(image.pixelColor(10, 65), kGround);
    for (int x = 140; x <= 190; x += 10) {
        EXPECT_TRUE(IsDark(image.pixelColor(x, 65))) << x;
    }
}

}  // namespace
}  // namespace zarvik::gui
