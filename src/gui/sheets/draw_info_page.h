#pragma once
// The drawing page of the format sheets: which pen to edit, its colour, style and width,
// the fill colour, and a preview of the item with them. Every change goes into the
// attributes being edited at once.

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "core/records/pen_edit.h"

class QComboBox;

namespace Ui {
class DrawInfoPage;
}

namespace zarvik {
class HInfoItemCore;
class HInfoItemObject;
}  // namespace zarvik

namespace zarvik::gui {

class HColorField;
class HItemPreview;
class HPenWidthBox;

// The page for a box, previewed as a box of its kind.
class CDlgSubItemDrawInfo : public QWidget {
    Q_OBJECT

public:
    // The attributes and the name outlive the page.
    CDlgSubItemDrawInfo(HInfoItemObject& attributes, int32_t kind, const std::string& name,
                        QWidget* parent = nullptr);
    ~CDlgSubItemDrawInfo() override;

    HPenChoice Choice() const { return m_choice; }
    // Paints the preview again, after a change made elsewhere (the label pages).
    void RefreshPreview();

    QComboBox& PenSelector();
    HColorField& PenColor();
    QComboBox& PenStyle();
    HPenWidthBox& PenWidth();
    HColorField& FillColor();
    HItemPreview& Preview() { return *m_preview; }

protected:
    // The page takes the preview.
    CDlgSubItemDrawInfo(HInfoItemCore& attributes, HFormatTarget target, HItemPreview* preview,
                        QWidget* parent);

private:
    void Choose(int index);
    // Shows the chosen pen and the fill and sets what is enabled.
    void ShowAttributes();
    template <typename Edit>
    void EditPen(Edit edit);

    HInfoItemCore& m_attributes;
    HItemPreview* m_preview;
    std::unique_ptr<Ui::DrawInfoPage> m_ui;
    HPenChoice m_choice = HPenChoice::Normal;
};

// The page for a relation line, previewed as a sample line.
class CDlgSubItemLineDrawInfo : public CDlgSubItemDrawInfo {
    Q_OBJECT

public:
    explicit CDlgSubItemLineDrawInfo(HInfoItemCore& attributes, QWidget* parent = nullptr);
};

}  // namespace zarvik::gui
