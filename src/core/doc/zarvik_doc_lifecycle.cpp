// The open document's life: new, open, save, save as, the save question, closing, the
// title and the flow properties.

#include <unistd.h>

#include "core/app/system.h"
#include "core/doc/snapshot.h"
#include "core/doc/zarvik_doc.h"
#include "core/port/ui_port.h"
#include "core/store/file_io.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

// The title of an unnamed document.
constexpr const char* kUntitled = "無題";

std::string AppName() {
    return HSystem::GetVersionString("ProductName");
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ShowMessage(const std::string& text, const std::string& caption, HMsgIcon icon) {
    UiPort().MessageBox(text, caption, icon, HMsgButtons::Ok);
}

HFileChooser DocumentChooser() {
    HFileChooser chooser;
    chooser.filter = kDocumentFilter;
    return chooser;
}

// Everything about the document changes when another one takes its place.
constexpr uint32_t kChangeWholeDocument =
    kChangeItems | kChangeRules | kChangeTitle | kChangeModified;

}  // namespace

std::string ShortenDocTitle(const std::string& title) {
    const std::string bytes = ToCp932(title);
    if (bytes.size() < 32) {
        return title;
    }
    // Whether byte 30 starts a double-byte character is found by walking the characters
    // from the start: a trail byte may look like a lead byte, and cutting after it would
    // leave half a character.
    std::size_t at = 0;
    while (at < 30) {
        at += IsCp932LeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
    }
    const std::size_t keep =
        at == 30 && IsCp932LeadByte(static_cast<unsigned char>(bytes[30])) ? 30 : 31;
    return Cp932ToUtf8(std::string_view(bytes).substr(0, keep));
}

int CZarvikDoc::NewDocument() {
    AboutToReplaceItems();
    AdoptPath("", 0);
    Boxes().Clear();
    Lines().Clear();
    System().UseSystemRules();
    flow = HInfoFlowProject{};
    ResetHistory();
    Tell({kChangeWholeDocument | kChangeEstimate});
    return 1;
}

int CZarvikDoc::OnFileNew() {
    if (!AskSaveChanges()) {
        return 0;
    }
    return NewDocument();
}

int CZarvikDoc::LoadAndAdopt(const std::string& path) {
    if (!LoadAskingTheUser(*this, path)) {
        return 0;
    }
    AdoptPath(path, 1);
    ResetHistory();
    Tell({kChangeWholeDocument | kChangeEstimate});
    return 1;
}

int CZarvikDoc::RestoreCopy(const std::string& copyPath, const std::string& originalPath) {
    const HLoadResult result = LoadDocument(copyPath);
    if (!result) {
        ShowMessage(LoadFailureMessage(copyPath, result.status), "エラー", HMsgIcon::Error);
        return 0;
    }
    AdoptPath(originalPath, 0);
    ResetHistory();
    // What lies at the original path is older than the copy: the document counts as changed
    // against an empty diagram until it is saved.
    m_savedState = HDiagramSnapshot::Builder(nullptr).Finish();
    m_changed = 1;
    Tell({kChangeWholeDocument | kChangeEstimate | kChangeTitle | kChangeModified});
    return 1;
}

int CZarvikDoc::OnFileOpen() {
    const std::optional<std::string> chosen = UiPort().ChooseOpenFile(DocumentChooser());
    if (!chosen || chosen->empty()) {
        return 0;
    }
    if (!AskSaveChanges()) {
        return 0;
    }
    return LoadAndAdopt(*chosen);
}

int CZarvikDoc::OpenPath(const std::string& path) {
    if (!AskSaveChanges()) {
        return 0;
    }
    return OpenDocumentPath(path);
}

int CZarvikDoc::OpenDocumentPath(const std::string& path) {
    if (::access(path.c_str(), R_OK) != 0) {
        ShowMessage(Format("%s\r\nこのファイルを開くことができません。", path.c_str()), AppName(),
                    HMsgIcon::Error);
        return 0;
    }
    return LoadAndAdopt(path);
}

int CZarvikDoc::SaveTo(const std::string& path) {
    HSaveReport report;
    if (!SaveDocument(path, &report)) {
        ShowMessage(Format("ファイル(%s)の保存に失敗しました。", path.c_str()), "エラー",
                    HMsgIcon::Error);
        return 0;
    }
    if (report.unencodable > 0) {
        ShowMessage(Format("ファイル(%s)には、Shift-JISで表せない文字が%d文字あったため、"
                           "「?」として保存しました。",
                           path.c_str(), report.unencodable),
                    AppName(), HMsgIcon::Warning);
    }
    return 1;
}

