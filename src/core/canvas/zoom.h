#pragma once
// The arithmetic of the zooming canvas view: rounding, the zoom range, the mapping between
// window pixels and canvas units, the scroll position that keeps the window centre in
// place, and the size of the canvas the settings ask for.

#include <cstdint>

#include "core/port/gdi_types.h"

namespace zarvik {

class HInfoSystem;

inline constexpr float kZoomMin = 0.2f;
inline constexpr float kZoomMax = 10.0f;
// The canvas the view scrolls over before the extent update replaces it.
inline constexpr HSize kZoomLogicalTotal{4000, 4000};
inline constexpr HSize kZoomPageStep{2000, 2000};
inline constexpr HSize kZoomLineStep{80, 80};

// Halves round away from zero; every float-to-integer conversion of the view uses it.
int32_t ZoomRound(double x);

// z held to [kZoomMin, kZoomMax].
float ClampZoom(float z);

// The mapping is isotropic: 100 canvas units to this many window pixels.
int32_t ZoomViewportExtent(float zoom);
// Canvas units to window pixels and back, as the mapping converts them.
int32_t CanvasToPixels(int32_t units, float zoom);
int32_t PixelsToCanvas(int32_t pixels, float zoom);
HSize CanvasToPixels(HSize units, float zoom);
// A point of the window (client coordinates) to the canvas point under it.
HPoint WindowToCanvas(HPoint window, HPoint scroll, float zoom);
HRect WindowToCanvas(const HRect& window, HPoint scroll, float zoom);

// The state of the view that a zoom change reads and writes.
struct HZoomView {
    float zoom = 1.0f;
    HPoint scroll;                          // scroll position in device pixels
    HSize client;                           // client area in pixels
    HSize deviceTotal = kZoomLogicalTotal;  // the logical total at the zoom

    // Changes the zoom (clamped) so that the canvas point at the window centre stays
    // there. Returns 0, changing nothing, when z is the zoom already. The scroll position
    // may come out negative or past the end; the scrolling window holds it to its range.
    int SetZoom(float z);
};

// The canvas in canvas units: the client area at the scroll position and zoom when the
// canvas follows the window, else the fixed size of the settings (each side at least 100).
HSize CanvasSize(const HInfoSystem& settings, HSize client, HPoint scroll, float zoom);

// What the extent update gives the scrolling window.
struct HCanvasExtent {
    HSize total;         // scroll range in window pixels
    int scrollBars = 1;  // 0: both scroll bars hidden
};
HCanvasExtent CanvasExtent(const HInfoSystem& settings, HSize client, HPoint scroll, float zoom);

}  // namespace zarvik
