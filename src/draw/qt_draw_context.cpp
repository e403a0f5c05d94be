#include "draw/qt_draw_context.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>
#include <QPolygonF>
#include <QRegion>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "draw/fast_line.h"
#include "draw/qt_text.h"
#include "draw/qt_text_layout.h"

namespace zarvik::draw {

namespace {

// Pens wider than this many device pixels are drawn as wide pens (centred, round ends).
constexpr double kThinPenLimit = 1.5;

// The Japanese system faces of documents made on Windows, followed by the installed faces
// with the same metrics that stand in for them where they are missing.
QStringList FamiliesFor(const QString& face) {
    const QString gothic = QStringLiteral("IPAGothic");
    const QString proportionalGothic = QStringLiteral("IPAPGothic");
    static const QStringList kProportionalGothic = {
        QStringLiteral("ＭＳ Ｐゴシック"),    QStringLiteral("MS PGothic"),
        QStringLiteral("ＭＳ ＵＩ ゴシック"), QStringLiteral("MS UI Gothic"),
        QStringLiteral("メイリオ"),           QStringLiteral("Meiryo"),
        QStringLiteral("Meiryo UI")};
    static const QStringList kMincho = {QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")};
    static const QStringList kProportionalMincho = {QStringLiteral("ＭＳ Ｐ明朝"),
                                                    QStringLiteral("MS PMincho")};
    if (face.isEmpty()) {
        return {gothic};
    }
    if (kProportionalGothic.contains(face, Qt::CaseInsensitive)) {
        return {face, proportionalGothic, gothic};
    }
    if (kMincho.contains(face, Qt::CaseInsensitive)) {
        return {face, QStringLiteral("IPAMincho"), gothic};
    }
    if (kProportionalMincho.contains(face, Qt::CaseInsensitive)) {
        return {face, QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho"), gothic};
    }
    // The fixed-pitch gothic faces, "System" and any other face fall back on the
    // fixed-pitch gothic, which holds the Japanese characters.
    return {face, gothic};
}

int32_t SaturatedSum(int32_t a, int64_t b) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

// Qt's dash patterns count in pen widths; ours in device pixels.
QList<qreal> DashPattern(int32_t style, double deviceWidth) {
    QList<qreal> pixels;
    switch (style) {
        case kPenDash:
            pixels = {18, 6};
            break;
        case kPenDot:
            pixels = {3, 3};
            break;
        case kPenDashDot:
            pixels = {9, 6, 3, 6};
            break;
        case kPenDashDotDot:
            pixels = {9, 3, 3, 3, 3, 3};
            break;
        default:
            return {};
    }
    for (qreal& length : pixels) {
        length /= deviceWidth;
    }
    return pixels;
}

}  // namespace

QColor ToQColor(HColorRef color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont ToQFont(const HLogFont& logFont) {
    QFont font;
    font.setFamilies(FamiliesFor(ToQString(logFont.faceName)));
    font.setStyleStrategy(QFont::PreferOutline);
    font.setHintingPreference(QFont::PreferNoHinting);
    const int64_t height = logFont.height == 0 ? -12 : logFont.height;
    const int size = static_cast<int>(std::clamp<int64_t>(std::abs(height), 1, 100000));
    font.setPixelSize(size);
    if (height > 0) {
        // A positive height is the cell: find the character height that gives it.
        const int cell = CellHeight(QFontMetrics(font));
        if (cell > 0 && cell != size) {
            font.setPixelSize(
                std::max(1, static_cast<int>(std::lround(double(size) * size / cell))));
        }
    }
    if (logFont.width > 0) {
        const int average = QFontMetrics(font).averageCharWidth();
        if (average > 0) {
            font.setStretch(std::clamp(
                static_cast<int>(std::lround(100.0 * logFont.width / average)), 1, 4000));
        }
    }
    font.setWeight(logFont.weight <= 0
                       ? QFont::Normal
                       : static_cast<QFont::Weight>(std::clamp(logFont.weight, 1, 1000)));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    font.setKerning(false);
    return font;
}

HQtDrawContext::HQtDrawContext(QPainter& painter, double scale, QPointF origin)
    : m_painter(painter), m_scale(scale), m_origin(origin) {}

QPointF HQtDrawContext::ToDevice(HPoint point) const {
    return {(point.x - m_origin.x()) * m_scale, (point.y - m_origin.y()) * m_scale};
}

HPoint HQtDrawContext::ToCanvas(QPointF device) const {
    return {static_cast<int32_t>(device.x() / m_scale + m_origin.x()),
            static_cast<int32_t>(device.y() / m_scale + m_origin.y())};
}

QPoint HQtDrawContext::DevicePixel(HPoint point) const {
    const QPointF device = ToDevice(point);
    const auto round = [](double v) {
        return static_cast<int>(std::clamp(std::round(v), -1e9, 1e9));
    };
    return {round(device.x()), round(device.y())};
}

QRect HQtDrawContext::DeviceRect(const HRect& rect) const {
    const QPoint a = DevicePixel({rect.left, rect.top});
    const QPoint b = DevicePixel({rect.right, rect.bottom});
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

double HQtDrawContext::PenDeviceWidth() const {
    const std::optional<HLogPen>& pen = CurrentPen();
    if (!pen || pen->style == kPenNull) {
        return 0;
    }
    return pen->width.x <= 0 ? 1 : std::max(1.0, pen->width.x * m_scale);
}

// The shapes leave the painter with the pen, brush and background they set: the text and
// the pictures, which change more, save and restore around themselves. So the painter keeps
// what was last applied, and a run of items with the same pen and brush sets them once.
void HQtDrawContext::PreparePainter() {
    const bool transparent = TransparentBackground() != 0;
    if (m_applied.valid && m_applied.transparent == transparent && m_applied.pen == CurrentPen() &&
        m_applied.brush == CurrentBrush()) {
        return;
    }
    m_applied = {true, transparent, CurrentPen(), CurrentBrush()};
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBackground(QBrush(Qt::white));
    m_painter.setBackgroundMode(TransparentBackground() ? Qt::TransparentMode : Qt::OpaqueMode);

    const double width = PenDeviceWidth();
    if (width <= 0) {
        m_painter.setPen(Qt::NoPen);
    } else {
        const HLogPen& logPen = *CurrentPen();
        const bool thin = width < kThinPenLimit;
        QPen pen(ToQColor(logPen.color));
        pen.setWidthF(thin ? 0 : width);
        pen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(thin ? Qt::MiterJoin : Qt::RoundJoin);
        if (logPen.width.x <= 1) {
            const QList<qreal> dashes = DashPattern(logPen.style, thin ? 1 : width);
            if (!dashes.isEmpty()) {
                pen.setDashPattern(dashes);
                pen.setCapStyle(Qt::FlatCap);
            }
        }
        m_painter.setPen(pen);
    }

    const std::optional<HLogBrush>& logBrush = CurrentBrush();
    QBrush brush(Qt::NoBrush);
    if (logBrush && logBrush->style == kBrushSolid) {
        brush = QBrush(ToQColor(logBrush->color));
    } else if (logBrush && logBrush->style == kBrushHatched) {
        switch (logBrush->hatch) {
            case kHatchHorizontal:
                brush = QBrush(ToQColor(logBrush->color), Qt::HorPattern);
                break;
            case kHatchVertical:
                brush = QBrush(ToQColor(logBrush->color), Qt::VerPattern);
                break;
            case kHatchForwardDiagonal:
                brush = QBrush(ToQColor(logBrush->color), Qt::FDiagPattern);
                break;
            case kHatchBackwardDiagonal:
                brush = QBrush(ToQColor(logBrush->color), Qt::BDiagPattern);
                break;
            case kHatchCross:
                brush = QBrush(ToQColor(logBrush->color), Qt::CrossPattern);
                break;
            case kHatchDiagonalCross:
                brush = QBrush(ToQColor(logBrush->color), Qt::DiagCrossPattern);
                break;
            default:
                break;
        }
    }
    m_painter.setBrush(brush);
}

// Shapes with a thin pen or none are drawn on whole pixels: Qt's aliased outline of a
// QRect(x, y, w, h) covers pixels x to x + w, and its fill without a pen x to x + w - 1,
// which is one pixel less at the right and bottom, as wanted. Wide pens are centred on the
// line through the centres of the outermost pixels.
template <typename Draw>
void HQtDrawContext::DrawBoxShape(const HRect& rect, Draw draw) {
    const QRect device = DeviceRect(rect);
    if (device.width() < 1 || device.height() < 1) {
        return;
    }
    PreparePainter();
    draw(device, PenDeviceWidth() < kThinPenLimit ? QRectF(device.adjusted(0, 0, -1, -1))
                                                  : QRectF(device).adjusted(0.5, 0.5, -0.5, -0.5));
}

void HQtDrawContext::Rectangle(const HRect& rect) {
    DrawBoxShape(rect, [this](const QRect&, const QRectF& shape) { m_painter.drawRect(shape); });
}

void HQtDrawContext::Ellipse(const HRect& rect) {
    DrawBoxShape(rect, [this](const QRect&, const QRectF& shape) { m_painter.drawEllipse(shape); });
}

void HQtDrawContext::RoundRect(const HRect& rect, HSize corner) {
    DrawBoxShape(rect, [&](const QRect& device, const QRectF& shape) {
        const double rx = std::min<double>(std::abs(corner.cx) * m_scale, device.width()) / 2;
        const double ry = std::min<double>(std::abs(corner.cy) * m_scale, device.height()) / 2;
        m_painter.drawRoundedRect(shape, rx, ry);
    });
}

void HQtDrawContext::Polygon(const std::vector<HPoint>& points) {
    if (points.size() < 2) {
        return;
    }
    PreparePainter();
    if (PenDeviceWidth() < kThinPenLimit) {
        QPolygon polygon;
        for (const HPoint& point : points) {
            polygon << DevicePixel(point);
        }
        m_painter.drawPolygon(polygon, Qt::OddEvenFill);
    } else {
        QPolygonF polygon;
        for (const HPoint& point : points) {
            polygon << QPointF(DevicePixel(point)) + QPointF(0.5, 0.5);
        }
        m_painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
}

const HQtDrawContext::HFastLines& HQtDrawContext::FastLines() {
    if (!m_fast) {
        m_fast = HFastLines{};
        QPaintDevice* device = m_painter.device();
        const QTransform transform = m_painter.combinedTransform();
        const QPointF shift(transform.dx(), transform.dy());
        if (device != nullptr && device->devType() == QInternal::Image &&
            CanDrawFastLines(*static_cast<QImage*>(device)) &&
            transform.type() <= QTransform::TxTranslate && shift == shift.toPoint() &&
            m_painter.compositionMode() == QPainter::CompositionMode_SourceOver) {
            auto* image = static_cast<QImage*>(device);
            QRect clip = image->rect();
            bool simple = true;
            if (m_painter.hasClipping()) {
                const QRegion region = m_painter.clipRegion();
                simple = region.rectCount() <= 1;
                clip &= region.boundingRect().translated(shift.toPoint());
            }
            if (simple) {
                m_fast = HFastLines{image, shift.toPoint(), clip};
            }
        }
    }
    return *m_fast;
}

void HQtDrawContext::Line(HPoint a, HPoint b) {
    const double width = PenDeviceWidth();
    if (width <= 0) {
        return;
    }
    const QPoint from = DevicePixel(a);
    const QPoint to = DevicePixel(b);
    PreparePainter();
    if (width < kThinPenLimit) {
        // A flat cap leaves the end pixel out of a cosmetic line.
        if (from == to) {
            return;
        }
        const HFastLines& fast = FastLines();
        if (fast.image != nullptr && CurrentPen()->style == kPenSolid) {
            DrawFastLine(*fast.image, from + fast.shift, to + fast.shift,
                         ToQColor(CurrentPen()->color).rgb(), fast.clip);
        } else {
            m_painter.drawLine(from, to);
        }
    } else {
        m_painter.drawLine(QPointF(from) + QPointF(0.5, 0.5), QPointF(to) + QPointF(0.5, 0.5));
    }
}

int32_t HQtDrawContext::DrawText(const std::string& text, HRect& rect, int32_t format) {
    const int limit = static_cast<int>(
        std::min<int64_t>(std::abs(int64_t{rect.right} - rect.left), kCoordinateLimit));
    HCachedText& cached =
        CachedText(CurrentFont() ? *CurrentFont() : kStockSystemFont, text, limit, format);
    const QFont& font = cached.font;
    const HTextLayout& layout = cached.layout;
    const int64_t height = int64_t{layout.cellHeight} * static_cast<int64_t>(layout.lines.size());
    const auto result = static_cast<int32_t>(std::min<int64_t>(height, kCoordinateLimit));
    if (format & kDtCalcRect) {
        rect.right = SaturatedSum(rect.left, layout.widest);
        rect.bottom = SaturatedSum(rect.top, result);
        return result;
    }

    const QRect clip = DeviceRect(rect);
    if (clip.isEmpty()) {
        return result;
    }
    m_painter.save();
    m_painter.setClipRect(clip, Qt::IntersectClip);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setTransform(
        QTransform(m_scale, 0, 0, m_scale, -m_origin.x() * m_scale, -m_origin.y() * m_scale),
        true);  // after whatever the owner of the painter set
    m_painter.setFont(font);
    const QColor color = ToQColor(TextColor());
    m_painter.setPen(color);
    const int left = std::min(rect.left, rect.right);
    const int right = std::max(rect.left, rect.right);
    const int bottom = std::max(rect.top, rect.bottom);
    int64_t top = std::min(rect.top, rect.bottom);
    if (cached.shaped.empty()) {
        for (const HTextLine& line : layout.lines) {
            QStaticText& shaped = cached.shaped.emplace_back(line.text);
            shaped.setTextFormat(Qt::PlainText);
        }
    }
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const HTextLine& line = layout.lines[i];
        if (top >= bottom || ((format & kDtEditControl) && top + layout.cellHeight > bottom)) {
            break;
        }
        int x = left;
        if (format & kDtCenter) {
            x = left + (right - left - line.width) / 2;
        } else if (format & kDtRight) {
            x = right - line.width;
        }
        const QRectF cell(x, static_cast<double>(top), line.width, layout.cellHeight);
        if (!TransparentBackground()) {
            m_painter.fillRect(cell, Qt::white);
        }
        m_painter.drawStaticText(
            QPointF(x, static_cast<double>(top + layout.ascent) - cached.ascent), cached.shaped[i]);
        if (line.underline >= 0) {
            const QFontMetrics metrics(font);
            const double before = metrics.horizontalAdvance(line.text.left(line.underline));
            const qsizetype length = NextCharacter(line.text, line.underline) - line.underline;
            const double wide = metrics.horizontalAdvance(line.text.mid(line.underline, length));
            m_painter.fillRect(
                QRectF(x + before,
                       static_cast<double>(top + layout.ascent + metrics.underlinePos()), wide,
                       std::max(1, metrics.lineWidth())),
                color);
        }
        top += layout.cellHeight;
    }
    m_painter.restore();
    return result;
}

void HQtDrawContext::StretchBitmap(const HBitmap& bitmap, const HRect& dest) {
    const HBitmapHeader& header = bitmap.header;
    if (header.bitsPixel != 32 || header.width <= 0 || header.height <= 0 ||
        int64_t{header.widthBytes} < int64_t{header.width} * 4 ||
        bitmap.bits.size() < uint64_t(header.widthBytes) * uint64_t(header.height)) {
        return;
    }
    const QRect target = DeviceRect(dest);
    if (target.isEmpty()) {
        return;
    }
    // The pixels are blue, green, red and an unused byte: Qt's RGB32 once that byte is set.
    QImage picture = QImage(bitmap.bits.data(), header.width, header.height, header.widthBytes,
                            QImage::Format_RGB32)
                         .copy();
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            row[x] |= 0xFF000000u;
        }
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (target.width() <= picture.width() && target.height() <= picture.height()) {
        // Shrinking averages the source pixels.
        m_painter.drawImage(target.topLeft(), picture.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                             Qt::SmoothTransformation));
    } else {
        m_painter.drawImage(target, picture);
    }
    m_painter.restore();
}

void HQtDrawContext::SetClip(const std::optional<HRect>& clip) {
    m_fast.reset();
    if (clip) {
        m_painter.setClipRect(DeviceRect(*clip), Qt::ReplaceClip);
    } else {
        m_painter.setClipping(false);
    }
}

}  // namespace zarvik::draw
