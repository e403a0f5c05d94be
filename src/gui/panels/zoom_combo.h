#pragma once
// The zoom selector of the view settings bar: a few fixed percentages, or any typed
// percentage from 10 to 400.

#include <QComboBox>

namespace zarvik::gui {

class HZoomCombo : public QComboBox {
    Q_OBJECT

public:
    explicit HZoomCombo(QWidget* parent = nullptr);

public slots:
    // Shows the zoom in use without choosing it again.
    void ShowZoom(float zoom);

signals:
    void ZoomChosen(float zoom);

private:
    void TakeTypedText();

    bool m_typed = false;  // text was typed since the last choice
};

}  // namespace zarvik::gui
