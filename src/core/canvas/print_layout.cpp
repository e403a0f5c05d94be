#include "core/canvas/print_layout.h"

#include <algorithm>

#include "core/canvas/zoom.h"

namespace zarvik {

namespace {

// Hundredths of a millimetre to pixels, integer arithmetic from left to right. A printer
// that reports no physical size gets no margin rather than a division by zero.
int64_t MarginPixels(int64_t resolution, int64_t hundredths, int64_t millimetres) {
    if (millimetres <= 0) {
        return 0;
    }
    return resolution * hundredths / millimetres / 100;
}

}  // namespace

HSize PrintableSize(const HPageMetrics& page, const HInfoPrint& margins) {
    const int64_t a =
        page.horzRes -
        MarginPixels(page.horzRes, int64_t{margins.left} + margins.right, page.horzSize);
    const int64_t b =
        page.vertRes -
        MarginPixels(page.vertRes, int64_t{margins.top} + margins.bottom, page.vertSize);
    // Margins wider than the paper would leave nothing to scale into.
    return HSize{static_cast<int32_t>(std::max<int64_t>(a, 1)),
                 static_cast<int32_t>(std::max<int64_t>(b, 1))};
}

HPrintLayout ComputePrintLayout(HSize canvas, const HPageMetrics& page, const HInfoPrint& margins) {
    HPrintLayout layout;
    layout.printable = PrintableSize(page, margins);
    const int64_t a = layout.printable.cx;
    const int64_t b = layout.printable.cy;
    const int64_t width = std::max(canvas.cx, 1);
    const int64_t height = std::max(canvas.cy, 1);
    int64_t g = width;
    int64_t f = height;
    if (static_cast<double>(f) / b >= static_cast<double>(g) / a) {
        g = a * f / b;
    } else {
        f = b * g / a;
    }
    // A very thin canvas must not leave an empty window extent.
    layout.windowExt = HSize{static_cast<int32_t>(std::max<int64_t>(g, 1)),
                             static_cast<int32_t>(std::max<int64_t>(f, 1))};
    layout.viewportExt = layout.printable;

    const int64_t leftPixels = MarginPixels(page.horzRes, margins.left, page.horzSize);
    const int64_t topPixels = MarginPixels(page.vertRes, margins.top, page.vertSize);
    layout.windowOrg = HPoint{-ZoomRound(static_cast<double>(leftPixels) * layout.windowExt.cx / a),
                              -ZoomRound(static_cast<double>(topPixels) * layout.windowExt.cy / b)};

    const HPoint topLeft = PrintCanvasToPage(layout, HPoint{0, 0});
    const HPoint bottomRight = PrintCanvasToPage(
        layout, HPoint{static_cast<int32_t>(width), static_cast<int32_t>(height)});
    layout.clip = HRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return layout;
}

HPoint PrintCanvasToPage(const HPrintLayout& layout, HPoint canvas) {
    const double x = (static_cast<double>(canvas.x) - layout.windowOrg.x) * layout.viewportExt.cx /
                     layout.windowExt.cx;
    const double y = (static_cast<double>(canvas.y) - layout.windowOrg.y) * layout.viewportExt.cy /
                     layout.windowExt.cy;
    return HPoint{ZoomRound(x), ZoomRound(y)};
}

}  // namespace zarvik
