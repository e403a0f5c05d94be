#include "gui/frame/cp932_validator.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "core/text/cp932.h"
#include "draw/qt_text.h"

namespace zarvik::gui {

QValidator::State HCp932Validator::validate(QString& input, int& /*pos*/) const {
    return IsCp932Encodable(draw::ToStdString(input)) ? Acceptable : Invalid;
}

void KeepCp932Only(QPlainTextEdit* edit) {
    QTextDocument* document = edit->document();
    QObject::connect(
        document, &QTextDocument::contentsChange, edit,
        [document](int position, int /*removed*/, int added) {
            if (added <= 0) {
                return;
            }
            QTextCursor cursor(document);
            cursor.setPosition(position);
            cursor.setPosition(position + added, QTextCursor::KeepAnchor);
            // The selection puts U+2029 between paragraphs: that is a line break.
            const QString text = cursor.selectedText();
            std::vector<std::pair<int, int>> refused;  // offset, length
            for (int i = 0; i < text.size();) {
                const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                const QString one = text.mid(i, length);
                if (one != QChar(QChar::ParagraphSeparator) &&
                    !IsCp932Encodable(draw::ToStdString(one))) {
                    refused.emplace_back(i, length);
                }
                i += length;
            }
            for (auto it = refused.rbegin(); it != refused.rend(); ++it) {
                cursor.setPosition(position + it->first);
                cursor.setPosition(position + it->first + it->second, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
        });
}

}  // namespace zarvik::gui
