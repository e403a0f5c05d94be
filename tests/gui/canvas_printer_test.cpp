// Printing the diagram into PDF files in a temporary folder.

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/item_kinds.h"
#include "core/port/ui_port.h"
#include "gui/canvas/canvas_printer.h"
#include "gui/canvas/print_commands.h"

namespace zarvik::gui {
namespace {

class CanvasPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        doc.NewDocument();
    }

    void AddBox(int32_t kind, HPoint position) {
        std::unique_ptr<HItemObject> box = MakeBoxItem(kind);
        box->position = position;
        doc.AddItem(std::move(box));
    }

    // Prints to name.pdf and returns the file's bytes (empty when nothing was printed).
    QByteArray PrintToPdf(const QString& name, HSize canvas) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name + ".pdf"));
        if (PrintDiagram(printer, doc, canvas) != 1) {
            return {};
        }
        QFile file(printer.outputFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static int PageCount(const QByteArray& pdf) {
        return static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
    }

    QTemporaryDir dir;
    CZarvikDoc doc;
};

TEST_F(CanvasPrinter, AnyCanvasFitsOnExactlyOnePage) {
    AddBox(kKindFile, HPoint{100, 100});
    AddBox(kKindTask, HPoint{3800, 3900});
    for (const HSize canvas : {HSize{800, 600}, HSize{4000, 4000}, HSize{40000, 300}, HSize{}}) {
        const QByteArray pdf = PrintToPdf(QString::number(canvas.cx), canvas);
        ASSERT_FALSE(pdf.isEmpty());
        EXPECT_EQ(1, PageCount(pdf)) << canvas.cx << " x " << canvas.cy;
    }
}

TEST_F(CanvasPrinter, ThePageCarriesTheItemsAndTheDocumentTitle) {
    const QByteArray empty = PrintToPdf("empty", HSize{1000, 800});
    AddBox(kKindFile, HPoint{100, 100});
    AddBox(kKindTask, HPoint{400, 300});
    doc.SetDocTitle("受注管理");
    const QByteArray drawn = PrintToPdf("drawn", HSize{1000, 800});
    EXPECT_GT(drawn.size(), empty.size() + 200);
    // The job's name becomes the PDF's title, in UTF-16 big-endian.
    const QString title = QStringLiteral("受注管理");
    QByteArray utf16;
    for (const QChar c : title) {
        utf16.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode()));
    }
    EXPECT_TRUE(drawn.contains(utf16));
}

// Keeps the texts of the message boxes shown.
class RecordingUi : public HUiPort {
public:
    HMsgAnswer MessageBox(const std::string& text, const std::string&, HMsgIcon,
                          HMsgButtons) override {
        texts.push_back(text);
        return HMsgAnswer::Ok;
    }
    std::vector<std::string> texts;
};

TEST_F(CanvasPrinter, DirectPrintSaysSoWhenThePrinterCannotStart) {
    RecordingUi ui;
    SetUiPort(&ui);
    HPrintCommands commands(nullptr);
    commands.Printer().setOutputFormat(QPrinter::PdfFormat);
    commands.Printer().setOutputFileName(dir.filePath("missing/folder/out.pdf"));
    EXPECT_EQ(0, commands.PrintDirect(doc, HSize{800, 600}));
    EXPECT_EQ(std::vector<std::string>{"印刷を開始できませんでした。"}, ui.texts);

    commands.Printer().setOutputFileName(dir.filePath("out.pdf"));
    EXPECT_EQ(1, commands.PrintDirect(doc, HSize{800, 600}));
    EXPECT_EQ(1u, ui.texts.size());
    SetUiPort(nullptr);
}

TEST(PageSetupMargins, AreMeasuredFromThePaperNotThePrintableArea) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(30, 30, 30, 30), QPageLayout::Millimeter);
    const HPageMetrics paper = PaperMetrics(printer);
    EXPECT_EQ(210, paper.horzSize);
    EXPECT_EQ(297, paper.vertSize);
    EXPECT_NEAR(210 / 25.4 * printer.resolution(), paper.horzRes, 10);
    EXPECT_NEAR(297 / 25.4 * printer.resolution(), paper.vertRes, 10);
}

}  // namespace
}  // namespace zarvik::gui
