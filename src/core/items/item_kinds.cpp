#include "core/items/item_kinds.h"

#include <algorithm>

#include "core/items/draw_list.h"
#include "core/items/item_line.h"
#include "core/items/outline_geometry.h"

namespace zarvik {

int HItemRectBox::GetPointOnObject(HPoint target, HPoint& out) const {
    out = NearestPointOnRect(position, size, target);
    return 1;
}

int HItemRectBox::GetShorcutPointOnObject(HPoint target, HPoint& out) const {
    out = ShortcutPointOnRect(position, size, target);
    return 1;
}

HItemFile::HItemFile() {
    InitBox(kKindFile, {100, 50}, {30, 30}, "ファイル[%d]");
}

HItemTask::HItemTask() {
    InitBox(kKindTask, {100, 100}, {30, 30}, "ﾄﾗﾝｻﾞｸｼｮﾝ[%d]");
}

int HItemTask::BodyContains(HPoint p) const {
    const double a = size.cx / 2.0;
    const double b = size.cy / 2.0;
    const double cx = position.x + a;
    const double cy = position.y + b;
    const double dx = cx - p.x;
    const double dy = cy - p.y;
    return dx * dx / (a * a) + dy * dy / (b * b) <= 1 ? 1 : 0;
}

int HItemTask::GetPointOnObject(HPoint target, HPoint& out) const {
    out = NearestPointOnEllipse(position, size, target);
    return 1;
}

int HItemTask::GetShorcutPointOnObject(HPoint target, HPoint& out) const {
    out = NearestPointOnEllipse(position, size, target);
    return 1;
}

int HItemTask::OnLinkRemoved(HItemCore* other) {
    if (other != nullptr && other->kind == kKindFile) {
        if (auto* file = dynamic_cast<HItemFile*>(other)) {
            UnlinkFile(file);
        }
    }
    return 1;
}

HItemFile* HItemTask::GetLinkedFile(const HItemLine& line) const {
    const HItemObject* self = this;
    HItemObject* other = nullptr;
    if (line.fromItem == self) {
        other = line.toItem;
    } else if (line.toItem == self) {
        other = line.fromItem;
    }
    if (other == nullptr || other->kind != kKindFile) {
        return nullptr;
    }
    return dynamic_cast<HItemFile*>(other);
}

void HItemTask::UpdateLinks() {
    if (lineList == nullptr) {
        return;
    }
    std::vector<HInfoFile*> linked;
    for (const HItemCore* item = lineList->Head(); item != nullptr; item = item->next) {
        if (const auto* line = dynamic_cast<const HItemLine*>(item)) {
            if (HItemFile* file = GetLinkedFile(*line)) {
                linked.push_back(file);
            }
        }
    }
    RebuildLinks(linked);
}

HItemOther::HItemOther() {
    InitBox(kKindOther, {100, 50}, {30, 30}, "外部モジュール[%d]");
}

HItemBorder::HItemBorder() {
    InitBox(kKindBorder, {100, 100}, {30, 30}, "アプリケーション境界[%d]");
}

HItemFunction::HItemFunction() {
    InitBox(kKindFunction, {100, 100}, {30, 30}, "機能[%d]");
    penNormal = SolidPen(2, Rgb(128, 0, 128));
    text.freePoint = 1;
}

HItemView::HItemView() {
    InitBox(kKindView, {50, 50}, {50, 50}, "画面[%d]");
    penNormal = SolidPen(1, Rgb(128, 128, 255));
    text.freePoint = 0;
}

HItemImageBox::HItemImageBox() {
    InitBox(kKindImageBox, {100, 100}, {30, 30}, "画像[%d]");
    text.freePoint = 1;
}

void HItemImageBox::AfterResize(int32_t hitCode) {
    if (keepRatio != 1 || !picture || picture->header.width <= 0 || picture->header.height <= 0) {
        return;
    }
    const double w = picture->header.width;
    const double h = picture->header.height;
    // A long thin picture can ask for a side far beyond the coordinate limit; it stops there.
    const auto side = [](double value) {
        constexpr double kLimit = kCoordinateLimit;
        return static_cast<int32_t>(std::clamp(value + 0.5, -kLimit, kLimit));
    };
    if (hitCode == kHitTop || hitCode == kHitBottom) {
        size.cx = side(w / h * size.cy);
    } else if (hitCode == kHitLeft || hitCode == kHitRight) {
        size.cy = side(h / w * size.cx);
    }
}

int HItemMouseCursor::GetBoundRect(HRect& rect) const {
    rect = HRect{0, 0, 0, 0};
    return 1;
}

std::unique_ptr<HItemObject> MakeBoxItem(int32_t kind) {
    switch (kind) {
        case kKindFile:
            return std::make_unique<HItemFile>();
        case kKindTask:
            return std::make_unique<HItemTask>();
        case kKindOther:
            return std::make_unique<HItemOther>();
        case kKindBorder:
            return std::make_unique<HItemBorder>();
        case kKindFunction:
            return std::make_unique<HItemFunction>();
        case kKindView:
            return std::make_unique<HItemView>();
        case kKindImageBox:
            return std::make_unique<HItemImageBox>();
        default:
            return nullptr;
    }
}

}  // namespace zarvik
