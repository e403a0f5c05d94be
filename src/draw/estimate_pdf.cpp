#include "draw/estimate_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <ctime>
#include <vector>

#include "core/doc/estimate_lists.h"
#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "draw/diagram_painting.h"
#include "draw/picture_export.h"
#include "draw/qt_fonts.h"

namespace zarvik::draw {
namespace {

constexpr int kResolution = 300;         // device pixels per inch
constexpr double kMarginMm = 15;         // all round
constexpr double kBodyPoints = 9.5;      // report lines and table cells
constexpr double kHeadingPoints = 13;    // section titles
constexpr double kTitlePoints = 18;      // the document's name on the first page
constexpr double kMaxDiagramZoom = 1.5;  // a small diagram is not blown up past this
constexpr int kScreenPixelsPerInch = 96;

// The widths of the list columns as parts of the line, and which are numbers.
constexpr double kColumnShares[kFunctionListColumns] = {0.44, 0.10, 0.10, 0.10, 0.12, 0.14};
constexpr bool kNumberColumn[kFunctionListColumns] = {false, false, true, true, false, true};

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont Font(double points, bool bold = false) {
    QFont font = FixedGothicFont(points);
    font.setBold(bold);
    return font;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// Lays out text from the top of each page down, starting a new page when the next block
// does not fit above the footer, and numbers every page at its foot.
class HReportPages {
public:
    HReportPages(QPdfWriter& writer, QPainter& painter)
        : m_writer(writer),
          m_painter(painter),
          m_width(writer.width()),
          m_bottom(writer.height() - LineHeight(Font(kBodyPoints)) * 2) {}

    double Width() const { return m_width; }
    double Top() const { return m_y; }
    double Bottom() const { return m_bottom; }

    double LineHeight(const QFont& font) const {
        return QFontMetricsF(font, &m_writer).lineSpacing();
    }

    // Starts a new page unless height more fits on this one. Returns false when the new
    // page cannot be started.
    bool MakeRoom(double height) {
        if (m_y + height <= m_bottom || m_y == 0) {
            return true;
        }
        return NewPage();
    }

    bool NewPage() {
        Footer();
        m_y = 0;
        ++m_page;
        return m_writer.newPage();
    }

    void Line(const std::string& text, const QFont& font) {
        const double height = LineHeight(font);
        m_painter.setFont(font);
        m_painter.drawText(QRectF(0, m_y, m_width, height), Qt::AlignLeft | Qt::AlignVCenter,
                           ToQString(text));
        m_y += height;
    }

    void Skip(double height) { m_y += height; }

    // One table row: cells in the shared column widths, long texts cut with an ellipsis.
    void Row(const HFunctionListRow& cells, bool head) {
        const QFont font = Font(kBodyPoints, head);
        const double height = LineHeight(font) * 1.3;
        const double pad = height * 0.2;
        m_painter.setFont(font);
        if (head) {
            m_painter.fillRect(QRectF(0, m_y, m_width, height), QColor(230, 230, 230));
        }
        const QFontMetricsF metrics(font, &m_writer);
        double x = 0;
        for (int i = 0; i < kFunctionListColumns; ++i) {
            const double width = m_width * kColumnShares[i];
            const QRectF cell(x + pad, m_y, width - 2 * pad, height);
            const QString text = metrics.elidedText(ToQString(cells[static_cast<std::size_t>(i)]),
                                                    Qt::ElideRight, cell.width());
            const Qt::Alignment align =
                (kNumberColumn[i] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            m_painter.drawText(cell, align, text);
            x += width;
        }
        m_painter.setPen(QPen(QColor(160, 160, 160), 0));
        m_painter.drawLine(QPointF(0, m_y + height), QPointF(m_width, m_y + height));
        m_painter.setPen(Qt::black);
        m_y += height;
    }

    double RowHeight() const { return LineHeight(Font(kBodyPoints)) * 1.3; }

    void Footer() {
        const QFont font = Font(kBodyPoints);
        m_painter.setFont(font);
        const double height = LineHeight(font);
        m_painter.drawText(QRectF(0, m_writer.height() - height, m_width, height),
                           Qt::AlignHCenter | Qt::AlignVCenter,
                           QStringLiteral("- %1 -").arg(m_page));
    }

private:
    QPdfWriter& m_writer;
    QPainter& m_painter;
    double m_width;
    double m_bottom;
    double m_y = 0;
    int m_page = 1;
};

// The diagram scaled to fit area (device pixels) and centred in it.
void DrawFittedDiagram(QPainter& painter, const HFlowDocument& doc, const QRectF& area) {
    const HPictureFrame frame = FramePicture(doc, 100);
    if (frame.pixels.isEmpty() || area.width() <= 0 || area.height() <= 0) {
        return;
    }
    const double nominal = static_cast<double>(kResolution) / kScreenPixelsPerInch;
    const double scale =
        std::min({area.width() / frame.pixels.width(), area.height() / frame.pixels.height(),
                  nominal * kMaxDiagramZoom});
    const QPointF offset(area.left() + (area.width() - frame.pixels.width() * scale) / 2,
                         area.top() + (area.height() - frame.pixels.height() * scale) / 2);
    painter.save();
    painter.setClipRect(area);
    painter.translate(offset);
    DrawDiagram(painter, doc, scale, frame.origin, std::nullopt);
    painter.restore();
}

bool DrawList(HReportPages& pages, const char* title, const HFunctionListRow& head,
              const std::vector<HFunctionListRow>& rows) {
    const QFont heading = Font(kHeadingPoints, true);
    if (!pages.MakeRoom(pages.LineHeight(heading) * 2 + pages.RowHeight() * 2)) {
        return false;
    }
    pages.Skip(pages.LineHeight(heading) * 0.5);
    pages.Line(title, heading);
    pages.Row(head, true);
    if (rows.empty()) {
        pages.Row({"(なし)", "", "", "", "", ""}, false);
    }
    for (const HFunctionListRow& row : rows) {
        if (pages.Top() + pages.RowHeight() > pages.Bottom()) {
            if (!pages.NewPage()) {
                return false;
            }
            pages.Row(head, true);
        }
        pages.Row(row, false);
    }
    return true;
}

bool DrawText(HReportPages& pages, const char* title, const std::vector<std::string>& lines) {
    const QFont heading = Font(kHeadingPoints, true);
    const QFont body = Font(kBodyPoints);
    if (!pages.MakeRoom(pages.LineHeight(heading) * 2 + pages.LineHeight(body) * 3)) {
        return false;
    }
    pages.Skip(pages.LineHeight(heading) * 0.5);
    pages.Line(title, heading);
    for (const std::string& line : lines) {
        if (!pages.MakeRoom(pages.LineHeight(body))) {
            return false;
        }
        pages.Line(line, body);
    }
    return true;
}

}  // namespace

HReportHeading ReportHeadingFor(const HFlowDocument& doc, const std::string& path) {
    HReportHeading heading;
    heading.title = doc.flow.flowName;
    if (heading.title.empty()) {
        std::string name = path.substr(path.rfind('/') + 1);
        const std::size_t dot = name.rfind('.');
        heading.title = dot == 0 || dot == std::string::npos ? name : name.substr(0, dot);
    }
    heading.date = "作成日 " + DocumentTimeText(std::time(nullptr)).substr(0, 10);
    if (!doc.flow.lastUpdate.empty()) {
        heading.date += "    (フロー最終更新 " + doc.flow.lastUpdate + ")";
    }
    return heading;
}

QByteArray RenderEstimateReport(const HFlowDocument& doc, const HInfoRule& rule,
                                const HReportHeading& heading, std::string& problem) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Zarvik"));
    writer.setTitle(ToQString(heading.title));
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        problem = "the report could not be drawn";
        return {};
    }
    HReportPages pages(writer, painter);
    pages.Line(heading.title, Font(kTitlePoints, true));
    pages.Line(heading.date, Font(kBodyPoints));
    pages.Skip(pages.LineHeight(Font(kBodyPoints)));
    DrawFittedDiagram(painter, doc,
                      QRectF(0, pages.Top(), pages.Width(), pages.Bottom() - pages.Top()));

    const bool drawn = pages.NewPage() &&
                       DrawText(pages, "見積結果", SplitLines(BuildReportText(doc.estimate))) &&
                       DrawList(pages, kTransactionListTitle, TransactionListHead(),
                                TransactionListRows(doc.Boxes())) &&
                       DrawList(pages, kFileListTitle, FileListHead(), FileListRows(doc.Boxes())) &&
                       DrawText(pages, kRulesInForceTitle, RulesInForceLines(rule, doc.estimate));
    if (drawn) {
        pages.Footer();
    }
    if (!painter.end() || !drawn) {
        problem = "the report could not be drawn";
        return {};
    }
    return bytes;
}

}  // namespace zarvik::draw
