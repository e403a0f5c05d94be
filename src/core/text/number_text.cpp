#include "core/text/number_text.h"

#include <cstdarg>
#include <cstdio>
#include <limits>

namespace zarvik {

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
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<std::size_t>(length));
        std::vsnprintf(result.data(), result.size() + 1, format, args);
    }
    va_end(args);
    return result;
}

std::string FormatInt(int32_t value) {
    return std::to_string(value);
}

}  // namespace zarvik
