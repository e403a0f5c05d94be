#pragma once
// The estimate panel: the report of the estimate, read-only, following every change of
// the document's figures.

#include <QPlainTextEdit>

#include "core/doc/doc_change.h"

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HEstimatePanel : public QPlainTextEdit, public HDocObserver {
    Q_OBJECT
public:
    explicit HEstimatePanel(CZarvikDoc& doc, QWidget* parent = nullptr);
    ~HEstimatePanel() override;

    void OnDocumentChanged(const HDocChange& change) override;

signals:
    // Ctrl+K and Ctrl+R open the rule sheets, as on the canvas.
    void CommandChosen(int id);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Refresh();

    CZarvikDoc& m_doc;
};

}  // namespace zarvik::gui
