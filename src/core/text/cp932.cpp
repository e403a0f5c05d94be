#include "core/text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace zarvik {
namespace {

// One converter per direction and thread, opened on first use and reused.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of [in, in + size) as it can, appending to out. Returns the number
    // of input bytes consumed; stops before an invalid or incomplete sequence.
    std::size_t Convert(const char* in, std::size_t size, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        std::size_t left = size;
        char buffer[4096];
        while (left > 0) {
            char* dst = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return size - left;
    }

private:
    iconv_t cd_;
};

Converter& Decoder() {
    thread_local Converter decoder("UTF-8", "CP932");
    return decoder;
}

Converter& Encoder() {
    thread_local Converter encoder("CP932", "UTF-8");
    return encoder;
}

constexpr uint64_t kHighBits = 0x8080808080808080ull;

bool IsAscii(std::string_view text) {
    return IsAsciiText(text) != 0;
}

// Copies the ASCII byte at in[i] to at, or the eight from it when all eight are ASCII;
// returns how many it copied.
std::size_t CopyAscii(const char* in, std::size_t i, std::size_t size, char*& at) {
    uint64_t word;
    if (i + 8 <= size && (std::memcpy(&word, in + i, 8), (word & kHighBits) == 0)) {
        std::memcpy(at, &word, 8);
        at += 8;
        return 8;
    }
    *at++ = in[i];
    return 1;
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Reads one UTF-8 character at text[i]. Returns its length (0 when the bytes there are
// not valid UTF-8) and stores the code point.
std::size_t ReadUtf8(std::string_view text, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool IsRawByte(char32_t cp) {
    return cp >= kRawByteFirst && cp <= kRawByteLast;
}

// Characters the converter writes as a look-alike that reads back as another character
// (the yen sign as a backslash, the wave dash as the fullwidth tilde, ...). They are
// written that way but counted as not held.
bool IsOneWay(char32_t cp) {
    switch (cp) {
        case 0x00A2:
        case 0x00A3:
        case 0x00A5:
        case 0x00AC:
        case 0x2014:
        case 0x2016:
        case 0x203E:
        case 0x2212:
        case 0x301C:
            return true;
        default:
            return false;
    }
}

// Encodes one run of characters that are neither ASCII nor raw bytes.
int EncodeRun(std::string_view run, std::string& out) {
    int lost = 0;
    std::size_t i = 0;
    while (i < run.size()) {
        i += Encoder().Convert(run.data() + i, run.size() - i, out);
        if (i < run.size()) {
            char32_t cp;
            const std::size_t length = ReadUtf8(run, i, cp);
            out += '?';
            ++lost;
            i += length > 0 ? length : 1;
        }
    }
    return lost;
}

// The tables hold each character as the decoder writes it: its UTF-8 bytes in the low
// three bytes, first byte lowest (every character above ASCII that cp932 holds takes two
// or three), their number in the next four bits and, in the top four, which of its other
// codes the bytes are (0 for the code the encoder writes, which reads and writes back
// unchanged). 0 stands for no character.
constexpr int kLengthShift = 24;
constexpr int kOtherCodeShift = 28;

// cp932 holds a few hundred characters twice or three times (NEC row 13, the NEC-selected
// and the IBM extensions); the encoder writes one code, the one Windows prefers. A
// character read with another code is decoded to the character followed by a variation
// selector, which draws as nothing: U+FE00 for its first other code, U+FE01 for its
// second. The encoder writes such a pair back with the code it was read with, so a file
// read and saved again keeps its bytes and the text still reads as it should.
constexpr char32_t kFirstOtherCode = 0xFE00;
constexpr int kMaxOtherCodes = 2;

bool IsOtherCodeMark(char32_t cp) {
    return cp >= kFirstOtherCode && cp < kFirstOtherCode + kMaxOtherCodes;
}

// What each byte and byte pair above ASCII decodes to, worked out once through the
// converter. A byte that is no character on its own, and a pair that is none, are kept as
// raw bytes.
struct DecodeTable {
    uint32_t single[256] = {};        // 0: not a character on its own
    uint32_t pair[0x80][0x100] = {};  // by lead byte - 0x80 and trail byte
    // The other codes of each character held more than once, in ascending order.
    std::unordered_map<char32_t, std::array<uint16_t, kMaxOtherCodes>> otherCodes;
    // The code the encoder writes for each character of the Basic Multilingual Plane that
    // reads back as itself: a byte, or lead and trail byte; 0 for the others, which the
    // converter is asked about.
    uint16_t encode[0x10000] = {};
};

// The one character that bytes decode to through the converter, or 0.
char32_t DecodeOne(const std::string& bytes) {
    std::string utf8;
    if (Decoder().Convert(bytes.data(), bytes.size(), utf8) != bytes.size()) {
        return 0;
    }
    char32_t cp = 0;
    if (utf8.empty() || ReadUtf8(utf8, 0, cp) != utf8.size()) {
        return 0;
    }
    return cp;
}

uint32_t Packed(char32_t cp, uint32_t otherCode) {
    std::string utf8;
    AppendUtf8(cp, utf8);
    uint32_t packed = static_cast<uint32_t>(utf8.size()) << kLengthShift | otherCode
                                                                               << kOtherCodeShift;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        packed |= static_cast<uint32_t>(static_cast<unsigned char>(utf8[i])) << (8 * i);
    }
    return packed;
}

// Whether the converter writes cp as bytes, as Utf8ToCp932 writes it without the tables.
bool EncodesBackTo(char32_t cp, const std::string& bytes) {
    if (IsOneWay(cp)) {
        return false;
    }
    std::string utf8;
    AppendUtf8(cp, utf8);
    std::string back;
    return EncodeRun(utf8, back) == 0 && back == bytes;
}

const DecodeTable& Decoding() {
    static const std::unique_ptr<DecodeTable> table = [] {
        auto built = std::make_unique<DecodeTable>();
        for (int b = 0x80; b < 0x100; ++b) {
            const std::string one(1, static_cast<char>(b));
            const char32_t cp = DecodeOne(one);
            if (cp != 0 && EncodesBackTo(cp, one)) {
                built->single[b] = Packed(cp, 0);
                built->encode[cp] = static_cast<uint16_t>(b);
            }
            if (!IsCp932LeadByte(static_cast<unsigned char>(b))) {
                continue;
            }
            for (int trail = 0x40; trail < 0x100; ++trail) {
                const std::string two = {static_cast<char>(b), static_cast<char>(trail)};
                const char32_t pairCp = DecodeOne(two);
                if (pairCp == 0) {
                    continue;
                }
                uint32_t otherCode = 0;
                if (!EncodesBackTo(pairCp, two)) {
                    // Codes are visited in ascending order.
                    auto& others = built->otherCodes[pairCp];
                    const auto free = std::find(others.begin(), others.end(), 0);
                    if (free == others.end()) {
                        continue;  // no such character in cp932; kept as raw bytes
                    }
                    *free = static_cast<uint16_t>(b << 8 | trail);
                    otherCode = static_cast<uint32_t>(free - others.begin() + 1);
                } else if (pairCp < 0x10000) {
                    built->encode[pairCp] = static_cast<uint16_t>(b << 8 | trail);
                }
                built->pair[b - 0x80][trail] = Packed(pairCp, otherCode);
            }
        }
        return built;
    }();
    return *table;
}

// The code cp was read with when it is followed by the mark of one of its other codes, or
// 0.
uint16_t OtherCode(char32_t cp, char32_t mark) {
    const DecodeTable& table = Decoding();
    const auto found = table.otherCodes.find(cp);
    return found == table.otherCodes.end() ? 0 : found->second[mark - kFirstOtherCode];
}

}  // namespace

std::size_t Cp932ToUtf8Into(std::string_view cp932, char* out) {
    const DecodeTable& table = Decoding();
    char* at = out;
    // Raw bytes and marks, both three bytes long in UTF-8.
    const auto put = [&at](char32_t cp) {
        *at++ = static_cast<char>(0xE0 | (cp >> 12));
        *at++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (cp & 0x3F));
    };
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    const std::size_t size = cp932.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char b = bytes[i];
        if (b < 0x80) {
            i += CopyAscii(cp932.data(), i, size, at);
            continue;
        }
        uint32_t entry = table.single[b];
        std::size_t used = 1;
        if (entry == 0 && IsCp932LeadByte(b) && i + 1 < size) {
            entry = table.pair[b - 0x80][bytes[i + 1]];
            used = 2;
        }
        if (entry == 0) {
            put(0xF700 + b);
            ++i;
            continue;
        }
        // Three bytes are always written: out has room for three per byte still to read.
        at[0] = static_cast<char>(entry);
        at[1] = static_cast<char>(entry >> 8);
        at[2] = static_cast<char>(entry >> 16);
        at += (entry >> kLengthShift) & 0xF;
        if (const uint32_t other = entry >> kOtherCodeShift; other != 0) {
            put(kFirstOtherCode + other - 1);
        }
        i += used;
    }
    return static_cast<std::size_t>(at - out);
}

