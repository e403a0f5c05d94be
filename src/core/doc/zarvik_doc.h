#pragma once
// The one open document of the editor: the flow document with its undo history, its
// saved state, its path and title, and the lifecycle around them (new, open, save, save
// as, the save question, closing). Views attach as observers and hear of every change;
// they never edit the items behind the document's back.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/doc/history.h"
#include "core/store/ini_store.h"

namespace zarvik {

class HClipboard;
class HItemLine;
class HItemObject;
enum class HCsvList;

// File menu commands.
inline constexpr int32_t kCmdFileNew = 57600;
inline constexpr int32_t kCmdFileOpen = 57601;
inline constexpr int32_t kCmdFileSave = 57603;
inline constexpr int32_t kCmdFileSaveAs = 57604;
inline constexpr int32_t kCmdExportTransactions = 33010;
inline constexpr int32_t kCmdExportFiles = 33011;
inline constexpr int32_t kCmdFlowProperties = 33036;
// Stacking order of the one selected box.
inline constexpr int32_t kCmdBringToFront = 32784;
inline constexpr int32_t kCmdSendToBack = 32785;
inline constexpr int32_t kCmdBringForward = 32787;
inline constexpr int32_t kCmdSendBackward = 32788;
inline constexpr int32_t kCmdUndo = 33005;
inline constexpr int32_t kCmdRedo = 33006;

// Keyboard accelerator tables.
inline constexpr int32_t kAcceleratorsMain = 128;
inline constexpr int32_t kAcceleratorsEstimateSheet = 200;

inline constexpr const char* kDocumentFilter =
    "Zarvik Files (*.zvk)|*.zvk|Ini Files (*.ini)|*.ini|All Files (*.*)|*.*||";

// What views hear from the document.
class HDocObserver {
public:
    virtual ~HDocObserver() = default;
    // Items, the estimate or the path changed: refresh the extent, the panels, redraw.
    virtual void OnDocumentUpdate() {}
    // The items are about to be destroyed and rebuilt (undo, redo, new, open): whatever
    // refers to an item must let go of it now.
    virtual void OnItemsReplacing() {}
    // The window caption follows the title.
    virtual void OnTitleChanged(const std::string& /*title*/) {}
};

// The flow properties sheet's working copy.
struct HFlowPropertiesDraft {
    std::string flowName;
    std::string lastUpdate;
    int ownRules = 0;  // the check box "このフロー図に、独自のルール設定を行う。"
};

// The title shown for a document title: 32 bytes of cp932 or more are cut to 30 when
// byte 30 starts a double-byte character, else to 31.
std::string ShortenDocTitle(const std::string& title);

class CZarvikDoc : public HFlowDocument {
public:
    CZarvikDoc();
    ~CZarvikDoc();
    CZarvikDoc(const CZarvikDoc&) = delete;
    CZarvikDoc& operator=(const CZarvikDoc&) = delete;

    void AddObserver(HDocObserver* observer);
    void RemoveObserver(HDocObserver* observer);
    // The update notice to every view.
    void UpdateAllViews();

    // --- lifecycle ---
    // An empty, unnamed document under the system rules. Returns 1.
    int NewDocument();
    // The new command: the save question, then NewDocument. Returns 0 when cancelled.
    int OnFileNew();
    // The open command: the chooser, the save question, then the load. Returns 1 when a
    // document was loaded.
    int OnFileOpen();
    // Opening a path from the recent files or the command line: the same path as the
    // open document is read again after the save question.
    int OpenPath(const std::string& path);
    // Loads path (which must be a readable file) as the document. A failure says so and
    // keeps the document as it was. Returns 1 when loaded.
    int OpenDocumentPath(const std::string& path);
    // Save to the path name; disabled (returns 0) without one.
    int OnFileSave();
    // Save under a chosen name. Returns 0 when the chooser was cancelled or the write
    // failed; the document's changed state then stays as it was.
    int OnFileSaveAs();
    // The save question before new, open and close: 1 to go on, 0 to stop.
    int AskSaveChanges();
    // Closing the main window: "終了しますか？", then the save question. 1 to close.
    int ConfirmClose();

    void SetDocTitle(const std::string& title);
    const std::string& Title() const { return m_title; }
    const std::string& PathName() const { return m_pathName; }
    // Sets the path name and the title that goes with it; addToRecent also puts the path
    // on the recent files.
    void SetPathName(const std::string& path, int addToRecent = 1);
    int IsModifiedFlag() const { return m_modified; }
    void SetModifiedFlag(int modified = 1) { m_modified = modified; }

    // 1 when the items differ from those at the last new, open or save.
    int IsChanged() const;
    void MarkSaved();
    // The current items become the only undo state; then refresh, estimate, MarkSaved.
    void ResetHistory();

    HHistoryStack& History() { return m_history; }
    const HHistoryStack& History() const { return m_history; }
    // RecordStep on the document's history.
    int RecordStep();
    // The canvas hands over a placed box: it goes on top, unselected; then refresh,
    // estimate and the update notice. Returns 1.
    int AddItem(std::unique_ptr<HItemObject> item);

    // --- flow properties ---
    HFlowPropertiesDraft FlowPropertiesDraft() const;
    // The sheet's OK: name and last update come back, the check box decides between the
    // document's own rules and the system rules; then Recompute and the update notice.
    void ApplyFlowProperties(const HFlowPropertiesDraft& draft);

    // --- the document's commands ---
    // 1 when the command can run now (menus and tool bars ask before showing).
    int IsCommandEnabled(int32_t id, const HClipboard& clipboard) const;
    // Runs one of the commands that need no sheet or chooser of the window: delete,
    // stacking order, arrow styles, line visibility, format copy and paste, undo, redo,
    // save, save as, open, new. Returns 0 when it was not enabled or did nothing.
    int RunCommand(int32_t id, HClipboard& clipboard);

    int DeleteSelectedBoxes();
    int DeleteSelectedLines();
    int MoveSelectedBox(int32_t id);
    int ReverseSelectedLine();
    int ToggleSelectedLineBothArrows();
    int ToggleSelectedLineNoArrow();
    int ToggleSelectedBoxesLineVisibility();
    int UndoStep();
    int RedoStep();
    // The CSV export commands: the chooser, then the list. Returns 1 when written.
    int OnExportCsv(HCsvList list);
    // The OK steps of the sheets the window shows.
    void AfterItemSheetOk();
    void AfterFormatSheetOk();  // box and line format
    // Rules, reference tables, system settings or the estimate sheet changed.
    void AfterSettingsChanged();

    int32_t acceleratorId = kAcceleratorsMain;

private:
    // The topmost selected line gets edit; then refresh, an undo step, the views.
    int EditSelectedLine(void (*edit)(HItemLine&));
    int SaveTo(const std::string& path);
    int LoadAndAdopt(const std::string& path);
    void NotifyItemsReplacing();

    HHistoryStack m_history;
    std::unique_ptr<HInfoIniFile> m_savedState;
    std::string m_pathName;
    std::string m_title;
    int m_modified = 0;
    std::vector<HDocObserver*> m_observers;
};

// The document of the process: the one constructed last and still alive.
CZarvikDoc* CurrentDocument();

}  // namespace zarvik
