// The diagram as the canvas paints it, checked by the colours at known pixels: the canvas
// extent in white on grey, each box's fill, a relation line, the handles of the one
// selected box.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "core/canvas/canvas_controller.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "draw/qt_draw_context.h"

namespace zarvik::gui {
namespace {

const QColor kGrey(200, 200, 200);
const QColor kWhite(255, 255, 255);

bool IsDark(const QColor& c) {
    return c.red() < 80 && c.green() < 80 && c.blue() < 80;
}

template <typename Box>
Box* AddBox(CZarvikDoc& doc, HPoint position, HSize size, HColorRef fill) {
    auto box = std::make_unique<Box>();
    box->name.clear();  // no label over the fill
    box->position = position;
    box->size = size;
    box->brush = SolidBrush(fill);
    box->penGuide = SolidPen(1, Rgb(255, 0, 255));
    Box* raw = box.get();
    doc.Boxes().Append(std::move(box));
    return raw;
}

class DocumentPixels : public ::testing::Test {
protected:
    DocumentPixels() {
        file = AddBox<HItemFile>(doc, {20, 40}, {100, 50}, Rgb(255, 255, 0));
        task = AddBox<HItemTask>(doc, {220, 15}, {100, 100}, Rgb(0, 255, 255));
        other = AddBox<HItemOther>(doc, {60, 140}, {80, 40}, Rgb(0, 0, 255));
        auto line = std::make_unique<HItemLine>();
        line->fromItem = file;
        line->toItem = task;
        line->fromOffset = {100, 25};  // (120, 65)
        line->toOffset = {0, 50};      // (220, 65)
        line->penNormal = SolidPen(2, Rgb(0, 0, 0));
        doc.Lines().Append(std::move(line));
    }

    // The canvas of extent painted into a picture larger than it, at the scale, with the
    // picture's top left at canvas point origin.
    QImage Paint(HSize extent, double scale = 1, QPointF origin = {}) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        draw::HQtDrawContext dc(painter, scale, origin);
        const HRect update{static_cast<int32_t>(origin.x()), static_cast<int32_t>(origin.y()),
                           static_cast<int32_t>(origin.x() + 400 / scale),
                           static_cast<int32_t>(origin.y() + 300 / scale)};
        controller.PaintCanvas(dc, update, extent, 0);
        painter.end();
        return image;
    }

    CZarvikDoc doc;
    HCanvasHost host;
    HCanvasController controller{doc, host};
    HItemFile* file = nullptr;
    HItemTask* task = nullptr;
    HItemOther* other = nullptr;
};

TEST_F(DocumentPixels, BoxesAndLineOnTheWhiteCanvasInsideGrey) {
    const QImage image = Paint({340, 200});
    EXPECT_EQ(kGrey, image.pixelColor(370, 100));  // right of the extent
    EXPECT_EQ(kGrey, image.pixelColor(100, 250));  // below it
    EXPECT_EQ(kWhite, image.pixelColor(330, 190));
    EXPECT_EQ(kWhite, image.pixelColor(5, 5));

    EXPECT_EQ(QColor(255, 255, 0), image.pixelColor(30, 45));  // fills away from labels
    EXPECT_EQ(QColor(0, 255, 255), image.pixelColor(270, 30));
    EXPECT_EQ(QColor(0, 0, 255), image.pixelColor(100, 160));
    for (int x = 130; x <= 210; x += 10) {
        EXPECT_TRUE(IsDark(image.pixelColor(x, 65))) << x;
    }
    EXPECT_EQ(kWhite, image.pixelColor(170, 80));  // beside the line
}

TEST_F(DocumentPixels, TheOnlySelectedBoxShowsHandlesOnItsSides) {
    const QColor guide(255, 0, 255);
    // The handle at the middle of the top side of the data function: (70, 40) ± 5.
    EXPECT_EQ(kWhite, Paint({340, 200}).pixelColor(65, 37));

    file->SetSelected(1);
    QImage image = Paint({340, 200});
    EXPECT_EQ(guide, image.pixelColor(65, 37));   // top handle's left edge
    EXPECT_EQ(guide, image.pixelColor(15, 65));   // left handle, outside the box
    EXPECT_EQ(guide, image.pixelColor(70, 94));   // bottom handle's bottom edge
    EXPECT_EQ(kWhite, image.pixelColor(50, 37));  // beside the handle

    other->SetSelected(1);  // two selected: no handles
    image = Paint({340, 200});
    EXPECT_EQ(kWhite, image.pixelColor(65, 37));
}

TEST_F(DocumentPixels, HalfScaleScrolledKeepsTheSamePlaces) {
    // Canvas point (x, y) lands on pixel ((x - 100) / 2, (y - 20) / 2).
    const QImage image = Paint({340, 200}, 0.5, QPointF(100, 20));
    EXPECT_EQ(QColor(0, 255, 255), image.pixelColor(85, 5));  // (270, 30)
    EXPECT_EQ(QColor(0, 0, 255), image.pixelColor(0, 70));    // (100, 160)
    // (180, 65) on the line: device row 22.5, one pixel wide.
    EXPECT_TRUE(IsDark(image.pixelColor(40, 22)) || IsDark(image.pixelColor(40, 23)));
    EXPECT_FALSE(IsDark(image.pixelColor(40, 20)));
    EXPECT_EQ(kGrey, image.pixelColor(150, 50));  // (400, 120) past the extent
}

}  // namespace
}  // namespace zarvik::gui
