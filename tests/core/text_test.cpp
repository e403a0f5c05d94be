#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

std::string Hex(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        out += Format("%02X ", c);
    }
    return out;
}

// The UTF-8 form of U+F700 + b, which stands for an undecodable byte.
std::string RawByte(int b) {
    const int cp = 0xF700 + b;
    return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
            static_cast<char>(0x80 | (cp & 0x3F))};
}

TEST(Cp932RoundTrip, EverySingleByte) {
    for (int b = 0; b < 256; ++b) {
        const std::string bytes(1, static_cast<char>(b));
        const std::string text = Cp932ToUtf8(bytes);
        const bool printable = (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
        const bool undecodable =
            b == 0x80 || b == 0xA0 || b >= 0xFD || IsCp932LeadByte(static_cast<unsigned char>(b));
        if (printable) {
            EXPECT_NE(text, RawByte(b)) << Hex(bytes);
        }
        if (undecodable) {
            EXPECT_EQ(text, RawByte(b)) << Hex(bytes);
        }
        std::string back;
        EXPECT_EQ(Utf8ToCp932(text, back), 0) << Hex(bytes);
        EXPECT_EQ(back, bytes) << Hex(bytes);
    }
    EXPECT_EQ(Cp932ToUtf8("\xB1\xDF"), "ｱﾟ");
}

// Any two or three bytes decode to text that encodes without loss to the same bytes, and
// a character that cp932 holds twice keeps the code it was read with.
TEST(Cp932RoundTrip, EveryTwoAndThreeBytesKeepTheirBytes) {
    int characters = 0;
    int otherCodes = 0;
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string bytes = {static_cast<char>(first), static_cast<char>(second)};
            const std::string text = Cp932ToUtf8(bytes);
            std::string back;
            ASSERT_EQ(Utf8ToCp932(text, back), 0) << Hex(bytes);
            ASSERT_EQ(back, bytes) << Hex(bytes);
            const bool lead = IsCp932LeadByte(static_cast<unsigned char>(first));
            characters += lead && text.find(RawByte(first)) != 0 ? 1 : 0;
            otherCodes += text.ends_with("\uFE00") || text.ends_with("\uFE01") ? 1 : 0;
        }
    }
    // JIS X 0208, NEC row 13, NEC-selected and IBM extensions, user-defined area; 398 of
    // them are other codes of characters held more than once.
    EXPECT_EQ(characters, 9604);
    EXPECT_EQ(otherCodes, 398);
    for (int first = 0x80; first < 256; ++first) {
        for (int second = 0x80; second < 256; ++second) {
            for (int third = 0x80; third < 256; ++third) {
                const std::string bytes = {static_cast<char>(first), static_cast<char>(second),
                                           static_cast<char>(third)};
                ASSERT_EQ(ToCp932(Cp932ToUtf8(bytes)), bytes) << Hex(bytes);
            }
        }
    }
    EXPECT_EQ(Cp932ToUtf8("\x82\xA0\xFF\x82\xA2\x81\x20"),
              "あ" + RawByte(0xFF) + "い" + RawByte(0x81) + " ");
    // Bytes that once drifted on every save: an invalid pair before an NEC-selected code.
    EXPECT_EQ(Hex(ToCp932(Cp932ToUtf8("\xEE\xEE\xEE\x93"))), Hex("\xEE\xEE\xEE\x93"));
}

// The decoder's tables against glibc's converter itself, pair by pair: a pair the
// converter reads whole reads as the same text here (a character held twice carries its
// mark after it), and a pair it refuses keeps the refused bytes as raw bytes.
TEST(Cp932Decoding, AgreesWithIconvOnEveryPair) {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    const auto iconvDecode = [&](std::string bytes, std::string& out) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[32];
        char* in = bytes.data();
        std::size_t left = bytes.size();
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const bool whole = iconv(cd, &in, &left, &dst, &room) != static_cast<std::size_t>(-1);
        out.assign(buffer, static_cast<std::size_t>(dst - buffer));
        return whole && left == 0;
    };
    int refused = 0;
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string bytes = {static_cast<char>(first), static_cast<char>(second)};
            std::string text = Cp932ToUtf8(bytes);
            for (const char* mark : {"\uFE00", "\uFE01"}) {
                if (text.ends_with(mark)) {
                    text.resize(text.size() - 3);
                }
            }
            std::string expected;
            if (iconvDecode(bytes, expected)) {
                ASSERT_EQ(Hex(text), Hex(expected)) << Hex(bytes);
            } else {
                ++refused;
                const bool raw = text.find(RawByte(first)) == 0 || text.ends_with(RawByte(second));
                ASSERT_TRUE(raw) << Hex(bytes);
            }
        }
    }
    iconv_close(cd);
    EXPECT_GT(refused, 0);
}

