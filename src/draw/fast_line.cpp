#include "draw/fast_line.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace zarvik::draw {
namespace {

// The smallest integer not below n / d, for d > 0.
int64_t CeilDiv(int64_t n, int64_t d) {
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

}  // namespace

bool CanDrawFastLines(const QImage& image) {
    switch (image.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return true;
        default:
            return false;
    }
}

// Bresenham's line: along the major axis step i = 0 .. n - 1, the minor offset is
// floor((2 i minor + major) / (2 major)), the nearest pixel rounding halves up. The steps
// inside the clip follow from that formula, so the walk starts where the clip begins.
void DrawFastLine(QImage& image, QPoint a, QPoint b, QRgb colour, const QRect& clip) {
    const QRect area = clip & image.rect();
    if (area.isEmpty() || a == b) {
        return;
    }
    const bool xMajor = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
    // Work in (major, minor) coordinates.
    const int64_t m0 = xMajor ? a.x() : a.y();
    const int64_t n0 = xMajor ? a.y() : a.x();
    const int64_t major = std::abs(int64_t{xMajor ? b.x() - a.x() : b.y() - a.y()});
    const int64_t minor = std::abs(int64_t{xMajor ? b.y() - a.y() : b.x() - a.x()});
    const int sm = (xMajor ? b.x() - a.x() : b.y() - a.y()) >= 0 ? 1 : -1;
    const int sn = (xMajor ? b.y() - a.y() : b.x() - a.x()) >= 0 ? 1 : -1;
    const int64_t mLow = xMajor ? area.left() : area.top();
    const int64_t mHigh = xMajor ? area.right() : area.bottom();
    const int64_t nLow = xMajor ? area.top() : area.left();
    const int64_t nHigh = xMajor ? area.bottom() : area.right();

    // Steps whose major coordinate is inside.
    int64_t first = 0;
    int64_t last = major - 1;
    if (sm > 0) {
        first = std::max(first, mLow - m0);
        last = std::min(last, mHigh - m0);
    } else {
        first = std::max(first, m0 - mHigh);
        last = std::min(last, m0 - mLow);
    }
    // Steps whose minor offset k lies in [kLow, kHigh].
    const int64_t kLow = sn > 0 ? nLow - n0 : n0 - nHigh;
    const int64_t kHigh = sn > 0 ? nHigh - n0 : n0 - nLow;
    if (minor == 0) {
        if (kLow > 0 || kHigh < 0) {
            return;
        }
    } else {
        first = std::max(first, CeilDiv(2 * major * kLow - major, 2 * minor));
        last = std::min(last, CeilDiv(2 * major * (kHigh + 1) - major, 2 * minor) - 1);
    }
    if (first > last) {
        return;
    }

    uchar* bits = const_cast<uchar*>(std::as_const(image).constBits());
    const qsizetype stride = image.bytesPerLine();
    const QRgb pixel = colour | 0xff000000u;
    const int64_t twoMajor = 2 * major;
    int64_t numerator = 2 * first * minor + major;
    int64_t k = numerator / twoMajor;
    int64_t rest = numerator % twoMajor;
    for (int64_t i = first; i <= last; ++i) {
        const int64_t m = m0 + sm * i;
        const int64_t n = n0 + sn * k;
        const int64_t x = xMajor ? m : n;
        const int64_t y = xMajor ? n : m;
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = pixel;
        rest += 2 * minor;
        if (rest >= twoMajor) {
            rest -= twoMajor;
            ++k;
        }
    }
}

}  // namespace zarvik::draw
