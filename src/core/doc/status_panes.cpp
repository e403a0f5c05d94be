#include "core/doc/status_panes.h"

#include "core/doc/zarvik_doc.h"
#include "core/fp/estimate.h"
#include "core/port/ui_port.h"

namespace zarvik {

HStatusPanes::HStatusPanes(CZarvikDoc& doc) : m_doc(doc) {
    m_doc.AddObserver(this);
    Write();
}

HStatusPanes::~HStatusPanes() {
    m_doc.RemoveObserver(this);
}

void HStatusPanes::OnDocumentChanged(const HDocChange& change) {
    if (change.Has(kChangeEstimate)) {
        Write();
    }
}

void HStatusPanes::Write() {
    const HEstimateStatus status = GetEstimateStatus(m_doc.estimate);
    HUiPort& ui = UiPort();
    ui.SetStatusPane(2, status.data);
    ui.SetStatusPane(3, status.transaction);
    ui.SetStatusPane(4, status.ufp);
    ui.SetStatusPane(5, status.effort);
}

}  // namespace zarvik
