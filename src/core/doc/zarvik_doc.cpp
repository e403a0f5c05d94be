#include "core/doc/zarvik_doc.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

#include "core/app/system.h"
#include "core/items/item_object.h"
#include "core/port/ui_port.h"
#include "core/store/file_io.h"
#include "core/store/ini_file.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

CZarvikDoc* g_current = nullptr;

// The title of an unnamed document.
constexpr const char* kUntitled = "無題";

std::string AppName() {
    return HSystem::GetVersionString("ProductName");
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ShowLoadFailure(const std::string& path) {
    UiPort().MessageBox(Format("ファイル(%s)の読み込みに失敗しました。", path.c_str()), "エラー",
                        HMsgIcon::Error, HMsgButtons::Ok);
}

HFileChooser DocumentChooser() {
    HFileChooser chooser;
    chooser.filter = kDocumentFilter;
    return chooser;
}

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

CZarvikDoc::CZarvikDoc() : m_title(kUntitled) {
    g_current = this;
}

CZarvikDoc::~CZarvikDoc() {
    if (g_current == this) {
        g_current = nullptr;
    }
}

CZarvikDoc* CurrentDocument() {
    return g_current;
}

void CZarvikDoc::AddObserver(HDocObserver* observer) {
    if (observer != nullptr &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CZarvikDoc::RemoveObserver(HDocObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void CZarvikDoc::UpdateAllViews() {
    // A copy: an observer may detach itself while it is being told.
    const std::vector<HDocObserver*> observers = m_observers;
    for (HDocObserver* observer : observers) {
        observer->OnDocumentUpdate();
    }
}

void CZarvikDoc::NotifyItemsReplacing() {
    const std::vector<HDocObserver*> observers = m_observers;
    for (HDocObserver* observer : observers) {
        observer->OnItemsReplacing();
    }
}

int CZarvikDoc::NewDocument() {
    NotifyItemsReplacing();
    SetPathName("", 0);
    m_modified = 0;
    Boxes().Clear();
    Lines().Clear();
    RefreshItems();
    System().UseSystemRules();
    flow = HInfoFlowProject{};
    UpdateAllViews();
    RecomputeEstimate();
    ResetHistory();
    return 1;
}

int CZarvikDoc::OnFileNew() {
    if (!AskSaveChanges()) {
        return 0;
    }
    return NewDocument();
}

int CZarvikDoc::LoadAndAdopt(const std::string& path) {
    NotifyItemsReplacing();
    if (!LoadDocument(path)) {
        ShowLoadFailure(path);
        UpdateAllViews();
        return 0;
    }
    RecomputeEstimate();
    SetPathName(path);
    RefreshItems();
    ResetHistory();
    UpdateAllViews();
    return 1;
}

int CZarvikDoc::OnFileOpen() {
    const std::optional<std::string> chosen = UiPort().ChooseOpenFile(DocumentChooser());
    if (!chosen || chosen->empty()) {
        UpdateAllViews();
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
        UiPort().MessageBox(Format("%s\r\nこのファイルを開くことができません。", path.c_str()),
                            AppName(), HMsgIcon::Error, HMsgButtons::Ok);
        return 0;
    }
    return LoadAndAdopt(path);
}

int CZarvikDoc::SaveTo(const std::string& path) {
    HSaveReport report;
    if (!SaveDocument(path, &report)) {
        UiPort().MessageBox(Format("ファイル(%s)の保存に失敗しました。", path.c_str()), "エラー",
                            HMsgIcon::Error, HMsgButtons::Ok);
        return 0;
    }
    if (report.unencodable > 0) {
        UiPort().MessageBox(Format("ファイル(%s)には、Shift-JISで表せない文字が%d文字あったため、"
                                   "「?」として保存しました。",
                                   path.c_str(), report.unencodable),
                            AppName(), HMsgIcon::Warning, HMsgButtons::Ok);
    }
    return 1;
}

int CZarvikDoc::OnFileSave() {
    if (m_pathName.empty()) {
        return 0;
    }
    if (!SaveTo(m_pathName)) {
        return 0;
    }
    MarkSaved();
    UpdateAllViews();
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
    SetPathName(path);
    MarkSaved();
    UpdateAllViews();
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
    const std::vector<HDocObserver*> observers = m_observers;
    for (HDocObserver* observer : observers) {
        observer->OnTitleChanged(m_title);
    }
}

void CZarvikDoc::SetPathName(const std::string& path, int addToRecent) {
    m_pathName = path;
    if (addToRecent && !path.empty()) {
        UiPort().AddRecentFile(path);
    }
    SetDocTitle(path.empty() ? std::string(kUntitled) : FileNameOf(path));
}

int CZarvikDoc::IsChanged() const {
    if (m_savedState == nullptr) {
        return 0;
    }
    const std::unique_ptr<HInfoIniFile> now = TakeSnapshot(*this, m_savedState.get());
    // Items that cannot be written cannot be compared either; count them as changed so
    // the user is asked rather than losing them.
    return now == nullptr || !now->IsSame(m_savedState.get()) ? 1 : 0;
}

void CZarvikDoc::MarkSaved() {
    m_modified = 0;
    m_savedState = TakeSnapshot(*this, m_history.CurrentEntry());
}

void CZarvikDoc::ResetHistory() {
    std::unique_ptr<HInfoIniFile> snapshot = TakeSnapshot(*this);
    m_history.Clear();
    m_history.Push(std::move(snapshot));
    RefreshItems();
    RecomputeEstimate();
    MarkSaved();
}

int CZarvikDoc::RecordStep() {
    const int stored = zarvik::RecordStep(*this, m_history);
    if (stored) {
        m_modified = 1;
    }
    return stored;
}

int CZarvikDoc::AddItem(std::unique_ptr<HItemObject> item) {
    if (item == nullptr) {
        return 0;
    }
    item->SetSelected(0);
    Boxes().Append(std::move(item));
    RefreshItems();
    RecomputeEstimate();
    UpdateAllViews();
    return 1;
}

HFlowPropertiesDraft CZarvikDoc::FlowPropertiesDraft() const {
    return {flow.flowName, flow.lastUpdate, System().IsUsingSystemRules() ? 0 : 1};
}

void CZarvikDoc::ApplyFlowProperties(const HFlowPropertiesDraft& draft) {
    flow.flowName = draft.flowName;
    flow.lastUpdate = draft.lastUpdate;
    System().SetDocumentRules(draft.ownRules ? 0 : 1);
    Recompute();
    UpdateAllViews();
}

}  // namespace zarvik
