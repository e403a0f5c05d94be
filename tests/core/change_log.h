#pragma once
// An observer that writes down what a document tells, in order: "about to" notices with
// the items still alive, and change notices with their flags.

#include <string>
#include <vector>

#include "core/doc/zarvik_doc.h"
#include "core/items/item_core.h"

namespace zarvik::test_support {

class ChangeLog : public HDocObserver {
public:
    explicit ChangeLog(CZarvikDoc& doc) : m_doc(doc) { m_doc.AddObserver(this); }
    ~ChangeLog() override { m_doc.RemoveObserver(this); }
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    void OnItemsAboutToGo(const HItemsGoing& going) override {
        // Reading every item that goes proves it is still alive (the sanitizer build
        // would catch a read of a destroyed one).
        int named = 0;
        for (const HItemCore* item = m_doc.Boxes().Head(); item != nullptr; item = item->next) {
            named += going.Contains(item) && !item->GetSectionKey().empty() ? 1 : 0;
        }
        for (const HItemCore* item = m_doc.Lines().Head(); item != nullptr; item = item->next) {
            named += going.Contains(item) && !item->GetSectionKey().empty() ? 1 : 0;
        }
        events.push_back(going.all ? "about to replace " + std::to_string(named)
                                   : "about to destroy " + std::to_string(named));
    }
    void OnDocumentChanged(const HDocChange& change) override {
        changes.push_back(change);
        events.push_back("changed");
    }

    // The flags of every notice since the last Clear, or'ed together.
    uint32_t All() const {
        uint32_t all = 0;
        for (const HDocChange& change : changes) {
            all |= change.what;
        }
        return all;
    }
    void Clear() {
        changes.clear();
        events.clear();
    }

    std::vector<HDocChange> changes;
    std::vector<std::string> events;

private:
    CZarvikDoc& m_doc;
};

}  // namespace zarvik::test_support
