#pragma once
// A colour field of the format pages: six hexadecimal digits painted over the colour they
// name, and "..." beside them for the colour chooser. Every field of the program shares
// the chooser's 16 custom colours.

#include <QWidget>

#include "core/port/gdi_types.h"

class QLineEdit;
class QPushButton;

namespace zarvik::gui {

class HColorField : public QWidget {
    Q_OBJECT

public:
    explicit HColorField(QWidget* parent = nullptr);

    // Shows the colour without telling anyone.
    void SetColor(HColorRef color);
    HColorRef Color() const { return m_color; }

    QLineEdit& Edit() { return *m_edit; }
    QPushButton& ChooseButton() { return *m_choose; }

signals:
    // The user typed six digits or chose a colour.
    void ColorChanged(HColorRef color);

private:
    void Typed(const QString& text);
    void Choose();
    void Paint();

    QLineEdit* m_edit = nullptr;
    QPushButton* m_choose = nullptr;
    HColorRef m_color = 0;
};

}  // namespace zarvik::gui
