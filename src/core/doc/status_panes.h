#pragma once
// The status bar panes 2 to 5 follow the document's estimate: "DATA=", "TRAN=", "UFP=" and
// the effort. The window keeps one for as long as it shows the document.

#include "core/doc/doc_change.h"

namespace zarvik {

class CZarvikDoc;

class HStatusPanes : public HDocObserver {
public:
    // Attaches to doc and writes its figures at once.
    explicit HStatusPanes(CZarvikDoc& doc);
    ~HStatusPanes() override;
    HStatusPanes(const HStatusPanes&) = delete;
    HStatusPanes& operator=(const HStatusPanes&) = delete;

    void OnDocumentChanged(const HDocChange& change) override;

private:
    void Write();

    CZarvikDoc& m_doc;
};

}  // namespace zarvik
