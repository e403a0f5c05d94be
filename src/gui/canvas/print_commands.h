#pragma once
// The printing commands of the main window: page setup, printer setup, print with and
// without the dialog, and the preview. They share one printer for the whole run, so the
// printer and paper chosen once are used by every later printout.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/port/gdi_types.h"

class QPrinter;

namespace zarvik {
class CZarvikDoc;
}  // namespace zarvik

namespace zarvik::gui {

class HPrintCommands {
public:
    // parent: the window the dialogs belong to (may be null).
    explicit HPrintCommands(QWidget* parent);
    ~HPrintCommands();
    HPrintCommands(const HPrintCommands&) = delete;
    HPrintCommands& operator=(const HPrintCommands&) = delete;

    // The shared printer, made on first use, carrying the page setup's margins.
    QPrinter& Printer();

    // Paper, orientation and margins; OK stores the margins in System().pageSetup and
    // keeps the paper on the printer. Returns 1 on OK.
    int RunPageSetup();
    // Chooses the printer (or a PDF file) for later printouts; prints nothing.
    int RunPrinterSetup();
    // The print dialog (one page only; it also offers printing to a PDF file), then the
    // page. Returns 1 when a page was printed.
    int RunPrintDialog(const CZarvikDoc& doc, HSize canvasSize);
    // Prints on the shared printer without asking.
    int PrintDirect(const CZarvikDoc& doc, HSize canvasSize);
    // The preview; its page setup button changes System().pageSetup as RunPageSetup does.
    // Returns 1 once it was shown.
    int RunPrintPreview(const CZarvikDoc& doc, HSize canvasSize);

private:
    // Prints and says so when the printer would not print.
    int PrintPage(QPrinter& printer, const CZarvikDoc& doc, HSize canvasSize);

    QPointer<QWidget> m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace zarvik::gui
