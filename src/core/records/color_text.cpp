#include "core/records/color_text.h"

#include <cstdio>

namespace zarvik {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string FormatColorText(HColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

HColorRef ParseColorText(std::string_view text) {
    if (text.size() != 6) {
        return 0;
    }
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return 0;
        }
        parts[i] = high * 16 + low;
    }
    return Rgb(parts[0], parts[1], parts[2]);
}

HColorRef ColorFieldTextColor(HColorRef background) {
    const bool dark =
        RedOf(background) < 127 || GreenOf(background) < 127 || BlueOf(background) < 127;
    return dark ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
}

}  // namespace zarvik
