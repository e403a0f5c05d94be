#include "gui/canvas/canvas_printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "draw/diagram_painting.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

namespace {

int32_t Rounded(double value) {
    return static_cast<int32_t>(std::lround(value));
}

}  // namespace

HPageMetrics PaperMetrics(const QPrinter& printer) {
    const QRectF pixels = printer.paperRect(QPrinter::DevicePixel);
    const QRectF millimetres = printer.paperRect(QPrinter::Millimeter);
    return HPageMetrics{Rounded(pixels.width()), Rounded(pixels.height()),
                        Rounded(millimetres.width()), Rounded(millimetres.height())};
}

QMarginsF MarginsInMillimetres(const HInfoPrint& margins) {
    return QMarginsF(margins.left / 100.0, margins.top / 100.0, margins.right / 100.0,
                     margins.bottom / 100.0);
}

HInfoPrint MarginsFromMillimetres(const QMarginsF& millimetres) {
    return HInfoPrint{Rounded(millimetres.left() * 100), Rounded(millimetres.top() * 100),
                      Rounded(millimetres.right() * 100), Rounded(millimetres.bottom() * 100)};
}

int PrintDiagram(QPrinter& printer, const CZarvikDoc& doc, HSize canvasSize) {
    printer.setDocName(draw::ToQString(doc.Title()));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    const HPrintLayout layout =
        ComputePrintLayout(canvasSize, PaperMetrics(printer), System().pageSetup);
    // The painter starts at the printable corner; the layout counts from the paper's.
    painter.translate(-printer.pageRect(QPrinter::DevicePixel).topLeft());
    const HRect& clip = layout.clip;
    painter.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));

    // The layout's two extents differ only by integer rounding: the smaller ratio keeps
    // the whole canvas inside the printable area.
    const double scale = std::min(static_cast<double>(layout.viewportExt.cx) / layout.windowExt.cx,
                                  static_cast<double>(layout.viewportExt.cy) / layout.windowExt.cy);
    // Boxes, then lines, as the canvas paints them, without handles, on white paper.
    draw::DrawDiagram(
        painter, doc, scale, QPointF(layout.windowOrg.x, layout.windowOrg.y),
        draw::HBackdrop{HRect{0, 0, std::max(canvasSize.cx, 1), std::max(canvasSize.cy, 1)},
                        Rgb(255, 255, 255)});
    return painter.end() ? 1 : 0;
}

}  // namespace zarvik::gui
