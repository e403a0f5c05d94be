// How each box kind paints itself: body, selection outline, picture, handles, label.

#include <functional>

#include "core/items/item_kinds.h"
#include "core/port/draw_context.h"

namespace zarvik {
namespace {

constexpr HSize kRoundCorner{20, 20};
constexpr int32_t kScreenInset = 5;

using Shape = std::function<void(HDrawContext&, const HRect&)>;

void RectangleShape(HDrawContext& dc, const HRect& box) {
    dc.Rectangle(box);
}

// Paints a box: the body with the fill and the normal pen, the selection outline, the
// picture of an image item, the handles, then the label.
void PaintBox(const HItemObject& item, HDrawContext& dc, int showHandles, const Shape& body,
              const Shape& outline, const HBitmap* picture) {
    const HRect box = item.Box();
    const auto oldBrush = dc.SelectBrush(item.brush);
    const auto oldPen = dc.SelectPen(item.penNormal);
    body(dc, box);
    dc.SelectBrush(kStockHollowBrush);
    if (item.Selected() == 1) {
        dc.SelectPen(item.penSelected);
        outline(dc, box);
    }
    if (picture != nullptr) {
        dc.StretchBitmap(*picture, box);
    }
    if (showHandles == 1) {
        dc.SelectPen(item.penGuide);
        const HPoint centres[4] = {{box.left + item.size.cx / 2, box.top},
                                   {box.left + item.size.cx / 2, box.bottom},
                                   {box.left, box.top + item.size.cy / 2},
                                   {box.right, box.top + item.size.cy / 2}};
        for (const HPoint& c : centres) {
            dc.Rectangle(
                HRect{c.x - kHandleHalf, c.y - kHandleHalf, c.x + kHandleHalf, c.y + kHandleHalf});
        }
    }
    item.text.DrawLabel(dc, item.DisplayText(), box, item.Selected());
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

}  // namespace

int HItemFile::Draw(HDrawContext& dc, int showHandles) const {
    PaintBox(*this, dc, showHandles, RectangleShape, RectangleShape, nullptr);
    return 1;
}

int HItemTask::Draw(HDrawContext& dc, int showHandles) const {
    const Shape ellipse = [](HDrawContext& c, const HRect& box) { c.Ellipse(box); };
    PaintBox(*this, dc, showHandles, ellipse, ellipse, nullptr);
    return 1;
}

int HItemOther::Draw(HDrawContext& dc, int showHandles) const {
    PaintBox(*this, dc, showHandles, RectangleShape, RectangleShape, nullptr);
    return 1;
}

int HItemBorder::Draw(HDrawContext& dc, int showHandles) const {
    PaintBox(*this, dc, showHandles, RectangleShape, RectangleShape, nullptr);
    return 1;
}

int HItemFunction::Draw(HDrawContext& dc, int showHandles) const {
    const Shape rounded = [](HDrawContext& c, const HRect& box) { c.RoundRect(box, kRoundCorner); };
    PaintBox(*this, dc, showHandles, rounded, RectangleShape, nullptr);
    return 1;
}

int HItemView::Draw(HDrawContext& dc, int showHandles) const {
    const Shape screen = [](HDrawContext& c, const HRect& box) {
        c.RoundRect(box, kRoundCorner);
        c.RoundRect(HRect{box.left + kScreenInset, box.top + kScreenInset, box.right - kScreenInset,
                          box.bottom - kScreenInset},
                    kRoundCorner);
    };
    PaintBox(*this, dc, showHandles, screen, RectangleShape, nullptr);
    return 1;
}

int HItemImageBox::Draw(HDrawContext& dc, int showHandles) const {
    PaintBox(*this, dc, showHandles, RectangleShape, RectangleShape, picture ? &*picture : nullptr);
    return 1;
}

}  // namespace zarvik
