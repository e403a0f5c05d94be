#include "core/canvas/zoom.h"

#include <gtest/gtest.h>

#include "core/app/info_system.h"
#include "core/canvas/print_layout.h"

namespace zarvik {
namespace {

TEST(ZoomArithmetic, RoundsHalvesAwayFromZero) {
    const struct {
        double x;
        int32_t rounded;
    } cases[] = {{0.0, 0},   {0.49, 0},  {0.5, 1},   {2.5, 3},
                 {-0.49, 0}, {-0.5, -1}, {-2.5, -3}, {1999.6, 2000}};
    for (const auto& c : cases) {
        EXPECT_EQ(ZoomRound(c.x), c.rounded) << c.x;
    }
}

TEST(ZoomArithmetic, ClampsToTheRange) {
    const struct {
        float z;
        float clamped;
    } cases[] = {{0.1f, 0.2f},   {0.19f, 0.2f},  {0.2f, 0.2f},   {0.5f, 0.5f},
                 {9.99f, 9.99f}, {10.0f, 10.0f}, {40.0f, 10.0f}, {-1.0f, 0.2f}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(ClampZoom(c.z), c.clamped) << c.z;
    }
}

TEST(ZoomArithmetic, WindowPointsMapThroughScrollAndZoom) {
    EXPECT_EQ(WindowToCanvas(HPoint{100, 40}, HPoint{0, 0}, 2.0f), (HPoint{50, 20}));
    EXPECT_EQ(WindowToCanvas(HPoint{100, 40}, HPoint{300, 60}, 2.0f), (HPoint{200, 50}));
    EXPECT_EQ(WindowToCanvas(HPoint{10, 10}, HPoint{0, 0}, 0.5f), (HPoint{20, 20}));
    // A zoom of 0.333 maps 100 units to 33 pixels: 10 pixels are 30.3 units.
    EXPECT_EQ(WindowToCanvas(HPoint{10, 0}, HPoint{0, 0}, 0.333f), (HPoint{30, 0}));
    EXPECT_EQ(WindowToCanvas(HRect{0, 0, 200, 100}, HPoint{0, 0}, 2.0f), (HRect{0, 0, 100, 50}));
    EXPECT_EQ(CanvasToPixels(HSize{4000, 1000}, 0.5f), (HSize{2000, 500}));
}

TEST(ZoomView, ChangingTheZoomKeepsTheWindowCentre) {
    HZoomView view;
    view.client = HSize{800, 600};
    view.scroll = HPoint{200, 100};
    const HPoint centre{view.client.cx / 2, view.client.cy / 2};
    const HPoint before = WindowToCanvas(centre, view.scroll, view.zoom);

    ASSERT_EQ(view.SetZoom(2.0f), 1);
    EXPECT_EQ(view.scroll, (HPoint{800, 500}));
    EXPECT_EQ(view.deviceTotal, (HSize{8000, 8000}));
    EXPECT_EQ(WindowToCanvas(centre, view.scroll, view.zoom), before);

    ASSERT_EQ(view.SetZoom(0.5f), 1);
    EXPECT_EQ(WindowToCanvas(centre, view.scroll, view.zoom), before);
    EXPECT_EQ(view.deviceTotal, (HSize{2000, 2000}));
}

TEST(ZoomView, SameZoomIsIgnoredAndOutOfRangeIsClamped) {
    HZoomView view;
    view.client = HSize{400, 400};
    view.scroll = HPoint{100, 100};
    EXPECT_EQ(view.SetZoom(1.0f), 0);
    EXPECT_EQ(view.scroll, (HPoint{100, 100}));

    // The zoom panel allows 10 %, which comes out as 20 %.
    ASSERT_EQ(view.SetZoom(0.1f), 1);
    EXPECT_FLOAT_EQ(view.zoom, 0.2f);
    EXPECT_EQ(view.deviceTotal, (HSize{800, 800}));
    ASSERT_EQ(view.SetZoom(25.0f), 1);
    EXPECT_FLOAT_EQ(view.zoom, 10.0f);
    EXPECT_EQ(view.deviceTotal, (HSize{40000, 40000}));
}

TEST(ZoomCanvasSize, FixedSizeFromTheSettings) {
    HInfoSystem settings;
    settings.SelectCanvasType = 1;
    settings.CanvasSizeCx = 4000;
    settings.CanvasSizeCy = 1000;
    const HCanvasExtent extent = CanvasExtent(settings, HSize{640, 480}, HPoint{0, 0}, 0.5f);
    EXPECT_EQ(extent.total, (HSize{2000, 500}));
    EXPECT_EQ(extent.scrollBars, 1);
    EXPECT_EQ(CanvasSize(settings, HSize{640, 480}, HPoint{0, 0}, 0.5f), (HSize{4000, 1000}));

    settings.CanvasSizeCx = 20;
    settings.CanvasSizeCy = -5;
    EXPECT_EQ(CanvasSize(settings, HSize{640, 480}, HPoint{0, 0}, 1.0f), (HSize{100, 100}));
}

TEST(ZoomCanvasSize, WindowSizedCanvasFollowsTheWindow) {
    HInfoSystem settings;
    settings.SelectCanvasType = 0;
    EXPECT_EQ(CanvasSize(settings, HSize{640, 480}, HPoint{0, 0}, 1.0f), (HSize{640, 480}));
    EXPECT_EQ(CanvasSize(settings, HSize{800, 600}, HPoint{0, 0}, 1.0f), (HSize{800, 600}));
    EXPECT_EQ(CanvasSize(settings, HSize{640, 480}, HPoint{0, 0}, 2.0f), (HSize{320, 240}));
    // The canvas is exactly the window: no scrolling.
    const HCanvasExtent extent = CanvasExtent(settings, HSize{640, 480}, HPoint{0, 0}, 2.0f);
    EXPECT_EQ(extent.total, (HSize{640, 480}));
    EXPECT_EQ(extent.scrollBars, 0);
}

// A4 paper at 300 dpi and an easy one to compute by hand.
constexpr HPageMetrics kA4{2480, 3508, 210, 297};

TEST(ZoomPrint, PrintableAreaIsThePageInsideTheMargins) {
    const HInfoPrint margins;  // 20 mm at the sides, 25 mm at top and bottom
    // 2480 * 4000 / 210 / 100 = 472; 3508 * 5000 / 297 / 100 = 590.
    EXPECT_EQ(PrintableSize(kA4, margins), (HSize{2008, 2918}));
    EXPECT_EQ(PrintableSize(HPageMetrics{1000, 1000, 100, 100}, HInfoPrint{0, 0, 0, 0}),
              (HSize{1000, 1000}));
}

TEST(ZoomPrint, CanvasIsScaledByOneFactor) {
    // 10 pixels a millimetre; 20 mm margins all round leave 2000 x 2800 pixels.
    const HPageMetrics page{2400, 3200, 240, 320};
    const HInfoPrint margins{2000, 2000, 2000, 2000};
    const struct {
        HSize canvas;
        HSize windowExt;
    } cases[] = {
        {{3000, 1000}, {3000, 4200}},  // wide: the width fills, scale 2/3
        {{1000, 2800}, {2000, 2800}},  // as tall as the page: the height fills
        {{1000, 4200}, {3000, 4200}},  // tall: the height fills
        {{2000, 2800}, {2000, 2800}},  // exactly the shape of the page
    };
    for (const auto& c : cases) {
        const HPrintLayout layout = ComputePrintLayout(c.canvas, page, margins);
        EXPECT_EQ(layout.viewportExt, (HSize{2000, 2800}));
        EXPECT_EQ(layout.windowExt, c.windowExt) << c.canvas.cx << "x" << c.canvas.cy;
    }
}

TEST(ZoomPrint, DrawingStartsAtTheMarginCorner) {
    const HPageMetrics page{2400, 3200, 240, 320};
    const HInfoPrint margins{2000, 3000, 1000, 1000};  // 200 px left, 300 px top
    const HPrintLayout layout = ComputePrintLayout(HSize{3000, 1000}, page, margins);
    ASSERT_EQ(layout.printable, (HSize{2100, 2800}));
    EXPECT_EQ(PrintCanvasToPage(layout, HPoint{0, 0}), (HPoint{200, 300}));
    EXPECT_EQ(layout.clip.left, 200);
    EXPECT_EQ(layout.clip.top, 300);
    // The wide canvas fills the printable width and no more.
    EXPECT_EQ(layout.clip.right, 200 + 2100);
    EXPECT_LE(layout.clip.bottom, 300 + 2800);
}

TEST(ZoomPrint, DegeneratePagesAndCanvasesStayUsable) {
    // Margins larger than the paper and a printer without a physical size must not lead
    // to a division by zero or an empty extent.
    const HInfoPrint huge{30000, 30000, 30000, 30000};
    const HPrintLayout squeezed = ComputePrintLayout(HSize{500, 500}, kA4, huge);
    EXPECT_GE(squeezed.printable.cx, 1);
    EXPECT_GE(squeezed.printable.cy, 1);

    const HPrintLayout noSize =
        ComputePrintLayout(HSize{500, 500}, HPageMetrics{1000, 1000, 0, 0}, HInfoPrint{});
    EXPECT_EQ(noSize.printable, (HSize{1000, 1000}));

    const HPrintLayout empty = ComputePrintLayout(HSize{0, 0}, kA4, HInfoPrint{});
    EXPECT_GE(empty.windowExt.cx, 1);
    EXPECT_GE(empty.windowExt.cy, 1);
}

}  // namespace
}  // namespace zarvik
