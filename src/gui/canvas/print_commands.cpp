#include "gui/canvas/print_commands.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "core/app/system.h"
#include "core/canvas/print_layout.h"
#include "core/port/ui_port.h"
#include "gui/canvas/canvas_printer.h"

namespace zarvik::gui {

namespace {

constexpr const char* kPrintFailed = "印刷を開始できませんでした。";

// The page setup's margins onto the printer, so its dialogs start from them.
void ShowPageSetupOn(QPrinter& printer) {
    printer.setPageMargins(MarginsInMillimetres(System().pageSetup), QPageLayout::Millimeter);
}

QMarginsF PrinterMargins(const QPrinter& printer) {
    return printer.pageLayout().margins(QPageLayout::Millimeter);
}

}  // namespace

HPrintCommands::HPrintCommands(QWidget* parent) : m_parent(parent) {}

HPrintCommands::~HPrintCommands() = default;

QPrinter& HPrintCommands::Printer() {
    if (m_printer == nullptr) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    ShowPageSetupOn(*m_printer);
    return *m_printer;
}

int HPrintCommands::RunPageSetup() {
    QPrinter& printer = Printer();
    QPageSetupDialog dialog(&printer, m_parent);
    dialog.setWindowTitle("ページ設定");
    if (dialog.exec() != QDialog::Accepted) {
        return 0;
    }
    System().pageSetup = MarginsFromMillimetres(PrinterMargins(printer));
    return 1;
}

int HPrintCommands::RunPrinterSetup() {
    QPrintDialog dialog(&Printer(), m_parent);
    dialog.setWindowTitle("プリンタの設定");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

int HPrintCommands::RunPrintDialog(const CZarvikDoc& doc, HSize canvasSize) {
    QPrinter& printer = Printer();
    // A file chosen here is for this printout only; later ones go where they went before.
    const QString outputBefore = printer.outputFileName();
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(kPrintFirstPage, kPrintLastPage);
    int printed = 0;
    if (dialog.exec() == QDialog::Accepted) {
        printed = PrintPage(printer, doc, canvasSize);
    }
    printer.setOutputFileName(outputBefore);
    return printed;
}

int HPrintCommands::PrintDirect(const CZarvikDoc& doc, HSize canvasSize) {
    return PrintPage(Printer(), doc, canvasSize);
}

int HPrintCommands::RunPrintPreview(const CZarvikDoc& doc, HSize canvasSize) {
    QPrinter& printer = Printer();
    QPrintPreviewDialog preview(&printer, m_parent);
    // The preview's own page setup edits the printer: margins changed there become the
    // page setup, so the page shown and later printouts follow them.
    QMarginsF shown = PrinterMargins(printer);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         const QMarginsF now = PrinterMargins(*target);
                         if (now != shown) {
                             System().pageSetup = MarginsFromMillimetres(now);
                             shown = now;
                         }
                         PrintDiagram(*target, doc, canvasSize);
                     });
    preview.exec();
    return 1;
}

int HPrintCommands::PrintPage(QPrinter& printer, const CZarvikDoc& doc, HSize canvasSize) {
    if (PrintDiagram(printer, doc, canvasSize)) {
        return 1;
    }
    UiPort().MessageBox(kPrintFailed, HSystem::GetVersionString("ProductName"), HMsgIcon::Warning,
                        HMsgButtons::Ok);
    return 0;
}

}  // namespace zarvik::gui