void AppendCp932AsUtf8(std::string_view cp932, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + cp932.size() * kMaxUtf8PerCp932Byte);
    out.resize(start + Cp932ToUtf8Into(cp932, out.data() + start));
}

std::string Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932)) {
        return std::string(cp932);
    }
    std::string out;
    AppendCp932AsUtf8(cp932, out);
    return out;
}

int Utf8ToCp932(std::string_view utf8, std::string& out) {
    if (IsAscii(utf8)) {
        out.append(utf8);
        return 0;
    }
    int lost = 0;
    std::size_t runStart = std::string_view::npos;
    auto flush = [&](std::size_t end) {
        if (runStart != std::string_view::npos) {
            lost += EncodeRun(utf8.substr(runStart, end - runStart), out);
            runStart = std::string_view::npos;
        }
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        const std::size_t length = ReadUtf8(utf8, i, cp);
        // A mark is U+FE00 or U+FE01, which begin with the byte 0xEF in UTF-8.
        char32_t next = 0;
        const std::size_t nextLength =
            length == 0 || i + length >= utf8.size() || utf8[i + length] != '\xEF'
                ? 0
                : ReadUtf8(utf8, i + length, next);
        if (length == 0) {
            flush(i);
            out += '?';
            ++lost;
            ++i;
        } else if (IsOtherCodeMark(cp)) {
            // A mark without its character means nothing and draws as nothing.
            flush(i);
            i += length;
        } else if (const uint16_t code =
                       nextLength > 0 && IsOtherCodeMark(next) ? OtherCode(cp, next) : 0;
                   code != 0) {
            flush(i);
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
            i += length + nextLength;
        } else if (IsOneWay(cp)) {
            flush(i);
            EncodeRun(utf8.substr(i, length), out);
            ++lost;
            i += length;
        } else if (cp < 0x80 || IsRawByte(cp)) {
            flush(i);
            out += static_cast<char>(cp < 0x80 ? cp : cp - 0xF700);
            i += length;
        } else if (const uint16_t held = cp < 0x10000 ? Decoding().encode[cp] : 0; held != 0) {
            flush(i);
            if (held > 0xFF) {
                out += static_cast<char>(held >> 8);
            }
            out += static_cast<char>(held & 0xFF);
            i += length;
        } else {
            if (runStart == std::string_view::npos) {
                runStart = i;
            }
            i += length;
        }
    }
    flush(utf8.size());
    return lost;
}

