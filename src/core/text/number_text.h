#pragma once
// Number parsing and formatting with the C library's rules, as the stored files use them.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zarvik {

// atoi as the C library does it: optional leading white space (space, \t \n \v \f \r),
// an optional sign, then decimal digits up to the first other character; 0 when there
// are no digits. A number beyond the 32-bit range gives INT32_MAX or INT32_MIN, as the
// Windows C library does.
int32_t Atoi(std::string_view text);

// printf-style formatting into a std::string, always under the C locale: a real has a
// decimal point whatever locale the process or thread uses.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "%d"
std::string FormatInt(int32_t value);

// prefix followed by the number as "%03d" (at least three digits, zero-padded): the
// numbered keys and section names of stored files ("FILE_007", "DETLIST_NAME_012").
std::string NumberedKey(std::string_view prefix, int32_t number);

// NumberedKey appended to out: a caller that builds many keys reuses one string.
void AppendNumberedKey(std::string& out, std::string_view prefix, int32_t number);

// The values as "%d" joined by commas ("7,8" for {7, 8}), the form of points, pens and
// brushes in stored files.
std::string JoinInts(std::initializer_list<int32_t> values);

// JoinInts in a buffer of its own, for text that is used at once and not kept.
class HIntsText {
public:
    explicit HIntsText(std::initializer_list<int32_t> values);
    std::string_view View() const { return std::string_view(m_text, m_length); }

private:
    // Room for 16 values of 11 characters and their commas; more are dropped.
    char m_text[16 * 12];
    std::size_t m_length = 0;
};

}  // namespace zarvik
