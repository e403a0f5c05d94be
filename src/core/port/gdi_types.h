#pragma once
// Plain value records for what drawing needs: points, rectangles, and the fields of the
// Windows logical pen, brush and font and of the bitmap description. They copy deeply by
// construction; "no object" is std::optional.

#include <cstdint>
#include <string>
#include <vector>

namespace zarvik {

// A colour reference: red in the low byte, then green, then blue.
using HColorRef = uint32_t;

constexpr HColorRef Rgb(int r, int g, int b) {
    return static_cast<HColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(HColorRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(HColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(HColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

struct HPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const HPoint&, const HPoint&) = default;
};

struct HSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const HSize&, const HSize&) = default;
};

// Canvas coordinates and sizes read from a file are held within this bound, so that sums
// of a few of them never overflow.
inline constexpr int32_t kCoordinateLimit = 100000000;

constexpr int32_t ClampCoordinate(int32_t value) {
    return value < -kCoordinateLimit  ? -kCoordinateLimit
           : value > kCoordinateLimit ? kCoordinateLimit
                                      : value;
}
constexpr HPoint ClampPoint(HPoint p) {
    return HPoint{ClampCoordinate(p.x), ClampCoordinate(p.y)};
}
constexpr HSize ClampSize(HSize s) {
    return HSize{ClampCoordinate(s.cx), ClampCoordinate(s.cy)};
}
// a - b, for points within the coordinate limit.
constexpr HPoint PointMinus(HPoint a, HPoint b) {
    return HPoint{a.x - b.x, a.y - b.y};
}

// Left and top edges belong to the rectangle, right and bottom do not (unless a rule says
// otherwise).
struct HRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    friend bool operator==(const HRect&, const HRect&) = default;
};

// Pen styles of the platform, stored in documents as these numbers. How a context draws
// each is in draw_context.h.
inline constexpr int32_t kPenSolid = 0;
inline constexpr int32_t kPenDash = 1;
inline constexpr int32_t kPenDot = 2;
inline constexpr int32_t kPenDashDot = 3;
inline constexpr int32_t kPenDashDotDot = 4;
inline constexpr int32_t kPenNull = 5;  // draws nothing

// Brush styles and hatches of the platform, stored in documents as these numbers.
inline constexpr int32_t kBrushSolid = 0;
inline constexpr int32_t kBrushHollow = 1;  // fills nothing
inline constexpr int32_t kBrushHatched = 2;
inline constexpr int32_t kHatchHorizontal = 0;
inline constexpr int32_t kHatchVertical = 1;
inline constexpr int32_t kHatchForwardDiagonal = 2;   // top left to bottom right
inline constexpr int32_t kHatchBackwardDiagonal = 3;  // bottom left to top right
inline constexpr int32_t kHatchCross = 4;             // horizontal and vertical
inline constexpr int32_t kHatchDiagonalCross = 5;     // both diagonals

struct HLogPen {
    int32_t style = kPenSolid;
    HPoint width;  // only x is used for the line width
    HColorRef color = 0;
    friend bool operator==(const HLogPen&, const HLogPen&) = default;
};

struct HLogBrush {
    int32_t style = kBrushSolid;
    HColorRef color = 0;
    int32_t hatch = 0;  // one of the hatches; read only for a hatched brush
    friend bool operator==(const HLogBrush&, const HLogBrush&) = default;
};

// Font weights and character sets of the platform.
inline constexpr int32_t kFontWeightNormal = 400;
inline constexpr int32_t kFontWeightBold = 700;
inline constexpr int32_t kDefaultCharset = 1;
inline constexpr int32_t kShiftJisCharset = 128;
// The face name holds at most this many cp932 bytes.
inline constexpr std::size_t kFaceNameMaxBytes = 31;

struct HLogFont {
    int32_t height = 0;  // negative: character height in device units
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    int32_t italic = 0;
    int32_t underline = 0;
    int32_t strikeOut = 0;
    int32_t charSet = 0;
    int32_t outPrecision = 0;
    int32_t clipPrecision = 0;
    int32_t quality = 0;
    int32_t pitchAndFamily = 0;
    std::string faceName;  // UTF-8
    friend bool operator==(const HLogFont&, const HLogFont&) = default;
};

// The stock objects that stand in for an unreadable pen, brush or font.
inline const HLogPen kStockBlackPen{kPenSolid, {0, 0}, Rgb(0, 0, 0)};
inline const HLogBrush kStockHollowBrush{.style = kBrushHollow, .color = Rgb(0, 0, 0)};
inline const HLogFont kStockSystemFont{.height = 16,
                                       .width = 7,
                                       .weight = kFontWeightBold,
                                       .charSet = kShiftJisCharset,
                                       .pitchAndFamily = 0x22,
                                       .faceName = "System"};

// The platform's 24-byte bitmap description, as stored in front of a picture's pixels.
struct HBitmapHeader {
    int32_t type = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t widthBytes = 0;  // bytes per scan line
    uint16_t planes = 0;
    uint16_t bitsPixel = 0;
    uint32_t bits = 0;  // a pointer on the platform; meaningless when stored
    friend bool operator==(const HBitmapHeader&, const HBitmapHeader&) = default;
};
inline constexpr std::size_t kBitmapHeaderBytes = 24;

// A picture: its description and its pixel rows, top row first, widthBytes × height bytes.
// Pictures loaded by the program have 32 bits per pixel, bytes blue, green, red, unused.
struct HBitmap {
    HBitmapHeader header;
    std::vector<uint8_t> bits;
    friend bool operator==(const HBitmap&, const HBitmap&) = default;
};

}  // namespace zarvik
