#include "gui/panels/estimate_panel.h"

#include <QKeyEvent>

#include "core/command/command_ids.h"
#include "core/doc/zarvik_doc.h"
#include "core/fp/estimate.h"
#include "draw/qt_fonts.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

HEstimatePanel::HEstimatePanel(CZarvikDoc& doc, QWidget* parent)
    : QPlainTextEdit(parent), m_doc(doc) {
    setObjectName(QStringLiteral("EstimatePanel"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(draw::FixedGothicFont(10));
    m_doc.AddObserver(this);
    Refresh();
}

HEstimatePanel::~HEstimatePanel() {
    m_doc.RemoveObserver(this);
}

void HEstimatePanel::OnDocumentChanged(const HDocChange& change) {
    if (change.Has(kChangeEstimate | kChangeRules | kChangeRecords | kChangeStructure)) {
        Refresh();
    }
}

void HEstimatePanel::Refresh() {
    const QString text = draw::ToQString(BuildReportText(m_doc.estimate)).replace("\r\n", "\n");
    if (text != toPlainText()) {
        setPlainText(text);
    }
}

void HEstimatePanel::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_K) {
        emit CommandChosen(kCmdReferenceSettings);
        return;
    }
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_R) {
        emit CommandChosen(kCmdRuleSettings);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace zarvik::gui
