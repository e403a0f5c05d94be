#include "gui/sheets/display_sheets.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <string>

#include "core/app/display_sheets.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/function_sheet.h"
#include "core/items/item_kinds.h"
#include "core/port/ui_port.h"
#include "draw/qt_text.h"
#include "gui/frame/cp932_validator.h"
#include "gui/sheets/function_sheet.h"
#include "gui/sheets/item_sheet.h"

namespace zarvik::gui {
namespace {

// The fields widen with the page: the name field to the page width less 25, the file
// field less 50, with its 23-wide "..." button at its right end.
QGridLayout* NewPageGrid(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(12, 12, 13, 12);
    grid->setHorizontalSpacing(2);
    grid->setColumnStretch(0, 1);
    return grid;
}

QLineEdit* AddNameField(QWidget* page, QGridLayout* grid, const std::string& name) {
    grid->addWidget(new QLabel(QString::fromUtf8(kNameLabel), page), 0, 0, 1, 2);
    auto* edit = new QLineEdit(draw::ToQString(name), page);
    edit->setObjectName(QStringLiteral("nameEdit"));
    edit->setValidator(new HCp932Validator(edit));
    // Files dropped on the field go to the page.
    edit->setAcceptDrops(false);
    grid->addWidget(edit, 1, 0, 1, 2);
    return edit;
}

class HImageItemPage : public QWidget {
public:
    explicit HImageItemPage(HInfoImageBox& copy) : m_copy(copy) {
        setAcceptDrops(true);
        QGridLayout* grid = NewPageGrid(this);
        QLineEdit* name = AddNameField(this, grid, copy.name);
        connect(name, &QLineEdit::textEdited, this,
                [this](const QString& text) { m_copy.name = draw::ToStdString(text); });

        grid->addWidget(new QLabel(QString::fromUtf8(kImageFileLabel), this), 2, 0, 1, 2);
        m_file = new QLineEdit(draw::ToQString(copy.fileName), this);
        m_file->setObjectName(QStringLiteral("fileNameEdit"));
        m_file->setValidator(new HCp932Validator(m_file));
        m_file->setAcceptDrops(false);
        m_file->installEventFilter(this);
        grid->addWidget(m_file, 3, 0);
        auto* browse = new QPushButton(QStringLiteral("..."), this);
        browse->setObjectName(QStringLiteral("browseButton"));
        browse->setFixedWidth(23);
        grid->addWidget(browse, 3, 1);
        connect(m_file, &QLineEdit::textEdited, this, [this] { m_pending = true; });
        connect(browse, &QPushButton::clicked, this, [this] { ChooseFile(); });

        auto* keepRatio = new QCheckBox(QString::fromUtf8(kKeepRatioText), this);
        keepRatio->setObjectName(QStringLiteral("keepRatioCheck"));
        keepRatio->setChecked(copy.keepRatio != 0);
        grid->addWidget(keepRatio, 4, 0, 1, 2);
        grid->setRowStretch(5, 1);
        connect(keepRatio, &QCheckBox::clicked, this,
                [this](bool checked) { m_copy.keepRatio = checked ? 1 : 0; });
    }

    // A file name put into the field is checked when the field is left; OK checks one still
    // waiting. False when that check failed.
    bool CheckPendingFileName() { return !m_pending || CheckFileName(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_file && event->type() == QEvent::FocusOut && m_pending) {
            // Another window coming to the front (the message box itself, a menu) does not
            // count as leaving the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                CheckFileName();
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasUrls()) {
            event->acceptProposedAction();
        }
    }

    void dropEvent(QDropEvent* event) override {
        const QList<QUrl> urls = event->mimeData()->urls();
        const QString path = urls.isEmpty() ? QString() : urls.first().toLocalFile();
        event->acceptProposedAction();
        if (path.isEmpty()) {
            ShowDropFailedMessage();
            return;
        }
        PutFileName(path);
    }

private:
    void ChooseFile() {
        HFileChooser chooser;
        chooser.filter = kImageFileFilter;
        const std::optional<std::string> chosen = UiPort().ChooseOpenFile(chooser);
        if (chosen) {
            PutFileName(draw::ToQString(*chosen));
        }
    }

    // The name waits in the field, which takes the focus, until it is left; only a picture
    // that loads changes the record's file name.
    void PutFileName(const QString& path) {
        m_file->setText(path);
        m_pending = true;
        if (!m_file->hasFocus()) {
            m_file->setFocus(Qt::OtherFocusReason);
        }
    }

    bool CheckFileName() {
        m_pending = false;
        const std::string path = draw::ToStdString(m_file->text());
        if (path.empty()) {
            return true;
        }
        const int loaded = ApplyImageFileName(m_copy, path);
        m_file->setText(draw::ToQString(m_copy.fileName));
        return loaded == 1;
    }

    HInfoImageBox& m_copy;
    QLineEdit* m_file = nullptr;
    bool m_pending = false;
};

QWidget* NewObjectPage(std::string& name) {
    auto* page = new QWidget;
    QGridLayout* grid = NewPageGrid(page);
    QLineEdit* edit = AddNameField(page, grid, name);
    grid->setRowStretch(2, 1);
    QObject::connect(edit, &QLineEdit::textEdited, page,
                     [&name](const QString& text) { name = draw::ToStdString(text); });
    return page;
}

void SetUpSheet(HItemSheet& sheet, int pageId, const char* topic, QWidget* page) {
    sheet.setWindowTitle(QString::fromUtf8(kItemSettingsTitle));
    sheet.AddPage(pageId, QString::fromUtf8(kBasicPageLabel), page);
    sheet.SetPageTopic(pageId, QString::fromUtf8(topic));
}

}  // namespace

int RunImageItemSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent) {
    auto* item = dynamic_cast<HItemImageBox*>(&box);
    if (item == nullptr) {
        return 0;
    }
    HInfoImageBox copy;
    copy.CopyFrom(*item);
    HItemSheet sheet(HSheetKind::ItemSettings, parent);
    auto* page = new HImageItemPage(copy);
    SetUpSheet(sheet, kPageImageBasic, kImageBasicTopic, page);
    sheet.SetAcceptCheck([page] { return page->CheckPendingFileName(); });
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    static_cast<HInfoImageBox&>(*item).CopyFrom(copy);
    doc.AfterItemSheetOk();
    return 1;
}

int RunObjectItemSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent) {
    auto* record = dynamic_cast<HInfoNamed*>(&box);
    if (record == nullptr) {
        return 0;
    }
    std::string name = record->name;
    HItemSheet sheet(HSheetKind::ItemSettings, parent);
    SetUpSheet(sheet, kPageObjectBasic, kObjectBasicTopic, NewObjectPage(name));
    if (sheet.exec() != QDialog::Accepted) {
        return 0;
    }
    record->name = name;
    doc.AfterItemSheetOk();
    return 1;
}

int RunItemSettingsSheet(CZarvikDoc& doc, HItemObject& box, QWidget* parent) {
    switch (box.kind) {
        case kKindFile:
        case kKindTask:
            return RunFunctionSheet(doc, box, parent);
        case kKindImageBox:
            return RunImageItemSheet(doc, box, parent);
        default:
            return RunObjectItemSheet(doc, box, parent);
    }
}

}  // namespace zarvik::gui
