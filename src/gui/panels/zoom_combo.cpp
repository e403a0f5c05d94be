#include "gui/panels/zoom_combo.h"

#include <QLineEdit>

#include "core/canvas/zoom_percent.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

HZoomCombo::HZoomCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // What is typed is taken as a number, never added to the list nor completed to an
    // entry ("5" must not become "50%").
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setToolTip(draw::ToQString("キャンバスの表示倍率を設定します。"));
    addItems({"200%", "100%", "75%", "50%", "25%"});
    setCurrentIndex(1);

    connect(this, &QComboBox::textActivated, this, [this](const QString& text) {
        m_typed = false;
        emit ZoomChosen(ZoomOfPercent(ParseZoomPercent(draw::ToStdString(text)).percent));
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_typed = true; });
    // Focus leaving the field, or Enter.
    connect(lineEdit(), &QLineEdit::editingFinished, this, &HZoomCombo::TakeTypedText);
}

void HZoomCombo::ShowZoom(float zoom) {
    m_typed = false;
    setEditText(draw::ToQString(ZoomPercentText(PercentOfZoom(zoom))));
}

void HZoomCombo::TakeTypedText() {
    if (!m_typed) {
        return;
    }
    m_typed = false;  // before the message box, which moves the focus again
    const int32_t percent = TakeTypedZoomPercent(draw::ToStdString(currentText()));
    const QString text = draw::ToQString(ZoomPercentText(percent));
    if (currentText() != text) {
        setEditText(text);
    }
    emit ZoomChosen(ZoomOfPercent(percent));
}

}  // namespace zarvik::gui
