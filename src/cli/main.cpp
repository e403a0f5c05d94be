// zvk: the estimate of a Zarvik document on the command line.

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_rules.h"
#include "cli/compare_json.h"
#include "cli/document_loader.h"
#include "cli/stderr_ui_port.h"
#include "cli/summary_json.h"
#include "core/app/system.h"
#include "core/doc/count_compare.h"
#include "core/doc/csv_export.h"
#include "core/doc/flow_document.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/estimate.h"
#include "core/port/platform.h"
#include "draw/estimate_pdf.h"
#include "draw/picture_export.h"

namespace zarvik::cli {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int WriteStdout(const std::string& text, HStderrUiPort& port) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        port.SetSubject("");
        port.Line(std::string("error: cannot write standard output: ") + std::strerror(errno));
        return kExitFailed;
    }
    return kExitOk;
}

// Why a file cannot be created at path, as far as the folder tells.
std::string OutputProblem(const std::string& path, int error) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return "is a directory";
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return "its folder does not exist";
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "its folder cannot be written";
    }
    return error != 0 ? std::strerror(error) : "the file cannot be written";
}

int RunCsv(const HCliOptions& options, HFlowDocument& doc, HStderrUiPort& port) {
    port.SetSubject(options.outputPath);
    HSaveReport report;
    errno = 0;
    const int written = options.csvList == "transactions"
                            ? ExportTransactions(doc, options.outputPath, &report)
                            : ExportFiles(doc, options.outputPath, &report);
    if (!written) {
        port.Line("error: cannot write the list: " + OutputProblem(options.outputPath, errno));
        return kExitFailed;
    }
    if (report.unencodable > 0) {
        port.Line("warning: " + std::to_string(report.unencodable) +
                  " characters that cp932 cannot hold were written as \"?\"");
    }
    return kExitOk;
}

int RunCheck(const HCliOptions& options, HFlowDocument& doc, HStderrUiPort& port) {
    const HInfoKousuu& e = doc.estimate;
    std::string line = options.documentPath;
    line += port.MessageCount() == 0 ? ": ok"
                                     : ": loaded with " + std::to_string(port.MessageCount()) +
                                           (port.MessageCount() == 1 ? " message" : " messages");
    line += " (" + std::to_string(e.dataCount) + " data functions, " +
            std::to_string(e.transactionCount) + " transactions, " +
            std::to_string(doc.Lines().Count()) +
            (doc.Lines().Count() == 1 ? " relation line, UFP " : " relation lines, UFP ") +
            std::to_string(e.ufp) + ")\n";
    return WriteStdout(line, port);
}

draw::HPictureKind PictureKind(HPictureFormat format) {
    switch (format) {
        case HPictureFormat::Svg:
            return draw::HPictureKind::Svg;
        case HPictureFormat::Pdf:
            return draw::HPictureKind::Pdf;
        case HPictureFormat::Png:
            break;
    }
    return draw::HPictureKind::Png;
}

// Qt's notes about the machine (no runtime folder, no screen) are no concern of a
// picture's maker; only its errors reach standard error.
void QtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "zvk: Qt: %s\n", message.toLocal8Bit().constData());
    }
}

// Qt draws without a display: on the offscreen platform unless the caller chose another.
// Only its errors reach standard error.
void PrepareQt() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QtErrorsOnly);
}

// Writes bytes as the whole file at the output path, or leaves what was there.
int WriteOutput(const HCliOptions& options, const QByteArray& bytes, const char* what,
                HStderrUiPort& port) {
    errno = 0;
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(options.outputPath)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const int error = errno;
        file.cancelWriting();
        port.Line(std::string("error: cannot write the ") + what + ": " +
                  OutputProblem(options.outputPath, error));
        return kExitFailed;
    }
    return kExitOk;
}

// Starts Qt, makes the output in memory with make(problem) and writes it whole, so that a
// failed run leaves no half-written file. what names the output in messages.
template <class Make>
int WriteMadeWithQt(const HCliOptions& options, const char* what, HStderrUiPort& port, Make make) {
    PrepareQt();
    int argc = 1;
    char name[] = "zvk";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    port.SetSubject(options.outputPath);
    std::string problem;
    const QByteArray bytes = make(problem);
    if (bytes.isEmpty()) {
        port.Line("error: " + problem);
        return kExitFailed;
    }
    return WriteOutput(options, bytes, what, port);
}

