#include "core/canvas/zoom.h"

#include <algorithm>

#include "core/app/info_system.h"

namespace zarvik {

int32_t ZoomRound(double x) {
    return static_cast<int32_t>(x >= 0 ? x + 0.5 : x - 0.5);
}

float ClampZoom(float z) {
    if (!(z > kZoomMin)) {  // also catches NaN
        return kZoomMin;
    }
    return z >= kZoomMax ? kZoomMax : z;
}

int32_t ZoomViewportExtent(float zoom) {
    return ZoomRound(static_cast<double>(zoom) * 100);
}

int32_t CanvasToPixels(int32_t units, float zoom) {
    return ZoomRound(static_cast<double>(units) * ZoomViewportExtent(zoom) / 100);
}

int32_t PixelsToCanvas(int32_t pixels, float zoom) {
    const int32_t extent = std::max(ZoomViewportExtent(zoom), 1);
    return ZoomRound(static_cast<double>(pixels) * 100 / extent);
}

HSize CanvasToPixels(HSize units, float zoom) {
    return HSize{CanvasToPixels(units.cx, zoom), CanvasToPixels(units.cy, zoom)};
}

HPoint WindowToCanvas(HPoint window, HPoint scroll, float zoom) {
    // The scroll origin moves the viewport, so the scrolled device point is converted.
    return HPoint{PixelsToCanvas(window.x + scroll.x, zoom),
                  PixelsToCanvas(window.y + scroll.y, zoom)};
}

HRect WindowToCanvas(const HRect& window, HPoint scroll, float zoom) {
    const HPoint topLeft = WindowToCanvas(HPoint{window.left, window.top}, scroll, zoom);
    const HPoint bottomRight = WindowToCanvas(HPoint{window.right, window.bottom}, scroll, zoom);
    return HRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int HZoomView::SetZoom(float z) {
    if (z == zoom) {
        return 0;
    }
    const double centreX = scroll.x + client.cx / 2;
    const double centreY = scroll.y + client.cy / 2;
    const double old = zoom;
    zoom = ClampZoom(z);
    deviceTotal = HSize{ZoomRound(static_cast<double>(kZoomLogicalTotal.cx) * zoom),
                        ZoomRound(static_cast<double>(kZoomLogicalTotal.cy) * zoom)};
    scroll = HPoint{ZoomRound(centreX / old * zoom) - client.cx / 2,
                    ZoomRound(centreY / old * zoom) - client.cy / 2};
    return 1;
}

HSize CanvasSize(const HInfoSystem& settings, HSize client, HPoint scroll, float zoom) {
    if (settings.SelectCanvasType == 0) {
        const HPoint corner = WindowToCanvas(HPoint{client.cx, client.cy}, scroll, zoom);
        return HSize{corner.x, corner.y};
    }
    return HSize{std::max(settings.CanvasSizeCx, kMinCanvasSide),
                 std::max(settings.CanvasSizeCy, kMinCanvasSide)};
}

HCanvasExtent CanvasExtent(const HInfoSystem& settings, HSize client, HPoint scroll, float zoom) {
    HCanvasExtent extent;
    extent.total = CanvasToPixels(CanvasSize(settings, client, scroll, zoom), zoom);
    extent.scrollBars = settings.SelectCanvasType == 0 ? 0 : 1;
    return extent;
}

}  // namespace zarvik
