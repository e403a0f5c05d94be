#include "draw/picture_export.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>
#include <vector>

#include "core/doc/flow_document.h"
#include "core/items/draw_list.h"
#include "core/items/item_core.h"
#include "core/port/gdi_types.h"
#include "draw/diagram_painting.h"
#include "draw/png_writer.h"

namespace zarvik::draw {

namespace {

// Screen pixels per inch at 100 %: the size SVG and PDF give the picture.
constexpr int kPixelsPerInch = 96;

std::optional<HBackdrop> Backdrop(const HPictureFrame& frame, const HPictureOptions& options) {
    if (!options.background) {
        return std::nullopt;
    }
    const uint32_t rgb = *options.background;
    // The whole picture, a unit over each edge against rounding.
    const auto unit = [](double canvas) {
        return static_cast<int32_t>(std::clamp(canvas, -2147483647.0, 2147483647.0));
    };
    const HRect rect{unit(std::floor(frame.origin.x()) - 1), unit(std::floor(frame.origin.y()) - 1),
                     unit(std::ceil(frame.origin.x() + frame.pixels.width() / frame.scale) + 1),
                     unit(std::ceil(frame.origin.y() + frame.pixels.height() / frame.scale) + 1)};
    return HBackdrop{rect, Rgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)};
}

// Drawn and deflated strip by strip: each strip is filled with the background and gets
// only the items that reach into it, and the strips already drawn are deflated meanwhile.
// As on the screen, a thin curve that crosses from one strip into the next may step a
// pixel aside there: the painter starts its walk afresh at the edge of a picture.
QByteArray RenderPng(const HFlowDocument& doc, const HPictureFrame& frame,
                     const HPictureOptions& options) {
    const QRgb fill = options.background ? 0xFF000000U | *options.background : 0;
    std::vector<std::pair<const HItemCore*, HRect>> items;
    for (const HItemCore* item : ItemsInPaintingOrder(doc)) {
        items.emplace_back(item, PaintedBounds(*item));
    }
    try {
        return WritePng(
            frame.pixels,
            options.background ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied,
            [&](QImage& strip, int first) {
                for (int y = 0; y < strip.height(); ++y) {
                    auto* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
                    std::fill(row, row + strip.width(), fill);
                }
                // Canvas rows the strip shows, widened by two pixels for smoothed edges.
                const double top = frame.origin.y() + (first - 2) / frame.scale;
                const double bottom = frame.origin.y() + (first + strip.height() + 2) / frame.scale;
                std::vector<const HItemCore*> reaching;
                for (const auto& [item, bounds] : items) {
                    if (bounds.bottom >= top && bounds.top <= bottom) {
                        reaching.push_back(item);
                    }
                }
                QPainter painter(&strip);
                const QPointF origin(frame.origin.x(), frame.origin.y() + first / frame.scale);
                DrawItems(painter, reaching, frame.scale, origin, std::nullopt);
            });
    } catch (const std::exception&) {  // no memory for the pixels or no thread to deflate
        return {};
    }
}

QByteArray RenderPdf(const HFlowDocument& doc, const HPictureFrame& frame,
                     const HPictureOptions& options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Zarvik"));
    const QSizeF points(frame.pixels.width() * 72.0 / kPixelsPerInch,
                        frame.pixels.height() * 72.0 / kPixelsPerInch);
    writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return {};
    }
    const double deviceScale = static_cast<double>(writer.resolution()) / kPixelsPerInch;
    DrawDiagram(painter, doc, frame.scale * deviceScale, frame.origin, Backdrop(frame, options));
    return painter.end() ? bytes : QByteArray();
}

// What one generator wrote for its drawing: the text between its definitions and the end
// of the document.
QByteArray SvgBody(const QByteArray& svg) {
    const QByteArray defsEnd = "</defs>";
    qsizetype start = svg.indexOf(defsEnd);
    start = start < 0 ? svg.indexOf('>', svg.indexOf("<svg")) + 1 : start + defsEnd.size();
    const qsizetype end = svg.lastIndexOf("</svg>");
    return start > 0 && end > start ? svg.mid(start, end - start).trimmed() : QByteArray();
}

// The picture drawn by draw through a generator of the frame's size.
template <typename Draw>
QByteArray GenerateSvg(const HPictureFrame& frame, const QString& title, Draw draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(frame.pixels);
    generator.setViewBox(QRect(QPoint(0, 0), frame.pixels));
    generator.setResolution(kPixelsPerInch);
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) {
        return {};
    }
    draw(painter);
    return painter.end() ? bytes : QByteArray();
}

// Each item in a group of its own, numbered in painting order, so that a reader can take
// the diagram apart again: each is drawn by a generator of its own and its drawing put
// into the page of the backdrop.
QByteArray RenderSvg(const HFlowDocument& doc, const HPictureFrame& frame,
                     const HPictureOptions& options) {
    const QString title = QStringLiteral("Zarvik");
    QByteArray page = GenerateSvg(frame, title, [&](QPainter& painter) {
        DrawItems(painter, {}, frame.scale, frame.origin, Backdrop(frame, options));
    });
    const qsizetype end = page.lastIndexOf("</svg>");
    if (end < 0) {
        return {};
    }
    QByteArray groups;
    int number = 0;
    for (const HItemCore* item : ItemsInPaintingOrder(doc)) {
        const QByteArray body = SvgBody(GenerateSvg(frame, title, [&](QPainter& painter) {
            DrawItems(painter, {item}, frame.scale, frame.origin, std::nullopt);
        }));
        groups += "<g id=\"item" + QByteArray::number(++number) + "\">\n" + body + "\n</g>\n";
    }
    page.insert(end, groups);
    return page;
}

}  // namespace

HPictureFrame FramePicture(const HFlowDocument& doc, int zoomPercent) {
    const HRect bounds = DiagramBounds(doc);
    const double scale = zoomPercent / 100.0;
    HPictureFrame frame;
    frame.scale = scale;
    frame.origin = QPointF(static_cast<double>(bounds.left) - kPictureMargin,
                           static_cast<double>(bounds.top) - kPictureMargin);
    const double width = (static_cast<double>(bounds.right) - bounds.left + 2 * kPictureMargin);
    const double height = (static_cast<double>(bounds.bottom) - bounds.top + 2 * kPictureMargin);
    frame.pixels = QSize(static_cast<int>(std::min(std::ceil(width * scale), 1e9)),
                         static_cast<int>(std::min(std::ceil(height * scale), 1e9)));
    return frame;
}

QByteArray RenderPicture(const HFlowDocument& doc, const HPictureOptions& options,
                         std::string& problem) {
    const HPictureFrame frame = FramePicture(doc, options.zoomPercent);
    const int width = frame.pixels.width();
    const int height = frame.pixels.height();
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        (options.kind == HPictureKind::Png &&
         static_cast<int64_t>(width) * height > kMaxPictureArea)) {
        problem = "the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels, too large: choose a smaller zoom";
        return {};
    }
    QByteArray bytes;
    switch (options.kind) {
        case HPictureKind::Svg:
            bytes = RenderSvg(doc, frame, options);
            break;
        case HPictureKind::Png:
            bytes = RenderPng(doc, frame, options);
            break;
        case HPictureKind::Pdf:
            bytes = RenderPdf(doc, frame, options);
            break;
    }
    if (bytes.isEmpty()) {
        problem = "the picture could not be drawn";
    }
    return bytes;
}

}  // namespace zarvik::draw
