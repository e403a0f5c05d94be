#pragma once
// The user interface of a program without windows: every message box becomes lines on
// standard error, and every question is answered so that the command goes on.

#include <cstdio>
#include <string>

#include "core/port/ui_port.h"

namespace zarvik::cli {

class HStderrUiPort : public HUiPort {
public:
    explicit HStderrUiPort(std::FILE* out = stderr) : m_out(out) {}

    // The file the messages are about, named at the start of each message; empty for none.
    void SetSubject(std::string subject) { m_subject = std::move(subject); }

    // Writes "zvk: SUBJECT: CAPTION: TEXT" with the text's CR LF breaks as LF. A question
    // is answered OK (or Yes), with a warning line saying so.
    HMsgAnswer MessageBox(const std::string& text, const std::string& caption, HMsgIcon icon,
                          HMsgButtons buttons) override;

    // Messages written since the start.
    int MessageCount() const { return m_count; }

    // Writes one line of the program's own: "zvk: SUBJECT: TEXT".
    void Line(const std::string& text) const;

private:
    std::FILE* m_out;
    std::string m_subject;
    int m_count = 0;
};

// The text with every CR LF, and every lone CR, turned into LF.
std::string ToUnixLineEnds(const std::string& text);

}  // namespace zarvik::cli
