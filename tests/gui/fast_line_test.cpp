// Lines written straight into a picture: the clipped walk must give exactly the pixels of
// the whole line that fall inside the clip, and agree with the painter where lines are
// unambiguous.

#include <gtest/gtest.h>

#include <QPainter>
#include <cstdlib>
#include <random>

#include "draw/fast_line.h"

namespace zarvik::gui {
namespace {

constexpr QRgb kInk = 0xff0000ffu;

// Every pixel of the line, step by step, kept when inside clip.
void ReferenceLine(QImage& image, QPoint a, QPoint b, const QRect& clip) {
    const int dx = b.x() - a.x();
    const int dy = b.y() - a.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t major = std::abs(xMajor ? dx : dy);
    const int64_t minor = std::abs(xMajor ? dy : dx);
    for (int64_t i = 0; i < major; ++i) {
        const int64_t k = (2 * i * minor + major) / (2 * major);
        const int64_t m = (xMajor ? a.x() : a.y()) + ((xMajor ? dx : dy) >= 0 ? i : -i);
        const int64_t n = (xMajor ? a.y() : a.x()) + ((xMajor ? dy : dx) >= 0 ? k : -k);
        const QPoint p(static_cast<int>(xMajor ? m : n), static_cast<int>(xMajor ? n : m));
        if (clip.contains(p) && image.rect().contains(p)) {
            image.setPixel(p, kInk);
        }
    }
}

TEST(FastLine, ClippedLinesHaveExactlyTheWholeLinesPixels) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-3000, 3000);
    const QRect clip(37, 21, 150, 90);
    for (int n = 0; n < 400; ++n) {
        const QPoint a(coordinate(random) / (n % 3 + 1), coordinate(random) / (n % 5 + 1));
        const QPoint b(coordinate(random), coordinate(random) / (n % 2 + 1));
        QImage fast(240, 160, QImage::Format_RGB32);
        fast.fill(Qt::white);
        QImage expected = fast.copy();
        draw::DrawFastLine(fast, a, b, kInk, clip);
        ReferenceLine(expected, a, b, clip);
        ASSERT_EQ(expected, fast) << a.x() << "," << a.y() << " - " << b.x() << "," << b.y();
    }
}

// On sloped lines the two may choose the other of two pixels at a step, and the painter
// leaves out the end with the larger coordinate whatever the direction; straight and
// diagonal lines drawn forward come out the same.
TEST(FastLine, AgreesWithThePainterOnStraightAndDiagonalLines) {
    const QRect clip(0, 0, 100, 100);
    for (const auto& [a, b] :
         {std::pair{QPoint(5, 10), QPoint(90, 10)}, std::pair{QPoint(50, 2), QPoint(50, 95)},
          std::pair{QPoint(3, 3), QPoint(80, 80)}, std::pair{QPoint(10, 5), QPoint(90, 85)}}) {
        QImage fast(100, 100, QImage::Format_RGB32);
        fast.fill(Qt::white);
        QImage painted = fast.copy();
        draw::DrawFastLine(fast, a, b, kInk, clip);
        QPainter painter(&painted);
        QPen pen(QColor::fromRgb(kInk), 0);
        pen.setCapStyle(Qt::FlatCap);  // as the drawing context draws thin lines
        painter.setPen(pen);
        painter.drawLine(a, b);
        painter.end();
        EXPECT_EQ(painted, fast) << a.x() << "," << a.y();
    }
}

}  // namespace
}  // namespace zarvik::gui
