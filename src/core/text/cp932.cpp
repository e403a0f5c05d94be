#include "core/text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
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

bool IsAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
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

// The pair table holds, for each lead and trail byte, the character they decode to (0
// when they form none) and, in the top byte, which of its other codes they are (0 for
// the code the encoder writes, which reads and writes back unchanged).
constexpr char32_t kCodeMask = 0x00FFFFFF;
constexpr int kOtherCodeShift = 24;

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
    char32_t single[256] = {};        // 0: not a character on its own
    char32_t pair[0x80][0x100] = {};  // by lead byte - 0x80 and trail byte
    // The other codes of each character held more than once, in ascending order.
    std::unordered_map<char32_t, std::array<uint16_t, kMaxOtherCodes>> otherCodes;
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

bool EncodesBackTo(char32_t cp, const std::string& bytes) {
    std::string utf8;
    AppendUtf8(cp, utf8);
    std::string back;
    return Utf8ToCp932(utf8, back) == 0 && back == bytes;
}

const DecodeTable& Decoding() {
    static const std::unique_ptr<DecodeTable> table = [] {
        auto built = std::make_unique<DecodeTable>();
        for (int b = 0x80; b < 0x100; ++b) {
            const std::string one(1, static_cast<char>(b));
            const char32_t cp = DecodeOne(one);
            if (cp != 0 && EncodesBackTo(cp, one)) {
                built->single[b] = cp;
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
                char32_t entry = pairCp;
                if (!EncodesBackTo(pairCp, two)) {
                    // Codes are visited in ascending order.
                    auto& others = built->otherCodes[pairCp];
                    const auto free = std::find(others.begin(), others.end(), 0);
                    if (free == others.end()) {
                        continue;  // no such character in cp932; kept as raw bytes
                    }
                    *free = static_cast<uint16_t>(b << 8 | trail);
                    entry |= static_cast<char32_t>(free - others.begin() + 1) << kOtherCodeShift;
                }
                built->pair[b - 0x80][trail] = entry;
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

std::string Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932)) {
        return std::string(cp932);
    }
    const DecodeTable& table = Decoding();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    std::size_t i = 0;
    while (i < cp932.size()) {
        const unsigned char b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (table.single[b] != 0) {
            AppendUtf8(table.single[b], out);
            ++i;
            continue;
        }
        const char32_t entry = IsCp932LeadByte(b) && i + 1 < cp932.size()
                                   ? table.pair[b - 0x80][static_cast<unsigned char>(cp932[i + 1])]
                                   : 0;
        if (entry == 0) {
            AppendUtf8(0xF700 + b, out);
            ++i;
            continue;
        }
        AppendUtf8(entry & kCodeMask, out);
        if (const char32_t other = entry >> kOtherCodeShift; other != 0) {
            AppendUtf8(kFirstOtherCode + other - 1, out);
        }
        i += 2;
    }
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
