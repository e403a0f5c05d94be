#pragma once
// "比較": the open document counted against another version of it, chosen as a file. The
// dialog shows the functions added, deleted and changed, the size of both versions and the
// enhancement count, as zvk compare prints them, and while it is open the canvas marks
// the functions of the open document that the comparison names. It stays open beside the
// diagram and follows the open document's edits.

#include <QDialog>
#include <QString>
#include <string>

#include "core/doc/count_compare.h"
#include "core/doc/doc_change.h"
#include "core/doc/flow_document.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HCanvasWidget;

class HCompareDialog : public QDialog, public HDocObserver {
    Q_OBJECT
public:
    // doc and canvas outlive the dialog.
    HCompareDialog(CZarvikDoc& doc, HCanvasWidget& canvas, QWidget* parent = nullptr);
    ~HCompareDialog() override;

    // Reads the other version. The rules in force for the open document stay as they were.
    // Returns 0, having said why, when it cannot be read.
    int Load(const std::string& path);

    // By default the chosen file is the base (比較元) and the open document the new
    // version (比較先); turned round, the open document is the base.
    void SetOpenDocumentIsBase(bool openIsBase);
    const HCountComparison& Comparison() const { return m_comparison; }
    QString Text() const;

    void OnDocumentChanged(const HDocChange& change) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Recompare();
    void MarkCanvas();
    std::string OpenDocumentName() const;

    CZarvikDoc& m_doc;
    HCanvasWidget& m_canvas;
    HFlowDocument m_other;
    std::string m_otherPath;
    bool m_otherHasOwnRules = false;
    bool m_openIsBase = false;
    HCountComparison m_comparison;
    QPlainTextEdit* m_text = nullptr;
    QCheckBox* m_turn = nullptr;
    QLabel* m_legend = nullptr;
};

// The colours the canvas marks functions with.
QColor AddedColor();
QColor DeletedColor();
QColor ChangedColor();

}  // namespace zarvik::gui
