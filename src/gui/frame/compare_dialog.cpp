#include "gui/frame/compare_dialog.h"

#include <unistd.h>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <map>
#include <memory>

#include "core/app/system.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/info_rule.h"
#include "core/port/ui_port.h"
#include "draw/qt_fonts.h"
#include "draw/qt_text.h"
#include "gui/canvas/canvas_widget.h"

namespace zarvik::gui {
namespace {

QString Swatch(const QColor& color, const char* text) {
    return QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
        .arg(color.name(), draw::ToQString(text));
}

}  // namespace

QColor AddedColor() {
    return QColor(0x2E, 0x9E, 0x44);
}

QColor DeletedColor() {
    return QColor(0xD0, 0x30, 0x30);
}

QColor ChangedColor() {
    return QColor(0xE0, 0x80, 0x00);
}

HCompareDialog::HCompareDialog(CZarvikDoc& doc, HCanvasWidget& canvas, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_canvas(canvas) {
    setWindowTitle(QStringLiteral("比較"));
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(draw::FixedGothicFont(m_text->font().pointSizeF()));
    m_legend = new QLabel(this);
    m_legend->setTextFormat(Qt::RichText);
    m_turn = new QCheckBox(QStringLiteral("開いている文書を比較元にする"), this);
    connect(m_turn, &QCheckBox::toggled, this,
            [this](bool checked) { SetOpenDocumentIsBase(checked); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* below = new QHBoxLayout;
    below->addWidget(m_legend);
    below->addStretch();
    below->addWidget(m_turn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(below);
    layout->addWidget(buttons);
    resize(640, 480);
    m_doc.AddObserver(this);
}

HCompareDialog::~HCompareDialog() {
    m_doc.RemoveObserver(this);
    m_canvas.SetHighlights({});
}

int HCompareDialog::Load(const std::string& path) {
    // Reading a missing file gives an empty document: nothing to compare with.
    if (::access(path.c_str(), R_OK) != 0) {
        UiPort().MessageBox(path + "\r\nこのファイルを開くことができません。", "比較",
                            HMsgIcon::Error, HMsgButtons::Ok);
        return 0;
    }
    // Loading puts the loaded document's own rules in force; the open document's come back
    // afterwards, the very same rules.
    std::unique_ptr<HInfoRule> kept = System().TakeDocumentRules();
    const int loaded = LoadAskingTheUser(m_other, path);
    m_otherHasOwnRules = System().DocumentRules() != nullptr;
    System().AdoptDocumentRules(std::move(kept));
    if (!loaded) {
        return 0;
    }
    m_otherPath = path;
    Recompare();
    return 1;
}

void HCompareDialog::SetOpenDocumentIsBase(bool openIsBase) {
    if (m_turn->isChecked() != openIsBase) {
        m_turn->setChecked(openIsBase);  // comes back here through toggled
        return;
    }
    if (m_openIsBase != openIsBase) {
        m_openIsBase = openIsBase;
        Recompare();
    }
}

QString HCompareDialog::Text() const {
    return m_text->toPlainText();
}

std::string HCompareDialog::OpenDocumentName() const {
    return m_doc.PathName().empty() ? "(" + m_doc.Title() + ")" : m_doc.PathName();
}

void HCompareDialog::Recompare() {
    const HFlowDocument& open = m_doc;
    m_comparison = m_openIsBase ? CompareCounts(open, m_other) : CompareCounts(m_other, open);
    const std::string openName = OpenDocumentName();
    const std::string text = m_openIsBase ? BuildCompareText(m_comparison, openName, m_otherPath)
                                          : BuildCompareText(m_comparison, m_otherPath, openName);
    const int scrolled = m_text->verticalScrollBar()->value();
    m_text->setPlainText(draw::ToQString(text));
    m_text->verticalScrollBar()->setValue(scrolled);
    m_legend->setText(
        Swatch(m_openIsBase ? DeletedColor() : AddedColor(), m_openIsBase ? "削除" : "追加") +
        "&nbsp;&nbsp;" + Swatch(ChangedColor(), "変更"));
    MarkCanvas();
}

void HCompareDialog::MarkCanvas() {
    std::map<std::string, QColor> marks;
    for (const HFunctionDiff& diff : m_comparison.functions) {
        const std::optional<HFunctionFacts>& open = m_openIsBase ? diff.base : diff.next;
        if (!open) {
            continue;  // only the other version has it
        }
        switch (diff.change) {
            case HFunctionChange::kAdded:
                marks[open->key] = AddedColor();
                break;
            case HFunctionChange::kDeleted:
                marks[open->key] = DeletedColor();
                break;
            case HFunctionChange::kChanged:
                marks[open->key] = ChangedColor();
                break;
            case HFunctionChange::kUnchanged:
                break;
        }
    }
    m_canvas.SetHighlights(std::move(marks));
}

void HCompareDialog::OnDocumentChanged(const HDocChange& change) {
    if (change.Has(kChangeRules) && !m_otherHasOwnRules && !m_otherPath.empty()) {
        // The other version is measured by the system rules, which may have just changed.
        std::unique_ptr<HInfoRule> kept = System().TakeDocumentRules();
        m_other.RecomputeEstimate();
        System().AdoptDocumentRules(std::move(kept));
    }
    if (!m_otherPath.empty() && change.Has(kChangeStructure | kChangeRecords | kChangeEstimate |
                                           kChangeRules | kChangeTitle)) {
        Recompare();
    }
}

void HCompareDialog::closeEvent(QCloseEvent* event) {
    m_canvas.SetHighlights({});
    QDialog::closeEvent(event);
}

}  // namespace zarvik::gui
