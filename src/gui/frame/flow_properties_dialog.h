#pragma once
// The flow file's properties: its name, its last update and whether it keeps rules of its
// own. OK hands the working copy to the document.

#include <QDialog>

#include "core/doc/zarvik_doc.h"

class QCheckBox;
class QLineEdit;

namespace zarvik::gui {

class HFlowPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    explicit HFlowPropertiesDialog(CZarvikDoc& doc, QWidget* parent = nullptr);

    void accept() override;

private:
    QWidget* BuildBasicPage();

    CZarvikDoc& m_doc;
    HFlowPropertiesDraft m_draft;
    QLineEdit* m_nameEdit = nullptr;
    QCheckBox* m_ownRulesCheck = nullptr;
};

}  // namespace zarvik::gui
