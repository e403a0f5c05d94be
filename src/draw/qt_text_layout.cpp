#include "draw/qt_text_layout.h"

#include <algorithm>
#include <unordered_map>

#include "core/port/draw_context.h"
#include "draw/qt_draw_context.h"
#include "draw/qt_text.h"

namespace zarvik::draw {
namespace {

bool IsFullWidth(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
           (u >= 0xAC00 && u <= 0xD7A3) || c.isSurrogate() || (u >= 0xF900 && u <= 0xFAFF) ||
           (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
           (u >= 0xFFE0 && u <= 0xFFE6);
}

// Whether a line may break before position k of text (0 < k < size).
bool CanBreakBefore(const QString& text, qsizetype k) {
    if (text[k].isLowSurrogate()) {
        return false;
    }
    return text[k - 1] == QLatin1Char(' ') || (IsFullWidth(text[k - 1]) && IsFullWidth(text[k]));
}

qsizetype TrimmedEnd(const QString& text, qsizetype start, qsizetype end) {
    while (end > start && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return end;
}

// A paragraph with its prefixes taken out: "&&" gives "&", "&x" gives x underlined.
QString StripPrefixes(const QString& paragraph, qsizetype& underline) {
    QString out;
    underline = -1;
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        if (paragraph[i] != QLatin1Char('&')) {
            out += paragraph[i];
        } else if (i + 1 < paragraph.size() && paragraph[i + 1] == QLatin1Char('&')) {
            out += QLatin1Char('&');
            ++i;
        } else if (i + 1 < paragraph.size()) {
            underline = out.size();
        }
    }
    return out;
}

// Start and end of each line of a paragraph broken between words to fit limit.
std::vector<std::pair<qsizetype, qsizetype>> BreakParagraph(const QString& text,
                                                            const QFontMetrics& metrics, int limit,
                                                            bool breakWords) {
    std::vector<std::pair<qsizetype, qsizetype>> ranges;
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        qsizetype breakAt = -1;
        while (end < size) {
            const qsizetype next = NextCharacter(text, end);
            const qsizetype shown = TrimmedEnd(text, start, next);
            if (end > start && metrics.horizontalAdvance(text.mid(start, shown - start)) > limit) {
                break;
            }
            end = next;
            if (end < size && CanBreakBefore(text, end)) {
                breakAt = end;
            }
        }
        if (end < size) {
            if (breakAt > start && breakAt <= end) {
                end = breakAt;
            } else if (!breakWords) {
                // The word runs past the edge up to the next place it may break.
                while (end < size && !CanBreakBefore(text, end)) {
                    end = NextCharacter(text, end);
                }
            }
        }
        ranges.emplace_back(start, TrimmedEnd(text, start, end));
        start = end;
    }
    if (ranges.empty()) {
        ranges.emplace_back(0, 0);
    }
    return ranges;
}

// Cuts a line wider than limit so that it ends in "..." within it.
void AddEndEllipsis(HTextLine& line, const QFontMetrics& metrics, int limit) {
    if (line.width <= limit) {
        return;
    }
    const QString dots = QStringLiteral("...");
    while (!line.text.isEmpty() && metrics.horizontalAdvance(line.text + dots) > limit) {
        line.text.chop(line.text.size() >= 2 && line.text.back().isLowSurrogate() ? 2 : 1);
    }
    if (line.underline >= line.text.size()) {
        line.underline = -1;
    }
    line.text += dots;
    line.width = metrics.horizontalAdvance(line.text);
}

std::string TextKey(const HLogFont& font, const std::string& text, int limit, int32_t format) {
    std::string key;
    key.reserve(text.size() + font.faceName.size() + 40);
    for (const int32_t value : {font.height, font.width, font.weight, font.italic, font.underline,
                                font.strikeOut, int32_t{limit}, format}) {
        key.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    key += font.faceName;
    key += '\0';
    key += text;
    return key;
}

}  // namespace

qsizetype NextCharacter(const QString& text, qsizetype i) {
    return (text[i].isHighSurrogate() && i + 1 < text.size()) ? i + 2 : i + 1;
}

int CellHeight(const QFontMetrics& metrics) {
    return metrics.ascent() + metrics.descent();
}

HTextLayout LayOut(const QString& text, const QFontMetrics& metrics, int limit, int32_t format) {
    HTextLayout layout;
    layout.cellHeight = CellHeight(metrics);
    layout.ascent = metrics.ascent();
    const bool prefixes = (format & kDtNoPrefix) == 0;
    const bool wordBreak = (format & kDtWordBreak) != 0;
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') &&
               text[end] != QLatin1Char('\n')) {
            ++end;
        }
        qsizetype underline = -1;
        QString paragraph = text.mid(start, end - start);
        if (prefixes) {
            paragraph = StripPrefixes(paragraph, underline);
        }
        std::vector<std::pair<qsizetype, qsizetype>> ranges;
        if (wordBreak) {
            ranges = BreakParagraph(paragraph, metrics, limit, (format & kDtEditControl) != 0);
        } else {
            ranges.emplace_back(0, paragraph.size());
        }
        for (const auto& [from, to] : ranges) {
            HTextLine line;
            line.text = paragraph.mid(from, to - from);
            if (underline >= from && underline < to) {
                line.underline = underline - from;
            }
            line.width = metrics.horizontalAdvance(line.text);
            if (format & kDtEndEllipsis) {
                AddEndEllipsis(line, metrics, limit);
            }
            layout.widest = std::max(layout.widest, line.width);
            layout.lines.push_back(std::move(line));
        }
        if (end >= text.size()) {
            break;
        }
        start = end + ((text[end] == QLatin1Char('\r') && end + 1 < text.size() &&
                        text[end + 1] == QLatin1Char('\n'))
                           ? 2
                           : 1);
    }
    return layout;
}

HCachedText& CachedText(const HLogFont& logFont, const std::string& text, int limit,
                        int32_t format) {
    constexpr std::size_t kMaxEntries = 50000;
    // Never destroyed: fonts must not outlive the application object at exit.
    static auto* cache = new std::unordered_map<std::string, HCachedText>();
    std::string key = TextKey(logFont, text, limit, format);
    if (const auto found = cache->find(key); found != cache->end()) {
        return found->second;
    }
    if (cache->size() >= kMaxEntries) {
        cache->clear();
    }
    HCachedText entry;
    entry.font = ToQFont(logFont);
    const QFontMetrics metrics(entry.font);
    entry.layout = LayOut(ToQString(text), metrics, limit, format);
    entry.ascent = QFontMetricsF(entry.font).ascent();
    return cache->emplace(std::move(key), std::move(entry)).first->second;
}

}  // namespace zarvik::draw
