#pragma once
// The diagram on one printed page: the whole canvas scaled into the paper inside the page
// setup's margins, drawn by the same item drawing as the screen.

#include <QMarginsF>

#include "core/app/info_print.h"
#include "core/canvas/print_layout.h"

class QPrinter;

namespace zarvik {
class CZarvikDoc;
}  // namespace zarvik

namespace zarvik::gui {

// The paper of the printer (not only its printable part), in device pixels and
// millimetres: the margins are measured from the paper's edges.
HPageMetrics PaperMetrics(const QPrinter& printer);

// Page setup margins (hundredths of a millimetre) as millimetres, and back.
QMarginsF MarginsInMillimetres(const HInfoPrint& margins);
HInfoPrint MarginsFromMillimetres(const QMarginsF& millimetres);

// Prints the canvas of the given size (canvas units) on exactly one page, named after the
// document, with the margins of System().pageSetup. Only the document's items are drawn,
// without selection handles: nothing the canvas holds for a gesture reaches the paper.
// Returns 1 when the page was printed, 0 when the printer could not start or finish.
int PrintDiagram(QPrinter& printer, const CZarvikDoc& doc, HSize canvasSize);

}  // namespace zarvik::gui