std::size_t Utf8ToCp932Into(std::string_view utf8, char* out, int& lost) {
    // Text whose every character the tables hold, nearly all text, is encoded here in one
    // pass; anything else (bytes that are no UTF-8, marks of other codes, characters
    // cp932 does not hold or holds only as a look-alike) goes the careful way.
    const uint16_t* encode = nullptr;
    char* at = out;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b0 = byte(i);
        if (b0 < 0x80) {
            i += CopyAscii(utf8.data(), i, utf8.size(), at);
            continue;
        }
        char32_t cp = 0;
        if ((b0 & 0xE0) == 0xC0 && i + 1 < utf8.size() && (byte(i + 1) & 0xC0) == 0x80) {
            cp = (b0 & 0x1F) << 6 | (byte(i + 1) & 0x3F);
            i += 2;
        } else if ((b0 & 0xF0) == 0xE0 && i + 2 < utf8.size() && (byte(i + 1) & 0xC0) == 0x80 &&
                   (byte(i + 2) & 0xC0) == 0x80) {
            cp = (b0 & 0x0F) << 12 | (byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
            i += 3;
        }
        if (encode == nullptr) {
            encode = Decoding().encode;
        }
        // Overlong forms and surrogates are no characters of the table either.
        const uint16_t code = cp >= 0x80 && cp < 0x10000 ? encode[cp] : 0;
        if (code == 0) {
            std::string careful;
            lost += Utf8ToCp932(utf8, careful);
            std::memcpy(out, careful.data(), careful.size());
            return careful.size();
        }
        if (code > 0xFF) {
            *at++ = static_cast<char>(code >> 8);
        }
        *at++ = static_cast<char>(code & 0xFF);
    }
    return static_cast<std::size_t>(at - out);
}

