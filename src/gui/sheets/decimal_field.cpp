#include "gui/sheets/decimal_field.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "core/fp/rule_fields.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

HDecimalField::HDecimalField(QLineEdit* edit, int32_t* field, HInfoRule* rule,
                             const HRuleFieldRange* range)
    : QObject(edit), m_edit(edit), m_field(field), m_rule(rule), m_range(range) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*\\.?[0-9]*"), edit));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_field != nullptr) {
            *m_field = ParseDecimalX100(draw::ToStdString(text));
        }
    });
    Show();
}

void HDecimalField::SetField(int32_t* field) {
    m_field = field;
    Show();
}

void HDecimalField::Show() {
    if (m_field == nullptr) {
        m_edit->clear();
        return;
    }
    if (const auto text = DecimalTextToShow(draw::ToStdString(m_edit->text()), *m_field)) {
        m_edit->setText(draw::ToQString(*text));
    }
}

bool HDecimalField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit || event->type() != QEvent::FocusOut || m_range == nullptr ||
        m_rule == nullptr || m_checking) {
        return false;
    }
    // The message box itself takes the focus away; that is not the user leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return false;
    }
    m_checking = true;
    const int fits = TakeTypedField(*m_rule, *m_range, draw::ToStdString(m_edit->text()));
    m_checking = false;
    if (!fits) {
        // Back to the field once the focus change in progress is over.
        QTimer::singleShot(0, m_edit, [edit = m_edit] {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        });
    }
    return false;
}

}  // namespace zarvik::gui
