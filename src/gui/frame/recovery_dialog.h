#pragma once
// At start: the recovery copies of runs that did not end normally, offered in one dialog.
// 復元 opens the chosen copy as the changed, unsaved document of its original path; 破棄
// deletes it; 閉じる keeps the others for the next start.

#include <string>

class QWidget;

namespace zarvik {
class CZarvikDoc;
}

namespace zarvik::gui {

// Shows the dialog when folder holds copies to offer. Returns 1 when one was restored.
int OfferRecoveryCopies(CZarvikDoc& doc, const std::string& folder, QWidget* parent);

}  // namespace zarvik::gui
