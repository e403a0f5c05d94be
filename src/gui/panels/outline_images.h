#pragma once
// The three 16-pixel pictures of the item list dialogs' rows: expanded, collapsed, and
// nothing to expand.

#include <QPixmap>

namespace zarvik::gui {

inline constexpr int kOutlineImageSize = 16;

// The picture for one of the core's outline image indices, drawn anew (callers keep it);
// a null pixmap for any other index.
QPixmap OutlineImage(int index);

}  // namespace zarvik::gui
