#include "gui/frame/export_commands.h"

#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <functional>
#include <optional>

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "core/port/ui_port.h"
#include "core/store/file_io.h"
#include "draw/estimate_pdf.h"
#include "draw/picture_export.h"

namespace zarvik::gui {
namespace {

constexpr const char* kPictureFilter =
    "PNG 画像 (*.png)|*.png|SVG 画像 (*.svg)|*.svg|PDF ファイル (*.pdf)|*.pdf||";
constexpr const char* kReportFilter = "PDF ファイル (*.pdf)|*.pdf||";

std::optional<std::string> ChooseOutput(const char* title, const char* filter,
                                        const std::string& proposed) {
    HFileChooser chooser;
    chooser.title = title;
    chooser.filter = filter;
    chooser.defaultName = proposed;
    const std::optional<std::string> chosen = UiPort().ChooseSaveFile(chooser);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    return chosen;
}

// Draws with the wait cursor up, then writes the bytes whole; says what went wrong.
int DrawAndWrite(const std::string& path, const std::function<QByteArray(std::string&)>& make) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::string problem;
    const QByteArray bytes = make(problem);
    QGuiApplication::restoreOverrideCursor();
    if (bytes.isEmpty()) {
        UiPort().MessageBox(path + "\r\n出力できませんでした。\r\n" + problem, "エラー",
                            HMsgIcon::Error, HMsgButtons::Ok);
        return 0;
    }
    if (!WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        UiPort().MessageBox(path + "\r\nこのファイルに書き込むことができません。", "エラー",
                            HMsgIcon::Error, HMsgButtons::Ok);
        return 0;
    }
    return 1;
}

// The name a chooser proposes for an export of doc: beside the document, its file name with
// ext in place of its extension; "無題" for a document never saved.
std::string ExportFileName(const CZarvikDoc& doc, const std::string& ext) {
    const std::string& path = doc.PathName();
    const std::size_t slash = path.rfind('/');
    const std::string folder = path.substr(0, slash + 1);  // empty without one
    std::string name = path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return folder + (name.empty() ? std::string("無題") : name) + ext;
}

}  // namespace

int ExportPicture(const CZarvikDoc& doc, int zoomPercent) {
    const std::optional<std::string> chosen =
        ChooseOutput("画像としてエクスポート", kPictureFilter, ExportFileName(doc, ".png"));
    if (!chosen) {
        return 0;
    }
    std::string path = PathWithDefaultExtension(*chosen, ".png");
    const std::string ext = LowerExtension(path);
    draw::HPictureOptions options;
    if (ext == "svg") {
        options.kind = draw::HPictureKind::Svg;
    } else if (ext == "pdf") {
        options.kind = draw::HPictureKind::Pdf;
    } else if (ext != "png") {
        path += ".png";  // an extension of some other kind of file: the picture is a PNG
    }
    options.zoomPercent = std::clamp(zoomPercent, 20, 1000);
    return DrawAndWrite(
        path, [&](std::string& problem) { return draw::RenderPicture(doc, options, problem); });
}

int ExportEstimatePdf(const CZarvikDoc& doc) {
    const std::optional<std::string> chosen =
        ChooseOutput("見積書をPDFで出力", kReportFilter, ExportFileName(doc, ".pdf"));
    if (!chosen) {
        return 0;
    }
    const std::string path = PathWithDefaultExtension(*chosen, ".pdf");
    return DrawAndWrite(path, [&](std::string& problem) {
        return draw::RenderEstimateReport(doc, System().CurrentRules(),
                                          draw::ReportHeadingFor(doc, doc.PathName()), problem);
    });
}

}  // namespace zarvik::gui
