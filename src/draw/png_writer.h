#pragma once
// A PNG file written straight over zlib, for the large pictures zvk render draws: 8-bit
// RGB, or RGBA when the image has alpha, the rows unfiltered and deflated at the quickest
// level. Such pictures are mostly flat colour, which that packs well enough at a fraction
// of the time an adaptive filter and a deeper search take.
//
// The rows are cut into bands, each deflated on its own as a part of the one stream, on
// as many threads as the machine has: a band can be deflated as soon as its rows are
// drawn, so drawing and deflating overlap.

#include <QByteArray>
#include <QImage>
#include <functional>

namespace zarvik::draw {

// Draws rows [first, end) of the image being written and touches no row outside them.
using HDrawRows = std::function<void(int first, int end)>;

// The PNG file of image, or an empty array for a null image. With drawRows, the image
// (RGB32, ARGB32 or ARGB32_Premultiplied) is drawn strip by strip from the top on the
// calling thread, while the strips already drawn are deflated on others.
QByteArray WritePng(const QImage& image, const HDrawRows& drawRows = nullptr);

}  // namespace zarvik::draw
