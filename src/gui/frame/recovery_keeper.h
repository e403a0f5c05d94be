#pragma once
// Keeps the recovery copy of the open document: while the document has unsaved changes it
// is written at most once a minute, and at once after every 50 recorded steps; a save, or
// undoing back to the saved state, removes it, and so does the keeper's normal end. The
// bytes are made on the window's thread and written on a thread of their own, so that a
// large document's copy never holds up an edit.

#include <QObject>
#include <QTimer>
#include <future>
#include <string>

#include "core/doc/doc_change.h"
#include "core/doc/recovery.h"

namespace zarvik {
class CZarvikDoc;
class HDiagramSnapshot;
}  // namespace zarvik

namespace zarvik::gui {

class HRecoveryKeeper : public QObject, public HDocObserver {
    Q_OBJECT
public:
    static constexpr int kStepsPerCopy = 50;
    static constexpr int kCopyIntervalMs = 60 * 1000;

    // Watches doc, keeping its copies in a slot of its own in folder.
    HRecoveryKeeper(CZarvikDoc& doc, const std::string& folder, QObject* parent = nullptr);
    ~HRecoveryKeeper() override;

    // HDocObserver
    void OnDocumentChanged(const HDocChange& change) override;

    // Starts writing the copy now when the document has unsaved changes; 1 when it did.
    int WriteNow();
    // Waits for a copy being written; 1 when the last copy was written (or none was).
    int WaitForWrite();
    const HRecoverySlot& Slot() const { return m_slot; }

private:
    CZarvikDoc& m_doc;
    HRecoverySlot m_slot;
    QTimer m_timer;
    const HDiagramSnapshot* m_lastStep = nullptr;
    int m_steps = 0;
    std::future<int> m_write;
};

}  // namespace zarvik::gui
