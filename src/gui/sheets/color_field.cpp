#include "gui/sheets/color_field.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "core/records/color_text.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

namespace {
constexpr int kChooseButtonWidth = 23;
}

HColorField::HColorField(QWidget* parent) : QWidget(parent) {
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("colorEdit");
    m_edit->setMaxLength(6);
    m_edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), m_edit));
    m_choose = new QPushButton(QStringLiteral("..."), this);
    m_choose->setObjectName("colorButton");
    m_choose->setFixedWidth(kChooseButtonWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_choose);
    connect(m_edit, &QLineEdit::textEdited, this, &HColorField::Typed);
    connect(m_choose, &QPushButton::clicked, this, &HColorField::Choose);
    SetColor(0);
}

void HColorField::SetColor(HColorRef color) {
    m_color = color & 0xFFFFFF;
    const QString text = draw::ToQString(FormatColorText(m_color));
    if (ParseColorText(draw::ToStdString(m_edit->text())) != m_color ||
        m_edit->text().size() != 6) {
        const QSignalBlocker quiet(m_edit);
        m_edit->setText(text);
    }
    Paint();
}

void HColorField::Typed(const QString& text) {
    // Anything but six digits reads as black, as the stored files have always had it.
    m_color = ParseColorText(draw::ToStdString(text));
    Paint();
    emit ColorChanged(m_color);
}

void HColorField::Choose() {
    const QColor chosen = QColorDialog::getColor(draw::ToQColor(m_color), this, QString(),
                                                 QColorDialog::ColorDialogOptions());
    if (!chosen.isValid()) {
        return;
    }
    SetColor(Rgb(chosen.red(), chosen.green(), chosen.blue()));
    emit ColorChanged(m_color);
}

void HColorField::Paint() {
    // A disabled field keeps the style's grey look.
    QPalette palette = m_edit->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, draw::ToQColor(m_color));
        palette.setColor(group, QPalette::Text, draw::ToQColor(ColorFieldTextColor(m_color)));
    }
    m_edit->setPalette(palette);
}

}  // namespace zarvik::gui