// Text typed in the program is written with the code Windows prefers; text read with
// another code keeps it, and reads as the same character.
TEST(Cp932RoundTrip, DuplicatesEncodeToTheCodeWindowsPrefers) {
    const struct {
        std::string from, preferred;
    } cases[] = {
        {"\xED\x40", "\xFA\x5C"},  // 纊: NEC-selected IBM extension -> IBM extension
        {"\xFA\x54", "\x81\xCA"},  // ￢: IBM extension -> JIS X 0208
        {"\xEE\xF9", "\x81\xCA"},  // ￢: NEC-selected IBM extension -> JIS X 0208
        {"\x87\x90", "\x81\xE0"},  // ≒: NEC row 13 -> JIS X 0208
        {"\xFA\x4A", "\x87\x54"},  // Ⅰ: IBM extension -> NEC row 13
    };
    for (const auto& c : cases) {
        const std::string read = Cp932ToUtf8(c.from);
        EXPECT_TRUE(read.starts_with(Cp932ToUtf8(c.preferred))) << Hex(c.from);
        EXPECT_EQ(Hex(ToCp932(read)), Hex(c.from));
        EXPECT_EQ(Hex(ToCp932(Cp932ToUtf8(c.preferred))), Hex(c.preferred));
    }
    // A mark left alone by an edit is dropped; one after a character held once is too.
    EXPECT_EQ(Hex(ToCp932("a\uFE00b\u3042\uFE01")), Hex("ab\x82\xA0"));
    EXPECT_EQ(Cp932Truncate(Cp932ToUtf8("\xED\x40\xED\x40"), 3), Cp932ToUtf8("\xED\x40"));
}

// Long texts, well beyond the converter's buffers.
TEST(Cp932RoundTrip, LongText) {
    std::string cp932Text, utf8Text;
    for (int i = 0; i < 20000; ++i) {
        cp932Text += "\x8C\xDA\x8B\x71\x83\x7D\x83\x58\x83\x5E";
        utf8Text += "顧客マスタ";
    }
    EXPECT_TRUE(Cp932ToUtf8(cp932Text) == utf8Text);
    std::string encoded;
    EXPECT_EQ(Utf8ToCp932(utf8Text, encoded), 0);
    EXPECT_TRUE(encoded == cp932Text);

    std::mt19937 random(932);
    std::string bytes;
    while (bytes.size() < 200000) {
        if (random() % 3 == 0) {
            bytes += "\x8C\xDA\x8B\x71\x83\x7D\x83\x58\x83\x5E";  // 顧客マスタ
        } else {
            bytes += static_cast<char>(random() % 256);
        }
    }
    const std::string text = Cp932ToUtf8(bytes);
    std::string back;
    EXPECT_EQ(Utf8ToCp932(text, back), 0);
    EXPECT_EQ(back.size(), bytes.size());
    EXPECT_EQ(Cp932ToUtf8(back), text);
}

