#pragma once
// The canvas tooltip's text as the tip label shows it: the core's lines ("\r\n" breaks
// them) wrapped to a maximum width, escaped so that a name looking like markup shows as
// it is.

#include <QFont>
#include <QString>

namespace zarvik::gui {

// Lines of text no wider than maxWidth pixels in font, as rich text the tip label takes
// without wrapping it again.
QString TooltipRichText(const QString& text, const QFont& font, int maxWidth);

}  // namespace zarvik::gui
