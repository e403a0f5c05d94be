// The PNG writer against Qt's reader: the file must read back with exactly the pixels
// written, opaque or with alpha, small or in many bands deflated on several threads, and
// when drawn strip by strip while it is being deflated.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include "draw/png_writer.h"

namespace zarvik::gui {
namespace {

// Flat runs, edges and noise, and with alpha every kind of coverage, premultiplied.
QRgb Pattern(int x, int y, bool alpha) {
    const int noise = (x * 7919 + y * 104729) % 251;
    const int r = (x / 50 + y / 30) % 2 == 0 ? 255 : noise;
    const int g = (x + y) % 256;
    const int b = y % 256;
    if (!alpha) {
        return qRgb(r, g, b);
    }
    const int a = x % 3 == 0 ? 255 : (y % 5 == 0 ? 0 : (x * y) % 256);
    return qPremultiply(qRgba(r, g, b, a));
}

void PaintRows(QImage& image, int first, int end) {
    const bool alpha = image.hasAlphaChannel();
    for (int y = first; y < end; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[x] = Pattern(x, y, alpha);
        }
    }
}

// Whether png reads back as image: compared in the image's own format, since a
// premultiplied pixel has several straight ones that stand for it.
bool ReadsBackAs(const QByteArray& png, const QImage& image) {
    QImageReader::setAllocationLimit(0);
    const QImage back = QImage::fromData(png, "PNG");
    return !back.isNull() && back.hasAlphaChannel() == image.hasAlphaChannel() &&
           back.convertToFormat(image.format()) == image;
}

TEST(PngWriter, ReadsBackWithThePixelsWritten) {
    // Odd widths leave pixels over from the vector steps; the large ones span several
    // bands and threads.
    for (const QSize size : {QSize(1, 1), QSize(37, 23), QSize(2601, 1700)}) {
        for (const QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            QImage image(size, format);
            PaintRows(image, 0, image.height());
            EXPECT_TRUE(ReadsBackAs(draw::WritePng(image), image))
                << size.width() << " x " << size.height() << ", format " << format;
        }
    }
    // Other formats are converted.
    QImage grey(50, 40, QImage::Format_Grayscale8);
    grey.fill(128);
    EXPECT_TRUE(ReadsBackAs(draw::WritePng(grey), grey));
    EXPECT_TRUE(draw::WritePng(QImage()).isEmpty());
}

TEST(PngWriter, DrawsStripsFromTheTopIntoBuffersThatTakeTurns) {
    // Tall enough for more strips than buffers, so that a buffer is drawn again only after
    // what it held was deflated.
    const QSize size(4000, 4100);
    int drawnTo = 0;
    const QByteArray png = draw::WritePng(
        size, QImage::Format_ARGB32_Premultiplied, [&](QImage& strip, int first) {
            EXPECT_EQ(first, drawnTo);
            for (int y = 0; y < strip.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
                for (int x = 0; x < strip.width(); ++x) {
                    row[x] = Pattern(x, first + y, true);
                }
            }
            drawnTo = first + strip.height();
        });
    EXPECT_EQ(drawnTo, size.height());
    QImage expected(size, QImage::Format_ARGB32_Premultiplied);
    PaintRows(expected, 0, expected.height());
    EXPECT_TRUE(ReadsBackAs(png, expected));
}

}  // namespace
}  // namespace zarvik::gui