TEST(Cp932, CodesThatDifferFromShiftJis) {
    const struct {
        std::string cp932, utf8;
    } cases[] = {
        {"\x5C", "\\"},     {"\x7E", "~"},      {"\x81\x60", "～"},  // U+FF5E
        {"\x81\x5F", "＼"}, {"\x81\x7C", "－"}, {"\x81\x61", "∥"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << Hex(c.cp932);
        EXPECT_EQ(Hex(ToCp932(c.utf8)), Hex(c.cp932));
    }
    // Look-alikes that read back as other characters are written but counted as lost:
    // the wave dash U+301C as the fullwidth tilde, the yen sign as a backslash.
    const struct {
        std::string utf8, cp932;
    } oneWay[] = {{"\xE3\x80\x9C", "\x81\x60"}, {"\xC2\xA5", "\x5C"}, {"\xE2\x80\x94", "\x81\x5C"}};
    for (const auto& c : oneWay) {
        std::string out;
        EXPECT_EQ(Utf8ToCp932("a" + c.utf8, out), 1) << Hex(c.cp932);
        EXPECT_EQ(Hex(out), Hex("a" + c.cp932));
        EXPECT_EQ(IsCp932Encodable(c.utf8), 0);
    }
}

TEST(Cp932, UnencodableTextIsCounted) {
    const struct {
        std::string utf8;
        int lost;
        std::string cp932;
    } cases[] = {
        {"a😀b😀", 2, "a?b?"},
        {"顧客😀マスタ", 1, "\x8C\xDA\x8B\x71?\x83\x7D\x83\x58\x83\x5E"},
        {"é\xFF", 2, "??"},          // not in cp932; not UTF-8
        {"\xC0\xAF", 2, "??"},       // overlong form of "/"
        {"\xED\xA0\x80", 3, "???"},  // a surrogate
        {"ｱ\xE3\x81", 2, "\xB1??"},  // a character cut short
        {RawByte(0x80) + "😀", 1, "\x80?"},
    };
    for (const auto& c : cases) {
        std::string out = "<";
        EXPECT_EQ(Utf8ToCp932(c.utf8, out), c.lost) << Hex(c.utf8);
        EXPECT_EQ(Hex(out), Hex("<" + c.cp932));
        EXPECT_EQ(IsCp932Encodable(c.utf8), 0) << Hex(c.utf8);
    }
    EXPECT_EQ(IsCp932Encodable("顧客マスタ[12] ＭＳ ゴシック～"), 1);
}

// The result is the longest start whose cp932 form fits, cut between characters.
TEST(Cp932, LengthAndTruncate) {
    EXPECT_EQ(Cp932Length(""), 0u);
    EXPECT_EQ(Cp932Length("ＭＳ ゴシック"), 13u);
    EXPECT_EQ(Cp932Length("a顧ｱ😀\xFF" + RawByte(0x80)), 7u);
    const std::string texts[] = {"顧客マスタ", "aあｱbい", "x😀y" + RawByte(0x81)};
    for (const std::string& text : texts) {
        for (std::size_t max = 0; max <= Cp932Length(text) + 1; ++max) {
            const std::string cut = Cp932Truncate(text, max);
            ASSERT_TRUE(text.starts_with(cut)) << text << " " << max;
            EXPECT_LE(Cp932Length(cut), max) << text << " " << max;
            if (cut.size() < text.size()) {
                std::size_t next = cut.size() + 1;
                while (next < text.size() && (text[next] & 0xC0) == 0x80) {
                    ++next;
                }
                EXPECT_GT(Cp932Length(text.substr(0, next)), max) << text << " " << max;
            }
        }
    }
    EXPECT_EQ(Cp932Truncate("顧客マスタ", 5), "顧客");
}

TEST(Atoi, FollowsTheCLibraryAndSaturates) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const struct {
        std::string text;
        int32_t value;
    } cases[] = {
        {"", 0},
        {"\t\n\v\f\r 42", 42},
        {"+5", 5},
        {"-5", -5},
        {"12abc", 12},
        {"1 2", 1},
        {"abc", 0},
        {"+-1", 0},
        {"- 1", 0},
        {"１２", 0},
        {"0000000000000000000042", 42},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"99999999999999999999", kMax},
        {"-99999999999999999999", kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Atoi(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(Atoi(std::string_view("123456", 3)), 123);  // ends with the view, not at a NUL
}

}  // namespace
}  // namespace zarvik

namespace zarvik {
namespace {

TEST(NumberText, NumberedKeyPadsLikePrintf) {
    for (const int32_t n : {0, 7, 42, 999, 1000, 123456, -1, -5, -42, -123, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(NumberedKey("FILE_", n), Format("FILE_%03d", n)) << n;
        std::string key = "kept";
        AppendNumberedKey(key, "_", n);
        EXPECT_EQ(key, Format("kept_%03d", n)) << n;
    }
}

TEST(NumberText, IntsAreJoinedLikePrintf) {
    EXPECT_EQ(HIntsText({}).View(), "");
    EXPECT_EQ(HIntsText({-7}).View(), "-7");
    EXPECT_EQ(HIntsText({INT32_MIN, 0, INT32_MAX}).View(), "-2147483648,0,2147483647");
    EXPECT_EQ(JoinInts({1, -2, 30}), "1,-2,30");
    EXPECT_EQ(FormatInt(INT32_MIN), "-2147483648");
    // Sixteen of the widest values fill the buffer exactly; values beyond that are dropped.
    std::string widest;
    for (int i = 0; i < 16; ++i) {
        widest += (i == 0 ? "" : ",") + std::to_string(INT32_MIN);
    }
    constexpr int32_t m = INT32_MIN;
    EXPECT_EQ(JoinInts({m, m, m, m, m, m, m, m, m, m, m, m, m, m, m, m}), widest);
    EXPECT_EQ(HIntsText({m, m, m, m, m, m, m, m, m, m, m, m, m, m, m, m, 5}).View(), widest);
}

}  // namespace
}  // namespace zarvik
