#pragma once
// The concrete items: each box kind joins the box behaviour with its kind record.

#include <memory>
#include <vector>

#include "core/fp/info_file.h"
#include "core/fp/info_task.h"
#include "core/items/item_object.h"
#include "core/records/info_image_box.h"
#include "core/records/info_simple.h"

namespace zarvik {

class HItemLine;

// Rectangle kinds connect lines by the rectangle rules.
class HItemRectBox : public HItemObject {
public:
    int GetPointOnObject(HPoint target, HPoint& out) const override;
    int GetShorcutPointOnObject(HPoint target, HPoint& out) const override;
};

// Data function.
class HItemFile : public HItemRectBox, public HInfoFile {
public:
    HItemFile();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;
};

// Transaction function: an ellipse.
class HItemTask : public HItemObject, public HInfoTask {
public:
    HItemTask();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;
    int GetPointOnObject(HPoint target, HPoint& out) const override;
    int GetShorcutPointOnObject(HPoint target, HPoint& out) const override;
    // Forgets a data function whose relation line to this transaction was removed.
    int OnLinkRemoved(HItemCore* other) override;
    // The data function at the other end of line, when one end is this transaction.
    HItemFile* GetLinkedFile(const HItemLine& line) const;
    // Rebuilds the gathered DETs and FTRs from the document's relation lines.
    void UpdateLinks() override;

    // The document's relation lines, which UpdateLinks reads; set by the document.
    const HDrawList* lineList = nullptr;

protected:
    int BodyContains(HPoint point) const override;
};

// External module.
class HItemOther : public HItemRectBox, public HInfoOther {
public:
    HItemOther();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;
};

// Application boundary.
class HItemBorder : public HItemRectBox, public HInfoBorder {
public:
    HItemBorder();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;
};

class HItemFunction : public HItemRectBox, public HInfoFunction {
public:
    HItemFunction();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;
};

// Screen.
class HItemView : public HItemRectBox, public HInfoView {
public:
    HItemView();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;
};

class HItemImageBox : public HItemRectBox, public HInfoImageBox {
public:
    HItemImageBox();
    HInfoCore* Record() override { return this; }
    const HInfoCore* Record() const override { return this; }
    int Draw(HDrawContext& dc, int showHandles) const override;

protected:
    // Keeps the picture's proportions when the record asks for it.
    void AfterResize(int32_t hitCode) override;
};

// The free end of a line being drawn: it follows the pointer, draws nothing and is never
// hit or stored.
class HItemMouseCursor : public HItemObject {
public:
    HItemMouseCursor() = default;
    int Draw(HDrawContext&, int) const override { return 1; }
    int32_t HitTest(HPoint) const override { return 0; }
    int GetBoundRect(HRect& rect) const override;
    int DragPart(int32_t, HPoint, HDrawList&) override { return 1; }

    HPoint pointer;  // the pointer position in canvas coordinates
};

// A new box item of a kind (101 to 107), nullptr for another code.
std::unique_ptr<HItemObject> MakeBoxItem(int32_t kind);

}  // namespace zarvik
