#include "gui/frame/cp932_validator.h"

#include "core/text/cp932.h"
#include "gui/ports/qt_text.h"

namespace zarvik::gui {

QValidator::State HCp932Validator::validate(QString& input, int& /*pos*/) const {
    return IsCp932Encodable(ToStdString(input)) ? Acceptable : Invalid;
}

}  // namespace zarvik::gui
