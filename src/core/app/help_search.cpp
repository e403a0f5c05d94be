#include "core/app/help_search.h"

#include <cstdint>
#include <filesystem>

#include "core/app/help_topics.h"
#include "core/store/file_io.h"

namespace zarvik {
namespace {

// Far beyond any help page; a stray huge file in the folder is not read whole.
constexpr std::size_t kMaxPageBytes = std::size_t{4} * 1024 * 1024;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text at pos starts with word, ignoring the case of Latin letters.
bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[pos + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return;
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character reference at html[pos] ('&') appended to out; returns the position after
// it. Something that is no known reference stays as it is.
std::size_t DecodeReference(std::string_view html, std::size_t pos, std::string& out) {
    const std::size_t semicolon = html.find(';', pos);
    if (semicolon == std::string_view::npos || semicolon - pos > 10) {
        out += '&';
        return pos + 1;
    }
    const std::string_view name = html.substr(pos + 1, semicolon - pos - 1);
    static const struct {
        std::string_view name;
        const char* text;
    } kNamed[] = {{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                  {"quot", "\""}, {"nbsp", " "}, {"apos", "'"}};
    for (const auto& named : kNamed) {
        if (name == named.name) {
            out += named.text;
            return semicolon + 1;
        }
    }
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        uint32_t code = 0;
        bool digits = true;
        for (std::size_t i = hex ? 2 : 1; i < name.size() && digits; ++i) {
            const char c = Lower(name[i]);
            const int value = c >= '0' && c <= '9'          ? c - '0'
                              : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                            : -1;
            digits = value >= 0;
            code = code * (hex ? 16 : 10) + static_cast<uint32_t>(value);
        }
        if (digits) {
            AppendUtf8(out, code);
            return semicolon + 1;
        }
    }
    out += '&';
    return pos + 1;
}

// The position just after the element that starts with the tag at html[pos], for the
// elements whose content nobody reads (head, style, script); npos for any other tag.
std::size_t SkipUnreadElement(std::string_view html, std::size_t pos) {
    for (const std::string_view name : {"head", "style", "script"}) {
        if (StartsWithNoCase(html, pos + 1, name)) {
            const char after =
                pos + 1 + name.size() < html.size() ? html[pos + 1 + name.size()] : '>';
            if (after != '>' && !IsSpace(after)) {
                continue;
            }
            const std::string close = "</" + std::string(name);
            for (std::size_t at = html.find("</", pos); at != std::string_view::npos;
                 at = html.find("</", at + 2)) {
                if (StartsWithNoCase(html, at, close)) {
                    const std::size_t end = html.find('>', at);
                    return end == std::string_view::npos ? html.size() : end + 1;
                }
            }
            return html.size();
        }
    }
    return std::string_view::npos;
}

// Whether the tag at html[pos] ('<') is one that runs inside a line of text, so that it
// does not part the words around it: "<b>FP</b>値" reads "FP値".
bool IsInlineTag(std::string_view html, std::size_t pos) {
    std::size_t at = pos + 1;
    if (at < html.size() && html[at] == '/') {
        ++at;
    }
    std::string name;
    while (at < html.size() &&
           ((html[at] >= 'a' && html[at] <= 'z') || (html[at] >= 'A' && html[at] <= 'Z'))) {
        name += Lower(html[at++]);
    }
    for (const std::string_view inlineName :
         {"a", "b", "i", "u", "em", "strong", "span", "code", "kbd", "tt", "small", "sub", "sup"}) {
        if (name == inlineName) {
            return true;
        }
    }
    return false;
}

void AppendBlank(std::string& out) {
    if (!out.empty() && out.back() != ' ') {
        out += ' ';
    }
}

// The blank-separated words of query (ASCII blanks and the ideographic space), folded.
std::vector<std::string> WordsOf(std::string_view query) {
    std::string spaced(query);
    for (std::size_t at = spaced.find("\u3000"); at != std::string::npos;
         at = spaced.find("\u3000", at)) {
        spaced.replace(at, 3, " ");
    }
    std::vector<std::string> words;
    std::string word;
    for (const char c : spaced + ' ') {
        if (IsSpace(c)) {
            if (!word.empty()) {
                words.push_back(FoldHelpText(word));
            }
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

}  // namespace

std::string FoldHelpText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        // U+FF10..U+FF19, U+FF21..U+FF3A: EF BC 90..99, A1..BA; U+FF41..U+FF5A: EF BD 81..9A.
        if (byte(i) == 0xEF && i + 2 < text.size()) {
            const unsigned second = byte(i + 1);
            const unsigned third = byte(i + 2);
            char ascii = 0;
            if (second == 0xBC && third >= 0x90 && third <= 0x99) {
                ascii = static_cast<char>('0' + (third - 0x90));
            } else if (second == 0xBC && third >= 0xA1 && third <= 0xBA) {
                ascii = static_cast<char>('a' + (third - 0xA1));
            } else if (second == 0xBD && third >= 0x81 && third <= 0x9A) {
                ascii = static_cast<char>('a' + (third - 0x81));
            }
            if (ascii != 0) {
                out += ascii;
                i += 2;
                continue;
            }
        }
        out += Lower(text[i]);
    }
    return out;
}

std::string HelpPageText(std::string_view html) {
    std::string out;
    std::size_t pos = 0;
    while (pos < html.size()) {
        const char c = html[pos];
        if (c == '<') {
            if (html.compare(pos, 4, "<!--") == 0) {
                const std::size_t end = html.find("-->", pos + 4);
                pos = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            const bool inlineTag = IsInlineTag(html, pos);
            const std::size_t skipped = SkipUnreadElement(html, pos);
            const std::size_t end = html.find('>', pos);
            pos = skipped != std::string_view::npos ? skipped
                  : end == std::string_view::npos   ? html.size()
                                                    : end + 1;
            if (!inlineTag) {
                AppendBlank(out);  // "<td>a</td><td>b</td>" reads "a b"
            }
        } else if (c == '&') {
            pos = DecodeReference(html, pos, out);
        } else if (IsSpace(c)) {
            AppendBlank(out);
            ++pos;
        } else {
            out += c;
            ++pos;
        }
    }
    while (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    if (!out.empty() && out.front() == ' ') {
        out.erase(0, 1);
    }
    return out;
}

HHelpSearch::HHelpSearch(const std::string& folder) {
    for (const HHelpPage& page : HelpPages()) {
        std::string html;
        const std::string file = page.file;
        if (file.empty() || ReadWholeFile((std::filesystem::path(folder) / file).string(), html,
                                          kMaxPageBytes) == 0) {
            continue;
        }
        m_pages.push_back({{file, page.title}, FoldHelpText(HelpPageText(html))});
    }
}

std::vector<HHelpHit> HHelpSearch::Find(std::string_view query) const {
    const std::vector<std::string> words = WordsOf(query);
    std::vector<HHelpHit> hits;
    if (words.empty()) {
        return hits;
    }
    for (const Page& page : m_pages) {
        bool all = true;
        for (const std::string& word : words) {
            all = all && page.folded.find(word) != std::string::npos;
        }
        if (all) {
            hits.push_back(page.hit);
        }
    }
    return hits;
}

}  // namespace zarvik
