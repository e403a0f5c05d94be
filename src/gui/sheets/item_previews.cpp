#include "gui/sheets/item_previews.h"

#include <QPainter>

#include "core/items/item_preview.h"
#include "core/records/info_item.h"
#include "draw/qt_draw_context.h"

namespace zarvik::gui {
namespace {

HSize AreaOf(const QWidget& widget) {
    return HSize{widget.width(), widget.height()};
}

}  // namespace

HItemPreview::HItemPreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HItemPreview::SetLook(int selected, int showHandles) {
    m_selected = selected;
    m_showHandles = showHandles;
    update();
}

QSize HItemPreview::sizeHint() const {
    return QSize(200, 150);
}

void HItemPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintSample(painter);
}

CDlgCtlItemImage::CDlgCtlItemImage(const HInfoItemObject& attributes, const std::string& name,
                                   int32_t kind, QWidget* parent)
    : HItemPreview(parent), m_attributes(attributes), m_name(name), m_kind(kind) {}

void CDlgCtlItemImage::PaintSample(QPainter& painter) {
    draw::HQtDrawContext dc(painter, 1, QPointF());
    DrawBoxPreview(dc, AreaOf(*this), m_kind, m_attributes, m_name, Selected(), ShowHandles());
}

CDlgCtlItemLineImage::CDlgCtlItemLineImage(const HInfoItemCore& attributes, QWidget* parent)
    : HItemPreview(parent), m_attributes(attributes) {}

void CDlgCtlItemLineImage::PaintSample(QPainter& painter) {
    draw::HQtDrawContext dc(painter, 1, QPointF());
    DrawLinePreview(dc, AreaOf(*this), m_attributes, Selected());
}

}  // namespace zarvik::gui
