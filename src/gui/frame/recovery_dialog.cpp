#include "gui/frame/recovery_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "core/doc/recovery.h"
#include "core/doc/zarvik_doc.h"
#include "gui/frame/help_window.h"

namespace zarvik::gui {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

class HRecoveryDialog : public QDialog {
public:
    HRecoveryDialog(HOrphanedCopies& copies, CZarvikDoc& doc, QWidget* parent)
        : QDialog(parent), m_copies(copies), m_doc(doc) {
        setObjectName("HRecoveryDialog");
        setWindowTitle("復元");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(
            "前回正常に終了しなかったときの控えがあります。復元する控えを選んでください。"));
        m_list = new QTreeWidget;
        m_list->setRootIsDecorated(false);
        m_list->setHeaderLabels({"文書名", "元の場所", "最後の控え"});
        for (const HRecoveryCopy& copy : m_copies.Copies()) {
            m_list->addTopLevelItem(
                new QTreeWidgetItem({Text(copy.flowName),
                                     copy.originalPath.empty() ? QString("（保存されていない文書）")
                                                               : Text(copy.originalPath),
                                     Text(copy.savedAt)}));
            m_rows.push_back(m_rows.size());
        }
        m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        m_list->setCurrentItem(m_list->topLevelItem(0));
        layout->addWidget(m_list);
        auto* buttons = new QDialogButtonBox;
        QPushButton* restore = buttons->addButton("復元", QDialogButtonBox::AcceptRole);
        QPushButton* discard = buttons->addButton("破棄", QDialogButtonBox::DestructiveRole);
        buttons->addButton("閉じる", QDialogButtonBox::RejectRole);
        layout->addWidget(buttons);
        connect(restore, &QPushButton::clicked, this, [this] { Restore(); });
        connect(discard, &QPushButton::clicked, this, [this] { Discard(); });
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { Restore(); });
        AddContextHelpKey(this);
        resize(640, 240);
    }

private:
    // The copy of the current row, or -1.
    int CurrentCopy() const {
        const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
        return row < 0 ? -1 : static_cast<int>(m_rows[static_cast<std::size_t>(row)]);
    }

    void Restore() {
        const int i = CurrentCopy();
        if (i < 0 || !m_doc.AskSaveChanges()) {
            return;
        }
        const HRecoveryCopy& copy = m_copies.Copies()[static_cast<std::size_t>(i)];
        if (m_doc.RestoreCopy(copy.copyPath, copy.originalPath)) {
            m_copies.Discard(static_cast<std::size_t>(i));
            accept();
        }
    }

    void Discard() {
        const int i = CurrentCopy();
        if (i < 0) {
            return;
        }
        m_copies.Discard(static_cast<std::size_t>(i));
        const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
        delete m_list->takeTopLevelItem(row);
        m_rows.erase(m_rows.begin() + row);
        if (m_rows.empty()) {
            reject();
        }
    }

    HOrphanedCopies& m_copies;
    CZarvikDoc& m_doc;
    QTreeWidget* m_list = nullptr;
    std::vector<std::size_t> m_rows;  // the copy of each row
};

}  // namespace

int OfferRecoveryCopies(CZarvikDoc& doc, const std::string& folder, QWidget* parent) {
    HOrphanedCopies copies(folder);
    if (copies.Copies().empty()) {
        return 0;
    }
    HRecoveryDialog dialog(copies, doc, parent);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

}  // namespace zarvik::gui
