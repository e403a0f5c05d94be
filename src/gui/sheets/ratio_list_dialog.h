#pragma once
// "標準的開発項目と概略工数一覧": the development items of one field of the rules in force,
// with each item's share of the adjusted FP and of the effort.

#include <QDialog>

class QComboBox;
class QTreeWidget;

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

class HRatioListDialog : public QDialog {
    Q_OBJECT

public:
    HRatioListDialog(const CZarvikDoc& doc, QWidget* parent = nullptr);

    QComboBox& FieldCombo() { return *m_fields; }
    QTreeWidget& List() { return *m_list; }

private:
    void ShowField(int field);

    const CZarvikDoc& m_doc;
    QComboBox* m_fields = nullptr;
    QTreeWidget* m_list = nullptr;
};

// Shows the list modally; returns 1.
int RunRatioListDialog(const CZarvikDoc& doc, QWidget* parent);

}  // namespace zarvik::gui
