#include "cli/document_loader.h"

#include "cli/stderr_ui_port.h"
#include "core/doc/flow_document.h"
#include "core/fp/info_rule.h"
#include "core/store/ini_file.h"

namespace zarvik::cli {

std::string DiagnoseLoadFailure(const std::string& bytes) {
    HInfoIniFile store;
    store.ReadBytes(bytes);
    store.RemoveSection(kRuleSectionName);
    store.RemoveSection(kDocumentHeaderSection);
    HIniFile ini(store, 0);
    HFlowDocument scratch;
    return scratch.LoadItems(ini).detail;
}

int OpenDocument(const std::string& path, HFlowDocument& doc, HStderrUiPort& port,
                 HNewerDocument newer) {
    port.SetSubject(path);
    // The port answers OK to both questions and says what it took.
    HLoadOptions options;
    HLoadResult result = doc.LoadDocument(path, options);
    if (result.status == HLoadStatus::kUtf8Text) {
        port.MessageBox(Utf8Question(path), "確認", HMsgIcon::Question, HMsgButtons::OkCancel);
        options.acceptUtf8 = 1;
        result = doc.LoadDocument(path, options);
    }
    if (result.status == HLoadStatus::kNewerVersion && newer == HNewerDocument::kRefuse) {
        // As when the user cancels the editor's question.
        result.detail += ", which is not rewritten by an older one";
    } else if (result.status == HLoadStatus::kNewerVersion) {
        port.MessageBox(kNewerVersionQuestion, "確認", HMsgIcon::Warning, HMsgButtons::OkCancel);
        port.Line("warning: its figures may differ from what the newer version computes");
        options.acceptNewer = 1;
        result = doc.LoadDocument(path, options);
    }
    if (result.fileMissing) {
        port.Line("error: no such file");
        return 0;
    }
    for (const std::string& message : SkippedSectionMessages(result)) {
        port.MessageBox(message, "エラー", HMsgIcon::Error, HMsgButtons::Ok);
    }
    switch (result.status) {
        case HLoadStatus::kOk:
            return 1;
        case HLoadStatus::kUnreadable:
        case HLoadStatus::kNotText:
        case HLoadStatus::kTooLarge:
        case HLoadStatus::kNoSection:
            break;
        default:
            port.MessageBox(LoadFailureMessage(path), "エラー", HMsgIcon::Error, HMsgButtons::Ok);
            break;
    }
    port.Line("error: " + result.detail);
    return 0;
}

}  // namespace zarvik::cli
