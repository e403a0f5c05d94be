#pragma once
// The diagram as a picture file: SVG, PNG or PDF, framed by the items' bounds with a margin
// and drawn by the same item drawing as the screen. Needs a QGuiApplication (the offscreen
// platform will do) for the fonts.

#include <QByteArray>
#include <QPointF>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>

namespace zarvik {
class HFlowDocument;
}

namespace zarvik::draw {

enum class HPictureKind { Svg, Png, Pdf };

struct HPictureOptions {
    HPictureKind kind = HPictureKind::Png;
    int zoomPercent = 100;
    // 0xRRGGBB, or none for a transparent picture (a PDF page stays white).
    std::optional<uint32_t> background = 0xFFFFFF;
};

// Canvas units left free around the items.
inline constexpr int32_t kPictureMargin = 20;
// A picture's side may not pass this many pixels, nor a PNG's area kMaxPictureArea.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr int64_t kMaxPictureArea = 100'000'000;

// Where the picture's pixels lie on the canvas: origin (a canvas point) at the top left,
// scale pixels per canvas unit.
struct HPictureFrame {
    QPointF origin;
    double scale = 1;
    QSize pixels;
};

HPictureFrame FramePicture(const HFlowDocument& doc, int zoomPercent);

// The file's bytes, or an empty array with problem telling why there are none.
QByteArray RenderPicture(const HFlowDocument& doc, const HPictureOptions& options,
                         std::string& problem);

}  // namespace zarvik::draw
