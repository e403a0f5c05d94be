#include "gui/frame/recovery_keeper.h"

#include <ctime>
#include <utility>

#include "core/doc/zarvik_doc.h"

namespace zarvik::gui {

HRecoveryKeeper::HRecoveryKeeper(CZarvikDoc& doc, const std::string& folder, QObject* parent)
    : QObject(parent), m_doc(doc), m_slot(folder) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kCopyIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteNow(); });
    m_lastStep = m_doc.History().CurrentEntry().get();
    m_doc.AddObserver(this);
}

HRecoveryKeeper::~HRecoveryKeeper() {
    m_doc.RemoveObserver(this);
    WaitForWrite();
}

int HRecoveryKeeper::WaitForWrite() {
    return m_write.valid() ? m_write.get() : 1;
}

void HRecoveryKeeper::OnDocumentChanged(const HDocChange& change) {
    if (!m_slot.Claimed()) {
        return;
    }
    // Whether the document differs from its saved state is asked only when a step was
    // recorded, undone or redone, or the changed state turned: the automatic layout moves
    // boxes without a step many times a second, and then the question costs a snapshot.
    const HDiagramSnapshot* step = m_doc.History().CurrentEntry().get();
    const bool stepped = step != m_lastStep;
    if (stepped || change.Has(kChangeModified)) {
        m_lastStep = step;
        if (!m_doc.IsChanged()) {
            m_timer.stop();
            m_steps = 0;
            WaitForWrite();
            m_slot.Clear();
            return;
        }
        m_steps += stepped ? 1 : 0;
        if (m_steps >= kStepsPerCopy) {
            WriteNow();
            return;
        }
    }
    if (!m_timer.isActive() && change.Has(kChangeEdit | kChangeModified)) {
        m_timer.start();
    }
}

int HRecoveryKeeper::WriteNow() {
    m_timer.stop();
    m_steps = 0;
    if (!m_slot.Claimed() || !m_doc.IsChanged()) {
        return 0;
    }
    WaitForWrite();
    HRecoveryCopy about;
    about.originalPath = m_doc.PathName();
    about.flowName = m_doc.flow.flowName.empty() ? m_doc.Title() : m_doc.flow.flowName;
    about.savedAt = DocumentTimeText(std::time(nullptr));
    int unencodable = 0;
    HBigBuffer bytes = m_doc.DocumentBytes(about.savedAt, unencodable);
    m_write =
        std::async(std::launch::async, [this, bytes = std::move(bytes), about = std::move(about)] {
            return m_slot.Write(bytes.View(), about);
        });
    return 1;
}

}  // namespace zarvik::gui
