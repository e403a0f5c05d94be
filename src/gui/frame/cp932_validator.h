#pragma once
// A text field validator that refuses characters the cp932 files cannot hold, so that what
// is typed is what gets saved.

#include <QValidator>

namespace zarvik::gui {

class HCp932Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace zarvik::gui
