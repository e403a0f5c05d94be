#pragma once
// Labels laid out as the drawing context draws them: broken into lines by width, with the
// prefix and ellipsis rules, measured with the font's metrics, and kept once laid out.

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "core/port/gdi_types.h"

namespace zarvik::draw {

// The index after the character at i (a surrogate pair is one character).
qsizetype NextCharacter(const QString& text, qsizetype i);

// The height of a line of the font: ascent and descent.
int CellHeight(const QFontMetrics& metrics);

// One line as it is drawn: its text, the index of the character a prefix underlines (or
// -1), and its advance in canvas units.
struct HTextLine {
    QString text;
    qsizetype underline = -1;
    int width = 0;
};

struct HTextLayout {
    std::vector<HTextLine> lines;
    int cellHeight = 0;
    int ascent = 0;
    int widest = 0;
};

// Lays out text in lines no wider than limit under the DrawText format flags.
HTextLayout LayOut(const QString& text, const QFontMetrics& metrics, int limit, int32_t format);

// A label laid out once: a diagram draws the same labels at every paint, and measuring and
// shaping them each time made painting large diagrams slow.
struct HCachedText {
    QFont font;
    HTextLayout layout;
    double ascent = 0;                // the font's exact ascent, where static text starts
    std::vector<QStaticText> shaped;  // one per line, made at the first draw
};

// The layout of a label in a font, from the cache; the reference stays good until the
// next call.
HCachedText& CachedText(const HLogFont& logFont, const std::string& text, int limit,
                        int32_t format);

}  // namespace zarvik::draw
