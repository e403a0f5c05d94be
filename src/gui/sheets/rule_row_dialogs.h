#pragma once
// The small dialogs that edit one row of a reference table. Each works on a copy of the
// row; "設定" hands it back only with a name.

#include <QDialog>
#include <string>
#include <vector>

#include "core/fp/sys_tables.h"

class QLineEdit;
class QComboBox;
class QLabel;
class QTreeWidget;

namespace zarvik::gui {

class HDecimalField;

class HRowEditDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;
    void accept() override;

protected:
    // The name edit whose text the row must have.
    QLineEdit* m_name = nullptr;
    QLineEdit* m_info = nullptr;
    virtual void Store() = 0;
};

class HSeisanEditDialog : public HRowEditDialog {
    Q_OBJECT

public:
    HSeisanEditDialog(const HInfoSeisan& row, QWidget* parent = nullptr);
    const HInfoSeisan& Row() const { return m_row; }

protected:
    void Store() override;

private:
    HInfoSeisan m_row;
};

class HTyouseiEditDialog : public HRowEditDialog {
    Q_OBJECT

public:
    HTyouseiEditDialog(const HInfoTyousei& row, QWidget* parent = nullptr);
    const HInfoTyousei& Row() const { return m_row; }

protected:
    void Store() override;

private:
    HInfoTyousei m_row;
    QComboBox* m_degree = nullptr;
};

class HHirituEditDialog : public HRowEditDialog {
    Q_OBJECT

public:
    HHirituEditDialog(const HInfoHiritu& row, const std::vector<std::string>& itemNames,
                      QWidget* parent = nullptr);
    const HInfoHiritu& Row() const { return m_row; }

protected:
    void Store() override;

private:
    void ShowRatios();

    HInfoHiritu m_row;
    std::vector<std::string> m_itemNames;
    QTreeWidget* m_list = nullptr;
    QLabel* m_total = nullptr;
};

}  // namespace zarvik::gui
