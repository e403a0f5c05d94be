#pragma once
// A text field validator that refuses characters the cp932 files cannot hold, so that what
// is typed is what gets saved.

#include <QValidator>

class QPlainTextEdit;

namespace zarvik::gui {

class HCp932Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The same for a text of several lines: characters cp932 cannot hold are taken out again
// as soon as they are typed or pasted.
void KeepCp932Only(QPlainTextEdit* edit);

}  // namespace zarvik::gui
