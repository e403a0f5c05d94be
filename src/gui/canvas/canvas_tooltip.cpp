#include "gui/canvas/canvas_tooltip.h"

#include <QStringList>
#include <QTextLayout>

namespace zarvik::gui {
namespace {

// Qt's own line breaking, so Japanese text breaks where the platform would break it.
QStringList WrapParagraph(const QString& paragraph, const QFont& font, int maxWidth) {
    if (paragraph.isEmpty()) {
        return {QString()};
    }
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(maxWidth);
        lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

}  // namespace

QString TooltipRichText(const QString& text, const QFont& font, int maxWidth) {
    QStringList lines;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
        lines << WrapParagraph(paragraph, font, maxWidth);
    }
    for (QString& line : lines) {
        line = line.toHtmlEscaped();
    }
    // "pre" keeps the blanks between the parts of a description.
    return QStringLiteral("<p style=\"white-space:pre\">") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

}  // namespace zarvik::gui
