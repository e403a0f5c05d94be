#pragma once
// The font page of the box format sheet: face, style and size of the label's font, strike-out
// and underline, the text colour, and a sample drawn as the label will be.

#include <QWidget>
#include <functional>

#include "core/records/parts_text.h"

namespace zarvik::gui {

// The page edits text directly (the sheet's copy) and calls changed after every change.
QWidget* NewFontPage(HItemPartsText& text, std::function<void()> changed,
                     QWidget* parent = nullptr);

}  // namespace zarvik::gui
