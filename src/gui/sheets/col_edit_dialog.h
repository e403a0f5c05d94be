#pragma once
// The small dialog that edits one entry of a DET or RET list: a name and remarks.

#include <QDialog>
#include <QString>

#include "core/fp/col_list_page.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zarvik::gui {

class HColEditDialog : public QDialog {
    Q_OBJECT

public:
    HColEditDialog(const HColEditSetup& setup, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QPlainTextEdit* RemarksEdit() const { return m_remarks; }
    QPushButton* OkButton() const { return m_ok; }

    // As typed: the caller's list turns line breaks into their stored form.
    std::string Name() const;
    std::string Remarks() const;

private:
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_remarks = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace zarvik::gui
