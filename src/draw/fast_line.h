#pragma once
// One-pixel solid lines written straight into a 32-bit picture. The painter steps through
// every pixel of a cosmetic line with a call per pixel; a diagram of thousands of lines
// across the window spends most of its painting there. This walks only the pixels inside
// the clip, starting at the first of them by arithmetic.

#include <QImage>
#include <QPoint>
#include <QRect>

namespace zarvik::draw {

// Whether lines can be written into image directly: a 32-bit format.
bool CanDrawFastLines(const QImage& image);

// The line from a to b with its end pixel left out, as the painter draws a cosmetic line
// with flat caps, in colour, on the pixels inside clip (within the image).
void DrawFastLine(QImage& image, QPoint a, QPoint b, QRgb colour, const QRect& clip);

}  // namespace zarvik::draw
