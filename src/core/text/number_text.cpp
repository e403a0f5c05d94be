#include "core/text/number_text.h"

#include <locale.h>

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <string_view>

namespace zarvik {
namespace {

// Makes the calling thread format under the C locale until the end of the scope, so that a
// decimal-comma locale set by the application never reaches the numbers of reports and
// files. uselocale swaps a thread-local pointer: cheap enough for every Format.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(::uselocale(CLocale())) {}
    ~CLocaleScope() { ::uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    // Made once; glibc gives its static C locale object. Were it ever null, uselocale(null)
    // would only query, leaving the thread's locale as it is.
    static locale_t CLocale() {
        static const locale_t c = ::newlocale(LC_ALL_MASK, "C", nullptr);
        return c;
    }

    locale_t m_previous;
};

}  // namespace

int32_t Atoi(std::string_view text) {
    std::size_t i = 0;
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that INT32_MIN is reachable without overflow.
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    bool clamped = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (!clamped) {
            value = value * 10 - (text[i] - '0');
            if (value < kMin) {
                clamped = true;
            }
        }
    }
    if (negative) {
        return clamped ? static_cast<int32_t>(kMin) : static_cast<int32_t>(value);
    }
    if (clamped || -value > kMax) {
        return static_cast<int32_t>(kMax);
    }
    return static_cast<int32_t>(-value);
}

std::string Format(const char* format, ...) {
    const CLocaleScope cLocale;
    // Most texts fit the stack buffer, so they are formatted once.
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
        result.assign(buffer, static_cast<std::size_t>(length));
    } else if (length > 0) {
        result.resize(static_cast<std::size_t>(length));
        std::vsnprintf(result.data(), result.size() + 1, format, args);
    }
    va_end(args);
    return result;
}

std::string FormatInt(int32_t value) {
    return JoinInts({value});
}

void AppendNumberedKey(std::string& out, std::string_view prefix, int32_t number) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    const bool negative = number < 0;
    // "%03d" pads the whole field, sign included, to three characters.
    const std::size_t pad = length < 3 ? 3 - length : 0;
    out.reserve(out.size() + prefix.size() + length + pad);
    out.append(prefix);
    if (negative) {
        out += '-';
    }
    out.append(pad, '0');
    out.append(negative ? digits + 1 : digits, end);
}

std::string NumberedKey(std::string_view prefix, int32_t number) {
    std::string key;
    AppendNumberedKey(key, prefix, number);
    return key;
}

HIntsText::HIntsText(std::initializer_list<int32_t> values) {
    char* at = m_text;
    for (const int32_t value : values) {
        if (at != m_text) {
            *at++ = ',';
        }
        at = std::to_chars(at, m_text + sizeof m_text, value).ptr;
        if (at >= m_text + sizeof m_text - 12) {
            break;  // more values than any stored form has
        }
    }
    m_length = static_cast<std::size_t>(at - m_text);
}

std::string JoinInts(std::initializer_list<int32_t> values) {
    return std::string(HIntsText(values).View());
}

}  // namespace zarvik