int CZarvikDoc::OnFileSave() {
    if (m_pathName.empty() || !SaveTo(m_pathName)) {
        return 0;
    }
    const int wasChanged = m_changed || m_unrecordedEdit;
    MarkSaved();
    if (wasChanged) {
        Tell({kChangeModified});
    }
    return 1;
}

int CZarvikDoc::OnFileSaveAs() {
    HFileChooser chooser = DocumentChooser();
    chooser.defaultName = m_pathName;
    const std::optional<std::string> chosen = UiPort().ChooseSaveFile(chooser);
    if (!chosen || chosen->empty()) {
        return 0;
    }
    const std::string path = PathWithDefaultExtension(*chosen, ".zvk");
    if (!SaveTo(path)) {
        return 0;
    }
    MarkSaved();
    AdoptPath(path, 1);
    Tell({kChangeTitle | kChangeModified});
    return 1;
}

int CZarvikDoc::AskSaveChanges() {
    if (!IsChanged()) {
        return 1;
    }
    const std::string text =
        m_pathName.empty()
            ? std::string(
                  "新規のドキュメントが作成されています。\r\n\r\n名前を付けて保存しますか？")
            : Format("ファイル %s の内容は変更されています。\r\n\r\n変更を保存しますか？",
                     m_pathName.c_str());
    for (;;) {
        switch (UiPort().MessageBox(text, AppName(), HMsgIcon::Warning, HMsgButtons::YesNoCancel)) {
            case HMsgAnswer::Yes:
                // A cancelled chooser or a failed write asks again: the user still has
                // No and Cancel, and nothing is lost silently.
                if (m_pathName.empty() ? OnFileSaveAs() : OnFileSave()) {
                    return 1;
                }
                break;
            case HMsgAnswer::No:
                return 1;
            default:
                return 0;
        }
    }
}

int CZarvikDoc::ConfirmClose() {
    if (UiPort().MessageBox("終了しますか？", AppName(), HMsgIcon::Warning, HMsgButtons::YesNo) !=
        HMsgAnswer::Yes) {
        return 0;
    }
    return AskSaveChanges();
}

void CZarvikDoc::SetDocTitle(const std::string& title) {
    m_title = ShortenDocTitle(title);
    Tell({kChangeTitle});
}

void CZarvikDoc::AdoptPath(const std::string& path, int addToRecent) {
    m_pathName = path;
    if (addToRecent && !path.empty()) {
        UiPort().AddRecentFile(path);
    }
    m_title = ShortenDocTitle(path.empty() ? std::string(kUntitled) : FileNameOf(path));
}

void CZarvikDoc::SetPathName(const std::string& path, int addToRecent) {
    AdoptPath(path, addToRecent);
    Tell({kChangeTitle});
}

HFlowPropertiesDraft CZarvikDoc::FlowPropertiesDraft() const {
    return {flow.flowName, flow.lastUpdate, System().IsUsingSystemRules() ? 0 : 1};
}

void CZarvikDoc::ApplyFlowProperties(const HFlowPropertiesDraft& draft) {
    flow.flowName = draft.flowName;
    flow.lastUpdate = draft.lastUpdate;
    System().SetDocumentRules(draft.ownRules ? 0 : 1);
    FinishEdit({HAfterStep::Refresh, HAfterStep::Estimate}, {kChangeRules});
}

int LoadAskingTheUser(HFlowDocument& doc, const std::string& path) {
    HLoadOptions options;
    HLoadResult result = doc.LoadDocument(path, options);
    if (result.status == HLoadStatus::kUtf8Text &&
        UiPort().MessageBox(Utf8Question(path), "確認", HMsgIcon::Question,
                            HMsgButtons::OkCancel) == HMsgAnswer::Ok) {
        options.acceptUtf8 = 1;
        result = doc.LoadDocument(path, options);
    }
    if (result.status == HLoadStatus::kNewerVersion &&
        UiPort().MessageBox(kNewerVersionQuestion, "確認", HMsgIcon::Warning,
                            HMsgButtons::OkCancel) == HMsgAnswer::Ok) {
        options.acceptNewer = 1;
        result = doc.LoadDocument(path, options);
    }
    for (const std::string& message : SkippedSectionMessages(result)) {
        ShowMessage(message, "エラー", HMsgIcon::Error);
    }
    if (!result) {
        ShowMessage(LoadFailureMessage(path, result.status), "エラー", HMsgIcon::Error);
        return 0;
    }
    return 1;
}

}  // namespace zarvik
