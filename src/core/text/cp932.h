#pragma once
// Conversion between the cp932 bytes of every file the program reads or writes and the
// UTF-8 text it works with inside.
//
// Decoding uses glibc's "CP932" converter. A byte that does not start a valid cp932
// character (0x80, 0xA0, 0xFD to 0xFF, a lead byte without a valid trail byte) is kept as
// the code point U+F700 + byte, that is U+F780 to U+F7FF. Nothing else decodes to that
// range (cp932's user-defined area maps to U+E000 to U+E757), so the encoder turns those
// code points back into the original bytes. Of the characters that cp932 holds twice or
// three times (the NEC and IBM extension duplicates) the encoder writes the code Windows
// prefers; a character read with another code is decoded with a variation selector after
// it (U+FE00 or U+FE01, which draw as nothing) that the encoder turns back into that code.
// So any byte sequence survives a decode and encode unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace zarvik {

// First and last code point that stand for an undecodable byte (U+F700 + byte).
inline constexpr char32_t kRawByteFirst = 0xF780;
inline constexpr char32_t kRawByteLast = 0xF7FF;

// Decodes cp932 bytes to UTF-8. Never fails: undecodable bytes are kept as above.
std::string Cp932ToUtf8(std::string_view cp932);

// The most UTF-8 bytes one cp932 byte decodes to: a raw byte or a half-width katakana
// takes three, a double-byte character with the mark of another code six.
inline constexpr std::size_t kMaxUtf8PerCp932Byte = 3;

// Decodes cp932 bytes into out, which has room for kMaxUtf8PerCp932Byte bytes per input
// byte; returns the number of bytes written.
std::size_t Cp932ToUtf8Into(std::string_view cp932, char* out);

// Decodes cp932 bytes onto the end of out.
void AppendCp932AsUtf8(std::string_view cp932, std::string& out);

// Encodes UTF-8 text to cp932 into out. Returns the number of characters that cp932
// cannot hold, 0 when the text was encoded completely. Such a character is written as
// "?", or as its usual look-alike when it has one that reads back as another character
// (U+00A5 as a backslash, U+301C as U+FF5E, ...). Bytes that are not valid UTF-8 count
// as unheld characters too.
int Utf8ToCp932(std::string_view utf8, std::string& out);

// The same written into out, which has room for utf8.size() bytes (no cp932 form is
// longer than its UTF-8 form); returns the number of bytes written and adds the number of
// unheld characters to lost.
std::size_t Utf8ToCp932Into(std::string_view utf8, char* out, int& lost);

// The encoded form; unencodable characters become "?".
std::string ToCp932(std::string_view utf8);

// 1 when every character of the text can be written in cp932, else 0.
int IsCp932Encodable(std::string_view utf8);

// The number of bytes the text takes in cp932 (an unencodable character counts one byte,
// the "?" it would be written as).
std::size_t Cp932Length(std::string_view utf8);

// The longest start of the text whose cp932 form has at most maxBytes bytes, cut between
// characters, never inside a double-byte character.
std::string Cp932Truncate(std::string_view utf8, std::size_t maxBytes);

// 1 when the text is valid UTF-8 with at least one Japanese character (kana, ideographs,
// CJK symbols, fullwidth forms): text someone wrote in UTF-8 rather than cp932. cp932 text
// is almost never valid UTF-8; where a few of its byte pairs happen to be (half-width
// katakana such as C3 BD), they do not read as Japanese, and the text stays cp932.
int LooksLikeUtf8(std::string_view text);

// 1 when no byte of the text is above ASCII: it reads the same in cp932 and UTF-8.
int IsAsciiText(std::string_view text);

// 1 when the byte is a cp932 lead byte (the first of a double-byte character).
inline int IsCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace zarvik
