#pragma once
// The fixed-pitch gothic face of the status bar and the estimate panel: stored as the
// Windows face name, drawn by the installed face with the same metrics.

#include <QFont>

namespace zarvik::draw {

QFont FixedGothicFont(qreal points);

}  // namespace zarvik::draw
