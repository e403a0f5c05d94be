#pragma once
// Typed access to an INI store: integers, strings, points and sizes, fonts, pens, brushes
// and byte blocks in their fixed text forms, a dirty flag, and an optional write of the
// store back to its file when the access object goes away.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/port/gdi_types.h"
#include "core/store/ini_store.h"

namespace zarvik {

class HIniFile {
public:
    // store is not owned and must outlive this object.
    HIniFile(HInfoIniFile& store, int writeOnClose);
    // Writes the store to its path when writeOnClose is 1 and a setter was used (Close).
    ~HIniFile();
    HIniFile(const HIniFile&) = delete;
    HIniFile& operator=(const HIniFile&) = delete;

    // Remembers path and reads the file into the store (a missing or unreadable file
    // leaves the store as it was); clears the dirty flag. Returns 1.
    int Open(const std::string& path);

    // Does now what the destructor would do, once: writes the store to its path when
    // writeOnClose is 1 and the store is dirty. Returns 0 when that write failed, else 1.
    // unencodable, when given, receives the number of characters cp932 could not hold.
    int Close(int* unencodable = nullptr);

    HInfoIniFile& Store() { return m_store; }
    const HInfoIniFile& Store() const { return m_store; }
    const std::optional<std::string>& Path() const { return m_path; }
    int IsDirty() const { return m_dirty; }

    std::string GetString(std::string_view section, std::string_view key) const;
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // atoi of the value; a missing key reads as 0.
    int32_t GetInt(std::string_view section, std::string_view key) const;
    void SetInt(std::string_view section, std::string_view key, int32_t value);

    // "x,y". Returns 0 and leaves out unchanged when the value holds no comma.
    int GetPoint(std::string_view section, std::string_view key, HPoint& out) const;
    int GetSize(std::string_view section, std::string_view key, HSize& out) const;
    void SetPoint(std::string_view section, std::string_view key, HPoint value);
    void SetSize(std::string_view section, std::string_view key, HSize value);

    // "italic,strikeOut,underline,weight,height,face". The stored height becomes whole
    // points at the screen's resolution and the font is made again at that point size;
    // the other fields come from the template. No template gives no font; an unreadable
    // value gives the stock system font (StockFontAsStored).
    std::optional<HLogFont> GetFont(std::string_view section, std::string_view key,
                                    const std::optional<HLogFont>& templ) const;
    int SetFont(std::string_view section, std::string_view key,
                const std::optional<HLogFont>& font);

    // "style,widthX,widthY,colour"; an unreadable value gives the stock black pen.
    std::optional<HLogPen> GetPen(std::string_view section, std::string_view key,
                                  const std::optional<HLogPen>& templ) const;
    int SetPen(std::string_view section, std::string_view key, const std::optional<HLogPen>& pen);

    // "colour,hatch,style"; an unreadable value gives the stock hollow brush.
    std::optional<HLogBrush> GetBrush(std::string_view section, std::string_view key,
                                      const std::optional<HLogBrush>& templ) const;
    int SetBrush(std::string_view section, std::string_view key,
                 const std::optional<HLogBrush>& brush);

    // Decodes hexadecimal digit pairs into buffer until size bytes are stored, the text
    // ends or a pair holds another character. Returns 1 when size bytes were stored.
    int GetBinary(std::string_view section, std::string_view key, uint8_t* buffer,
                  std::size_t size) const;
    // The number of whole bytes the stored value could give (half its length).
    std::size_t GetBinaryLength(std::string_view section, std::string_view key) const;
    void SetBinary(std::string_view section, std::string_view key, const uint8_t* bytes,
                   std::size_t length);

private:
    void Put(std::string_view section, std::string_view key, std::string_view value);

    HInfoIniFile& m_store;
    std::optional<std::string> m_path;
    int m_dirty = 0;
    int m_writeOnClose = 0;
    int m_closed = 0;
    // Values made of several parts are put together here, so that writing a store of
    // thousands of them does not allocate for each.
    std::string m_scratch;
};

// Whole points of a font height in device units at the given resolution, rounded to
// nearest with halves away from zero (negative heights give negative points).
int32_t FontHeightToPoints(int32_t height, int pixelsPerInch);

// The height in device units of a font made at tenths of a point (the sign is ignored).
int32_t PointFontHeight(int32_t tenthsOfPoint, int pixelsPerInch);

// The largest font size, in points, that a stored font height is read as.
inline constexpr int32_t kMaxFontPoints = 1638;

// The height of the font GetFont makes from a stored height: whole points, at most
// kMaxFontPoints either way, made again as a point font. Applied to its own result it gives
// that result again.
int32_t StoredFontHeight(int32_t height, int pixelsPerInch);

// The stock system font as GetFont gives it for a missing or malformed value: with the
// height its stored form reads back as at the screen's resolution, so that a document
// saved with it reads and saves again in the same bytes.
HLogFont StockFontAsStored();

}  // namespace zarvik
