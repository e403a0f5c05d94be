#include "draw/qt_fonts.h"

#include <QStringList>

namespace zarvik::draw {

QFont FixedGothicFont(qreal points) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                      QStringLiteral("monospace")});
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    return font;
}

}  // namespace zarvik::draw
