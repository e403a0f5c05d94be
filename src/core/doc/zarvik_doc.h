#pragma once
// The one open document of the editor: the flow document with its undo history, its
// saved state, its path and title, and the lifecycle around them (new, open, save, save
// as, the save question, closing). Every edit ends in its edit funnel, which runs the
// steps that follow the edit and then tells the observers what changed; views never edit
// the items behind the document's back.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/command/command_ids.h"
#include "core/doc/doc_change.h"
#include "core/doc/flow_document.h"
#include "core/doc/history.h"
#include "core/store/ini_store.h"

namespace zarvik {

class HClipboard;
class HItemLine;
class HItemObject;
enum class HCsvList;

inline constexpr const char* kDocumentFilter =
    "Zarvik Files (*.zvk)|*.zvk|Ini Files (*.ini)|*.ini|All Files (*.*)|*.*||";

// The steps that follow an edit; each command runs them in an order of its own.
enum class HAfterStep {
    Refresh,   // UpdateLinks on every record
    Record,    // an undo step, when the diagram differs from the current one
    Estimate,  // the estimate under the rules in force
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
    ~CZarvikDoc() override;
    CZarvikDoc(const CZarvikDoc&) = delete;
    CZarvikDoc& operator=(const CZarvikDoc&) = delete;

    void AddObserver(HDocObserver* observer);
    void RemoveObserver(HDocObserver* observer);

    // --- the edit funnel ---
    // Runs the steps in the order given, then tells every observer once what changed (the
    // estimate and the changed state are added when they changed). Returns 1 when the
    // Record step stored an undo step.
    int FinishEdit(std::initializer_list<HAfterStep> steps, HDocChange change);
    // A change that needs no step: a selection, the title.
    void Notify(HDocChange change);
    // Before items are destroyed: observers let go of them.
    void AboutToDestroy(const HItemsGoing& going);

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
    // Opens a recovery copy as the document that belongs at originalPath (empty for one
    // never saved), changed and unsaved, so that a save writes it back there. A copy that
    // cannot be read says so and keeps the document as it was. Returns 1 when restored.
    int RestoreCopy(const std::string& copyPath, const std::string& originalPath);
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

    // 1 when the items differ from those at the last new, open or save. Known from the
    // comparison each recorded step makes; only an edit that recorded no step yet (the
    // automatic layout) makes it take a snapshot.
    int IsChanged() const;
    void MarkSaved();
    // The current items become the only undo state; then refresh, estimate, MarkSaved.
    void ResetHistory();

    const HHistoryStack& History() const { return m_history; }
    // An undo step of the current diagram, then refresh and estimate. Observers hear of
    // edited when a step was stored, and of also in any case.
    int RecordStep(uint32_t edited = kChangeEdit, HDocChange also = {});
    // The canvas hands over a placed box: it goes on top, unselected; then refresh,
    // estimate and the notice. Returns 1.
    int AddItem(std::unique_ptr<HItemObject> item);
    // The canvas hands over a completed relation line: it joins the line list and both
    // ends gather their links again. The release that completed it records the step.
    int AddLine(std::unique_ptr<HItemLine> line);
    // The automatic layout moved boxes without recording a step: the next step will.
    void NoteUnrecordedMove();

    // --- flow properties ---
    HFlowPropertiesDraft FlowPropertiesDraft() const;
    // The sheet's OK: name and last update come back, the check box decides between the
    // document's own rules and the system rules; then Recompute and the notice.
    void ApplyFlowProperties(const HFlowPropertiesDraft& draft);

    // --- the document's commands ---
    // 1 when the command can run now. 0 for a command that is not the document's.
    int IsCommandEnabled(int32_t id, const HClipboard& clipboard) const;
    // 1 when the command's menu entry carries a check mark.
    int IsCommandChecked(int32_t id) const;
    // Runs one of the commands that need no sheet of the window: delete, stacking order,
    // arrow styles, line visibility, format copy and paste, undo, redo, the file
    // commands and the CSV lists. Returns 0 when it was not enabled or did nothing.
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

protected:
    void AboutToReplaceItems() override;

private:
    // The topmost selected line gets edit; then refresh, an undo step, the notice.
    int EditSelectedLine(void (*edit)(HItemLine&), uint32_t changed);
    int PasteFormat(int32_t id, HClipboard& clipboard);
    int SaveTo(const std::string& path);
    // Path name and title without the notice.
    void AdoptPath(const std::string& path, int addToRecent);
    int LoadAndAdopt(const std::string& path);
    // The steps of FinishEdit without the notice; change collects what they changed.
    int RunSteps(std::initializer_list<HAfterStep> steps, HDocChange& change);
    // After the current entry of the history changed: whether it differs from the saved
    // state. Returns kChangeModified when the answer turned.
    uint32_t CompareWithSaved();
    void Tell(const HDocChange& change);

    HHistoryStack m_history;
    HSnapshotPtr m_savedState;
    std::string m_pathName;
    std::string m_title;
    int m_changed = 0;
    // An edit recorded no step yet: the changed state needs a snapshot to be known.
    int m_unrecordedEdit = 0;
    std::vector<HDocObserver*> m_observers;
};

// Loads path into doc as the editor opens a document: a UTF-8 document and one of a newer
// version are read only when the user says so; what the load skipped, and why it failed,
// are shown. Returns 1 when the document loaded.
int LoadAskingTheUser(HFlowDocument& doc, const std::string& path);

}  // namespace zarvik
