#pragma once
// Printing the diagram on one page: the page margins, the mapping that fits the canvas
// into the printable area, and where on the page the drawing starts.

#include <cstdint>

#include "core/app/info_print.h"
#include "core/port/gdi_types.h"

namespace zarvik {

// A printout is always exactly one page, however large the canvas.
inline constexpr int32_t kPrintFirstPage = 1;
inline constexpr int32_t kPrintLastPage = 1;

// What the printer reports of its page.
struct HPageMetrics {
    int32_t horzRes = 0;   // page width in pixels
    int32_t vertRes = 0;   // page height in pixels
    int32_t horzSize = 0;  // page width in millimetres
    int32_t vertSize = 0;  // page height in millimetres
};

// The mapping for one printed page, and the clip of the drawing.
struct HPrintLayout {
    HSize printable;    // the page inside the margins, in pixels
    HSize windowExt;    // canvas units ...
    HSize viewportExt;  // ... to these pixels
    HPoint windowOrg;   // minus the left and top margins in canvas units
    HRect clip;         // the canvas (0, 0)-(W, H) in page pixels
};

// The printable size: the page minus the margins, never less than one pixel.
HSize PrintableSize(const HPageMetrics& page, const HInfoPrint& margins);

// Fits a canvas of the given size (each side taken as at least 1) into the printable area
// with one scale factor, the larger relative side filling it.
HPrintLayout ComputePrintLayout(HSize canvas, const HPageMetrics& page, const HInfoPrint& margins);

// A canvas point to a page pixel under the layout.
HPoint PrintCanvasToPage(const HPrintLayout& layout, HPoint canvas);

}  // namespace zarvik
