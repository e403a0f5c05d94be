#include "gui/sheets/draw_info_page.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "core/records/info_item.h"
#include "draw/qt_text.h"
#include "gui/sheets/color_field.h"
#include "gui/sheets/item_previews.h"
#include "gui/sheets/pen_width_box.h"
#include "ui_draw_info_page.h"

namespace zarvik::gui {

CDlgSubItemDrawInfo::CDlgSubItemDrawInfo(HInfoItemObject& attributes, int32_t kind,
                                         const std::string& name, QWidget* parent)
    : CDlgSubItemDrawInfo(attributes, HFormatTarget::Box,
                          new CDlgCtlItemImage(attributes, name, kind), parent) {}

CDlgSubItemDrawInfo::CDlgSubItemDrawInfo(HInfoItemCore& attributes, HFormatTarget target,
                                         HItemPreview* preview, QWidget* parent)
    : QWidget(parent),
      m_attributes(attributes),
      m_preview(preview),
      m_ui(std::make_unique<Ui::DrawInfoPage>()) {
    m_ui->setupUi(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_ui->previewLayout->addWidget(m_preview);
    for (const char* text : PenChoiceTexts(target)) {
        m_ui->penSelector->addItem(draw::ToQString(text));
    }
    for (const HPenStyleEntry& entry : PenStyleEntries()) {
        m_ui->penStyle->addItem(draw::ToQString(entry.text));
    }

    connect(m_ui->penSelector, &QComboBox::activated, this, &CDlgSubItemDrawInfo::Choose);
    connect(m_ui->penColor, &HColorField::ColorChanged, this,
            [this](HColorRef color) { EditPen([color](HLogPen& pen) { pen.color = color; }); });
    connect(m_ui->penStyle, &QComboBox::activated, this, [this](int index) {
        const int32_t style = PenStyleOfIndex(index);
        if (style >= 0) {
            EditPen([style](HLogPen& pen) { pen.style = style; });
        }
    });
    connect(m_ui->penWidth, &HPenWidthBox::WidthChanged, this, [this](int32_t width) {
        EditPen([width](HLogPen& pen) { pen.width.x = width; });
        m_ui->penStyle->setEnabled(PenStyleEditable(width));
    });
    connect(m_ui->fillColor, &HColorField::ColorChanged, this, [this](HColorRef color) {
        ReplaceFill(m_attributes, color);
        RefreshPreview();
    });
    Choose(0);
}

CDlgSubItemDrawInfo::~CDlgSubItemDrawInfo() = default;

void CDlgSubItemDrawInfo::RefreshPreview() {
    m_preview->update();
}

QComboBox& CDlgSubItemDrawInfo::PenSelector() {
    return *m_ui->penSelector;
}

HColorField& CDlgSubItemDrawInfo::PenColor() {
    return *m_ui->penColor;
}

QComboBox& CDlgSubItemDrawInfo::PenStyle() {
    return *m_ui->penStyle;
}

HPenWidthBox& CDlgSubItemDrawInfo::PenWidth() {
    return *m_ui->penWidth;
}

HColorField& CDlgSubItemDrawInfo::FillColor() {
    return *m_ui->fillColor;
}

void CDlgSubItemDrawInfo::Choose(int index) {
    m_choice = PenChoiceOfIndex(index);
    {
        const QSignalBlocker quiet(m_ui->penSelector);
        m_ui->penSelector->setCurrentIndex(static_cast<int>(m_choice));
    }
    ShowAttributes();
    const HPreviewLook look = PreviewLookOf(m_choice);
    m_preview->SetLook(look.selected, look.showHandles);
}

void CDlgSubItemDrawInfo::ShowAttributes() {
    const HLogPen pen = ChosenPen(m_attributes, m_choice);
    m_ui->penColor->SetColor(pen.color);
    {
        const QSignalBlocker quiet(m_ui->penStyle);
        m_ui->penStyle->setCurrentIndex(PenStyleIndex(pen.style));
    }
    m_ui->penStyle->setEnabled(PenStyleEditable(pen.width.x));
    m_ui->penWidth->SetWidth(pen.width.x);
    m_ui->fillColor->SetColor(zarvik::FillColor(m_attributes));
    m_ui->fillColor->setEnabled(FillEditable(m_choice));
}

template <typename Edit>
void CDlgSubItemDrawInfo::EditPen(Edit edit) {
    HLogPen pen = ChosenPen(m_attributes, m_choice);
    edit(pen);
    ReplaceChosenPen(m_attributes, m_choice, pen);
    RefreshPreview();
}

CDlgSubItemLineDrawInfo::CDlgSubItemLineDrawInfo(HInfoItemCore& attributes, QWidget* parent)
    : CDlgSubItemDrawInfo(attributes, HFormatTarget::Line, new CDlgCtlItemLineImage(attributes),
                          parent) {}

}  // namespace zarvik::gui
