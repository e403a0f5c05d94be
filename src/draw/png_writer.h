#pragma once
// A PNG file written straight over zlib, for the large pictures zvk render draws: 8-bit
// RGB, or RGBA when the image has alpha, the rows unfiltered and deflated at the quickest
// level. Such pictures are mostly flat colour, which that packs well enough at a fraction
// of the time an adaptive filter and a deeper search take.
//
// The picture is drawn strip by strip from the top into two buffers that take turns, and
// the rows are cut into bands, each deflated on its own as a part of the one stream, on as
// many threads as the machine has: a band is deflated as soon as its strip is drawn, so
// drawing and deflating overlap, and a picture of any size takes two strips of memory.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <functional>

namespace zarvik::draw {

// Draws the picture's rows from first on into strip (its row 0 is the picture's row first),
// as many as strip has. strip still holds an earlier strip: every pixel is to be set, in
// place (a copy of strip would be drawn into instead).
using HDrawStrip = std::function<void(QImage& strip, int first)>;

// The PNG file of a picture of size drawn by draw in format (RGB32, ARGB32 or
// ARGB32_Premultiplied), or an empty array for an empty size. Throws std::bad_alloc when
// there is no memory for the strips.
QByteArray WritePng(QSize size, QImage::Format format, const HDrawStrip& draw);

// The PNG file of image, of any format; an empty array for a null image.
QByteArray WritePng(const QImage& image);

}  // namespace zarvik::draw
