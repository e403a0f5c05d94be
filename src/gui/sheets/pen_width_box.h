#pragma once
// The pen width field of the drawing page with its up-down arrows. It shows a width of 0
// as "1", steps up by one and down by one but never below 1, and reads typed text that is
// not a number as 0.

#include <QAbstractSpinBox>
#include <cstdint>

namespace zarvik::gui {

class HPenWidthBox : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit HPenWidthBox(QWidget* parent = nullptr);

    // Shows the width without telling anyone.
    void SetWidth(int32_t width);
    int32_t Width() const { return m_width; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    // The user typed or stepped.
    void WidthChanged(int32_t width);

protected:
    StepEnabled stepEnabled() const override;

private:
    void Typed(const QString& text);
    void Show();

    int32_t m_width = 0;
};

}  // namespace zarvik::gui