int IsAsciiText(std::string_view text) {
    const char* p = text.data();
    const std::size_t n = text.size();
    uint64_t high = 0;
    if (n >= 8) {
        uint64_t word;
        for (std::size_t i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&word, p + i, 8);
            high |= word;
        }
        std::memcpy(&word, p + n - 8, 8);  // the last bytes, overlapping the word before
        high |= word;
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            high |= static_cast<unsigned char>(p[i]);
        }
    }
    return (high & kHighBits) == 0 ? 1 : 0;
}

int LooksLikeUtf8(std::string_view text) {
    bool japanese = false;
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp;
        const std::size_t length = ReadUtf8(text, i, cp);
        if (length == 0) {
            return 0;
        }
        // CJK symbols, kana and ideographs, and the fullwidth and halfwidth forms.
        japanese = japanese || (cp >= 0x3000 && cp <= 0x9FFF) || (cp >= 0xFF00 && cp <= 0xFFEF);
        i += length;
    }
    return japanese ? 1 : 0;
}

std::string ToCp932(std::string_view utf8) {
    std::string out;
    Utf8ToCp932(utf8, out);
    return out;
}

int IsCp932Encodable(std::string_view utf8) {
    std::string out;
    return Utf8ToCp932(utf8, out) == 0 ? 1 : 0;
}

std::size_t Cp932Length(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return utf8.size();
    }
    return ToCp932(utf8).size();
}

std::string Cp932Truncate(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes || Cp932Length(utf8) <= maxBytes) {
        return std::string(utf8);  // no cp932 form is longer than its UTF-8 form
    }
    std::size_t used = 0;
    std::size_t i = 0;
    std::string encoded;
    while (i < utf8.size()) {
        char32_t cp;
        std::size_t length = ReadUtf8(utf8, i, cp);
        if (length == 0) {
            length = 1;
        }
        // A character read with another of its codes is cut together with its mark.
        char32_t next = 0;
        const std::size_t markLength =
            i + length < utf8.size() ? ReadUtf8(utf8, i + length, next) : 0;
        if (markLength > 0 && IsOtherCodeMark(next)) {
            length += markLength;
        }
        encoded.clear();
        Utf8ToCp932(utf8.substr(i, length), encoded);
        if (used + encoded.size() > maxBytes) {
            break;
        }
        used += encoded.size();
        i += length;
    }
    return std::string(utf8.substr(0, i));
}

}  // namespace zarvik
