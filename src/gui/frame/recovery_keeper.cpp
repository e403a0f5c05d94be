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

void HRecoveryKeeper::OnDocumentChanged(const HDocChange& /*change*/) {
    if (!m_slot.Claimed()) {
        return;
    }
    if (!m_doc.IsChanged()) {
        m_timer.stop();
        m_steps = 0;
        WaitForWrite();
        m_slot.Clear();
        m_lastStep = m_doc.History().CurrentEntry().get();
        return;
    }
    const HDiagramSnapshot* step = m_doc.History().CurrentEntry().get();
    if (step != m_lastStep) {
        m_lastStep = step;
        ++m_steps;
    }
    if (m_steps >= kStepsPerCopy) {
        WriteNow();
    } else if (!m_timer.isActive()) {
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
