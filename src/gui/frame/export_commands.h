#pragma once
// The File menu's exports: the diagram as a picture file and the estimate report as a PDF.
// Each asks for a file name through the user interface port, draws the document as it
// stands, and writes the file whole or not at all, saying so when it cannot.

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

// PNG, SVG or PDF by the chosen name's extension (a name without one gets ".png"), at
// zoomPercent of the canvas's own size. Returns 1 when the file was written.
int ExportPicture(const CZarvikDoc& doc, int zoomPercent);

// The estimate report for the customer. Returns 1 when the file was written.
int ExportEstimatePdf(const CZarvikDoc& doc);

}  // namespace zarvik::gui
