#include "gui/sheets/pen_width_box.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "core/records/pen_edit.h"
#include "draw/qt_text.h"

namespace zarvik::gui {
namespace {

// As many digits as the widest pen has.
constexpr int kWidthDigits = 3;

}  // namespace

HPenWidthBox::HPenWidthBox(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setMaxLength(kWidthDigits);
    connect(lineEdit(), &QLineEdit::textEdited, this, &HPenWidthBox::Typed);
    Show();
}

void HPenWidthBox::SetWidth(int32_t width) {
    m_width = width;
    Show();
}

void HPenWidthBox::stepBy(int steps) {
    for (; steps > 0; --steps) {
        m_width = PenWidthUp(m_width);
    }
    for (; steps < 0; ++steps) {
        m_width = PenWidthDown(m_width);
    }
    Show();
    emit WidthChanged(m_width);
}

QValidator::State HPenWidthBox::validate(QString& input, int&) const {
    if (input.size() > kWidthDigits) {
        return QValidator::Invalid;
    }
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return QValidator::Invalid;
        }
    }
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled HPenWidthBox::stepEnabled() const {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

void HPenWidthBox::Typed(const QString& text) {
    m_width = PenWidthFromText(draw::ToStdString(text));
    emit WidthChanged(m_width);
}

void HPenWidthBox::Show() {
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(QString::number(PenWidthShown(m_width)));
}

}  // namespace zarvik::gui
