#include "core/store/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/port/platform.h"
#include "core/text/cp932.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

// The positions just after the first commas of a text, at most five of them.
struct FieldStarts {
    FieldStarts(std::string_view text, std::size_t wanted) {
        for (std::size_t i = 0; i < text.size() && count < wanted && count < 5; ++i) {
            if (text[i] == ',') {
                at[count++] = i + 1;
            }
        }
    }
    std::size_t size() const { return count; }
    std::size_t operator[](std::size_t i) const { return at[i]; }

    std::size_t at[5] = {};
    std::size_t count = 0;
};

// The stored value, or "0" when there is none (the default the text forms are read with).
std::string_view ValueOrZero(const std::optional<std::string_view>& value) {
    return value ? *value : std::string_view("0");
}

int32_t FieldAt(std::string_view text, std::size_t start) {
    return Atoi(text.substr(start));
}

// a * b / c rounded to nearest, halves away from zero.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) {
        return -1;
    }
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

int32_t FontHeightToPoints(int32_t height, int pixelsPerInch) {
    return MulDiv(height, 72, pixelsPerInch);
}

int32_t PointFontHeight(int32_t tenthsOfPoint, int pixelsPerInch) {
    return -std::abs(MulDiv(pixelsPerInch, tenthsOfPoint, 720));
}

int32_t StoredFontHeight(int32_t height, int pixelsPerInch) {
    // A hand-edited height near the 32-bit limit is held to the largest point size, so that
    // it neither overflows here nor reaches text measuring as a font millions of pixels high.
    const int32_t points =
        std::clamp(FontHeightToPoints(height, pixelsPerInch), -kMaxFontPoints, kMaxFontPoints);
    // Made again as a point font of -10 × points tenths, whose magnitude is what counts.
    return PointFontHeight(-10 * points, pixelsPerInch);
}

HLogFont StockFontAsStored() {
    HLogFont font = kStockSystemFont;
    font.height = StoredFontHeight(font.height, Platform().ScreenPixelsPerInch());
    return font;
}

HIniFile::HIniFile(HInfoIniFile& store, int writeOnClose)
    : m_store(store), m_writeOnClose(writeOnClose) {}

HIniFile::~HIniFile() {
    Close();
}

int HIniFile::Open(const std::string& path) {
    m_path = path;
    m_store.Read(path);
    m_dirty = 0;
    m_closed = 0;
    return 1;
}

int HIniFile::Close(int* unencodable) {
    if (unencodable != nullptr) {
        *unencodable = 0;
    }
    if (m_closed) {
        return 1;
    }
    m_closed = 1;
    if (m_dirty != 1 || m_writeOnClose != 1 || !m_path) {
        return 1;
    }
    return m_store.Write(*m_path, unencodable);
}

void HIniFile::Put(std::string_view section, std::string_view key, std::string_view value) {
    m_store.SetValue(section, key, value);
    m_dirty = 1;
}

std::string HIniFile::GetString(std::string_view section, std::string_view key) const {
    return m_store.GetValue(section, key, "");
}

void HIniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    Put(section, key, value);
}

int32_t HIniFile::GetInt(std::string_view section, std::string_view key) const {
    const auto value = m_store.FindValue(section, key);
    return value ? Atoi(*value) : 0;
}

void HIniFile::SetInt(std::string_view section, std::string_view key, int32_t value) {
    Put(section, key, HIntsText({value}).View());
}

int HIniFile::GetPoint(std::string_view section, std::string_view key, HPoint& out) const {
    const std::string_view value = ValueOrZero(m_store.FindValue(section, key));
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) {
        return 0;
    }
    out.x = Atoi(value);
    out.y = Atoi(value.substr(comma + 1));
    return 1;
}

int HIniFile::GetSize(std::string_view section, std::string_view key, HSize& out) const {
    HPoint point{out.cx, out.cy};
    const int ok = GetPoint(section, key, point);
    if (ok) {
        out = HSize{point.x, point.y};
    }
    return ok;
}

void HIniFile::SetPoint(std::string_view section, std::string_view key, HPoint value) {
    Put(section, key, HIntsText({value.x, value.y}).View());
}

void HIniFile::SetSize(std::string_view section, std::string_view key, HSize value) {
    Put(section, key, HIntsText({value.cx, value.cy}).View());
}