int RunRender(const HCliOptions& options, const HFlowDocument& doc, HStderrUiPort& port) {
    return WriteMadeWithQt(options, "picture", port, [&](std::string& problem) {
        return draw::RenderPicture(
            doc, {PictureKind(options.pictureFormat), options.zoomPercent, options.background},
            problem);
    });
}

int RunPdf(const HCliOptions& options, const HFlowDocument& doc, HStderrUiPort& port) {
    return WriteMadeWithQt(options, "report", port, [&](std::string& problem) {
        return draw::RenderEstimateReport(doc, System().CurrentRules(),
                                          draw::ReportHeadingFor(doc, options.documentPath),
                                          problem);
    });
}

// The editor's own steps: the document as it stands once opened, then its save command,
// which writes the whole file or leaves the old one as it was.
int RunSave(const HCliOptions& options, HStderrUiPort& port) {
    CZarvikDoc doc;
    if (!OpenDocument(options.documentPath, doc, port, HNewerDocument::kRefuse)) {
        return kExitFailed;
    }
    doc.ResetHistory();
    doc.SetPathName(options.outputPath, 0);
    port.SetSubject(options.outputPath);
    errno = 0;
    if (!doc.OnFileSave()) {
        port.Line("error: cannot write the document: " + OutputProblem(options.outputPath, errno));
        return kExitFailed;
    }
    return kExitOk;
}

std::string ToJsonText(const nlohmann::ordered_json& json) {
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

// Both documents are measured by the same system rules, unless one has rules of its own.
int RunCompare(const HCliOptions& options, HStderrUiPort& port) {
    HFlowDocument base;
    HFlowDocument next;
    if (!OpenDocument(options.documentPath, base, port) ||
        !OpenDocument(options.newDocumentPath, next, port)) {
        return kExitFailed;
    }
    const HCountComparison comparison = CompareCounts(base, next, options.conversionFp);
    return WriteStdout(
        options.json ? ToJsonText(BuildCompareJson(comparison, options.documentPath,
                                                   options.newDocumentPath))
                     : BuildCompareText(comparison, options.documentPath, options.newDocumentPath),
        port);
}

int RunDocumentCommand(const HCliOptions& options, HStderrUiPort& port) {
    if (std::string problem = PrepareSystemRules(options.settingsPath); !problem.empty()) {
        port.Line("error: " + problem);
        return kExitFailed;
    }
    if (options.command == HCommand::Save) {
        return RunSave(options, port);
    }
    if (options.command == HCommand::Compare) {
        return RunCompare(options, port);
    }
    HFlowDocument doc;
    if (!OpenDocument(options.documentPath, doc, port)) {
        return kExitFailed;
    }
    switch (options.command) {
        case HCommand::Report:
            return WriteStdout(ToUnixLineEnds(BuildReportText(doc.estimate)), port);
        case HCommand::Summary:
            return WriteStdout(ToJsonText(BuildSummary(doc)), port);
        case HCommand::Csv:
            return RunCsv(options, doc, port);
        case HCommand::Check:
            return RunCheck(options, doc, port);
        case HCommand::Render:
            return RunRender(options, doc, port);
        case HCommand::Pdf:
            return RunPdf(options, doc, port);
        default:
            return kExitUsage;
    }
}

int Run(const std::vector<std::string>& args) {
    HStderrUiPort port;
    SetUiPort(&port);
    HCliOptions options;
    if (const std::string error = ParseArguments(args, options); !error.empty()) {
        std::fprintf(stderr, "zvk: %s\n%s", error.c_str(), UsageText());
        return kExitUsage;
    }
    int version[4];
    switch (options.command) {
        case HCommand::Help:
            return WriteStdout(UsageText(), port);
        case HCommand::Version:
            Platform().GetVersion(version);
            return WriteStdout("zvk " + std::to_string(version[0]) + "." +
                                   std::to_string(version[1]) + "." + std::to_string(version[2]) +
                                   "." + std::to_string(version[3]) + "\n",
                               port);
        default:
            return RunDocumentCommand(options, port);
    }
}

}  // namespace
}  // namespace zarvik::cli

int main(int argc, char** argv) {
    try {
        const int status = zarvik::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
        zarvik::SetUiPort(nullptr);
        return status;
    } catch (const std::exception& error) {
        zarvik::SetUiPort(nullptr);
        std::fprintf(stderr, "zvk: error: %s\n", error.what());
        return 1;
    }
}
