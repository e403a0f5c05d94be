#pragma once
// The samples on the drawing pages of the format sheets: a box of the edited kind, or a
// relation line, painted with the attributes being edited and shown plain, selected or
// selected with handles by the pen being edited.

#include <QWidget>
#include <cstdint>
#include <string>

namespace zarvik {
class HInfoItemCore;
class HInfoItemObject;
}  // namespace zarvik

namespace zarvik::gui {

class HItemPreview : public QWidget {
    Q_OBJECT

public:
    explicit HItemPreview(QWidget* parent = nullptr);

    // Repaints with the look.
    void SetLook(int selected, int showHandles);
    int Selected() const { return m_selected; }
    int ShowHandles() const { return m_showHandles; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the sample over the white area through the painter.
    virtual void PaintSample(QPainter& painter) = 0;

private:
    int m_selected = 0;
    int m_showHandles = 0;
};

class CDlgCtlItemImage : public HItemPreview {
    Q_OBJECT

public:
    // The attributes are read at every paint; they and the name outlive the preview.
    CDlgCtlItemImage(const HInfoItemObject& attributes, const std::string& name, int32_t kind,
                     QWidget* parent = nullptr);

protected:
    void PaintSample(QPainter& painter) override;

private:
    const HInfoItemObject& m_attributes;
    const std::string& m_name;
    int32_t m_kind;
};

class CDlgCtlItemLineImage : public HItemPreview {
    Q_OBJECT

public:
    explicit CDlgCtlItemLineImage(const HInfoItemCore& attributes, QWidget* parent = nullptr);

protected:
    void PaintSample(QPainter& painter) override;

private:
    const HInfoItemCore& m_attributes;
};

}  // namespace zarvik::gui
