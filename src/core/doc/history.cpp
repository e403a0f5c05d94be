#include "core/doc/history.h"

#include <utility>

#include "core/doc/flow_document.h"
#include "core/store/ini_file.h"

namespace zarvik {

int HHistoryStack::Push(std::unique_ptr<HInfoIniFile> snapshot) {
    if (snapshot == nullptr) {
        return 0;
    }
    if (m_current > 0 && m_entries[m_current - 1]->IsSame(snapshot.get())) {
        return 0;
    }
    // Kept for good and never changed again: the room for growth is only waste.
    snapshot->ShrinkToFit();
    m_entries.resize(static_cast<std::size_t>(m_current));
    m_entries.push_back(std::move(snapshot));
    ++m_current;
    return 1;
}

int HHistoryStack::Back(HInfoIniFile*& out) {
    if (m_current <= 1) {
        out = nullptr;
        return 0;
    }
    --m_current;
    out = m_entries[m_current - 1].get();
    return 1;
}

int HHistoryStack::Forward(HInfoIniFile*& out) {
    if (m_current >= Count()) {
        out = nullptr;
        return 0;
    }
    ++m_current;
    out = m_entries[m_current - 1].get();
    return 1;
}

int HHistoryStack::Clear() {
    m_entries.clear();
    m_current = 0;
    return 1;
}

const HInfoIniFile* HHistoryStack::CurrentEntry() const {
    return m_current > 0 ? m_entries[m_current - 1].get() : nullptr;
}

std::unique_ptr<HInfoIniFile> TakeSnapshot(const HFlowDocument& doc, const HInfoIniFile* like) {
    auto snapshot = std::make_unique<HInfoIniFile>();
    snapshot->SetSizeHint(like);
    HIniFile ini(*snapshot, 0);
    const int saved = doc.SaveItems(ini);
    snapshot->SetSizeHint(nullptr);
    if (!saved) {
        return nullptr;
    }
    return snapshot;
}

int PushSnapshot(const HFlowDocument& doc, HHistoryStack& history) {
    // Most steps change little: the current entry's sizes fit the new snapshot.
    return history.Push(TakeSnapshot(doc, history.CurrentEntry()));
}

HLoadResult RebuildFromSnapshot(HFlowDocument& doc, HInfoIniFile& snapshot) {
    HIniFile ini(snapshot, 0);
    HLoadResult result = doc.LoadItems(ini);
    if (result) {
        doc.RecomputeEstimate();
    }
    return result;
}

namespace {

using Step = int (HHistoryStack::*)(HInfoIniFile*&);

int StepAndRebuild(HFlowDocument& doc, HHistoryStack& history, Step step, Step stepBack) {
    HInfoIniFile* snapshot = nullptr;
    if (!(history.*step)(snapshot)) {
        return 0;
    }
    if (!RebuildFromSnapshot(doc, *snapshot)) {
        (history.*stepBack)(snapshot);
        return 0;
    }
    return 1;
}

}  // namespace

int Undo(HFlowDocument& doc, HHistoryStack& history) {
    return StepAndRebuild(doc, history, &HHistoryStack::Back, &HHistoryStack::Forward);
}

int Redo(HFlowDocument& doc, HHistoryStack& history) {
    return StepAndRebuild(doc, history, &HHistoryStack::Forward, &HHistoryStack::Back);
}

}  // namespace zarvik
