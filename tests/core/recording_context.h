#pragma once
// A drawing context for tests: measures like the fixed-metrics context and records every
// primitive with the pen and brush that were current when it was drawn, and apart from
// them every text measurement.

#include <optional>
#include <string>
#include <vector>

#include "core/port/fixed_metrics_context.h"
#include "core/port/gdi_types.h"

namespace zarvik::testing {

struct RecordedCall {
    std::string op;  // "Rectangle", "Ellipse", "RoundRect", "Polygon", "Line", "DrawText", ...
    HRect rect;      // for text measurements, the rectangle as measured
    HSize corner;    // of a RoundRect
    std::vector<HPoint> points;
    std::optional<HLogPen> pen;
    int32_t brushStyle = -1;  // -1 when no brush is selected
    std::string text;
    int32_t format = 0;
    int32_t fontHeight = 0;  // of the font current at a DrawText, 0 when none
    HColorRef textColor = 0;
    bool transparentBackground = false;
};

class RecordingContext : public HFixedMetricsContext {
public:
    void Rectangle(const HRect& rect) override { Record("Rectangle", rect); }
    void Ellipse(const HRect& rect) override { Record("Ellipse", rect); }
    void RoundRect(const HRect& rect, HSize corner) override {
        Record("RoundRect", rect).corner = corner;
    }
    void Polygon(const std::vector<HPoint>& points) override {
        Record("Polygon", HRect{}).points = points;
    }
    void Line(HPoint a, HPoint b) override { Record("Line", HRect{}).points = {a, b}; }
    int32_t DrawText(const std::string& text, HRect& rect, int32_t format) override {
        const int32_t height = HFixedMetricsContext::DrawText(text, rect, format);
        RecordedCall& call = (format & kDtCalcRect) ? Measure(rect) : Record("DrawText", rect);
        call.text = text;
        call.format = format;
        call.fontHeight = CurrentFont() ? CurrentFont()->height : 0;
        call.textColor = TextColor();
        call.transparentBackground = TransparentBackground();
        return height;
    }
    void StretchBitmap(const HBitmap&, const HRect& dest) override {
        Record("StretchBitmap", dest);
    }
    void SetClip(const std::optional<HRect>& clip) override {
        Record("SetClip", clip.value_or(HRect{}));
    }

    // The recorded operations whose name is one of the shape primitives.
    std::vector<RecordedCall> Shapes() const {
        std::vector<RecordedCall> shapes;
        for (const RecordedCall& call : calls) {
            if (call.op == "Rectangle" || call.op == "Ellipse" || call.op == "RoundRect" ||
                call.op == "Polygon" || call.op == "Line") {
                shapes.push_back(call);
            }
        }
        return shapes;
    }

    std::vector<RecordedCall> calls;
    std::vector<RecordedCall> measures;  // DrawText calls with kDtCalcRect

private:
    RecordedCall& Measure(const HRect& rect) {
        RecordedCall& call = measures.emplace_back();
        call.op = "DrawText";
        call.rect = rect;
        return call;
    }

    RecordedCall& Record(const char* op, const HRect& rect) {
        RecordedCall call;
        call.op = op;
        call.rect = rect;
        call.pen = CurrentPen();
        call.brushStyle = CurrentBrush() ? CurrentBrush()->style : -1;
        calls.push_back(call);
        return calls.back();
    }
};

}  // namespace zarvik::testing
