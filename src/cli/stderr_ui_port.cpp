#include "cli/stderr_ui_port.h"

namespace zarvik::cli {

std::string ToUnixLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

void HStderrUiPort::Line(const std::string& text) const {
    std::string line = "zvk: ";
    if (!m_subject.empty()) {
        line += m_subject + ": ";
    }
    line += ToUnixLineEnds(text);
    line += '\n';
    std::fputs(line.c_str(), m_out);
    std::fflush(m_out);
}

HMsgAnswer HStderrUiPort::MessageBox(const std::string& text, const std::string& caption, HMsgIcon,
                                     HMsgButtons buttons) {
    ++m_count;
    Line(caption.empty() ? text : caption + ": " + text);
    switch (buttons) {
        case HMsgButtons::Ok:
            return HMsgAnswer::Ok;
        case HMsgButtons::OkCancel:
            // The questions a load asks: read a document of a newer version, or one
            // written in UTF-8. A headless run reads it.
            Line("warning: answered OK: the document is read anyway");
            return HMsgAnswer::Ok;
        case HMsgButtons::YesNo:
        case HMsgButtons::YesNoCancel:
            Line("warning: answered Yes and went on");
            return HMsgAnswer::Yes;
    }
    return HMsgAnswer::Ok;
}

}  // namespace zarvik::cli