std::optional<HLogFont> HIniFile::GetFont(std::string_view section, std::string_view key,
                                          const std::optional<HLogFont>& templ) const {
    if (!templ) {
        return std::nullopt;
    }
    const std::string_view value = ValueOrZero(m_store.FindValue(section, key));
    const FieldStarts starts(value, 5);
    if (starts.size() < 5) {
        return StockFontAsStored();
    }
    HLogFont font = *templ;
    font.italic = Atoi(value);
    font.strikeOut = FieldAt(value, starts[0]);
    font.underline = FieldAt(value, starts[1]);
    font.weight = FieldAt(value, starts[2]);
    font.height = StoredFontHeight(FieldAt(value, starts[3]), Platform().ScreenPixelsPerInch());
    font.faceName = Cp932Truncate(value.substr(starts[4]), kFaceNameMaxBytes);
    return font;
}

int HIniFile::SetFont(std::string_view section, std::string_view key,
                      const std::optional<HLogFont>& font) {
    if (!font) {
        return 0;
    }
    m_scratch.assign(
        HIntsText({font->italic, font->strikeOut, font->underline, font->weight, font->height})
            .View());
    m_scratch += ',';
    // A face name within the limit in UTF-8 bytes is within it in cp932 bytes too.
    if (font->faceName.size() <= kFaceNameMaxBytes) {
        m_scratch += font->faceName;
    } else {
        m_scratch += Cp932Truncate(font->faceName, kFaceNameMaxBytes);
    }
    Put(section, key, m_scratch);
    return 1;
}

std::optional<HLogPen> HIniFile::GetPen(std::string_view section, std::string_view key,
                                        const std::optional<HLogPen>& templ) const {
    if (!templ) {
        return std::nullopt;
    }
    const std::string_view value = ValueOrZero(m_store.FindValue(section, key));
    const FieldStarts starts(value, 3);
    if (starts.size() < 3) {
        return kStockBlackPen;
    }
    HLogPen pen = *templ;
    pen.style = Atoi(value);
    pen.width.x = FieldAt(value, starts[0]);
    pen.width.y = FieldAt(value, starts[1]);
    pen.color = static_cast<HColorRef>(FieldAt(value, starts[2]));
    return pen;
}

int HIniFile::SetPen(std::string_view section, std::string_view key,
                     const std::optional<HLogPen>& pen) {
    if (!pen) {
        return 0;
    }
    Put(section, key,
        HIntsText({pen->style, pen->width.x, pen->width.y, static_cast<int32_t>(pen->color)})
            .View());
    return 1;
}

std::optional<HLogBrush> HIniFile::GetBrush(std::string_view section, std::string_view key,
                                            const std::optional<HLogBrush>& templ) const {
    if (!templ) {
        return std::nullopt;
    }
    const std::string_view value = ValueOrZero(m_store.FindValue(section, key));
    const FieldStarts starts(value, 2);
    if (starts.size() < 2) {
        return kStockHollowBrush;
    }
    HLogBrush brush = *templ;
    brush.color = static_cast<HColorRef>(Atoi(value));
    brush.hatch = FieldAt(value, starts[0]);
    brush.style = FieldAt(value, starts[1]);
    return brush;
}

int HIniFile::SetBrush(std::string_view section, std::string_view key,
                       const std::optional<HLogBrush>& brush) {
    if (!brush) {
        return 0;
    }
    Put(section, key,
        HIntsText({static_cast<int32_t>(brush->color), brush->hatch, brush->style}).View());
    return 1;
}

int HIniFile::GetBinary(std::string_view section, std::string_view key, uint8_t* buffer,
                        std::size_t size) const {
    const auto value = m_store.FindValue(section, key);
    if (!value) {
        return size == 0 ? 1 : 0;
    }
    std::size_t stored = 0;
    for (std::size_t i = 0; stored < size && i + 1 < value->size(); i += 2) {
        const int high = HexValue((*value)[i]);
        const int low = HexValue((*value)[i + 1]);
        if (high < 0 || low < 0) {
            break;
        }
        buffer[stored++] = static_cast<uint8_t>(high * 16 + low);
    }
    return stored == size ? 1 : 0;
}

std::size_t HIniFile::GetBinaryLength(std::string_view section, std::string_view key) const {
    const auto value = m_store.FindValue(section, key);
    return value ? value->size() / 2 : 0;
}

void HIniFile::SetBinary(std::string_view section, std::string_view key, const uint8_t* bytes,
                         std::size_t length) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(length * 2, '0');
    for (std::size_t i = 0; i < length; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    Put(section, key, text);
}

}  // namespace zarvik
