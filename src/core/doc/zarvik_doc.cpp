// The document's edit funnel, its observers and its changed state.

#include "core/doc/zarvik_doc.h"

#include <algorithm>
#include <utility>

#include "core/app/system.h"
#include "core/items/item_kinds.h"
#include "core/items/item_line.h"
#include "core/records/info_core.h"

namespace zarvik {

CZarvikDoc::CZarvikDoc() : m_title("無題") {}

CZarvikDoc::~CZarvikDoc() = default;

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

void CZarvikDoc::Tell(const HDocChange& change) {
    // A copy: an observer may detach itself while it is being told.
    const std::vector<HDocObserver*> observers = m_observers;
    for (HDocObserver* observer : observers) {
        observer->OnDocumentChanged(change);
    }
}

void CZarvikDoc::AboutToDestroy(const HItemsGoing& going) {
    const std::vector<HDocObserver*> observers = m_observers;
    for (HDocObserver* observer : observers) {
        observer->OnItemsAboutToGo(going);
    }
}

void CZarvikDoc::AboutToReplaceItems() {
    AboutToDestroy(HItemsGoing{1, {}});
}

int CZarvikDoc::FinishEdit(std::initializer_list<HAfterStep> steps, HDocChange change) {
    const int stored = RunSteps(steps, change);
    Tell(change);
    return stored;
}

int CZarvikDoc::RunSteps(std::initializer_list<HAfterStep> steps, HDocChange& change) {
    int stored = 0;
    int recorded = 0;
    for (const HAfterStep step : steps) {
        switch (step) {
            case HAfterStep::Refresh:
                RefreshItems();
                break;
            case HAfterStep::Record:
                recorded = 1;
                m_history.SetMemoryLimit(UndoMemoryLimitBytes(System().settings));
                stored = PushSnapshot(*this, m_history);
                if (stored) {
                    change.what |= CompareWithSaved();
                }
                m_unrecordedEdit = 0;
                break;
            case HAfterStep::Estimate:
                RecomputeEstimate();
                change.what |= kChangeEstimate;
                break;
        }
    }
    if (!recorded && change.Has(kChangeEdit)) {
        m_unrecordedEdit = 1;
    }
    return stored;
}

void CZarvikDoc::Notify(HDocChange change) {
    FinishEdit({}, change);
}

uint32_t CZarvikDoc::CompareWithSaved() {
    const HSnapshotPtr current = m_history.CurrentEntry();
    const int changed =
        m_savedState == nullptr ? 0 : (current == nullptr || !current->IsSame(m_savedState.get()));
    if (changed == m_changed) {
        return 0;
    }
    m_changed = changed;
    return kChangeModified;
}

int CZarvikDoc::IsChanged() const {
    if (m_savedState == nullptr) {
        return 0;
    }
    if (!m_unrecordedEdit) {
        return m_changed;
    }
    const HSnapshotPtr now = TakeSnapshot(*this, m_savedState);
    // Items that cannot be written cannot be compared either; count them as changed so
    // the user is asked rather than losing them.
    return now == nullptr || !now->IsSame(m_savedState.get()) ? 1 : 0;
}

void CZarvikDoc::MarkSaved() {
    m_savedState = TakeSnapshot(*this, m_history.CurrentEntry());
    m_changed = 0;
    m_unrecordedEdit = 0;
}

void CZarvikDoc::ResetHistory() {
    HSnapshotPtr snapshot = TakeSnapshot(*this);
    m_history.Clear();
    m_history.Push(std::move(snapshot));
    RefreshItems();
    RecomputeEstimate();
    MarkSaved();
}

int CZarvikDoc::RecordStep(uint32_t edited, HDocChange also) {
    HDocChange change = also;
    const int stored =
        RunSteps({HAfterStep::Record, HAfterStep::Refresh, HAfterStep::Estimate}, change);
    if (stored) {
        change.what |= edited;
    } else {
        // Nothing changed: the estimate came out as it was.
        change.what = also.what;
    }
    if (change.what != 0) {
        Tell(change);
    }
    return stored;
}

int CZarvikDoc::AddItem(std::unique_ptr<HItemObject> item) {
    if (item == nullptr) {
        return 0;
    }
    item->SetSelected(0);
    Boxes().Append(std::move(item));
    FinishEdit({HAfterStep::Refresh, HAfterStep::Estimate}, {kChangeStructure | kChangeRecords});
    return 1;
}

int CZarvikDoc::AddLine(std::unique_ptr<HItemLine> line) {
    if (line == nullptr || line->fromItem == nullptr || line->toItem == nullptr) {
        return 0;
    }
    HItemObject* from = line->fromItem;
    HItemObject* to = line->toItem;
    Lines().Append(std::move(line));
    for (HItemObject* end : {from, to}) {
        if (HInfoCore* record = end->Record()) {
            record->UpdateLinks();
        }
    }
    Notify({kChangeStructure | kChangeRecords});
    return 1;
}

void CZarvikDoc::NoteUnrecordedMove() {
    Notify({kChangeGeometry});
}

}  // namespace zarvik
