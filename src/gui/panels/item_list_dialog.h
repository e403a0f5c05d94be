#pragma once
// The file item list and the transaction item list: a modal look at the data functions
// (or transactions) of the diagram, each opening by double click into its DET or RET
// entries (a transaction first into its related files). It only reads the document.

#include <QDialog>
#include <array>
#include <memory>

#include "core/doc/item_outline.h"

class QComboBox;
class QTableView;

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HItemOutlineModel;

class HItemListDialog : public QDialog {
    Q_OBJECT

public:
    enum class Kind { Files, Transactions };

    HItemListDialog(CZarvikDoc& doc, Kind kind, QWidget* parent = nullptr);
    ~HItemListDialog() override;

    QTableView* Table() const { return m_table; }
    QComboBox* ViewCombo() const { return m_viewCombo; }

private:
    void ShowView(int view);

    // Each view keeps its own rows and open states.
    std::array<std::unique_ptr<HItemOutline>, 2> m_outlines;
    HItemOutlineModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QComboBox* m_viewCombo = nullptr;
};

}  // namespace zarvik::gui
